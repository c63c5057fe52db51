// Helpers for tests that run under Wine: paths of the built product, processes,
// and scratch files in the test's own prefix.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>

#include "support/Processes.h"

namespace testsupport {

// Windows path of a file in the product folder (beside Bootmarshal.exe).
std::string ProductPath(const std::string& fileName);
// The folder pictures of the main window go to (build tree, artifacts/screens),
// made when missing; with a trailing backslash.
std::string ScreensFolder();

// Windows path of a file of the source tree, given relative to its root.
std::string SourcePath(const std::string& relativePath);

// Whole file as bytes; empty when missing.
std::string ReadFileBytes(const std::string& path);
// Creates or replaces the file with exactly these bytes; true on success.
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// A link file written by the platform's own shell-link object, its folder made
// when missing; true when it was saved, otherwise the reason goes to stderr.
bool WritePlatformLink(const std::string& file, const std::string& target, const std::string& arguments);

// Records in the data folder (given with its trailing backslash) that the
// interface language was chosen for this version, so that a start of the
// program passes the language dialog, as every start after the first does.
void SeedLanguageChoice(const std::string& dataFolder);

// The window as the screen shows it, frame included, written as a 24-bit BMP;
// false when it is not wholly on the screen or the file could not be written.
bool SaveWindowImage(HWND window, const std::string& path);

// The screen's DPI as this process sees it (a DPI-aware process sees the setting).
int ScreenDpi();
// Writes the user's DPI setting; it counts for processes started after it.
void SetUserDpi(DWORD dpi);
// Runs the tests of this test program that the filter names again, in a child
// process started while the user's DPI setting is dpi (set back to 96 after);
// the child's exit code, 0 when its tests passed.
int RunTestsAtDpi(const std::string& gtestFilter, DWORD dpi, DWORD timeoutMs = 120000);
// In such a child, the DPI it was started for; 0 in a test program started otherwise.
int DpiOfThisRun();

// Presses the key as a user does, the held keys (VK_CONTROL, VK_MENU, VK_SHIFT)
// down around it: through SendInput, so that it reaches the window with the
// keyboard focus through the thread's input queue. True when all was sent.
bool PressKey(WORD key, std::initializer_list<WORD> held = {});

// Creates every missing folder of the path.
void MakeFolders(const std::string& folder);

// For a failed assertion on a platform call: what was being done and the
// thread's last error, read before anything else can change it.
std::string LastErrorText(const char* doing);

}  // namespace testsupport
