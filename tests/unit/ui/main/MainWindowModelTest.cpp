// The main window's logic with texts from a small table: filters, lines and
// their entries, selection after refreshes, details, colours, tips, printout.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "support/EntryBuilder.h"
#include "system/TextCase.h"
#include "ui/main/MainWindowModel.h"
#include "ui/win/TextNumbers.h"

using namespace ui;
using testsupport::AnEntry;

namespace {

// German texts of the numbers the window uses; "#n" for any other number, so a
// wrong number shows in a failure.
std::string Text(int number) {
    static const std::map<int, std::string> texts = {
        {Text::TipSwitchOffInsteadOfDelete, "tip one"},
        {Text::TipNewsOnHomepage, "tip two"},
        {Text::TipBackupsAtEveryStart, "tip three"},
        {Text::EntryInactive, "inaktiv"},
        {Text::EntryActive, "aktiv"},
        {Text::Registry, "Registry"},
        {Text::StartupFolder, "Autostart-Ordner"},
        {Text::WinIniList, "Abschnitt"},
        {Text::CurrentUser, "Aktueller Benutzer"},
        {Text::AllUsers, "Alle Benutzer"},
        {Text::NameCaption, "Name:"},
        {Text::LocationCaption, "Ort:"},
        {Text::ProgramCaption, "Programm:"},
        {Text::SystemEntry, "Standardeintrag von Windows"},
        {Text::PrintHeading, "Liste"},
        {Text::BlockEntry, "Sperren"},
        {Text::ReleaseEntry, "Freigeben"},
        {Text::View32Bit, "32-Bit"},
        {Text::SwitchedOffByWindows, "von Windows aus"},
        {Text::SwitchedOffByOtherTool, "von anderem Programm aus"},
        {Text::WillNotStartProgramMissing, "fehlt:"},
        {Text::WillNotStartOnNt, "NT startet es nicht"},
        {Text::WillNotStartSwitchedOffByWindows, "Windows hat es abgeschaltet"},
        {Text::RunOnceGoneAfterLogon, "weg nach der Anmeldung"},
        {Text::ValueOfTypeNoProgram, "(Typ %s)"},
        {Text::EmptyValueNoProgram, "(leer)"},
        {Text::TaskSchedulerHeading, "Aufgabenplanung"},
        {Text::AtLogonOrBoot, "Bei Anmeldung oder Start"},
        {Text::PackagedAppTask, "Starttask einer App"}};
    auto found = texts.find(number);
    return found != texts.end() ? found->second : "#" + std::to_string(number);
}

EntryTestFn KnownNames(std::set<std::string> names) {
    return [names](const StartupEntry& e) { return names.count(e.name) > 0; };
}

std::vector<std::string> LineTexts(const MainWindowModel& model) {
    std::vector<std::string> texts;
    for (const ListLine& line : model.Lines()) texts.push_back(line.text);
    return texts;
}

TEST(LocationTable, LabelsOfEveryKind) {
    const std::pair<int32_t, const char*> cases[] = {
        {1, "Autostart-Ordner: Alle Benutzer"},
        {2, "Autostart-Ordner: Aktueller Benutzer"},
        {11, "Registry: Aktueller Benutzer (Run)"},
        {12, "Registry: Aktueller Benutzer (Run Once)"},
        {13, "Registry: Aktueller Benutzer (Run Once Ex)"},
        {14, "Registry: Aktueller Benutzer (Run Services)"},
        {15, "Registry: Aktueller Benutzer (Run Services Once)"},
        {21, "Registry: Alle Benutzer (Run)"},
        {22, "Registry: Alle Benutzer (Run Once)"},
        {23, "Registry: Alle Benutzer (Run Once Ex)"},
        {24, "Registry: Alle Benutzer (Run Services)"},
        {25, "Registry: Alle Benutzer (Run Services Once)"},
        {26, "Registry: Alle Benutzer (Run, 32-Bit)"},
        {27, "Registry: Alle Benutzer (Run Once, 32-Bit)"},
        {28, "Registry: Alle Benutzer (Run Once Ex, 32-Bit)"},
        {31, "Win.ini: Load-Abschnitt"},
        {32, "Win.ini: Run-Abschnitt"},
        {41, "Registry: Aktueller Benutzer (Policies\\Explorer\\Run)"},
        {43, "Registry: Alle Benutzer (Policies\\Explorer\\Run, 32-Bit)"},
        {45, "Registry: Alle Benutzer (Winlogon)"},
        {51, "Aufgabenplanung: Bei Anmeldung oder Start"},
        {61, "Starttask einer App: Aktueller Benutzer"},
        {0, ""},
        {3, ""},
        {16, ""},
        {29, ""},
        {33, ""},
        {46, ""},
        {52, ""},
        {-1, ""},
    };
    for (const auto& c : cases) EXPECT_EQ(LocationLabel(c.first, Text), c.second) << c.first;
}

TEST(LocationTable, EveryKindHasOneRowAndEveryFilterCoversItsGroup) {
    const std::vector<int32_t> kinds = {1,  2,  11, 12, 13, 14, 15, 21, 22, 23, 24, 25,
                                        26, 27, 28, 31, 32, 41, 42, 43, 44, 45, 51, 61};
    ASSERT_EQ(Locations().size(), kinds.size());
    for (size_t i = 0; i < kinds.size(); ++i) {
        EXPECT_EQ(Locations()[i].kind, kinds[i]) << "catalogue order";
        const LocationFilter& filter = LocationFilters().at(Locations()[i].filter);
        EXPECT_EQ(LocationGroups().at(filter.group).colour, GroupColourOfKind(kinds[i])) << kinds[i];
    }
    // The two hives of one registry key share one box.
    EXPECT_EQ(FindLocation(13)->filter, FindLocation(23)->filter);
    // The registry boxes cover the machine's 32-bit view too.
    EXPECT_EQ(FindLocation(26)->filter, FindLocation(21)->filter);
    EXPECT_EQ(FindLocation(27)->filter, FindLocation(22)->filter);
    EXPECT_EQ(FindLocation(28)->filter, FindLocation(23)->filter);
    EXPECT_NE(FindLocation(13)->filter, FindLocation(12)->filter);
    // Policy and Winlogon values start as Run entries do: under the Run box.
    for (const int32_t kind : {41, 42, 43, 44, 45}) EXPECT_EQ(FindLocation(kind)->filter, FindLocation(11)->filter);
    EXPECT_EQ(LocationFilters().size(), 12u);
}

TEST(Filters, EachBoxHidesExactlyItsKinds) {
    std::vector<StartupEntry> all;
    for (const Location& location : Locations())
        all.push_back(AnEntry("k" + std::to_string(location.kind)).Kind(location.kind));
    all.push_back(AnEntry("nowhere").Kind(7));
    for (size_t box = 0; box < LocationFilters().size(); ++box) {
        MainWindowModel model;
        model.SetFilterChecked(box, false);
        model.Refresh(all, nullptr);
        std::set<int32_t> shown;
        for (const StartupEntry& e : model.Entries()) shown.insert(e.kind);
        for (const Location& location : Locations()) {
            EXPECT_EQ(shown.count(location.kind) == 0, location.filter == box) << box << " " << location.kind;
        }
        EXPECT_EQ(shown.count(7), 0u) << "a kind without a place is never listed";
    }
}

// Windows' own tasks go by a box of their own, clear at the start; the user's
// tasks by the location's box, as every other entry.
TEST(Filters, WindowsOwnTasksOnlyWithTheirBox) {
    const std::vector<StartupEntry> all = {AnEntry("\\Mine").Kind(51), AnEntry("\\Microsoft\\Windows\\X").Kind(51),
                                           AnEntry("run").Kind(11)};
    const EntryTestFn known = KnownNames({"\\Microsoft\\Windows\\X", "run"});
    const size_t tasksBox = FindLocation(51)->filter;
    size_t windowsBox = LocationFilters().size();
    for (size_t box = 0; box < LocationFilters().size(); ++box) {
        if (!LocationFilters()[box].checkedAtStart) windowsBox = box;
    }
    ASSERT_LT(windowsBox, LocationFilters().size()) << "one box starts clear";
    struct Case {
        bool tasks, windows;
        std::vector<std::string> shown;
    };
    const Case cases[] = {
        {true, false, {"\\Mine", "run"}},
        {true, true, {"\\Microsoft\\Windows\\X", "\\Mine", "run"}},
        {false, true, {"\\Microsoft\\Windows\\X", "run"}},
        {false, false, {"run"}},
    };
    for (const Case& c : cases) {
        MainWindowModel model;
        model.SetFilterChecked(tasksBox, c.tasks);
        if (c.windows) model.SetFilterChecked(windowsBox, true);
        model.Refresh(all, known);
        EXPECT_EQ(LineTexts(model), c.shown) << c.tasks << c.windows;
    }
}

TEST(Filters, AllClearedGiveNoLineAndTheEmptyEntrysDetails) {
    MainWindowModel model;
    for (size_t box = 0; box < LocationFilters().size(); ++box) model.SetFilterChecked(box, false);
    model.Refresh({AnEntry("a"), AnEntry("b").Kind(1)}, nullptr);
    EXPECT_EQ(model.LineCount(), 0u);
    EXPECT_FALSE(model.HasSelection());
    const Details details = model.DetailsOf(model.SelectedLine(), Text, [](const std::string&) { return false; });
    EXPECT_EQ(details.name, "");
    EXPECT_EQ(details.command, "");
    EXPECT_EQ(details.status, "inaktiv");
    EXPECT_EQ(details.location, "");
    EXPECT_EQ(details.blockCaption, "Sperren");
}

TEST(Lines, SortedIgnoringCaseEachCarryingItsOwnEntry) {
    MainWindowModel model;
    // Same name in the common Startup folder and in the user's Run key, and two
    // names that differ only in case.
    model.Refresh({AnEntry("Zeta"), AnEntry("same", "C:\\folder.exe").Kind(1), AnEntry("alpha").Kind(21),
                   AnEntry("same", "C:\\run.exe").Active(0), AnEntry("Beta").Kind(31), AnEntry("beta").Kind(32)},
                  nullptr);
    EXPECT_EQ(LineTexts(model), (std::vector<std::string>{"alpha", "Beta", "beta", "same", "same", "Zeta"}));
    // The two "same" lines act on their own entries, in catalogue order.
    EXPECT_EQ(model.EntryForLine(3).command, "C:\\folder.exe");
    EXPECT_EQ(model.EntryForLine(3).kind, 1);
    EXPECT_EQ(model.LineColour(3), kFolderColour);
    EXPECT_EQ(model.EntryForLine(4).command, "C:\\run.exe");
    EXPECT_EQ(model.LineColour(4), kInactiveColour);
    EXPECT_EQ(model.EntryForLine(1).kind, 31);
    EXPECT_EQ(model.EntryForLine(2).kind, 32);
    for (size_t i = 0; i < model.LineCount(); ++i) {
        EXPECT_EQ(model.Lines()[i].text, model.Entries()[model.Lines()[i].entry].name);
    }
    EXPECT_EQ(model.EntryForLine(-1).name, "");
    EXPECT_EQ(model.EntryForLine(6).kind, 0);
}

// The list sorts by the rule by which names match (the platform's under Wine,
// the fallback natively), so accented capitals and small letters sort alike.
TEST(Lines, LatinLettersSortWithTheirCapitalsByTheRuleNamesMatchBy) {
    MainWindowModel model;
    model.Refresh(
        {AnEntry("\xC3\xA4rger"), AnEntry("Zoo"), AnEntry("\xC3\x84pfel"), AnEntry("zebra"), AnEntry("\xC3\x84RGER")},
        nullptr);
    const std::vector<std::string> texts = LineTexts(model);
    ASSERT_EQ(texts.size(), 5u);
    for (size_t i = 1; i < texts.size(); ++i) EXPECT_LE(CompareText(texts[i - 1], texts[i]), 0) << texts[i];
    const auto at = [&texts](const char* text) { return std::find(texts.begin(), texts.end(), text) - texts.begin(); };
    EXPECT_EQ(at("\xC3\x84pfel") + 1, at("\xC3\xA4rger"));
    EXPECT_EQ(at("\xC3\xA4rger") + 1, at("\xC3\x84RGER")) << "equal letter case aside: catalogue order";
    EXPECT_EQ(at("zebra") + 1, at("Zoo"));
}

// A refresh never moves the selection to another entry: a command would then
// act on an entry the user did not choose.
TEST(Selection, FollowsItsEntryAcrossRefreshesElseNone) {
    struct Case {
        const char* what;
        int selectedBefore;
        std::vector<const char*> after;
        int selectedAfter;
    } cases[] = {
        {"an entry added before the line: the same entry one line further", 2, {"a", "b", "b2", "c", "d"}, 3},
        {"the selected entry removed: none, not the next line", 1, {"a", "c", "d"}, -1},
        {"the last line removed: none, not line 0", 3, {"a", "b", "c"}, -1},
        {"no selection among lines: none", -1, {"a", "b"}, -1},
        {"everything gone: none", 2, {}, -1},
        {"unchanged", 1, {"a", "b", "c", "d"}, 1},
    };
    for (const Case& c : cases) {
        MainWindowModel model;
        model.Refresh({AnEntry("a"), AnEntry("b"), AnEntry("c"), AnEntry("d")}, nullptr);
        model.SelectLine(c.selectedBefore);
        std::vector<StartupEntry> after;
        for (const char* name : c.after) after.push_back(AnEntry(name));
        model.Refresh(after, nullptr);
        EXPECT_EQ(model.SelectedLine(), c.selectedAfter) << c.what;
    }
    MainWindowModel fresh;
    fresh.Refresh({}, nullptr);
    fresh.Refresh({AnEntry("a"), AnEntry("b")}, nullptr);
    EXPECT_EQ(fresh.SelectedLine(), 0) << "lines where there were none: the first";
}

TEST(Selection, TheSameEntryIsTheSameKindNameAndPlace) {
    const StartupEntry selected = AnEntry("b", "C:\\b.exe").Kind(11);
    struct Case {
        const char* what;
        StartupEntry after;
        bool kept;
    } cases[] = {
        {"its command changed elsewhere", AnEntry("b", "C:\\other.exe").Kind(11), true},
        {"switched off elsewhere, still in its place", AnEntry("b", "C:\\b.exe").Kind(11).Active(0), true},
        {"the same name in another location", AnEntry("b", "C:\\b.exe").Kind(21), false},
        {"moved into the AutorunsDisabled place",
         AnEntry("b", "C:\\b.exe").Kind(11).Active(0).OffBy(SwitchedOffBy::OtherTool), false},
        {"another name", AnEntry("B2", "C:\\b.exe").Kind(11), false},
    };
    for (const Case& c : cases) {
        MainWindowModel model;
        model.Refresh({AnEntry("a").Kind(11), selected}, nullptr);
        model.SelectLine(1);
        model.Refresh({AnEntry("a").Kind(11), c.after}, nullptr);
        EXPECT_EQ(model.SelectedLine(), c.kept ? 1 : -1) << c.what;
    }
}

TEST(Selection, AnIndexPastTheEndChangesNothingAndMinusOneClears) {
    MainWindowModel model;
    model.Refresh({AnEntry("a"), AnEntry("b")}, nullptr);
    model.SelectLine(1);
    model.SelectLine(2);
    EXPECT_EQ(model.SelectedLine(), 1);
    EXPECT_EQ(model.CurrentEntry().name, "b");
    model.SelectLine(-1);
    EXPECT_FALSE(model.HasSelection());
    EXPECT_EQ(model.CurrentEntry().name, "");
    EXPECT_EQ(model.CurrentEntry().kind, 0);
}

TEST(Colours, LaterRulesWin) {
    struct Case {
        int32_t kind;
        uint8_t active;
        bool known;
        Colour colour;
    } cases[] = {
        {1, 1, false, kFolderColour},     {2, 1, false, kFolderColour},    {11, 1, false, kRegistryColour},
        {25, 1, false, kRegistryColour},  {31, 1, false, kWinIniColour},   {32, 1, false, kWinIniColour},
        {31, 1, true, kKnownEntryColour}, {1, 1, true, kKnownEntryColour}, {11, 0, false, kInactiveColour},
        {11, 0, true, kInactiveColour},   {0, 1, false, kFolderColour},    {26, 1, false, kRegistryColour},
        {28, 1, true, kKnownEntryColour},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LineColourFor(AnEntry("x").Kind(c.kind).Active(c.active), c.known), c.colour)
            << c.kind << " " << c.known;
    }
    MainWindowModel model;
    model.Refresh({AnEntry("CTFMON.EXE").Kind(21), AnEntry("mine").Kind(21)}, KnownNames({"CTFMON.EXE"}));
    EXPECT_EQ(model.LineColour(0), kKnownEntryColour);
    EXPECT_EQ(model.LineColour(1), kRegistryColour);
}

