// A comparison with a snapshot as its listings show it: which entry a row is
// about, its change in words, and what the entry was before.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "report/ComparisonFields.h"
#include "support/EntryBuilder.h"
#include "ui/win/TextNumbers.h"

namespace {

using testsupport::AnEntry;

std::string Words(int number) {
    if (number == Text::Yes) return "ja";
    if (number == Text::No) return "nein";
    return "#" + std::to_string(number);
}

TEST(ComparisonFields, EachDifferenceShowsItsEntryAndWhatItWasBefore) {
    const StartupEntry before = AnEntry("Tool", "C:\\old.exe").Kind(11).Active(0);
    const StartupEntry now = AnEntry("Tool", "C:\\new.exe").Kind(21);
    struct Case {
        EntryDifference difference;
        std::string word;
        int text;
        std::string shownCommand;
        bool showsBefore;  // the last three columns hold the snapshot's kind, command and state
    };
    const Case cases[] = {
        {EntryDifference::Added, "added", Text::ChangeAdded, "C:\\new.exe", false},
        {EntryDifference::Removed, "removed", Text::ChangeRemoved, "C:\\old.exe", false},
        {EntryDifference::Changed, "changed", Text::ChangeChanged, "C:\\new.exe", true},
        {EntryDifference::Moved, "moved", Text::ChangeMoved, "C:\\new.exe", true},
    };
    const std::vector<std::string> noData = {"", "", ""};
    const std::vector<std::string> beforeData = {"11", "C:\\old.exe", "false"};
    const std::vector<std::string> beforePeople = {"11", "C:\\old.exe", "nein"};
    const size_t columns = report::ComparisonFieldColumns().size();
    ASSERT_EQ(columns, report::EntryFieldColumns().size() + 4);
    EXPECT_EQ(std::string(report::ComparisonFieldColumns().front().key), "change");
    EXPECT_EQ(std::string(report::ComparisonFieldColumns().back().key), "activeBefore");
    for (const Case& row : cases) {
        EntryDelta delta{row.difference, StartupEntry(), StartupEntry()};
        if (row.difference != EntryDifference::Added) delta.before = before;
        if (row.difference != EntryDifference::Removed) delta.now = now;
        const report::ComparisonRow compared = report::ComparisonRowOf(delta);
        EXPECT_EQ(compared.changeWord, row.word);
        EXPECT_EQ(compared.changeText, row.text);
        EXPECT_EQ(compared.shown.command, row.shownCommand) << row.word;

        report::EntryFacts facts;
        facts.entry = compared.shown;
        const std::vector<report::FieldValue> values = report::ComparisonFieldValues(compared, facts, Words);
        ASSERT_EQ(values.size(), columns) << row.word;
        EXPECT_EQ(values.front().data, row.word);
        EXPECT_EQ(values.front().people, Words(row.text));
        for (size_t i = 0; i < 3; ++i) {
            const report::FieldValue& value = values[columns - 3 + i];
            EXPECT_EQ(value.data, (row.showsBefore ? beforeData : noData)[i]) << row.word << " column " << i;
            EXPECT_EQ(value.people, (row.showsBefore ? beforePeople : noData)[i]) << row.word << " column " << i;
        }
        EXPECT_EQ(values[columns - 3].type, compared.hasBefore ? report::FieldType::Number : report::FieldType::Text);
    }
}

}  // namespace
