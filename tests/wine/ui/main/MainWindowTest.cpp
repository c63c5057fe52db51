// The real main window in this process, on the real registry of the test's
// prefix: the commands as the buttons and keys run them, with every prompt
// answered by the test, checked against the locations afterwards.
#include <gtest/gtest.h>

#include "WindowDriving.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>

#include "backup/BackupStore.h"
#include "blocking/BlockCheckLog.h"
#include "blocking/BlockList.h"
#include "entries/ShellLink.h"
#include "entries/StoredCommand.h"
#include "i18n/TranslationCatalogue.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/Elevation.h"
#include "system/Files.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"
#include "system/TextRules.h"
#include "system/Utf8.h"
#include "ui/dialogs/BlockedEntriesDialog.h"
#include "ui/dialogs/DialogWindows.h"
#include "ui/dialogs/EntryEditorDialog.h"
#include "ui/dialogs/RestoreDialog.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WindowPlacement.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/ControlIds.h"
#include "ui/win/HighContrast.h"
#include "ui/win/TextNumbers.h"
#include "xml/XmlCodec.h"
#include "xml/XmlParser.h"

using testsupport::ProductPath;
using testsupport::ReadFileBytes;
using testsupport::WriteFileBytes;
using ui::Command;

namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

std::wstring WindowTextW(HWND window) {
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::string RegValue(HKEY root, const std::string& name) { return ReadRegString(root, kRun, name); }

// Removed behind the program's back, as another program would.
void RemoveRegValue(HKEY root, const std::string& name) {
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(root, kRun, 0, KEY_SET_VALUE, &key), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, name.c_str()), ERROR_SUCCESS) << name;
    RegCloseKey(key);
}

bool RegValueExists(HKEY root, const std::string& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, kRun, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    const bool found = RegQueryValueExA(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

void ClearRunKeys() {
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const char* sub : {"Run", "RunOnce", "RunOnceEx", "RunServices", "RunServicesOnce"}) {
            RegDeleteTreeA(root, (std::string("Software\\Microsoft\\Windows\\CurrentVersion\\") + sub).c_str());
        }
    }
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows", 0, KEY_SET_VALUE,
                      &key) == ERROR_SUCCESS) {
        RegDeleteValueA(key, "load");
        RegDeleteValueA(key, "run");
        RegCloseKey(key);
    }
}

class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CreateSharedShellLink();
        PrepareDataFolder(kBaseName, false);
        const std::string german = ReadFileBytes(ProductPath("Bootmarshal.t00"));
        ASSERT_FALSE(german.empty());
        ASSERT_TRUE(WriteFileBytes(DataFolder(kBaseName) + "Bootmarshal.def", german));
        LoadTranslation(kBaseName);
    }

    void SetUp() override {
        ClearRunKeys();
        DeleteFileA(DataFile(kBaseName, kBlockListFileName).c_str());
        LoadBlockList();
        answers_.clear();
        mainwindowtest::AnswerQuestionsFrom(answers_);
        window_ = std::make_unique<ui::MainWindow>();
        ASSERT_TRUE(window_->Create()) << testsupport::LastErrorText("creating the main window");
    }

    void TearDown() override {
        window_.reset();
        SetPromptResponderForTests(nullptr);
        ui::MainWindow::SetRestartForTests(nullptr);
        ClearRunKeys();
    }

    void Seed(HKEY root, const std::string& name, const std::string& command) {
        ASSERT_TRUE(WriteRegString(root, kRun, name, command));
    }

    // The line whose entry has this command.
    int LineOf(const std::string& command) const {
        const ui::MainWindowModel& model = window_->Model();
        for (size_t i = 0; i < model.LineCount(); ++i) {
            if (model.EntryForLine(static_cast<int>(i)).command == command) return static_cast<int>(i);
        }
        return -1;
    }

    void Select(const std::string& command) {
        const int line = LineOf(command);
        ASSERT_GE(line, 0) << command;
        mainwindowtest::SelectListLine(*window_, line);
        ASSERT_EQ(window_->Model().SelectedLine(), line);
    }

    void Click(int id) { mainwindowtest::ClickControl(*window_, id); }

    // The delete question as recorded: it names the entry and its location.
    static std::string DeleteQuestion(const std::string& name, const std::string& location) {
        return "?" + GetText(Text::DeleteEntryQuestion) + "\n\n" + name + "  (" + location + ")";
    }

    std::vector<std::string> Messages() {
        std::vector<std::string> texts;
        for (const PromptRecord& prompt : TakeRecordedPrompts()) {
            texts.push_back((prompt.kind == PromptKind::Question  ? "?"
                             : prompt.kind == PromptKind::Message ? "!"
                                                                  : "~") +
                            prompt.text);
        }
        return texts;
    }

    std::vector<bool> answers_;
    std::unique_ptr<ui::MainWindow> window_;
};

TEST_F(MainWindowTest, TwoEntriesOfOneNameEachDeletedOnItsOwnLine) {
    Seed(HKEY_CURRENT_USER, "Same", "C:\\user.exe");
    Seed(HKEY_LOCAL_MACHINE, "Same", "C:\\machine.exe");
    window_->RefreshList();
    ASSERT_EQ(window_->Model().LineCount(), 2u);
    Select("C:\\user.exe");
    EXPECT_EQ(window_->ControlText(kIdCommandText), "C:\\user.exe");
    EXPECT_EQ(window_->ControlText(kIdLocationText), "Registry: Aktueller Benutzer (Run)");

    answers_ = {true};
    Click(kIdDeleteButton);
    EXPECT_EQ(Messages(), (std::vector<std::string>{DeleteQuestion("Same", "Registry: Aktueller Benutzer (Run)"),
                                                    "!" + GetText(Text::Deleted)}));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, "Same"));
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, "Same"), "C:\\machine.exe");
    ASSERT_EQ(window_->Model().LineCount(), 1u);
    EXPECT_FALSE(window_->Model().HasSelection()) << "the other entry of that name is not selected in its place";
    EXPECT_EQ(window_->ControlText(kIdCommandText), "");
}

TEST_F(MainWindowTest, DeleteAnsweredNoKeepsTheEntryAndSaysNothing) {
    Seed(HKEY_CURRENT_USER, "Keep", "C:\\keep.exe");
    window_->RefreshList();
    Select("C:\\keep.exe");
    answers_ = {false};
    // The Del key on the list asks the same question.
    MSG key{window_->Control(kIdEntryList), WM_KEYDOWN, VK_DELETE, 0, 0, {0, 0}};
    EXPECT_TRUE(window_->PreTranslate(key));
    EXPECT_EQ(Messages(), (std::vector<std::string>{DeleteQuestion("Keep", "Registry: Aktueller Benutzer (Run)")}));
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, "Keep"), "C:\\keep.exe");
}