TEST(Details, TextsOfAnEntry) {
    const auto blocked = [](const std::string& command) { return command == "C:\\blocked.exe"; };
    Details d = DetailsFor(AnEntry("CTFMON.EXE").Kind(21), true, Text, blocked);
    EXPECT_EQ(d.name, "CTFMON.EXE\r(Standardeintrag von Windows)");
    EXPECT_EQ(d.command, "C:\\CTFMON.EXE.exe");
    EXPECT_EQ(d.status, "aktiv");
    EXPECT_EQ(d.location, "Registry: Alle Benutzer (Run)");
    EXPECT_EQ(d.blockCaption, "Sperren");
    d = DetailsFor(AnEntry("b & c", "C:\\blocked.exe").Kind(2).Active(0), false, Text, blocked);
    EXPECT_EQ(d.name, "b & c");
    EXPECT_EQ(d.status, "inaktiv");
    EXPECT_EQ(d.location, "Autostart-Ordner: Aktueller Benutzer");
    EXPECT_EQ(d.blockCaption, "Freigeben");
}

TEST(Details, StatusSaysWhoSwitchedItOffAndThatARunOnceEntryGoes) {
    const struct {
        StartupEntry entry;
        const char* status;
    } cases[] = {
        {AnEntry("a").Kind(21), "aktiv"},
        {AnEntry("a").Kind(21).OffBy(SwitchedOffBy::ThisProgram), "inaktiv"},
        {AnEntry("a").Kind(26).OffBy(SwitchedOffBy::Windows), "von Windows aus"},
        {AnEntry("a").Kind(2).OffBy(SwitchedOffBy::OtherTool), "von anderem Programm aus"},
        {AnEntry("a").Kind(12), "aktiv"},
        {AnEntry("a").Kind(12).OffBy(SwitchedOffBy::ThisProgram), "inaktiv\rweg nach der Anmeldung"},
        {AnEntry("a").Kind(22).OffBy(SwitchedOffBy::Windows), "von Windows aus\rweg nach der Anmeldung"},
        {AnEntry("a").Kind(27).OffBy(SwitchedOffBy::ThisProgram), "inaktiv\rweg nach der Anmeldung"},
        {AnEntry("a").Kind(13).OffBy(SwitchedOffBy::ThisProgram), "inaktiv"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DetailsFor(c.entry, false, Text, nullptr).status, c.status) << c.entry.kind;
    }
}

