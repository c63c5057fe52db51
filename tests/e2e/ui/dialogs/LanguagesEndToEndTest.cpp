// The interface languages driven from outside: a first start asks for the
// language, "/end" records the choice and ends, the next start comes up in
// that language, and the information window switches every window at once.
// Captions are read through window messages and compared with the shipped
// language files read on this side.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "BootmarshalVersion.h"
#include "driver/Driver.h"
#include "i18n/TranslationCatalogue.h"
#include "support/WindowFinder.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/Files.h"
#include "system/ProductNames.h"
#include "ui/win/ControlIds.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WindowClasses.h"

namespace {

using testsupport::Eventually;

constexpr WPARAM kInfoWindowCommand = 117;  // ui/main/CommandsModel.h, Command::InfoWindow
constexpr int kGerman = 0, kEnglish = 1, kFrench = 2;

std::string ProductFile(int language) { return testsupport::ProductPath("Bootmarshal.t0" + std::to_string(language)); }

// A shipped language file's texts, read on the test's side.
struct Texts {
    explicit Texts(int language) { catalogue.LoadTextFile(ProductFile(language)); }
    std::string operator()(int number) const { return catalogue.Text(number); }
    TranslationCatalogue catalogue;
};

// Picks a line of a drop-down list and tells its window, as a user's choice would.
void Choose(HWND window, int listId, int line) {
    HWND list = e2e::FindControl(window, listId);
    SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(line), 0);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

class LanguagesEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::BeDpiAware();
        PrepareDataFolder(kBaseName, false);
        folder_ = DataFolder(kBaseName);
    }
    void TearDown() override {
        if (program_.running()) {
            if (main_) e2e::Close(main_);
            program_.WaitForExit(10000);
        }
    }

    // A start after the first, in the language given.
    void StartIn(int language) {
        testsupport::WriteFileBytes(folder_ + "Bootmarshal.def", testsupport::ReadFileBytes(ProductFile(language)));
        testsupport::SeedLanguageChoice(folder_);
        Start("");
    }
    void Start(const std::string& arguments) {
        program_ = e2e::Program::Start("\"" + testsupport::ProductPath("Bootmarshal.exe") + "\"" + arguments);
        ASSERT_TRUE(program_.started());
    }
    void WaitForMain() {
        main_ = e2e::WaitForWindow(WindowClass::Main, 20000, program_.processId());
        ASSERT_NE(main_, nullptr);
    }

    // The main window's captions that every language sets, and the ribbon's rule.
    void ExpectMainWindowIn(const Texts& texts, const Texts& ribbonTexts) {
        EXPECT_TRUE(e2e::WaitForText(e2e::FindControl(main_, kIdEntriesGroup), texts(Text::EntriesGroup)));
        EXPECT_EQ(e2e::ControlText(main_, kIdDetailsGroup), texts(Text::DetailsGroup));
        EXPECT_EQ(e2e::ControlText(main_, kIdStatusGroup), texts(Text::StatusGroup));
        EXPECT_EQ(e2e::ControlText(main_, kIdNameCaption), texts(Text::NameCaption));
        // Any language but German: neutral tab names, the commands' own texts.
        EXPECT_EQ(e2e::ShownText(main_, kIdRibbonTabHome), "Bootmarshal");
        EXPECT_EQ(e2e::ShownText(main_, kIdRibbonTabAppearance), texts(Text::TabSkins));
        EXPECT_EQ(e2e::ShownText(main_, kIdRibbonTabHelp), texts(Text::TabHelpAndContact));
        EXPECT_EQ(e2e::ShownText(main_, kIdRibbonNewEntry), ribbonTexts(Text::NewEntry));
        EXPECT_EQ(e2e::ShownText(main_, kIdRibbonBlockedEntries), ribbonTexts(Text::BlockedEntries));
        EXPECT_EQ(e2e::ShownText(main_, kIdRibbonEmail), ribbonTexts(Text::SendMail));
    }

    HWND OpenInfoWindow() {
        PostMessageA(main_, WM_COMMAND, kInfoWindowCommand, 0);
        return e2e::WaitForWindow(WindowClass::Info, 10000, program_.processId());
    }

    std::string folder_;
    e2e::Program program_;
    HWND main_ = nullptr;
};

