// The main window's ribbon, drawn by the program: three tabs, their groups and
// items, in one of three colour schemes. Tabs and items are owner-drawn child
// buttons of the main window whose window text is their caption, so that the
// keyboard, screen readers and the test driver find them like any button; the
// ribbon itself paints only the background, the group frames and captions.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "ui/main/CommandsModel.h"
#include "ui/win/Gdi.h"
#include "ui/win/Pictures.h"

namespace ui {

struct RibbonScheme {
    const char* name;
    COLORREF strip;     // behind the tabs
    COLORREF tabText;   // captions of the tabs not chosen
    COLORREF panelTop;  // the groups' panel, top to bottom
    COLORREF panelBottom;
    COLORREF border;
    COLORREF groupText;  // group captions and item captions
    COLORREF pressed;    // an item being pressed, or checked
    COLORREF status;     // the status bar
};
// "Blue", "Black", "Silver"; nullptr for any other name.
const RibbonScheme* FindScheme(const std::string& name);

class Ribbon {
public:
    static constexpr int kHeight96 = 118;

    // Creates the tab and item buttons as children of the window.
    void Create(HWND parent, int dpi);
    // The command behind a control ID of the ribbon, or nullptr for another control.
    const Command* CommandOf(int controlId) const;
    bool IsTab(int controlId) const;
    // Whether the control is a tab or an item of the ribbon.
    bool Owns(int controlId) const;
    // The tabs' and items' control IDs.
    std::vector<int> ControlIds() const;
    void SelectTab(int controlId);
    // The tab after the chosen one (before it, backwards), round the strip.
    int NextTab(bool forward) const;

    // Applies a scheme by name and repaints; false (nothing changed) for an unknown name.
    bool SetScheme(const std::string& name);
    const RibbonScheme& Scheme() const { return *scheme_; }

    // The designed captions come from the catalogue at creation. German keeps
    // the captions the ribbon has; any other language blanks the group
    // captions, gives the tabs neutral names and the items their commands' texts.
    void ApplyTexts(bool german);

    void Paint(HDC dc, int clientWidth) const;
    // Draws a tab or an item; false for a control that is not the ribbon's.
    bool DrawItem(const DRAWITEMSTRUCT& item) const;
    void SetDpi(int dpi);

private:
    struct Item {
        int id;
        Command command;
        Picture picture;
        int designedText;
        int captionText;
    };
    struct Group {
        int designedText;
        std::string blank;  // the caption in other languages: zero to six spaces
        std::vector<Item> items;
        std::string caption{};
        int left = 0, width = 0;  // 96 DPI, from Layout
    };
    struct Tab {
        int id;
        int designedText;
        int otherText;
        std::vector<Group> groups;
    };

    int Px(int length96) const { return gdi::Scale(length96, dpi_); }
    void Layout();
    // The designed captions or the commands' own, each with its access key.
    void SetCaptions(bool designed);
    const Item* FindItem(int id) const;

    HWND parent_ = nullptr;
    int dpi_ = 96;
    std::vector<Tab> tabs_;
    size_t selectedTab_ = 0;
    const RibbonScheme* scheme_ = nullptr;
    gdi::Font font_;
    gdi::Font tabFont_;
};

}  // namespace ui
