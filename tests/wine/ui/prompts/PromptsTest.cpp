// The prompt windows as real windows in this process: each modal prompt is
// answered from a thread timer that runs inside its modal loop, the way a
// user's click or key would arrive.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

#include "i18n/TranslationCatalogue.h"
#include "support/WindowFinder.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/ControlIds.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"
#include "ui/win/WindowBase.h"
#include "ui/win/WindowClasses.h"

namespace {

// Runs the action once, as soon as a window of the class is shown and active; the
// check runs from a thread timer, so it also runs inside a modal loop. After
// ten seconds it gives up and closes the window so that a broken prompt fails
// the test instead of hanging it.
class WhenShown {
public:
    WhenShown(const char* className, std::function<void(HWND)> action) {
        className_ = className;
        action_ = std::move(action);
        ran_ = false;
        started_ = GetTickCount();
        timer_ = SetTimer(nullptr, 0, 15, &WhenShown::Tick);
    }
    ~WhenShown() { KillTimer(nullptr, timer_); }
    static bool ran() { return ran_; }

private:
    static VOID CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
        HWND window = testsupport::FindVisibleWindow(className_);
        // Ready once the window is active and a control of it has the focus, as
        // when a user starts to type.
        HWND focus = GetFocus();
        bool shown = window && GetActiveWindow() == window && focus && IsChild(window, focus);
        if (!ran_ && window && !shown && GetTickCount() - started_ > 300) {
            // Without a window manager, a late focus event of an earlier window can
            // leave the new one inactive: a user would click it first.
            SetForegroundWindow(window);
        }
        if (!ran_ && shown) {
            ran_ = true;
            started_ = GetTickCount();
            action_(window);
        } else if (window && GetTickCount() - started_ > 5000) {
            ADD_FAILURE() << className_ << " still open after 5 s; closing it";
            started_ = GetTickCount();
            PostMessageA(window, WM_CLOSE, 0, 0);
        }
    }
    static inline const char* className_ = nullptr;
    static inline std::function<void(HWND)> action_;
    static inline bool ran_ = false;
    static inline DWORD started_ = 0;
    UINT_PTR timer_ = 0;
};

std::string TextOf(HWND window) { return ui::WindowTextOf(window); }

RECT ClientRectOf(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    return rect;
}

// A control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND parent, int id) {
    RECT rect{};
    HWND child = GetDlgItem(parent, id);
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class PromptsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // The English language file as the active catalogue, so captions can be checked.
        PrepareDataFolder("Bootmarshal", false);
        std::string english = testsupport::ReadFileBytes(testsupport::SourcePath("lang/Bootmarshal.t01"));
        ASSERT_FALSE(english.empty());
        ASSERT_TRUE(testsupport::WriteFileBytes(DataFolder("Bootmarshal") + "Bootmarshal.def", english));
        LoadTranslation("Bootmarshal");
        ASSERT_EQ(GetText(Text::Yes), "Yes");
    }

    void SetUp() override {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "PromptsTestOwner";
        RegisterClassA(&wc);
        owner_ = CreateWindowExA(0, "PromptsTestOwner", "owner", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ShowWindow(owner_, SW_SHOW);
        ui::SetDialogOwner(owner_);
    }
    void TearDown() override {
        ui::SetDialogOwner(nullptr);
        DestroyWindow(owner_);
    }

    HWND owner_ = nullptr;
};

TEST_F(PromptsTest, ClosingTheQuestionAnswersThePresetAnswer) {
    for (bool preset : {false, true}) {
        WhenShown close(WindowClass::Question, [](HWND w) { PostMessageA(w, WM_CLOSE, 0, 0); });
        EXPECT_EQ(AskQuestion("Delete the entry?", preset), preset);
        EXPECT_TRUE(WhenShown::ran());
    }
}

