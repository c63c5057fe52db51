// Blocking and releasing: the list file's bytes and the autostart value after
// each step, in the test's own prefix.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <thread>

#include "blocking/BlockList.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/Files.h"
#include "system/RegistryValues.h"

using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;

namespace {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

class BlockListTest : public ::testing::Test {
protected:
    void SetUp() override {
        PrepareDataFolder("Bootmarshal", false);
        path_ = DataFolder("Bootmarshal") + "Bootmarshal.list";
        Clean();
        LoadBlockList();
    }
    void TearDown() override { Clean(); }
    void Clean() {
        SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path_.c_str());
        RemoveDirectoryA(path_.c_str());
        DeleteRegValue(HKEY_CURRENT_USER, kRunKey, "Bootmarshal Block-check");
    }
    std::string AutostartValue() { return ReadRegString(HKEY_CURRENT_USER, kRunKey, "Bootmarshal Block-check"); }
    bool AutostartPresent() {
        for (const auto& value : ReadRegStringValues(HKEY_CURRENT_USER, kRunKey)) {
            if (value.first == "Bootmarshal Block-check") return true;
        }
        return false;
    }
    std::string path_;
};

TEST_F(BlockListTest, BlockAndUnblockKeepFileAndAutostartValueInStep) {
    Block("  C:\\Tools\\Nag.exe /tray \t");
    EXPECT_EQ(ReadFileBytes(path_), "C:\\Tools\\Nag.exe /tray\r\n");
    EXPECT_EQ(AutostartValue(), "\"" + ExecutablePath() + "\" /blocklist");

    Block("c:\\tools\\NAG.EXE /TRAY");  // already blocked, ignoring case
    // The file keeps the ANSI code page older versions read, up to a NUL,
    // where they stop; behind it the whole list again in UTF-8.
    Block("\xC3\x84pfel.exe");
    Block("\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB1\xD0\xB0.exe");
    EXPECT_EQ(ReadFileBytes(path_), std::string("C:\\Tools\\Nag.exe /tray\r\n\xC4pfel.exe\r\n") + '\0' +
                                        "\xEF\xBB\xBF"
                                        "C:\\Tools\\Nag.exe /tray\r\n\xC3\x84pfel.exe\r\n"
                                        "\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB1\xD0\xB0.exe\r\n");
    EXPECT_TRUE(IsBlocked(" \xC3\xA4PFEL.EXE "));
    EXPECT_FALSE(IsBlocked("\xC3\xA4pfel.ex"));
    EXPECT_TRUE(IsBlocked("\xD0\xBF\xD0\xA0\xD0\x9E\xD0\x91\xD0\x90.EXE")) << "Cyrillic, letter case aside";
    Unblock("\xD0\x9F\xD1\x80\xD0\xBE\xD0\xB1\xD0\xB0.exe");

    Unblock("C:\\TOOLS\\nag.exe /tray ");
    EXPECT_EQ(BlockListLines(), std::vector<std::string>{"\xC3\x84pfel.exe"});
    EXPECT_TRUE(AutostartPresent());
    Unblock("\xC3\xA4pfel.exe");
    EXPECT_EQ(ReadFileBytes(path_), "");
    EXPECT_TRUE(FileExists(path_)) << "an empty list is an empty file";
    EXPECT_FALSE(AutostartPresent());

    Unblock("never blocked");
    EXPECT_FALSE(AutostartPresent());
}

TEST_F(BlockListTest, HandTypedFileIsReadAsItStands) {
    ASSERT_TRUE(WriteFileBytes(path_, "first.exe\nsecond.exe \ndup.exe\r\ndup.exe\n\n"));
    LoadBlockList();
    EXPECT_EQ(BlockListLines(), (std::vector<std::string>{"first.exe", "second.exe ", "dup.exe", "dup.exe"}));
    EXPECT_TRUE(IsBlocked("FIRST.EXE"));
    EXPECT_FALSE(IsBlocked("second.exe")) << "a typed trailing blank never matches";
    EXPECT_FALSE(IsBlocked("   ")) << "an empty command would meet every value without text";
    EXPECT_TRUE(IsBlocked("\"first.exe\"")) << "quoted or not, the same program";
    Unblock("dup.exe");
    EXPECT_EQ(ReadFileBytes(path_), "first.exe\r\nsecond.exe \r\ndup.exe\r\n") << "later duplicates stay";
}

TEST_F(BlockListTest, AnEmptyCommandIsNeitherBlockedNorWritten) {
    ASSERT_TRUE(WriteFileBytes(path_, "a.exe\r\n \t\r\n"));
    LoadBlockList();
    EXPECT_FALSE(IsBlocked(""));
    const BlockListChange change = Block(" \t ");
    EXPECT_FALSE(change.accepted);
    EXPECT_EQ(BlockListLines(), std::vector<std::string>{"a.exe"});
    EXPECT_EQ(ReadFileBytes(path_), "a.exe\r\n") << "the blank line read is not written back";
    EXPECT_FALSE(IsBlocked(" "));
}

TEST_F(BlockListTest, BadBytesNeitherCrashNorSplitLines) {
    std::string bytes = "\x80\x81\xFE\xFF.exe\r\n" + std::string(70000, 'L') + "\r\n";
    bytes += std::string("cut\0after.exe\r\nnever.exe\r\n", 26);
    ASSERT_TRUE(WriteFileBytes(path_, bytes));
    LoadBlockList();
    ASSERT_EQ(BlockListLines().size(), 3u);
    EXPECT_EQ(BlockListLines()[2], "cut");
    // Read in the code page older versions wrote it in (Windows-1252 here).
    EXPECT_TRUE(IsBlocked("\xE2\x82\xAC\xC2\x81\xC3\xBE\xC3\xBF.exe"));
    EXPECT_TRUE(IsBlocked(std::string(70000, 'l')));

    // A command with a line break would come back as other lines, one of which
    // could match an innocent entry: it is not put on the list.
    Block("harmless\rC:\\Windows\\explorer.exe");
    LoadBlockList();
    EXPECT_FALSE(IsBlocked("C:\\Windows\\explorer.exe"));
    EXPECT_EQ(BlockListLines().size(), 3u);
}