TEST_F(LanguagesEndToEnd, FirstStartAsksRecordsTheChoiceAndTheNextStartSpeaksIt) {
    DeleteFileA((folder_ + "Bootmarshal.cho").c_str());
    DeleteFileA((folder_ + "Bootmarshal.def").c_str());
    Start(" /end");
    HWND dialog = e2e::WaitForWindow(WindowClass::Language, 20000, program_.processId());
    ASSERT_NE(dialog, nullptr) << "a first start asks for the language";
    EXPECT_EQ(e2e::Text(dialog), "Bootmarshal");
    EXPECT_FALSE(IsWindowEnabled(e2e::FindControl(dialog, kIdLanguageOk))) << "no choice yet";
    EXPECT_EQ(SendMessageA(e2e::FindControl(dialog, kIdLanguageList), CB_GETCOUNT, 0, 0), 3) << "item i is language i";
    EXPECT_EQ(e2e::WaitForWindow(WindowClass::Main, 300, program_.processId()), nullptr) << "the main window waits";
    e2e::Screenshot("language-dialog", dialog);
    Choose(dialog, kIdLanguageList, kEnglish);
    ASSERT_TRUE(Eventually([&] { return IsWindowEnabled(e2e::FindControl(dialog, kIdLanguageOk)) != FALSE; }));
    e2e::Click(dialog, kIdLanguageOk);
    EXPECT_EQ(program_.WaitForExit(20000), 0) << "with /end the choice ends the program";
    EXPECT_EQ(testsupport::ReadFileBytes(folder_ + "Bootmarshal.cho"), BM_VERSION_TEXT) << "no line end";
    EXPECT_EQ(testsupport::ReadFileBytes(folder_ + "Bootmarshal.def"),
              testsupport::ReadFileBytes(ProductFile(kEnglish)));

    Start("");
    WaitForMain();
    EXPECT_EQ(e2e::WaitForWindow(WindowClass::Language, 300, program_.processId()), nullptr) << "asked once only";
    const Texts english(kEnglish);
    ExpectMainWindowIn(english, english);
    e2e::Screenshot("main-window-english", main_);
    HWND info = OpenInfoWindow();
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(e2e::Text(info), english(Text::AboutTitle));
    e2e::Screenshot("info-window-english", info);
    e2e::Click(info, kIdInfoClose);
    e2e::WaitUntilGone(info);
}

TEST_F(LanguagesEndToEnd, WithoutEndTheChoiceStartsTheProgramAgainInTheNewLanguage) {
    DeleteFileA((folder_ + "Bootmarshal.cho").c_str());
    Start("");
    HWND dialog = e2e::WaitForWindow(WindowClass::Language, 20000, program_.processId());
    ASSERT_NE(dialog, nullptr);
    Choose(dialog, kIdLanguageList, kFrench);
    ASSERT_TRUE(Eventually([&] { return IsWindowEnabled(e2e::FindControl(dialog, kIdLanguageOk)) != FALSE; }));
    e2e::Click(dialog, kIdLanguageOk);
    EXPECT_EQ(program_.WaitForExit(20000), 0) << "this instance ends";
    // The new instance, started through the shell, passes the dialog.
    main_ = e2e::WaitForWindow(WindowClass::Main, 20000);
    ASSERT_NE(main_, nullptr) << "a new instance shows its main window";
    const Texts french(kFrench);
    EXPECT_TRUE(e2e::WaitForText(e2e::FindControl(main_, kIdEntriesGroup), french(Text::EntriesGroup)));
    DWORD newInstance = 0;
    GetWindowThreadProcessId(main_, &newInstance);
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, newInstance);
    e2e::Close(main_);
    main_ = nullptr;
    if (process) {
        EXPECT_EQ(WaitForSingleObject(process, 15000), WAIT_OBJECT_0);
        CloseHandle(process);
    }
}