TEST_F(PromptsTest, TheButtonsAnswerYesAndNo) {
    struct Case {
        int button;
        bool answer;
    } cases[] = {{kIdQuestionYes, true}, {kIdQuestionNo, false}};
    for (const Case& c : cases) {
        for (bool preset : {false, true}) {
            WhenShown click(WindowClass::Question,
                            [&](HWND w) { PostMessageA(GetDlgItem(w, c.button), BM_CLICK, 0, 0); });
            EXPECT_EQ(AskQuestion("Restart Windows?", preset), c.answer);
        }
    }
}

TEST_F(PromptsTest, EnterAndEscapeDoNotAnswerYes) {
    for (WPARAM key : {VK_RETURN, VK_ESCAPE}) {
        WhenShown press(WindowClass::Question, [key](HWND w) {
            HWND focus = GetFocus();
            EXPECT_EQ(focus, GetDlgItem(w, kIdQuestionNo));
            if (!focus) focus = w;
            PostMessageA(focus, WM_KEYDOWN, key, 1);
            PostMessageA(focus, WM_KEYUP, key, 0xC0000001);
        });
        EXPECT_FALSE(AskQuestion("Delete the entry?")) << key;
        EXPECT_TRUE(WhenShown::ran());
    }
}

TEST_F(PromptsTest, TheQuestionWindowShowsItsTextsAndDisablesTheOwner) {
    std::string question, yes, no, caption;
    bool ownerEnabled = true;
    DWORD textStyle = 0;
    WhenShown look(WindowClass::Question, [&](HWND w) {
        caption = TextOf(w);
        question = TextOf(GetDlgItem(w, kIdQuestionText));
        textStyle = static_cast<DWORD>(GetWindowLongA(GetDlgItem(w, kIdQuestionText), GWL_STYLE));
        yes = TextOf(GetDlgItem(w, kIdQuestionYes));
        no = TextOf(GetDlgItem(w, kIdQuestionNo));
        ownerEnabled = IsWindowEnabled(owner_) != FALSE;
        EXPECT_EQ(GetWindow(w, GW_OWNER), owner_);
        PostMessageA(w, WM_CLOSE, 0, 0);
    });
    AskQuestion("Delete \"Tom & Jerry\"?");
    EXPECT_EQ(caption, GetText(Text::ProgramName));
    EXPECT_EQ(question, "Delete \"Tom & Jerry\"?");
    EXPECT_TRUE(textStyle & SS_NOPREFIX);
    EXPECT_EQ(yes, "Yes");
    EXPECT_EQ(no, "No");
    EXPECT_FALSE(ownerEnabled);
    EXPECT_TRUE(IsWindowEnabled(owner_));
    EXPECT_EQ(testsupport::FindVisibleWindow(WindowClass::Question), nullptr);
}

// A question asked while the message dialog runs (as a dialog's command would)
// belongs to the message dialog, which cannot be used meanwhile.
struct NestedSeen {
    HWND message = nullptr;
    HWND questionOwner = nullptr;
    bool messageEnabled = true;
    bool answer = true;
} g_nested;

VOID CALLBACK AnswerNestedQuestion(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND question = testsupport::FindVisibleWindow(WindowClass::Question);
    if (!question) return;
    KillTimer(nullptr, timer);
    g_nested.questionOwner = GetWindow(question, GW_OWNER);
    g_nested.messageEnabled = IsWindowEnabled(g_nested.message) != FALSE;
    PostMessageA(GetDlgItem(question, kIdQuestionNo), BM_CLICK, 0, 0);
}

TEST_F(PromptsTest, APromptShownFromADialogBelongsToThatDialog) {
    g_nested = NestedSeen{};
    WhenShown inside(WindowClass::Message, [](HWND message) {
        g_nested.message = message;
        SetTimer(nullptr, 0, 15, &AnswerNestedQuestion);
        g_nested.answer = AskQuestion("Really?");
        PostMessageA(GetDlgItem(message, kIdMessageClose), BM_CLICK, 0, 0);
    });
    ShowMessage("outer");
    EXPECT_EQ(g_nested.questionOwner, g_nested.message);
    EXPECT_FALSE(g_nested.messageEnabled);
    EXPECT_FALSE(g_nested.answer);
    EXPECT_TRUE(IsWindowEnabled(g_nested.message));
    EXPECT_TRUE(IsWindowEnabled(owner_));
}

