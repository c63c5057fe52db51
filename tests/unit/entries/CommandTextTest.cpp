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

TEST(StoredForms, ArgumentsStayOutsideTheQuotationMarks) {
    const auto files = Files({"C:\\Tools\\run.exe", "C:\\M\\inactive.exe"});
    struct Case {
        const char* command;
        const char* quoted;
        const char* plain;
    } cases[] = {
        {"C:\\Tools\\run.exe", "\"C:\\Tools\\run.exe\"", "C:\\Tools\\run.exe"},
        {"C:\\Tools\\run.exe /q", "\"C:\\Tools\\run.exe\" /q", "C:\\Tools\\run.exe /q"},
        {"\"C:\\Tools\\run.exe\" /q", "\"C:\\Tools\\run.exe\" /q", "C:\\Tools\\run.exe /q"},
        // A quoted path with a full stop in its arguments.
        {"\"C:\\Program Files\\A\\a.exe\" /log x.txt", "\"C:\\Program Files\\A\\a.exe\" /log x.txt",
         "C:\\Program Files\\A\\a.exe /log x.txt"},
        // A missing program with a full stop in its arguments.
        {"C:\\Gone\\run.exe /log x.txt", "\"C:\\Gone\\run.exe\" /log x.txt", "C:\\Gone\\run.exe /log x.txt"},
        {"C:\\Program Files\\Gone\\a.exe /log x.txt", "\"C:\\Program Files\\Gone\\a.exe\" /log x.txt",
         "C:\\Program Files\\Gone\\a.exe /log x.txt"},
        {"C:\\M\\inactive.exe \"C:\\Tools\\run.exe\" /q", "\"C:\\M\\inactive.exe\" \"C:\\Tools\\run.exe\" /q",
         "C:\\M\\inactive.exe \"C:\\Tools\\run.exe\" /q"},
        // A missing program below folders whose names hold a full stop: the path
        // ends at the program file, not at the dotted folder.
        {"C:\\Program Files\\App 2.0 Beta\\a.exe", "\"C:\\Program Files\\App 2.0 Beta\\a.exe\"",
         "C:\\Program Files\\App 2.0 Beta\\a.exe"},
        {"C:\\Program Files\\Node.js Tools\\x.exe -v", "\"C:\\Program Files\\Node.js Tools\\x.exe\" -v",
         "C:\\Program Files\\Node.js Tools\\x.exe -v"},
        {"C:\\Program Files\\App 2.0 Beta\\a.exe /log x.txt", "\"C:\\Program Files\\App 2.0 Beta\\a.exe\" /log x.txt",
         "C:\\Program Files\\App 2.0 Beta\\a.exe /log x.txt"},
        // A handled file counts only when no program is named.
        {"C:\\My Scripts\\run.vbs /q x.txt", "\"C:\\My Scripts\\run.vbs\" /q x.txt",
         "C:\\My Scripts\\run.vbs /q x.txt"},
        // Nothing Windows starts: the split stays as the rule of thumb made it.
        {"C:\\Gone Away\\v1.2 tool", "\"C:\\Gone Away\\v1.2\" tool", "C:\\Gone Away\\v1.2 tool"},
        {"", "\"\"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QuotedCommandWith(c.command, files), c.quoted) << c.command;
        EXPECT_EQ(PlainCommandWith(c.command, files), c.plain) << c.command;
    }
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
