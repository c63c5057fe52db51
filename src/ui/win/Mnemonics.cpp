#include "ui/win/Mnemonics.h"

namespace {

char KeyOf(char c) {
    if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return c;
    return 0;
}

}  // namespace

std::string MnemonicSet::Mark(const std::string& caption) {
    std::string marked;
    bool placed = false;
    for (char c : caption) {
        const char key = KeyOf(c);
        if (!placed && key && taken_.find(key) == std::string::npos) {
            marked += '&';
            taken_ += key;
            placed = true;
        }
        marked += c;
        if (c == '&') marked += '&';
    }
    return marked;
}