TEST_F(PromptsTest, TheMessageDialogKeepsItsSizeForAShortTextAndGrowsForALongOne) {
    const std::string longText =
        "The entry could not be written to "
        "C:\\users\\someone\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs\\Startup\\"
        "A program with a rather long name & more.lnk\r\nbecause the folder is read-only.\r\n"
        "Third line\r\nFourth line\r\nFifth line";
    struct Seen {
        RECT client, label, button;
        int needed;
        std::string text;
    };
    auto look = [](Seen& seen) {
        return [&seen](HWND w) {
            seen.client = ClientRectOf(w);
            seen.label = ChildRect(w, kIdMessageText);
            seen.button = ChildRect(w, kIdMessageClose);
            HWND label = GetDlgItem(w, kIdMessageText);
            seen.text = TextOf(label);
            // The height the label's own font needs at the label's width.
            HDC dc = GetDC(label);
            HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(label, WM_GETFONT, 0, 0)));
            RECT r{0, 0, seen.label.right - seen.label.left, 0};
            ui::DrawTextOf(dc, seen.text, &r,
                           DT_CALCRECT | DT_CENTER | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX | DT_EDITCONTROL);
            SelectObject(dc, old);
            ReleaseDC(label, dc);
            seen.needed = r.bottom;
            PostMessageA(GetDlgItem(w, kIdMessageClose), BM_CLICK, 0, 0);
        };
    };
    Seen shortSeen{}, longSeen{};
    {
        WhenShown when(WindowClass::Message, look(shortSeen));
        ShowMessage("Saved.");
    }
    {
        WhenShown when(WindowClass::Message, look(longSeen));
        ShowMessage(longText);
    }
    Seen twoLines{};
    {
        WhenShown when(WindowClass::Message, look(twoLines));
        ShowMessage("first line\rsecond line");
    }
    // A CR alone breaks the line too: two lines, each centred, in the designed width.
    int oneLine = shortSeen.label.bottom - shortSeen.label.top;
    EXPECT_GE(twoLines.label.bottom - twoLines.label.top, 2 * oneLine - 2);
    EXPECT_EQ(twoLines.client.right, 307);
    EXPECT_EQ(shortSeen.client.right, 307);
    EXPECT_EQ(shortSeen.client.bottom, 153);
    EXPECT_EQ(longSeen.text, longText);
    EXPECT_GT(longSeen.client.right, 307);
    EXPECT_GT(longSeen.client.bottom, 153);
    // Every line fits: the label is as tall as its text needs, inside the window,
    // and the button lies below it.
    EXPECT_GE(longSeen.label.bottom - longSeen.label.top, longSeen.needed);
    EXPECT_LE(longSeen.label.right, longSeen.client.right);
    EXPECT_GE(longSeen.button.top, longSeen.label.bottom);
    EXPECT_LE(longSeen.button.bottom, longSeen.client.bottom);
}

TEST_F(PromptsTest, TheTimedWaitRunsItsTicksAndClosesItself) {
    struct Case {
        int pace, ticks;
    } cases[] = {{1, 11}, {0, 1}, {-5, 1}, {10, 101}};
    for (const Case& c : cases) {
        DWORD start = GetTickCount();
        RunTimedWait("Making a backup", "second line", c.pace);
        DWORD elapsed = GetTickCount() - start;
        EXPECT_EQ(LastTimedWaitTicks(), c.ticks) << c.pace;
        if (c.pace == 10) {
            EXPECT_GE(elapsed, 900u);
        }
        EXPECT_EQ(testsupport::FindVisibleWindow(WindowClass::Wait), nullptr);
        EXPECT_TRUE(IsWindowEnabled(owner_));
    }
}

