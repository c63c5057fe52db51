// Keyboard accelerators for captions that come from the language files, which
// carry none: each caption of a window gets the first letter or digit not yet
// taken by another caption of that window, so Alt plus that key reaches it in
// every language.
#pragma once
#include <string>

class MnemonicSet {
public:
    // The caption with "&" doubled (shown as itself) and "&" put before the
    // first ASCII letter or digit that no earlier caption of this set took;
    // unchanged but for the doubling when every candidate is taken.
    std::string Mark(const std::string& caption);

private:
    std::string taken_;  // upper-cased keys already given
};
