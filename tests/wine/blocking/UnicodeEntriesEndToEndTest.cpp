// Entries named in scripts the ANSI code page does not hold, end to end: a
// Startup link and Run values seeded with the platform's wide functions (one
// value name holding a lone surrogate), listed, switched off and on, moved
// between the registry and the Startup folder, backed up by the real
// "Bootmarshal.com /backup" and restored, blocked, and removed by the real
// logon check when the program puts itself back. Every step is checked against
// the registry and the link files as Windows holds them, read with the wide
// functions, so a name or command that came back with one character changed
// fails.
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "backup/BackupStore.h"
#include "backup/EntryRestore.h"
#include "blocking/BlockCheckLog.h"
#include "blocking/BlockCheckLogFormat.h"
#include "blocking/BlockList.h"
#include "blocking/EntryBlocking.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/LocationKinds.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "system/Utf8.h"
#include "xml/XmlCodec.h"
#include "xml/XmlParser.h"

using testsupport::ProductPath;
using testsupport::RunProcess;

namespace {

const wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct Case {
    const char* what;
    int32_t kind;          // where it is seeded: a Run key or the user's Startup folder
    int32_t movedTo;       // where the move takes it and back from
    std::wstring name;     // value name, or link name without ".lnk"
    std::wstring program;  // a file made for the test, so that a move into a link finds it
    std::wstring arguments;
};

// The command as listed and stored in a Run value: the program, then the arguments.
std::wstring CommandOf(const Case& c) {
    const bool quoted = c.program.find(L' ') != std::wstring::npos;
    return (quoted ? L"\"" + c.program + L"\"" : c.program) + (c.arguments.empty() ? L"" : L" " + c.arguments);
}

// Wine's shell-link object keeps a link's target path in the ANSI code page
// only (a Cyrillic path set through IShellLinkW reads back as "?"), so the
// programs of entries that become links are named in ASCII here; their names
// and arguments, and the programs of entries that stay in the registry, are in
// any script.
const Case kCases[] = {
    {"Cyrillic link", kUserStartup, kUserRun, L"\u0422\u0435\u0441\u0442", L"C:\\Tools\\test.exe",
     L"/\u0440\u0435\u0436\u0438\u043c \u0442\u0438\u0445\u043e"},
    {"Cyrillic Run value", kUserRun, kUserStartup, L"\u041f\u0440\u043e\u0432\u0435\u0440\u043a\u0430",
     L"C:\\Tools\\check.exe", L"/\u0442\u0438\u0445\u043e"},
    {"Greek, CJK and an emoji in the machine's Run key", kMachineRun, kUserRun,
     L"\u0395\u03bb\u03bb\u03b7\u03bd\u03b9\u03ba\u03ac \u6d4b\u8bd5 \U0001F600",
     L"C:\\\u5de5\u5177 \u03b1\\\U0001F600.exe", L"--\u03b4"},
    {"lone surrogate in a value name", kUserRun, kMachineRun, std::wstring(L"Half") + wchar_t(0xD800),
     L"C:\\\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b\\\u043f\u0440\u043e\u0432\u0435\u0440\u043a\u0430."
     L"exe",
     L"/x"},
};

HKEY RootOf(int32_t kind) { return kind == kMachineRun ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }

std::wstring StartupFolder() {
    wchar_t path[MAX_PATH] = {};
    EXPECT_TRUE(SUCCEEDED(SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr, 0, path)));
    return std::wstring(path) + L"\\";
}

std::wstring LinkFile(const Case& c) { return StartupFolder() + c.name + L".lnk"; }

// What one slot holds as Windows keeps it: the value's text, or the link's
// target and arguments joined as a command; nothing when the slot is empty.
struct Stored {
    bool exists = false;
    std::wstring text;
};

