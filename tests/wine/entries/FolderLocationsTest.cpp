// The Startup folders and the shell-link component, against links that the
// platform's own shell-link object wrote and reads.
#include "LocationsFixture.h"
#include "entries/FolderLocations.h"
#include "entries/ShellLink.h"
#include "entries/StartupFolders.h"
#include "system/Files.h"
#include "system/Scoped.h"
#include "system/Shell.h"
#include "system/TextCase.h"

namespace entrytest {
namespace {

const int kFolderKinds[] = {kCommonStartup, kUserStartup};

using FolderLocations = LocationsTest;

TEST(ShellLinkDefaults, SetTargetDerivesFolderAndDescriptionFromThePath) {
    struct Case {
        const char* path;
        const char* folder;
        const char* description;
    } cases[] = {
        {"C:\\Apps\\tool.exe", "C:\\Apps\\", "tool.exe"},
        {"D:tool.exe", "D:", "tool.exe"},
        {"tool.exe", "", "tool.exe"},
        {"C:\\Apps\\", "C:\\Apps\\", ""},
        {"", "", ""},
    };
    ShellLink& link = SharedShellLink();
    for (const Case& c : cases) {
        link.Fields().IconLocation = "x.ico";
        link.Fields().IconIndex = 4;
        link.Fields().ShowCmd = 7;
        link.Fields().HotKey = 0x241;
        link.SetTarget(c.path, "-q");
        EXPECT_EQ(link.Fields().Path, c.path);
        EXPECT_EQ(link.Fields().WorkingDirectory, c.folder) << c.path;
        EXPECT_EQ(link.Fields().Description, c.description) << c.path;
        EXPECT_EQ(link.Fields().Arguments, "-q");
        EXPECT_EQ(link.Fields().IconLocation, "");
        EXPECT_EQ(link.Fields().IconIndex, 0);
        EXPECT_EQ(link.Fields().ShowCmd, 1);
        EXPECT_EQ(link.Fields().HotKey, 0);
    }
}

TEST_F(FolderLocations, ListsLinksThePlatformWrote) {
    for (const int kind : kFolderKinds) {
        const std::string folder = FolderOf(kind);
        ASSERT_TRUE(WritePlatformLink(folder + "Tool.lnk", {"C:\\Apps\\tool.exe", "-q"}));
        ASSERT_TRUE(WritePlatformLink(folder + "Bare.lnk", {"C:\\Apps\\bare.exe", ""}));
        const std::string longArguments = "/list " + std::string(700, 'a');
        ASSERT_TRUE(WritePlatformLink(folder + "Long.lnk", {"C:\\Apps\\long.exe", longArguments}));
        ASSERT_TRUE(WritePlatformLink(folder + "Hidden.lnk", {"C:\\Apps\\hidden.exe", ""}));
        SetFileAttributesA((folder + "Hidden.lnk").c_str(), FILE_ATTRIBUTE_HIDDEN);
        ASSERT_TRUE(WritePlatformLink(folder + "System.lnk", {"C:\\Apps\\system.exe", ""}));
        SetFileAttributesA((folder + "System.lnk").c_str(), FILE_ATTRIBUTE_SYSTEM);
        ASSERT_TRUE(WritePlatformLink(folder + "Other.lnkx", {"C:\\Apps\\other.exe", ""}));  // matches by 8.3 alias
        ASSERT_TRUE(WritePlatformLink(folder + "Plain.txt", {"C:\\Apps\\plain.exe", ""}));
        ASSERT_TRUE(WriteBytes(folder + "Broken.lnk", "not a link"));
        ASSERT_TRUE(CreateDirectoryA((folder + "Folder.lnk").c_str(), nullptr));

        const std::vector<std::pair<std::string, std::string>> expected = {
            {"Bare", "C:\\Apps\\bare.exe "},  // no arguments: the command ends in a space
            {"Broken", " "},                  // cannot be loaded: the reset fields
            {"Folder", " "},
            {"Long", "C:\\Apps\\long.exe " + longArguments},
            {"Tool", "C:\\Apps\\tool.exe -q"},
        };
        const EntryList entries = ListFolderEntries(kind);
        EXPECT_EQ(NamesAndCommands(entries, kind), expected) << kind;
        ASSERT_EQ(entries.size(), expected.size());
        for (const StartupEntry& entry : entries) EXPECT_EQ(entry.active, 1);
    }
}

TEST_F(FolderLocations, LoadLinkResetsEveryFieldFirst) {
    const std::string folder = FolderOf(kUserStartup);
    LinkFields rich{"C:\\Apps\\rich.exe", "-r", "C:\\Work\\", "Rich tool", "C:\\Apps\\icons.dll", 3, 0x241};
    ASSERT_TRUE(WritePlatformLink(folder + "Rich.lnk", rich));
    ASSERT_TRUE(WritePlatformLink(folder + "Bare.lnk", {"C:\\Apps\\bare.exe", ""}));
    ShellLink& link = SharedShellLink();

    ASSERT_TRUE(link.LoadLink(folder + "Rich.lnk"));
    EXPECT_EQ(link.Fields().Path, "C:\\Apps\\rich.exe");
    EXPECT_EQ(link.Fields().Arguments, "-r");
    EXPECT_EQ(link.Fields().WorkingDirectory, "C:\\Work\\");
    EXPECT_EQ(link.Fields().Description, "Rich tool");
    EXPECT_EQ(link.Fields().IconLocation, "C:\\Apps\\icons.dll");
    EXPECT_EQ(link.Fields().IconIndex, 3);
    EXPECT_EQ(link.Fields().HotKey, 0x241);
    EXPECT_EQ(link.Fields().ShowCmd, 1);

    ASSERT_TRUE(link.LoadLink(folder + "Bare.lnk"));
    EXPECT_EQ(link.Fields().Path, "C:\\Apps\\bare.exe");
    EXPECT_EQ(link.Fields().Arguments, "");
    EXPECT_EQ(link.Fields().Description, "");
    EXPECT_EQ(link.Fields().IconLocation, "");
    EXPECT_EQ(link.Fields().HotKey, 0);

    EXPECT_FALSE(link.LoadLink(folder + "Missing.lnk"));
    EXPECT_EQ(link.Fields().Path, "");
    EXPECT_EQ(link.Fields().Arguments, "");
    ASSERT_TRUE(link.LoadLink(folder + "Rich.lnk")) << "a failed load does not spoil later ones";
    EXPECT_EQ(link.Fields().Arguments, "-r");
}

TEST_F(FolderLocations, WriteMakesALinkOfItsOwnToProgramAndArguments) {
    MakeFolders("C:\\bmtest\\Program Files\\App");
    ASSERT_TRUE(WriteBytes("C:\\bmtest\\Program Files\\App\\app.exe", "MZ"));  // never started
    for (const int kind : kFolderKinds) {
        const std::string folder = FolderOf(kind);
        // Whatever the last listed link held must not reach the new one.
        LinkFields rich{"C:\\Apps\\rich.exe", "-r", "C:\\Work\\", "Rich tool", "C:\\Apps\\icons.dll", 3, 0x241};
        ASSERT_TRUE(WritePlatformLink(folder + "Rich.lnk", rich));
        ASSERT_EQ(ListFolderEntries(kind).size(), 1u);

        EXPECT_TRUE(WriteFolderEntry(kind, "App", "\"C:\\bmtest\\Program Files\\App\\app.exe\" -x y.txt"));
        const LinkFields app = ReadPlatformLink(folder + "App.lnk");
        EXPECT_EQ(app.path, "C:\\bmtest\\Program Files\\App\\app.exe");
        EXPECT_EQ(app.arguments, "-x y.txt");
        EXPECT_EQ(app.workingDirectory, "C:\\bmtest\\Program Files\\App\\");
        EXPECT_EQ(app.description, "app.exe");
        EXPECT_EQ(app.iconLocation, "");
        EXPECT_EQ(app.hotKey, 0);

        EXPECT_TRUE(WriteFolderEntry(kind, "Missing", "C:\\bmtest\\gone\\missing.exe"));
        const LinkFields missing = ReadPlatformLink(folder + "Missing.lnk");
        EXPECT_EQ(missing.path, "C:\\bmtest\\gone\\missing.exe");
        EXPECT_EQ(missing.arguments, "");
    }
}

TEST_F(FolderLocations, WriteUnderAnExistingNameReplacesTheLink) {
    const std::string folder = FolderOf(kCommonStartup);
    ASSERT_TRUE(WritePlatformLink(folder + "Tool.lnk", {"C:\\Apps\\old.exe", "-old"}));
    EXPECT_TRUE(WriteFolderEntry(kCommonStartup, "tool", "\"C:\\Apps\\new.exe\" -new"));
    const std::vector<std::string> items = FolderItems(folder);
    ASSERT_EQ(items.size(), 1u) << "no second link and no temporary file";
    EXPECT_TRUE(_stricmp(items[0].c_str(), "Tool.lnk") == 0) << items[0];
    EXPECT_EQ(ReadPlatformLink(folder + "Tool.lnk").arguments, "-new");
    const EntryList entries = ListFolderEntries(kCommonStartup);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].command, "C:\\Apps\\new.exe -new");
}

