#include "ui/main/MainWindowModel.h"

#include <algorithm>
#include <iterator>

#include "system/TextCase.h"
#include "ui/win/TextNumbers.h"

namespace ui {

namespace {

enum GroupIndex : size_t { kFolderGroup, kRegistryGroup, kWinIniGroup, kTaskGroup };

// Windows' own scheduled tasks are many and rarely the user's business: they
// have a box of their own, clear at the start.
constexpr size_t kWindowsTasksFilter = 10;

const StartupEntry& EmptyEntry() {
    static const StartupEntry empty;
    return empty;
}

}  // namespace

const std::vector<LocationGroup>& LocationGroups() {
    static const std::vector<LocationGroup> groups = {
        {Text::StartupFoldersHeading, Text::StartupFoldersExplained, kFolderColour},
        {Text::Registry, Text::RegistryExplained, kRegistryColour},
        {Text::WinIniHeading, Text::WinIniExplained, kWinIniColour},
        // Scheduled tasks and packaged apps' startup tasks share a group: both
        // are only switched here, and the panel has no room for a fifth group.
        {Text::TasksAndAppsHeading, Text::TaskSchedulerExplained, kTaskColour, Text::PackagedAppsExplained},
    };
    return groups;
}

const std::vector<LocationFilter>& LocationFilters() {
    // The registry boxes keep their captions in every language.
    static const std::vector<LocationFilter> filters = {
        {kFolderGroup, "Alle Computerbenutzer", Text::AllUsersFilter},
        {kFolderGroup, "Aktueller Computernutzer", Text::CurrentUserFilter},
        {kRegistryGroup, "Run", 0},
        {kRegistryGroup, "Run Once", 0},
        {kRegistryGroup, "Run Once Ex", 0},
        {kRegistryGroup, "Run Services", 0},
        {kRegistryGroup, "Run Services Once", 0},
        {kWinIniGroup, "Load-Abschnitt", Text::LoadList},
        {kWinIniGroup, "Run-Abschnitt", Text::RunList},
        {kTaskGroup, "Bei Anmeldung oder Start", Text::AtLogonOrBoot},
        {kTaskGroup, "Aufgaben von Windows", Text::WindowsOwnTasks, false},
        {kTaskGroup, "Paket-Apps", Text::PackagedAppsFilter},
    };
    return filters;
}

const std::vector<Location>& Locations() {
    static const std::vector<Location> locations = {
        {1, 0, Text::StartupFolder, "", Text::AllUsers, ""},
        {2, 1, Text::StartupFolder, "", Text::CurrentUser, ""},
        {11, 2, Text::Registry, "", Text::CurrentUser, " (Run)"},
        {12, 3, Text::Registry, "", Text::CurrentUser, " (Run Once)"},
        {13, 4, Text::Registry, "", Text::CurrentUser, " (Run Once Ex)"},
        {14, 5, Text::Registry, "", Text::CurrentUser, " (Run Services)"},
        {15, 6, Text::Registry, "", Text::CurrentUser, " (Run Services Once)"},
        {21, 2, Text::Registry, "", Text::AllUsers, " (Run)"},
        {22, 3, Text::Registry, "", Text::AllUsers, " (Run Once)"},
        {23, 4, Text::Registry, "", Text::AllUsers, " (Run Once Ex)"},
        {24, 5, Text::Registry, "", Text::AllUsers, " (Run Services)"},
        {25, 6, Text::Registry, "", Text::AllUsers, " (Run Services Once)"},
        {26, 2, Text::Registry, "", Text::AllUsers, " (Run, ", Text::View32Bit},
        {27, 3, Text::Registry, "", Text::AllUsers, " (Run Once, ", Text::View32Bit},
        {28, 4, Text::Registry, "", Text::AllUsers, " (Run Once Ex, ", Text::View32Bit},
        {31, 7, 0, "Win.ini: Load-", Text::WinIniList, ""},
        {32, 8, 0, "Win.ini: Run-", Text::WinIniList, ""},
        // Set elsewhere, but started like Run entries: under the Run box.
        {41, 2, Text::Registry, "", Text::CurrentUser, " (Policies\\Explorer\\Run)"},
        {42, 2, Text::Registry, "", Text::AllUsers, " (Policies\\Explorer\\Run)"},
        {43, 2, Text::Registry, "", Text::AllUsers, " (Policies\\Explorer\\Run, ", Text::View32Bit},
        {44, 2, Text::Registry, "", Text::CurrentUser, " (Winlogon)"},
        {45, 2, Text::Registry, "", Text::AllUsers, " (Winlogon)"},
        {51, 9, Text::TaskSchedulerHeading, "", Text::AtLogonOrBoot, ""},
        {61, 11, Text::PackagedAppTask, "", Text::CurrentUser, ""},
    };
    return locations;
}

const Location* FindLocation(int32_t kind) {
    for (const Location& location : Locations()) {
        if (location.kind == kind) return &location;
    }
    return nullptr;
}

std::string LocationLabel(int32_t kind, const TextFn& text) {
    const Location* location = FindLocation(kind);
    if (!location) return std::string();
    std::string label;
    if (location->areaText) label = text(location->areaText) + ": ";
    label += location->prefix + text(location->scopeText) + location->suffix;
    if (location->viewText) label += text(location->viewText) + ")";
    return label;
}

Colour GroupColourOfKind(int32_t kind) {
    if (const Location* location = FindLocation(kind)) {
        return LocationGroups()[LocationFilters()[location->filter].group].colour;
    }
    if (kind >= 10 && kind <= 29) return kRegistryColour;
    if (kind >= 30 && kind <= 39) return kWinIniColour;
    return kFolderColour;
}

MainWindowModel::MainWindowModel() {
    for (const LocationFilter& filter : LocationFilters()) filters_.push_back(filter.checkedAtStart);
}

bool MainWindowModel::Passes(int32_t kind) const {
    const Location* location = FindLocation(kind);
    return location && filters_[location->filter];
}

void MainWindowModel::SetFilterText(const std::string& text) {
    filterText_ = text;
    upperFilterText_ = UpperText(text);
}

bool MainWindowModel::Matches(const StartupEntry& entry) const {
    if (upperFilterText_.empty()) return true;
    return UpperText(entry.name).find(upperFilterText_) != std::string::npos ||
           UpperText(entry.command).find(upperFilterText_) != std::string::npos;
}

void MainWindowModel::Refresh(const std::vector<StartupEntry>& all, const EntryTestFn& isKnown,
                              const RunVerdictFn& verdict) {
    // The selection belongs to its entry, never to a position: when the entry
    // is gone, nothing is selected, so no command acts on whatever moved up.
    const bool hadSelection = HasSelection();
    const bool hadLines = !lines_.empty();
    const StartupEntry selected = CurrentEntry();
    entries_.clear();
    known_.clear();
    verdicts_.clear();
    for (const StartupEntry& entry : all) {
        bool known = false;
        if (IsOnlySwitchedKind(entry.kind)) {
            // A task of Windows' own goes by its own box, the user's by the location's.
            known = isKnown ? isKnown(entry) : false;
            if (!(known ? filters_[kWindowsTasksFilter] : Passes(entry.kind))) continue;
        } else {
            if (!Passes(entry.kind)) continue;
            known = isKnown ? isKnown(entry) : false;
        }
        if (!Matches(entry)) continue;
        entries_.push_back(entry);
        known_.push_back(known);
        verdicts_.push_back(verdict ? verdict(entry) : RunVerdict());
    }
    // Sorted by the names' lookup keys, which order as the comparison does: one
    // key per entry instead of two conversions per comparison. Equal names keep
    // catalogue order, so a listing is the same every time.
    std::vector<std::string> keys;
    keys.reserve(entries_.size());
    for (const StartupEntry& entry : entries_) keys.push_back(TextKey(entry.name));
    std::vector<size_t> order(entries_.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&keys](size_t a, size_t b) { return keys[a] < keys[b]; });
    lines_.clear();
    lines_.reserve(entries_.size());
    for (const size_t i : order) lines_.push_back(ListLine{entries_[i].name, i});

