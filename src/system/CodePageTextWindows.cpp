#include <windows.h>

#include "system/CodePageText.h"
#include "system/Utf8.h"

bool FitsAnsiCodePage(const std::string& text) {
    if (text.empty()) return true;
    if (!IsWtf8(text) || HoldsLoneSurrogate(text)) return false;
    const std::wstring wide = WideFromUtf8(text);
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, &usedDefault);
    return length > 0 && !usedDefault;
}
