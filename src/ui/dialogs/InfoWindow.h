// The information window (window class "TInfoForm"): program name, version,
// maker, language choice, homepage and e-mail links. Modal over its owner.
#pragma once
#include <windows.h>

#include <functional>

#include "ui/win/WindowBase.h"

namespace ui {

void ShowInfoWindow(HWND owner);

class InfoWindow : public WindowBase {
public:
    InfoWindow();

    // Fills the language list and the table from the catalogue.
    void FillContents();
    void ApplyTexts();
    // What the rest of the program does after a language switch here (texts
    // onto every window, the next tip); set by start-up.
    void SetLanguageSwitchedStep(std::function<void()> step) { languageSwitched_ = std::move(step); }
    // Frame of the animated homepage icon (advances with its timer).
    int AnimationFrame() const { return frame_; }

protected:
    void OnCreate() override;
    void OnCommand(int id, int code, HWND control) override;
    void OnPaint(HDC dc) override;
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void OnTimer(UINT_PTR timer) override;
    void OnDpiChanged() override;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The language switch of the running program.
    void OnLanguageChosen();
    void OpenHomepage();
    void DrawLogo(HDC dc) const;

    int frame_ = 0;
    HWND tooltip_ = nullptr;
    std::function<void()> languageSwitched_;
    gdi::Font nameFont_;
    gdi::Font tableFont_;
};

InfoWindow& TheInfoWindow();

}  // namespace ui
