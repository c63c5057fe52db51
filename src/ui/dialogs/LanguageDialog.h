// The language dialog (window class "TLanguageForm"): asked at the first start
// and after a new version, before the main window shows. Its prompts stand in
// three languages at once, so the catalogue never changes them.
#pragma once
#include <windows.h>

#include <string>

#include "ui/win/WindowBase.h"

namespace ui {

class LanguageDialog : public WindowBase {
public:
    LanguageDialog();

    // The choice file's path and the text it records (the program's version).
    void SetChoiceFile(const std::string& path, const std::string& version);
    // "/end" as the first argument: record the choice and end, without a new start.
    void SetEndAfterChoice(bool end) { endAfterChoice_ = end; }

    // Shows the dialog modally unless the choice file exists. True when the
    // user confirmed a language: the choice is recorded, the language is
    // active and (unless told to end) a new instance is on its way, so this one
    // must end now.
    bool Ask();

protected:
    void OnCreate() override;
    void OnCommand(int id, int code, HWND control) override;
    void OnTimer(UINT_PTR timer) override;

private:
    void Confirm();

    std::string choiceFile_;
    std::string version_;
    bool endAfterChoice_ = false;
};

LanguageDialog& TheLanguageDialog();

}  // namespace ui
