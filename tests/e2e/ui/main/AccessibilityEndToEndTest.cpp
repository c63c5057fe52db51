// The real Bootmarshal.exe read as a screen reader reads it: from this
// separate process, through AccessibleObjectFromWindow, every ribbon command
// with its name, role, state and access key, each list line as a list item
// with the entry's state, and each text of the details with its caption.
#include <gtest/gtest.h>
#include <oleacc.h>
#include <windows.h>

#include <string>
#include <vector>

#include "driver/Driver.h"
#include "support/WindowFinder.h"
#include "support/WineTestSupport.h"
#include "system/DataFolder.h"
#include "system/ProductNames.h"
#include "system/RegistryValues.h"
#include "system/Utf8.h"
#include "ui/win/ControlIds.h"
#include "ui/win/WindowClasses.h"

namespace {

using testsupport::Eventually;

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct Com {
    Com() { CoInitialize(nullptr); }
    ~Com() { CoUninitialize(); }
};

// The reader's object for a window's client area; released when it goes.
class Reader {
public:
    explicit Reader(HWND window) {
        if (FAILED(AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                                              reinterpret_cast<void**>(&object_)))) {
            object_ = nullptr;
        }
    }
    ~Reader() {
        if (object_) object_->Release();
    }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;
    bool ok() const { return object_ != nullptr; }

    std::string Name(long child = CHILDID_SELF) const { return Text(&IAccessible::get_accName, child); }
    std::string Value(long child = CHILDID_SELF) const { return Text(&IAccessible::get_accValue, child); }
    std::string Description(long child = CHILDID_SELF) const { return Text(&IAccessible::get_accDescription, child); }
    std::string Shortcut(long child = CHILDID_SELF) const { return Text(&IAccessible::get_accKeyboardShortcut, child); }
    long Role(long child = CHILDID_SELF) const { return Number(&IAccessible::get_accRole, child); }
    long State(long child = CHILDID_SELF) const { return Number(&IAccessible::get_accState, child); }
    std::string DefaultAction(long child = CHILDID_SELF) const {
        return Text(&IAccessible::get_accDefaultAction, child);
    }
    HRESULT DoDefaultAction(long child = CHILDID_SELF) const { return object_->accDoDefaultAction(Child(child)); }
    HRESULT Select(long flags, long child = CHILDID_SELF) const { return object_->accSelect(flags, Child(child)); }
    // The child the reader is told has the focus (or is selected); -1 for none.
    long Focus() const { return Child(&IAccessible::get_accFocus); }
    long Selection() const { return Child(&IAccessible::get_accSelection); }
    long ChildCount() const {
        long count = -1;
        object_->get_accChildCount(&count);
        return count;
    }

private:
    static VARIANT Child(long child) {
        VARIANT id;
        VariantInit(&id);
        id.vt = VT_I4;
        id.lVal = child;
        return id;
    }
    std::string Text(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, BSTR*), long child) const {
        BSTR text = nullptr;
        if ((object_->*get)(Child(child), &text) != S_OK || !text) return "<none>";
        const std::string utf8 = Utf8FromWide(std::wstring(text, SysStringLen(text)));
        SysFreeString(text);
        return utf8;
    }
    long Child(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT*)) const {
        VARIANT value;
        VariantInit(&value);
        if ((object_->*get)(&value) != S_OK || value.vt != VT_I4) return -1;
        return value.lVal;
    }
    long Number(HRESULT (STDMETHODCALLTYPE IAccessible::*get)(VARIANT, VARIANT*), long child) const {
        VARIANT value;
        VariantInit(&value);
        if ((object_->*get)(Child(child), &value) != S_OK || value.vt != VT_I4) return -1;
        return value.lVal;
    }

    IAccessible* object_ = nullptr;
};

// "Alt+N" for the access key a caption marks, as the reader announces it.
std::string AltKeyOf(const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == '&' && caption[i + 1] == '&') {
            ++i;
        } else if (caption[i] == '&') {
            return std::string("Alt+") + static_cast<char>(toupper(static_cast<unsigned char>(caption[i + 1])));
        }
    }
    return "<none>";
}

