// The main window's commands: what each one does, the context menu that
// offers them, and the messages when they do not get done.
#include <exception>

#include "blocking/BlockList.h"
#include "blocking/EntryBlocking.h"
#include "entries/EntryChange.h"
#include "entries/EntryLaunch.h"
#include "entries/RunCheck.h"
#include "entries/StoredCommand.h"
#include "i18n/LanguageFile.h"
#include "i18n/TranslationCatalogue.h"
#include "report/Printout.h"
#include "system/DataFolder.h"
#include "system/Elevation.h"
#include "system/ProductNames.h"
#include "system/TextRules.h"
#include "ui/dialogs/BlockedEntriesDialog.h"
#include "ui/dialogs/EntryChangeMessages.h"
#include "ui/dialogs/EntryEditorDialog.h"
#include "ui/dialogs/InfoWindow.h"
#include "ui/dialogs/LocationDialog.h"
#include "ui/dialogs/RestoreDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/main/MainWindowLayout.h"
#include "ui/print/Printing.h"
#include "ui/prompts/ErrorTexts.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"

namespace ui {

namespace {

std::function<void()> g_restartForTests;

}  // namespace

void MainWindow::SetRestartForTests(std::function<void()> restart) { g_restartForTests = std::move(restart); }

void MainWindow::Execute(Command command) {
    if (!IsEnabled(command, model_)) return;
    try {
        switch (command) {
            case Command::NewEntry: {
                StartupEntry entry;
                entry.active = 1;
                RunEntryDialog(entry, [this](StartupEntry& edited) { return RunEntryEditor(hwnd(), edited, true); });
                break;
            }
            case Command::ChangeEntry:
                RunEntryDialog(model_.CurrentEntry(),
                               [this](StartupEntry& edited) { return RunEntryEditor(hwnd(), edited, false); });
                break;
            case Command::DeleteEntry:
                DeleteCurrentEntry();
                break;
            case Command::LaunchEntry:
                LaunchCurrentEntry();
                break;
            case Command::SwitchEntry:
                SwitchCurrentEntry();
                break;
            case Command::MoveEntry:
                RunEntryDialog(model_.CurrentEntry(),
                               [this](StartupEntry& moved) { return RunLocationDialog(hwnd(), moved); });
                break;
            case Command::BlockEntry:
                BlockOrReleaseCurrentEntry();
                break;
            case Command::BlockedEntries:
                RunBlockedEntriesDialog(hwnd(), model_.CurrentEntry());
                RefreshList();
                break;
            case Command::MakeBackup:
                MakeBackup(hwnd());
                break;
            case Command::ManageBackups:
                ManageBackups(hwnd());
                RefreshList();
                break;
            case Command::Refresh:
                RefreshList();
                break;
            case Command::Print:
                PrintList();
                break;
            case Command::RestartWindows:
                RestartWindows();
                break;
            case Command::Help:
                OpenExistingWithShellTellingFailure(
                    DataFile(kBaseName, ActivePartFileName(kBaseName, LanguagePart::Help)));
                break;
            case Command::Documentation:
                OpenExistingWithShellTellingFailure(
                    DataFile(kBaseName, ActivePartFileName(kBaseName, LanguagePart::Documentation)));
                break;
            case Command::Homepage:
            case Command::OpenTipLink:
                OpenWithShellTellingFailure(GetText(Text::HomepageAddress));
                break;
            case Command::Email:
                OpenWithShellTellingFailure("mailto:" + GetText(Text::SupportMailAddress));
                break;
            case Command::InfoWindow:
                ShowInfoWindow(hwnd());
                break;
            case Command::Exit:
                PostMessageW(hwnd(), WM_CLOSE, 0, 0);
                break;
            case Command::SchemeBlue:
                SetColorScheme("Blue");
                break;
            case Command::SchemeBlack:
                SetColorScheme("Black");
                break;
            case Command::SchemeSilver:
                SetColorScheme("Silver");
                break;
            case Command::ExplainFolders:
            case Command::ExplainRegistry:
            case Command::ExplainWinIni:
                ExplainGroup(
                    static_cast<size_t>(static_cast<int>(command) - static_cast<int>(Command::ExplainFolders)));
                break;
            case Command::ToggleSources:
                ToggleSection(true);
                break;
            case Command::ToggleInformation:
                ToggleSection(false);
                break;
            case Command::FocusFilter:
                // As Explorer's search box: the text there is selected, so typing replaces it.
                SetFocus(Control(kIdFilterText));
                SendMessageW(Control(kIdFilterText), EM_SETSEL, 0, -1);
                break;
        }
    } catch (const std::exception& error) {
        ShowMessage(GetText(Text::UnexpectedError) + "\n" + UserMessage(error));
        RefreshList();
    }
}

void MainWindow::RunEntryDialog(StartupEntry entry, const std::function<bool(StartupEntry&)>& dialog) {
    // The dialog works on a copy: the model's entries change only by a refresh.
    if (dialog(entry)) {
        RefreshListFollowing(entry);
    } else {
        RefreshList();
    }
}

void MainWindow::DeleteCurrentEntry() {
    const StartupEntry entry = model_.CurrentEntry();
    if (!AskQuestion(GetText(Text::DeleteEntryQuestion) + "\n\n" + EntryWithPlace(entry), false)) return;
    const ChangeResult result = DeleteEntry(entry);
    if (result.ok()) {
        ShowMessage(GetText(Text::Deleted));
    } else {
        ReportFailure(Text::NotDeleted, result, entry);
    }
    RefreshList();
}

void MainWindow::LaunchCurrentEntry() {
    const LaunchResult result = LaunchEntry(model_.CurrentEntry(), hwnd());
    if (result.started) return;
    int reason = Text::LaunchOtherError;
    switch (result.failure) {
        case LaunchFailure::NoProgram:
            reason = Text::LaunchNoProgram;
            break;
        case LaunchFailure::FileNotFound:
            reason = Text::LaunchFileNotFound;
            break;
        case LaunchFailure::PathNotFound:
            reason = Text::LaunchPathNotFound;
            break;
        case LaunchFailure::AccessDenied:
            reason = Text::LaunchAccessDenied;
            break;
        case LaunchFailure::NoAssociation:
            reason = Text::LaunchNoAssociation;
            break;
        case LaunchFailure::NotAProgram:
            reason = Text::LaunchNotAProgram;
            break;
        case LaunchFailure::Cancelled:
            reason = Text::LaunchCancelled;
            break;
        case LaunchFailure::None:
        case LaunchFailure::Other:
            break;
    }
    std::string why = GetText(reason);
    const size_t slot = why.find("%s");
    if (slot != std::string::npos) why.replace(slot, 2, std::to_string(result.error));
    std::string message = GetText(Text::LaunchFailed) + "\n" + why;
    if (!result.file.empty()) message += "\n" + result.file;
    ShowMessage(message);
}

void MainWindow::SwitchCurrentEntry() {
    const StartupEntry entry = model_.CurrentEntry();
    // Windows deletes a RunOnce value as it starts it: switched off, the
    // companion is started in its place and the entry is gone.
    if (entry.active && IsRunOnceKind(entry.kind) &&
        !AskQuestion(GetText(Text::RunOnceSwitchOffQuestion) + "\n\n" + EntryWithPlace(entry), false))
        return;
    // Switched on while its command stays blocked, the next logon would delete it.
    if (!entry.active && IsBlocked(entry.command)) {
        if (AskQuestion(FillPlaceholder(GetText(Text::SwitchOnBlockedQuestion), EntryWithPlace(entry)), false)) {
            ReleaseCurrentEntry(entry);
        }
        return;
    }
    RunTimedWait(5);
    ScopedWait wait;
    StartupEntry switched = entry;
    switched.active = entry.active ? 0 : 1;
    const ChangeResult result = ReplaceEntry(entry, switched);
    RefreshListFollowing(entry);
    wait.Close();
    if (!result.ok()) ReportFailure(Text::NotChanged, result, entry);
}

void MainWindow::ReportFailure(int headline, const ChangeResult& result, const StartupEntry& entry) {
    ShowRefusedChange(CommandFailureText(headline, result, entry), result, entry.kind);
}

void MainWindow::BlockOrReleaseCurrentEntry() {
    const StartupEntry entry = model_.CurrentEntry();
    if (IsBlocked(entry.command)) {
        ReleaseCurrentEntry(entry);
    } else {
        BlockCurrentEntry(entry);
    }
}

void MainWindow::BlockCurrentEntry(const StartupEntry& entry) {
    const BlockingResult result = BlockEntry(entry);
    switch (result.refusal) {
        case BlockRefusal::EmptyCommand:
            ShowMessage(GetText(Text::NoCommandToBlock));
            return;
        case BlockRefusal::OwnBlockCheck:
            ShowMessage(GetText(Text::OwnCheckNotBlockable));
            return;
        case BlockRefusal::None:
            break;
    }
    if (!result.listChanged) {
        ShowMessage(GetText(Text::CommandNotBlockable));
        return;
    }
    RefreshListFollowing(entry);
    if (!result.entryChange.ok()) {
        ReportFailure(Text::NotSwitchedOffBlockTakenBack, result.entryChange, entry);
    } else if (!result.listSaved) {
        ShowMessage(GetText(Text::BlockListNotSaved) + "\n" + result.listFile);
    }
    if (!result.logonCheckSet) ShowMessage(LogonCheckNotSetText());
}

void MainWindow::ReleaseCurrentEntry(const StartupEntry& entry) {
    const BlockingResult result = ReleaseEntry(entry);
    RefreshListFollowing(entry);
    if (result.listSaved) {
        if (!result.entryChange.ok()) ReportFailure(Text::ReleasedNotSwitchedOn, result.entryChange, entry);
    } else {
        std::string problem = GetText(Text::BlockListNotSaved) + "\n" + result.listFile;
        if (!result.entryChange.ok()) problem += "\n\n" + CommandFailureText(305, result.entryChange, entry);
        ShowMessage(problem);
    }
    if (!result.logonCheckSet) ShowMessage(LogonCheckNotSetText());
}

Printout MainWindow::ListPrintout() {
    const ProgramLookup lookup = SystemProgramLookup();
    auto makerOf = [this](const std::string& file) { return ProgramMakerLine(makers_.Of(file)); };
    std::vector<report::EntryFacts> facts;
    facts.reserve(model_.LineCount());
    for (int line = 0; line < static_cast<int>(model_.LineCount()); ++line) {
        const StartupEntry& entry = model_.EntryForLine(line);
        facts.push_back({entry, model_.IsKnownLine(line), model_.VerdictOfLine(line).reason,
                         report::MadeByOf(entry, lookup, makerOf)});
    }
    return {PrintoutHeading(GetText(Text::PrintHeading), GetText), report::PrintoutTable(facts, GetText),
            PageNumbers(GetText)};
}

void MainWindow::PrintList() {
    const PrintResult result = PrintTableOut(ListPrintout(), GetText(Text::PrintHeading));
    switch (result.outcome) {
        case PrintOutcome::Printed:
            break;
        case PrintOutcome::NoPrinter:
            ShowMessage(GetText(Text::NoPrinter));
            break;
        case PrintOutcome::PrinterError:
            ShowMessage(GetText(Text::PrintFailed) + (result.printer.empty() ? "" : "\n" + result.printer));
            break;
    }
}

void MainWindow::RestartWindows() {
    if (!AskQuestion(GetText(Text::RestartQuestion), false)) return;
    if (g_restartForTests) {
        g_restartForTests();
        return;
    }
    EnablePrivilege("SeShutdownPrivilege");
    ExitWindowsEx(EWX_REBOOT, 0);
}

void MainWindow::ExplainGroup(size_t group) {
    const LocationGroup& shown = LocationGroups()[group];
    std::string text = GetText(shown.explanation);
    if (shown.moreExplanation) text += "\n\n" + GetText(shown.moreExplanation);
    ShowInfoMessage(ControlText(kGroupLabelIds[group]), text);
}

void MainWindow::ShowContextMenu(int x, int y) {
    if (x == -1 && y == -1) {  // from the keyboard: at the selected line
        RECT line{};
        SendMessageW(list_, LB_GETITEMRECT, static_cast<WPARAM>(std::max(model_.SelectedLine(), 0)),
                     reinterpret_cast<LPARAM>(&line));
        POINT point{line.left + Px(20), line.bottom};
        ClientToScreen(list_, &point);
        x = point.x;
        y = point.y;
    } else {
        POINT point{x, y};
        ScreenToClient(list_, &point);
        const LRESULT hit = SendMessageW(list_, LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
        if (HIWORD(hit) == 0) SelectLine(LOWORD(hit));
    }
    HMENU menu = CreatePopupMenu();
    const struct {
        Command command;
        int text;
    } items[] = {{Command::ChangeEntry, Text::ChangeEntry}, {Command::DeleteEntry, Text::DeleteEntry},
                 {Command::LaunchEntry, Text::LaunchEntry}, {Command::SwitchEntry, Text::StatusGroup},
                 {Command::MoveEntry, Text::LocationGroup}, {Command::BlockEntry, 0}};
    const KeyNames keys{GetText(Text::KeyControl), GetText(Text::KeyDelete), GetText(Text::KeyEnter)};
    for (const auto& item : items) {
        std::string text = item.text ? GetText(item.text) : ControlText(kIdBlockButton);
        if (item.command == Command::SwitchEntry) text += " " + GetText(Text::ChangeLink);
        if (item.command == Command::MoveEntry) text += " " + GetText(Text::ChangeLink);
        // Menu texts give "&" a meaning; the entry's texts are not ours.
        std::string shown;
        for (char c : text) {
            shown += c;
            if (c == '&') shown += '&';
        }
        // The key beside the command, as menus show it after a tab.
        const std::string key = ShortcutText(item.command, keys);
        if (!key.empty()) shown += "\t" + key;
        UINT flags = MF_STRING | (IsEnabled(item.command, model_) ? MF_ENABLED : MF_GRAYED);
        AppendMenuW(menu, flags, static_cast<UINT_PTR>(item.command), WideFromUtf8(shown).c_str());
        if (item.command == Command::LaunchEntry) AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    }
    SetMenuDefaultItem(menu, static_cast<UINT>(Command::ChangeEntry), FALSE);
    const int chosen = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, x, y, 0, hwnd(), nullptr);
    DestroyMenu(menu);
    if (chosen) Execute(static_cast<Command>(chosen));
}

}  // namespace ui