TEST_F(LanguagesEndToEnd, AChoiceThatCannotBeHonouredIsNotRecordedAndTheDialogStays) {
    DeleteFileA((folder_ + "Bootmarshal.cho").c_str());
    Start(" /end");
    HWND dialog = e2e::WaitForWindow(WindowClass::Language, 20000, program_.processId());
    ASSERT_NE(dialog, nullptr);
    const std::string activeBefore = testsupport::ReadFileBytes(folder_ + "Bootmarshal.def");
    // The English file, found first in the data folder, held by another program.
    const std::string held = folder_ + "Bootmarshal.t01";
    ASSERT_TRUE(testsupport::WriteFileBytes(held, testsupport::ReadFileBytes(ProductFile(kEnglish))));
    HANDLE lock = CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Choose(dialog, kIdLanguageList, kEnglish);
    ASSERT_TRUE(Eventually([&] { return IsWindowEnabled(e2e::FindControl(dialog, kIdLanguageOk)) != FALSE; }));
    e2e::Click(dialog, kIdLanguageOk);
    Sleep(1000);
    EXPECT_TRUE(program_.running() && IsWindowVisible(dialog)) << "the dialog stays open";
    EXPECT_FALSE(FileExists(folder_ + "Bootmarshal.cho")) << "nothing recorded";
    EXPECT_EQ(testsupport::ReadFileBytes(folder_ + "Bootmarshal.def"), activeBefore);

    // Once the file can be read, the same choice goes through.
    CloseHandle(lock);
    e2e::Click(dialog, kIdLanguageOk);
    EXPECT_EQ(program_.WaitForExit(20000), 0);
    EXPECT_EQ(testsupport::ReadFileBytes(folder_ + "Bootmarshal.cho"), BM_VERSION_TEXT);
    DeleteFileA(held.c_str());
}

TEST_F(LanguagesEndToEnd, SwitchInTheInformationWindowChangesEveryWindowAtOnce) {
    StartIn(kEnglish);
    WaitForMain();
    HWND info = OpenInfoWindow();
    ASSERT_NE(info, nullptr);

    // Choosing the language in use changes nothing.
    Choose(info, kIdInfoLanguageList, kEnglish);
    const Texts english(kEnglish), french(kFrench), german(kGerman);
    Sleep(300);
    EXPECT_EQ(e2e::Text(info), english(Text::AboutTitle));

    Choose(info, kIdInfoLanguageList, kFrench);
    EXPECT_TRUE(e2e::WaitForText(info, french(Text::AboutTitle))) << "the information window itself";
    ExpectMainWindowIn(french, french);
    EXPECT_EQ(e2e::ShownText(main_, kIdRibbonTabHelp), "Aide et contact") << "translated, not the English tab";
    EXPECT_EQ(SendMessageA(e2e::FindControl(info, kIdInfoLanguageList), CB_GETCURSEL, 0, 0), kFrench);
    EXPECT_EQ(testsupport::ReadFileBytes(folder_ + "Bootmarshal.def"),
              testsupport::ReadFileBytes(ProductFile(kFrench)));
    EXPECT_EQ(testsupport::ReadFileBytes(folder_ + "Bootmarshal.chm"),
              testsupport::ReadFileBytes(testsupport::ProductPath("Bootmarshal.c02")))
        << "help follows the language";
    e2e::Screenshot("info-window-french", info);
    e2e::Screenshot("main-window-french", main_);

    // Back to German: the texts follow, the ribbon keeps the captions it has.
    Choose(info, kIdInfoLanguageList, kGerman);
    EXPECT_TRUE(e2e::WaitForText(info, german(Text::AboutTitle)));
    EXPECT_TRUE(e2e::WaitForText(e2e::FindControl(main_, kIdEntriesGroup), german(Text::EntriesGroup)));
    EXPECT_EQ(e2e::ShownText(main_, kIdRibbonNewEntry), french(Text::NewEntry));
    EXPECT_EQ(e2e::ShownText(main_, kIdRibbonTabHome), "Bootmarshal");
    e2e::Screenshot("info-window-german", info);
    e2e::Click(info, kIdInfoClose);
    e2e::WaitUntilGone(info);
}

