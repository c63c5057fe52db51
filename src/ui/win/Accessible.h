// What a screen reader is told about the program's controls. Owner-drawn
// buttons and the owner-drawn list say nothing useful through the platform's
// own proxies (a button drawn by the program is a "client", a list line has no
// name), so a control can serve its own accessible object: the facts of an
// AccessibleSource, everything else (parent, location of the control, window
// navigation) from the platform's standard object for the control.
#pragma once
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace ui {

// One part of a control: the control itself (child 0) or one of its lines.
// An empty text or a zero role or state leaves the platform's own answer.
struct AccessibleFacts {
    std::string name;
    long role = 0;
    long state = 0;
    std::string value;
    std::string description;
    std::string keyboardShortcut;
};

class AccessibleSource {
public:
    virtual ~AccessibleSource() = default;
    // Lines of the control that are not windows of their own; 0 for none.
    virtual long ChildCount() const { return 0; }
    virtual AccessibleFacts Describe(long child) const = 0;
    // A line's place on the screen; false for none.
    virtual bool ChildRect(long /*child*/, RECT& /*screen*/) const { return false; }
    // The line under a point of the screen, 0 for none.
    virtual long ChildAt(POINT /*screen*/) const { return 0; }
    // The line that has the focus and is selected, 0 for none.
    virtual long FocusedChild() const { return 0; }
    // What the default action of the control or a line does, as a verb
    // ("Press"); empty for none.
    virtual std::string DefaultAction(long /*child*/) const { return std::string(); }
    // Starts the default action and returns at once (what it opens may be a
    // modal window, which must not hold the reader up): S_OK when started,
    // DISP_E_MEMBERNOTFOUND for none, E_FAIL when the control takes no input now.
    virtual HRESULT DoDefaultAction(long /*child*/) { return DISP_E_MEMBERNOTFOUND; }
    // Selects a line or moves the focus to it as the flags say (SELFLAG_*,
    // checked already against combinations the contract forbids): S_OK, S_FALSE
    // when the line is not selected, E_INVALIDARG for flags without meaning here.
    virtual HRESULT Select(long /*flags*/, long /*child*/) { return DISP_E_MEMBERNOTFOUND; }
};

// The caption a user reads: the "&" before the access key taken out, "&&" as one "&".
std::string ShownCaption(const std::string& caption);
// "Alt+N" for a caption whose access key is N; empty for a caption without.
std::string AccessKeyOf(const std::string& caption);

// The verbs a screen reader says for the default actions, in the user's
// language; English until the program sets them.
struct AccessibleActionWords {
    std::string press = "Press";
    std::string check = "Check";
    std::string uncheck = "Uncheck";
    std::string switchTab = "Switch";
    std::string doubleClick = "Double Click";
};
void SetAccessibleActionWords(const AccessibleActionWords& words);

// Serves the source for the control's client object until the control is destroyed.
void ServeAccessible(HWND control, std::shared_ptr<AccessibleSource> source);

// An owner-drawn button: its caption and access key, the role given (push
// button, page tab), focus, pressed and unavailable states, and those the
// function adds (a chosen tab, a checked scheme, an expanded section).
std::shared_ptr<AccessibleSource> ButtonSource(HWND button, long role, std::function<long()> extraState = nullptr);
// A label or group box: the text it shows as the name, in the role given
// (static text, grouping).
std::shared_ptr<AccessibleSource> LabelSource(HWND label, long role);
// A text of the window read with its caption: the caption as the name
// (without a closing colon), the text as the value.
std::shared_ptr<AccessibleSource> CaptionedTextSource(HWND text, HWND caption);
// A list box named by its caption (a group box, a label) whose lines the
// function describes by line index; role, selection, focus and place are the list's.
std::shared_ptr<AccessibleSource> ListSource(HWND list, HWND caption,
                                             std::function<AccessibleFacts(int line)> describeLine);

}  // namespace ui
