#include "app/Startup.h"

#include <windows.h>

#include "app/PlaceholderMainWindow.h"
#include "blocking/BlockList.h"
#include "entries/ShellLink.h"
#include "i18n/TranslationCatalogue.h"
#include "system/Errors.h"
#include "system/DataFolder.h"
#include "system/Files.h"

const char kProgramVersion[] = "2.5";

// Files that older versions kept in the program folder. "Bootmarshal.doc" was the
// documentation before it became the page "Bootmarshal.htm"; carrying an old one
// over is harmless, nothing opens it any more.
const std::vector<std::string>& MigrationList() {
    static const std::vector<std::string> files = {
        "BootmarshalBackup.xml", "Bootmarshal.chm", "Bootmarshal.doc", "Bootmarshal.ini", "Bootmarshal.def",
        "Bootmarshal.dat",       "Bootmarshal.ovr", "Bootmarshal.cho", "bootmarshal.list"};
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
    DeleteFileA(choiceFile.c_str());
    const std::string language0 = DataFile(kBaseName, "Bootmarshal.t00");
    CopyFileA(language0.c_str(), (DataFolder(kBaseName) + "Bootmarshal.def").c_str(), FALSE);
}

namespace {

int RunInteractiveMode() {
    MigrateDataFiles(kBaseName, false, MigrationList());
    CheckChoiceFile();
    // Texts must be there before any window exists: creation handlers read them.
    LoadTranslation(kBaseName);
    return RunPlaceholderMainWindow();
}

}  // namespace

int RunBootmarshal(const std::vector<std::string>& arguments) {
    // The shared shell-link component initialises COM for this thread before
    // any entry is read or written, in both modes.
    CreateSharedShellLink();
    LoadBlockList();
    int exitCode = 0;
    if (ChooseRunMode(arguments) == RunMode::BlockCheck) {
        RunBlockCheck();
    } else {
        exitCode = RunInteractiveMode();
    }
    DestroySharedShellLink();
    return exitCode;
}
