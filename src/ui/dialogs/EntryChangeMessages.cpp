#include "ui/dialogs/EntryChangeMessages.h"

#include "blocking/BlockList.h"
#include "i18n/TranslationCatalogue.h"
#include "system/Elevation.h"
#include "system/TextRules.h"
#include "ui/main/MainWindowModel.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/TextNumbers.h"

namespace ui {

int ChangeReasonTextNumber(ChangeReason reason) {
    switch (reason) {
        case ChangeReason::AccessDenied:
            return Text::ReasonAccessDenied;
        case ChangeReason::NameTaken:
            return Text::ReasonNameTaken;
        case ChangeReason::ChangedSinceListing:
            return Text::ReasonChangedSinceListing;
        case ChangeReason::NameNotStorable:
            return Text::ReasonNameNotStorable;
        case ChangeReason::CommandNotStorable:
            return Text::ReasonCommandNotStorable;
        case ChangeReason::NotAStringValue:
            return Text::ReasonNotAStringValue;
        case ChangeReason::NoLocation:
            return Text::ReasonNoLocation;
        case ChangeReason::NotMachineWide:
            return Text::ReasonNotMachineWide;
        case ChangeReason::ProgramNotFound:
            return Text::ReasonProgramNotFound;
        case ChangeReason::SetByPolicy:
            return Text::SetByPolicy;
        case ChangeReason::SetForWinlogon:
            return Text::SetForWinlogon;
        case ChangeReason::OnlySwitched:
            return Text::ReasonOnlySwitched;
        case ChangeReason::NotDeletable:
            return Text::ReasonNotDeletable;
        case ChangeReason::WriteFailed:
        case ChangeReason::None:
            break;
    }
    return Text::ReasonWriteFailed;
}

std::string NotChangedText(int headline, const ChangeResult& result) {
    std::string text = GetText(headline) + "\n" + GetText(ChangeReasonTextNumber(result.reason));
    if (!result.location.empty()) text += "\n" + result.location;
    return text;
}

std::string EntryLostText(const StartupEntry& entry) {
    return GetText(Text::EntryLost) + "\n" + entry.name + "\n" + entry.command;
}

std::string ChangeFailureText(const ChangeResult& result, const StartupEntry& entry) {
    return result.oldEntryLost ? EntryLostText(entry) : NotChangedText(Text::NotChanged, result);
}

std::string CommandFailureText(int headline, const ChangeResult& result, const StartupEntry& entry) {
    std::string text = NotChangedText(headline, result);
    if (result.oldEntryLost) text += "\n\n" + EntryLostText(entry) + "\n" + LocationLabel(entry.kind, GetText);
    return text;
}

void ShowChangeFailure(const ChangeResult& result, const StartupEntry& entry, int32_t targetKind) {
    ShowRefusedChange(ChangeFailureText(result, entry), result, entry.kind, targetKind);
}

void ShowRefusedChange(const std::string& message, const ChangeResult& result, int32_t kind, int32_t targetKind) {
    const bool machineWide = IsMachineWideKind(kind) || IsMachineWideKind(targetKind);
    if (result.reason != ChangeReason::AccessDenied || !machineWide || RunsElevated()) {
        ShowMessage(message);
        return;
    }
    if (!AskQuestion(message + "\n\n" + GetText(Text::OfferElevatedCopy), false)) return;
    if (StartElevatedCopy() == ElevatedStart::Failed) ShowMessage(GetText(Text::ElevatedCopyFailed));
}

std::string EntryWithPlace(const StartupEntry& entry) {
    const std::string place = LocationLabel(entry.kind, GetText);
    return place.empty() ? entry.name : entry.name + "  (" + place + ")";
}

std::string LogonCheckNotSetText() { return FillPlaceholder(GetText(Text::CannotWrite), BlockCheckRunPlace()); }

}  // namespace ui
