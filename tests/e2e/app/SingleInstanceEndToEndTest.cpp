// Two copies of the window over one block list and backup file would undo each
// other's changes: a second plain start brings the running copy to the front
// and ends, while the logon check and every switch still run beside it.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "driver/Driver.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "ui/win/WindowClasses.h"

namespace {

std::string ProgramCommand(const std::string& arguments) {
    return "\"" + testsupport::ProductPath("Bootmarshal.exe") + "\"" + arguments;
}

class SingleInstanceEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareDataFolder(kBaseName, false);
        testsupport::SeedLanguageChoice(DataFolder(kBaseName));
        first_ = e2e::Program::Start(ProgramCommand(""));
        ASSERT_TRUE(first_.started()) << "error " << GetLastError();
        main_ = e2e::WaitForWindow(WindowClass::Main, 20000, first_.processId());
        ASSERT_NE(main_, nullptr);
    }
    void TearDown() override {
        if (first_.running()) {
            if (main_) e2e::Close(main_);
            first_.WaitForExit(10000);
        }
    }
    e2e::Program first_;
    HWND main_ = nullptr;
};

TEST_F(SingleInstanceEndToEnd, ASecondStartShowsTheRunningWindowAndEnds) {
    ShowWindow(main_, SW_MINIMIZE);
    e2e::Program second = e2e::Program::Start(ProgramCommand(""));
    ASSERT_TRUE(second.started()) << "error " << GetLastError();
    EXPECT_EQ(second.WaitForExit(20000), 0);
    EXPECT_FALSE(IsIconic(main_)) << "the running window is shown again";
    EXPECT_TRUE(first_.running());
}

TEST_F(SingleInstanceEndToEnd, TheLogonCheckAndSwitchesAreNeverHeldBack) {
    // The logon check runs and ends on its own; "/end" still comes up (with
    // the language question it is for) beside the running copy.
    EXPECT_EQ(testsupport::RunProcess(ProgramCommand(" /blocklist"), 60000), 0);
    DeleteFileA((DataFolder(kBaseName) + "Bootmarshal.cho").c_str());
    e2e::Program withSwitch = e2e::Program::Start(ProgramCommand(" /end"));
    ASSERT_TRUE(withSwitch.started()) << "error " << GetLastError();
    HWND question = e2e::WaitForWindow(WindowClass::Language, 20000, withSwitch.processId());
    EXPECT_NE(question, nullptr) << "a start with a switch is not sent back to the running copy";
    withSwitch.WaitForExit(1);  // ended by force: only its start mattered
    testsupport::SeedLanguageChoice(DataFolder(kBaseName));
}

}  // namespace
