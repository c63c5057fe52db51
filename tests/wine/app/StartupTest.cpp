// The start: the choice of mode, the choice-file check, and the real programs
// started as processes in the test's prefix.
#include <gtest/gtest.h>

#include "app/Startup.h"
#include "support/Processes.h"
#include "support/WindowFinder.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/Files.h"
#include "system/RegistryValues.h"
#include "system/Scoped.h"
#include "ui/win/ControlIds.h"
#include "ui/win/WindowClasses.h"

using testsupport::ProductPath;
using testsupport::Program;
using testsupport::ReadFileBytes;
using testsupport::RunProcess;
using testsupport::WriteFileBytes;

namespace {

TEST(RunMode, OnlyAnExactFirstArgumentChoosesTheBlockCheck) {
    using Args = std::vector<std::string>;
    EXPECT_EQ(ChooseRunMode(Args{"/blocklist"}), RunMode::BlockCheck);
    EXPECT_EQ(ChooseRunMode(Args{"/blocklist", "x"}), RunMode::BlockCheck);
    for (const Args& args : {Args{}, Args{"/BLOCKLIST"}, Args{"/blocklist "}, Args{"x", "/blocklist"}, Args{"/end"}}) {
        EXPECT_EQ(ChooseRunMode(args), RunMode::Interactive) << (args.empty() ? "" : args[0]);
    }
}

class ChoiceFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareDataFolder(kBaseName, false);
        folder_ = DataFolder(kBaseName);
        ASSERT_TRUE(WriteFileBytes(folder_ + "Bootmarshal.t00", "[0]\r\nDeutsch\r\n[END]\r\n"));
        ASSERT_TRUE(WriteFileBytes(folder_ + "Bootmarshal.def", "[0]\r\nEnglish\r\n[END]\r\n"));
    }
    void TearDown() override { DeleteFolderTree(folder_); }
    std::string folder_;
};

TEST_F(ChoiceFileTest, KeepsTheChoiceOnlyForExactlyTheVersionText) {
    struct Case {
        const char* content;
        bool kept;
    } cases[] = {{"2.5", true},   {"2.5\r\n", true}, {"2.5\r\nmore", true}, {"2.5 ", false},
                 {"2.50", false}, {"", false},       {" 2.5", false},       {"2.4", false}};
    for (const Case& c : cases) {
        SetUp();
        ASSERT_TRUE(WriteFileBytes(folder_ + "Bootmarshal.cho", c.content));
        CheckChoiceFile();
        EXPECT_EQ(FileExists(folder_ + "Bootmarshal.cho"), c.kept) << c.content;
        EXPECT_EQ(ReadFileBytes(folder_ + "Bootmarshal.def"),
                  c.kept ? "[0]\r\nEnglish\r\n[END]\r\n" : "[0]\r\nDeutsch\r\n[END]\r\n")
            << c.content;
    }
}

TEST_F(ChoiceFileTest, AnUnreadableChoiceFileCountsAsMissing) {
    ASSERT_TRUE(WriteFileBytes(folder_ + "Bootmarshal.cho", "2.5"));
    ScopedFile lock(
        CreateFileA((folder_ + "Bootmarshal.cho").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock.valid());
    EXPECT_NO_THROW(CheckChoiceFile());
    EXPECT_EQ(ReadFileBytes(folder_ + "Bootmarshal.def"), "[0]\r\nDeutsch\r\n[END]\r\n");
}

TEST(Processes, BlockCheckEndsSilentlyWithCodeZero) {
    EXPECT_EQ(RunProcess("\"" + ProductPath("Bootmarshal.exe") + "\" /blocklist"), 0);
}

// The program's visible window of that class, waited for as long as a start
// under a loaded machine may take.
HWND WaitForWindowOf(DWORD processId, const char* className = WindowClass::Main) {
    return testsupport::WaitForWindow(className, 20000, processId);
}

TEST(Processes, InteractiveStartCarriesDataOverShowsTheMainWindowAndClosesNormally) {
    const std::string dataFolder = DataFolder(kBaseName);
    DeleteFolderTree(dataFolder);
    Program program = Program::Start("\"" + ProductPath("Bootmarshal.exe") + "\"");
    ASSERT_TRUE(program.started());
    // A first start asks for the language; closed without a choice, the
    // program goes on in language 0 and asks again next time.
    HWND languageDialog = WaitForWindowOf(program.processId(), WindowClass::Language);
    ASSERT_NE(languageDialog, nullptr);
    EXPECT_TRUE(FolderExists(dataFolder)) << "the data folder is made before any window";
    PostMessageA(languageDialog, WM_CLOSE, 0, 0);
    HWND mainWindow = WaitForWindowOf(program.processId());
    ASSERT_NE(mainWindow, nullptr);
    EXPECT_FALSE(FileExists(dataFolder + "Bootmarshal.cho"));
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(30000), 0);
}

// The copy started with administrator rights may run as another account: it
// says so in its title and lists only the machine's entries.
TEST(Processes, TheMachineWideCopySaysSoAndListsOnlyTheMachinesEntries) {
    const char run[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, run, "Mine", "C:\\windows\\notepad.exe"));
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, run, "Machine", "C:\\windows\\notepad.exe"));
    ASSERT_TRUE(PrepareDataFolder(kBaseName, false));
    testsupport::SeedLanguageChoice(DataFolder(kBaseName));
    Program program = Program::Start("\"" + ProductPath("Bootmarshal.exe") + "\" /machinewide");
    ASSERT_TRUE(program.started());
    HWND mainWindow = WaitForWindowOf(program.processId());
    ASSERT_NE(mainWindow, nullptr);
    DWORD_PTR settled = 0;
    SendMessageTimeoutA(mainWindow, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &settled);
    char title[256] = {};
    GetWindowTextA(mainWindow, title, sizeof title);
    EXPECT_EQ(std::string(title).rfind("Bootmarshal (", 0), 0u) << title;
    HWND list = GetDlgItem(mainWindow, kIdEntryList);
    ASSERT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
    // Across processes Wine hands a list box's text over as the window stores it.
    wchar_t line[64] = {};
    SendMessageW(list, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(line));
    EXPECT_STREQ(line, L"Machine");
    PostMessageA(mainWindow, WM_CLOSE, 0, 0);
    ASSERT_NE(program.WaitForExit(30000), -1);
    DeleteRegValue(HKEY_CURRENT_USER, run, "Mine");
    DeleteRegValue(HKEY_LOCAL_MACHINE, run, "Machine");
}

TEST(Processes, CompanionStartsNothingAndExitsZero) {
    const std::string marker = "C:\\companion-ran.txt";
    DeleteFileA(marker.c_str());
    const std::string companion = "\"" + ProductPath("inactive.exe") + "\"";
    const std::string cmd = WindowsFolder() + "\\system32\\cmd.exe";
    const std::string lines[] = {
        companion,
        companion + " notepad.exe",
        companion + " cmd.exe /c echo x > " + marker,
        companion + " \"" + cmd + "\" /c \"echo x > " + marker + "\"",
        companion + " " + std::string(2000, 'a'),
    };
    for (const std::string& line : lines) {
        EXPECT_EQ(RunProcess(line), 0) << line;
    }
    EXPECT_EQ(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES) << "a named program ran";
    // The same command without the companion does run: the check above can fail.
    EXPECT_EQ(RunProcess("\"" + cmd + "\" /c \"echo x > " + marker + "\""), 0);
    EXPECT_NE(GetFileAttributesA(marker.c_str()), INVALID_FILE_ATTRIBUTES);
    DeleteFileA(marker.c_str());
}

}  // namespace
