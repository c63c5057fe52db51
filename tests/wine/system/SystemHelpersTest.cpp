// The system helpers against the real registry and file system of the test's
// own Wine prefix.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/Errors.h"
#include "system/Files.h"
#include "system/RegistryValues.h"
#include "system/Scoped.h"
#include "system/Shell.h"
#include "system/TextCase.h"

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kScratchKey[] = "Software\\BootmarshalTests";

bool KeyExists(HKEY root, const char* path) {
    ScopedKey key;
    return RegOpenKeyExA(root, path, 0, KEY_READ, key.receive()) == ERROR_SUCCESS;
}

TEST(CommandSplit, AgainstFilesThatExistOrNot) {
    testsupport::MakeFolders("C:\\bmtest\\Program Files\\App");
    ASSERT_TRUE(WriteFileBytes("C:\\bmtest\\run.exe", "MZ"));
    ASSERT_TRUE(WriteFileBytes("C:\\bmtest\\Program Files\\App\\app.exe", "MZ"));
    struct Case {
        const char* command;
        const char* program;
        const char* arguments;
    } cases[] = {
        {"C:\\bmtest\\run.exe /quiet", "C:\\bmtest\\run.exe", "/quiet"},
        {"C:\\bmtest\\run.exe /log x.txt", "C:\\bmtest\\run.exe", "/log x.txt"},
        {"C:\\bmtest\\Program Files\\App\\app.exe -a b.c", "C:\\bmtest\\Program Files\\App\\app.exe", "-a b.c"},
        // No prefix that begins with a quotation mark names a file: the rule of thumb decides.
        {"\"C:\\bmtest\\run.exe\" /quiet", "\"C:\\bmtest\\run.exe\"", "/quiet"},
        {"\"C:\\bmtest\\run.exe\" /log x.txt", "\"C:\\bmtest\\run.exe\" /log x.txt", ""},
        {"C:\\bmtest\\gone.exe /log x.txt", "C:\\bmtest\\gone.exe /log x.txt", ""},
        {"C:\\bmtest\\gone.exe", "C:\\bmtest\\gone.exe", ""},
        {"C:\\bmtest\\gone /q", "C:\\bmtest\\gone", "/q"},
        {"C:\\bmtest", "C:\\bmtest", ""},  // a folder is not a program file
        {"", "", ""},
        {"a", "a", ""},
        {"a b", "a", "b"},
        {"C:\\", "C:\\", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgramPart(c.command), c.program) << c.command;
        EXPECT_EQ(ArgumentsPart(c.command), c.arguments) << c.command;
    }
}

TEST(Registry, ReadsStringsAsStoredAndCreatesNothing) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, "x"), "");
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kScratchKey)) << "reading must not create the key";

    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, std::string("\\") + kScratchKey, "plain", "C:\\a.exe /x"));
    ScopedKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, KEY_SET_VALUE, key.receive()), ERROR_SUCCESS);
    const char expand[] = "%SystemRoot%\\b.exe";
    RegSetValueExA(key.get(), "expand", 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(expand), sizeof expand);
    const DWORD number = 7;
    RegSetValueExA(key.get(), "dword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
    const char unterminated[3] = {'a', 'b', 'c'};  // no NUL stored
    RegSetValueExA(key.get(), "raw", 0, REG_SZ, reinterpret_cast<const BYTE*>(unterminated), 3);

    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, "plain"), "C:\\a.exe /x");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, "expand"), "%SystemRoot%\\b.exe");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, "dword"), "");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, "raw"), "abc");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, "missing"), "");

    const auto values = ReadRegStringValues(HKEY_CURRENT_USER, kScratchKey);
    EXPECT_EQ(values.size(), 4u);
    for (const auto& [name, text] : values)
        EXPECT_EQ(text, ReadRegString(HKEY_CURRENT_USER, kScratchKey, name)) << name;

    EXPECT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, kScratchKey, "plain"));
    EXPECT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, kScratchKey, "plain")) << "a missing value is gone too";
    EXPECT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, "Software\\BootmarshalNoSuchKey", "x"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\BootmarshalNoSuchKey"));
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
}

