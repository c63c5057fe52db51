#include "ui/win/ToolTips.h"

#include <commctrl.h>

#include "system/Utf8.h"

namespace ui {

ToolTips::~ToolTips() {
    if (window_) DestroyWindow(window_);
}

bool ToolTips::Create(HWND owner) {
    owner_ = owner;
    // TTS_ALWAYSTIP: the tips show also while another window is active, as
    // the ribbon's items stay usable then. TTS_NOPREFIX: a caption's "&"
    // is shown as it is.
    window_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (!window_) return false;
    // Long captions and their keys wrap rather than run off the screen.
    SendMessageW(window_, TTM_SETMAXTIPWIDTH, 0, 400);
    return true;
}

void ToolTips::Set(HWND control, const std::string& text) {
    if (!window_ || !control) return;
    std::wstring wide = WideFromUtf8(text);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = wide.data();
    // A tool added twice would show two tips: the first call adds, later ones
    // change the text.
    const bool known = !tools_.insert(control).second;
    SendMessageW(window_, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

}  // namespace ui
