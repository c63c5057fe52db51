// The end-to-end driver on the prompt windows: a separate program shows each
// prompt, the driver finds it by class, reads its controls, answers it through
// messages and keeps a screenshot. Built twice: at 96 and at 144 DPI.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "driver/Driver.h"
#include "ui/win/WindowClasses.h"

#define BM_CONCAT_(a, b) a##b
#define BM_CONCAT(a, b) BM_CONCAT_(a, b)
#define BM_SUITE BM_CONCAT(PromptsEndToEndAtDpi, BM_E2E_DPI)

namespace {

constexpr int kDpi = BM_E2E_DPI;
const std::string kSuffix = "-" + std::to_string(kDpi) + "dpi";

// IDs from ui/win/ControlIds.h, spelled out: the driver knows the program only from outside.
constexpr int kQuestionText = 2010, kQuestionYes = 2011, kQuestionNo = 2012;
constexpr int kMessageText = 2000, kMessageClose = 2001;
constexpr int kWaitMessage = 2022, kWaitProgress = 2024;
constexpr int kInfoTitle = 2030, kInfoText = 2032, kInfoClose = 2033;
constexpr int kSplashName = 2040;

std::string GalleryPath() {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of('\\') + 1) + "prompt_gallery.exe";
}

// One argument as the C runtime splits command lines: quoted, with inner quotes
// and the backslashes before them escaped.
std::string Quote(const std::string& argument) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
        } else {
            if (c == '"') quoted.append(backslashes + 1, '\\');
            backslashes = 0;
        }
        quoted += c;
    }
    quoted.append(backslashes, '\\');
    return quoted + "\"";
}

e2e::Program StartGallery(const std::string& arguments) {
    return e2e::Program::Start("\"" + GalleryPath() + "\" " + arguments);
}

int ClientWidth(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect.right;
}

class BM_SUITE : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        e2e::BeDpiAware();
        // The screen's DPI as a user sets it; programs started later read it.
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        DWORD dpi = kDpi;
        RegSetValueExA(key, "LogPixels", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dpi), sizeof dpi);
        RegCloseKey(key);
    }
};

TEST_F(BM_SUITE, AQuestionIsAnsweredYesByItsButtonAndShowsItsTextLiterally) {
    const std::string question = "Delete \"Tom & Jerry\" from the Run key?";
    e2e::Program gallery = StartGallery("question " + Quote(question));
    HWND window = e2e::WaitForWindow(WindowClass::Question, 10000, gallery.processId());
    ASSERT_TRUE(window);
    EXPECT_EQ(e2e::Text(window), "Bootmarshal");
    EXPECT_EQ(e2e::ControlText(window, kQuestionText), question);
    EXPECT_EQ(e2e::ControlText(window, kQuestionYes), "Yes");
    EXPECT_EQ(e2e::ControlText(window, kQuestionNo), "No");
    EXPECT_TRUE(e2e::Screenshot("question" + kSuffix, window));
    EXPECT_TRUE(e2e::AnswerQuestion(true));
    EXPECT_EQ(gallery.WaitForExit(), 1);
}

TEST_F(BM_SUITE, AClosedQuestionAnswersNo) {
    e2e::Program gallery = StartGallery("question \"Restart Windows now?\"");
    HWND window = e2e::WaitForWindow(WindowClass::Question, 10000, gallery.processId());
    ASSERT_TRUE(window);
    e2e::Close(window);
    EXPECT_EQ(gallery.WaitForExit(), 0);
}

TEST_F(BM_SUITE, ALongMessageGetsAWiderAndTallerWindow) {
    const std::string text =
        "The entry could not be written: the value name \"C:\\Program Files (x86)\\Some Vendor\\Updater\\"
        "update-checker.exe /silent /background\" is too long for this location.\r\nNothing was changed.";
    e2e::Program gallery = StartGallery("message " + Quote(text));
    HWND window = e2e::WaitForWindow(WindowClass::Message, 10000, gallery.processId());
    ASSERT_TRUE(window);
    EXPECT_EQ(e2e::ControlText(window, kMessageText), text);
    EXPECT_GT(ClientWidth(window), MulDiv(307, kDpi, 96));
    EXPECT_TRUE(e2e::Screenshot("message-long" + kSuffix, window));
    EXPECT_TRUE(e2e::Click(window, kMessageClose));
    EXPECT_EQ(gallery.WaitForExit(), 0);
}