    selected_ = -1;
    if (!hadSelection) {
        // Lines where there were none: the first, as at the start.
        if (!hadLines && !lines_.empty()) selected_ = 0;
        return;
    }
    for (size_t i = 0; i < lines_.size(); ++i) {
        const StartupEntry& entry = entries_[lines_[i].entry];
        if (entry.kind == selected.kind && entry.name == selected.name && PlaceOf(entry) == PlaceOf(selected)) {
            selected_ = static_cast<int>(i);
            return;
        }
    }
}

void MainWindowModel::SelectLine(int index) {
    if (index >= static_cast<int>(lines_.size())) return;
    selected_ = index < 0 ? -1 : index;
}

bool MainWindowModel::SelectEntry(const StartupEntry& wanted) {
    for (const bool byName : {true, false}) {
        for (size_t i = 0; i < lines_.size(); ++i) {
            const StartupEntry& entry = entries_[lines_[i].entry];
            if (entry.kind == wanted.kind && (byName ? entry.name == wanted.name : entry.command == wanted.command)) {
                selected_ = static_cast<int>(i);
                return true;
            }
        }
    }
    return false;
}

const StartupEntry& MainWindowModel::EntryForLine(int index) const {
    if (index < 0 || index >= static_cast<int>(lines_.size())) return EmptyEntry();
    return entries_[lines_[static_cast<size_t>(index)].entry];
}

bool MainWindowModel::IsKnownLine(int index) const {
    if (index < 0 || index >= static_cast<int>(lines_.size())) return false;
    return known_[lines_[static_cast<size_t>(index)].entry];
}

const RunVerdict& MainWindowModel::VerdictOfLine(int index) const {
    static const RunVerdict none;
    if (index < 0 || index >= static_cast<int>(lines_.size())) return none;
    return verdicts_[lines_[static_cast<size_t>(index)].entry];
}

