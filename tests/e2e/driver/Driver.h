// Drives a real program under Wine through window messages, the way a user's
// clicks arrive: start it, wait for its windows by registered class, find
// controls by ID, click, read texts and list lines, answer its questions, close
// it, and save screenshots of the screen as test artifacts.
//
// The driver must run in the same Wine prefix as the program (the test program
// that links it starts the program itself). Buttons that open a modal window
// are clicked with PostMessage, so that the driver never waits inside the
// program's modal loop.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "support/Processes.h"
#include "support/WindowFinder.h"

namespace e2e {

// Starting the program and finding its windows come from the tests' support kit.
using testsupport::Program;
using testsupport::WaitForWindow;
using testsupport::WaitUntilGone;

// The control of that ID in the window, or nullptr.
HWND FindControl(HWND window, int id);
// Posts a click to a button (works for buttons that open modal windows).
bool Click(HWND window, int id);
// The window text of a window or control (WM_GETTEXT, with a timeout), as UTF-8.
std::string Text(HWND window);
std::string ControlText(HWND window, int id);
// A control's caption as the user reads it: the "&" before its access key
// taken out, "&&" shown as one "&".
std::string ShownText(HWND window, int id);
// Waits until the window text equals the expected text; false on timeout.
bool WaitForText(HWND window, const std::string& expected, DWORD timeoutMs = 5000);
// Sets the text (UTF-8) of a control (an edit field, as typing would leave it).
bool SetControlText(HWND window, int id, const std::string& text);
// Whether a check box or radio button is checked.
bool IsChecked(HWND window, int id);
// The lines of a list box, read through the wide messages, as UTF-8.
std::vector<std::string> ListLines(HWND list);
// Selects a list line and tells the parent, as a user's click would.
bool SelectListLine(HWND list, int index);
// Waits for the question dialog and presses yes or no; false when no question came.
bool AnswerQuestion(bool yes, DWORD timeoutMs = 10000);
// Posts WM_CLOSE.
void Close(HWND window);

// Saves a PNG of the screen (cut to the window with a margin when one is
// given) as <artifacts folder>/<name>.png; false when it failed. The folder is
// BM_E2E_ARTIFACTS_DIR, made when missing.
bool Screenshot(const std::string& name, HWND window = nullptr);
// The Windows path of the artifacts folder.
std::string ArtifactsFolder();

// Lets this process see real pixel positions at any DPI (call first in main or SetUp).
void BeDpiAware();

}  // namespace e2e
