#include "driver/Driver.h"

#include "support/WindowOnTop.h"
#include "system/Utf8.h"
#include "ui/win/WindowClasses.h"

#include <algorithm>
#include <string>

#ifndef BM_E2E_ARTIFACTS_DIR
#error "BM_E2E_ARTIFACTS_DIR: the Unix path of the screenshot folder"
#endif
#ifndef BM_E2E_SCREENSHOT_SCRIPT
#error "BM_E2E_SCREENSHOT_SCRIPT: the Unix path of screenshot.sh"
#endif

namespace e2e {

namespace {

constexpr DWORD kMessageTimeoutMs = 5000;
// A line names an entry: a registry value name (16,383 characters at most) or a
// link's file name, with room for what the list adds around it.
constexpr size_t kLongestListLine = 65536;

// Wine maps the Unix root to drive Z:.
std::string WindowsPathOfUnix(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

}  // namespace

HWND FindControl(HWND window, int id) { return window ? GetDlgItem(window, id) : nullptr; }

bool Click(HWND window, int id) {
    HWND button = FindControl(window, id);
    return button && PostMessageA(button, BM_CLICK, 0, 0);
}

std::string Text(HWND window) {
    if (!window) return std::string();
    // The program may change the text between the two messages: a text that
    // fills the buffer is read again with more room, so none comes back cut.
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &length)) {
        return std::string();
    }
    for (size_t room = static_cast<size_t>(length) + 64;; room *= 2) {
        std::wstring text(room, L'\0');
        DWORD_PTR copied = 0;
        if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                                 kMessageTimeoutMs, &copied)) {
            return std::string();
        }
        if (copied + 1 < text.size()) {
            text.resize(static_cast<size_t>(copied));
            return Utf8FromWide(text);
        }
    }
}

std::string ControlText(HWND window, int id) { return Text(FindControl(window, id)); }

std::string ShownText(HWND window, int id) {
    const std::string text = ControlText(window, id);
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&' && i + 1 < text.size()) ++i;
        shown += text[i];
    }
    return shown;
}

bool WaitForText(HWND window, const std::string& expected, DWORD timeoutMs) {
    DWORD start = GetTickCount();
    while (Text(window) != expected) {
        if (GetTickCount() - start > timeoutMs) return false;
        Sleep(20);
    }
    return true;
}

bool SetControlText(HWND window, int id, const std::string& text) {
    HWND control = FindControl(window, id);
    const std::wstring wide = WideFromUtf8(text);
    DWORD_PTR result = 0;
    return control &&
           SendMessageTimeoutW(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_ABORTIFHUNG,
                               kMessageTimeoutMs, &result) &&
           result != 0;
}

bool IsChecked(HWND window, int id) {
    HWND control = FindControl(window, id);
    DWORD_PTR state = 0;
    return control && SendMessageTimeoutA(control, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &state) &&
           state == BST_CHECKED;
}

std::vector<std::string> ListLines(HWND list) {
    std::vector<std::string> lines;
    DWORD_PTR count = 0;
    if (!list || !SendMessageTimeoutW(list, LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &count)) {
        return lines;
    }
    // LB_GETTEXT takes no buffer size, and the program may refill its list
    // between asking a line's length and reading it (a short line becomes a
    // long one): the buffer holds the longest text a line can have.
    std::wstring buffer(kLongestListLine + 1, L'\0');
    for (DWORD_PTR i = 0; i < count && static_cast<LONG_PTR>(count) != LB_ERR; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(list, LB_GETTEXTLEN, i, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &length);
        if (static_cast<LONG_PTR>(length) == LB_ERR || length > kLongestListLine) length = 0;
        buffer[0] = L'\0';
        DWORD_PTR copied = 0;
        if (length > 0) {
            SendMessageTimeoutW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&buffer[0]), SMTO_ABORTIFHUNG,
                                kMessageTimeoutMs, &copied);
        }
        const std::wstring wide(buffer.c_str(), wcsnlen(buffer.c_str(), buffer.size()));
        lines.push_back(Utf8FromWide(wide));
    }
    return lines;
}