// An entry removed behind the program's back takes the selection with it: the
// refresh selects no other line, and Delete then asks about nothing.
TEST_F(MainWindowTest, AnEntryRemovedElsewhereLeavesNoLineSelected) {
    Seed(HKEY_CURRENT_USER, "Alpha", "C:\\alpha.exe");
    Seed(HKEY_CURRENT_USER, "Beta", "C:\\beta.exe");
    Seed(HKEY_CURRENT_USER, "Gamma", "C:\\gamma.exe");
    window_->Show();
    HWND list = window_->Control(kIdEntryList);
    SetForegroundWindow(window_->hwnd());
    SetFocus(list);
    ASSERT_TRUE(mainwindowtest::PumpUntil(
        *window_, [&] { return GetForegroundWindow() == window_->hwnd() && GetFocus() == list; }));
    Select("C:\\beta.exe");
    RemoveRegValue(HKEY_CURRENT_USER, "Beta");
    ASSERT_TRUE(testsupport::PressKey(VK_F5));
    ASSERT_TRUE(mainwindowtest::PumpUntil(*window_, [&] { return window_->Model().LineCount() == 2; }));
    EXPECT_FALSE(window_->Model().HasSelection());
    EXPECT_EQ(SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(window_->ControlText(kIdNameText), "");

    // The button and the key ask nothing and delete nothing; the refresh pressed
    // after them shows that the window has read both.
    Click(kIdDeleteButton);
    ASSERT_TRUE(testsupport::PressKey(VK_DELETE));
    Seed(HKEY_CURRENT_USER, "Delta", "C:\\delta.exe");
    ASSERT_TRUE(testsupport::PressKey(VK_F5));
    ASSERT_TRUE(mainwindowtest::PumpUntil(*window_, [&] { return window_->Model().LineCount() == 3; }));
    EXPECT_EQ(Messages(), std::vector<std::string>{});
    EXPECT_FALSE(window_->Model().HasSelection()) << "a new line takes no selection either";
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, "Alpha"), "C:\\alpha.exe");
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, "Gamma"), "C:\\gamma.exe");

    // A selected entry that is still there stays selected on its new line, and
    // the question names it.
    Select("C:\\gamma.exe");
    RemoveRegValue(HKEY_CURRENT_USER, "Alpha");
    ASSERT_TRUE(testsupport::PressKey(VK_F5));
    ASSERT_TRUE(mainwindowtest::PumpUntil(*window_, [&] { return window_->Model().LineCount() == 2; }));
    EXPECT_EQ(window_->Model().SelectedLine(), LineOf("C:\\gamma.exe"));
    EXPECT_EQ(window_->ControlText(kIdCommandText), "C:\\gamma.exe");
    answers_ = {false};
    Click(kIdDeleteButton);
    EXPECT_EQ(Messages(), (std::vector<std::string>{DeleteQuestion("Gamma", "Registry: Aktueller Benutzer (Run)")}));
}

TEST_F(MainWindowTest, SwitchOffWritesTheMarkerAndSwitchOnTakesItAway) {
    Seed(HKEY_CURRENT_USER, "Tool", "C:\\tool.exe /x");
    window_->RefreshList();
    Select("C:\\tool.exe /x");
    Click(kIdSwitchButton);
    const std::string stored = RegValue(HKEY_CURRENT_USER, "Tool");
    EXPECT_EQ(stored, DeactivationMarker() + "C:\\tool.exe /x");
    EXPECT_EQ(window_->Model().CurrentEntry().active, 0);
    EXPECT_EQ(window_->Model().LineColour(window_->Model().SelectedLine()), ui::kInactiveColour);
    EXPECT_EQ(window_->ControlText(kIdStatusText), GetText(Text::EntryInactive));
    const std::vector<std::string> prompts = Messages();
    ASSERT_EQ(prompts.size(), 2u) << "timed wait, then the plain wait; no message";
    EXPECT_EQ(prompts[0][0], '~');

    Click(kIdSwitchButton);
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, "Tool"), "C:\\tool.exe /x");
    EXPECT_EQ(window_->Model().CurrentEntry().active, 1);
    EXPECT_EQ(window_->ControlText(kIdStatusText), GetText(Text::EntryActive));
}

TEST_F(MainWindowTest, BlockSwitchesOffAndListsReleaseUndoesBoth) {
    Seed(HKEY_CURRENT_USER, "Nag", "C:\\nag.exe");
    window_->RefreshList();
    Select("C:\\nag.exe");
    EXPECT_EQ(window_->ControlText(kIdBlockButton), GetText(Text::BlockEntry));
    Click(kIdBlockButton);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(IsBlocked("C:\\nag.exe"));
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, "Nag"), DeactivationMarker() + "C:\\nag.exe");
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kBlockCheckValueName));
    EXPECT_NE(ReadFileBytes(DataFile(kBaseName, kBlockListFileName)).find("C:\\nag.exe"), std::string::npos);
    // The check's own value now sorts before the entry; the details stay on the entry.
    EXPECT_EQ(window_->Model().LineCount(), 2u);
    EXPECT_EQ(window_->Model().CurrentEntry().name, "Nag");
    EXPECT_EQ(window_->ControlText(kIdBlockButton), GetText(Text::ReleaseEntry));

    Select("C:\\nag.exe");
    Click(kIdBlockButton);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(IsBlocked("C:\\nag.exe"));
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, "Nag"), "C:\\nag.exe");  // the command as it was
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kBlockCheckValueName));
    EXPECT_EQ(window_->ControlText(kIdBlockButton), GetText(Text::BlockEntry));
}

// While it lives, the registry refuses every write in the user's Run key,
// where the logon check's own value stands.
struct UserRunKeyRefused {
    UserRunKeyRefused() {
        SetRegistryWriteDenialForTests(
            [](HKEY root, const std::string& key) { return root == HKEY_CURRENT_USER && key == kRun; });
    }
    ~UserRunKeyRefused() { SetRegistryWriteDenialForTests(nullptr); }
};

