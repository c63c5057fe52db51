// One description of an entry's fields: the script forms, the words for people
// and the printout's table all come from it, so a field is printed with the rest.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>

#include "report/EntryFields.h"
#include "report/Printout.h"
#include "support/EntryBuilder.h"
#include "ui/win/TextNumbers.h"

namespace {

using report::EntryFacts;
using testsupport::AnEntry;

std::string Text(int number) {
    static const std::map<int, std::string> texts = {
        {Text::ColumnName, "Name"},
        {Text::ColumnLocation, "Ort"},
        {Text::ColumnState, "Zustand"},
        {Text::ColumnCommand, "Befehl"},
        {Text::ColumnMadeBy, "Hersteller"},
        {Text::ColumnSwitchedOffBy, "Abgeschaltet von"},
        {Text::ColumnWillNotStart, "Startet nicht"},
        {Text::FieldAndValue, "%s: %s"},
        {Text::EntryActive, "aktiv"},
        {Text::EntryInactive, "inaktiv"},
        {Text::OffByWindows, "Windows"},
        {Text::NotRunProgramMissing, "Programm fehlt"},
        {Text::SystemEntry, "Standardeintrag"},
        {Text::NoVersionInformation, "keine Versionsinformationen"},
        {Text::Registry, "Registry"},
        {Text::CurrentUser, "Benutzer"},
        {Text::Yes, "ja"},
        {Text::No, "nein"},
    };
    const auto found = texts.find(number);
    return found != texts.end() ? found->second : "#" + std::to_string(number);
}

const std::vector<std::string>& FieldKeys() {
    static std::vector<std::string> keys;
    if (keys.empty()) {
        for (const report::FieldColumn& column : report::EntryFieldColumns()) keys.push_back(column.key);
    }
    return keys;
}

report::FieldValue Field(const EntryFacts& facts, const std::string& key) {
    const std::vector<report::FieldValue> values = report::EntryFieldValues(facts, Text);
    for (size_t i = 0; i < FieldKeys().size(); ++i) {
        if (FieldKeys()[i] == key) return values.at(i);
    }
    ADD_FAILURE() << "no field " << key;
    return {};
}

TEST(EntryFields, WhoMadeTheProgramIsAFieldWithAWordForNoneForPeopleOnly) {
    struct Case {
        const char* madeBy;
        const char* people;
    } cases[] = {
        {"Tool (Updater), Vendor", "Tool (Updater), Vendor"},
        // Scripts see nothing, people and the printout the words for it.
        {"", "keine Versionsinformationen"},
    };
    for (const Case& c : cases) {
        const report::FieldValue value = Field({AnEntry("Tool"), false, NotRunReason::None, c.madeBy}, "publisher");
        EXPECT_EQ(value.data, c.madeBy);
        EXPECT_EQ(value.people, c.people);
        EXPECT_EQ(value.printed, c.people);
    }
}

TEST(Printout, OneRowPerEntryInTheGivenOrderWithStateReasonAndMaker) {
    const std::vector<EntryFacts> facts = {
        {AnEntry("zed", "zed.exe\r\n/second line").OffBy(SwitchedOffBy::Windows), false, NotRunReason::ProgramMissing,
         ""},
        {AnEntry("Alpha", "\"C:\\a b\\a.exe\" /x"), true, NotRunReason::None, "Alpha Suite, Vendor"},
    };
    const PrintTable table = report::PrintoutTable(facts, Text);
    std::vector<std::string> captions;
    for (const PrintColumn& column : table.columns) captions.push_back(column.caption);
    EXPECT_EQ(captions, (std::vector<std::string>{"Name", "Ort", "Zustand", "Befehl", "Hersteller"}));
    EXPECT_GT(table.columns[3].weight, table.columns[0].weight) << "the command gets the widest column";

    const std::vector<PrintRow> expected = {
        {{"zed"},
         {"Registry: Benutzer (Run)"},
         {"inaktiv", "Abgeschaltet von: Windows", "Startet nicht: Programm fehlt"},
         {"zed.exe", "/second line"},
         {"keine Versionsinformationen"}},
        {{"Alpha", "(Standardeintrag)"},
         {"Registry: Benutzer (Run)"},
         {"aktiv"},
         {"\"C:\\a b\\a.exe\" /x"},
         {"Alpha Suite, Vendor"}},
    };
    EXPECT_EQ(table.rows, expected);
    EXPECT_TRUE(report::PrintoutTable({}, Text).rows.empty());
}

TEST(Printout, EveryPrintedFieldIsInItsColumnsCell) {
    // Whatever fields there are: each one the printout places shows in the cell of its column.
    const EntryFacts facts{AnEntry("Tool").OffBy(SwitchedOffBy::OtherTool), true, NotRunReason::NotStartedByWindowsNt,
                           "Maker"};
    const std::vector<report::FieldValue> values = report::EntryFieldValues(facts, Text);
    const std::vector<report::FieldColumn>& fields = report::EntryFieldColumns();
    ASSERT_EQ(values.size(), fields.size());
    const PrintTable table = report::PrintoutTable({facts}, Text);
    std::set<int> numbers;
    for (const report::FieldColumn& field : fields) {
        if (field.printColumn > 0) numbers.insert(field.printColumn);
    }
    ASSERT_EQ(table.columns.size(), numbers.size());
    for (size_t f = 0; f < fields.size(); ++f) {
        if (fields[f].printColumn <= 0) continue;
        const size_t column = static_cast<size_t>(std::distance(numbers.begin(), numbers.find(fields[f].printColumn)));
        if (values[f].printed.empty()) continue;
        const PrintCell& cell = table.rows.at(0).at(column);
        EXPECT_NE(std::find(cell.begin(), cell.end(), values[f].printed), cell.end()) << fields[f].key;
    }
}

TEST(EntryFields, MadeByAsksForTheProgramTheCommandStartsAndOnlyWhenItExists) {
    ProgramLookup lookup;
    lookup.fileExists = [](const std::string& path) { return path == "C:\\Tools\\tool.exe"; };
    lookup.searchFolders = {"C:\\Tools\\"};
    std::vector<std::string> asked;
    auto makerOf = [&asked](const std::string& file) {
        asked.push_back(file);
        return "Maker of " + file;
    };
    struct Case {
        StartupEntry entry;
        const char* madeBy;
    } cases[] = {
        {AnEntry("quoted", "\"C:\\Tools\\tool.exe\" /x"), "Maker of C:\\Tools\\tool.exe"},
        {AnEntry("bare", "tool /x"), "Maker of C:\\Tools\\tool.exe"},
        {AnEntry("missing", "C:\\Gone\\gone.exe"), ""},
        {AnEntry("not text", "C:\\Tools\\tool.exe").Stored(StoredValue::NotText), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(report::MadeByOf(c.entry, lookup, makerOf), c.madeBy) << c.entry.name;
    EXPECT_EQ(asked.size(), 2u) << "no file is read for a program that is not there";
}

}  // namespace