bool SelectListLine(HWND list, int index) {
    DWORD_PTR result = 0;
    if (!list || !SendMessageTimeoutA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG,
                                      kMessageTimeoutMs, &result)) {
        return false;
    }
    if (static_cast<LONG_PTR>(result) == LB_ERR && index != -1) return false;
    HWND parent = GetParent(list);
    int id = GetDlgCtrlID(list);
    return PostMessageA(parent, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list)) != FALSE;
}

bool SelectListLineShowing(HWND list, const std::string& text, int occurrence) {
    const auto lineOf = [&] {
        const std::vector<std::string> lines = ListLines(list);
        int left = occurrence;
        for (size_t i = 0; i < lines.size(); ++i) {
            if (lines[i] == text && left-- == 0) return static_cast<int>(i);
        }
        return -1;
    };
    const DWORD start = GetTickCount();
    do {
        const int index = lineOf();
        DWORD_PTR result = 0;
        if (index >= 0 &&
            SendMessageTimeoutA(list, LB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs,
                                &result) &&
            SendMessageTimeoutA(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                                reinterpret_cast<LPARAM>(list), SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result) &&
            SendMessageTimeoutA(list, LB_GETCURSEL, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &result) &&
            static_cast<int>(result) == index && lineOf() == index) {
            return true;
        }
        Sleep(50);
    } while (GetTickCount() - start < kMessageTimeoutMs);
    return false;
}

bool AnswerQuestion(bool yes, DWORD timeoutMs) {
    // IDs of the question dialog's buttons (ui/win/ControlIds.h).
    constexpr int kYes = 2011;
    constexpr int kNo = 2012;
    HWND question = WaitForWindow(WindowClass::Question, timeoutMs);
    return question && Click(question, yes ? kYes : kNo) && WaitUntilGone(question, timeoutMs);
}

void Close(HWND window) {
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
}

std::string ArtifactsFolder() { return WindowsPathOfUnix(BM_E2E_ARTIFACTS_DIR); }

bool Screenshot(const std::string& name, HWND window) {
    std::string unixFile = std::string(BM_E2E_ARTIFACTS_DIR) + "/" + name + ".png";
    std::string windowsFile = WindowsPathOfUnix(unixFile);
    CreateDirectoryA(ArtifactsFolder().c_str(), nullptr);
    DeleteFileA(windowsFile.c_str());
    std::string geometry = "root";
    const testsupport::WindowOnTop onTop(window);
    if (window) {
        // Let the window finish drawing before the picture is taken.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeoutMs, &ignored);
        RECT rect{};
        GetWindowRect(window, &rect);
        const int margin = 8;
        int left = rect.left > margin ? rect.left - margin : 0;
        int top = rect.top > margin ? rect.top - margin : 0;
        geometry = std::to_string(rect.right - rect.left + 2 * margin) + "x" +
                   std::to_string(rect.bottom - rect.top + 2 * margin) + "+" + std::to_string(left) + "+" +
                   std::to_string(top);
    }
    Sleep(150);
    // Wine's start.exe runs a Unix program; the script writes the file whole
    // (through a temporary name), so its appearance means it is complete.
    const std::string command = "start.exe /unix " BM_E2E_SCREENSHOT_SCRIPT " " + unixFile + " " + geometry;
    Program shooter = Program::Start(command, "", CREATE_NO_WINDOW);
    if (!shooter.started()) return false;
    shooter.WaitForExit(10000);
    for (int i = 0; i < 200; ++i) {
        if (GetFileAttributesA(windowsFile.c_str()) != INVALID_FILE_ATTRIBUTES) return true;
        Sleep(50);
    }
    return false;
}

void BeDpiAware() {
    using SetContextFn = BOOL(WINAPI*)(HANDLE);
    auto setContext = reinterpret_cast<SetContextFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDpiAwarenessContext")));
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 is (HANDLE)-4.
    if (!setContext || !setContext(reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4)))) SetProcessDPIAware();
}

}  // namespace e2e