// The registry refuses the logon check's own value: the block and the release
// still happen, and the user hears that the check no longer follows the list.
TEST_F(MainWindowTest, ALogonCheckValueTheRegistryRefusesIsReported) {
    Seed(HKEY_LOCAL_MACHINE, "Nag", "C:\\nag.exe");
    window_->RefreshList();
    ASSERT_EQ(BlockCheckRunPlace(),
              "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run\\Bootmarshal Block-check");
    const std::string refused = "!" + FillPlaceholder(GetText(Text::CannotWrite), BlockCheckRunPlace());
    {
        UserRunKeyRefused refusing;
        Select("C:\\nag.exe");
        Click(kIdBlockButton);
    }
    EXPECT_EQ(Messages(), std::vector<std::string>{refused});
    EXPECT_TRUE(IsBlocked("C:\\nag.exe"));
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, "Nag"), DeactivationMarker() + "C:\\nag.exe");
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kBlockCheckValueName));

    Select("C:\\nag.exe");
    Click(kIdBlockButton);
    EXPECT_TRUE(Messages().empty());
    EXPECT_FALSE(IsBlocked("C:\\nag.exe"));

    // Blocked with the registry willing, released while it refuses: the value
    // stays behind, and the user hears so.
    Select("C:\\nag.exe");
    Click(kIdBlockButton);
    ASSERT_TRUE(RegValueExists(HKEY_CURRENT_USER, kBlockCheckValueName));
    {
        UserRunKeyRefused refusing;
        Select("C:\\nag.exe");
        Click(kIdBlockButton);
    }
    EXPECT_EQ(Messages(), std::vector<std::string>{refused});
    EXPECT_FALSE(IsBlocked("C:\\nag.exe"));
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, "Nag"), "C:\\nag.exe");
    EXPECT_TRUE(RegValueExists(HKEY_CURRENT_USER, kBlockCheckValueName));
}

// The shell cannot open the homepage address (here a file in a folder that is
// not there): the user hears which and why, instead of nothing happening. A
// documentation file that is not there is passed over without a word.
TEST_F(MainWindowTest, ATargetTheShellCannotOpenIsReported) {
    const std::string german = ReadFileBytes(ProductPath("Bootmarshal.t00"));
    const std::string address = "C:\\bmtest-nothing\\homepage.bm-none";
    std::string texts = german;
    const size_t start = texts.find("[3]\r\n") + 5;
    texts.replace(start, texts.find("\r\n", start) - start, address);
    const std::string active = DataFolder(kBaseName) + "Bootmarshal.def";
    ASSERT_TRUE(WriteFileBytes(active, texts));
    LoadTranslation(kBaseName);
    ASSERT_EQ(GetText(Text::HomepageAddress), address);
    window_->Execute(Command::Homepage);
    const std::vector<std::string> messages = Messages();
    ASSERT_TRUE(WriteFileBytes(active, german));
    LoadTranslation(kBaseName);
    ASSERT_EQ(messages.size(), 1u);
    const std::string headline = "!" + FillPlaceholder(GetText(Text::CannotOpen), address) + "\n";
    EXPECT_EQ(messages[0].substr(0, headline.size()), headline);
    EXPECT_GT(messages[0].size(), headline.size()) << "with the platform's reason";

    DeleteFileA((DataFolder(kBaseName) + "Bootmarshal.doc").c_str());
    window_->Execute(Command::Documentation);
    EXPECT_TRUE(Messages().empty());
}

// Switched on while its command stays on the list, the entry would be deleted
// at the next logon: the user is asked first, and Yes releases it as well.
TEST_F(MainWindowTest, SwitchingOnABlockedEntryAsksAndReleasesItOnYes) {
    Seed(HKEY_CURRENT_USER, "Nag", "C:\\nag.exe");
    window_->RefreshList();
    Select("C:\\nag.exe");
    Click(kIdBlockButton);
    ASSERT_TRUE(IsBlocked("C:\\nag.exe"));
    Select("C:\\nag.exe");
    const std::string location = window_->ControlText(kIdLocationText);
    TakeRecordedPrompts();

    answers_ = {false};
    Click(kIdSwitchButton);
    const std::vector<std::string> asked = Messages();
    ASSERT_EQ(asked.size(), 1u) << "nothing but the question";
    EXPECT_EQ(asked[0][0], '?');
    EXPECT_NE(asked[0].find("Nag"), std::string::npos) << asked[0];
    EXPECT_NE(asked[0].find(location), std::string::npos) << asked[0];
    EXPECT_TRUE(IsBlocked("C:\\nag.exe")) << "No changes nothing";
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, "Nag"), DeactivationMarker() + "C:\\nag.exe");

    answers_ = {true};
    Click(kIdSwitchButton);
    EXPECT_EQ(Messages().size(), 1u) << "the question only";
    EXPECT_FALSE(IsBlocked("C:\\nag.exe"));
    EXPECT_EQ(ReadFileBytes(DataFile(kBaseName, kBlockListFileName)), "");
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kBlockCheckValueName));
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, "Nag").find(DeactivationMarker()), std::string::npos);
    EXPECT_EQ(window_->Model().CurrentEntry().active, 1);
}

// The logon check ends without a word: the status bar tells what it last did.
TEST_F(MainWindowTest, TheStatusBarTellsWhatTheLastLogonCheckRemoved) {
    const std::string log = BlockCheckLogFile();
    DeleteFileA(log.c_str());
    window_->ApplyTexts();
    EXPECT_EQ(window_->ControlText(kIdLogonCheckText), "") << "no log, nothing to tell";

    const BlockCheckAction gone{"HKCU", "Nag", "C:\\nag.exe", true, ""};
    const BlockCheckAction kept{"HKLM", "Up", "C:\\up.exe", false, "access denied"};
    ASSERT_TRUE(WriteFileBytes(log, BlockCheckLogLine("2026-12-01 08:00:00", kept) +
                                        BlockCheckLogLine("2026-12-10 08:00:00", gone) +
                                        BlockCheckLogLine("2026-12-10 08:00:00", kept)));
    window_->ApplyTexts();
    EXPECT_EQ(window_->ControlText(kIdLogonCheckText),
              FillPlaceholder(GetText(Text::LogonCheckAt), "2026-12-10 08:00:00") + " " +
                  FillPlaceholder(GetText(Text::LogonCheckRemoved), "1") + " Nag; " +
                  FillPlaceholder(GetText(Text::LogonCheckNotRemoved), "1") + " Up");
    DeleteFileA(log.c_str());
}

TEST_F(MainWindowTest, NothingHarmfulGoesOnTheBlockList) {
    Seed(HKEY_CURRENT_USER, "Empty", "");
    Seed(HKEY_LOCAL_MACHINE, "CopyOfCheck", "\"C:\\Apps\\Bootmarshal.exe\" /blocklist");
    window_->RefreshList();
    Select("");
    // An empty value is no program: blocking it is not even offered (the rule
    // behind it refuses it too).
    EXPECT_FALSE(IsWindowEnabled(window_->Control(kIdBlockButton)));
    window_->Execute(Command::BlockEntry);
    Select("\"C:\\Apps\\Bootmarshal.exe\" /blocklist");
    Click(kIdBlockButton);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"!" + GetText(Text::OwnCheckNotBlockable)}));
    EXPECT_TRUE(BlockListLines().empty());
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, kBlockCheckValueName));
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, "Empty"), "");
}

