// The win.ini family: one item of the load= or run= list per entry
// (entries/WinIniLocations.h). Items have no names of their own and no
// "AutorunsDisabled" place.
#include "entries/LocationFamily.h"
#include "entries/LocationRules.h"
#include "entries/LocationWatcher.h"
#include "entries/StoredCommand.h"
#include "entries/WinIniList.h"
#include "entries/WinIniLocations.h"

namespace {

// Windows NT keeps win.ini's [windows] section here.
const char kWinIniKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

struct StoredItem : StoredForm {
    std::string list;  // the whole list as read (empty for a new item)
    std::string item;  // the item as stored
    bool Text(std::string& text) const override {
        text = item;
        return true;
    }
};

const StoredItem& ItemOf(const StoredForm& stored) { return static_cast<const StoredItem&>(stored); }

class WinIniItems final : public LocationFamily {
public:
    EntryList List(int32_t kind, EntryPlace place) const override {
        return place == EntryPlace::Location ? ListWinIniEntries(kind) : EntryList();
    }
    bool HasAutorunsDisabledPlace() const override { return false; }
    std::string Path(int32_t, EntryPlace) const override { return WinIniPath(); }
    bool NamesSlots() const override { return false; }

    ChangeReason ReadListed(const StartupEntry& listed, bool, const ReadsAsListedFn& readsAsListed,
                            std::unique_ptr<StoredForm>& held) const override {
        if (PlaceOf(listed) != EntryPlace::Location) return ChangeReason::NoLocation;
        auto stored = std::make_unique<StoredItem>();
        // A list that cannot be read whole could only be stored cut.
        if (!ReadWinIniList(listed.kind, stored->list)) return ChangeReason::WriteFailed;
        for (const std::string& item : SplitWinIniList(stored->list)) {
            if (readsAsListed(item)) {
                stored->item = item;
                held = std::move(stored);
                return ChangeReason::None;
            }
        }
        return ChangeReason::ChangedSinceListing;
    }

    bool Exists(int32_t, const std::string&, EntryPlace) const override { return false; }

    ChangeReason CheckStorable(const StartupEntry& entry) const override {
        if (PlaceOf(entry) != EntryPlace::Location) return ChangeReason::NoLocation;
        return IsStorableWinIniItem(StoredWinIniItem(entry.command, entry.active != 0))
                   ? ChangeReason::None
                   : ChangeReason::CommandNotStorable;
    }

    std::unique_ptr<StoredForm> WorkOutStored(const StartupEntry& entry, bool active, const StoredForm*,
                                              bool) const override {
        auto stored = std::make_unique<StoredItem>();
        stored->item = StoredWinIniItem(entry.command, active);
        return stored;
    }

    WriteOutcome Write(const StartupEntry& entry, const StoredForm& stored) const override {
        return AppendWinIniEntry(entry.kind, ItemOf(stored).item);
    }

    // The list is rewritten once: the old item out, the new one at the end.
    WriteOutcome ReplaceInPlace(const StartupEntry& listed, const StoredForm& held, const StartupEntry&,
                                const StoredForm& stored) const override {
        const StoredItem& old = ItemOf(held);
        return WriteWinIniList(listed.kind,
                               AppendToWinIniList(WinIniListWithoutFirst(old.list, old.item), ItemOf(stored).item));
    }

    WriteOutcome Remove(const StartupEntry& listed, const StoredForm& held) const override {
        const StoredItem& old = ItemOf(held);
        return WriteWinIniList(listed.kind, WinIniListWithoutFirst(old.list, old.item));
    }

    WriteOutcome PutBack(const StartupEntry& listed, const StoredForm& held) const override {
        return WriteWinIniList(listed.kind, ItemOf(held).list);
    }

    void Watch(int32_t, LocationWatcher& watcher) const override {
        watcher.WatchKey(HKEY_CURRENT_USER, kWinIniKey, 0, false, REG_NOTIFY_CHANGE_LAST_SET);
    }
};

}  // namespace

const LocationFamily& WinIniItemsFamily() {
    static const WinIniItems family;
    return family;
}
