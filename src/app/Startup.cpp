#include "app/Startup.h"

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>
#include <objbase.h>

#include <algorithm>

#include "BootmarshalVersion.h"
#include "backup/BackupStore.h"
#include "blocking/BlockList.h"
#include "cli/CommandLine.h"
#include "cli/CommandLineRun.h"
#include "entries/EntryCatalogue.h"
#include "entries/ShellLink.h"
#include "i18n/TranslationCatalogue.h"
#include "system/DataFolder.h"
#include "system/Elevation.h"
#include "system/Errors.h"
#include "system/Files.h"
#include "system/SingleInstance.h"
#include "system/TextRules.h"
#include "system/Utf8.h"
#include "ui/dialogs/EntryChangeMessages.h"
#include "ui/dialogs/InfoWindow.h"
#include "ui/dialogs/LanguageDialog.h"
#include "ui/dialogs/RestoreDialog.h"
#include "ui/main/InterfaceTexts.h"
#include "ui/main/MainWindow.h"
#include "ui/prompts/ErrorTexts.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WindowClasses.h"
#include "xml/XmlCodec.h"
#include "xml/XmlParser.h"

const char kProgramVersion[] = BM_VERSION_TEXT;  // set in the top CMakeLists.txt

// Files that older versions kept in the program folder. "Bootmarshal.doc" was the
// documentation before it became the page "Bootmarshal.htm"; carrying an old one
// over is harmless, nothing opens it any more.
const std::vector<std::string>& MigrationList() {
    static const std::vector<std::string> files = {"BootmarshalBackup.xml", "Bootmarshal.chm", "Bootmarshal.doc",
                                                   "Bootmarshal.ini",       "Bootmarshal.def", "Bootmarshal.dat",
                                                   "Bootmarshal.ovr",       "Bootmarshal.cho", "bootmarshal.list"};
    return files;
}

RunMode ChooseRunMode(const std::vector<std::string>& arguments) {
    return (!arguments.empty() && arguments[0] == "/blocklist") ? RunMode::BlockCheck : RunMode::Interactive;
}

void CheckChoiceFile() {
    const std::string choiceFile = DataFolder(kBaseName) + "Bootmarshal.cho";
    std::string firstLine;
    try {
        firstLine = ReadFirstLine(choiceFile);
    } catch (const EInOutError&) {
        // Unreadable: ask for the language again, as after a first start.
    }
    if (firstLine == kProgramVersion) return;
    DeleteFileW(WideFromUtf8(choiceFile).c_str());
    const std::string language0 = DataFile(kBaseName, "Bootmarshal.t00");
    CopyFileW(WideFromUtf8(language0).c_str(), WideFromUtf8(DataFolder(kBaseName) + "Bootmarshal.def").c_str(), FALSE);
}

namespace {

// The backup store lives as long as the main window. Its start-up snapshot
// holds the entries the window shows, and is taken before the event loop runs,
// so no command can change an entry first. A file it cannot read is reported
// and left alone, and the program goes on.
void StartBackupStore(std::vector<StartupEntry> entries) {
    static TXMLCodec codec;
    static TXMLParser parser;
    parser.Codec = &codec;
    static BackupStore backups(parser);
    const std::string error = StartBackupsReportingError(backups, std::move(entries), [](const std::exception& fault) {
        std::string text = ui::UserMessage(fault);
        // A file the reader refused stays; the user learns what happens to it next.
        if (dynamic_cast<const EXMLException*>(&fault) || dynamic_cast<const EBackupFileError*>(&fault)) {
            text += "\n\n" + GetText(Text::UnreadableBackupLeftAlone);
        }
        return text;
    });
    // The backup commands work on this store, also when its file could not be read.
    ui::AttachBackupStore(&backups);
    if (!error.empty()) ShowMessage(error);
}

// The language is asked before the texts go onto the windows; a confirmed
// choice ends this instance (a new one is on its way unless told to end).
bool LanguageConfirmed(bool endAfterChoice) {
    ui::LanguageDialog& dialog = ui::TheLanguageDialog();
    dialog.SetChoiceFile(DataFolder(kBaseName) + "Bootmarshal.cho", kProgramVersion);
    dialog.SetEndAfterChoice(endAfterChoice);
    // Created only when it asks: most starts have a language already.
    return dialog.Ask();
}

// Texts a damaged language file lacks were filled from the shipped files; the
// user hears why once, over the main window.
void ReportDamagedLanguageFile() {
    const std::string damaged = TakeDamagedLanguageFileToReport();
    if (!damaged.empty()) ShowMessage(FillPlaceholder(GetText(Text::LanguageFileDamaged), damaged));
}

int RunWindows(bool endAfterChoice, bool logonCheckSet) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_PROGRESS_CLASS | ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);

    // The dialogs and prompts are made when first shown: a user waits for none
    // of them before the list appears.
    static ui::MainWindow mainWindow;
    if (!mainWindow.Create()) return 1;
    mainWindow.RememberPlacement();
    if (LanguageConfirmed(endAfterChoice)) {
        DestroyWindow(mainWindow.hwnd());
        DestroyPromptWindows();
        return 0;
    }
    ui::RegisterMainWindow(&mainWindow);
    ui::ApplyInterfaceTexts();
    ui::ApplyInfoImageHints();
    ui::TheInfoWindow().SetLanguageSwitchedStep([] {
        ui::ApplyInterfaceTexts();
        ui::ApplyInfoImageHints();
        mainWindow.ShowNextTip();
    });

    // One reading of the locations for both the list and the snapshot; the
    // window is painted before the backup file is written.
    std::vector<StartupEntry> entries = CollectAllEntries();
    mainWindow.Show(entries);
    StartBackupStore(std::move(entries));
    ReportDamagedLanguageFile();
    if (!logonCheckSet) ShowMessage(ui::LogonCheckNotSetText());
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (mainWindow.PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    DestroyPromptWindows();
    return 0;
}

