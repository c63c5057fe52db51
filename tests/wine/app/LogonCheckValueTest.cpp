// Every interactive start sets the logon check's autostart value from the block
// list, whatever the value said before: a list kept from another installation
// gets its check back, and an empty list leaves no value behind.
#include <gtest/gtest.h>

#include "app/Startup.h"
#include "blocking/BlockList.h"
#include "driver/Driver.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/Files.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"
#include "ui/win/WindowClasses.h"

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

// Starts the real program, waits for its main window and closes it again.
void StartAndClose() {
    const std::string program = testsupport::ProductPath("Bootmarshal.exe");
    e2e::Program run = e2e::Program::Start("\"" + program + "\"");
    ASSERT_TRUE(run.started());
    HWND window = e2e::WaitForWindow(WindowClass::Main, 20000, run.processId());
    ASSERT_NE(window, nullptr);
    e2e::Close(window);
    EXPECT_EQ(run.WaitForExit(30000), 0);
}

class LogonCheckValueAtStart : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(PrepareDataFolder(kBaseName, false));
        testsupport::SeedLanguageChoice(DataFolder(kBaseName));
    }
    std::string Value() { return ReadRegString(HKEY_CURRENT_USER, kRunKey, kBlockCheckValueName); }
};

TEST_F(LogonCheckValueAtStart, AListWithLinesGetsTheValueOfThisCopy) {
    ASSERT_TRUE(testsupport::WriteFileBytes(DataFolder(kBaseName) + kBlockListFileName, "c:\\ads\\popup.exe\r\n"));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRunKey, kBlockCheckValueName,
                               "\"C:\\Old Place\\Bootmarshal.exe\" /blocklist"));
    StartAndClose();
    EXPECT_EQ(Value(), "\"" + testsupport::ProductPath("Bootmarshal.exe") + "\" /blocklist");
}

TEST_F(LogonCheckValueAtStart, AnEmptyListLeavesNoValue) {
    DeleteFileA((DataFolder(kBaseName) + kBlockListFileName).c_str());
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRunKey, kBlockCheckValueName,
                               "\"C:\\Old Place\\Bootmarshal.exe\" /blocklist"));
    StartAndClose();
    for (const auto& value : ReadRegStringValues(HKEY_CURRENT_USER, kRunKey)) {
        EXPECT_NE(value.first, kBlockCheckValueName);
    }
}

}  // namespace
