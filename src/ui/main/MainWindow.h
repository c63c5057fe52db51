// The main window (registered class "TForm1"): ribbon, side panel with the
// location filters and the tips, the entry list, the details group and the
// status bar, and every command of the window. What it shows comes from
// MainWindowModel; this class only reads controls, calls the model, the
// catalogue and the blocking steps, and writes controls. Created once at
// start-up; closing it ends the program's event loop. Its code is split by
// concern: MainWindow.cpp (creation, layout, messages), MainWindowCommands.cpp,
// MainWindowPainting.cpp; MainWindowLayout.h holds what they share.
#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>

#include "entries/ChangeCoalescer.h"
#include "entries/EntryChange.h"
#include "entries/LocationWatcher.h"
#include "system/ProgramMaker.h"
#include "ui/main/CommandsModel.h"
#include "ui/main/MainWindowModel.h"
#include "ui/main/Ribbon.h"
#include "ui/print/Printing.h"
#include "ui/win/Pictures.h"
#include "ui/win/ToolTips.h"
#include "ui/win/WindowBase.h"

namespace ui {

class MainWindow : public WindowBase {
public:
    MainWindow();
    ~MainWindow() override;

    // First show: the list of these entries (start-up passes the ones its
    // snapshot holds, so they are read once), the first line selected, the
    // window shown and painted.
    void Show(std::vector<StartupEntry> entries);
    // The same on the entries as they are now.
    void Show();
    // The program's own window opens where the user left it and remembers
    // where it was closed; a window made for anything else (a test beside
    // others in one profile) keeps its designed place and stores nothing.
    void RememberPlacement() { remembersPlacement_ = true; }
    // For the event loop: shortcuts, the list's keys and Tab navigation. True
    // when the message was taken.
    bool PreTranslate(MSG& message);
    // The ribbon's own keys (Ctrl+Tab, Enter on a tab or item); true when taken.
    bool RibbonKey(const MSG& message);

    // Runs one command as the ribbon, a button or a key would. Nothing thrown
    // inside leaves it: a failure becomes a message.
    void Execute(Command command);

    void RefreshList();
    // RefreshList on entries just read.
    void ShowEntries(std::vector<StartupEntry> entries);
    // The same, then the line of the entry the user just changed, if it is
    // still listed: a line added before it must not move the details elsewhere.
    void RefreshListFollowing(const StartupEntry& entry);
    // Reads the list again after another program changed a location, keeping
    // the selection on the same entry (kind and name) while it is still listed.
    void RefreshListKeepingSelection();
    // One look at the change notifications, as the watch timer does it (tests
    // call it to take a notification without waiting for the timer).
    void CheckLocationChanges(uint64_t nowMs);
    void SelectLine(int index);
    void ShowDetails();
    bool SetColorScheme(const std::string& name);
    // Puts the captions of the loaded language onto the window.
    void ApplyTexts();
    // The info images' hints, each image right after its label.
    void ApplyInfoImageHints();
    // Each ribbon tab and item tells its command and key when the pointer rests on it.
    void UpdateToolTips();
    // The tip box's next tip, as its timer would show it.
    void ShowNextTip() { OnTipTimer(); }

    const MainWindowModel& Model() const { return model_; }
    // What printing the list prints: the list's lines in its order, with who made each program.
    Printout ListPrintout();
    const Ribbon& RibbonBar() const { return ribbon_; }

    // Restarting Windows for real cannot be part of a test: while set, the
    // restart command calls this instead of asking Windows for a reboot.
    static void SetRestartForTests(std::function<void()> restart);

protected:
    void OnCreate() override;
    void OnCommand(int id, int code, HWND control) override;
    // Esc does nothing here: the program ends only when the user closes it.
    void OnCancel() override {}
    void OnClose() override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnTimer(UINT_PTR timer) override;
    void OnPaint(HDC dc) override;
    void OnDpiChanged() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Creation, layout and messages (MainWindow.cpp).
    void MakeFonts();
    void CreateSidePanel();
    void CreateEntryArea();
    // Places what grows with the window for a client area of this size (96-DPI
    // units, at least the designed size): the list and the details take the room.
    void LayOut(int width96, int height96);
    // The designed client size as the smallest the window may be, at its DPI.
    SIZE MinimumWindowSize() const;
    // The list again with the entries last read, after the filter text changed.
    void ApplyFilterText();
    void FillList();
    // One tip area per visible list line: a line cut at the list's edge shows
    // its whole name while the pointer rests on it.
    void UpdateLineTips();
    bool LineIsCut(int line) const;
    static LRESULT CALLBACK ListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR self);
    void LayOutGroupLabels();
    void UpdateCommandStates();
    // Who made the selected entry's program, for the details; empty before the first paint.
    std::string MadeByOfSelected();
    bool ShieldOnButton(int id) const;
    void ToggleSection(bool sources);
    void OnTipTimer();
    // Owner-drawn controls tell screen readers their names, roles and states
    // (MainWindowAccessible.cpp).
    void ServeAccessibility();

    // The commands (MainWindowCommands.cpp).
    void ShowContextMenu(int x, int y);
    // Runs a dialog on a copy of the entry, then lists the entries again, on the
    // entry's line when the dialog changed it.
    void RunEntryDialog(StartupEntry entry, const std::function<bool(StartupEntry&)>& dialog);
    void DeleteCurrentEntry();
    void LaunchCurrentEntry();
    void SwitchCurrentEntry();
    void BlockOrReleaseCurrentEntry();
    void BlockCurrentEntry(const StartupEntry& entry);
    void ReleaseCurrentEntry(const StartupEntry& entry);
    void PrintList();
    void RestartWindows();
    // A change that did not happen; a machine-wide one refused for lack of
    // rights offers to start the program again with administrator rights.
    void ReportFailure(int headline, const ChangeResult& result, const StartupEntry& entry);
    void ExplainGroup(size_t group);

    // Painting (MainWindowPainting.cpp).
    void EraseBody(HDC dc);
    void DrawListLine(const DRAWITEMSTRUCT& item) const;
    void DrawSectionToggle(const DRAWITEMSTRUCT& item) const;
    void DrawInfoImage(const DRAWITEMSTRUCT& item) const;
    void DrawDetailsButton(const DRAWITEMSTRUCT& item, Picture picture) const;

    MainWindowModel model_;
    Ribbon ribbon_;
    ToolTips toolTips_;
    TipRotation tips_;
    HACCEL accelerators_ = nullptr;
    HWND list_ = nullptr;
    HWND filter_ = nullptr;
    // What the last read gave, before the check boxes and the filter text:
    // typing in the filter field lists from it without reading again.
    std::vector<StartupEntry> collected_;
    int lineTips_ = 0;          // tip areas on the list now
    std::wstring lineTipText_;  // the text handed to the tooltip last
    int width96_ = 0, height96_ = 0;
    gdi::Font listFont_;
    gdi::Font groupLabelFont_;
    gdi::Font headingFont_;
    gdi::Font buttonFont_;
    gdi::Font nameFont_;
    bool sourcesShown_ = true;
    bool informationShown_ = true;
    bool tipTimerStarted_ = false;
    bool tipShowsLink_ = false;  // the current tip comes with its link
    LocationWatcher watcher_;
    ChangeCoalescer coalescer_;
    bool elevated_ = false;
    bool shieldShown_ = false;  // the change buttons show the shield for the selected entry
    HICON shield_ = nullptr;
    bool painted_ = false;  // the window has been painted once
    bool remembersPlacement_ = false;
    ProgramMakerCache makers_;  // who made each program, read once per file
};

}  // namespace ui
