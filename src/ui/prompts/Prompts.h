// The program's own message, question and wait dialogs, the information message
// and the splash window. Every caller shows its messages through these few
// functions; each window is created once and shown again at each use, owned by
// the dialog owner (ui::SetDialogOwner, the main window).
//
// Window classes: "TShowMessage2Form", "TQuestionDialogForm", "TWaitForm",
// "TInfoMessage", "TSplashForm"; control IDs in ui/win/ControlIds.h.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/prompts/PromptModel.h"

// Shows the text in the message dialog and returns when the user closes it.
// Names, commands and paths show literally (an "&" is no accelerator); a long
// text makes the dialog wider and taller instead of being cut off.
void ShowMessage(const std::string& text);

// Asks a yes-or-no question; true for yes. Closing the dialog (title bar, Esc)
// answers yesByDefault, and so does Enter: the default button is the preset
// answer's, so with yesByDefault false Enter never answers yes.
bool AskQuestion(const std::string& question, bool yesByDefault = false);

// The timed wait: shows the wait dialog with a progress bar that fills in
// pace * 10 ticks of pace milliseconds; the dialog closes itself on the tick
// after that and the call returns then. Does no work of its own.
void RunTimedWait(const std::string& message, const std::string& secondLine, int pace);
// The same with message text 8 and an empty second line.
void RunTimedWait(int pace);

// The plain wait: shows the wait dialog with text 8 and no progress bar, drawn
// before the call returns; the caller closes it with CloseWait. Prefer ScopedWait.
void ShowWait();
void CloseWait();

// Shows the plain wait for its lifetime: closed on every path out of the scope.
class ScopedWait {
public:
    ScopedWait();
    ~ScopedWait();
    ScopedWait(const ScopedWait&) = delete;
    ScopedWait& operator=(const ScopedWait&) = delete;
    // Closes the wait before the scope ends (e.g. before a message is shown).
    void Close();

private:
    bool open_;
};

// Shows a title and a longer text (its lines as FillInfoMemo makes them) in the
// information message dialog; returns when the user closes it.
void ShowInfoMessage(const std::string& title, const std::string& text);

// The splash window: shown and drawn at once; CloseSplash destroys it.
void ShowSplash();
void CloseSplash();

// Each prompt window is made when first shown; this destroys them at the end.
void DestroyPromptWindows();

// Puts the fixed captions of the catalogue onto the prompt windows that exist:
// the windows' titles, the buttons, the program names, the group box.
void ApplyPromptTexts();

// ---- For tests that run commands in-process -----------------------------------
enum class PromptKind { Message, Question, TimedWait, Wait, InfoMessage };
struct PromptRecord {
    PromptKind kind;
    std::string text;    // the message, question, wait message or info title
    std::string detail;  // the wait's second line or the info message's text
};
// The answer for a question (ignored for the other kinds).
using PromptResponder = std::function<bool(const PromptRecord&)>;
// While a responder is set, no prompt window is shown: each prompt is recorded
// and handed to the responder, whose answer a question returns. An empty
// function shows the windows again and clears the record.
void SetPromptResponderForTests(PromptResponder responder);
// The prompts recorded since the responder was set, oldest first; clears them.
std::vector<PromptRecord> TakeRecordedPrompts();
// How many timer ticks the last timed wait ran (0 before the first).
int LastTimedWaitTicks();
