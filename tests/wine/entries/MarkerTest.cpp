// The deactivation marker and the stored forms, with the real executable path
// and real files of the test's prefix.
#include <gtest/gtest.h>

#include "entries/StoredCommand.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/TextCase.h"

namespace {

TEST(DeactivationMarker, IsTheProgramFolderAndTheCompanion) {
    ASSERT_EQ(ExecutablePath().substr(ProgramFolder().size()), "marker_test.exe");
    EXPECT_EQ(DeactivationMarker(), ProgramFolder() + "inactive.exe ");
}

TEST(DeactivationMarker, BothFormsAndOtherCopiesMarkersAreRecognisedOnlyAtTheStart) {
    const std::string m = DeactivationMarker();
    const std::string quoted = "\"" + CompanionPath() + "\" ";
    struct Case {
        std::string stored;
        size_t markerLength;
    } cases[] = {
        {m + "notepad.exe", m.size()},
        {UpperText(m) + "notepad.exe", m.size()},
        {CharLowerA(std::string(m).data()) + std::string("notepad.exe"), m.size()},
        {quoted + "notepad.exe", quoted.size()},
        // Written by a copy of the program in another folder.
        {"D:\\Portable Apps\\Boot\\inactive.exe notepad.exe", 35},
        {"\"D:\\Portable Apps\\Boot\\INACTIVE.EXE\" notepad.exe", 37},
        {"\\\\server\\apps\\inactive.exe x.exe", 27},
        // Not a marker: in the middle, without its space, behind a program, or
        // not the companion's file name.
        {"cmd /c " + m + "x.exe", 0},
        {m.substr(0, m.size() - 1), 0},
        {"C:\\Tools\\x.exe C:\\B\\inactive.exe y", 0},
        {"D:\\B\\notinactive.exe x", 0},
        {"inactive.exe x", 0},
        {"notepad.exe", 0},
        {"", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(MarkerLength(c.stored), c.markerLength) << c.stored;
        EXPECT_EQ(HasMarker(c.stored), c.markerLength > 0) << c.stored;
    }
    EXPECT_EQ(StripMarker(UpperText(m) + "notepad.exe /x"), "notepad.exe /x");
    EXPECT_EQ(StripMarker("\"D:\\Portable Apps\\Boot\\inactive.exe\" notepad.exe /x"), "notepad.exe /x");
}

TEST(StoredForms, TheCommandStaysAsItStandsAndALinkFindsItsProgramInRealFiles) {
    testsupport::MakeFolders("C:\\Tools\\Space App");
    ASSERT_TRUE(testsupport::WriteFileBytes("C:\\Tools\\run.exe", "MZ"));
    ASSERT_TRUE(testsupport::WriteFileBytes("C:\\Tools\\Space App\\touch me.exe", "MZ"));
    const std::string m = DeactivationMarker();
    for (const std::string command :
         {"C:\\Tools\\run.exe  -q ", "\"C:\\Tools\\run.exe\" -log a.txt ", "C:\\Tools\\Space App\\touch me -q", ""}) {
        EXPECT_EQ(StoredRegistryText(command, true), command);
        EXPECT_EQ(StoredRegistryText(command, false), m + command);
        EXPECT_EQ(StoredWinIniItem(command, false), m + command);
        EXPECT_EQ(ReadStoredCommand(StoredRegistryText(command, false)).command, command);
    }
    // A marker already in front (of any copy) is never doubled, and never kept
    // on an active entry.
    EXPECT_EQ(StoredRegistryText("D:\\Old\\inactive.exe C:\\Tools\\run.exe", false), m + "C:\\Tools\\run.exe");
    EXPECT_EQ(StoredRegistryText(m + "C:\\Tools\\run.exe", true), "C:\\Tools\\run.exe");

    CommandParts link;
    ASSERT_TRUE(StoredLinkTarget("C:\\Tools\\Space App\\touch me -q", true, nullptr, LinkSplit::FoundOnly, link));
    EXPECT_EQ(link.program, "C:\\Tools\\Space App\\touch me.exe");
    EXPECT_EQ(link.arguments, "-q");
    ASSERT_TRUE(StoredLinkTarget("\"C:\\Tools\\run.exe\" -q", false, nullptr, LinkSplit::FoundOnly, link));
    EXPECT_EQ(link.program, CompanionPath());
    EXPECT_EQ(link.arguments, "\"C:\\Tools\\run.exe\" -q");
    EXPECT_EQ(LinkCommand(link.program, link.arguments), CompanionPath() + " C:\\Tools\\run.exe -q");
    // The program a link held is kept while the command is the one it read as.
    const CommandParts held{"C:\\Tools\\Gone App\\x.exe", "-q"};
    ASSERT_TRUE(StoredLinkTarget("C:\\Tools\\Gone App\\x.exe -q", false, &held, LinkSplit::FoundOnly, link));
    EXPECT_EQ(link.arguments, "\"C:\\Tools\\Gone App\\x.exe\" -q");
    EXPECT_FALSE(StoredLinkTarget("C:\\Tools\\Gone App\\x.exe -r", true, &held, LinkSplit::FoundOnly, link))
        << "another command of a missing program in a folder with a blank: its end is not guessed";
    // A new entry keeps its text: split at its first blank, the link reads as it.
    ASSERT_TRUE(StoredLinkTarget("C:\\Tools\\Gone App\\x.exe -r", true, nullptr, LinkSplit::KeepingTheText, link));
    EXPECT_EQ(LinkCommand(link.program, link.arguments), "C:\\Tools\\Gone App\\x.exe -r");
}

}  // namespace