TEST(Details, OneLineWhyItWillNotStartAndRedLinesForActiveOnes) {
    const struct {
        RunVerdict verdict;
        const char* reason;
    } cases[] = {
        {{NotRunReason::None, ""}, ""},
        {{NotRunReason::NotStartedByWindowsNt, ""}, "NT startet es nicht"},
        {{NotRunReason::SwitchedOffByWindows, ""}, "Windows hat es abgeschaltet"},
        {{NotRunReason::ProgramMissing, "C:\\Tools\\gone.exe"}, "fehlt: C:\\Tools\\gone.exe"},
    };
    for (const auto& c : cases) EXPECT_EQ(ReasonText(c.verdict, Text), c.reason);

    MainWindowModel model;
    model.Refresh({AnEntry("gone").Kind(21), AnEntry("here").Kind(21), AnEntry("off").Kind(14).Active(0)}, nullptr,
                  [](const StartupEntry& e) {
                      if (e.name == "gone") return RunVerdict{NotRunReason::ProgramMissing, "C:\\gone.exe"};
                      if (e.name == "off") return RunVerdict{NotRunReason::NotStartedByWindowsNt, ""};
                      return RunVerdict{};
                  });
    EXPECT_EQ(model.LineColour(0), kWillNotRunColour);
    EXPECT_EQ(model.DetailsOf(0, Text, nullptr).reason, "fehlt: C:\\gone.exe");
    EXPECT_EQ(model.LineColour(1), kRegistryColour);
    EXPECT_EQ(model.DetailsOf(1, Text, nullptr).reason, "");
    EXPECT_EQ(model.LineColour(2), kInactiveColour) << "switched off stays grey; the details say why";
    EXPECT_EQ(model.DetailsOf(2, Text, nullptr).reason, "NT startet es nicht");
}

