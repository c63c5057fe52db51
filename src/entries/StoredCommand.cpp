#include "entries/StoredCommand.h"

#include "system/DataFolder.h"
#include "system/Files.h"
#include "system/TextCase.h"
#include "system/TextRules.h"

namespace {

const size_t kExecutableNameLength = 15;  // "Bootmarshal.exe"

struct OwnMarker {
    std::string companion;
    std::string written;
    std::string upperPlain;   // path and space, upper-cased
    std::string upperQuoted;  // "path" and space, upper-cased
};

const OwnMarker& Own() {
    static const OwnMarker marker = [] {
        const std::string exe = ExecutablePath();
        OwnMarker m;
        m.companion =
            (exe.size() > kExecutableNameLength ? exe.substr(0, exe.size() - kExecutableNameLength) : std::string()) +
            "inactive.exe";
        m.written = MarkerFor(m.companion);
        m.upperPlain = UpperText(m.companion + " ");
        m.upperQuoted = UpperText("\"" + m.companion + "\" ");
        return m;
    }();
    return marker;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::string WithoutMarker(const std::string& command) { return command.substr(MarkerLength(command)); }

}  // namespace

const std::string& CompanionPath() { return Own().companion; }

const std::string& DeactivationMarker() { return Own().written; }

size_t MarkerLength(const std::string& stored) {
    const OwnMarker& own = Own();
    if (stored.size() >= own.upperPlain.size()) {
        // One upper-casing covers both forms: the quoted one is the longer.
        const std::string upper = UpperText(stored.substr(0, own.upperQuoted.size()));
        if (StartsWith(upper, own.upperPlain)) return own.upperPlain.size();
        if (StartsWith(upper, own.upperQuoted)) return own.upperQuoted.size();
    }
    return CompanionMarkerLength(stored);
}

std::string StripMarker(const std::string& stored) { return WithoutMarker(stored); }

CommandState ReadStoredCommand(const std::string& stored) {
    const size_t length = MarkerLength(stored);
    return {stored.substr(length), length == 0};
}

std::string StoredRegistryText(const std::string& command, bool active) {
    const std::string own = WithoutMarker(command);
    return active ? own : DeactivationMarker() + own;
}

std::string StoredWinIniItem(const std::string& command, bool active) {
    const std::string own = WithoutMarker(command);
    return active ? own : DeactivationMarker() + own;
}

bool StoredLinkTarget(const std::string& command, bool active, const CommandParts* known, LinkSplit split,
                      CommandParts& target) {
    const std::string own = WithoutMarker(command);
    CommandParts parts;
    const bool stillKnown =
        known && !known->program.empty() &&
        (known->program + " " + known->arguments == own || (known->arguments.empty() && known->program == own));
    if (stillKnown) {
        parts = *known;
    } else if (!SplitForLink(own, FileExists, parts)) {
        if (split != LinkSplit::KeepingTheText) return false;
        const size_t blank = own.find(' ');
        if (blank == 0 || blank == std::string::npos) return false;
        parts = {own.substr(0, blank), own.substr(blank + 1)};
    }
    target = active ? parts : CommandParts{CompanionPath(), ParkedLinkArguments(parts)};
    return true;
}

namespace {

bool StartsCompanion(const std::string& path) { return !path.empty() && MarkerLength(path + " ") == path.size() + 1; }

}  // namespace

std::string LinkCommand(const std::string& path, const std::string& arguments) {
    return LinkCommandText(path, arguments, StartsCompanion(path));
}

bool LinkProgramAndArguments(const std::string& path, const std::string& arguments, CommandParts& parts) {
    if (!StartsCompanion(path)) {
        parts = {path, arguments};
        return !path.empty();
    }
    return UnparkLinkArguments(arguments, parts);
}
