// One unit per family of locations (Startup-folder links, registry values,
// win.ini list items) behind one interface, chosen once per entry from the
// location table (entries/LocationKinds.h). The catalogue, the change routine,
// the watcher and the uninstall clean-up speak only to this interface; a new
// family is one new unit and its rows in the table.
#pragma once
#include <functional>
#include <memory>
#include <string>

#include "entries/EntryChange.h"
#include "entries/StartupEntry.h"
#include "system/WriteOutcome.h"

class LocationWatcher;

// What a location holds for one entry in the family's own terms: read before a
// change (so that the old entry can be put back exactly as it was), or worked
// out before a new one is written. Only the family that made it reads it.
class StoredForm {
public:
    virtual ~StoredForm() = default;
    // The text that reads as the entry's command and state (marker and all);
    // false when the slot holds no such text (a registry value of another type).
    virtual bool Text(std::string& text) const = 0;
};

// Whether a stored text reads as the listed entry (command and state).
using ReadsAsListedFn = std::function<bool(const std::string& stored)>;

class LocationFamily {
public:
    virtual ~LocationFamily() = default;

    // Every entry of the kind stored in that place, as stored (the marker not
    // yet stripped); entries of the "AutorunsDisabled" place come with active 0
    // and offBy OtherTool. A place the family does not have lists nothing.
    virtual EntryList List(int32_t kind, EntryPlace place) const = 0;
    // The family has an "AutorunsDisabled" place beside the location itself.
    virtual bool HasAutorunsDisabledPlace() const = 0;
    // The location's path as ChangeResult::location gives it; empty when there
    // is none.
    virtual std::string Path(int32_t kind, EntryPlace place) const = 0;
    // An entry's name names its slot (registry and file names ignore case);
    // false for a family whose entries have no names of their own, where any
    // entry of the location is in "the same slot" as another.
    virtual bool NamesSlots() const = 0;
    // Its entries are only switched (and maybe deleted) where they stand: never
    // written anew, edited or moved (a scheduled task, a packaged app's task).
    virtual bool OnlySwitched() const { return false; }

    // Reads the listed entry's slot: None when it is still stored as listed
    // (readsAsListed says so of its text), with what it holds in held.
    // forRewrite: the entry is to be rewritten, not only removed.
    virtual ChangeReason ReadListed(const StartupEntry& listed, bool forRewrite, const ReadsAsListedFn& readsAsListed,
                                    std::unique_ptr<StoredForm>& held) const = 0;
    // An entry of that name is stored there (always false without names).
    virtual bool Exists(int32_t kind, const std::string& name, EntryPlace place) const = 0;
    // Whether the location can hold the entry at all: None, or why not.
    virtual ChangeReason CheckStorable(const StartupEntry& entry) const = 0;
    // The entry's stored form for its command and state. held is what the
    // listed entry it replaces held, when that came from this family: what the
    // new entry keeps of it (a value's type, a link's own fields). None when
    // the family cannot store the command (ChangeReason::ProgramNotFound).
    // added: the entry is new to all locations (a new entry, a restored one),
    // not one that a change moves or rewrites.
    virtual std::unique_ptr<StoredForm> WorkOutStored(const StartupEntry& entry, bool active, const StoredForm* held,
                                                      bool added) const = 0;

    // Writes the entry in that form (replacing one of the same name).
    virtual WriteOutcome Write(const StartupEntry& entry, const StoredForm& stored) const = 0;
    // Replaces the listed entry in its own slot by the replacement in one step.
    virtual WriteOutcome ReplaceInPlace(const StartupEntry& listed, const StoredForm& held,
                                        const StartupEntry& replacement, const StoredForm& stored) const {
        (void)listed;
        (void)held;
        return Write(replacement, stored);
    }
    // Removes the listed entry as it was read.
    virtual WriteOutcome Remove(const StartupEntry& listed, const StoredForm& held) const = 0;
    // Puts the listed entry back exactly as it was read.
    virtual WriteOutcome PutBack(const StartupEntry& listed, const StoredForm& held) const {
        return Write(listed, held);
    }

    // Asks the watcher to notice changes of the kind's location.
    virtual void Watch(int32_t kind, LocationWatcher& watcher) const = 0;
    // Gives the stored entry the form it was recorded with where the family
    // knows more than the command (a registry value's text type); done where
    // there is nothing to give.
    // The file that is the entry itself (a link), which the shell starts as
    // Windows does at logon; empty where the entry is only a stored command.
    virtual std::string FileOf(const StartupEntry& entry) const {
        (void)entry;
        return std::string();
    }
    virtual WriteOutcome KeepRecordedForm(const StartupEntry& recorded) const {
        (void)recorded;
        return WriteOutcome::Done();
    }
};

// The unit of a kind's family; nullptr for a kind that names no location.
const LocationFamily* FamilyOf(int32_t kind);

// The three families of old.
const LocationFamily& StartupLinksFamily();
const LocationFamily& RegistryValuesFamily();
const LocationFamily& WinIniItemsFamily();
// Policy and Winlogon values: listed, never changed here.
const LocationFamily& SetElsewhereFamily();
// Scheduled tasks that start at logon or boot (entries/ScheduledTasksFamily.h).
const LocationFamily& ScheduledTasksFamily();
// Packaged apps' startup tasks (entries/PackagedAppsFamily.h).
const LocationFamily& PackagedAppsFamily();

// Test seam: a family that only a test knows, with its row in the location
// table (the row's family is taken as Registered). It is listed, changed,
// watched and backed up as any other until the test forgets it again.
void RegisterLocationFamilyForTests(LocationKindRow row, const LocationFamily& family);
void ForgetRegisteredLocationFamiliesForTests();