TEST_F(PromptsTest, ThePlainWaitShowsTextEightWithoutProgressAndClosesOnEveryPath) {
    // After a timed wait, whose progress bar the plain wait must hide again.
    RunTimedWait(1);
    HWND wait = nullptr;
    try {
        ScopedWait scoped;
        wait = testsupport::FindVisibleWindow(WindowClass::Wait);
        ASSERT_TRUE(wait);
        EXPECT_EQ(TextOf(GetDlgItem(wait, kIdWaitMessage)), GetText(Text::PleaseWait));
        EXPECT_EQ(TextOf(GetDlgItem(wait, kIdWaitSecondLine)), "");
        EXPECT_FALSE(IsWindowVisible(GetDlgItem(wait, kIdWaitProgress)));
        EXPECT_EQ(TextOf(wait), GetText(Text::ProgramName) + " - " + GetText(Text::PleaseWait));
        throw std::runtime_error("the work failed");
    } catch (const std::runtime_error&) {
    }
    EXPECT_FALSE(IsWindowVisible(wait));
    // The wait cannot be closed by the user.
    ShowWait();
    SendMessageA(wait, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindowVisible(wait));
    CloseWait();
    EXPECT_FALSE(IsWindowVisible(wait));
}

TEST_F(PromptsTest, TheInfoMessageShowsTitleAndMemoLines) {
    std::string title, memo, caption;
    WhenShown look(WindowClass::InfoMessage, [&](HWND w) {
        caption = TextOf(w);
        title = TextOf(GetDlgItem(w, kIdInfoMessageTitle));
        memo = TextOf(GetDlgItem(w, kIdInfoMessageText));
        PostMessageA(GetDlgItem(w, kIdInfoMessageClose), BM_CLICK, 0, 0);
    });
    ShowInfoMessage("Registry", "first\nsecond\r\nthird");
    EXPECT_EQ(caption, GetText(Text::InformationTitle));
    EXPECT_EQ(title, "Registry");
    EXPECT_EQ(memo, "first\r\nsecond\r\nthird");
}

TEST_F(PromptsTest, TheSplashShowsTheProgramNameUntilClosed) {
    ShowSplash();
    HWND splash = testsupport::FindVisibleWindow(WindowClass::Splash);
    ASSERT_TRUE(splash);
    EXPECT_EQ(TextOf(GetDlgItem(splash, kIdSplashProgramName)), GetText(Text::ProgramName));
    RECT client = ClientRectOf(splash);
    EXPECT_EQ(client.right, 383);
    EXPECT_EQ(client.bottom, 205);
    CloseSplash();
    EXPECT_FALSE(IsWindow(splash));
}

TEST_F(PromptsTest, AResponderAnswersWithoutWindowsAndRecordsThePrompts) {
    SetPromptResponderForTests([](const PromptRecord& r) { return r.text == "yes please"; });
    EXPECT_TRUE(AskQuestion("yes please"));
    EXPECT_FALSE(AskQuestion("no thanks", true));
    ShowMessage("done");
    RunTimedWait("work", "more", 10);
    { ScopedWait wait; }
    ShowInfoMessage("title", "text");
    std::vector<PromptRecord> seen = TakeRecordedPrompts();
    SetPromptResponderForTests(nullptr);
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[0].kind, PromptKind::Question);
    EXPECT_EQ(seen[2].kind, PromptKind::Message);
    EXPECT_EQ(seen[2].text, "done");
    EXPECT_EQ(seen[3].kind, PromptKind::TimedWait);
    EXPECT_EQ(seen[3].detail, "more");
    EXPECT_EQ(seen[4].kind, PromptKind::Wait);
    EXPECT_EQ(seen[5].kind, PromptKind::InfoMessage);
    EXPECT_EQ(seen[5].detail, "text");
    EXPECT_EQ(testsupport::FindVisibleWindow(WindowClass::Question), nullptr);
}

}  // namespace
