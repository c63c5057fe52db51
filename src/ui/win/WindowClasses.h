// The registered window class of every window. The names are kept as they are
// for outside tools: screen readers' scripts, automation and the end-to-end
// tests find the windows by them, so none of them ever changes.
#pragma once

namespace WindowClass {

constexpr char Main[] = "TForm1";
// The prompts.
constexpr char Message[] = "TShowMessage2Form";
constexpr char Question[] = "TQuestionDialogForm";
constexpr char Wait[] = "TWaitForm";
constexpr char InfoMessage[] = "TInfoMessage";
constexpr char Splash[] = "TSplashForm";
// The dialogs.
constexpr char EntryEditor[] = "TEditAddForm";
constexpr char Location[] = "TLocationForm";
constexpr char Restore[] = "TRestoreForm";
constexpr char Compare[] = "TCompareForm";
constexpr char BlockedEntries[] = "TSperrenForm";
constexpr char Info[] = "TInfoForm";
constexpr char Language[] = "TLanguageForm";

}  // namespace WindowClass
