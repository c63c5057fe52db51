// What the main window shows, apart from how it is drawn: the table of
// locations (which filter covers a kind, how its place reads, which colour its
// group has), the filtered and sorted lines with the position of each line's
// entry, the selection, the details texts, line colours and the tip rotation.
// No platform calls: texts, the known-entry test and the
// block-list test come in as functions, so the whole logic runs in plain tests.
#pragma once
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "entries/RunCheck.h"
#include "entries/StartupEntry.h"

namespace ui {

// 0x00BBGGRR, the layout of a Win32 COLORREF.
using Colour = uint32_t;
constexpr Colour Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

constexpr Colour kFolderColour = Rgb(128, 0, 0);
constexpr Colour kRegistryColour = Rgb(0, 128, 0);
constexpr Colour kWinIniColour = Rgb(0, 0, 128);
constexpr Colour kTaskColour = Rgb(128, 0, 128);
constexpr Colour kKnownEntryColour = Rgb(255, 169, 86);
constexpr Colour kInactiveColour = Rgb(128, 128, 128);
// An active entry that will not start anyway (program missing, a location
// Windows NT never starts): the user believes it runs, so it stands out.
constexpr Colour kWillNotRunColour = Rgb(200, 0, 0);
constexpr Colour kSelectedLineBackground = Rgb(164, 195, 235);
constexpr Colour kLineBackground = Rgb(255, 255, 255);

using TextFn = std::function<std::string(int number)>;
using EntryTestFn = std::function<bool(const StartupEntry& entry)>;
using CommandTestFn = std::function<bool(const std::string& command)>;

// --- Locations as data -------------------------------------------------------

struct LocationGroup {
    int labelText;            // caption of the group label in the side panel
    int explanation;          // text shown by the group's info image
    Colour colour;            // its filter check boxes and its lines
    int moreExplanation = 0;  // a second paragraph, for a group of two families
};
// Startup folders, registry, win.ini, tasks and apps: in the side panel's order.
const std::vector<LocationGroup>& LocationGroups();

struct LocationFilter {
    size_t group;                // index into LocationGroups()
    const char* defaultCaption;  // kept when captionText is 0
    int captionText;
    bool checkedAtStart = true;
};
// The twelve filter check boxes in the side panel's order, top to bottom.
const std::vector<LocationFilter>& LocationFilters();

struct Location {
    int32_t kind;
    size_t filter;       // index into LocationFilters()
    int areaText;        // "Registry", "Startup folder"; 0 for none
    const char* prefix;  // literal text before the scope text
    int scopeText;       // "Current user", "All users", the win.ini section word
    const char* suffix;  // literal text after it
    int viewText = 0;    // "32-bit" for the machine's 32-bit view, put inside the suffix's brackets
};
// One row per kind that names a place, in catalogue order.
const std::vector<Location>& Locations();
// The row of a kind, or nullptr for a kind that names no place.
const Location* FindLocation(int32_t kind);

// The human-readable place of a kind, empty for a kind that names none.
std::string LocationLabel(int32_t kind, const TextFn& text);
// Colour of a group by kind; kinds outside every family are drawn like the
// Startup folders, as the tens-digit rule has it.
Colour GroupColourOfKind(int32_t kind);

// --- List, selection and details ---------------------------------------------

// One list line: the entry's name and the entry's position in the model's
// entries. Every lookup goes by the position, so two entries of one name each
// stay their own line.
struct ListLine {
    std::string text;
    size_t entry;
};

// Why an entry will not start, with the program a missing-program reason names.
struct RunVerdict {
    NotRunReason reason = NotRunReason::None;
    std::string program;
};
using RunVerdictFn = std::function<RunVerdict(const StartupEntry& entry)>;

struct Details {
    std::string name;  // with a second line for a known system entry
    std::string command;
    std::string status;  // who switched it off, and for RunOnce what that means
    std::string reason;  // one line why it will not start, empty when nothing is known against it
    std::string location;
    std::string blockCaption;  // block, or release for a blocked command
    std::string madeBy;        // who made its program; filled by the window, which reads the file
};

class MainWindowModel {
public:
    // The lines sort by CompareText, the rule by which names match.
    MainWindowModel();

