// Commands whose program paths hold blanks, against real files: a switch off
// and on gives back what each location held byte for byte, and a link finds its
// program as Windows finds it, or is not made.
#include <windows.h>

#include "LocationsFixture.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/FolderLocations.h"
#include "entries/RunCheck.h"
#include "entries/StoredCommand.h"

namespace entrytest {
namespace {

using CommandForms = LocationsTest;

const char kSpaceApp[] = "C:\\bmtest\\Space App";
const char kTouchMe[] = "C:\\bmtest\\Space App\\touch me.exe";

void MakeTouchMe() {
    MakeFolders(kSpaceApp);
    ASSERT_TRUE(WriteBytes(kTouchMe, "MZ"));  // never started
}

// Everything the location holds for the entry that a switch may touch.
std::string Held(int32_t kind, const std::string& name) {
    if (IsRegistryKind(kind)) {
        const auto [type, text] = GetValue(RootOf(kind), KeyPathOf(kind), name);
        return std::to_string(type) + ":" + text;
    }
    if (IsWinIniKind(kind)) return RawWinIni(WinIniKeyOf(kind));
    const LinkFields link = ReadPlatformLink(FolderOf(kind) + name + ".lnk");
    return link.path + "|" + link.arguments + "|" + link.workingDirectory + "|" + link.description;
}

void Seed(int32_t kind, const std::string& name, const std::string& text, const LinkFields& link) {
    if (IsRegistryKind(kind)) SetString(RootOf(kind), KeyPathOf(kind), name, text);
    if (IsWinIniKind(kind)) SetRawWinIni(WinIniKeyOf(kind), text);
    if (IsFolderKind(kind)) {
        ASSERT_TRUE(WritePlatformLink(FolderOf(kind) + name + ".lnk", link));
    }
}

StartupEntry TheOneOfKind(int32_t kind) {
    for (const StartupEntry& entry : CollectAllEntries()) {
        if (entry.kind == kind) return entry;
    }
    ADD_FAILURE() << "nothing listed in " << kind;
    return StartupEntry();
}

TEST_F(CommandForms, ASwitchOffAndOnGivesBackEveryByteInEveryFamily) {
    MakeTouchMe();
    struct Form {
        const char* text;  // registry value and win.ini item
        LinkFields link;   // a link's own fields
    } forms[] = {
        // Windows starts "touch me.exe" with "-q"; quotation marks must not appear.
        {"C:\\bmtest\\Space App\\touch me -q", {kTouchMe, "-q", "C:\\bmtest\\Space App", "Touch"}},
        {"\"C:\\bmtest\\Space App\\touch me.exe\"  -q  \"a b\" ", {kTouchMe, " -q  \"a b\" ", "C:\\Work"}},
        {" C:\\bmtest\\Space App\\touch me.exe", {kTouchMe, ""}},
        // A program that is gone, below a folder whose name holds a blank.
        {"C:\\bmtest\\Gone Dir\\gone app.exe /x", {"C:\\bmtest\\Gone Dir\\gone app.exe", "/x y", "C:\\Gone"}},
        {"%ProgramFiles%\\Space App\\touch me -q", {"C:\\bmtest\\Gone Dir\\x", ""}},
    };
    // Each family, the machine's 32-bit view among them.
    for (const int32_t kind : {kUserRun, kMachineRunOnce32, kUserStartup, kCommonStartup, kWinIniRun}) {
        for (const Form& form : forms) {
            SCOPED_TRACE(std::to_string(kind) + ": " + form.text);
            TearDown();
            SetUp();
            Seed(kind, "Tool", form.text, form.link);
            const std::string before = Held(kind, "Tool");
            const StartupEntry on = TheOneOfKind(kind);

            StartupEntry switchedOff = on;
            switchedOff.active = 0;
            ASSERT_EQ(ReplaceEntry(on, switchedOff).reason, ChangeReason::None);
            const StartupEntry off = TheOneOfKind(kind);
            EXPECT_EQ(off.active, 0);
            // The same command switched off; a link without arguments then
            // reads without the blank after its program, as it always did.
            const bool bareLink = IsFolderKind(kind) && form.link.arguments.empty();
            EXPECT_EQ(off.command, bareLink ? form.link.path : on.command);
            if (!IsFolderKind(kind)) {
                EXPECT_EQ(Held(kind, off.name), (IsRegistryKind(kind) ? "1:" : "") + DeactivationMarker() + form.text);
            }

            StartupEntry switchedOn = off;
            switchedOn.active = 1;
            ASSERT_EQ(ReplaceEntry(off, switchedOn).reason, ChangeReason::None);
            EXPECT_EQ(Held(kind, "Tool"), before);
            EXPECT_EQ(TheOneOfKind(kind).command, on.command);
        }
    }
}

TEST_F(CommandForms, AMoveIntoALinkFindsTheProgramAsWindowsDoesOrIsRefused) {
    MakeTouchMe();
    struct Case {
        const char* command;
        ChangeReason reason;
        const char* path;
        const char* arguments;
    } cases[] = {
        {"C:\\bmtest\\Space App\\touch me -q", ChangeReason::None, kTouchMe, "-q"},
        {"C:\\bmtest\\Space App\\touch me.exe  -a b.txt", ChangeReason::None, kTouchMe, " -a b.txt"},
        {"\"C:\\bmtest\\Space App\\touch me.exe\" -q", ChangeReason::None, kTouchMe, "-q"},
        // No blank ends an existing file: nothing is guessed, nothing changes.
        {"C:\\bmtest\\Gone Dir\\gone app.exe /x", ChangeReason::ProgramNotFound, "", ""},
        {"C:\\bmtest\\Space App\\touch /x", ChangeReason::ProgramNotFound, "", ""},
    };
    for (const int32_t from : {kUserRun, kWinIniLoad}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::to_string(from) + ": " + c.command);
            TearDown();
            SetUp();
            Seed(from, "Tool", c.command, {});
            const std::string before = Held(from, "Tool");
            const StartupEntry listed = TheOneOfKind(from);
            StartupEntry moved = listed;
            moved.name = "Tool";
            moved.kind = kUserStartup;
            const ChangeResult result = ReplaceEntry(listed, moved);
            EXPECT_EQ(result.reason, c.reason);
            if (c.reason != ChangeReason::None) {
                EXPECT_EQ(Held(from, "Tool"), before);
                EXPECT_EQ(FolderItems(FolderOf(kUserStartup)), std::vector<std::string>{});
                continue;
            }
            const LinkFields link = ReadPlatformLink(FolderOf(kUserStartup) + "Tool.lnk");
            EXPECT_EQ(link.path, c.path);
            EXPECT_EQ(link.arguments, c.arguments);
            EXPECT_EQ(link.workingDirectory, std::string(kSpaceApp) + "\\");
        }
    }
    // The folder write of old is refused alike.
    EXPECT_FALSE(WriteFolderEntry(kCommonStartup, "New", "C:\\bmtest\\Gone Dir\\gone app.exe /x"));
    EXPECT_EQ(FolderItems(FolderOf(kCommonStartup)), std::vector<std::string>{});
}

