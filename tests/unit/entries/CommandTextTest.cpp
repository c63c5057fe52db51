// Text rules of stored commands, with a file system given as a set of paths.
#include <gtest/gtest.h>

#include <set>

#include "entries/CommandText.h"

namespace {

FileExistsFn Files(std::set<std::string> paths) {
    return [paths](const std::string& path) { return paths.count(path) > 0; };
}

struct TextCase {
    const char* input;
    const char* expected;
};

TEST(StripQuotes, RemovesExactlyOneEnclosingPair) {
    const TextCase cases[] = {
        {"\"C:\\Apps\\a b.exe\" /x", "C:\\Apps\\a b.exe /x"},  // second mark anywhere
        {"\"C:\\x.exe\"", "C:\\x.exe"},
        {"\"a\"\"b\"", "\"a\"\"b\""},  // four marks
        {"\"a\"b\"", "\"a\"b\""},      // three marks
        {"\"abc", "\"abc"},            // one mark
        {"C:\\\"x\"", "C:\\\"x\""},    // does not begin with a mark
        {"", ""},
        {"\"\"", ""},
    };
    for (const TextCase& c : cases) EXPECT_EQ(StripQuotes(c.input), c.expected) << c.input;
}

TEST(DeriveEntryName, KeepsDigitsCapitalsFullStopsAndUnderscores) {
    const TextCase cases[] = {
        {"C:\\WINDOWS\\TEMP\\X_1.EXE", "CWINDOWSTEMPX_1.EXE"},
        {"c:\\tools\\a.exe", "."},
        {"c:\\tools\\abc", ""},
        {"\xC4\xD6\xDC 9\xFF", "9"},  // letters beyond A-Z are dropped
        {"", ""},
    };
    for (const TextCase& c : cases) EXPECT_EQ(DeriveEntryName(c.input), c.expected) << c.input;
}

TEST(ProgramPart, FileSystemFirstThenRuleOfThumb) {
    const auto files = Files({"C:\\Tools\\run.exe", "C:\\Program Files\\App\\app.exe"});
    struct Case {
        const char* command;
        const char* program;
        const char* arguments;
    } cases[] = {
        {"C:\\Tools\\run.exe /quiet", "C:\\Tools\\run.exe", "/quiet"},
        {"C:\\Program Files\\App\\app.exe -x y.txt", "C:\\Program Files\\App\\app.exe", "-x y.txt"},
        {"\"C:\\Tools\\run.exe\" /quiet", "\"C:\\Tools\\run.exe\"", "/quiet"},
        {"C:\\Gone\\old.exe", "C:\\Gone\\old.exe", ""},
        {"C:\\Gone\\run.exe /log x.txt", "C:\\Gone\\run.exe /log x.txt", ""},
        {"C:\\Gone\\run /q", "C:\\Gone\\run", "/q"},
        {"abc", "abc", ""},
        {"ab", "ab", ""},
        {"", "", ""},
        {"C:\\Tools\\run.exe   ", "C:\\Tools\\run.exe", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProgramPartWith(c.command, files), c.program) << c.command;
        EXPECT_EQ(ArgumentsPartWith(c.command, files), c.arguments) << c.command;
    }
}

TEST(LinkTarget, TheProgramIsFoundAsWindowsFindsItAndNeverGuessed) {
    const auto files = Files({"C:\\Tools\\run.exe", "C:\\M\\inactive.exe", "C:\\Program Files\\Space App\\touch me.exe",
                              "C:\\Program Files\\App 2.0 Beta\\a.exe", "C:\\My Scripts\\run.vbs"});
    struct Case {
        const char* command;
        bool split;
        const char* program;
        const char* arguments;
    } cases[] = {
        {"C:\\Tools\\run.exe", true, "C:\\Tools\\run.exe", ""},
        {"C:\\Tools\\run.exe /q", true, "C:\\Tools\\run.exe", "/q"},
        {"\"C:\\Tools\\run.exe\" /q", true, "C:\\Tools\\run.exe", "/q"},
        {"C:\\Program Files\\Space App\\touch me -q", true, "C:\\Program Files\\Space App\\touch me.exe", "-q"},
        {"C:\\Program Files\\App 2.0 Beta\\a.exe /log x.txt", true, "C:\\Program Files\\App 2.0 Beta\\a.exe",
         "/log x.txt"},
        {"C:\\My Scripts\\run.vbs /q x.txt", true, "C:\\My Scripts\\run.vbs", "/q x.txt"},
        {"C:\\M\\inactive.exe \"C:\\Tools\\run.exe\" /q", true, "C:\\M\\inactive.exe", "\"C:\\Tools\\run.exe\" /q"},
        // No file: quotation marks still say where the program ends ...
        {"\"C:\\Program Files\\A\\a.exe\" /log x.txt", true, "C:\\Program Files\\A\\a.exe", "/log x.txt"},
        // ... and so does a command without arguments ...
        {"C:\\Gone\\old.exe", true, "C:\\Gone\\old.exe", ""},
        {"C:\\Gone\\old.exe ", true, "C:\\Gone\\old.exe", ""},
        // ... but the end of an unquoted program before arguments is not guessed.
        {"C:\\Gone\\run.exe /log x.txt", false, "", ""},
        {"C:\\Program Files\\Gone\\a.exe /log x.txt", false, "", ""},
        {"C:\\Program Files\\App 2.0 Beta\\gone.exe", false, "", ""},
        {"C:\\Gone Away\\v1.2 tool", false, "", ""},
        {"", false, "", ""},
        {"\"\" x", false, "", ""},
    };
    for (const Case& c : cases) {
        CommandParts parts;
        EXPECT_EQ(SplitForLink(c.command, files, parts), c.split) << c.command;
        if (!c.split) continue;
        EXPECT_EQ(parts.program, c.program) << c.command;
        EXPECT_EQ(parts.arguments, c.arguments) << c.command;
    }
}

TEST(LinkTarget, AParkedLinkReadsAsTheSameCommandAndGivesItsProgramBack) {
    const CommandParts cases[] = {
        {"C:\\Program Files\\Gone App\\tool.exe", "-q \"a b\"  "},
        {"C:\\Tools\\run.exe", ""},
        {"C:\\a b\\c", " x"},
    };
    const std::string companion = "C:\\Program Files\\Boot\\inactive.exe";
    for (const CommandParts& own : cases) {
        const std::string parked = ParkedLinkArguments(own);
        EXPECT_EQ(parked.substr(0, own.program.size() + 3), "\"" + own.program + "\" ");
        CommandParts back;
        ASSERT_TRUE(UnparkLinkArguments(parked, back)) << parked;
        EXPECT_EQ(back.program, own.program);
        EXPECT_EQ(back.arguments, own.arguments);
        const std::string active = LinkCommandText(own.program, own.arguments, false);
        // Without arguments it reads without the blank after the program.
        EXPECT_EQ(LinkCommandText(companion, parked, true),
                  companion + " " + (own.arguments.empty() ? own.program : active));
    }
    // Arguments that were not parked by this program read as they stand.
    CommandParts none;
    for (const char* other : {"C:\\Tools\\run.exe -q", "\"C:\\x.exe\"-q", "\"C:\\x.exe", "\"\" x", ""}) {
        EXPECT_FALSE(UnparkLinkArguments(other, none)) << other;
        EXPECT_EQ(LinkCommandText(companion, other, true), companion + " " + other);
    }
    // Only a companion's link is read that way.
    EXPECT_EQ(LinkCommandText("C:\\Tools\\run.exe", "\"a b\" c", false), "C:\\Tools\\run.exe \"a b\" c");
}

TEST(DeactivationMarkerText, QuotedWhenThePathHoldsASpace) {
    EXPECT_EQ(MarkerFor("C:\\Apps\\inactive.exe"), "C:\\Apps\\inactive.exe ");
    EXPECT_EQ(MarkerFor("C:\\Program Files\\Bootmarshal\\inactive.exe"),
              "\"C:\\Program Files\\Bootmarshal\\inactive.exe\" ");
    // Either form, and one written by a copy elsewhere, is read back.
    for (const std::string& marker :
         {MarkerFor("C:\\Program Files\\B\\inactive.exe"), std::string("C:\\Program Files\\B\\inactive.exe "),
          std::string("E:\\Portable\\INACTIVE.EXE ")}) {
        EXPECT_EQ(CompanionMarkerLength(marker + "notepad.exe /x"), marker.size()) << marker;
    }
    EXPECT_EQ(CompanionMarkerLength("C:\\Tools\\x.exe C:\\B\\inactive.exe y"), 0u);
    EXPECT_EQ(CompanionMarkerLength("\"C:\\B\\inactive.exe\"notepad.exe"), 0u);
}

TEST(EnvironmentReference, NeedsANameBetweenTwoPercentSigns) {
    EXPECT_TRUE(HoldsEnvironmentReference("%windir%\\system32\\SecurityHealthSystray.exe"));
    EXPECT_FALSE(HoldsEnvironmentReference("C:\\a.exe 100%"));
    EXPECT_FALSE(HoldsEnvironmentReference("C:\\a.exe %%"));
}

}  // namespace