int RunInteractiveMode(bool endAfterChoice) {
    MigrateDataFiles(kBaseName, false, MigrationList());
    // The logon check follows the block list at every start: kept data, a
    // reinstall elsewhere or a restored backup never leave blocking silently
    // off, nor the value pointing at a copy of the program that is gone.
    const bool logonCheckSet = SetBlockCheckRun(!BlockListLines().empty());
    CheckChoiceFile();
    // Texts must be there before any window exists: creation handlers read them.
    LoadTranslation(kBaseName);
    return RunWindows(endAfterChoice, logonCheckSet);
}

}  // namespace

int RunBootmarshal(const std::vector<std::string>& arguments, bool consoleTwin) {
    // A second plain start shows the running copy rather than a second window
    // over the same block list and backup file. A copy still starting has no
    // window yet: it is given a few seconds to show one.
    if (arguments.empty() && !ClaimSingleInstance()) {
        const std::vector<std::string> ownWindows = {WindowClass::Main, WindowClass::Language};
        for (int tries = 0; tries < 50 && !BringRunningInstanceToFront(ownWindows); ++tries) Sleep(100);
        return 0;
    }
    const bool blockCheck = ChooseRunMode(arguments) == RunMode::BlockCheck;
    // The logon check shows nothing, so it needs no apartment window: in a
    // multithreaded apartment the shell-link object works without one (and
    // under Wine a window would start the whole desktop process at every
    // logon). The windows keep the single-threaded apartment they need.
    // The command line shows no window either.
    // The console twin reads every other argument as the command line's, so
    // that a mistyped switch is a usage error rather than a window.
    const bool commandLine =
        !blockCheck &&
        (cli::IsCommandLineRun(arguments) ||
         (consoleTwin && !arguments.empty() && arguments[0] != "/end" && arguments[0] != kMachineWideSwitch));
    const bool checkApartment = (blockCheck || commandLine) && SUCCEEDED(CoInitializeEx(nullptr, COINIT_MULTITHREADED));
    // The shared shell-link component initialises COM for this thread before
    // any entry is read or written (the check's apartment stays as it is).
    CreateSharedShellLink();
    LoadBlockList();
    // The copy started with administrator rights may run as another account:
    // it lists and changes only what belongs to the machine.
    if (std::find(arguments.begin(), arguments.end(), kMachineWideSwitch) != arguments.end()) SetMachineWideOnly(true);
    int exitCode = 0;
    if (blockCheck) {
        RunBlockCheck();
    } else if (commandLine) {
        // Its files (block list, backups) live in the data folder as the windows' do.
        MigrateDataFiles(kBaseName, false, MigrationList());
        exitCode = cli::RunCommandLine(cli::CommandLineArguments());
    } else {
        exitCode = RunInteractiveMode(!arguments.empty() && arguments[0] == "/end");
    }
    DestroySharedShellLink();
    if (checkApartment) CoUninitialize();
    return exitCode;
}
