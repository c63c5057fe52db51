// Small platform operations shared by the whole program: the data folder and the
// data-file lookup, carrying data files over from the program folder, one-line
// text files, registry string values, the shell, the Windows directory and the
// split of a command line. Free routines without state. Failures are swallowed
// and show as empty text or "false", except where a routine says otherwise.
#pragma once
#include <windows.h>
// winuser.h maps the old name AnsiUpper to CharUpperA; the name is ours here.
#ifdef AnsiUpper
#undef AnsiUpper
#endif

#include <string>
#include <utility>
#include <vector>

// Folder of the running executable, ending in a backslash.
std::string ProgramFolder();
// Full path of the running executable.
std::string ExecutablePath();

// The user's local application data folder + "\Veltmanix\" + B + "\" (or the
// program folder + B + "\" when there is no local application data folder).
// For an empty B the maker folder itself.
std::string DataFolder(const std::string& baseName);
// The file in the data folder if it is there, else in the program folder if it
// is there, else the path in the data folder.
std::string DataFile(const std::string& baseName, const std::string& fileName);
bool PrepareDataFolder(const std::string& baseName, bool clear);
bool MigrateDataFiles(const std::string& baseName, bool clear, const std::vector<std::string>& files);
// Deletes a folder tree; never removes the root folder of a drive.
void DeleteFolderTree(const std::string& folder);
bool FolderExists(const std::string& path);
// True when a file (not a folder) of that name exists.
bool FileExists(const std::string& path);

// First line of the file, or empty text for a missing or empty file.
// Throws EInOutError when the file exists but cannot be read.
std::string ReadFirstLine(const std::string& path);
// Creates the file with the text unless it exists. Throws EInOutError on failure.
void WriteTextFileOnce(const std::string& path, const std::string& text);

// Registry string values. Key paths may start with a backslash or not. Reading
// opens the key for reading only and creates nothing.
std::string ReadRegString(HKEY root, const std::string& keyPath, const std::string& valueName);
// All values of a key in the registry's order: REG_SZ and REG_EXPAND_SZ give
// their text as stored, other types empty text. A key that cannot be opened
// gives nothing.
std::vector<std::pair<std::string, std::string>> ReadRegStringValues(HKEY root, const std::string& keyPath);
// Creates the key if needed and stores the text as REG_SZ; true on success.
bool WriteRegString(HKEY root, const std::string& keyPath, const std::string& valueName, const std::string& text);
// True when the value is gone afterwards (also when it was never there).
bool DeleteRegValue(HKEY root, const std::string& keyPath, const std::string& valueName);

void OpenWithShell(const std::string& target);
void OpenExistingWithShell(const std::string& path);

// The Windows directory without a trailing backslash.
std::string WindowsFolder();

// The program path at the start of a command line, trimmed, and the rest.
std::string ProgramPart(const std::string& command);
std::string ArgumentsPart(const std::string& command);

// Upper-casing and case-blind comparison of ANSI text under the user's locale.
std::string AnsiUpper(const std::string& text);
bool AnsiSameText(const std::string& a, const std::string& b);

// Lets pending window messages run, so windows stay responsive in long loops.
void ProcessPendingMessages();

// Test seam: registry keys that Wine cannot be made to refuse. When set, every
// write or delete below a key for which it answers true fails as "access denied".
using RegistryWriteDenial = bool (*)(HKEY root, const std::string& keyPath);
void SetRegistryWriteDenialForTests(RegistryWriteDenial denial);
