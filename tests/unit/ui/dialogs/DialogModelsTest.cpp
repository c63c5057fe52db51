// The dialogs' rules without their windows: the location dialog's kind table,
// the editor's checks in their order, the restore texts, the blocked-entries
// dialog's hover field and the information window's language selection.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/dialogs/BlockedEntriesModel.h"
#include "ui/dialogs/EntryEditorModel.h"
#include "ui/dialogs/InfoWindowModel.h"
#include "ui/dialogs/LocationModel.h"
#include "ui/dialogs/RestoreModel.h"
#include "ui/win/Mnemonics.h"
#include "ui/win/TextNumbers.h"

namespace {

using B = LocationButton;
using H = RegistryHive;

struct KindRow {
    int32_t kind;
    LocationButton button;
    RegistryHive hive;
};

// Every location kind, the button it checks and the hive it chooses; a Startup
// folder or win.ini kind leaves the hive as it was (here CurrentUser).
const KindRow kKindTable[] = {
    {1, B::CommonStartup, H::CurrentUser},
    {2, B::UserStartup, H::CurrentUser},
    {11, B::Run, H::CurrentUser},
    {12, B::RunOnce, H::CurrentUser},
    {13, B::RunOnceEx, H::CurrentUser},
    {14, B::RunServices, H::CurrentUser},
    {15, B::RunServicesOnce, H::CurrentUser},
    {21, B::Run, H::AllUsers},
    {22, B::RunOnce, H::AllUsers},
    {23, B::RunOnceEx, H::AllUsers},
    {24, B::RunServices, H::AllUsers},
    {25, B::RunServicesOnce, H::AllUsers},
    {26, B::Run, H::AllUsers32},
    {27, B::RunOnce, H::AllUsers32},
    {28, B::RunOnceEx, H::AllUsers32},
    {31, B::WinIniLoad, H::CurrentUser},
    {32, B::WinIniRun, H::CurrentUser},
};

TEST(LocationChoice, EachKindPreselectsItsButtonAndHiveAndDerivesBackToItself) {
    const LocationChoice previous{B::RunOnce, H::CurrentUser};
    for (const KindRow& row : kKindTable) {
        SCOPED_TRACE(row.kind);
        const LocationChoice choice = PreselectForKind(row.kind, previous);
        EXPECT_EQ(choice.button, row.button);
        EXPECT_EQ(choice.hive, row.hive);
        EXPECT_EQ(KindForChoice(choice), row.kind);
        EXPECT_EQ(IsRegistryButton(choice.button), row.kind > 10 && row.kind < 30);
    }
}

TEST(LocationChoice, KindWithoutLocationKeepsThePreviousChoice) {
    const LocationChoice previous{B::RunServices, H::AllUsers};
    for (int32_t kind : {0, 3, 10, 16, 29, 33, -1}) {
        EXPECT_EQ(PreselectForKind(kind, previous), previous) << kind;
    }
    EXPECT_EQ(PreselectForKind(0, LocationChoice{}).button, B::None);
}

TEST(LocationChoice, HiveCountsOnlyForRegistryButtons) {
    EXPECT_EQ(KindForChoice({B::RunServices, H::AllUsers}), 24);
    EXPECT_EQ(KindForChoice({B::RunServices, H::CurrentUser}), 14);
    // The 32-bit view has no RunServices keys: those stay the machine's.
    EXPECT_EQ(KindForChoice({B::RunServices, H::AllUsers32}), 24);
    EXPECT_EQ(KindForChoice({B::RunServicesOnce, H::AllUsers32}), 25);
    for (H hive : {H::AllUsers, H::CurrentUser, H::AllUsers32}) {
        EXPECT_EQ(KindForChoice({B::WinIniLoad, hive}), 31);
        EXPECT_EQ(KindForChoice({B::WinIniRun, hive}), 32);
        EXPECT_EQ(KindForChoice({B::UserStartup, hive}), 2);
        EXPECT_EQ(KindForChoice({B::None, hive}), 1);
    }
}

struct CheckRow {
    const char* name;
    const char* command;
    int32_t kind;
    int text;  // 0: saved
};

TEST(EntryEditorChecks, TheFirstFailingCheckNamesTheMessage) {
    const std::string placeholder = "First Application";
    const CheckRow rows[] = {
        {"First Application", "C:\\x.exe", 11, Text::EntryIncomplete},  // placeholder left
        {"Tool", "C:\\", 11, Text::EntryIncomplete},                    // three characters
        {"", "C:\\x.exe", 11, Text::EntryIncomplete},
        {"first application", "C:\\x.exe", 11, 0},  // placeholder compared exactly
        {"A:b", "", 11, Text::ForbiddenCharacter},  // forbidden character wins over an empty command
        {"a/b", "C:\\x.exe", 1, Text::ForbiddenCharacter},
        {"a*b", "C:\\x.exe", 1, Text::ForbiddenCharacter},
        {"a\\b", "C:\\x.exe", 1, Text::ForbiddenCharacter},
        {"a?b", "C:\\x.exe", 1, Text::ForbiddenCharacter},
        {"a\"b", "C:\\x.exe", 1, Text::ForbiddenCharacter},
        {"a<b", "C:\\x.exe", 1, Text::ForbiddenCharacter},
        {"a>b", "C:\\x.exe", 1, Text::ForbiddenCharacter},
        {"a|b", "C:\\x.exe", 1, Text::ForbiddenCharacter},
        {"   ", "C:\\x.exe", 11, 0},                           // blanks pass for a registry value
        {"   ", "C:\\x.exe", 2, 0},                            // and for a link: "   .lnk"
        {"Tool.", "C:\\x.exe", 1, 0},                          // "Tool..lnk"
        {"CON", "C:\\x.exe", 2, Text::ReasonNameNotStorable},  // a device, not a file
        {"nul.txt", "C:\\x.exe", 2, Text::ReasonNameNotStorable},
        {"COM1", "C:\\x.exe", 1, Text::ReasonNameNotStorable},
        {"CON", "C:\\x.exe", 11, 0},  // a registry value may be named so
        {"Console", "C:\\x.exe", 2, 0},
        {"Tab\there", "C:\\x.exe", 2, Text::ReasonNameNotStorable},
        {"Tool", "abcd", 31, 0},  // no file needs to exist
        {"Tool", "C:\\x.exe", 1, 0},
    };
    for (const CheckRow& row : rows) {
        SCOPED_TRACE(std::string(row.name) + " | " + row.command);
        EXPECT_EQ(MessageTextFor(CheckEditorFields(row.name, row.command, placeholder, row.kind)), row.text);
    }
}

TEST(RestoreLines, SnapshotLineHasTheWordsDateAndCount) {
    EXPECT_EQ(SnapshotLine("A", "01.02.2010 10:20:30", 23, "B"), "A 01.02.2010 10:20:30 (23 B)");
    EXPECT_EQ(SnapshotLine("Backup of", "2/1/2010", 0, "entries"), "Backup of 2/1/2010 (0 entries)");
}

TEST(RestoreLines, ReportListsOneItemPerLineAndLongOnesGoToTheInfoMessage) {
    EXPECT_EQ(ReportText("Not restored:", {"a", "b"}), "Not restored:\r\na\r\nb");
    EXPECT_FALSE(ReportNeedsInfoMessage(kMaxReportLinesInMessage - 1));
    EXPECT_TRUE(ReportNeedsInfoMessage(kMaxReportLinesInMessage));
}

TEST(BlockedLines, OnlyLinesWiderThanTheListGetTheHoverField) {
    EXPECT_FALSE(LineNeedsHoverField(100, 2, 300));
    EXPECT_FALSE(LineNeedsHoverField(298, 2, 300));
    EXPECT_TRUE(LineNeedsHoverField(299, 2, 300));
}

TEST(InfoWindowModel, CurrentLanguageIsSelectedByItsNameIgnoringCaseOfAToZ) {
    const std::vector<std::string> names = {"Deutsch", "English",
                                            "Fran\xE7"
                                            "ais"};
    EXPECT_EQ(SelectedLanguage(names, "ENGLISH"), 1);
    EXPECT_EQ(SelectedLanguage(names,
                               "Fran\xE7"
                               "ais"),
              2);
    EXPECT_EQ(SelectedLanguage(names,
                               "FRAN\xC7"
                               "AIS"),
              0);  // only a to z change case
    EXPECT_EQ(SelectedLanguage(names, "Klingon"), 0);
    EXPECT_EQ(SelectedLanguage({"English", "english"}, "English"), 1);  // a later match wins
    EXPECT_EQ(SelectedLanguage({}, "English"), 0);
}

TEST(InfoWindowModel, RowsPairLabelsWithValues) {
    const auto t = [](int n) { return "t" + std::to_string(n); };
    const auto rows = InfoRows(t, "2.5");
    const std::vector<std::pair<std::string, std::string>> expected = {
        {t(Text::VersionRow), "2.5"},
        {t(Text::PlatformRow), t(Text::PlatformValue)},
        {t(Text::PublisherRow), "Veltmanix"},
        {t(Text::LanguageRow), t(Text::LanguageName)},
        {t(Text::CopyrightRow), t(Text::CopyrightValue)}};
    EXPECT_EQ(rows, expected);
}

}  // namespace

namespace {

TEST(Mnemonics, EachCaptionGetsAKeyNotTakenBeforeAndAmpersandsStayVisible) {
    MnemonicSet set;
    EXPECT_EQ(set.Mark("Name: "), "&Name: ");
    EXPECT_EQ(set.Mark("new"), "n&ew");
    EXPECT_EQ(set.Mark("Info && Help"), "&Info &&&& Help");
    EXPECT_EQ(set.Mark("\xC4nderung"), "\xC4n&derung");  // \xC4 is no ASCII letter; N and E are taken
    EXPECT_EQ(set.Mark(""), "");
    EXPECT_EQ(set.Mark("  "), "  ");
}

}  // namespace
