// The platform's side of TextCase.h: the user's locale decides.
#include <windows.h>

#include "system/TextCase.h"
#include "system/Utf8.h"

namespace {

const DWORD kCaseBlind = NORM_IGNORECASE;

std::wstring UpperWide(const std::wstring& wide) {
    if (wide.empty()) return wide;
    const DWORD flags = LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING;
    const int size = static_cast<int>(wide.size());
    const int length =
        LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, wide.data(), size, nullptr, 0, nullptr, nullptr, 0);
    if (length <= 0) return wide;
    std::wstring upper(static_cast<size_t>(length), L'\0');
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, wide.data(), size, &upper[0], length, nullptr, nullptr, 0);
    return upper;
}

int LinguisticOrder(const std::wstring& a, const std::wstring& b) {
    const int result = CompareStringEx(LOCALE_NAME_USER_DEFAULT, kCaseBlind, a.data(), static_cast<int>(a.size()),
                                       b.data(), static_cast<int>(b.size()), nullptr, nullptr, 0);
    return result == CSTR_LESS_THAN ? -1 : result == CSTR_GREATER_THAN ? 1 : 0;
}

// Unit by unit, as the registry and the file system tell names apart.
int UnitOrder(const std::wstring& a, const std::wstring& b) {
    const int order = a.compare(b);
    return order < 0 ? -1 : order > 0 ? 1 : 0;
}

// The platform's sort key under the case-blind flag: comparing two keys byte by
// byte gives exactly what the linguistic comparison gives for their texts. It
// holds no zero byte but its last.
std::string SortKey(const std::wstring& wide) {
    // The platform refuses an empty source; a text the comparison finds equal to
    // the empty one has the same key as a lone ignorable character.
    const std::wstring source = wide.empty() ? std::wstring(1, L'\0') : wide;
    const DWORD flags = LCMAP_SORTKEY | kCaseBlind;
    const int sourceLength = static_cast<int>(source.size());
    const int bytes =
        LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, source.data(), sourceLength, nullptr, 0, nullptr, nullptr, 0);
    if (bytes <= 0) return std::string();
    std::string key(static_cast<size_t>(bytes), '\0');
    LCMapStringEx(LOCALE_NAME_USER_DEFAULT, flags, source.data(), sourceLength, reinterpret_cast<LPWSTR>(&key[0]),
                  bytes, nullptr, nullptr, 0);
    if (!key.empty() && key.back() == '\0') key.pop_back();
    return key;
}

}  // namespace

int CompareText(const std::string& a, const std::string& b) {
    const std::wstring wideA = WideFromUtf8(a);
    const std::wstring wideB = WideFromUtf8(b);
    const int order = LinguisticOrder(wideA, wideB);
    return order != 0 ? order : UnitOrder(UpperWide(wideA), UpperWide(wideB));
}

bool SameText(const std::string& a, const std::string& b) { return CompareText(a, b) == 0; }

// The sort key, a zero byte that no sort key holds, then the upper-case units
// high byte first: keys order as the comparison orders, the sort key first.
std::string TextKey(const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    std::string key = SortKey(wide);
    key += '\0';
    for (const wchar_t unit : UpperWide(wide)) {
        key += static_cast<char>((unit >> 8) & 0xFF);
        key += static_cast<char>(unit & 0xFF);
    }
    return key;
}

std::string UpperText(const std::string& text) {
    if (IsWtf8(text)) return Utf8FromWide(UpperWide(WideFromUtf8(text)));
    // A byte that is not WTF-8 would come back as U+FFFD: the characters around
    // it are upper-cased a run at a time, and it stays as it is.
    std::string upper;
    size_t run = 0;
    for (size_t at = 0; at < text.size();) {
        const CodePoint point = ReadCodePoint(text, at);
        if (point.value == 0xFFFD && point.length == 1) {
            upper += Utf8FromWide(UpperWide(WideFromUtf8(std::string_view(text).substr(run, at - run))));
            upper += text[at];
            run = at + 1;
        }
        at += point.length;
    }
    return upper + Utf8FromWide(UpperWide(WideFromUtf8(std::string_view(text).substr(run))));
}
