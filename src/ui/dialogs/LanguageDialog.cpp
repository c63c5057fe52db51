#include "ui/dialogs/LanguageDialog.h"

#include <algorithm>

#include "i18n/LanguageFile.h"
#include "i18n/TranslationCatalogue.h"
#include "system/DataFolder.h"
#include "system/Errors.h"
#include "system/Files.h"
#include "system/ProductNames.h"
#include "system/SingleInstance.h"
#include "ui/prompts/ErrorTexts.h"
#include "ui/win/ControlIds.h"
#include "ui/win/WideText.h"
#include "ui/win/WindowClasses.h"

namespace ui {

namespace {

constexpr int kClientWidth = 189;
constexpr int kClientHeight = 129;
// Another instance may record the choice while this dialog waits: it then
// closes as if the file had been there from the start.
constexpr UINT_PTR kChoiceCheckTimer = 1;
constexpr UINT kChoiceCheckInterval = 250;

std::string OwnExecutable() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) return Utf8FromWide(std::wstring_view(path.data(), length));
        // A profile or program folder deeper than MAX_PATH: ask again with room.
        if (path.size() >= 32768) return std::string();
        path.resize(path.size() * 2);
    }
}

}  // namespace

LanguageDialog::LanguageDialog()
    : WindowBase(WindowClass::Language, kClientWidth, kClientHeight,
                 // No close button: the dialog ends with a choice.
                 {WS_POPUP | WS_CAPTION, kDialogStyle.exStyle}) {}

void LanguageDialog::SetChoiceFile(const std::string& path, const std::string& version) {
    choiceFile_ = path;
    version_ = version;
}

void LanguageDialog::OnCreate() {
    SetCaption(kBaseName);
    const DWORD label = WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX;
    const char* const prompts[] = {
        "Please select your language:", "Bitte w\xC3\xA4hlen Sie Ihre Sprache aus:", "Veuillez choisir une langue:"};
    const int promptIds[] = {kIdLanguagePromptEnglish, kIdLanguagePromptGerman, kIdLanguagePromptFrench};
    // A system whose dialog font runs wider than the designed one widens the
    // dialog rather than cut a prompt short.
    int width = kClientWidth;
    for (const char* prompt : prompts) {
        width = std::max(width, MeasureTextWidth96(prompt, DialogFont(), DT_SINGLELINE | DT_NOPREFIX) + 18);
    }
    if (width != kClientWidth) SetClientSize96(width, kClientHeight);
    for (int i = 0; i < 3; ++i) AddControl("STATIC", prompts[i], label, 8, 8 + 16 * i, width - 14, 15, promptIds[i]);
    AddControl("COMBOBOX", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 8, 62, width - 16,
               160, kIdLanguageList);
    AddControl("BUTTON", "OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_DEFPUSHBUTTON, (width - 75) / 2,
               96, 75, 25, kIdLanguageOk);
    // Item i is language i.
    HWND list = Control(kIdLanguageList);
    const int count = LanguageCount();
    for (int i = 0; i < count; ++i) {
        const std::string name = LanguageName(i);
        SendTextMessage(list, CB_ADDSTRING, 0, name);
    }
    SetDefaultButton(kIdLanguageOk);
    SetInitialFocus(kIdLanguageList);
}

bool LanguageDialog::Ask() {
    if (!choiceFile_.empty() && FileExists(choiceFile_)) return false;
    // Shown before the main window: no owner, so that it has its own taskbar button.
    const HWND previousOwner = DialogOwner();
    SetDialogOwner(nullptr);
    if (Create()) SetTimer(hwnd(), kChoiceCheckTimer, kChoiceCheckInterval, nullptr);
    const int result = RunModal();
    if (hwnd()) KillTimer(hwnd(), kChoiceCheckTimer);
    SetDialogOwner(previousOwner);
    return result == IDOK;
}

void LanguageDialog::OnTimer(UINT_PTR timer) {
    if (timer == kChoiceCheckTimer && IsRunningModal() && FileExists(choiceFile_)) EndModal(IDCANCEL);
}

void LanguageDialog::OnCommand(int id, int code, HWND /*control*/) {
    if (id == kIdLanguageList && code == CBN_SELCHANGE) {
        EnableWindow(Control(kIdLanguageOk), SendMessageW(Control(kIdLanguageList), CB_GETCURSEL, 0, 0) >= 0);
        return;
    }
    if (id == kIdLanguageOk && code == BN_CLICKED) Confirm();
}

void LanguageDialog::Confirm() {
    const std::string name = ControlText(kIdLanguageList);
    // Only a choice that can be honoured is recorded: a language whose file is
    // gone or cannot be read leaves every file alone and the dialog open.
    if (name.empty() || !LanguageAvailable(name)) return;
    bool recorded = false;
    try {
        recorded = !FileExists(choiceFile_);
        WriteTextFileOnce(choiceFile_, version_);
    } catch (const EInOutError&) {
        // Not recorded: the next start asks again, this one still switches.
        recorded = false;
    }
    const std::string dataFolder = DataFolder(TranslationBaseName());
    DeleteFileW(WideFromUtf8(dataFolder + ActivePartFileName(TranslationBaseName(), LanguagePart::Help)).c_str());
    DeleteFileW(
        WideFromUtf8(dataFolder + ActivePartFileName(TranslationBaseName(), LanguagePart::Documentation)).c_str());
    if (!SwitchLanguage(name)) {
        // It vanished between the check and the switch: nothing is recorded.
        if (recorded) DeleteFileW(WideFromUtf8(choiceFile_).c_str());
        return;
    }
    if (!endAfterChoice_) {
        const std::string self = OwnExecutable();
        // The new copy must not find this ending one still holding the guard.
        ReleaseSingleInstance();
        if (!self.empty()) OpenExistingWithShellTellingFailure(self);
    }
    EndModal(IDOK);
}

LanguageDialog& TheLanguageDialog() {
    static LanguageDialog dialog;
    return dialog;
}

}  // namespace ui
