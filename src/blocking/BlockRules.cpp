#include "blocking/BlockRules.h"

#include "system/TextRules.h"

namespace {

std::string UpperAscii(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    }
    return text;
}

bool IsStoredKind(int32_t kind) {
    return (kind >= 1 && kind <= 2) || (kind >= 11 && kind <= 15) || (kind >= 21 && kind <= 25) ||
           (kind >= 31 && kind <= 32);
}

// The stored forms of one command differ in quotation marks only: a registry
// entry lists its program quoted while active and plain while switched off, so
// a line blocked from the active entry is quoted and the switched-off entry not.
std::string Unquoted(const std::string& text) {
    std::string plain;
    for (char c : Trim(text)) {
        if (c != '"') plain += c;
    }
    return plain;
}

}  // namespace

BlockRefusal CheckBlockable(const StartupEntry& entry, const std::string& blockCheckValueName) {
    const std::string command = UpperAscii(Trim(entry.command));
    if (command.empty()) return BlockRefusal::EmptyCommand;
    if (entry.kind == 11 && entry.name == blockCheckValueName) return BlockRefusal::OwnBlockCheck;
    // A copy of the check's command elsewhere would make the check delete its
    // own value as a blocked entry.
    if (command.find("BOOTMARSHAL.EXE") != std::string::npos && command.find("/BLOCKLIST") != std::string::npos) {
        return BlockRefusal::OwnBlockCheck;
    }
    return BlockRefusal::None;
}

bool ReleaseSwitchesEntryOn(int32_t kind, bool active, const std::string& command, const std::string& releasedLine,
                            const SameTextFn& sameText) {
    if (!IsStoredKind(kind) || active) return false;
    return sameText(Unquoted(command), Unquoted(releasedLine));
}
