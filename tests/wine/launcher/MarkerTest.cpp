// The deactivation marker and the stored forms, with the real executable path
// and real files of the test's prefix.
#include <gtest/gtest.h>

#include "entries/DeactivationMarker.h"
#include "support/WineTestSupport.h"
#include "system/AnsiText.h"
#include "system/DataFolder.h"

namespace {

TEST(DeactivationMarker, IsTheProgramFolderAndTheCompanion) {
    ASSERT_EQ(ExecutablePath().substr(ProgramFolder().size()), "marker_test.exe");
    EXPECT_EQ(DeactivationMarker(), ProgramFolder() + "inactive.exe ");
}

TEST(DeactivationMarker, RecognisedOnlyAtTheStartInAnyCase) {
    const std::string m = DeactivationMarker();
    struct Case {
        std::string stored;
        bool has;
        bool contains;
    } cases[] = {
        {m + "notepad.exe", true, true},
        {AnsiUpper(m) + "notepad.exe", true, true},
        {CharLowerA(std::string(m).data()) + std::string("notepad.exe"), true, true},
        {"cmd /c " + m + "x.exe", false, true},
        {m.substr(0, m.size() - 1), false, false},  // without its space
        {"notepad.exe", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HasMarker(c.stored), c.has) << c.stored;
        EXPECT_EQ(ContainsMarker(c.stored), c.contains) << c.stored;
    }
    EXPECT_EQ(StripMarker(AnsiUpper(m) + "notepad.exe /x"), "notepad.exe /x");
}

TEST(StoredForms, QuotedAndPlainAgainstRealFiles) {
    testsupport::MakeFolders("C:\\Tools");
    ASSERT_TRUE(testsupport::WriteFileBytes("C:\\Tools\\run.exe", "MZ"));
    const std::string m = DeactivationMarker();
    EXPECT_EQ(QuotedCommand("C:\\Tools\\run.exe"), "\"C:\\Tools\\run.exe\"");
    EXPECT_EQ(QuotedCommand("C:\\Tools\\run.exe  -q "), "\"C:\\Tools\\run.exe\" -q");
    EXPECT_EQ(QuotedCommand("\"C:\\Tools\\run.exe\" -q"), "\"C:\\Tools\\run.exe\" -q");
    EXPECT_EQ(QuotedCommand("\"C:\\Tools\\run.exe\" -log a.txt"), "\"C:\\Tools\\run.exe\" -log a.txt");
    EXPECT_EQ(PlainCommand(m + "\"C:\\Tools\\run.exe\" -log a.txt"),
              m + "\"C:\\Tools\\run.exe\" -log a.txt");
}

}  // namespace
