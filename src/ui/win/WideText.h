// The windows' text crosses to Windows here: the program's UTF-8 strings go to
// the wide functions and come back from them, so a window shows and returns
// every character, not only those of the user's ANSI code page.
#pragma once
#include <windows.h>

#include <string>

#include "system/Utf8.h"

namespace ui {

inline std::string WindowTextOf(HWND window) {
    if (!window) return std::string();
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return Utf8FromWide(text);
}

inline void SetWindowTextOf(HWND window, const std::string& text) {
    if (window) SetWindowTextW(window, WideFromUtf8(text).c_str());
}

// LB_ADDSTRING, CB_ADDSTRING and the like: a message whose lParam is a text.
inline LRESULT SendTextMessage(HWND window, UINT message, WPARAM wParam, const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    return SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(wide.c_str()));
}

// One line of a list box; empty for a line it does not have.
inline std::string ListBoxLine(HWND list, int line) {
    const LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(line), 0);
    if (length == LB_ERR || length <= 0) return std::string();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(copied == LB_ERR || copied < 0 ? 0 : static_cast<size_t>(copied));
    return Utf8FromWide(text);
}

// DrawTextW of a UTF-8 text; the rectangle is filled as DrawText fills it.
inline int DrawTextOf(HDC dc, const std::string& text, RECT* rect, UINT format) {
    const std::wstring wide = WideFromUtf8(text);
    return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), rect,
                     format & ~static_cast<UINT>(DT_MODIFYSTRING));
}

// The size of a text on one line in the DC's font.
inline SIZE TextExtentOf(HDC dc, const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    SIZE size{};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    return size;
}

}  // namespace ui
