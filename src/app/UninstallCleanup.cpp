#include "app/UninstallCleanup.h"

#include <windows.h>

#include <algorithm>

#include "blocking/BlockList.h"
#include "entries/EntryChange.h"
#include "entries/LocationFamily.h"
#include "entries/ShellLink.h"
#include "entries/StoredCommand.h"
#include "system/DataFolder.h"
#include "system/RegistryValues.h"
#include "system/TextCase.h"

const char kUninstallCleanupSwitch[] = "/uninstall-cleanup";

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

bool StartsWithUpper(const std::string& upperText, const std::string& prefix) {
    const std::string upperPrefix = UpperText(prefix);
    return upperText.compare(0, upperPrefix.size(), upperPrefix) == 0;
}

// The stored text starts the given program: its path, quoted or plain, then a
// space or the end.
bool StartsProgram(const std::string& stored, const std::string& program) {
    const std::string upper = UpperText(stored.substr(0, program.size() + 3));
    return StartsWithUpper(upper, "\"" + program + "\"") || StartsWithUpper(upper, program + " ") ||
           SameText(stored, program);
}

EntryList StoredEntries(int32_t kind) {
    const LocationFamily* family = FamilyOf(kind);
    return family ? family->List(kind, EntryPlace::Location) : EntryList();
}

}  // namespace

EntryList EntriesStartingOwnCompanion() {
    EntryList found;
    for (const int32_t kind : AllLocationKinds()) {
        for (StartupEntry& entry : StoredEntries(kind)) {
            if (!StartsProgram(entry.command, CompanionPath())) continue;
            // The listed form, as the catalogue hands it out.
            entry.command.erase(0, MarkerLength(entry.command));
            entry.name.erase(0, MarkerLength(entry.name));
            entry.active = 0;
            found.push_back(std::move(entry));
        }
    }
    return found;
}

UninstallCleanupResult CleanUpForUninstall(bool switchOn) {
    UninstallCleanupResult result;
    for (const StartupEntry& listed : EntriesStartingOwnCompanion()) {
        if (switchOn) {
            StartupEntry active = listed;
            active.active = 1;
            if (ReplaceEntry(listed, active).ok()) {
                ++result.switchedOn;
                continue;
            }
        }
        ++result.stillStartingCompanion;
    }
    const std::string blockCheck = ReadRegString(HKEY_CURRENT_USER, kRunKey, kBlockCheckValueName);
    if (!blockCheck.empty() && StartsProgram(blockCheck, ExecutablePath())) {
        result.blockCheckRemoved = static_cast<bool>(DeleteRegValue(HKEY_CURRENT_USER, kRunKey, kBlockCheckValueName));
    }
    return result;
}

bool IsUninstallCleanup(const std::vector<std::string>& arguments) {
    return !arguments.empty() && SameText(arguments[0], kUninstallCleanupSwitch);
}

int RunUninstallCleanup(const std::vector<std::string>& arguments) {
    const auto has = [&arguments](const char* option) {
        return std::any_of(arguments.begin() + 1, arguments.end(),
                           [option](const std::string& argument) { return SameText(argument, option); });
    };
    CreateSharedShellLink();
    int stillStarting = 0;
    if (has("/count")) {
        stillStarting = static_cast<int>(EntriesStartingOwnCompanion().size());
    } else {
        stillStarting = CleanUpForUninstall(has("/switch-on")).stillStartingCompanion;
    }
    DestroySharedShellLink();
    return stillStarting;
}
