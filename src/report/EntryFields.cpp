#include "report/EntryFields.h"

#include "system/TextRules.h"
#include "ui/main/MainWindowModel.h"
#include "ui/win/TextNumbers.h"

namespace report {

const std::vector<FieldColumn>& EntryFieldColumns() {
    // Printed: the name (with the system-entry mark), the place, the state
    // with who switched it off and why it will not start, the command, who made it.
    static const std::vector<FieldColumn> columns = {
        {"kind", Text::ColumnKind, 0, 0, 0},
        {"location", Text::ColumnLocation, 2, 0, 3},
        {"name", Text::ColumnName, 1, 0, 3},
        {"command", Text::ColumnCommand, 4, 0, 5},
        {"active", Text::ColumnActive, 3, Text::ColumnState, 3},
        {"switchedOffBy", Text::ColumnSwitchedOffBy, 3, 0, 0},
        {"willNotStart", Text::ColumnWillNotStart, 3, 0, 0},
        {"knownSystemEntry", Text::ColumnSystemEntry, 1, 0, 0},
        {"publisher", Text::ColumnMadeBy, 5, 0, 4},
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
            return Text::NotRunTaskDisabled;
        case NotRunReason::TaskTriggersDisabled:
            return Text::NotRunTaskTriggersDisabled;
        case NotRunReason::TaskForOtherAccounts:
            return Text::NotRunTaskForOtherAccounts;
        case NotRunReason::PackagedTaskOffByPolicy:
            return Text::NotRunPackagedTaskOffByPolicy;
        case NotRunReason::None:
            break;
    }
    return 0;
}

FieldValue Plain(const std::string& text, FieldType type = FieldType::Text) { return {text, text, type, text}; }

FieldValue Boolean(bool value, const TextFn& text) {
    return {value ? "true" : "false", text(value ? Text::Yes : Text::No), FieldType::Boolean, std::string()};
}

// Printed as "caption: value", the way the list's details say it.
FieldValue Worded(const std::string& word, int textNumber, int caption, const TextFn& text) {
    const std::string people = textNumber ? text(textNumber) : std::string();
    return {word, people, FieldType::Text,
            people.empty() ? std::string()
                           : FillPlaceholder(FillPlaceholder(text(Text::FieldAndValue), text(caption)), people)};
}

}  // namespace

std::string MadeByOf(const StartupEntry& entry, const ProgramLookup& lookup,
                     const std::function<std::string(const std::string& file)>& makerOf) {
    if (StartsNothing(entry)) return std::string();
    const std::string file = ProgramFileOfCommand(entry.command, lookup);
    return file.empty() ? std::string() : makerOf(file);
}

std::vector<FieldValue> EntryFieldValues(const EntryFacts& facts, const TextFn& text) {
    const StartupEntry& entry = facts.entry;
    const std::string kind = std::to_string(entry.kind);
    const std::string label = ui::LocationLabel(entry.kind, text);
    // A record that does not say who switched it off was switched off by this
    // program: that is how backups and old callers read it.
    const SwitchedOffBy offBy = entry.active
                                    ? SwitchedOffBy::Nobody
                                    : (entry.offBy == SwitchedOffBy::Nobody ? SwitchedOffBy::ThisProgram : entry.offBy);
    FieldValue active = Boolean(entry.active != 0, text);
    active.printed = text(entry.active ? Text::EntryActive : Text::EntryInactive);
    FieldValue known = Boolean(facts.knownSystem, text);
    if (facts.knownSystem) known.printed = "(" + text(Text::SystemEntry) + ")";
    const std::string madeBy = facts.madeBy.empty() ? text(Text::NoVersionInformation) : facts.madeBy;
    return {
        {kind, kind, FieldType::Number, std::string()},
        Plain(label),
        Plain(entry.name),
        Plain(entry.command),
        active,
        Worded(SwitchedOffByWord(offBy), SwitchedOffByText(offBy), Text::ColumnSwitchedOffBy, text),
        Worded(NotRunWord(facts.notRun), NotRunText(facts.notRun), Text::ColumnWillNotStart, text),
        known,
        {facts.madeBy, madeBy, FieldType::Text, madeBy},
    };
}

}  // namespace report
