// Shows one prompt window as the program shows it, for the end-to-end tests:
//   prompt_gallery question <text>     exit code 1 for yes, 0 for no
//   prompt_gallery message <text>
//   prompt_gallery info <title> <text>
//   prompt_gallery timedwait <pace>
//   prompt_gallery wait <milliseconds>
//   prompt_gallery splash <milliseconds>
// The active catalogue is the shipped English language file. Like the program,
// the gallery is DPI aware.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "i18n/TranslationCatalogue.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "ui/Prompts.h"

namespace {

void Pump(DWORD milliseconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetProcessDPIAware();
    PrepareDataFolder("Bootmarshal", false);
    testsupport::WriteFileBytes(DataFolder("Bootmarshal") + "Bootmarshal.def",
                                testsupport::ReadFileBytes(testsupport::SourcePath("lang/Bootmarshal.t01")));
    LoadTranslation("Bootmarshal");
    CreatePromptWindows();

    std::string mode = __argc > 1 ? __argv[1] : "";
    std::string first = __argc > 2 ? __argv[2] : "";
    std::string second = __argc > 3 ? __argv[3] : "";
    int code = 0;
    if (mode == "question") {
        code = AskQuestion(first) ? 1 : 0;
    } else if (mode == "message") {
        ShowMessage2(first);
    } else if (mode == "info") {
        ShowInfoMessage(first, second);
    } else if (mode == "timedwait") {
        RunTimedWait(GetText(43), "", std::atoi(first.c_str()));
    } else if (mode == "wait") {
        ScopedWait wait;
        Pump(static_cast<DWORD>(std::atoi(first.c_str())));
    } else if (mode == "splash") {
        ShowSplash();
        Pump(static_cast<DWORD>(std::atoi(first.c_str())));
        CloseSplash();
    } else {
        code = 2;
    }
    DestroyPromptWindows();
    return code;
}
