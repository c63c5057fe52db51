// The logon check end to end: entries seeded in all kinds of locations, a block
// list typed by hand, then the real "Bootmarshal.exe /blocklist" run as a
// process; afterwards exactly the blocked, active copies are gone.
#include <gtest/gtest.h>
#include <objbase.h>
#include <shlobj.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <set>
#include <stdexcept>

#include "blocking/BlockCheckLog.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/RegistryValues.h"
#include "system/Utf8.h"

using testsupport::ProductPath;
using testsupport::RunProcess;
using testsupport::WriteFileBytes;

namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnce[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kRunServices[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunServices";
// The machine's keys of 32-bit programs, by their real path.
const char kRun32[] = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunOnce32[] = "Software\\Wow6432Node\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
const char kRunAside[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run\\AutorunsDisabled";
const char kApprovedRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run";
const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kWinIni[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

std::vector<std::string> ValueNames(HKEY root, const char* key) {
    std::vector<std::string> names;
    for (const auto& value : ReadRegStringValues(root, key)) names.push_back(value.first);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> LinkNames(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "*.lnk").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::string Folder(HKEY root, const char* value) {
    std::string folder = ReadRegString(root, kShellFolders, value);
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    testsupport::MakeFolders(folder.substr(0, folder.size() - 1));
    return folder;
}

TEST(BlockCheck, RemovesExactlyTheActiveBlockedCopiesEverywhere) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const std::string marker = ProductPath("inactive.exe") + " ";
    const std::string nag = "C:\\Nag\\nag.exe /tray";

    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "NagUser", nag));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "NagOff", marker + nag));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRunOnce, "Other", "C:\\other.exe"));
    // Quoted or not, the program starts alike: the list's unquoted line meets
    // a quoted entry, and a quoted line an unquoted one.
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRunOnce, "Quoted", "\"C:\\Bad\\bad.exe\"  -x"));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRunOnce, "Unquoted", "C:\\Program Files\\Up\\up.exe"));
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, kRun, "NagMachine", "  c:\\nag\\NAG.EXE /TRAY \t"));
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, kRunServices, "Trail", "C:\\trail.exe"));
    // The 32-bit view is checked like the rest; entries switched off by Windows
    // or moved aside by another tool are not active and stay.
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, kRun32, "Nag32", nag));
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, kRunOnce32, "Keep32", "C:\\keep32.exe"));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRunAside, "NagAside", nag));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "NagByWindows", nag));
    {
        const BYTE off[12] = {3, 0, 0, 0, 0xd4, 0x0d, 0x43, 0x8d, 0xc8, 0x3b, 0xd9, 0x01};
        HKEY key = nullptr;
        ASSERT_EQ(
            RegCreateKeyExA(HKEY_CURRENT_USER, kApprovedRun, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
        ASSERT_EQ(RegSetValueExA(key, "NagByWindows", 0, REG_BINARY, off, sizeof off), ERROR_SUCCESS);
        RegCloseKey(key);
    }
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kWinIni, "load", nag + ";C:\\keep.exe;C:\\NAG\\nag.exe /tray"));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kWinIni, "run", "C:\\keep2.exe"));
    const std::string userStartup = Folder(HKEY_CURRENT_USER, "STARTUP");
    const std::string commonStartup = Folder(HKEY_LOCAL_MACHINE, "Common Startup");
    ASSERT_TRUE(testsupport::WritePlatformLink(userStartup + "Nag.lnk", "C:\\Nag\\nag.exe", "/tray"));
    ASSERT_TRUE(testsupport::WritePlatformLink(commonStartup + "Keep.lnk", "C:\\keep3.exe", ""));
    ASSERT_TRUE(testsupport::WritePlatformLink(commonStartup + "NagOff.lnk", ProductPath("inactive.exe"), nag));

    // Typed by hand: LF line ends, and a trailing blank that never matches.
    PrepareDataFolder("Bootmarshal", false);
    ASSERT_TRUE(WriteFileBytes(DataFolder("Bootmarshal") + "Bootmarshal.list",
                               nag + "\nC:\\trail.exe \nc:\\bad\\BAD.exe -x\n\"C:\\Program Files\\Up\\up.exe\"\n"));

    EXPECT_EQ(RunProcess("\"" + ProductPath("Bootmarshal.exe") + "\" /blocklist"), 0);

    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, kRun), (std::vector<std::string>{"NagByWindows", "NagOff"}));
    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, kRunAside), (std::vector<std::string>{"NagAside"}));
    EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kRun32), (std::vector<std::string>{}));
    EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kRunOnce32), (std::vector<std::string>{"Keep32"}));
    EXPECT_EQ(ValueNames(HKEY_CURRENT_USER, kRunOnce), (std::vector<std::string>{"Other"}));
    EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kRun), (std::vector<std::string>{}));
    EXPECT_EQ(ValueNames(HKEY_LOCAL_MACHINE, kRunServices), (std::vector<std::string>{"Trail"}));
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kRun, "NagOff"), marker + nag) << "the switched-off entry stays";
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kWinIni, "load"), "C:\\keep.exe");
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kWinIni, "run"), "C:\\keep2.exe");
    EXPECT_EQ(LinkNames(userStartup), (std::vector<std::string>{}));
    EXPECT_EQ(LinkNames(commonStartup), (std::vector<std::string>{"Keep.lnk", "NagOff.lnk"}));
    CoUninitialize();
}

