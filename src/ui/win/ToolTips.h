// Tooltips for a window's controls: one tooltip window, and a tip per control
// that shows while the pointer rests on it. Texts are the program's UTF-8.
#pragma once
#include <windows.h>

#include <set>
#include <string>

namespace ui {

class ToolTips {
public:
    ToolTips() = default;
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;
    ~ToolTips();

    // The tooltip window for the owner's controls; false when it cannot be made.
    bool Create(HWND owner);
    // Gives the control a tip with this text, or changes its text.
    void Set(HWND control, const std::string& text);
    HWND hwnd() const { return window_; }

private:
    HWND owner_ = nullptr;
    HWND window_ = nullptr;
    std::set<HWND> tools_;
};

}  // namespace ui
