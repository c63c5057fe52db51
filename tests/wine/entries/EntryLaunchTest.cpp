// Starting entries for real under Wine: a recorder program, copied into folders
// whose names hold blanks, writes down the command line and the working folder
// it was started with.
#include <windows.h>

#include "LocationsFixture.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryLaunch.h"
#include "entries/StoredCommand.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"

namespace entrytest {
namespace {

const char kLaunchDir[] = "C:\\bmtest\\Launch Dir";
const char kRecorder[] = "C:\\bmtest\\Launch Dir\\recorder app.exe";
const char kLinkWork[] = "C:\\bmtest\\Link Work";
const char kRecord[] = "C:\\bmtest\\launched.txt";

struct Record {
    std::string commandLine;
    std::string folder;
};

class EntryLaunch : public LocationsTest {
protected:
    void SetUp() override {
        LocationsTest::SetUp();
        MakeFolders(kLaunchDir);
        MakeFolders(kLinkWork);
        ASSERT_TRUE(CopyFileA((ProgramFolder() + "launch_recorder.exe").c_str(), kRecorder, FALSE))
            << "copying the recorder: error " << GetLastError();
        DeleteFileA(kRecord);
        SetEnvironmentVariableA("BM_LAUNCH_RECORD", kRecord);
        SetEnvironmentVariableA("BM_LAUNCH_DIR", kLaunchDir);
        SetEnvironmentVariableA("BM_LAUNCH_ARG", "from-env");
    }