Stored ReadValue(int32_t kind, const std::wstring& name) {
    Stored stored;
    HKEY key = nullptr;
    if (RegOpenKeyExW(RootOf(kind), kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return stored;
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
        std::wstring data(size / sizeof(wchar_t) + 1, L'\0');
        RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&data[0]), &size);
        data.resize(wcsnlen(data.c_str(), data.size()));
        stored = Stored{type == REG_SZ, data};
    }
    RegCloseKey(key);
    return stored;
}

void WriteValue(int32_t kind, const std::wstring& name, const std::wstring& text) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(RootOf(kind), kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                             static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

Stored ReadLink(const std::wstring& file) {
    Stored stored;
    if (GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES) return stored;
    stored.exists = true;
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return stored;
    }
    IPersistFile* persist = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist)))) {
        wchar_t path[MAX_PATH] = {}, arguments[INFOTIPSIZE] = {};
        if (SUCCEEDED(persist->Load(file.c_str(), STGM_READ)) &&
            SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, SLGP_RAWPATH)) &&
            SUCCEEDED(link->GetArguments(arguments, INFOTIPSIZE))) {
            const std::wstring target = path;
            const bool quoted = target.find(L' ') != std::wstring::npos;
            stored.text = (quoted ? L"\"" + target + L"\"" : target) + (arguments[0] ? L" " : L"") + arguments;
        }
        persist->Release();
    }
    link->Release();
    return stored;
}

void WriteLink(const std::wstring& file, const std::wstring& program, const std::wstring& arguments) {
    IShellLinkW* link = nullptr;
    ASSERT_TRUE(SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                           reinterpret_cast<void**>(&link))));
    IPersistFile* persist = nullptr;
    EXPECT_TRUE(SUCCEEDED(link->SetPath(program.c_str())));
    EXPECT_TRUE(SUCCEEDED(link->SetArguments(arguments.c_str())));
    EXPECT_TRUE(SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&persist))));
    if (persist) {
        EXPECT_TRUE(SUCCEEDED(persist->Save(file.c_str(), TRUE)));
        persist->Release();
    }
    link->Release();
}

Stored ReadSlot(const Case& c, int32_t kind) {
    return kind == kUserStartup ? ReadLink(LinkFile(c)) : ReadValue(kind, c.name);
}

// The entry as the program seeds it: active, in its own place.
void Seed(const Case& c) {
    if (c.kind == kUserStartup) {
        WriteLink(LinkFile(c), c.program, c.arguments);
    } else {
        WriteValue(c.kind, c.name, CommandOf(c));
    }
}

void MakeProgramFile(const std::wstring& path) {
    const std::wstring folder = path.substr(0, path.rfind(L'\\'));
    CreateDirectoryW(folder.c_str(), nullptr);
    const HANDLE file =
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << testsupport::LastErrorText("making the program file");
    CloseHandle(file);
}

void ClearSlots(const Case& c) {
    DeleteFileW(LinkFile(c).c_str());
    for (const int32_t kind : {kUserRun, kMachineRun}) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(RootOf(kind), kRunKey, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, c.name.c_str());
            RegCloseKey(key);
        }
    }
}

// The entry the program lists in that place under exactly the case's name.
bool Listed(const Case& c, int32_t kind, StartupEntry& found) {
    for (const StartupEntry& entry : CollectAllEntries()) {
        if (entry.kind == kind && entry.name == Utf8FromWide(c.name)) {
            found = entry;
            return true;
        }
    }
    return false;
}

class UnicodeEntries : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
        for (const Case& c : kCases) ClearSlots(c);
        DeleteFileW(WideFromUtf8(DataFile(kBaseName, kBlockListFileName)).c_str());
        DeleteFileW(WideFromUtf8(DefaultBackupFile()).c_str());
        MakeProgramFile(GetParam().program);
    }
    void TearDown() override {
        for (const Case& c : kCases) ClearSlots(c);
        CoUninitialize();
    }
};