TEST_F(MainWindowTest, EntryCommandsDoNothingWithoutASelectedLine) {
    Seed(HKEY_CURRENT_USER, "Only", "C:\\only.exe");
    window_->RefreshList();
    // All filters off: no line, no current entry.
    for (int id = kIdFilterFirst; id < kIdFilterFirst + 9; ++id) {
        SendMessageA(window_->Control(id), BM_SETCHECK, BST_UNCHECKED, 0);
        Click(id);
    }
    ASSERT_EQ(window_->Model().LineCount(), 0u);
    for (int id : {kIdDeleteButton, kIdChangeButton, kIdLaunchButton, kIdBlockButton, kIdSwitchButton, kIdMoveButton}) {
        EXPECT_FALSE(IsWindowEnabled(window_->Control(id))) << id;
        Click(id);
    }
    for (Command command : {Command::DeleteEntry, Command::SwitchEntry, Command::BlockEntry, Command::ChangeEntry}) {
        window_->Execute(command);
    }
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(BlockListLines().empty());
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, "Only"), "C:\\only.exe");

    Click(kIdFilterRun);  // the filter box stays unchecked: clicking it programmatically reads its state
    SendMessageA(window_->Control(kIdFilterRun), BM_SETCHECK, BST_CHECKED, 0);
    Click(kIdFilterRun);
    EXPECT_EQ(window_->Model().LineCount(), 1u);
    EXPECT_TRUE(IsWindowEnabled(window_->Control(kIdDeleteButton)));
}

// A binary value in a Run key starts nothing: it says what it is, has no
// reason not to start, and only Delete (after the question) applies to it.
TEST_F(MainWindowTest, AValueThatIsNotTextShowsItsTypeAndCanOnlyBeDeleted) {
    const std::string bytes = "C:\\nothing.exe";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kRun, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const LONG written = RegSetValueExA(key, "Blob", 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                                        static_cast<DWORD>(bytes.size()));
    RegCloseKey(key);
    ASSERT_EQ(written, ERROR_SUCCESS);
    window_->RefreshList();
    ASSERT_EQ(window_->Model().LineCount(), 1u);
    Select("");
    std::string shown = GetText(Text::ValueOfTypeNoProgram);
    shown.replace(shown.find("%s"), 2, "REG_BINARY");
    EXPECT_EQ(window_->ControlText(kIdCommandText), shown);
    EXPECT_EQ(window_->ControlText(kIdReasonText), "");
    for (int id : {kIdChangeButton, kIdLaunchButton, kIdBlockButton, kIdSwitchButton, kIdMoveButton}) {
        EXPECT_FALSE(IsWindowEnabled(window_->Control(id))) << id;
    }
    window_->Execute(Command::SwitchEntry);
    window_->Execute(Command::BlockEntry);
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(BlockListLines().empty());
    ASSERT_TRUE(IsWindowEnabled(window_->Control(kIdDeleteButton)));
    answers_ = {true};
    Click(kIdDeleteButton);
    const std::vector<std::string> messages = Messages();
    ASSERT_FALSE(messages.empty());
    EXPECT_EQ(messages.front(), DeleteQuestion("Blob", "Registry: Aktueller Benutzer (Run)"));
    EXPECT_FALSE(RegValueExists(HKEY_CURRENT_USER, "Blob"));
}

TEST_F(MainWindowTest, RestartAsksWithNoAsTheAnswerThatCounts) {
    int restarts = 0;
    ui::MainWindow::SetRestartForTests([&] { ++restarts; });
    answers_ = {false};
    window_->Execute(Command::RestartWindows);
    EXPECT_EQ(restarts, 0);
    answers_ = {true};
    window_->Execute(Command::RestartWindows);
    EXPECT_EQ(restarts, 1);
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"?" + GetText(Text::RestartQuestion), "?" + GetText(Text::RestartQuestion)}));
}

TEST_F(MainWindowTest, InfoImagesExplainTheirGroupUnderTheGroupsCaption) {
    const struct {
        int image, label;
        std::string explanation;
    } groups[] = {{kIdInfoImageFolders, kIdGroupLabelFolders, GetText(Text::StartupFoldersExplained)},
                  {kIdInfoImageRegistry, kIdGroupLabelRegistry, GetText(Text::RegistryExplained)},
                  {kIdInfoImageWinIni, kIdGroupLabelWinIni, GetText(Text::WinIniExplained)},
                  // The group both kinds of task share explains each.
                  {kIdInfoImageTasks, kIdGroupLabelTasks,
                   GetText(Text::TaskSchedulerExplained) + "\n\n" + GetText(Text::PackagedAppsExplained)}};
    for (const auto& group : groups) {
        Click(group.image);
        const std::vector<PromptRecord> prompts = TakeRecordedPrompts();
        ASSERT_EQ(prompts.size(), 1u);
        EXPECT_EQ(prompts[0].kind, PromptKind::InfoMessage);
        EXPECT_EQ(prompts[0].text, window_->ControlText(group.label));
        EXPECT_EQ(prompts[0].detail, group.explanation);
    }
}

// What the screen shows at a point of a control's client area.
COLORREF ScreenColour(HWND control, POINT point) {
    ClientToScreen(control, &point);
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST_F(MainWindowTest, HighContrastDrawsInTheSystemsColoursAndBackInTheScheme) {
    // Wine cannot switch high contrast on, so the window is told it is on; the
    // window learns of the switch as from Windows, by the setting's message.
    Seed(HKEY_CURRENT_USER, "Shown", "C:\\shown.exe");
    window_->Show();
    mainwindowtest::SelectListLine(*window_, 0);
    HWND main = window_->hwnd();
    RECT heading{}, list{}, button{};
    GetWindowRect(window_->Control(kIdSourcesHeading), &heading);
    MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&heading), 2);
    GetClientRect(window_->Control(kIdEntryList), &list);
    GetClientRect(window_->Control(kIdChangeButton), &button);
    ASSERT_TRUE(IsWindowEnabled(window_->Control(kIdChangeButton)));
    const struct {
        const char* what;
        HWND control;
        POINT point;
        int systemColour;
    } places[] = {
        {"tab strip", main, {2, 2}, COLOR_BTNFACE},
        {"side panel heading", main, {heading.left - 3, (heading.top + heading.bottom) / 2}, COLOR_HIGHLIGHT},
        {"selected line", window_->Control(kIdEntryList), {list.right - 3, 3}, COLOR_HIGHLIGHT},
        {"details button", window_->Control(kIdChangeButton), {button.right / 2, 3}, COLOR_BTNFACE},
    };
    const auto switchTo = [&](int on) {
        ui::ForceHighContrastForTests(on);
        SendMessageW(main, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
        SetForegroundWindow(main);
        // Everything the message made due to be drawn is drawn.
        mainwindowtest::PumpUntil(*window_, [] { return !GetQueueStatus(QS_PAINT); });
    };
    switchTo(1);
    for (const auto& place : places) {
        EXPECT_EQ(ScreenColour(place.control, place.point), GetSysColor(place.systemColour)) << place.what;
    }
    switchTo(-1);
    for (const auto& place : places) {
        EXPECT_NE(ScreenColour(place.control, place.point), GetSysColor(place.systemColour)) << place.what;
    }
    EXPECT_EQ(ScreenColour(main, {2, 2}), RGB(191, 219, 255)) << "the blue scheme's strip again";
}