void SetRawValue(HKEY root, const char* path, const char* name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

// A blank line in the list once matched every entry without a command text:
// values of other types, the (Default) values, RunOnceEx's "Flags" and empty
// links were all deleted at logon. Only the listed command goes now.
TEST(BlockCheck, ABlankLineInTheListRemovesNothingWithoutCommandText) {
    ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
    const char kRunOnceEx[] = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnceEx";
    const std::vector<std::string> raw = {"Binary", "Dword", "Multi", "Empty"};
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        // Other types hold the listed command's bytes: only a text value is one.
        SetRawValue(root, kRun, "Binary", REG_BINARY, std::string("C:\\nothing.exe\0", 15));
        SetRawValue(root, kRun, "Dword", REG_DWORD, std::string("\x05\0\0\0", 4));
        SetRawValue(root, kRun, "Multi", REG_MULTI_SZ, std::string("C:\\nothing.exe\0\0", 17));
        SetRawValue(root, kRun, "Empty", REG_SZ, std::string("\0", 1));
        SetRawValue(root, kRun, nullptr, REG_SZ, std::string("\0", 1));
        ASSERT_TRUE(WriteRegString(root, kRun, "Nothing", "C:\\nothing.exe"));
        SetRawValue(root, kRunOnceEx, "Flags", REG_DWORD, std::string("\x20\0\0\0", 4));
    }
    const std::string userStartup = Folder(HKEY_CURRENT_USER, "STARTUP");
    ASSERT_TRUE(WriteFileBytes(userStartup + "Empty.lnk", ""));
    PrepareDataFolder("Bootmarshal", false);
    ASSERT_TRUE(
        WriteFileBytes(DataFolder("Bootmarshal") + "Bootmarshal.list", "C:\\nothing.exe\r\n\r\n \t\r\n\"\"\r\n"));
    // The log tells runs apart by their time to the second: a run of the test
    // before, in the same second, would count as this one's.
    DeleteFileW(WideFromUtf8(BlockCheckLogFile()).c_str());

    EXPECT_EQ(RunProcess("\"" + ProductPath("Bootmarshal.exe") + "\" /blocklist"), 0);

    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        const char* const where = root == HKEY_CURRENT_USER ? "user" : "machine";
        for (const std::string& name : raw) EXPECT_TRUE(ReadRegValue(root, kRun, name).exists) << where << " " << name;
        EXPECT_TRUE(ReadRegValue(root, kRun, "").exists) << where << " (Default)";
        EXPECT_FALSE(ReadRegValue(root, kRun, "Nothing").exists) << where << ": the listed command goes";
        EXPECT_TRUE(ReadRegValue(root, kRunOnceEx, "Flags").exists) << where;
    }
    EXPECT_EQ(LinkNames(userStartup), (std::vector<std::string>{"Empty.lnk"}));
    std::vector<std::string> logged;
    for (const BlockCheckAction& action : LastBlockCheckRun(testsupport::ReadFileBytes(BlockCheckLogFile())).actions) {
        logged.push_back(action.name + (action.removed ? " removed" : " kept"));
    }
    EXPECT_EQ(logged, (std::vector<std::string>{"Nothing removed", "Nothing removed"}));

    // The other tests of this program share the prefix.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const std::string& name : raw) DeleteRegValue(root, kRun, name);
        DeleteRegValue(root, kRun, "");
        DeleteRegValue(root, kRunOnceEx, "Flags");
    }
    DeleteFileA((userStartup + "Empty.lnk").c_str());
    CoUninitialize();
}

