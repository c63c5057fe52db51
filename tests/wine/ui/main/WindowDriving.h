// Working the main window in-process as the user's input arrives: a list line
// selected with its notification, a button clicked through WM_COMMAND, the
// program's questions answered from a list.
#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <vector>

#include "ui/main/MainWindow.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/ControlIds.h"

namespace mainwindowtest {

inline void SelectListLine(ui::MainWindow& window, int line) {
    HWND list = window.Control(kIdEntryList);
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(kIdEntryList, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

inline void ClickControl(ui::MainWindow& window, int id) {
    SendMessageA(window.hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(window.Control(id)));
}

// Runs the program's loop (keys through the window's own translation) until
// done holds; false when it did not within timeoutMs.
inline bool PumpUntil(ui::MainWindow& window, const std::function<bool()>& done, DWORD timeoutMs = 5000) {
    const DWORD start = GetTickCount();
    MSG message;
    while (!done()) {
        if (GetTickCount() - start > timeoutMs) return false;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) continue;
            if (window.PreTranslate(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

// Answers the program's questions from `answers`, front first; a question
// with none left fails the test. Other prompts are left to the program.
inline void AnswerQuestionsFrom(std::vector<bool>& answers) {
    SetPromptResponderForTests([&answers](const PromptRecord& prompt) {
        if (prompt.kind != PromptKind::Question) return false;
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << prompt.text;
            return false;
        }
        const bool answer = answers.front();
        answers.erase(answers.begin());
        return answer;
    });
}

}  // namespace mainwindowtest