TEST_F(MainWindowTest, SchemesByNameOnlyAndSectionsFoldAway) {
    EXPECT_STREQ(window_->RibbonBar().Scheme().name, "Blue");
    Click(kIdRibbonSchemeBlack);
    EXPECT_STREQ(window_->RibbonBar().Scheme().name, "Black");
    EXPECT_FALSE(window_->SetColorScheme("Purple"));
    EXPECT_STREQ(window_->RibbonBar().Scheme().name, "Black");
    Click(kIdRibbonSchemeSilver);
    EXPECT_STREQ(window_->RibbonBar().Scheme().name, "Silver");

    window_->Show();
    HWND box = window_->Control(kIdFilterFirst);
    EXPECT_TRUE(IsWindowVisible(box));
    Click(kIdSourcesToggle);
    EXPECT_FALSE(IsWindowVisible(box));
    Click(kIdSourcesToggle);
    EXPECT_TRUE(IsWindowVisible(box));
}

// A key as the message loop would see it, with the modifier keys held, handed
// straight to the window's key handling (the dialogs it opens are modal).
bool TranslateKey(ui::MainWindow& window, HWND target, WORD key, bool control, bool alt) {
    BYTE state[256] = {};
    if (control) state[VK_CONTROL] = state[VK_LCONTROL] = 0x80;
    if (alt) state[VK_MENU] = state[VK_LMENU] = 0x80;
    SetKeyboardState(state);
    MSG message{target, static_cast<UINT>(alt ? WM_SYSKEYDOWN : WM_KEYDOWN), key, alt ? (1 << 29) : 0, 0, {0, 0}};
    const bool taken = window.PreTranslate(message);
    BYTE clear[256] = {};
    SetKeyboardState(clear);
    return taken;
}

// The keyboard alone reaches the window: Tab from the list visits only
// visible, enabled controls, each once, and comes back to the list; Shift+Tab
// walks the same stops the other way.
TEST_F(MainWindowTest, TabWalksEveryReachableControlOnceAndBack) {
    Seed(HKEY_CURRENT_USER, "Walked", "C:\\walked.exe");
    window_->Show();
    window_->RefreshList();
    HWND list = window_->Control(kIdEntryList);
    mainwindowtest::SelectListLine(*window_, 0);
    SetFocus(list);
    auto walk = [&](bool backwards) {
        std::vector<int> stops;
        for (int i = 0; i < 60; ++i) {
            BYTE state[256] = {};
            if (backwards) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
            SetKeyboardState(state);
            MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
            window_->PreTranslate(tab);
            BYTE clear[256] = {};
            SetKeyboardState(clear);
            HWND focus = GetFocus();
            if (focus == list) return stops;
            EXPECT_TRUE(focus && IsWindowVisible(focus) && IsWindowEnabled(focus))
                << "stop " << stops.size() << ": control " << GetDlgCtrlID(focus) << ", visible "
                << IsWindowVisible(focus) << ", enabled " << IsWindowEnabled(focus);
            stops.push_back(GetDlgCtrlID(focus));
        }
        ADD_FAILURE() << "Tab never came back to the list";
        return stops;
    };
    const std::vector<int> forward = walk(false);
    std::vector<int> backward = walk(true);
    std::reverse(backward.begin(), backward.end());
    EXPECT_EQ(backward, forward);
    EXPECT_EQ(std::set<int>(forward.begin(), forward.end()).size(), forward.size()) << "each stop once";
    for (const int id :
         {kIdDeleteButton, kIdChangeButton, kIdLaunchButton, kIdBlockButton, kIdSwitchButton, kIdMoveButton})
        EXPECT_NE(std::find(forward.begin(), forward.end(), id), forward.end()) << "button " << id;
    std::string order;
    for (const int id : forward) order += std::to_string(id) + " ";
    RecordProperty("tab_order", order);
}

