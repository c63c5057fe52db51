#include "app/PlaceholderMainWindow.h"

#include <windows.h>

#include "backup/BackupStore.h"
#include "i18n/TranslationCatalogue.h"
#include "xml/XmlCodec.h"
#include "xml/XmlParser.h"

namespace {

LRESULT CALLBACK PlaceholderProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int RunPlaceholderMainWindow() {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = PlaceholderProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "TForm1";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "TForm1", GetText(2).c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 800,
                                  560, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window) return 1;

    // The backup store lives as long as the main window; a file it cannot read
    // is reported and left alone, and the program goes on.
    static TXMLCodec XMLCodec1;
    static TXMLParser XMLParser1;
    XMLParser1.Codec = &XMLCodec1;
    static BackupStore backups(XMLParser1);
    const std::string error = StartBackupsReportingError(backups);
    if (!error.empty()) MessageBoxA(window, error.c_str(), GetText(1).c_str(), MB_ICONERROR);

    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
