#include "ui/win/Mnemonics.h"

#include "system/TextCase.h"

namespace {

// Only keys with a key code of their own (A-Z, 0-9) can be mnemonics.
char KeyOf(char c) {
    const char key = AsciiUpper(c);
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) return key;
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
