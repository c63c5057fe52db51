// The platform's side of TextCase.h: the user's locale decides.
#include <windows.h>

#include "system/TextCase.h"

namespace {

std::wstring Wide(unsigned codePage, const std::string& text) {
    if (text.empty()) return std::wstring();
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    if (length > 0) MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), length);
    return wide;
}

const DWORD kCaseBlind = NORM_IGNORECASE;

int CompareWide(const std::wstring& a, const std::wstring& b) {
    const int result = CompareStringEx(LOCALE_NAME_USER_DEFAULT, kCaseBlind, a.data(), static_cast<int>(a.size()),
                                       b.data(), static_cast<int>(b.size()), nullptr, nullptr, 0);
    return result == CSTR_LESS_THAN ? -1 : result == CSTR_GREATER_THAN ? 1 : 0;
}

}  // namespace

int CompareTextInCodePage(unsigned codePage, const std::string& a, const std::string& b) {
    return CompareWide(Wide(codePage, a), Wide(codePage, b));
}

bool SameTextInCodePage(unsigned codePage, const std::string& a, const std::string& b) {
    return CompareTextInCodePage(codePage, a, b) == 0;
}

// The platform's sort key under the same flags: comparing two keys byte by byte
// gives exactly what the comparison gives for their texts.
std::string TextKeyInCodePage(unsigned codePage, const std::string& text) {
    const std::wstring wide = Wide(codePage, text);
    // The platform refuses an empty source; a text the comparison finds equal to
    // the empty one has the same key as a lone ignorable character.
    const std::wstring source = wide.empty() ? std::wstring(1, L'\0') : wide;
    const DWORD flags = LCMAP_SORTKEY | kCaseBlind;
    const int sourceLength = static_cast<int>(source.size());
    const int bytes =
        LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, source.data(), sourceLength, nullptr, 0, nullptr, nullptr, 0);
    if (bytes <= 0) return std::string();
    std::string key(static_cast<size_t>(bytes), '\0');
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, source.data(), sourceLength, reinterpret_cast<LPWSTR>(key.data()),
                  bytes, nullptr, nullptr, 0);
    // The key ends in a zero byte that belongs to no text.
    if (!key.empty() && key.back() == '\0') key.pop_back();
    return key;
}

bool SameText(const std::string& a, const std::string& b) { return SameTextInCodePage(CP_ACP, a, b); }

int CompareText(const std::string& a, const std::string& b) { return CompareTextInCodePage(CP_ACP, a, b); }

std::string TextKey(const std::string& text) { return TextKeyInCodePage(CP_ACP, text); }

std::string UpperText(const std::string& text) {
    std::string upper = text;
    if (!upper.empty()) CharUpperBuffA(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}
