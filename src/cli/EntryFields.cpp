#include "cli/EntryFields.h"

#include "ui/main/MainWindowModel.h"
#include "ui/win/TextNumbers.h"

namespace cli {

const std::vector<FieldColumn>& EntryFieldColumns() {
    static const std::vector<FieldColumn> columns = {
        {"kind", Text::ColumnKind},
        {"location", Text::ColumnLocation},
        {"name", Text::ColumnName},
        {"command", Text::ColumnCommand},
        {"active", Text::ColumnActive},
        {"switchedOffBy", Text::ColumnSwitchedOffBy},
        {"willNotStart", Text::ColumnWillNotStart},
        {"knownSystemEntry", Text::ColumnSystemEntry},
    };
    return columns;
}

std::string SwitchedOffByWord(SwitchedOffBy offBy) {
    switch (offBy) {
        case SwitchedOffBy::ThisProgram:
            return "thisProgram";
        case SwitchedOffBy::Windows:
            return "windows";
        case SwitchedOffBy::OtherTool:
            return "otherTool";
        case SwitchedOffBy::Nobody:
            break;
    }
    return "";
}

std::string NotRunWord(NotRunReason reason) {
    switch (reason) {
        case NotRunReason::NotStartedByWindowsNt:
            return "notStartedByWindowsNt";
        case NotRunReason::SwitchedOffByWindows:
            return "switchedOffByWindows";
        case NotRunReason::ProgramMissing:
            return "programMissing";
        case NotRunReason::TaskDisabled:
            return "taskDisabled";
        case NotRunReason::TaskTriggersDisabled:
            return "taskTriggersDisabled";
        case NotRunReason::TaskForOtherAccounts:
            return "taskForOtherAccounts";
        case NotRunReason::PackagedTaskOffByPolicy:
            return "offByPolicy";
        case NotRunReason::None:
            break;
    }
    return "";
}

namespace {

int SwitchedOffByText(SwitchedOffBy offBy) {
    switch (offBy) {
        case SwitchedOffBy::ThisProgram:
            return Text::OffByThisProgram;
        case SwitchedOffBy::Windows:
            return Text::OffByWindows;
        case SwitchedOffBy::OtherTool:
            return Text::OffByOtherTool;
        case SwitchedOffBy::Nobody:
            break;
    }
    return 0;
}

int NotRunText(NotRunReason reason) {
    switch (reason) {
        case NotRunReason::NotStartedByWindowsNt:
            return Text::NotRunOnWindowsNt;
        case NotRunReason::SwitchedOffByWindows:
            return Text::NotRunSwitchedOffByWindows;
        case NotRunReason::ProgramMissing:
            return Text::NotRunProgramMissing;
        case NotRunReason::TaskDisabled:
            return Text::WillNotStartTaskDisabled;
        case NotRunReason::TaskTriggersDisabled:
            return Text::WillNotStartTaskTriggersDisabled;
        case NotRunReason::TaskForOtherAccounts:
            return Text::WillNotStartTaskForOtherAccounts;
        case NotRunReason::PackagedTaskOffByPolicy:
            return Text::NotRunPackagedTaskOffByPolicy;
        case NotRunReason::None:
            break;
    }
    return 0;
}

FieldValue Boolean(bool value, const TextFn& text) {
    return {value ? "true" : "false", text(value ? Text::Yes : Text::No), FieldType::Boolean};
}

FieldValue Worded(const std::string& word, int textNumber, const TextFn& text) {
    return {word, textNumber ? text(textNumber) : std::string(), FieldType::Text};
}

}  // namespace

std::vector<FieldValue> EntryFieldValues(const EntryFacts& facts, const TextFn& text) {
    const StartupEntry& entry = facts.entry;
    const std::string kind = std::to_string(entry.kind);
    const std::string label = ui::LocationLabel(entry.kind, text);
    // A record that does not say who switched it off was switched off by this
    // program: that is how backups and old callers read it.
    const SwitchedOffBy offBy = entry.active
                                    ? SwitchedOffBy::Nobody
                                    : (entry.offBy == SwitchedOffBy::Nobody ? SwitchedOffBy::ThisProgram : entry.offBy);
    return {
        {kind, kind, FieldType::Number},
        {label, label, FieldType::Text},
        {entry.name, entry.name, FieldType::Text},
        {entry.command, entry.command, FieldType::Text},
        Boolean(entry.active != 0, text),
        Worded(SwitchedOffByWord(offBy), SwitchedOffByText(offBy), text),
        Worded(NotRunWord(facts.notRun), NotRunText(facts.notRun), text),
        Boolean(facts.knownSystem, text),
    };
}

}  // namespace cli