    // Starts the entry and waits for the recorder to end; what it wrote.
    Record Launch(const StartupEntry& entry) {
        HANDLE process = nullptr;
        const LaunchResult result = LaunchEntry(entry, nullptr, &process);
        EXPECT_TRUE(result.started) << "starting " << result.file << ": error " << result.error;
        if (!result.started) return {};
        if (process) {
            const DWORD waited = WaitForSingleObject(process, 60000);
            DWORD exitCode = 0;
            GetExitCodeProcess(process, &exitCode);
            CloseHandle(process);
            EXPECT_EQ(waited, WAIT_OBJECT_0) << "the recorder did not end";
            EXPECT_EQ(exitCode, 0u) << "the recorder could not write its record";
        } else {
            // A start through a link may give no process (the shell says so):
            // the record, moved into place whole, says the recorder ran.
            for (int wait = 0; wait < 600 && GetFileAttributesA(kRecord) == INVALID_FILE_ATTRIBUTES; ++wait) Sleep(100);
        }
        const std::string text = testsupport::ReadFileBytes(kRecord);
        EXPECT_FALSE(text.empty()) << "no record of " << result.file;
        DeleteFileA(kRecord);
        const size_t first = text.find("\r\n");
        if (first == std::string::npos) return {};
        const size_t second = text.find("\r\n", first + 2);
        return {text.substr(0, first), text.substr(first + 2, second - first - 2)};
    }
};

StartupEntry TheOne(const std::string& name) {
    for (const StartupEntry& entry : CollectAllEntries()) {
        if (entry.name == name) return entry;
    }
    ADD_FAILURE() << name << " is not listed";
    return StartupEntry();
}

// The arguments a program got: its command line after its own (quoted) path.
std::string ArgumentsOf(const std::string& commandLine) {
    size_t end = 0;
    if (!commandLine.empty() && commandLine[0] == '"') {
        end = commandLine.find('"', 1);
        end = end == std::string::npos ? commandLine.size() : end + 1;
    } else {
        end = commandLine.find(' ');
        if (end == std::string::npos) end = commandLine.size();
    }
    while (end < commandLine.size() && commandLine[end] == ' ') ++end;
    return commandLine.substr(end);
}

TEST_F(EntryLaunch, TheProgramStartsApartFromItsArgumentsInItsOwnFolder) {
    struct Case {
        const char* what;
        const char* stored;
        DWORD type;
        const char* arguments;  // what the program got
    } cases[] = {
        {"unquoted, blanks in folder and file", "C:\\bmtest\\Launch Dir\\recorder app -a \"b c\"", REG_SZ,
         "-a \"b c\""},
        {"with its extension", "C:\\bmtest\\Launch Dir\\recorder app.exe /x", REG_SZ, "/x"},
        {"quoted", "\"C:\\bmtest\\Launch Dir\\recorder app.exe\" /q y.txt", REG_SZ, "/q y.txt"},
        {"no arguments", "C:\\bmtest\\Launch Dir\\recorder app.exe", REG_SZ, ""},
        {"expandable", "%BM_LAUNCH_DIR%\\recorder app.exe %BM_LAUNCH_ARG% 100%", REG_EXPAND_SZ, "from-env 100%"},
        {"plain text keeps its percent signs", "C:\\bmtest\\Launch Dir\\recorder app.exe %BM_LAUNCH_ARG%", REG_SZ,
         "%BM_LAUNCH_ARG%"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Recorder", c.stored, c.type);
        const Record record = Launch(TheOne("Recorder"));
        EXPECT_NE(record.commandLine.find("recorder app.exe"), std::string::npos) << record.commandLine;
        EXPECT_EQ(ArgumentsOf(record.commandLine), c.arguments) << record.commandLine;
        EXPECT_EQ(record.folder, kLaunchDir);
    }
}

TEST_F(EntryLaunch, ASwitchedOffEntryStartsItsOwnProgramNotTheCompanion) {
    SetString(HKEY_CURRENT_USER, KeyPathOf(kUserRun), "Off",
              DeactivationMarker() + "C:\\bmtest\\Launch Dir\\recorder app -off");
    const StartupEntry off = TheOne("Off");
    ASSERT_EQ(off.active, 0);
    const Record record = Launch(off);
    EXPECT_EQ(ArgumentsOf(record.commandLine), "-off") << record.commandLine;
    EXPECT_EQ(record.folder, kLaunchDir);
}

TEST_F(EntryLaunch, ALinkStartsThroughTheLinkWithItsOwnWorkingFolder) {
    ASSERT_TRUE(WritePlatformLink(FolderOf(kUserStartup) + "Linked.lnk", {kRecorder, "-l \"x y\"", kLinkWork}));
    const StartupEntry linked = TheOne("Linked");
    EXPECT_EQ(PlanLaunch(linked).file, FolderOf(kUserStartup) + "Linked.lnk");
    const Record record = Launch(linked);
    EXPECT_EQ(ArgumentsOf(record.commandLine), "-l \"x y\"") << record.commandLine;
    EXPECT_EQ(record.folder, kLinkWork);
}

TEST_F(EntryLaunch, AFailedStartSaysWhy) {
    struct Case {
        const char* what;
        StartupEntry entry;
        LaunchFailure failure;
    } cases[] = {
        {"no blank ends a file", AnEntry("Gone", "C:\\bmtest\\Gone Dir\\gone.exe -q").Kind(kUserRun),
         LaunchFailure::FileNotFound},
        {"a quoted program that is gone", AnEntry("Gone", "\"C:\\bmtest\\Launch Dir\\gone.exe\" -q").Kind(kUserRun),
         LaunchFailure::FileNotFound},
        {"percent signs of plain text are not expanded",
         AnEntry("Plain", "%BM_LAUNCH_DIR%\\recorder app.exe").Kind(kUserRun), LaunchFailure::FileNotFound},
        {"an empty command", AnEntry("Empty", "").Kind(kUserRun), LaunchFailure::NoProgram},
        {"a link that is gone", AnEntry("Nothing", "C:\\x.exe ").Kind(kUserStartup), LaunchFailure::FileNotFound},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HANDLE process = nullptr;
        const LaunchResult result = LaunchEntry(c.entry, nullptr, &process);
        EXPECT_FALSE(result.started);
        EXPECT_EQ(process, nullptr);
        EXPECT_EQ(static_cast<int>(result.failure), static_cast<int>(c.failure)) << "error " << result.error;
    }
    StartupEntry binary = AnEntry("Binary", "").Kind(kUserRun);
    binary.stored = StoredValue::NotText;
    EXPECT_EQ(static_cast<int>(LaunchEntry(binary).failure), static_cast<int>(LaunchFailure::NoProgram));
    EXPECT_EQ(GetFileAttributesA(kRecord), INVALID_FILE_ATTRIBUTES) << "nothing was started";
}

}  // namespace
}  // namespace entrytest