TEST_F(MainWindowTest, ShortcutsRunTheirCommands) {
    Seed(HKEY_CURRENT_USER, "Keyed", "C:\\keyed.exe");
    window_->RefreshList();
    HWND list = window_->Control(kIdEntryList);
    answers_ = {false};
    // The dialogs open modally: a close waiting in the queue ends each at once,
    // so they are made before it is posted.
    ui::TheBlockedEntriesDialog().Create();
    ui::TheEntryEditor().Create();
    TXMLCodec codec;
    TXMLParser parser;
    parser.Codec = &codec;
    BackupStore store(parser, DataFolder(kBaseName) + "ShortcutBackup.xml");
    ui::AttachBackupStore(&store);
    EXPECT_TRUE(TranslateKey(*window_, list, 'F', true, false));  // restart, answered no
    PostMessageA(ui::TheBlockedEntriesDialog().hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(TranslateKey(*window_, list, 'H', true, false));  // blocked entries, on the selected entry
    EXPECT_EQ(ui::TheBlockedEntriesDialog().CurrentEntry().name, "Keyed");
    EXPECT_TRUE(TranslateKey(*window_, list, 'V', true, false));  // make a backup
    EXPECT_EQ(store.List().Snapshots.size(), 1u);
    PostMessageA(ui::TheEntryEditor().hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(TranslateKey(*window_, list, VK_RETURN, false, false));  // change the entry
    EXPECT_EQ(ui::TheEntryEditor().ControlText(kIdEditorName), "Keyed");
    ui::AttachBackupStore(nullptr);
    DeleteFileA(store.BackupFile().c_str());
    const std::vector<std::string> prompts = Messages();
    // The question, the timed wait before the backup, the plain wait while it is made, the message.
    EXPECT_EQ(prompts,
              (std::vector<std::string>{"?" + GetText(Text::RestartQuestion), "~" + GetText(Text::MakingBackup),
                                        "~" + GetText(Text::PleaseWait), "!" + GetText(Text::BackupMade)}));

    // F5 reads the locations again.
    Seed(HKEY_CURRENT_USER, "Later", "C:\\later.exe");
    EXPECT_TRUE(TranslateKey(*window_, list, VK_F5, false, false));
    EXPECT_EQ(window_->Model().LineCount(), 2u);

    // Alt+X closes the window.
    EXPECT_TRUE(TranslateKey(*window_, list, 'X', false, true));
    MSG message;
    for (int i = 0; i < 50 && IsWindow(window_->hwnd()); ++i) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(10);
    }
    EXPECT_FALSE(IsWindow(window_->hwnd()));
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// Keys pressed as a user presses them: sent as input to the focused list and
// taken from the queue by the same loop as the program's.
TEST_F(MainWindowTest, KeysPressedOnTheListRunTheirCommands) {
    Seed(HKEY_CURRENT_USER, "Keyed", "C:\\keyed.exe");
    int restarts = 0;
    ui::MainWindow::SetRestartForTests([&] { ++restarts; });
    window_->RefreshList();
    window_->Show();
    HWND list = window_->Control(kIdEntryList);
    mainwindowtest::SelectListLine(*window_, 0);
    // The program's loop, until the condition holds or five seconds passed.
    const auto pumpUntil = [this](const std::function<bool()>& done) {
        const DWORD start = GetTickCount();
        MSG message;
        while (!done()) {
            if (GetTickCount() - start > 5000) return false;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT) continue;
                if (window_->PreTranslate(message)) continue;
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        return true;
    };
    SetForegroundWindow(window_->hwnd());
    SetFocus(list);
    ASSERT_TRUE(pumpUntil([&] { return GetForegroundWindow() == window_->hwnd() && GetFocus() == list; }));

    // Del asks before it deletes (answered no); Ctrl+Del is no shortcut.
    answers_ = {false};
    ASSERT_TRUE(testsupport::PressKey(VK_DELETE));
    EXPECT_TRUE(pumpUntil([&] { return answers_.empty(); }));
    EXPECT_EQ(Messages(), (std::vector<std::string>{DeleteQuestion("Keyed", "Registry: Aktueller Benutzer (Run)")}));
    ASSERT_TRUE(testsupport::PressKey(VK_DELETE, {VK_CONTROL}));
    // Ctrl+F asks whether to restart (answered yes).
    answers_ = {true};
    ASSERT_TRUE(testsupport::PressKey('F', {VK_CONTROL}));
    EXPECT_TRUE(pumpUntil([&] { return restarts == 1; }));
    EXPECT_EQ(Messages(), (std::vector<std::string>{"?" + GetText(Text::RestartQuestion)})) << "Ctrl+Del asked nothing";
    EXPECT_EQ(RegValue(HKEY_CURRENT_USER, "Keyed"), "C:\\keyed.exe");

    // F5 reads the locations again.
    Seed(HKEY_CURRENT_USER, "Later", "C:\\later.exe");
    ASSERT_TRUE(testsupport::PressKey(VK_F5));
    EXPECT_TRUE(pumpUntil([&] { return window_->Model().LineCount() == 2; }));

    // Esc neither ends the program nor asks anything: the F5 pressed after it
    // is still read by the window.
    ASSERT_TRUE(testsupport::PressKey(VK_ESCAPE));
    Seed(HKEY_CURRENT_USER, "AfterEsc", "C:\\afteresc.exe");
    ASSERT_TRUE(testsupport::PressKey(VK_F5));
    EXPECT_TRUE(pumpUntil([&] { return !IsWindow(window_->hwnd()) || window_->Model().LineCount() == 3; }));
    ASSERT_TRUE(IsWindow(window_->hwnd()));
    EXPECT_TRUE(IsWindowVisible(window_->hwnd()));
    EXPECT_EQ(Messages(), std::vector<std::string>{});

    // Alt+X closes the window.
    HWND window = window_->hwnd();
    ASSERT_TRUE(testsupport::PressKey('X', {VK_MENU}));
    EXPECT_TRUE(pumpUntil([&] { return !IsWindow(window); }));
    MSG quit;
    while (PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

// The user's default printer as the printer settings keep it, for one test.
class DefaultPrinter {
public:
    explicit DefaultPrinter(const std::string& device) : old_(ReadRegString(HKEY_CURRENT_USER, kWindows, "Device")) {
        Set(device);
    }
    ~DefaultPrinter() { Set(old_); }

private:
    static void Set(const std::string& device) {
        if (device.empty()) {
            HKEY key = nullptr;
            if (RegOpenKeyExA(HKEY_CURRENT_USER, kWindows, 0, KEY_SET_VALUE, &key) == ERROR_SUCCESS) {
                RegDeleteValueA(key, "Device");
                RegCloseKey(key);
            }
        } else {
            WriteRegString(HKEY_CURRENT_USER, kWindows, "Device", device);
        }
    }
    static constexpr const char* kWindows = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";
    std::string old_;
};

TEST_F(MainWindowTest, PrintWithoutAPrinterOrWithAPrinterErrorSaysSoAndGoesOn) {
    {
        DefaultPrinter none("");
        window_->Execute(Command::Print);
    }
    {
        DefaultPrinter gone("Printer that is gone,winspool,FILE:");
        window_->Execute(Command::Print);
    }
    const std::vector<std::string> messages = Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0], "!" + GetText(Text::NoPrinter));
    EXPECT_EQ(messages[1], "!" + GetText(Text::PrintFailed) + "\nPrinter that is gone");
    EXPECT_TRUE(IsWindow(window_->hwnd()));
}

TEST_F(MainWindowTest, HomepageAndEmailGoToTheShellAsAddresses) {
    // Wine hands web and mailto addresses to the programs these values name.
    const std::string recorder = BM_SOURCE_DIR "/tests/wine/ui/main/record-address.sh";
    const std::string logWindows = "C:\\bm-addresses.log";
    DeleteFileA(logWindows.c_str());
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", recorder));
    ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Mailers", recorder));

    window_->Execute(Command::Homepage);
    window_->Execute(Command::Email);
    Click(kIdTipLink);
    std::string log;
    for (int i = 0; i < 100; ++i) {
        log = ReadFileBytes(logWindows);
        if (std::count(log.begin(), log.end(), '\n') >= 3) break;
        Sleep(100);
    }
    // Each address opens in a process of its own: their order is not fixed.
    std::vector<std::string> addresses;
    for (size_t start = 0, end; (end = log.find('\n', start)) != std::string::npos; start = end + 1) {
        addresses.push_back(log.substr(start, end - start));
    }
    std::sort(addresses.begin(), addresses.end());
    EXPECT_EQ(addresses, (std::vector<std::string>{GetText(Text::HomepageAddress), GetText(Text::HomepageAddress),
                                                   "mailto:" + GetText(Text::SupportMailAddress)}));
}

// As for a user without administrator rights: the machine's keys refuse writes.
bool DenyMachineKeys(HKEY root, const std::string&) { return root == HKEY_LOCAL_MACHINE; }

TEST_F(MainWindowTest, RefusedChangesAreReportedAsSuchAndUndone) {
    Seed(HKEY_LOCAL_MACHINE, "Machine", "C:\\machine.exe");
    window_->RefreshList();
    SetRegistryWriteDenialForTests(DenyMachineKeys);

    Select("C:\\machine.exe");
    answers_ = {true};
    Click(kIdDeleteButton);
    std::vector<std::string> prompts = Messages();
    ASSERT_EQ(prompts.size(), 2u);
    EXPECT_EQ(prompts[1].rfind("!" + GetText(Text::NotDeleted) + "\n" + GetText(Text::ReasonAccessDenied), 0), 0u)
        << prompts[1];
    EXPECT_EQ(prompts[1].find(GetText(Text::Deleted)), std::string::npos);

    // Blocking: the entry cannot be switched off, so its command comes off the list again.
    Select("C:\\machine.exe");
    Click(kIdBlockButton);
    prompts = Messages();
    ASSERT_EQ(prompts.size(), 1u);
    EXPECT_EQ(prompts[0].rfind(
                  "!" + GetText(Text::NotSwitchedOffBlockTakenBack) + "\n" + GetText(Text::ReasonAccessDenied), 0),
              0u)
        << prompts[0];
    EXPECT_FALSE(IsBlocked("C:\\machine.exe"));
    EXPECT_TRUE(BlockListLines().empty());

    // Switching off: refused, said so, the entry as it was.
    Select("C:\\machine.exe");
    Click(kIdSwitchButton);
    prompts = Messages();
    ASSERT_EQ(prompts.size(), 3u) << ::testing::PrintToString(prompts);
    EXPECT_EQ(prompts[2].rfind("!" + GetText(Text::NotChanged), 0), 0u) << prompts[2];
    SetRegistryWriteDenialForTests(nullptr);
    EXPECT_EQ(RegValue(HKEY_LOCAL_MACHINE, "Machine"), "C:\\machine.exe");
    EXPECT_EQ(window_->Model().CurrentEntry().active, 1);
}

// Runs of spaces as one: the PDF's text does not keep the printout's spacing.
std::string OneSpace(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c != ' ' || out.empty() || out.back() != ' ') out += c;
    }
    return out;
}