TEST_F(FolderLocations, AFailedWriteKeepsTheOldLink) {
    const std::string folder = FolderOf(kUserStartup);
    ASSERT_TRUE(WritePlatformLink(folder + "Tool.lnk", {"C:\\Apps\\old.exe", "-old"}));
    // A folder in the way of the temporary file makes the save fail.
    ASSERT_TRUE(CreateDirectoryA((folder + "Tool.lnk.new").c_str(), nullptr));
    EXPECT_FALSE(WriteFolderEntry(kUserStartup, "Tool", "\"C:\\Apps\\new.exe\" -new"));
    EXPECT_EQ(ReadPlatformLink(folder + "Tool.lnk").arguments, "-old");
}

TEST_F(FolderLocations, RemoveDeletesTheLinkOfThatName) {
    const std::string folder = FolderOf(kUserStartup);
    ASSERT_TRUE(WritePlatformLink(folder + "Tool.lnk", {"C:\\Apps\\tool.exe", ""}));
    ASSERT_TRUE(WritePlatformLink(folder + "Keep.lnk", {"C:\\Apps\\keep.exe", ""}));
    EXPECT_TRUE(RemoveFolderEntry(kUserStartup, "Tool"));
    EXPECT_TRUE(RemoveFolderEntry(kUserStartup, "Tool")) << "a missing link is gone already";
    EXPECT_EQ(FolderItems(folder), std::vector<std::string>{"Keep.lnk"});
}