TEST_F(CommandForms, ANewOrRestoredLinkOfAMissingProgramKeepsItsCommand) {
    // Nothing says where the program ends, but nothing is lost either: the link
    // reads as the very command it was given, switched on and off.
    const std::string command = "C:\\bmtest\\Gone Dir\\gone app.exe /x";
    for (const int on : {1, 0}) {
        const auto active = static_cast<uint8_t>(on);
        SCOPED_TRACE(active);
        TearDown();
        SetUp();
        ASSERT_EQ(AddEntry(AnEntry("New", command).Kind(kCommonStartup).Active(active)).reason, ChangeReason::None);
        const StartupEntry listed = TheOneOfKind(kCommonStartup);
        EXPECT_EQ(listed.command, command);
        EXPECT_EQ(listed.active, active);
        StartupEntry flipped = listed;
        flipped.active = static_cast<uint8_t>(1 - on);
        ASSERT_EQ(ReplaceEntry(listed, flipped).reason, ChangeReason::None);
        EXPECT_EQ(TheOneOfKind(kCommonStartup).command, command);
    }
}

TEST_F(CommandForms, TheWillNotRunCheckFindsTheProgramAsWindowsDoes) {
    MakeTouchMe();
    const ProgramLookup lookup = SystemProgramLookup();
    EXPECT_TRUE(ProgramExists("C:\\bmtest\\Space App\\touch me -q", lookup));
    EXPECT_TRUE(ProgramExists("C:\\bmtest\\Space App\\touch me.exe", lookup));
    EXPECT_FALSE(ProgramExists("C:\\bmtest\\Space App\\touch /q", lookup));
    EXPECT_EQ(ProgramOfCommand("C:\\bmtest\\Space App\\touch me -q", lookup), kTouchMe);
    EXPECT_EQ(ProgramOfCommand("\"C:\\bmtest\\Gone Dir\\gone.exe\" -q", lookup), "C:\\bmtest\\Gone Dir\\gone.exe");
    EXPECT_EQ(ProgramOfCommand("C:\\bmtest\\Gone Dir\\gone.exe -q", lookup), "C:\\bmtest\\Gone Dir\\gone.exe -q")
        << "no blank ends a program: the whole command is what is missing";
}

}  // namespace
}  // namespace entrytest
