#include <windows.h>

#include <string>
#include <utility>

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

std::string Utf8FromAnsi(const std::string& bytes) {
    if (bytes.empty()) return std::string();
    const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return Utf8FromWide(wide);
}

bool AnsiFromUtf8(const std::string& text, std::string& bytes) {
    if (!FitsAnsiCodePage(text)) return false;
    const std::wstring wide = WideFromUtf8(text);
    std::string converted;
    if (!wide.empty()) {
        const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                               nullptr, 0, nullptr, nullptr);
        converted.resize(static_cast<size_t>(length > 0 ? length : 0));
        if (length > 0)
            WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                converted.data(), length, nullptr, nullptr);
    }
    bytes = std::move(converted);
    return true;
}