TEST(Details, AValueWithoutAProgramShowsWhatItIsInPlaceOfACommand) {
    StartupEntry binary = AnEntry("bin", "").Kind(11).Stored(StoredValue::NotText);
    binary.registryType = 3;
    StartupEntry odd = AnEntry("odd", "").Kind(11).Stored(StoredValue::NotText);
    odd.registryType = 99;
    EXPECT_EQ(DetailsFor(binary, false, Text, nullptr).command, "(Typ REG_BINARY)");
    EXPECT_EQ(DetailsFor(odd, false, Text, nullptr).command, "(Typ 99)");
    EXPECT_EQ(DetailsFor(AnEntry("", "").Kind(11), false, Text, nullptr).command, "(leer)");
    EXPECT_EQ(DetailsFor(AnEntry("x", "C:\\a.exe").Kind(11), false, Text, nullptr).command, "C:\\a.exe");
}

TEST(Tips, RotateElevenTwelveWithLinkThirteen) {
    TipRotation tips;
    const std::pair<int, bool> expected[] = {{11, false}, {12, true},  {13, false}, {11, false},
                                             {12, true},  {13, false}, {11, false}};
    for (const auto& e : expected) {
        const TipRotation::Tip tip = tips.Tick();
        EXPECT_EQ(tip.text, e.first);
        EXPECT_EQ(tip.showLink, e.second);
    }
}

}  // namespace