class Accessibility : public ::testing::Test {
protected:
    void SetUp() override {
        e2e::BeDpiAware();
        for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) RegDeleteTreeA(root, kRun);
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Alpha", "C:\\alpha.exe"));
        ASSERT_TRUE(WriteRegString(HKEY_CURRENT_USER, kRun, "Bravo", "C:\\bravo.exe"));
        testsupport::SeedLanguageChoice(DataFolder(kBaseName));
        program_ = e2e::Program::Start("\"" + testsupport::ProductPath("Bootmarshal.exe") + "\"");
        ASSERT_TRUE(program_.started());
        window_ = e2e::WaitForWindow(WindowClass::Main, 20000, program_.processId());
        ASSERT_NE(window_, nullptr);
        list_ = e2e::FindControl(window_, kIdEntryList);
        ASSERT_NE(list_, nullptr);
    }

    void TearDown() override {
        if (program_.running()) {
            e2e::Close(window_);
            EXPECT_EQ(program_.WaitForExit(), 0);
        }
    }

    Com com_;
    e2e::Program program_;
    HWND window_ = nullptr;
    HWND list_ = nullptr;
};

TEST_F(Accessibility, EveryRibbonCommandHasItsCaptionRoleStateAndKey) {
    constexpr long kButton = ROLE_SYSTEM_PUSHBUTTON, kTab = ROLE_SYSTEM_PAGETAB;
    const struct {
        int id;
        long role;
        long statesSet;
        long statesClear;
    } cases[] = {
        {kIdRibbonQuickNewEntry, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdRibbonTabHome, kTab, STATE_SYSTEM_SELECTED | STATE_SYSTEM_SELECTABLE, STATE_SYSTEM_INVISIBLE},
        {kIdRibbonTabAppearance, kTab, STATE_SYSTEM_SELECTABLE, STATE_SYSTEM_SELECTED},
        {kIdRibbonTabHelp, kTab, STATE_SYSTEM_SELECTABLE, STATE_SYSTEM_SELECTED},
        {kIdRibbonNewEntry, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE},
        {kIdRibbonRefresh, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdRibbonPrint, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdRibbonMakeBackup, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdRibbonManageBackups, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdRibbonBlockedEntries, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdRibbonRestart, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdRibbonHomepage, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdRibbonExit, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        // The pages not shown: their items are there, but out of sight.
        {kIdRibbonSchemeBlue, kButton, STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_CHECKED, 0},
        {kIdRibbonSchemeBlack, kButton, STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_CHECKED},
        {kIdRibbonSchemeSilver, kButton, STATE_SYSTEM_INVISIBLE, STATE_SYSTEM_CHECKED},
        {kIdRibbonAbout, kButton, STATE_SYSTEM_INVISIBLE, 0},
        {kIdRibbonHelp, kButton, STATE_SYSTEM_INVISIBLE, 0},
        {kIdRibbonDocumentation, kButton, STATE_SYSTEM_INVISIBLE, 0},
        {kIdRibbonContactHomepage, kButton, STATE_SYSTEM_INVISIBLE, 0},
        {kIdRibbonEmail, kButton, STATE_SYSTEM_INVISIBLE, 0},
        // The details group's buttons and the side panel's info images.
        {kIdDeleteButton, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdChangeButton, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdLaunchButton, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdBlockButton, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdSwitchButton, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdMoveButton, kButton, STATE_SYSTEM_FOCUSABLE, STATE_SYSTEM_INVISIBLE},
        {kIdInfoImageFolders, kButton, 0, STATE_SYSTEM_INVISIBLE},
        {kIdInfoImageRegistry, kButton, 0, STATE_SYSTEM_INVISIBLE},
        {kIdInfoImageWinIni, kButton, 0, STATE_SYSTEM_INVISIBLE},
        {kIdSourcesToggle, kButton, STATE_SYSTEM_EXPANDED, STATE_SYSTEM_COLLAPSED},
        {kIdFilterRun, ROLE_SYSTEM_CHECKBUTTON, STATE_SYSTEM_CHECKED | STATE_SYSTEM_FOCUSABLE, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        HWND control = e2e::FindControl(window_, c.id);
        ASSERT_NE(control, nullptr);
        Reader reader(control);
        ASSERT_TRUE(reader.ok());
        const std::string caption = e2e::Text(control);
        EXPECT_EQ(reader.Name(), e2e::ShownText(window_, c.id));
        EXPECT_FALSE(reader.Name().empty());
        EXPECT_EQ(reader.Role(), c.role);
        EXPECT_EQ(reader.State() & c.statesSet, c.statesSet) << std::hex << reader.State();
        EXPECT_EQ(reader.State() & c.statesClear, 0) << std::hex << reader.State();
        if (caption.find('&') != std::string::npos) {
            EXPECT_EQ(reader.Shortcut(), AltKeyOf(caption));
        }
    }
    // The quick-access copy reads as the item it copies.
    EXPECT_EQ(Reader(e2e::FindControl(window_, kIdRibbonQuickNewEntry)).Name(),
              e2e::ShownText(window_, kIdRibbonNewEntry));
}

TEST_F(Accessibility, EachListLineIsAnItemWithItsEntrysState) {
    // Bravo switched off, as a user does it.
    ASSERT_TRUE(e2e::SelectListLine(list_, 1));
    ASSERT_TRUE(e2e::Click(window_, kIdSwitchButton));
    ASSERT_TRUE(Eventually(
        [] { return ReadRegString(HKEY_CURRENT_USER, kRun, "Bravo").find("inactive") != std::string::npos; }));

    Reader list(list_);
    ASSERT_TRUE(list.ok());
    EXPECT_EQ(list.Role(), ROLE_SYSTEM_LIST);
    EXPECT_EQ(list.Name(), e2e::ShownText(window_, kIdEntriesGroup));
    const std::vector<std::string> lines = e2e::ListLines(list_);
    ASSERT_EQ(lines.size(), 2u);
    ASSERT_TRUE(Eventually([&] { return list.ChildCount() == 2; }));
    std::vector<std::string> states;
    for (long child = 1; child <= 2; ++child) {
        SCOPED_TRACE(child);
        EXPECT_EQ(list.Name(child), lines[static_cast<size_t>(child - 1)]);
        EXPECT_EQ(list.Role(child), ROLE_SYSTEM_LISTITEM);
        // The state a reader announces is the one the details show for the line.
        ASSERT_TRUE(e2e::SelectListLine(list_, static_cast<int>(child - 1)));
        HWND status = e2e::FindControl(window_, kIdStatusText);
        ASSERT_TRUE(Eventually([&] { return list.Description(child) == e2e::Text(status); }))
            << list.Description(child) << " / " << e2e::Text(status);
        states.push_back(list.Description(child));
        EXPECT_NE(list.State(child) & STATE_SYSTEM_SELECTED, 0);
        EXPECT_EQ(list.State(child == 1 ? 2 : 1) & STATE_SYSTEM_SELECTED, 0);
    }
    EXPECT_NE(states[0], states[1]) << "switched off reads otherwise than active";
}

// The control that has the keyboard focus in the program, by its ID.
int FocusedId(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) || !info.hwndFocus) return 0;
    return GetDlgCtrlID(info.hwndFocus);
}