// Names and texts in every script, seeded and checked through the wide
// functions: the program's WTF-8 holds each unit, a lone surrogate too.
TEST(Registry, NamesAndTextsInAnyScriptRoundTripExactly) {
    struct Value {
        std::wstring wideName;
        std::wstring wideText;
        std::string name;
        std::string text;
    };
    const Value values[] = {
        {L"\x041F\x0440\x043E\x0432\x0435\x0440\x043A\x0430", L"C:\\\x0422\x0435\x0441\x0442\\a.exe",
         "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB2\xD0\xB5\xD1\x80\xD0\xBA\xD0\xB0",
         "C:\\\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82\\a.exe"},
        {L"\x03A9\x03BC\x03AD\x03B3\x03B1", L"\x03B1.exe", "\xCE\xA9\xCE\xBC\xCE\xAD\xCE\xB3\xCE\xB1", "\xCE\xB1.exe"},
        {L"\x4E2D\x6587", L"\x4E2D.exe /\x6587", "\xE4\xB8\xAD\xE6\x96\x87", "\xE4\xB8\xAD.exe /\xE6\x96\x87"},
        {L"Rocket \xD83D\xDE80", L"r.exe \xD83D\xDE80", "Rocket \xF0\x9F\x9A\x80", "r.exe \xF0\x9F\x9A\x80"},
        {L"Lone \xD800", L"lone.exe", "Lone \xED\xA0\x80", "lone.exe"},
    };
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
    ScopedKey key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_SET_VALUE | KEY_QUERY_VALUE, nullptr,
                              key.receive(), nullptr),
              ERROR_SUCCESS);
    for (const Value& value : values) {
        RegSetValueExW(key.get(), value.wideName.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(value.wideText.c_str()),
                       static_cast<DWORD>((value.wideText.size() + 1) * sizeof(wchar_t)));
    }
    const auto listed = ReadRegStringValues(HKEY_CURRENT_USER, kScratchKey);
    ASSERT_EQ(listed.size(), std::size(values));
    for (const Value& value : values) {
        SCOPED_TRACE(value.name);
        EXPECT_NE(std::find(listed.begin(), listed.end(), std::make_pair(value.name, value.text)), listed.end());
        EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, value.name), value.text);
        // Written back under its name and read through the wide function: the same units.
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kScratchKey, value.name, value.text + " /again"));
        std::wstring stored(64, L'\0');
        DWORD size = static_cast<DWORD>(stored.size() * sizeof(wchar_t));
        ASSERT_EQ(RegQueryValueExW(key.get(), value.wideName.c_str(), nullptr, nullptr,
                                   reinterpret_cast<BYTE*>(&stored[0]), &size),
                  ERROR_SUCCESS);
        stored.resize(size / sizeof(wchar_t) - 1);
        EXPECT_TRUE(stored == value.wideText + L" /again");
        EXPECT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, kScratchKey, value.name));
    }
    EXPECT_TRUE(ReadRegStringValues(HKEY_CURRENT_USER, kScratchKey).empty()) << "every value deleted by its own name";
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
}

TEST(Registry, DeniedWritesReportFailureAndChangeNothing) {
    WriteRegString(HKEY_CURRENT_USER, kScratchKey, "kept", "old");
    SetRegistryWriteDenialForTests([](HKEY root, const std::string&) { return root == HKEY_CURRENT_USER; });
    EXPECT_FALSE(WriteRegString(HKEY_CURRENT_USER, kScratchKey, "kept", "new"));
    EXPECT_FALSE(DeleteRegValue(HKEY_CURRENT_USER, kScratchKey, "kept"));
    SetRegistryWriteDenialForTests(nullptr);
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kScratchKey, "kept"), "old");
    RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey);
}

// Saves and restores the "Local AppData" value around a test.
class DataFolderTest : public ::testing::Test {
protected:
    void SetUp() override { saved_ = ReadRegString(HKEY_CURRENT_USER, kShellFolders, "Local AppData"); }
    void TearDown() override {
        WriteRegString(HKEY_CURRENT_USER, kShellFolders, "Local AppData", saved_);
        for (const char* name : {"bmtest-a.dat", "bmtest-b.dat"}) DeleteFileA((ProgramFolder() + name).c_str());
        DeleteFolderTree("C:\\bmdata");
        DeleteFolderTree(ProgramFolder() + "BmTestBase");
    }
    std::string saved_;
};

TEST_F(DataFolderTest, FollowsLocalAppDataOrAsksTheShell) {
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kShellFolders, "Local AppData", "C:\\Users\\A\\AppData\\Local"));
    EXPECT_EQ(DataFolder("Bootmarshal"), "C:\\Users\\A\\AppData\\Local\\Veltmanix\\Bootmarshal\\");
    EXPECT_EQ(DataFolder(""), "C:\\Users\\A\\AppData\\Local\\Veltmanix\\");

    // Without the value (or with an empty one) the shell knows the folder.
    const std::string shellFolder = KnownFolderPath(KnownFolder::LocalAppData);
    ASSERT_GT(shellFolder.size(), 3u);
    for (const char* emptyValue : {static_cast<const char*>(""), static_cast<const char*>(nullptr)}) {
        if (emptyValue) {
            ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kShellFolders, "Local AppData", emptyValue));
        } else {
            ASSERT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, kShellFolders, "Local AppData"));
        }
        EXPECT_EQ(DataFolder("Bootmarshal"), shellFolder + "\\Veltmanix\\Bootmarshal\\");
        EXPECT_EQ(DataFolder(""), shellFolder + "\\Veltmanix\\");
    }
    EXPECT_EQ(ProgramFolder().back(), '\\');
}