namespace {

TEST(Selection, FollowsAnEntryByKindAndNameElseCommand) {
    MainWindowModel model;
    model.Refresh(
        {AnEntry("b"), AnEntry("b").Kind(21), AnEntry("c"), AnEntry("WINDOWSX.EXE", "C:\\x.exe").Kind(31).Active(0)},
        nullptr);
    EXPECT_TRUE(model.SelectEntry(AnEntry("b").Kind(21)));
    EXPECT_EQ(model.CurrentEntry().kind, 21);
    EXPECT_FALSE(model.SelectEntry(AnEntry("b").Kind(22)));
    EXPECT_EQ(model.CurrentEntry().kind, 21) << "no such entry: the selection stays";
    // A win.ini item whose derived name changed when it was switched off.
    EXPECT_TRUE(model.SelectEntry(AnEntry("C.", "C:\\x.exe").Kind(31)));
    EXPECT_EQ(model.CurrentEntry().name, "WINDOWSX.EXE");
}

}  // namespace

// The filter field narrows the list to names or commands holding the text,
// letter case aside, on top of the check boxes.
TEST(FilterText, NarrowsToNamesOrCommandsHoldingItLetterCaseAside) {
    const std::vector<StartupEntry> all = {
        AnEntry("Updater", "C:\\Tools\\update.exe"),
        AnEntry("Tray", "C:\\Programs\\TrayIcon.exe /silent").Kind(1),
        AnEntry("\xC3\x84rger", "C:\\a.exe"),
        AnEntry("Other", "D:\\x.exe").Kind(31),
    };
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {"Other", "Tray", "Updater", "\xC3\x84rger"}},
        {"upd", {"Updater"}},
        {"TRAYICON", {"Tray"}},  // the command only
        {"/Silent", {"Tray"}},
        {"\xC3\xA4r", {"\xC3\x84rger"}},  // an accented small letter finds its capital
        {"r", {"Other", "Tray", "Updater", "\xC3\x84rger"}},
        {".exe", {"Other", "Tray", "Updater", "\xC3\x84rger"}},
        {"zz", {}},
    };
    // Which lines, whatever order the platform's rule gives the accented name.
    const auto shown = [](const MainWindowModel& model) {
        std::vector<std::string> texts = LineTexts(model);
        std::sort(texts.begin(), texts.end());
        return texts;
    };
    for (const auto& c : cases) {
        MainWindowModel model;
        model.SetFilterText(c.text);
        model.Refresh(all, nullptr);
        EXPECT_EQ(shown(model), c.lines) << c.text;
    }
    // The check boxes still apply: the box of the win.ini entry hides it though it matches.
    MainWindowModel model;
    model.SetFilterChecked(FindLocation(31)->filter, false);
    model.SetFilterText(".EXE");
    model.Refresh(all, nullptr);
    EXPECT_EQ(shown(model), (std::vector<std::string>{"Tray", "Updater", "\xC3\x84rger"}));
}

TEST(FilterText, TheSelectionFollowsItsEntryOrBecomesEmpty) {
    const std::vector<StartupEntry> all = {AnEntry("alpha"), AnEntry("beta"), AnEntry("gamma")};
    MainWindowModel model;
    model.Refresh(all, nullptr);
    model.SelectLine(2);
    model.SetFilterText("a");  // all three hold an "a"
    model.Refresh(all, nullptr);
    EXPECT_EQ(model.CurrentEntry().name, "gamma");
    model.SetFilterText("mm");
    model.Refresh(all, nullptr);
    EXPECT_EQ(model.SelectedLine(), 0) << "gamma is now the first line";
    EXPECT_EQ(model.CurrentEntry().name, "gamma");
    model.SetFilterText("be");
    model.Refresh(all, nullptr);
    EXPECT_FALSE(model.HasSelection()) << "gamma is not listed: nothing, not beta";
    model.SetFilterText("");
    model.Refresh(all, nullptr);
    EXPECT_FALSE(model.HasSelection()) << "lines were shown all along: still nothing";
}