TEST_P(UnicodeEntries, AreSwitchedMovedRestoredAndBlockedUnderTheirExactNames) {
    const Case& c = GetParam();
    const std::string name = Utf8FromWide(c.name);
    const std::string command = Utf8FromWide(CommandOf(c));
    ASSERT_TRUE(IsWtf8(name));
    Seed(c);
    ASSERT_TRUE(ReadSlot(c, c.kind).exists) << c.what;
    EXPECT_EQ(ReadSlot(c, c.kind).text, CommandOf(c)) << c.what << ": as seeded";

    StartupEntry listed;
    ASSERT_TRUE(Listed(c, c.kind, listed)) << c.what << ": listed under its exact name";
    EXPECT_EQ(listed.command, command) << c.what;
    EXPECT_EQ(listed.active, 1) << c.what;

    // Off and on again: the same slot all the time, and at the end the very
    // text that was seeded.
    StartupEntry off = listed;
    off.active = 0;
    ASSERT_TRUE(ReplaceEntry(listed, off).ok()) << c.what << ": switched off";
    ASSERT_TRUE(Listed(c, c.kind, listed)) << c.what << ": listed after switching off";
    EXPECT_EQ(listed.active, 0) << c.what;
    EXPECT_EQ(listed.command, command) << c.what;
    StartupEntry on = listed;
    on.active = 1;
    ASSERT_TRUE(ReplaceEntry(listed, on).ok()) << c.what << ": switched on";
    EXPECT_EQ(ReadSlot(c, c.kind).text, CommandOf(c)) << c.what << ": after off and on";

    // Moved to the other family and back.
    ASSERT_TRUE(Listed(c, c.kind, listed));
    StartupEntry moved = listed;
    moved.kind = c.movedTo;
    const ChangeResult there = ReplaceEntry(listed, moved);
    ASSERT_TRUE(there.ok()) << c.what << ": moved, reason " << static_cast<int>(there.reason);
    EXPECT_FALSE(ReadSlot(c, c.kind).exists) << c.what << ": the old place is empty";
    EXPECT_EQ(ReadSlot(c, c.movedTo).text, CommandOf(c)) << c.what << ": in its new place";
    ASSERT_TRUE(Listed(c, c.movedTo, listed)) << c.what << ": listed in its new place";
    EXPECT_EQ(listed.command, command) << c.what;
    moved = listed;
    moved.kind = c.kind;
    ASSERT_TRUE(ReplaceEntry(listed, moved).ok()) << c.what << ": moved back";
    EXPECT_FALSE(ReadSlot(c, c.movedTo).exists) << c.what;
    EXPECT_EQ(ReadSlot(c, c.kind).text, CommandOf(c)) << c.what << ": back in its place";

    // Backed up by the program, deleted, restored from the file.
    ASSERT_EQ(RunProcess("\"" + ProductPath("Bootmarshal.com") + "\" /backup"), 0) << c.what;
    ASSERT_TRUE(Listed(c, c.kind, listed));
    ASSERT_TRUE(DeleteEntry(listed).ok()) << c.what << ": deleted";
    ASSERT_FALSE(ReadSlot(c, c.kind).exists) << c.what;
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    BackupStore store(parser);
    store.LoadBackupFile();
    ASSERT_EQ(store.List().Snapshots.size(), 1u) << c.what;
    const StartupEntry* recorded = nullptr;
    for (const StartupEntry& entry : store.List().Snapshots[0].Entries) {
        if (entry.name == name && entry.kind == c.kind) recorded = &entry;
    }
    ASSERT_NE(recorded, nullptr) << c.what << ": in the backup under its exact name and place";
    EXPECT_EQ(recorded->command, command) << c.what;
    const EntryRestore restored = RestoreEntry(*recorded, CollectAllEntries());
    ASSERT_TRUE(restored.ok()) << c.what << ": restored, reason " << static_cast<int>(restored.change.reason);
    EXPECT_EQ(ReadSlot(c, c.kind).text, CommandOf(c)) << c.what << ": restored exactly";

    // Blocked: switched off and on the list. The program puts itself back at
    // its next start, and the logon check removes it again.
    ASSERT_TRUE(Listed(c, c.kind, listed));
    ASSERT_TRUE(BlockEntry(listed).ok()) << c.what << ": blocked";
    ASSERT_TRUE(Listed(c, c.kind, listed));
    EXPECT_EQ(listed.active, 0) << c.what << ": blocked means switched off";
    Seed(c);
    ASSERT_EQ(ReadSlot(c, c.kind).text, CommandOf(c)) << c.what << ": back";
    EXPECT_EQ(RunProcess("\"" + ProductPath("Bootmarshal.exe") + "\" /blocklist"), 0);
    EXPECT_FALSE(ReadSlot(c, c.kind).exists) << c.what << ": removed by the logon check";
    // And its log says so, under the entry's own name and command.
    const BlockCheckRun run = LastBlockCheckRun(testsupport::ReadFileBytes(BlockCheckLogFile()));
    bool logged = false;
    for (const BlockCheckAction& action : run.actions) {
        logged |= action.removed && action.name == name && action.command == command;
    }
    EXPECT_TRUE(logged) << c.what << ": in the log as removed";
}