// A win.ini list too long to store again cannot lose its blocked item, and
// that must not stop the check: the entries after it are still removed, and
// the process ends as usual.
TEST(BlockCheck, ARefusedWinIniWriteInTheMiddleStopsNothingElse) {
    const std::string nag = "C:\\Nag\\nag.exe /tray";
    std::string longList = nag;
    for (int i = 0; longList.size() < 40000; ++i) longList += ";C:\\Legacy\\keep" + std::to_string(i) + ".exe";
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "NagUser", nag));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kWinIni, "load", longList));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kWinIni, "run", "C:\\keep.exe;" + nag));
    ASSERT_TRUE(WriteRegString(HKEY_LOCAL_MACHINE, kRunOnce, "NagMachine", nag));
    PrepareDataFolder("Bootmarshal", false);
    ASSERT_TRUE(WriteFileBytes(DataFolder("Bootmarshal") + "Bootmarshal.list", nag + "\r\n"));
    // The log tells runs apart by their time to the second: a run of the test
    // before, in the same second, would count as this one's.
    DeleteFileW(WideFromUtf8(BlockCheckLogFile()).c_str());

    EXPECT_EQ(RunProcess("\"" + ProductPath("Bootmarshal.exe") + "\" /blocklist"), 0);

    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kWinIni, "load"), longList) << "refused: kept whole";
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kWinIni, "run"), "C:\\keep.exe") << "after the refusal";
    EXPECT_EQ(ReadRegValue(HKEY_CURRENT_USER, kRun, "NagUser").exists, false);
    EXPECT_EQ(ReadRegValue(HKEY_LOCAL_MACHINE, kRunOnce, "NagMachine").exists, false);

    // The check ends without a word: its log says what it removed and what not.
    const BlockCheckRun run = LastBlockCheckRun(testsupport::ReadFileBytes(BlockCheckLogFile()));
    EXPECT_FALSE(run.time.empty());
    std::vector<std::string> lines;
    for (const BlockCheckAction& action : run.actions) {
        EXPECT_EQ(action.command, nag);
        // win.ini items are named by the list's rule; their location is the file.
        const bool winIni =
            action.location.size() > 8 &&
            CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, action.location.c_str() + action.location.size() - 8, 8,
                           "\\win.ini", 8) == CSTR_EQUAL;
        lines.push_back((winIni ? std::string("win.ini") : action.name + " | " + action.location) + " | " +
                        (action.removed ? "removed" : "kept: " + action.reason));
    }
    std::sort(lines.begin(), lines.end());
    EXPECT_EQ(lines, (std::vector<std::string>{
                         "NagMachine | HKEY_LOCAL_MACHINE\\" + std::string(kRunOnce) + " | removed",
                         "NagUser | HKEY_CURRENT_USER\\" + std::string(kRun) + " | removed",
                         "win.ini | kept: write failed",
                         "win.ini | removed",
                     }));
}

// The names of the libraries the program's file imports, which the loader
// loads before the program's first line runs.
std::set<std::string> ImportedLibraries(const std::string& bytes) {
    std::set<std::string> names;
    const auto at = [&bytes](size_t offset, size_t size) {
        if (offset > bytes.size() || size > bytes.size() - offset) throw std::runtime_error("cut short");
        return bytes.data() + offset;
    };
    IMAGE_DOS_HEADER dos;
    memcpy(&dos, at(0, sizeof dos), sizeof dos);
    IMAGE_NT_HEADERS64 nt;
    memcpy(&nt, at(static_cast<size_t>(dos.e_lfanew), sizeof nt), sizeof nt);
    const size_t sections = static_cast<size_t>(dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS64, OptionalHeader) +
                            nt.FileHeader.SizeOfOptionalHeader;
    const auto fileOffset = [&](DWORD rva) -> size_t {
        for (WORD i = 0; i < nt.FileHeader.NumberOfSections; ++i) {
            IMAGE_SECTION_HEADER section;
            memcpy(&section, at(sections + i * sizeof section, sizeof section), sizeof section);
            if (rva >= section.VirtualAddress && rva < section.VirtualAddress + section.Misc.VirtualSize) {
                return rva - section.VirtualAddress + section.PointerToRawData;
            }
        }
        throw std::runtime_error("address outside every section");
    };
    const DWORD table = nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress;
    for (size_t entry = fileOffset(table);; entry += sizeof(IMAGE_IMPORT_DESCRIPTOR)) {
        IMAGE_IMPORT_DESCRIPTOR import;
        memcpy(&import, at(entry, sizeof import), sizeof import);
        if (import.Name == 0) break;
        std::string name = at(fileOffset(import.Name), 1);
        for (char& c : name) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        names.insert(name);
    }
    return names;
}

// The check runs at every logon and shows nothing. Libraries only the windows
// need (the print spooler and the dialogs it brings along above all) once
// cost it more at its start than its own work; they are loaded at their first
// call. At its start the program needs only what the check itself uses, which
// COM and the shell-link object load anyway.
TEST(BlockCheck, TheProgramLoadsAtItsStartOnlyWhatTheCheckUses) {
    const std::set<std::string> checkUses = {"kernel32.dll", "msvcrt.dll", "advapi32.dll", "ole32.dll",
                                             "shell32.dll",  "user32.dll", "gdi32.dll"};
    const std::set<std::string> imported =
        ImportedLibraries(testsupport::ReadFileBytes(ProductPath("Bootmarshal.exe")));
    EXPECT_TRUE(imported.count("kernel32.dll")) << "the import table was read";
    for (const std::string& name : imported) EXPECT_TRUE(checkUses.count(name)) << name << " loads at every logon";
}

}  // namespace