Colour LineColourFor(const StartupEntry& entry, bool known, NotRunReason reason) {
    Colour colour = GroupColourOfKind(entry.kind);
    if (known) colour = kKnownEntryColour;
    if (reason != NotRunReason::None) colour = kWillNotRunColour;
    if (entry.active == 0) colour = kInactiveColour;
    return colour;
}

Colour MainWindowModel::LineColour(int index) const {
    return LineColourFor(EntryForLine(index), IsKnownLine(index), VerdictOfLine(index).reason);
}

std::string StatusText(const StartupEntry& entry, const TextFn& text) {
    if (const int owner = OwnerText(entry.kind)) return text(Text::EntryActive) + "\r" + text(owner);
    if (entry.active) return text(Text::EntryActive);
    std::string status;
    switch (entry.offBy) {
        case SwitchedOffBy::Windows:
            status = text(Text::SwitchedOffByWindows);
            break;
        case SwitchedOffBy::OtherTool:
            status = text(Text::SwitchedOffByOtherTool);
            break;
        case SwitchedOffBy::Nobody:
        case SwitchedOffBy::ThisProgram:
            status = text(Text::EntryInactive);
            break;
    }
    if (IsRunOnceKind(entry.kind)) status += "\r" + text(Text::RunOnceGoneAfterLogon);
    return status;
}

int OwnerText(int32_t kind) {
    switch (OwnerOfKind(kind)) {
        case LocationKindRow::Owner::GroupPolicy:
            return Text::SetByPolicy;
        case LocationKindRow::Owner::Winlogon:
            return Text::SetForWinlogon;
        case LocationKindRow::Owner::ThisProgram:
            break;
    }
    return 0;
}

std::string ReasonText(const RunVerdict& verdict, const TextFn& text) {
    switch (verdict.reason) {
        case NotRunReason::None:
            break;
        case NotRunReason::NotStartedByWindowsNt:
            return text(Text::WillNotStartOnNt);
        case NotRunReason::SwitchedOffByWindows:
            return text(Text::WillNotStartSwitchedOffByWindows);
        case NotRunReason::ProgramMissing:
            return text(Text::WillNotStartProgramMissing) + " " + verdict.program;
        case NotRunReason::PackagedTaskOffByPolicy:
            return text(Text::WillNotStartPackagedTaskOffByPolicy);
        case NotRunReason::TaskDisabled:
            return text(Text::WillNotStartTaskDisabled);
        case NotRunReason::TaskTriggersDisabled:
            return text(Text::WillNotStartTaskTriggersDisabled);
        case NotRunReason::TaskForOtherAccounts:
            return text(Text::WillNotStartTaskForOtherAccounts);
    }
    return std::string();
}

std::string NoProgramText(const StartupEntry& entry, const TextFn& text) {
    if (HoldsText(entry)) return text(Text::EmptyValueNoProgram);
    // The registry's own type names: the same in every language, as the registry editor shows them.
    static const char* const kTypeNames[] = {"REG_NONE",
                                             "REG_SZ",
                                             "REG_EXPAND_SZ",
                                             "REG_BINARY",
                                             "REG_DWORD",
                                             "REG_DWORD_BIG_ENDIAN",
                                             "REG_LINK",
                                             "REG_MULTI_SZ",
                                             "REG_RESOURCE_LIST",
                                             "REG_FULL_RESOURCE_DESCRIPTOR",
                                             "REG_RESOURCE_REQUIREMENTS_LIST",
                                             "REG_QWORD"};
    const std::string type = entry.registryType < std::size(kTypeNames) ? kTypeNames[entry.registryType]
                                                                        : std::to_string(entry.registryType);
    std::string shown = text(Text::ValueOfTypeNoProgram);
    const size_t at = shown.find("%s");
    if (at != std::string::npos) shown.replace(at, 2, type);
    return shown;
}

Details DetailsFor(const StartupEntry& entry, bool known, const TextFn& text, const CommandTestFn& isBlocked,
                   const RunVerdict& verdict) {
    Details details;
    details.name = entry.name;
    if (known) details.name += "\r(" + text(Text::SystemEntry) + ")";
    details.command = entry.kind != 0 && StartsNothing(entry) ? NoProgramText(entry, text) : entry.command;
    details.status = StatusText(entry, text);
    details.reason = ReasonText(verdict, text);
    details.location = LocationLabel(entry.kind, text);
    details.blockCaption = text(isBlocked && isBlocked(entry.command) ? Text::ReleaseEntry : Text::BlockEntry);
    return details;
}

Details MainWindowModel::DetailsOf(int index, const TextFn& text, const CommandTestFn& isBlocked) const {
    return DetailsFor(EntryForLine(index), IsKnownLine(index), text, isBlocked, VerdictOfLine(index));
}

TipRotation::Tip TipRotation::Tick() {
    if (step_ == 0) step_ = 1;
    Tip tip{0, false};
    if (step_ == 1) tip.text = Text::TipSwitchOffInsteadOfDelete;
    if (step_ == 3) tip = Tip{Text::TipNewsOnHomepage, true};
    if (step_ == 5) tip.text = Text::TipBackupsAtEveryStart;
    step_ += 2;
    if (step_ > 5) step_ = 0;
    return tip;
}

}  // namespace ui
