// Shows one prompt window as the program shows it, for the end-to-end tests:
//   prompt_gallery question <text>     exit code 1 for yes, 0 for no
//   prompt_gallery message <text>
//   prompt_gallery info <title> <text>
//   prompt_gallery timedwait <pace>
//   prompt_gallery wait <milliseconds>
//   prompt_gallery splash <milliseconds>
//   prompt_gallery list                a list box, an edit field and a check box; changes show in the title
// The active catalogue is the shipped English language file. Like the program,
// the gallery is DPI aware.
#include <windows.h>

#include <cstdlib>
#include <string>

#include "i18n/TranslationCatalogue.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"
#include "ui/win/WindowBase.h"

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

// A window with a list box, for the driver's list functions: the lines hold
// letters beyond ASCII, and choosing a line puts it into the window's title.
class ListProbe : public ui::WindowBase {
public:
    static constexpr int kList = 100, kEdit = 101, kCheck = 102;
    ListProbe() : WindowBase("BmListProbe", 300, 220) {}

protected:
    void OnCreate() override {
        AddControl("LISTBOX", "", WS_VISIBLE | WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 10, 10, 280, 140, kList);
        for (const char* line : {"Alpha", "M\xC3\xBCller & S\xC3\xB6hne", "Zeta"}) {
            ui::SendTextMessage(Control(kList), LB_ADDSTRING, 0, line);
        }
        AddControl("EDIT", "", WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, 10, 160, 180, 22, kEdit);
        AddControl("BUTTON", "Checked", WS_VISIBLE | BS_AUTOCHECKBOX, 200, 160, 90, 22, kCheck);
        SetCaption("nothing selected");
    }
    void OnCommand(int id, int code, HWND list) override {
        if (id == kEdit && code == EN_CHANGE) SetCaption("typed: " + ControlText(kEdit));
        if (id != kList || code != LBN_SELCHANGE) return;
        int index = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
        SetCaption("selected: " + ui::ListBoxLine(list, index));
    }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetProcessDPIAware();
    PrepareDataFolder("Bootmarshal", false);
    testsupport::WriteFileBytes(DataFolder("Bootmarshal") + "Bootmarshal.def",
                                testsupport::ReadFileBytes(testsupport::SourcePath("lang/Bootmarshal.t01")));
    LoadTranslation("Bootmarshal");

    std::string mode = __argc > 1 ? __argv[1] : "";
    std::string first = __argc > 2 ? __argv[2] : "";
    std::string second = __argc > 3 ? __argv[3] : "";
    int code = 0;
    if (mode == "question") {
        code = AskQuestion(first) ? 1 : 0;
    } else if (mode == "message") {
        ShowMessage(first);
    } else if (mode == "info") {
        ShowInfoMessage(first, second);
    } else if (mode == "timedwait") {
        RunTimedWait(GetText(Text::MakingBackup), "", std::atoi(first.c_str()));
    } else if (mode == "wait") {
        ScopedWait wait;
        Pump(static_cast<DWORD>(std::atoi(first.c_str())));
    } else if (mode == "splash") {
        ShowSplash();
        Pump(static_cast<DWORD>(std::atoi(first.c_str())));
        CloseSplash();
    } else if (mode == "list") {
        ListProbe probe;
        probe.RunModal();
    } else {
        code = 2;
    }
    DestroyPromptWindows();
    return code;
}
