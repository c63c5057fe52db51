// Finding the program of a command line as CreateProcess does, with a file
// system given as a set of paths; every path asked about is recorded.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "system/CommandSplit.h"

namespace {

struct Disk {
    std::set<std::string> files;
    std::vector<std::string> asked;
    FileExistsFn Exists() {
        return [this](const std::string& path) {
            asked.push_back(path);
            return files.count(path) > 0;
        };
    }
};

TEST(SplitLikeCreateProcess, EachBlankInTurnEndsTheProgramWithExeWhereItHasNoExtension) {
    const std::set<std::string> files = {
        "C:\\Program Files\\Space App\\touch me.exe",
        "C:\\Program Files\\Space App\\touch.exe.bak",
        "C:\\Tools\\run.exe",
        "C:\\Util\\run now.com",
        "C:\\App 2.0\\a.exe",
        "C:\\Deep\\x y\\z.exe",
        "C:\\Deep\\x.exe",
        "notepad.exe",
    };
    struct Case {
        const char* command;
        bool found;
        const char* program;
        const char* arguments;
    } cases[] = {
        // The path of the program holds blanks; no quotation marks.
        {"C:\\Program Files\\Space App\\touch me -q", true, "C:\\Program Files\\Space App\\touch me.exe", "-q"},
        {"C:\\Program Files\\Space App\\touch me.exe -q", true, "C:\\Program Files\\Space App\\touch me.exe", "-q"},
        {"C:\\Program Files\\Space App\\touch me", true, "C:\\Program Files\\Space App\\touch me.exe", ""},
        // The arguments stay exactly as written, blanks and quotation marks included.
        {"C:\\Tools\\run  -a  \"b c\" ", true, "C:\\Tools\\run.exe", " -a  \"b c\" "},
        {"C:\\Tools\\run.exe", true, "C:\\Tools\\run.exe", ""},
        {"C:\\Tools\\run.exe\t/x", true, "C:\\Tools\\run.exe", "/x"},
        {"   C:\\Tools\\run.exe /x", true, "C:\\Tools\\run.exe", "/x"},
        // An extension of its own is never followed by ".exe".
        {"C:\\Util\\run now.com /x", true, "C:\\Util\\run now.com", "/x"},
        // A full stop in a folder's name is no extension of the file.
        {"C:\\App 2.0\\a /log x.txt", true, "C:\\App 2.0\\a.exe", "/log x.txt"},
        // The shortest candidate that exists wins, as on Windows.
        {"C:\\Deep\\x y\\z.exe", true, "C:\\Deep\\x.exe", "y\\z.exe"},
        // Quoted: the quotation marks end the program.
        {"\"C:\\Deep\\x y\\z.exe\" -q", true, "C:\\Deep\\x y\\z.exe", "-q"},
        {"\"C:\\Deep\\x y\\z\"", true, "C:\\Deep\\x y\\z.exe", ""},
        {"\"C:\\Gone Away\\a.exe\" -q x.txt", false, "C:\\Gone Away\\a.exe", "-q x.txt"},
        {"\"C:\\Gone Away\\a.exe", false, "C:\\Gone Away\\a.exe", ""},
        // A bare name is asked as it stands (the caller searches for it).
        {"notepad x.txt", true, "notepad.exe", "x.txt"},
        // Nothing exists: no program, nothing guessed.
        {"C:\\Program Files\\Gone\\a.exe -q", false, "", ""},
        {"C:\\Program Files\\Space App\\touch.exe.bak", true, "C:\\Program Files\\Space App\\touch.exe.bak", ""},
        {"", false, "", ""},
        {"   ", false, "", ""},
    };
    for (const Case& c : cases) {
        Disk disk{files, {}};
        const ProgramSplit split = SplitLikeCreateProcess(c.command, disk.Exists());
        EXPECT_EQ(split.found, c.found) << c.command;
        EXPECT_EQ(split.program, c.program) << c.command;
        EXPECT_EQ(split.arguments, c.arguments) << c.command;
    }
}

TEST(SplitLikeCreateProcess, AsksForTheCandidatesInWindowsOrder) {
    Disk disk;
    const ProgramSplit split = SplitLikeCreateProcess("c:\\program files\\sub dir\\program name", disk.Exists());
    EXPECT_FALSE(split.found);
    const std::vector<std::string> expected = {
        "c:\\program.exe",
        "c:\\program files\\sub.exe",
        "c:\\program files\\sub dir\\program.exe",
        "c:\\program files\\sub dir\\program name.exe",
    };
    EXPECT_EQ(disk.asked, expected);
}

TEST(SplitLikeCreateProcess, TwoBlanksInARowEndOneCandidate) {
    Disk disk;
    SplitLikeCreateProcess("C:\\a  b ", disk.Exists());
    EXPECT_EQ(disk.asked, (std::vector<std::string>{"C:\\a.exe", "C:\\a  b.exe"}));
}

TEST(HasFileExtension, OnlyTheLastComponentCounts) {
    EXPECT_TRUE(HasFileExtension("C:\\a\\b.exe"));
    EXPECT_TRUE(HasFileExtension("b."));
    EXPECT_FALSE(HasFileExtension("C:\\App 2.0\\b"));
    EXPECT_FALSE(HasFileExtension("C:/x.y/b"));
    EXPECT_FALSE(HasFileExtension(""));
}

}  // namespace
