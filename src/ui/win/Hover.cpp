#include "ui/win/Hover.h"

#include <commctrl.h>

namespace ui {

namespace {

constexpr UINT_PTR kSubclassId = 0x484f5652;
HWND hovered = nullptr;

void SetHovered(HWND control) {
    if (control == hovered) return;
    HWND before = hovered;
    hovered = control;
    if (before && IsWindow(before)) InvalidateRect(before, nullptr, FALSE);
    if (control) InvalidateRect(control, nullptr, FALSE);
}

LRESULT CALLBACK HoverProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_MOUSEMOVE:
            if (hovered != control) {
                TRACKMOUSEEVENT track{};
                track.cbSize = sizeof track;
                track.dwFlags = TME_LEAVE;
                track.hwndTrack = control;
                TrackMouseEvent(&track);
                SetHovered(control);
            }
            break;
        case WM_MOUSELEAVE:
            if (hovered == control) SetHovered(nullptr);
            break;
        case WM_NCDESTROY:
            if (hovered == control) hovered = nullptr;
            RemoveWindowSubclass(control, HoverProc, kSubclassId);
            break;
        default:
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

}  // namespace

void TrackHover(HWND control) {
    if (control) SetWindowSubclass(control, HoverProc, kSubclassId, 0);
}

bool IsHovered(HWND control) { return control && control == hovered; }

}  // namespace ui