// A reader's "do it" runs what a click runs, and returns at once even when
// that opens a modal window.
TEST_F(Accessibility, TheDefaultActionRunsWhatAClickRuns) {
    const auto opensTheEditor = [&](Reader& reader, long child, const std::string& name) {
        EXPECT_EQ(reader.DoDefaultAction(child), S_OK);
        HWND editor = e2e::WaitForWindow(WindowClass::EntryEditor, 10000, program_.processId());
        ASSERT_NE(editor, nullptr);
        if (!name.empty()) {
            EXPECT_TRUE(e2e::WaitForText(e2e::FindControl(editor, kIdEditorName), name));
        }
        e2e::Close(editor);
        ASSERT_TRUE(e2e::WaitUntilGone(editor));
    };
    const struct {
        int id;
        const char* action;
    } presses[] = {{kIdRibbonNewEntry,
                    "Dr\xC3\xBC"
                    "cken"},
                   {kIdRibbonQuickNewEntry,
                    "Dr\xC3\xBC"
                    "cken"},
                   {kIdChangeButton,
                    "Dr\xC3\xBC"
                    "cken"}};
    for (const auto& press : presses) {
        SCOPED_TRACE(press.id);
        Reader reader(e2e::FindControl(window_, press.id));
        ASSERT_TRUE(reader.ok());
        EXPECT_EQ(reader.DefaultAction(), press.action);
        opensTheEditor(reader, CHILDID_SELF, press.id == kIdChangeButton ? "Alpha" : "");
    }

    // A check box: its action says what it will do, and does it.
    Reader run(e2e::FindControl(window_, kIdFilterRun));
    ASSERT_TRUE(run.ok());
    for (const bool checked : {true, false}) {
        SCOPED_TRACE(checked);
        EXPECT_EQ(run.DefaultAction(), checked ? "Deaktivieren" : "Aktivieren");
        EXPECT_EQ(run.DoDefaultAction(), S_OK);
        EXPECT_TRUE(Eventually([&] { return e2e::IsChecked(window_, kIdFilterRun) != checked; }));
        EXPECT_TRUE(Eventually([&] { return e2e::ListLines(list_).size() == (checked ? 0u : 2u); }));
    }

    // A line of the list opens as a double click opens it.
    Reader list(list_);
    ASSERT_TRUE(list.ok());
    ASSERT_TRUE(Eventually([&] { return list.ChildCount() == 2; }));
    EXPECT_EQ(list.DefaultAction(2), "Doppelklicken");
    opensTheEditor(list, 2, "Bravo");
    EXPECT_EQ(SendMessageW(list_, LB_GETCURSEL, 0, 0), 1);

    // A tab turns the page; the items of the page it hides take no action.
    Reader appearance(e2e::FindControl(window_, kIdRibbonTabAppearance));
    EXPECT_EQ(appearance.DefaultAction(), "Wechseln") << "in the user's language";
    EXPECT_EQ(appearance.DoDefaultAction(), S_OK);
    EXPECT_TRUE(Eventually([&] { return IsWindowVisible(e2e::FindControl(window_, kIdRibbonSchemeBlack)) != 0; }));
    EXPECT_EQ(Reader(e2e::FindControl(window_, kIdRibbonNewEntry)).DoDefaultAction(), E_FAIL);
    EXPECT_EQ(list.DoDefaultAction(3), E_INVALIDARG) << "there is no third line";
}