TEST_F(LanguagesEndToEnd, GermanStartShowsTheDesignedRibbon) {
    StartIn(kGerman);
    WaitForMain();
    const Texts german(kGerman);
    EXPECT_TRUE(e2e::WaitForText(e2e::FindControl(main_, kIdEntriesGroup), german(Text::EntriesGroup)));
    EXPECT_EQ(e2e::ShownText(main_, kIdRibbonTabHome), german(Text::DesignedTabHome));
    EXPECT_EQ(e2e::ShownText(main_, kIdRibbonNewEntry), german(Text::DesignedNewEntry));
    EXPECT_FALSE(german(Text::DesignedNewEntry).empty());
    e2e::Screenshot("main-window-german", main_);
}

}  // namespace

// A language file with texts cut out, or emptied, used to bring up windows
// without captions and questions with unlabeled buttons. The missing texts now
// come from the shipped file of the same language (or language 0 when the
// language cannot be told), and the user hears of the damage once per file.
TEST_F(LanguagesEndToEnd, ADamagedLanguageFileIsFilledFromTheShippedFilesAndReportedOnce) {
    auto withoutSection = [](std::string bytes, int number) {
        const std::string header = "[" + std::to_string(number) + "]\r\n";
        const size_t at = bytes.find(header);
        const size_t next = bytes.find("\r\n[", at + header.size());
        return bytes.erase(at, next + 2 - at);
    };
    const auto cut = [&](int language) {
        const std::string whole = testsupport::ReadFileBytes(ProductFile(language));
        return withoutSection(withoutSection(whole, Text::EntriesGroup), Text::StatusGroup);
    };
    struct Case {
        const char* what;
        std::string bytes;
        int fillingLanguage;
        const char* picture;
    } cases[] = {
        {"English without texts 120 and 126", cut(kEnglish), kEnglish, "damaged-language-file-english"},
        {"French without texts 120 and 126", cut(kFrench), kFrench, "damaged-language-file-french"},
        {"an empty file", "", kGerman, "damaged-language-file-empty"},
    };
    const std::string active = folder_ + "Bootmarshal.def";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testsupport::WriteFileBytes(active, c.bytes);
        testsupport::SeedLanguageChoice(folder_);
        for (const bool firstStart : {true, false}) {
            Start("");
            WaitForMain();
            HWND message = e2e::WaitForWindow(WindowClass::Message, firstStart ? 20000 : 1500, program_.processId());
            if (firstStart) {
                ASSERT_NE(message, nullptr) << "the damage is reported";
                EXPECT_NE(e2e::ControlText(message, kIdMessageText).find(active), std::string::npos);
                e2e::Screenshot(c.picture, message);
                // Closed from the keyboard, as a user would: its one button has the focus.
                SetForegroundWindow(message);
                ASSERT_TRUE(Eventually([&] { return GetForegroundWindow() == message; }));
                ASSERT_TRUE(testsupport::PressKey(VK_RETURN));
                ASSERT_TRUE(e2e::WaitUntilGone(message));
            } else {
                EXPECT_EQ(message, nullptr) << "once per damaged file";
            }
            const Texts filling(c.fillingLanguage);
            EXPECT_TRUE(e2e::WaitForText(e2e::FindControl(main_, kIdEntriesGroup), filling(Text::EntriesGroup)));
            EXPECT_EQ(e2e::ControlText(main_, kIdStatusGroup), filling(Text::StatusGroup));
            e2e::Close(main_);
            ASSERT_EQ(program_.WaitForExit(20000), 0);
            main_ = nullptr;
        }
        EXPECT_EQ(testsupport::ReadFileBytes(active), c.bytes) << "the damaged file itself is left as it is";
    }
}