TEST_F(BM_SUITE, AShortMessageKeepsItsDesignedSize) {
    e2e::Program gallery = StartGallery("message \"The backup was saved.\"");
    HWND window = e2e::WaitForWindow(WindowClass::Message, 10000, gallery.processId());
    ASSERT_TRUE(window);
    EXPECT_EQ(ClientWidth(window), MulDiv(307, kDpi, 96));
    EXPECT_TRUE(e2e::Screenshot("message" + kSuffix, window));
    EXPECT_TRUE(e2e::Click(window, kMessageClose));
    EXPECT_EQ(gallery.WaitForExit(), 0);
}

TEST_F(BM_SUITE, TheInformationMessageShowsTitleAndLines) {
    e2e::Program gallery = StartGallery(
        "info \"Registry\" \"Entries of the Run keys start at every logon.\nRunOnce entries start once.\"");
    HWND window = e2e::WaitForWindow(WindowClass::InfoMessage, 10000, gallery.processId());
    ASSERT_TRUE(window);
    EXPECT_EQ(e2e::ControlText(window, kInfoTitle), "Registry");
    EXPECT_EQ(e2e::ControlText(window, kInfoText),
              "Entries of the Run keys start at every logon.\r\nRunOnce entries start once.");
    EXPECT_TRUE(e2e::Screenshot("info-message" + kSuffix, window));
    EXPECT_TRUE(e2e::Click(window, kInfoClose));
    EXPECT_EQ(gallery.WaitForExit(), 0);
}

TEST_F(BM_SUITE, TheTimedWaitShowsProgressAndEndsByItself) {
    e2e::Program gallery = StartGallery("timedwait 20");
    HWND window = e2e::WaitForWindow(WindowClass::Wait, 10000, gallery.processId());
    ASSERT_TRUE(window);
    EXPECT_TRUE(IsWindowVisible(e2e::FindControl(window, kWaitProgress)));
    Sleep(700);
    EXPECT_TRUE(e2e::Screenshot("timed-wait" + kSuffix, window));
    EXPECT_EQ(gallery.WaitForExit(), 0);
}

TEST_F(BM_SUITE, ThePlainWaitShowsWithoutProgress) {
    e2e::Program gallery = StartGallery("wait 2500");
    HWND window = e2e::WaitForWindow(WindowClass::Wait, 10000, gallery.processId());
    ASSERT_TRUE(window);
    EXPECT_FALSE(IsWindowVisible(e2e::FindControl(window, kWaitProgress)));
    EXPECT_FALSE(e2e::ControlText(window, kWaitMessage).empty());
    Sleep(300);
    EXPECT_TRUE(e2e::Screenshot("wait" + kSuffix, window));
    EXPECT_EQ(gallery.WaitForExit(), 0);
}

TEST_F(BM_SUITE, TheSplashShowsTheProgramName) {
    e2e::Program gallery = StartGallery("splash 2500");
    HWND window = e2e::WaitForWindow(WindowClass::Splash, 10000, gallery.processId());
    ASSERT_TRUE(window);
    EXPECT_EQ(e2e::ControlText(window, kSplashName), "Bootmarshal");
    EXPECT_TRUE(e2e::Screenshot("splash" + kSuffix, window));
    EXPECT_EQ(gallery.WaitForExit(), 0);
}

TEST_F(BM_SUITE, ListsEditFieldsAndCheckBoxesAreDrivenThroughMessages) {
    e2e::Program gallery = StartGallery("list");
    HWND window = e2e::WaitForWindow("BmListProbe", 10000, gallery.processId());
    ASSERT_TRUE(window);
    HWND list = e2e::FindControl(window, 100);
    EXPECT_EQ(e2e::ListLines(list), (std::vector<std::string>{"Alpha", "M\xC3\xBCller & S\xC3\xB6hne", "Zeta"}));
    EXPECT_TRUE(e2e::SelectListLine(list, 1));
    EXPECT_TRUE(e2e::WaitForText(window, "selected: M\xC3\xBCller & S\xC3\xB6hne")) << e2e::Text(window);
    EXPECT_FALSE(e2e::SelectListLine(list, 7));
    // Cyrillic and a character beyond 16 bits, into the field and back through its window text.
    const std::string typed = "C:\\\xD0\xA2\xD0\xB5\xD1\x81\xD1\x82 & \xF0\x9F\x98\x80.exe";
    EXPECT_TRUE(e2e::SetControlText(window, 101, typed));
    EXPECT_TRUE(e2e::WaitForText(window, "typed: " + typed)) << e2e::Text(window);
    EXPECT_FALSE(e2e::IsChecked(window, 102));
    EXPECT_TRUE(e2e::Click(window, 102));
    DWORD start = GetTickCount();
    while (!e2e::IsChecked(window, 102) && GetTickCount() - start < 5000) Sleep(20);
    EXPECT_TRUE(e2e::IsChecked(window, 102));
    e2e::Close(window);
    EXPECT_EQ(gallery.WaitForExit(), 0);
}

}  // namespace