std::string WindowsPathOfUnix(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

// The text of a PDF (pages separated by form feeds), or empty text.
std::string PdfText(const std::string& unixPdf) {
    // A name of its own: other test programs read "<pdf>.txt" of their printouts.
    const std::string text = unixPdf + ".main-window.txt";
    const std::string command =
        "start.exe /unix " BM_SOURCE_DIR "/tests/wine/ui/print/pdf-to-text.sh \"" + unixPdf + "\" \"" + text + "\"";
    if (testsupport::RunProcess(command, 20000) != 0) return std::string();
    std::string printed;
    for (int i = 0; i < 200 && printed.empty(); ++i) {
        printed = ReadFileBytes(WindowsPathOfUnix(text));
        if (printed.empty()) Sleep(50);
    }
    return printed;
}

// The text of the PDF in the Unix folder that holds the mark, waited for: the
// run's printer is shared by every test program, so other printouts land there too.
std::string WaitForPrintout(const std::string& unixFolder, const std::string& mark) {
    std::set<std::string> seen;
    for (int round = 0; round < 150; ++round) {
        WIN32_FIND_DATAA found{};
        HANDLE search = FindFirstFileA((WindowsPathOfUnix(unixFolder) + "\\*.pdf").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                // The printer names its files after the document, the list's heading.
                if (!seen.insert(found.cFileName).second || !strstr(found.cFileName, "Liste")) continue;
                const std::string text = PdfText(unixFolder + "/" + found.cFileName);
                if (text.find(mark) != std::string::npos) {
                    FindClose(search);
                    return text;
                }
                if (text.empty()) seen.erase(found.cFileName);  // still being written
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        Sleep(200);
    }
    return std::string();
}

TEST_F(MainWindowTest, PrintsTheListedEntriesOnePerRowInListOrderWithWhoMadeThem) {
    const char* output = std::getenv("BM_PRINT_OUTPUT");
    if (!output || !*output) GTEST_SKIP() << "no PDF printer in this test run";
    const std::string mark = "zeta" + std::to_string(GetTickCount()) + ".exe";
    Seed(HKEY_CURRENT_USER, "zeta", "C:\\" + mark + " /q");
    Seed(HKEY_LOCAL_MACHINE, "Alpha", "\"" + testsupport::ProductPath("Bootmarshal.exe") + "\" /x");
    window_->RefreshList();
    window_->Execute(Command::Print);
    EXPECT_TRUE(Messages().empty()) << "printed without a message";

    std::string printed = WaitForPrintout(output, mark);
    ASSERT_FALSE(printed.empty()) << "no printout of this test came";
    printed = OneSpace(printed);
    // Every listed entry's row, in the list's order.
    const Printout printout = window_->ListPrintout();
    ASSERT_EQ(printout.table.rows.size(), window_->Model().LineCount());
    size_t at = 0;
    for (const PrintRow& row : printout.table.rows) {
        // The PDF's text is UTF-8: names are matched up to their first letter beyond ASCII.
        std::string wanted = row.at(0).at(0);
        wanted = wanted.substr(0, std::min<size_t>(20, static_cast<size_t>(std::find_if(wanted.begin(), wanted.end(),
                                                                                        [](char c) { return c < 0; }) -
                                                                           wanted.begin())));
        if (wanted.empty()) continue;
        const size_t found = printed.find(wanted, at);
        ASSERT_NE(found, std::string::npos) << wanted << "\n---\n" << printed;
        at = found;
    }
    EXPECT_LT(printed.find("Alpha"), printed.find("zeta"));
    // Who made each program: the product's own resource, and none for a program that is missing.
    EXPECT_NE(printed.find("Veltmanix"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Versionsinformationen"), std::string::npos) << printed;
    EXPECT_NE(printed.find("Seite 1 von "), std::string::npos) << printed;
}

TEST_F(MainWindowTest, TheDetailsSayWhoMadeTheSelectedProgramOnlyOnceTheWindowIsPainted) {
    const std::string product = "\"" + testsupport::ProductPath("Bootmarshal.exe") + "\" /x";
    Seed(HKEY_CURRENT_USER, "Made", product);
    Seed(HKEY_CURRENT_USER, "Gone", "C:\\bmtest\\gone\\gone.exe");
    window_->RefreshList();
    Select(product);
    EXPECT_EQ(window_->ControlText(kIdMakerText), "") << "read before the window was painted";
    EXPECT_EQ(window_->ControlText(kIdMakerCaption), GetText(Text::MakerCaption));

    // Shown, the window selects its first line, "Gone", whose program is missing.
    window_->Show();
    ASSERT_TRUE(mainwindowtest::PumpUntil(*window_, [&] { return !window_->ControlText(kIdMakerText).empty(); }));
    EXPECT_EQ(window_->Model().CurrentEntry().name, "Gone");
    EXPECT_EQ(window_->ControlText(kIdMakerText), GetText(Text::NoVersionInformation));
    Select(product);
    EXPECT_EQ(window_->ControlText(kIdMakerText),
              "Bootmarshal (Bootmarshal - manages the programs Windows starts at logon), Veltmanix");
}

TEST(Privileges, TheShutdownPrivilegeCanBeEnabledAnUnknownOneCannot) {
    EXPECT_TRUE(EnablePrivilege("SeShutdownPrivilege"));
    EXPECT_FALSE(EnablePrivilege("SeNoSuchPrivilege"));
}

TEST_F(MainWindowTest, TheFirstTipComesWithTheEventLoopWithoutItsLink) {
    window_->Show();
    MSG message;
    for (int i = 0; i < 50 && window_->ControlText(kIdTipText).empty(); ++i) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
        Sleep(10);
    }
    std::string expected = GetText(Text::TipSwitchOffInsteadOfDelete);
    EXPECT_EQ(window_->ControlText(kIdTipText).substr(0, 20), expected.substr(0, 20));
    EXPECT_FALSE(IsWindowVisible(window_->Control(kIdTipLink)));
    EXPECT_EQ(window_->ControlText(kIdTipLink), GetText(Text::ClickHere));
    // Folding the section away and back keeps the link hidden for this tip.
    Click(kIdInformationToggle);
    EXPECT_FALSE(IsWindowVisible(window_->Control(kIdTipText)));
    Click(kIdInformationToggle);
    EXPECT_TRUE(IsWindowVisible(window_->Control(kIdTipText)));
    EXPECT_FALSE(IsWindowVisible(window_->Control(kIdTipLink)));
}

// Names and commands in any script, written as another program writes them
// (the wide registry function), come back from the list and the details
// exactly: read through the wide list-box and window-text functions, so no
// character of them can have been bent to the ANSI code page on the way.
TEST_F(MainWindowTest, EveryScriptIsListedAndShownAsWritten) {
    struct Seeded {
        std::wstring name, command;
    } const seeded[] = {
        {L"\x041F\x0440\x043E\x0432\x0435\x0440\x043A\x0430", L"C:\\\x0422\x0435\x0441\x0442\\run.exe /q"},
        {L"\x0395\x03BB\x03BB\x03B7\x03BD\x03B9\x03BA\x03AC", L"C:\\\x03B1\x03B2\x03B3.exe"},
        {L"\x4E2D\x6587\x7A0B\x5E8F \xD83D\xDE00", L"C:\\\x7A0B\x5E8F\\\xD83D\xDE00.exe"},
    };
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", 0, nullptr, 0,
                              KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    for (const Seeded& value : seeded) {
        const DWORD bytes = static_cast<DWORD>((value.command.size() + 1) * sizeof(wchar_t));
        EXPECT_EQ(RegSetValueExW(key, value.name.c_str(), 0, REG_SZ,
                                 reinterpret_cast<const BYTE*>(value.command.c_str()), bytes),
                  ERROR_SUCCESS);
    }
    RegCloseKey(key);
    window_->RefreshList();

    HWND list = window_->Control(kIdEntryList);
    ASSERT_TRUE(IsWindowUnicode(list));
    std::vector<std::wstring> listed;
    for (LRESULT line = 0; line < SendMessageW(list, LB_GETCOUNT, 0, 0); ++line) {
        std::wstring text(static_cast<size_t>(SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(line), 0)), L'\0');
        SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(line), reinterpret_cast<LPARAM>(text.data()));
        listed.push_back(text);
    }
    for (const Seeded& value : seeded) {
        EXPECT_NE(std::find(listed.begin(), listed.end(), value.name), listed.end())
            << Utf8FromWide(value.name) << " is listed as written";
        const std::string command = Utf8FromWide(value.command);
        Select(command);
        EXPECT_EQ(WindowTextW(window_->Control(kIdNameText)), value.name);
        EXPECT_EQ(WindowTextW(window_->Control(kIdCommandText)), value.command);
    }
    // For a person to look at: every script drawn in the list and the details.
    window_->Show();
    ASSERT_TRUE(mainwindowtest::PumpUntil(*window_, [&] { return IsWindowVisible(window_->hwnd()) != FALSE; }));
    UpdateWindow(window_->hwnd());
    const std::string shot = testsupport::ScreensFolder() + "main-every-script.bmp";
    EXPECT_TRUE(testsupport::SaveWindowImage(window_->hwnd(), shot)) << shot;
}

// The German texts are Windows-1252 on disk; the window shows their umlauts.
TEST_F(MainWindowTest, TheGermanUmlautsShowInTheWindow) {
    const std::wstring legend = WindowTextW(window_->Control(kIdLegend));
    EXPECT_NE(legend.find(L"Standardeintr\x00E4ge"), std::wstring::npos) << Utf8FromWide(legend);
    EXPECT_EQ(legend, WideFromUtf8(GetText(Text::LegendSystemEntries)));
}

// A place stored at a lower DPI (or a smaller size) comes back grown to the
// designed size; grown near the monitor's right or bottom edge it is moved
// back onto the work area rather than reaching past it.
TEST(StoredWindowPlace, GrownToTheDesignedSizeItStaysOnTheMonitor) {
    RECT work{};
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0));
    // Workspace coordinates start at the work area.
    const LONG w = work.right - work.left, h = work.bottom - work.top;
    const SIZE designed{800, 600};
    const struct {
        RECT stored, restored;
    } cases[] = {
        {{w - 500, h - 400, w - 100, h - 100}, {w - 800, h - 600, w, h}},  // grown past the bottom right corner
        {{w - 900, 100, w - 500, 400}, {w - 900, 100, w - 100, 700}},      // grown, still inside
        {{100, h - 300, 1000, h - 20}, {100, h - 600, 1000, h}},           // only past the bottom edge
        {{40, 30, 940, 730}, {40, 30, 940, 730}},                          // large enough: as stored
    };
    for (const auto& c : cases) {
        const std::string stored = ui::PlacementText({c.stored, false});
        SCOPED_TRACE(stored);
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, ui::kProgramKey, ui::kWindowPlacementValue, stored));
        HWND window = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(ui::RestoreWindowPlacement(window, designed));
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        ASSERT_TRUE(GetWindowPlacement(window, &placement));
        const RECT& r = placement.rcNormalPosition;
        EXPECT_EQ(ui::PlacementText({r, false}), ui::PlacementText({c.restored, false}));
        DestroyWindow(window);
    }
    RegDeleteKeyValueA(HKEY_CURRENT_USER, ui::kProgramKey, ui::kWindowPlacementValue);
}

}  // namespace