    // Filter check boxes, by index into LocationFilters(); all checked at start.
    void SetFilterChecked(size_t filter, bool checked) { filters_.at(filter) = checked; }
    bool Passes(int32_t kind) const;
    // The text typed into the filter field: only entries whose name or command
    // holds it, letter case aside, are listed (empty: every entry). Applies
    // from the next Refresh on, together with the check boxes.
    void SetFilterText(const std::string& text);
    const std::string& FilterText() const { return filterText_; }
    bool Matches(const StartupEntry& entry) const;

    // Replaces the entries with those of all that pass the filters (in their
    // order) and rebuilds the lines sorted by name. The selection stays on its
    // entry (same kind, name and place) wherever its line is now; without that
    // entry nothing is selected. Lines where there were none start with the
    // first selected.
    // isKnown and verdict are asked once per entry here, not on every paint.
    void Refresh(const std::vector<StartupEntry>& all, const EntryTestFn& isKnown,
                 const RunVerdictFn& verdict = nullptr);

    const std::vector<StartupEntry>& Entries() const { return entries_; }
    const std::vector<ListLine>& Lines() const { return lines_; }
    size_t LineCount() const { return lines_.size(); }

    // Selects the line of the entry of this kind with this name, else with this
    // command (a win.ini item's name follows its stored text, which switching
    // changes); false, with the selection left alone, when there is none.
    bool SelectEntry(const StartupEntry& entry);

    // -1 for none. An index at or past the end changes nothing.
    void SelectLine(int index);
    int SelectedLine() const { return selected_; }
    bool HasSelection() const { return selected_ >= 0; }

    // The entry a line stands for; the empty entry for -1 or a line not there.
    const StartupEntry& EntryForLine(int index) const;
    const StartupEntry& CurrentEntry() const { return EntryForLine(selected_); }
    bool IsKnownLine(int index) const;
    const RunVerdict& VerdictOfLine(int index) const;

    Details DetailsOf(int index, const TextFn& text, const CommandTestFn& isBlocked) const;
    Colour LineColour(int index) const;

private:
    std::vector<bool> filters_;
    std::string filterText_;
    std::string upperFilterText_;
    std::vector<StartupEntry> entries_;
    std::vector<bool> known_;           // per entry
    std::vector<RunVerdict> verdicts_;  // per entry
    std::vector<ListLine> lines_;
    int selected_ = -1;
};

// Text colour of a line, later rules winning: group colour by kind, orange for
// a known system entry, red for an active one that will not start, grey for a
// switched-off one.
Colour LineColourFor(const StartupEntry& entry, bool known, NotRunReason reason = NotRunReason::None);
// The details of an entry (the empty entry gives the "no selection" texts).
Details DetailsFor(const StartupEntry& entry, bool known, const TextFn& text, const CommandTestFn& isBlocked,
                   const RunVerdict& verdict = RunVerdict());
// The status line: active, switched off (by this program, by Windows' own
// switch, by another tool), and for a switched-off RunOnce entry that it is
// gone after the next logon; for an entry set elsewhere, who alone changes it.
std::string StatusText(const StartupEntry& entry, const TextFn& text);
// The text naming who alone changes a kind's entries (a policy, Windows'
// logon); 0 for a kind this program changes.
int OwnerText(int32_t kind);
// The one line why an entry will not start; empty for none.
std::string ReasonText(const RunVerdict& verdict, const TextFn& text);

// --- Tips ---------------------------------------------------------------------

// Rotates three tips, one per tick: switching off instead of deleting, the
// home page with the link, the backups made at every start.
class TipRotation {
public:
    struct Tip {
        int text;
        bool showLink;
    };
    Tip Tick();

private:
    int step_ = 0;
};

constexpr unsigned kFirstTipDelayMs = 1;
constexpr unsigned kTipIntervalMs = 90000;

}  // namespace ui
