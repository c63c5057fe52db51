// Shared ground for the entry tests under Wine: every case starts and ends with
// all fourteen locations of the test's prefix empty, and can seed and inspect
// them with the bare platform calls, independent of the code under test.
#pragma once
#include <shlobj.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entries/StartupEntry.h"
#include "support/EntryBuilder.h"

namespace entrytest {

extern const char kShellFoldersKey[];
extern const char kRunKeyBase[];    // "Software\Microsoft\Windows\CurrentVersion\"
extern const char kRunKeyBase32[];  // the same below "Software\Wow6432Node\"
// Windows' switch values: "...\Explorer\StartupApproved" (subkeys Run, Run32, StartupFolder).
extern const char kStartupApprovedKey[];
// Where the platform keeps win.ini's [Windows] section.
extern const char kWinIniRegistryKey[];

HKEY RootOf(int kind);              // registry kinds
std::string KeyPathOf(int kind);    // registry kinds
std::string FolderOf(int kind);     // Startup kinds, ending in a backslash
const char* WinIniKeyOf(int kind);  // win.ini kinds

void SetValue(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data, DWORD size);
void SetString(HKEY root, const std::string& key, const std::string& name, const std::string& text,
               DWORD type = REG_SZ);
// Type and text of a value; type 0 when missing.
std::pair<DWORD, std::string> GetValue(HKEY root, const std::string& key, const std::string& name);
bool KeyExists(HKEY root, const std::string& key);
size_t ValueCount(HKEY root, const std::string& key);

// The raw list of win.ini's "load" or "run"; "<missing>" when there is none.
std::string RawWinIni(const char* key);
void SetRawWinIni(const char* key, const std::string& list);

struct LinkFields {
    LinkFields() = default;
    LinkFields(std::string path_, std::string arguments_, std::string workingDirectory_ = "",
               std::string description_ = "", std::string iconLocation_ = "", int iconIndex_ = 0, WORD hotKey_ = 0)
        : path(std::move(path_)),
          arguments(std::move(arguments_)),
          workingDirectory(std::move(workingDirectory_)),
          description(std::move(description_)),
          iconLocation(std::move(iconLocation_)),
          iconIndex(iconIndex_),
          hotKey(hotKey_) {}
    std::string path, arguments, workingDirectory, description, iconLocation;
    int iconIndex = 0;
    WORD hotKey = 0;
};
// Writes and reads links with the platform's own shell-link object.
bool WritePlatformLink(const std::string& file, const LinkFields& fields);
LinkFields ReadPlatformLink(const std::string& file);

bool WriteBytes(const std::string& file, const std::string& bytes);
void MakeFolders(const std::string& folder);
// Names of the items of a folder (hidden ones too), sorted.
std::vector<std::string> FolderItems(const std::string& folder);

// Entries of one kind in a list, sorted by name then command, for comparisons
// that do not depend on the order of a location.
std::vector<std::pair<std::string, std::string>> NamesAndCommands(const EntryList& entries, int kind);

using testsupport::AnEntry;

class LocationsTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

private:
    std::string savedCommonStartup_, savedUserStartup_;
};

}  // namespace entrytest
