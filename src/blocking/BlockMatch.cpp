#include "blocking/BlockMatch.h"

#include "system/TextRules.h"

std::string BlockMatchForm(const std::string& command) {
    const std::string trimmed = Trim(command);
    if (trimmed.empty() || trimmed[0] != '"') return trimmed;
    const size_t close = trimmed.find('"', 1);
    // An unclosed quotation mark: the platform would take the whole rest as the
    // program; the text stays as it is, so it meets only itself.
    if (close == std::string::npos) return trimmed;
    const std::string program = trimmed.substr(1, close - 1);
    const std::string rest = trimmed.substr(close + 1);
    if (rest.empty()) return program;
    if (rest[0] != ' ' && rest[0] != '\t') return program + rest;
    return program + " " + Trim(rest);
}
