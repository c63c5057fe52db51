// The will-not-run rule against a made-up file system: which program a command
// names, where a bare name is looked for, and which reason wins.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "entries/ChangeCoalescer.h"
#include "entries/RunCheck.h"

namespace {

ProgramLookup MadeUpSystem() {
    static const std::set<std::string> files = {"C:\\Windows\\system32\\rundll32.exe",
                                                "C:\\Windows\\notepad.exe",
                                                "C:\\Tools\\sync.cmd",
                                                "C:\\Program Files\\Vendor\\agent.exe",
                                                "C:\\Apps\\tray.exe",
                                                "C:\\Users\\me\\AppData\\up.exe",
                                                "D:\\Portable\\Runner"};
    ProgramLookup lookup;
    lookup.fileExists = [](const std::string& path) { return files.count(path) > 0; };
    lookup.expand = [](const std::string& text) {
        std::string out = text;
        const std::string name = "%LOCALAPPDATA%";
        for (size_t at; (at = out.find(name)) != std::string::npos;)
            out.replace(at, name.size(), "C:\\Users\\me\\AppData");
        return out;
    };
    lookup.searchFolders = {"C:\\Windows\\system32\\", "C:\\Windows\\", "C:\\Tools\\"};
    lookup.folderExists = [](const std::string& path) {
        return path == "D:\\Shared" || path == "C:\\Users\\me\\AppData";
    };
    lookup.appPath = [](const std::string& name) {
        return name == "tray.exe" ? std::string("\"C:\\Apps\\tray.exe\"") : std::string();
    };
    return lookup;
}

StartupEntry At(int32_t kind, const std::string& command, SwitchedOffBy offBy = SwitchedOffBy::Nobody) {
    StartupEntry entry;
    entry.name = "x";
    entry.command = command;
    entry.kind = kind;
    entry.active = offBy == SwitchedOffBy::Nobody ? 1 : 0;
    entry.offBy = offBy;
    return entry;
}

TEST(RunCheck, TheReasonAnEntryWillNotStart) {
    struct Case {
        const char* what;
        StartupEntry entry;
        NotRunReason reason;
    };
    const Case cases[] = {
        {"full path", At(11, "C:\\Program Files\\Vendor\\agent.exe /tray"), NotRunReason::None},
        {"quoted path", At(21, "\"C:\\Program Files\\Vendor\\agent.exe\" /tray"), NotRunReason::None},
        {"quoted, gone", At(21, "\"C:\\Program Files\\Gone\\agent.exe\" /tray"), NotRunReason::ProgramMissing},
        {"unquoted, gone", At(26, "C:\\Program Files\\Gone\\agent.exe -x"), NotRunReason::ProgramMissing},
        {"bare name in the system folder", At(11, "rundll32.exe shell32.dll,Control_RunDLL"), NotRunReason::None},
        {"bare name without extension", At(11, "rundll32 shell32.dll,Foo"), NotRunReason::None},
        {"bare name in the Windows folder", At(31, "notepad"), NotRunReason::None},
        {"bare name on PATH, a .cmd", At(12, "sync /all"), NotRunReason::None},
        {"bare name nowhere", At(11, "ghost.exe /quiet"), NotRunReason::ProgramMissing},
        {"bare name through App Paths", At(2, "tray"), NotRunReason::None},
        {"environment strings", At(11, "%LOCALAPPDATA%\\up.exe --background"), NotRunReason::None},
        {"environment strings, quoted", At(11, "\"%LOCALAPPDATA%\\gone.exe\""), NotRunReason::ProgramMissing},
        {"path without extension", At(1, "C:\\Apps\\tray"), NotRunReason::None},
        {"a file that is no program", At(1, "D:\\Portable\\Runner "), NotRunReason::None},
        {"a link that opens a folder", At(2, "D:\\Shared "), NotRunReason::None},
        {"a link that opens a folder by a variable", At(1, "%LOCALAPPDATA% "), NotRunReason::None},
        {"a registry value that names a folder", At(11, "D:\\Shared"), NotRunReason::ProgramMissing},
        {"a link to a folder that is gone", At(2, "D:\\Gone "), NotRunReason::ProgramMissing},
        {"empty command", At(13, ""), NotRunReason::ProgramMissing},
        {"a link that could not be read", At(2, " "), NotRunReason::ProgramMissing},
        {"RunServices of the user", At(14, "C:\\Apps\\tray.exe"), NotRunReason::NotStartedByWindowsNt},
        {"RunServicesOnce of the machine, gone too", At(25, "C:\\gone.exe"), NotRunReason::NotStartedByWindowsNt},
        {"Windows switched it off", At(21, "C:\\Apps\\tray.exe", SwitchedOffBy::Windows),
         NotRunReason::SwitchedOffByWindows},
        {"Windows switched off a missing one", At(26, "C:\\gone.exe", SwitchedOffBy::Windows),
         NotRunReason::SwitchedOffByWindows},
        {"this program switched off a missing one", At(11, "C:\\gone.exe", SwitchedOffBy::ThisProgram),
         NotRunReason::ProgramMissing},
        {"another tool switched it off", At(11, "C:\\Apps\\tray.exe", SwitchedOffBy::OtherTool), NotRunReason::None},
    };
    const ProgramLookup lookup = MadeUpSystem();
    for (const Case& c : cases) {
        EXPECT_EQ(WhyNotRun(c.entry, lookup), c.reason) << c.what;
    }
}

TEST(RunCheck, KindPredicates) {
    for (int32_t kind = -1; kind < 40; ++kind) {
        EXPECT_EQ(IsRunOnceKind(kind), kind == 12 || kind == 22 || kind == 27) << kind;
        EXPECT_EQ(IsMachineWideKind(kind), kind == 1 || (kind >= 21 && kind <= 28)) << kind;
        EXPECT_EQ(Is32BitViewKind(kind), kind >= 26 && kind <= 28) << kind;
        EXPECT_EQ(IsNotStartedByWindowsNtKind(kind), kind == 14 || kind == 15 || kind == 24 || kind == 25) << kind;
        // The tens digit of a stored kind names its family.
        EXPECT_EQ(IsFolderKind(kind), kind == 1 || kind == 2) << kind;
        EXPECT_EQ(IsRegistryKind(kind), (kind >= 11 && kind <= 15) || (kind >= 21 && kind <= 28)) << kind;
        EXPECT_EQ(IsWinIniKind(kind), kind == 31 || kind == 32) << kind;
        EXPECT_EQ(MayOpenFolderKind(kind), kind == 1 || kind == 2) << kind;
        EXPECT_EQ(NamesFilesKind(kind), kind == 1 || kind == 2) << kind;
        EXPECT_EQ(IsLocationKind(kind), std::count(AllLocationKinds().begin(), AllLocationKinds().end(), kind) == 1)
            << kind;
    }
}

TEST(RunCheck, TheCatalogueCollectsTheKindsInTheirFixedOrder) {
    const std::vector<int32_t> order = {1, 2, 11, 12, 13, 14, 15, 21, 22, 23, 24, 25, 26, 27, 28, 31, 32};
    EXPECT_EQ(AllLocationKinds(), order);
}

TEST(ChangeCoalescer, ABurstIsReadOnceAfterItSettlesButNeverLaterThanTheLongestWait) {
    ChangeCoalescer coalescer(150, 600);
    EXPECT_FALSE(coalescer.Due(0));
    coalescer.Notice(1000);
    EXPECT_FALSE(coalescer.Due(1100));
    EXPECT_EQ(coalescer.MsUntilDue(1100), 50u);
    coalescer.Notice(1140);  // the burst goes on
    EXPECT_FALSE(coalescer.Due(1200));
    EXPECT_TRUE(coalescer.Due(1290));
    coalescer.Done();
    EXPECT_FALSE(coalescer.Due(5000));
    // A change every 100 ms never settles: it is read 600 ms after the first.
    coalescer.Notice(2000);
    for (uint64_t t = 2100; t < 2600; t += 100) {
        coalescer.Notice(t);
        EXPECT_FALSE(coalescer.Due(t)) << t;
    }
    EXPECT_TRUE(coalescer.Due(2600));
}

}  // namespace