TEST_F(BlockListTest, UnwritableFileStillUpdatesListAndAutostartValue) {
    ASSERT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << "a folder in the file's place cannot be written";
    LoadBlockList();
    Block("C:\\x.exe");
    EXPECT_TRUE(IsBlocked("C:\\x.exe"));
    EXPECT_TRUE(AutostartPresent());
    EXPECT_FALSE(SaveBlockList());
    Unblock("C:\\x.exe");
    EXPECT_TRUE(BlockListLines().empty());
    EXPECT_FALSE(AutostartPresent());
}

// The registry refuses the user's Run key: the list still changes and is
// saved, and every change says that the logon check does not follow it.
TEST_F(BlockListTest, ARefusedAutostartValueIsToldToTheCaller) {
    SetRegistryWriteDenialForTests(
        [](HKEY root, const std::string& key) { return root == HKEY_CURRENT_USER && key == kRunKey; });
    const BlockListChange blocked = Block("C:\\x.exe");
    const bool saved = SaveBlockList();
    SetRegistryWriteDenialForTests(nullptr);
    EXPECT_TRUE(blocked.accepted);
    EXPECT_TRUE(blocked.saved);
    EXPECT_FALSE(blocked.logonCheckSet);
    EXPECT_FALSE(saved) << "the file is written, the value is not";
    EXPECT_EQ(ReadFileBytes(path_), "C:\\x.exe\r\n");
    EXPECT_FALSE(AutostartPresent());

    EXPECT_TRUE(SaveBlockList());
    EXPECT_TRUE(AutostartPresent());
    SetRegistryWriteDenialForTests(
        [](HKEY root, const std::string& key) { return root == HKEY_CURRENT_USER && key == kRunKey; });
    const BlockListChange released = Unblock("C:\\x.exe");
    SetRegistryWriteDenialForTests(nullptr);
    EXPECT_TRUE(released.accepted);
    EXPECT_FALSE(released.logonCheckSet);
    EXPECT_TRUE(AutostartPresent()) << "the value stays behind while the list is empty";
    EXPECT_TRUE(SaveBlockList());
    EXPECT_FALSE(AutostartPresent()) << "the next save puts it right";
}

TEST_F(BlockListTest, FailedSaveKeepsTheOldFileWhole) {
    Block("one.exe");
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_READONLY);
    Block("two.exe");
    SetFileAttributesA(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
    const std::string bytes = ReadFileBytes(path_);
    EXPECT_TRUE(bytes == "one.exe\r\n" || bytes == "one.exe\r\ntwo.exe\r\n") << bytes;
    EXPECT_FALSE(FileExists(path_ + ".new")) << "no temporary file is left behind";
}

}  // namespace

// Two copies of the program changing the list at the same time (the window and
// the copy with administrator rights, or a script): each change is applied to
// the file as the other left it, so none is lost.
TEST_F(BlockListTest, TwoProcessesChangingTheListAtOnceLoseNoChange) {
    constexpr int kChanges = 200;
    const std::string writer = "\"" + ProgramFolder() + "blocklist_writer.exe\" ";
    int exitCodes[2] = {-1, -1};
    std::thread first(
        [&] { exitCodes[0] = testsupport::RunProcess(writer + "first " + std::to_string(kChanges), 300000); });
    std::thread second(
        [&] { exitCodes[1] = testsupport::RunProcess(writer + "second " + std::to_string(kChanges), 300000); });
    first.join();
    second.join();
    ASSERT_EQ(exitCodes[0], 0) << "every change of the first writer was taken and saved";
    ASSERT_EQ(exitCodes[1], 0) << "every change of the second writer was taken and saved";

    std::set<std::string> expected;
    for (const std::string tag : {"first", "second"}) {
        for (int i = 0; i < kChanges; ++i) {
            if (i % 4 == 3) {
                expected.erase("C:\\" + tag + "\\" + std::to_string(i - 1) + ".exe");
            } else {
                expected.insert("C:\\" + tag + "\\" + std::to_string(i) + ".exe");
            }
        }
    }
    LoadBlockList();
    const std::vector<std::string> lines = BlockListLines();
    EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()), expected);
    EXPECT_EQ(lines.size(), expected.size()) << "no line twice";
}

// The window's memory of the list may be older than the file: a release at a
// shown position removes the line the user saw, and keeps what another copy
// added meanwhile.
TEST_F(BlockListTest, AChangeAppliesToTheFileAsAnotherCopyLeftIt) {
    ASSERT_TRUE(Block("C:\\mine.exe").saved);
    ASSERT_TRUE(WriteFileBytes(path_, "C:\\theirs.exe\r\nC:\\mine.exe\r\n"));
    const BlockListChange change = UnblockLineAt(0);  // "C:\mine.exe", as this copy shows it
    EXPECT_TRUE(change.accepted);
    EXPECT_TRUE(change.saved);
    EXPECT_EQ(ReadFileBytes(path_), "C:\\theirs.exe\r\n");
    EXPECT_EQ(BlockListLines(), std::vector<std::string>{"C:\\theirs.exe"});
}
