#include "ui/main/WindowPlacement.h"

#include <sstream>

#include "system/RegistryValues.h"

namespace ui {

const char kProgramKey[] = "Software\\Veltmanix\\Bootmarshal";
const char kWindowPlacementValue[] = "MainWindow";

std::string PlacementText(const StoredPlacement& placement) {
    const RECT& r = placement.normal;
    std::ostringstream text;
    text << r.left << ' ' << r.top << ' ' << r.right << ' ' << r.bottom << ' ' << (placement.maximized ? 1 : 0);
    return text.str();
}

std::optional<StoredPlacement> ParsePlacement(const std::string& text) {
    std::istringstream in(text);
    long left = 0, top = 0, right = 0, bottom = 0;
    int maximized = 0;
    if (!(in >> left >> top >> right >> bottom >> maximized)) return std::nullopt;
    std::string rest;
    if (in >> rest) return std::nullopt;
    if (right <= left || bottom <= top || (maximized != 0 && maximized != 1)) return std::nullopt;
    return StoredPlacement{RECT{left, top, right, bottom}, maximized == 1};
}

namespace {

// Grown to the designed size, a window stored near a monitor's right or bottom
// edge would reach past it, its title bar or buttons out of sight: it is moved
// back onto the work area of the monitor it lies on (its top left kept in view
// when it is larger than that). The rectangle is in workspace coordinates,
// which start at the primary monitor's work area.
void KeepOnItsMonitor(RECT& normal) {
    RECT primaryWork{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &primaryWork, 0);
    RECT onScreen = normal;
    OffsetRect(&onScreen, primaryWork.left, primaryWork.top);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromRect(&onScreen, MONITOR_DEFAULTTONEAREST), &monitor)) return;
    RECT work = monitor.rcWork;
    OffsetRect(&work, -primaryWork.left, -primaryWork.top);
    LONG dx = 0, dy = 0;
    if (normal.right > work.right) dx = work.right - normal.right;
    if (normal.bottom > work.bottom) dy = work.bottom - normal.bottom;
    if (normal.left + dx < work.left) dx = work.left - normal.left;
    if (normal.top + dy < work.top) dy = work.top - normal.top;
    OffsetRect(&normal, dx, dy);
}

}  // namespace

bool RestoreWindowPlacement(HWND window, SIZE minimumSize) {
    std::optional<StoredPlacement> stored =
        ParsePlacement(ReadRegString(HKEY_CURRENT_USER, kProgramKey, kWindowPlacementValue));
    if (!stored) return false;
    RECT& normal = stored->normal;
    // A monitor unplugged since, or another arrangement: the window would open
    // where nobody sees it.
    if (!MonitorFromRect(&normal, MONITOR_DEFAULTTONULL)) return false;
    // Stored at a lower DPI, or by hand: never below the designed size.
    if (normal.right - normal.left < minimumSize.cx) normal.right = normal.left + minimumSize.cx;
    if (normal.bottom - normal.top < minimumSize.cy) normal.bottom = normal.top + minimumSize.cy;
    KeepOnItsMonitor(normal);
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    placement.showCmd = stored->maximized ? SW_SHOWMAXIMIZED : SW_SHOWNORMAL;
    placement.rcNormalPosition = normal;
    return SetWindowPlacement(window, &placement) != FALSE;
}

void SaveWindowPlacement(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement)) return;
    // Closed while minimized: it opens as it was before (maximized or not).
    const bool maximized = placement.showCmd == SW_SHOWMAXIMIZED ||
                           (placement.showCmd == SW_SHOWMINIMIZED && (placement.flags & WPF_RESTORETOMAXIMIZED));
    WriteRegString(HKEY_CURRENT_USER, kProgramKey, kWindowPlacementValue,
                   PlacementText({placement.rcNormalPosition, maximized}));
}

}  // namespace ui