TEST_F(DataFolderTest, DataFilePrefersDataFolderThenProgramFolder) {
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kShellFolders, "Local AppData", "C:\\bmdata"));
    CreateDirectoryA("C:\\bmdata", nullptr);
    ASSERT_TRUE(PrepareDataFolder("BmTest", false));
    const std::string inData = "C:\\bmdata\\Veltmanix\\BmTest\\bmtest-a.dat";
    const std::string inProgram = ProgramFolder() + "bmtest-a.dat";

    EXPECT_EQ(DataFile("BmTest", "bmtest-a.dat"), inData) << "in neither place: the data folder";
    ASSERT_TRUE(WriteFileBytes(inProgram, "program"));
    EXPECT_EQ(DataFile("BmTest", "bmtest-a.dat"), inProgram);
    ASSERT_TRUE(WriteFileBytes(inData, "data"));
    EXPECT_EQ(DataFile("BmTest", "bmtest-a.dat"), inData);
}

TEST_F(DataFolderTest, MigrationCopiesWhatIsMissingAndOverwritesNothing) {
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kShellFolders, "Local AppData", "C:\\bmdata"));
    CreateDirectoryA("C:\\bmdata", nullptr);
    ASSERT_TRUE(WriteFileBytes(ProgramFolder() + "bmtest-a.dat", "new a"));
    ASSERT_TRUE(WriteFileBytes(ProgramFolder() + "bmtest-b.dat", "new b"));
    ASSERT_TRUE(PrepareDataFolder("BmTest", false));
    ASSERT_TRUE(WriteFileBytes("C:\\bmdata\\Veltmanix\\BmTest\\bmtest-b.dat", "user's b"));

    EXPECT_TRUE(MigrateDataFiles("BmTest", false, {"bmtest-a.dat", "bmtest-b.dat", "bmtest-missing.dat"}));
    EXPECT_EQ(ReadFileBytes("C:\\bmdata\\Veltmanix\\BmTest\\bmtest-a.dat"), "new a");
    EXPECT_EQ(ReadFileBytes("C:\\bmdata\\Veltmanix\\BmTest\\bmtest-b.dat"), "user's b");
    EXPECT_EQ(ReadFileBytes(ProgramFolder() + "bmtest-a.dat"), "new a") << "the program folder's copy stays";
    EXPECT_FALSE(FileExists("C:\\bmdata\\Veltmanix\\BmTest\\bmtest-missing.dat"));

    // Without the value the data folder is the one the shell names.
    ASSERT_TRUE(DeleteRegValue(HKEY_CURRENT_USER, kShellFolders, "Local AppData"));
    EXPECT_TRUE(MigrateDataFiles("BmTestBase", false, {"bmtest-a.dat"}));
    EXPECT_EQ(ReadFileBytes(KnownFolderPath(KnownFolder::LocalAppData) + "\\Veltmanix\\BmTestBase\\bmtest-a.dat"),
              "new a");
}

TEST_F(DataFolderTest, MigrationFailsWhenTheFoldersCannotBeMade) {
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kShellFolders, "Local AppData", "C:\\bmdata\\no\\such"));
    EXPECT_FALSE(PrepareDataFolder("BmTest", false)) << "a missing local application data folder is not made";
    EXPECT_FALSE(FolderExists("C:\\bmdata\\no\\such"));
}