TEST_F(FolderLocations, AMissingOrEmptyFolderValueFallsBackToTheShellsStartupFolder) {
    const std::string folder = FolderOf(kUserStartup);
    ASSERT_TRUE(WritePlatformLink(folder + "Tool.lnk", {"C:\\Apps\\tool.exe", ""}));
    const std::string shellFolder = KnownFolderPath(KnownFolder::UserStartup) + "\\";
    ASSERT_GT(shellFolder.size(), 4u);
    const std::vector<std::string> rootBefore = FolderItems("C:\\");
    ScopedKey key;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kShellFoldersKey, 0, KEY_SET_VALUE, key.receive()), ERROR_SUCCESS);
    for (const bool emptyValue : {true, false}) {
        if (emptyValue) {
            SetString(HKEY_CURRENT_USER, kShellFoldersKey, "STARTUP", "");
        } else {
            RegDeleteValueA(key.get(), "STARTUP");
        }
        EXPECT_TRUE(SameText(StartupFolder(kUserStartup), shellFolder)) << StartupFolder(kUserStartup);
        EXPECT_TRUE(WriteFolderEntry(kUserStartup, "New", "C:\\Apps\\new.exe"));
        EXPECT_TRUE(FileExists(shellFolder + "New.lnk"));
        EXPECT_TRUE(RemoveFolderEntry(kUserStartup, "New"));
        EXPECT_FALSE(FileExists(shellFolder + "New.lnk"));
    }
    EXPECT_EQ(FolderItems("C:\\"), rootBefore);
    EXPECT_EQ(FolderItems(folder), std::vector<std::string>{"Tool.lnk"});
}

}  // namespace
}  // namespace entrytest