size_t StartupFolderItems() {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((StartupFolder() + L"*").c_str(), &found);
    size_t items = 0;
    if (search != INVALID_HANDLE_VALUE) {
        do items += found.cFileName[0] != L'.';
        while (FindNextFileW(search, &found));
        FindClose(search);
    }
    return items;
}

// A Run value moved into a link whose file name or program path the code page
// cannot hold: the link holds both exactly and is listed under the value's
// name, or (where the platform cannot keep them, as Wine's shell-link object
// keeps the target path in the code page only) the move is refused and the
// value stays as it was. Never a link under another name or to another path.
TEST(UnicodeEntryMove, IntoALinkKeepsNameAndProgramPathOrIsRefused) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const Case cases[] = {
        {"Cyrillic program path", kUserRun, kUserStartup, L"\u041f\u0443\u0442\u044c",
         L"C:\\\u041f\u0440\u043e\u0433\u0440\u0430\u043c\u043c\u044b\\\u043f\u0443\u0442\u044c.exe",
         L"/\u0442\u0438\u0445\u043e"},
        {"emoji in the name", kUserRun, kUserStartup, L"Smile \U0001F600", L"C:\\Tools\\smile.exe", L"/s"},
        {"lone surrogate in the name", kUserRun, kUserStartup, std::wstring(L"Half") + wchar_t(0xD800),
         L"C:\\Tools\\half.exe", L"/x"},
    };
    for (const Case& c : cases) {
        ClearSlots(c);
        MakeProgramFile(c.program);
        Seed(c);
        StartupEntry listed;
        ASSERT_TRUE(Listed(c, c.kind, listed)) << c.what;
        StartupEntry moved = listed;
        moved.kind = c.movedTo;
        if (ReplaceEntry(listed, moved).ok()) {
            EXPECT_EQ(ReadSlot(c, c.movedTo).text, CommandOf(c)) << c.what << ": the link starts the very program";
            EXPECT_FALSE(ReadSlot(c, c.kind).exists) << c.what;
            EXPECT_TRUE(Listed(c, c.movedTo, listed)) << c.what << ": listed under the value's name";
            EXPECT_EQ(StartupFolderItems(), 1u) << c.what << ": the one link";
        } else {
            EXPECT_EQ(ReadSlot(c, c.kind).text, CommandOf(c)) << c.what << ": the value stays as it was";
            EXPECT_EQ(StartupFolderItems(), 0u) << c.what << ": nothing of the attempt is left in the folder";
        }
        ClearSlots(c);
    }
    CoUninitialize();
}

INSTANTIATE_TEST_SUITE_P(Scripts, UnicodeEntries, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) { return std::to_string(param.index); });

}  // namespace
