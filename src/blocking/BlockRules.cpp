#include "blocking/BlockRules.h"

#include "blocking/BlockMatch.h"
#include "entries/LocationKinds.h"
#include "system/TextCase.h"
#include "system/TextRules.h"

BlockRefusal CheckBlockable(const StartupEntry& entry, const std::string& blockCheckValueName) {
    const std::string command = UpperText(Trim(entry.command));
    if (command.empty()) return BlockRefusal::EmptyCommand;
    if (entry.kind == kUserRun && entry.name == blockCheckValueName) return BlockRefusal::OwnBlockCheck;
    // A copy of the check's command elsewhere would make the check delete its
    // own value as a blocked entry.
    if (command.find("BOOTMARSHAL.EXE") != std::string::npos && command.find("/BLOCKLIST") != std::string::npos) {
        return BlockRefusal::OwnBlockCheck;
    }
    return BlockRefusal::None;
}

bool ReleaseSwitchesEntryOn(int32_t kind, bool active, const std::string& command, const std::string& releasedLine) {
    if (!IsLocationKind(kind) || active) return false;
    return SameText(BlockMatchForm(command), BlockMatchForm(releasedLine));
}
