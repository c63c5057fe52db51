// Where the program and its data live: the executable, the data folder under
// the user's local application data, the lookup of a data file, and the Windows
// directory.
#pragma once
#include <string>
#include <vector>

// Full path of the running executable.
std::string ExecutablePath();
// Folder of the running executable, ending in a backslash.
std::string ProgramFolder();

// The user's local application data folder (the "Shell Folders" value, else the
// shell's answer) + "\Veltmanix\" + B + "\"; the program folder + B + "\" only
// when neither names one. For an empty B the maker folder itself.
std::string DataFolder(const std::string& baseName);
// The file in the data folder if it is there, else in the program folder if it
// is there, else the path in the data folder.
std::string DataFile(const std::string& baseName, const std::string& fileName);
bool PrepareDataFolder(const std::string& baseName, bool clear);
// Copies the files that are in the program folder but not yet in the data
// folder; never overwrites.
bool MigrateDataFiles(const std::string& baseName, bool clear, const std::vector<std::string>& files);

// The Windows directory without a trailing backslash.
std::string WindowsFolder();