// A reader selects a line as a click does: the details follow it, and the
// focus comes with it when asked for; what a list of one selection cannot do
// is refused.
TEST_F(Accessibility, AListLineIsSelectedAndFocusedAsAClickDoes) {
    Reader list(list_);
    ASSERT_TRUE(list.ok());
    ASSERT_TRUE(Eventually([&] { return list.ChildCount() == 2; }));
    HWND command = e2e::FindControl(window_, kIdCommandText);
    ASSERT_TRUE(e2e::WaitForText(command, "C:\\alpha.exe"));

    const struct {
        long flags, child;
    } refused[] = {
        {SELFLAG_ADDSELECTION, 2},
        {SELFLAG_REMOVESELECTION, 1},
        {SELFLAG_TAKEFOCUS | SELFLAG_EXTENDSELECTION, 2},
        {SELFLAG_TAKESELECTION | SELFLAG_ADDSELECTION, 2},
        {0x40, 2},
        {SELFLAG_TAKESELECTION, 3},
    };
    for (const auto& r : refused) {
        EXPECT_EQ(list.Select(r.flags, r.child), E_INVALIDARG) << r.flags << " on " << r.child;
    }
    EXPECT_EQ(SendMessageW(list_, LB_GETCURSEL, 0, 0), 0);

    // The focus to a ribbon item, as Tab would take it there.
    SetForegroundWindow(window_);
    ASSERT_TRUE(Eventually([&] { return GetForegroundWindow() == window_; }));
    EXPECT_EQ(Reader(e2e::FindControl(window_, kIdRibbonNewEntry)).Select(SELFLAG_TAKEFOCUS), S_OK);
    EXPECT_EQ(FocusedId(window_), kIdRibbonNewEntry);
    // Focus alone cannot go to a line that is not the selected one.
    EXPECT_EQ(list.Select(SELFLAG_TAKEFOCUS, 2), S_FALSE);
    EXPECT_EQ(FocusedId(window_), kIdRibbonNewEntry);
    EXPECT_EQ(SendMessageW(list_, LB_GETCURSEL, 0, 0), 0);

    // As a click: selected, the details on it, the focus on the list.
    EXPECT_EQ(list.Select(SELFLAG_TAKESELECTION | SELFLAG_TAKEFOCUS, 2), S_OK);
    EXPECT_EQ(SendMessageW(list_, LB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(e2e::WaitForText(command, "C:\\bravo.exe")) << e2e::Text(command);
    EXPECT_EQ(FocusedId(window_), kIdEntryList);
    EXPECT_EQ(list.Focus(), 2);
    EXPECT_EQ(list.Selection(), 2);
    EXPECT_EQ(list.State(2) & (STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED),
              STATE_SYSTEM_SELECTED | STATE_SYSTEM_FOCUSED);
    EXPECT_EQ(list.State(1) & STATE_SYSTEM_SELECTED, 0);

    // The selection alone moves, the focus stays where it is.
    EXPECT_EQ(Reader(e2e::FindControl(window_, kIdRibbonNewEntry)).Select(SELFLAG_TAKEFOCUS), S_OK);
    EXPECT_EQ(list.Select(SELFLAG_TAKESELECTION, 1), S_OK);
    EXPECT_TRUE(e2e::WaitForText(command, "C:\\alpha.exe")) << e2e::Text(command);
    EXPECT_EQ(FocusedId(window_), kIdRibbonNewEntry);
}

TEST_F(Accessibility, EachDetailIsReadWithItsCaption) {
    ASSERT_TRUE(e2e::SelectListLine(list_, 0));
    ASSERT_TRUE(e2e::WaitForText(e2e::FindControl(window_, kIdCommandText), "C:\\alpha.exe"));
    const auto withoutColon = [](std::string caption) {
        while (!caption.empty() && (caption.back() == ':' || caption.back() == ' ')) caption.pop_back();
        return caption;
    };
    const struct {
        int text, caption;
    } cases[] = {
        {kIdNameText, kIdNameCaption},       {kIdCommandText, kIdCommandCaption}, {kIdStatusText, kIdStatusGroup},
        {kIdLocationText, kIdLocationGroup}, {kIdTipText, kIdInformationHeading},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Reader reader(e2e::FindControl(window_, c.text));
        ASSERT_TRUE(reader.ok());
        EXPECT_EQ(reader.Name(), withoutColon(e2e::ShownText(window_, c.caption)));
        EXPECT_FALSE(reader.Name().empty());
        EXPECT_EQ(reader.Value(), e2e::ControlText(window_, c.text));
        EXPECT_EQ(reader.Role(), ROLE_SYSTEM_STATICTEXT);
    }
    EXPECT_EQ(Reader(e2e::FindControl(window_, kIdCommandText)).Value(), "C:\\alpha.exe");

    // Labels read as the text they show, group boxes as groups named by their caption.
    const struct {
        int id;
        long role;
    } labels[] = {{kIdSourcesHeading, ROLE_SYSTEM_STATICTEXT},     {kIdGroupLabelFolders, ROLE_SYSTEM_STATICTEXT},
                  {kIdGroupLabelRegistry, ROLE_SYSTEM_STATICTEXT}, {kIdLegend, ROLE_SYSTEM_STATICTEXT},
                  {kIdNameCaption, ROLE_SYSTEM_STATICTEXT},        {kIdDetailsGroup, ROLE_SYSTEM_GROUPING},
                  {kIdStatusGroup, ROLE_SYSTEM_GROUPING}};
    for (const auto& label : labels) {
        SCOPED_TRACE(label.id);
        Reader reader(e2e::FindControl(window_, label.id));
        ASSERT_TRUE(reader.ok());
        EXPECT_EQ(reader.Name(), label.role == ROLE_SYSTEM_GROUPING ? e2e::ShownText(window_, label.id)
                                                                    : e2e::ControlText(window_, label.id));
        EXPECT_FALSE(reader.Name().empty());
        EXPECT_EQ(reader.Role(), label.role);
    }
}

}  // namespace
