// Helpers for tests that run under Wine: paths of the built product, processes,
// and scratch files in the test's own prefix.
#pragma once
#include <windows.h>

#include <string>

namespace testsupport {

// Windows path of a file in the product folder (beside Bootmarshal.exe).
std::string ProductPath(const std::string& fileName);
// The folder pictures of the main window go to (build tree, artifacts/screens),
// made when missing; with a trailing backslash.
std::string ScreensFolder();

// Windows path of a file of the source tree, given relative to its root.
std::string SourcePath(const std::string& relativePath);

// Starts the command line, waits at most timeoutMs; the exit code, or -1 when
// it could not be started or did not end in time (it is then killed).
int RunProcess(const std::string& commandLine, DWORD timeoutMs = 60000);

// Whole file as bytes; empty when missing.
std::string ReadFileBytes(const std::string& path);
// Creates or replaces the file with exactly these bytes; true on success.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// A link file written by the platform's own shell-link object (COM initialised
// by the caller); true when it was saved.
bool WritePlatformLink(const std::string& file, const std::string& target, const std::string& arguments);

// Records in the data folder (given with its trailing backslash) that the
// interface language was chosen for this version, so that a start of the
// program passes the language dialog, as every start after the first does.
void SeedLanguageChoice(const std::string& dataFolder);

// The window as the screen shows it, frame included, written as a 24-bit BMP;
// false when the file could not be written.
bool SaveWindowImage(HWND window, const std::string& path);

// Creates every missing folder of the path.
void MakeFolders(const std::string& folder);

}  // namespace testsupport
