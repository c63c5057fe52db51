#include "bench/entries/BenchEntries.h"

#include <windows.h>

#include <string>

#include "entries/ShellLink.h"
#include "entries/StartupFolders.h"
#include "entries/StoredCommand.h"
#include "system/Files.h"
#include "system/RegistryValues.h"

namespace {

const char kRunKeyBase[] = "Software\\Microsoft\\Windows\\CurrentVersion\\";
const char* const kRunKeys[] = {"Run", "RunOnce", "RunOnceEx", "RunServices", "RunServicesOnce"};
const char kWinIniKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

const int kLinksPerFolder = 50;
const int kValuesPerKey = 30;
const int kItemsPerList = 50;
const int kTotal = 2 * kLinksPerFolder + 10 * kValuesPerKey + 2 * kItemsPerList;

// Programs that do not exist: nothing seeded here can ever start.
std::string Command(int i) {
    return "\"C:\\BenchMissing\\Vendor " + std::to_string(i) + "\\agent" + std::to_string(i) + ".exe\" /background";
}

}  // namespace

bool SeedBenchEntries() {
    const std::string marker = DeactivationMarker();
    int written = 0;
    int i = 0;
    auto nextCommand = [&](bool plain) {
        ++i;
        const std::string command = plain ? "C:\\BenchMissing\\legacy" + std::to_string(i) + ".exe" : Command(i);
        return i % 5 == 0 ? marker + command : command;
    };
    for (const int kind : {1, 2}) {
        const std::string folder = StartupFolder(kind);
        CreateDirectoryA(folder.c_str(), nullptr);
        ShellLink& link = SharedShellLink();
        for (int n = 0; n < kLinksPerFolder; ++n) {
            const std::string command = nextCommand(false);
            link.SetTarget(ProgramPart(command), ArgumentsPart(command));
            written += link.SaveLink(folder + "Agent " + std::to_string(i) + ".lnk");
        }
    }
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const char* key : kRunKeys) {
            for (int n = 0; n < kValuesPerKey; ++n) {
                const std::string command = nextCommand(false);
                written += static_cast<bool>(
                    WriteRegString(root, std::string(kRunKeyBase) + key, "Agent " + std::to_string(i), command));
            }
        }
    }
    for (const char* key : {"load", "run"}) {
        std::string list;
        for (int n = 0; n < kItemsPerList; ++n) list += (n ? ";" : "") + nextCommand(true);
        written += kItemsPerList *
                   static_cast<int>(static_cast<bool>(WriteRegString(HKEY_CURRENT_USER, kWinIniKey, key, list)));
    }
    static_assert(kTotal == kBenchEntryCount, "the seed's count");
    return written == kTotal;
}
