// The registry family: one string value of a Run-family key per entry
// (entries/RegistryLocations.h).
#include "entries/CommandText.h"
#include "entries/LocationFamily.h"
#include "entries/LocationWatcher.h"
#include "entries/RegistryLocations.h"
#include "entries/StoredCommand.h"

namespace {

struct StoredValue : StoredForm {
    RegistryValue value;
    bool Text(std::string& text) const override {
        if (!value.IsString()) return false;
        text = value.text;
        return true;
    }
};

const StoredValue& ValueOf(const StoredForm& stored) { return static_cast<const StoredValue&>(stored); }

// A value Windows must expand is REG_EXPAND_SZ; every other new value REG_SZ.
DWORD NewValueType(const std::string& command) { return HoldsEnvironmentReference(command) ? REG_EXPAND_SZ : REG_SZ; }

class RegistryValues final : public LocationFamily {
public:
    EntryList List(int32_t kind, EntryPlace place) const override { return ListRegistryEntries(kind, place); }
    bool HasAutorunsDisabledPlace() const override { return true; }
    std::string Path(int32_t kind, EntryPlace place) const override { return RegistryLocationPath(kind, place); }
    bool NamesSlots() const override { return true; }

    ChangeReason ReadListed(const StartupEntry& listed, bool forRewrite, const ReadsAsListedFn& readsAsListed,
                            std::unique_ptr<StoredForm>& held) const override {
        auto stored = std::make_unique<StoredValue>();
        stored->value = ReadRegistryEntry(listed.kind, listed.name, PlaceOf(listed));
        const RegistryValue& value = stored->value;
        held = std::move(stored);
        if (!value.exists) return ChangeReason::ChangedSinceListing;
        if (!value.IsString()) {
            if (!listed.command.empty() || listed.active == 0) return ChangeReason::ChangedSinceListing;
            return forRewrite ? ChangeReason::NotAStringValue : ChangeReason::None;
        }
        return readsAsListed(value.text) ? ChangeReason::None : ChangeReason::ChangedSinceListing;
    }

    bool Exists(int32_t kind, const std::string& name, EntryPlace place) const override {
        return ReadRegistryEntry(kind, name, place).exists;
    }

    ChangeReason CheckStorable(const StartupEntry& entry) const override {
        return RegistryKindAvailable(entry.kind) ? ChangeReason::None : ChangeReason::NoLocation;
    }

    // A rewritten value keeps its type.
    std::unique_ptr<StoredForm> WorkOutStored(const StartupEntry& entry, bool active, const StoredForm* held,
                                              bool) const override {
        auto stored = std::make_unique<StoredValue>();
        stored->value.exists = true;
        stored->value.text = StoredRegistryText(entry.command, active);
        stored->value.type = held ? ValueOf(*held).value.type : NewValueType(entry.command);
        return stored;
    }

    WriteOutcome Write(const StartupEntry& entry, const StoredForm& stored) const override {
        const RegistryValue& value = ValueOf(stored).value;
        return WriteRegistryEntry(entry.kind, entry.name, value.text, value.type, PlaceOf(entry));
    }

    WriteOutcome Remove(const StartupEntry& listed, const StoredForm&) const override {
        return RemoveRegistryEntry(listed.kind, listed.name, PlaceOf(listed));
    }

    // A new value gets the type its command suggests; the recorded one may
    // differ (a REG_SZ value that holds "%" on purpose, a REG_EXPAND_SZ without
    // a reference).
    WriteOutcome KeepRecordedForm(const StartupEntry& recorded) const override {
        const DWORD wanted = recorded.stored == ::StoredValue::ExpandText ? REG_EXPAND_SZ : REG_SZ;
        const RegistryValue value = ReadRegistryEntry(recorded.kind, recorded.name, PlaceOf(recorded));
        if (!value.IsString() || value.type == wanted) return WriteOutcome::Done();
        return WriteRegistryEntry(recorded.kind, recorded.name, value.text, wanted, PlaceOf(recorded));
    }

    void Watch(int32_t kind, LocationWatcher& watcher) const override {
        if (!RegistryKindAvailable(kind)) return;
        const RegistryLocation* location = FindRegistryLocation(kind);
        watcher.WatchKeyOrParent(location->root, location->keyPath, RegistryViewOf(kind));
    }
};

}  // namespace

const LocationFamily& RegistryValuesFamily() {
    static const RegistryValues family;
    return family;
}
