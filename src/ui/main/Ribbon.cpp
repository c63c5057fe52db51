#include "ui/main/Ribbon.h"

#include <algorithm>

#include "i18n/TranslationCatalogue.h"
#include "ui/win/ControlIds.h"
#include "ui/win/Mnemonics.h"
#include "ui/win/TextNumbers.h"
#include "ui/win/WideText.h"

namespace ui {

namespace {

const RibbonScheme kSchemes[] = {
    {"Blue", RGB(191, 219, 255), RGB(21, 66, 139), RGB(223, 236, 252), RGB(199, 218, 243), RGB(141, 178, 227),
     RGB(21, 66, 139), RGB(255, 214, 120), RGB(191, 219, 255)},
    {"Black", RGB(54, 54, 58), RGB(240, 240, 240), RGB(236, 236, 236), RGB(200, 200, 204), RGB(90, 90, 94),
     RGB(40, 40, 44), RGB(255, 200, 100), RGB(70, 70, 74)},
    {"Silver", RGB(208, 212, 221), RGB(76, 83, 92), RGB(246, 247, 249), RGB(221, 225, 232), RGB(160, 167, 180),
     RGB(76, 83, 92), RGB(255, 220, 140), RGB(221, 225, 232)},
};

constexpr int kStripHeight = 24;
constexpr int kTabWidth = 80;
constexpr int kItemTop = kStripHeight + 4;
constexpr int kItemHeight = 70;
constexpr int kGroupCaptionTop = kItemTop + kItemHeight + 1;
constexpr int kGroupPadding = 4;
constexpr int kGroupGap = 3;

// The width of a caption on one line as drawn, its access key's "&" taken out.
int CaptionWidth(HDC dc, const std::string& caption) {
    RECT box{0, 0, 0, 0};
    DrawTextOf(dc, caption, &box, DT_CALCRECT | DT_SINGLELINE);
    return box.right - box.left;
}

}  // namespace

const RibbonScheme* FindScheme(const std::string& name) {
    for (const RibbonScheme& scheme : kSchemes) {
        if (name == scheme.name) return &scheme;
    }
    return nullptr;
}

void Ribbon::Create(HWND parent, int dpi) {
    parent_ = parent;
    scheme_ = &kSchemes[0];
    // Designed captions: the German language file's texts 400 to 422 (texts of
    // their own, so the German words of the commands may differ from these);
    // the colour schemes are named alike in every language.
    tabs_ = {
        {kIdRibbonTabHome,
         Text::DesignedTabHome,
         Text::ProgramName,
         {{Text::DesignedGroupMain,
           "",
           {{kIdRibbonNewEntry, Command::NewEntry, Picture::NewEntry, Text::DesignedNewEntry, Text::NewEntry},
            {kIdRibbonRefresh, Command::Refresh, Picture::Refresh, Text::DesignedRefresh, Text::RefreshList},
            {kIdRibbonPrint, Command::Print, Picture::Print, Text::DesignedPrint, Text::PrintList}}},
          {Text::DesignedGroupBackups,
           " ",
           {{kIdRibbonMakeBackup, Command::MakeBackup, Picture::MakeBackup, Text::DesignedMakeBackup, Text::MakeBackup},
            {kIdRibbonManageBackups, Command::ManageBackups, Picture::ManageBackups, Text::DesignedManageBackups,
             Text::ManageBackups}}},
          {Text::DesignedGroupBlocks,
           "  ",
           {{kIdRibbonBlockedEntries, Command::BlockedEntries, Picture::BlockedEntries, Text::DesignedBlockEntries,
             Text::BlockedEntries}}},
          {Text::DesignedGroupOther,
           "   ",
           {{kIdRibbonRestart, Command::RestartWindows, Picture::Restart, Text::DesignedRestart, Text::RestartWindows},
            {kIdRibbonHomepage, Command::Homepage, Picture::Homepage, Text::DesignedHomepage, Text::Homepage},
            {kIdRibbonExit, Command::Exit, Picture::Exit, Text::DesignedExit, Text::CloseProgram}}}}},
        {kIdRibbonTabAppearance,
         Text::DesignedTabSettings,
         Text::TabSkins,
         {{Text::DesignedGroupColours,
           "    ",
           {{kIdRibbonSchemeBlue, Command::SchemeBlue, Picture::SchemeBlue, Text::SchemeBlue, Text::SchemeBlue},
            {kIdRibbonSchemeBlack, Command::SchemeBlack, Picture::SchemeBlack, Text::SchemeBlack, Text::SchemeBlack},
            {kIdRibbonSchemeSilver, Command::SchemeSilver, Picture::SchemeSilver, Text::SchemeSilver,
             Text::SchemeSilver}}}}},
        {kIdRibbonTabHelp,
         Text::DesignedTabHelp,
         Text::TabHelpAndContact,
         {{Text::DesignedGroupInformation,
           "     ",
           {{kIdRibbonAbout, Command::InfoWindow, Picture::About, Text::DesignedAbout, Text::AboutProgram},
            {kIdRibbonHelp, Command::Help, Picture::Help, Text::DesignedHelp, Text::Help},
            {kIdRibbonDocumentation, Command::Documentation, Picture::Documentation, Text::DesignedDocumentation,
             Text::Documentation}}},
          {Text::DesignedGroupContact,
           "      ",
           {{kIdRibbonContactHomepage, Command::Homepage, Picture::Homepage, Text::DesignedHomepage, Text::Homepage},
            {kIdRibbonEmail, Command::Email, Picture::Email, Text::DesignedMail, Text::SendMail}}}}},
    };
    for (Tab& tab : tabs_) {
        for (Group& group : tab.groups) group.caption = GetText(group.designedText);
    }
    // The keyboard walks the ribbon as a dialog's controls: the tab strip is
    // one Tab stop (the chosen tab) whose arrows move between the tabs, and each
    // group of the shown tab is one Tab stop whose arrows move between its
    // items. So the tabs come first, each group begins a dialog group, and
    // BS_NOTIFY tells the window when the arrows bring a tab the focus.
    const auto add = [&](DWORD style, int id) {
        CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | BS_OWNERDRAW | BS_NOTIFY | style, 0, 0, 10, 10, parent,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    };
    for (const Tab& tab : tabs_) add(WS_VISIBLE | (&tab == &tabs_[0] ? WS_GROUP : 0), tab.id);
    for (const Tab& tab : tabs_) {
        for (const Group& group : tab.groups) {
            for (const Item& item : group.items) add(&item == &group.items[0] ? WS_GROUP | WS_TABSTOP : 0, item.id);
        }
    }
    SetCaptions(true);
    SetDpi(dpi);
    SelectTab(kIdRibbonTabHome);
}

void Ribbon::SetDpi(int dpi) {
    dpi_ = dpi;
    font_ = gdi::CreateScaledFont({L"Segoe UI", 12}, dpi_);
    tabFont_ = gdi::CreateScaledFont({L"Segoe UI", 13}, dpi_);
    Layout();
}

void Ribbon::Layout() {
    if (!parent_) return;
    gdi::WindowDC dc(parent_);
    gdi::Select select(dc.get(), font_.get());
    int tabLeft = 6;
    for (size_t t = 0; t < tabs_.size(); ++t) {
        Tab& tab = tabs_[t];
        HWND tabButton = GetDlgItem(parent_, tab.id);
        int tabWidth = kTabWidth;
        {
            gdi::Select tabFont(dc.get(), tabFont_.get());
            tabWidth = std::max(kTabWidth, MulDiv(CaptionWidth(dc.get(), WindowTextOf(tabButton)), 96, dpi_) + 24);
        }
        MoveWindow(tabButton, Px(tabLeft), Px(3), Px(tabWidth), Px(kStripHeight - 3), TRUE);
        tabLeft += tabWidth + 2;
        int x = 4;
        for (Group& group : tab.groups) {
            group.left = x;
            int inner = x + kGroupPadding;
            for (const Item& item : group.items) {
                HWND button = GetDlgItem(parent_, item.id);
                const std::string caption = WindowTextOf(button);
                // As wide as the caption on one line, or as narrow as two lines allow.
                int width96 = MulDiv(CaptionWidth(dc.get(), caption), 96, dpi_) + 12;
                if (width96 > 84) {
                    TEXTMETRICW metrics{};
                    GetTextMetricsW(dc.get(), &metrics);
                    for (int candidate = 56; candidate < width96; candidate += 4) {
                        RECT box{0, 0, Px(candidate - 8), 0};
                        DrawTextOf(dc.get(), caption, &box, DT_CALCRECT | DT_WORDBREAK);
                        if (box.bottom <= 2 * metrics.tmHeight && box.right <= Px(candidate - 8)) {
                            width96 = candidate;
                            break;
                        }
                    }
                }
                width96 = std::max(width96, 48);
                MoveWindow(button, Px(inner), Px(kItemTop), Px(width96), Px(kItemHeight), TRUE);
                inner += width96 + 2;
            }
            SIZE caption{};
            const std::string& groupCaption = group.caption;
            caption = TextExtentOf(dc.get(), groupCaption);
            group.width = std::max(inner + kGroupPadding - x, MulDiv(caption.cx, 96, dpi_) + 16);
            x += group.width + kGroupGap;
        }
    }
}

const Command* Ribbon::CommandOf(int controlId) const {
    const Item* item = FindItem(controlId);
    return item ? &item->command : nullptr;
}

bool Ribbon::IsTab(int controlId) const {
    return std::any_of(tabs_.begin(), tabs_.end(), [&](const Tab& tab) { return tab.id == controlId; });
}

bool Ribbon::Owns(int controlId) const { return IsTab(controlId) || FindItem(controlId) != nullptr; }

std::vector<int> Ribbon::ControlIds() const {
    std::vector<int> ids;
    for (const Tab& tab : tabs_) {
        ids.push_back(tab.id);
        for (const Group& group : tab.groups) {
            for (const Item& item : group.items) ids.push_back(item.id);
        }
    }
    return ids;
}

int Ribbon::NextTab(bool forward) const {
    const size_t count = tabs_.size();
    return tabs_[(selectedTab_ + (forward ? 1 : count - 1)) % count].id;
}

const Ribbon::Item* Ribbon::FindItem(int id) const {
    for (const Tab& tab : tabs_) {
        for (const Group& group : tab.groups) {
            for (const Item& item : group.items) {
                if (item.id == id) return &item;
            }
        }
    }
    return nullptr;
}

void Ribbon::SelectTab(int controlId) {
    for (size_t t = 0; t < tabs_.size(); ++t) {
        if (tabs_[t].id == controlId) selectedTab_ = t;
    }
    // Only the chosen tab is a Tab stop, as in a tab control.
    for (size_t t = 0; t < tabs_.size(); ++t) {
        HWND tab = GetDlgItem(parent_, tabs_[t].id);
        const LONG_PTR style = GetWindowLongPtrW(tab, GWL_STYLE);
        SetWindowLongPtrW(tab, GWL_STYLE,
                          t == selectedTab_ ? style | WS_TABSTOP : style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    }
    for (size_t t = 0; t < tabs_.size(); ++t) {
        for (const Group& group : tabs_[t].groups) {
            for (const Item& item : group.items) {
                ShowWindow(GetDlgItem(parent_, item.id), t == selectedTab_ ? SW_SHOWNA : SW_HIDE);
            }
        }
        InvalidateRect(GetDlgItem(parent_, tabs_[t].id), nullptr, FALSE);
    }
    RECT area{0, 0, 10000, Px(kHeight96)};
    InvalidateRect(parent_, &area, TRUE);
}

bool Ribbon::SetScheme(const std::string& name) {
    const RibbonScheme* scheme = FindScheme(name);
    if (!scheme) return false;
    scheme_ = scheme;
    if (parent_) {
        // Everything of the ribbon and the status bar takes the new colours.
        InvalidateRect(parent_, nullptr, TRUE);
        for (const Tab& tab : tabs_) {
            InvalidateRect(GetDlgItem(parent_, tab.id), nullptr, FALSE);
            for (const Group& group : tab.groups) {
                for (const Item& item : group.items) InvalidateRect(GetDlgItem(parent_, item.id), nullptr, FALSE);
            }
        }
    }
    return true;
}

void Ribbon::SetCaptions(bool designed) {
    // Alt plus a key reaches every tab, and every item of the shown page: the
    // tabs take their keys first, each page the keys left over.
    MnemonicSet tabKeys;
    for (const Tab& tab : tabs_) {
        const std::string caption = GetText(designed ? tab.designedText : tab.otherText);
        SetWindowTextOf(GetDlgItem(parent_, tab.id), tabKeys.Mark(caption));
    }
    for (const Tab& tab : tabs_) {
        MnemonicSet pageKeys = tabKeys;
        for (const Group& group : tab.groups) {
            for (const Item& item : group.items) {
                const std::string caption = GetText(designed ? item.designedText : item.captionText);
                SetWindowTextOf(GetDlgItem(parent_, item.id), pageKeys.Mark(caption));
            }
        }
    }
}

void Ribbon::ApplyTexts(bool german) {
    // German keeps the captions the ribbon has, also after another language.
    if (german) return;
    SetCaptions(false);
    for (Tab& tab : tabs_) {
        for (Group& group : tab.groups) group.caption = group.blank;
    }
    Layout();
    InvalidateRect(parent_, nullptr, TRUE);
}

void Ribbon::Paint(HDC dc, int clientWidth) const {
    RECT strip{0, 0, clientWidth, Px(kStripHeight)};
    gdi::Brush stripBrush(CreateSolidBrush(scheme_->strip));
    FillRect(dc, &strip, stripBrush.get());
    RECT panel{0, Px(kStripHeight), clientWidth, Px(kHeight96)};
    gdi::FillGradient(dc, panel, scheme_->panelTop, scheme_->panelBottom, true);
    gdi::Brush border(CreateSolidBrush(scheme_->border));
    RECT bottomLine{0, Px(kHeight96) - 1, clientWidth, Px(kHeight96)};
    FillRect(dc, &bottomLine, border.get());

    gdi::Select selectFont(dc, font_.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, scheme_->groupText);
    for (const Group& group : tabs_[selectedTab_].groups) {
        RECT frame{Px(group.left), Px(kStripHeight + 2), Px(group.left + group.width), Px(kHeight96 - 3)};
        gdi::Pen pen(CreatePen(PS_SOLID, 1, scheme_->border));
        gdi::Select selectPen(dc, pen.get());
        gdi::Select selectBrush(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, frame.left, frame.top, frame.right, frame.bottom, Px(6), Px(6));
        RECT caption{frame.left, Px(kGroupCaptionTop), frame.right, frame.bottom - 1};
        DrawTextOf(dc, group.caption, &caption, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
}

bool Ribbon::DrawItem(const DRAWITEMSTRUCT& draw) const {
    const int id = static_cast<int>(draw.CtlID);
    const std::string caption = WindowTextOf(draw.hwndItem);
    HDC dc = draw.hDC;
    RECT rect = draw.rcItem;
    const bool pressed = (draw.itemState & ODS_SELECTED) != 0;
    const bool focused = (draw.itemState & ODS_FOCUS) != 0 && !(draw.itemState & ODS_NOFOCUSRECT);
    // The access key is underlined once the keyboard is in use (Alt pressed).
    const UINT accessKey = (draw.itemState & ODS_NOACCEL) != 0 ? DT_HIDEPREFIX : 0;
    SetBkMode(dc, TRANSPARENT);
    if (IsTab(id)) {
        const bool chosen = tabs_[selectedTab_].id == id;
        gdi::Brush strip(CreateSolidBrush(scheme_->strip));
        FillRect(dc, &rect, strip.get());
        if (chosen) {
            RECT tab{rect.left, rect.top, rect.right, rect.bottom + 1};
            gdi::FillGradient(dc, tab, RGB(255, 255, 255), scheme_->panelTop, true);
            gdi::Pen pen(CreatePen(PS_SOLID, 1, scheme_->border));
            gdi::Select selectPen(dc, pen.get());
            MoveToEx(dc, rect.left, rect.bottom, nullptr);
            LineTo(dc, rect.left, rect.top);
            LineTo(dc, rect.right - 1, rect.top);
            LineTo(dc, rect.right - 1, rect.bottom);
        }
        gdi::Select selectFont(dc, tabFont_.get());
        SetTextColor(dc, chosen ? scheme_->groupText : scheme_->tabText);
        DrawTextOf(dc, caption, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE | accessKey);
        if (focused) {
            RECT focusRect = rect;
            InflateRect(&focusRect, -Px(2), -Px(2));
            DrawFocusRect(dc, &focusRect);
        }
        return true;
    }
    const Item* item = FindItem(id);
    if (!item) return false;
    // The panel's gradient behind the item, as the ribbon paints it.
    RECT parentRect = rect;
    MapWindowPoints(draw.hwndItem, parent_, reinterpret_cast<POINT*>(&parentRect), 2);
    RECT panel{rect.left, rect.top - (parentRect.top - Px(kStripHeight)), rect.right,
               rect.top - (parentRect.top - Px(kStripHeight)) + Px(kHeight96 - kStripHeight)};
    {
        HRGN clip = CreateRectRgnIndirect(&rect);
        SelectClipRgn(dc, clip);
        gdi::FillGradient(dc, panel, scheme_->panelTop, scheme_->panelBottom, true);
        SelectClipRgn(dc, nullptr);
        DeleteObject(clip);
    }
    const bool checked = (item->command == Command::SchemeBlue && scheme_ == &kSchemes[0]) ||
                         (item->command == Command::SchemeBlack && scheme_ == &kSchemes[1]) ||
                         (item->command == Command::SchemeSilver && scheme_ == &kSchemes[2]);
    if (pressed || checked) {
        gdi::Brush fill(CreateSolidBrush(scheme_->pressed));
        gdi::Pen pen(CreatePen(PS_SOLID, 1, RGB(194, 155, 60)));
        gdi::Select selectPen(dc, pen.get());
        gdi::Select selectBrush(dc, fill.get());
        RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, Px(5), Px(5));
    }
    const int size = Px(32);
    RECT picture{rect.left + (rect.right - rect.left - size) / 2, rect.top + Px(4), 0, 0};
    picture.right = picture.left + size;
    picture.bottom = picture.top + size;
    DrawPicture(dc, item->picture, picture, (draw.itemState & ODS_DISABLED) != 0);
    gdi::Select selectFont(dc, font_.get());
    SetTextColor(dc, scheme_->groupText);
    RECT text{rect.left + Px(2), picture.bottom + Px(3), rect.right - Px(2), rect.bottom};
    DrawTextOf(dc, caption, &text, DT_CENTER | DT_WORDBREAK | accessKey);
    if (focused) {
        RECT focusRect = rect;
        InflateRect(&focusRect, -Px(2), -Px(2));
        DrawFocusRect(dc, &focusRect);
    }
    return true;
}

}  // namespace ui