TEST(DeleteFolderTree, DeletesReadOnlyAndHiddenItems) {
    testsupport::MakeFolders("C:\\bmtree\\Sub Folder\\deeper");
    ASSERT_TRUE(WriteFileBytes("C:\\bmtree\\plain.txt", "x"));
    ASSERT_TRUE(WriteFileBytes("C:\\bmtree\\Sub Folder\\read only file.txt", "x"));
    ASSERT_TRUE(WriteFileBytes("C:\\bmtree\\Sub Folder\\deeper\\hidden.txt", "x"));
    SetFileAttributesA("C:\\bmtree\\Sub Folder\\read only file.txt", FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA("C:\\bmtree\\Sub Folder\\deeper\\hidden.txt", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SetFileAttributesA("C:\\bmtree\\Sub Folder", FILE_ATTRIBUTE_READONLY);

    DeleteFolderTree("C:\\bmtree");
    EXPECT_FALSE(FolderExists("C:\\bmtree"));
    DeleteFolderTree("C:\\bmtree");  // a missing folder is no error
}

TEST(DeleteFolderTree, NeverRemovesADriveRoot) {
    // Q: is a throw-away folder of this prefix.
    ASSERT_TRUE(FolderExists("Q:\\"));
    testsupport::MakeFolders("Q:\\inner");
    ASSERT_TRUE(WriteFileBytes("Q:\\inner\\f.txt", "x"));
    ASSERT_TRUE(WriteFileBytes("Q:\\top.txt", "x"));
    DeleteFolderTree("Q:\\");
    EXPECT_TRUE(FolderExists("Q:\\"));
    EXPECT_FALSE(FileExists("Q:\\top.txt"));
    EXPECT_FALSE(FolderExists("Q:\\inner"));
    DeleteFolderTree("q:");
    EXPECT_TRUE(FolderExists("Q:\\"));
}

TEST(OneLineFiles, FirstLineAndWriteOnce) {
    const std::string path = "C:\\bmline.txt";
    DeleteFileA(path.c_str());
    EXPECT_EQ(ReadFirstLine(path), "") << "missing file";
    struct Case {
        const char* bytes;
        const char* line;
    } cases[] = {{"", ""}, {"2.5\r\nnext", "2.5"}, {"2.5\nnext", "2.5"}, {"2.5 ", "2.5 "}, {"\r\n2.5", ""}};
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteFileBytes(path, c.bytes));
        EXPECT_EQ(ReadFirstLine(path), c.line) << c.bytes;
    }

    WriteTextFileOnce(path, "other");
    EXPECT_EQ(ReadFileBytes(path), "\r\n2.5") << "an existing file is left alone";
    DeleteFileA(path.c_str());
    WriteTextFileOnce(path, "2.5");
    EXPECT_EQ(ReadFileBytes(path), "2.5") << "no line end after the text";

    // A file that exists but cannot be opened reports an input/output error.
    ScopedFile lock(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock.valid());
    EXPECT_THROW(ReadFirstLine(path), EInOutError);
    lock.reset();
    EXPECT_THROW(WriteTextFileOnce("C:\\no\\such\\folder\\x.txt", "x"), EInOutError);
    DeleteFileA(path.c_str());
}

TEST(Platform, WindowsFolderAndCaseRules) {
    const std::string windows = WindowsFolder();
    ASSERT_FALSE(windows.empty());
    EXPECT_NE(windows.back(), '\\');
    EXPECT_TRUE(FolderExists(windows));
    EXPECT_EQ(UpperText("c:\\\xC3\xA4\xC3\xB6\xC3\xBC.exe"), "C:\\\xC3\x84\xC3\x96\xC3\x9C.EXE");
    EXPECT_TRUE(SameText("C:\\\xC3\x84PFEL.EXE", "c:\\\xC3\xA4pfel.exe"));
    EXPECT_FALSE(SameText("a.exe", "a.exe "));
}

// Only failures: a target the shell does open starts another program (the
// address tests of the windows show that side with a recording browser).
TEST(OpenWithShell, ATargetTheShellCannotOpenFailsWithThePlatformsReason) {
    const std::string orphan = "C:\\bmtest-shell\\orphan.bm-nothing-opens-this";
    CreateDirectoryA("C:\\bmtest-shell", nullptr);
    ASSERT_TRUE(WriteFileBytes(orphan, "no program is registered for this ending"));
    struct Case {
        std::string target;
        unsigned long error;  // 0: any reason (Windows says "no association", Wine "not a program")
    };
    for (const Case& row : {Case{"C:\\bmtest-shell\\missing.txt", ERROR_FILE_NOT_FOUND},
                            Case{"C:\\bmtest-shell\\no folder\\missing.txt", ERROR_PATH_NOT_FOUND}, Case{orphan, 0}}) {
        const ShellOpenResult opened = OpenWithShell(row.target);
        EXPECT_FALSE(opened.opened) << row.target;
        EXPECT_NE(opened.error, 0u) << row.target;
        if (row.error) {
            EXPECT_EQ(opened.error, row.error) << row.target;
        }
    }
    const ShellOpenResult existing = OpenExistingWithShell(orphan);
    EXPECT_FALSE(existing.opened) << "a file that exists and cannot be opened is a failure";
    EXPECT_NE(existing.error, 0u);
    EXPECT_TRUE(OpenExistingWithShell("C:\\bmtest-shell\\missing.txt").opened) << "a missing file is passed over";
    DeleteFolderTree("C:\\bmtest-shell");
}

}  // namespace
