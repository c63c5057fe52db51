// The family of values set elsewhere (entries/SetElsewhereLocations.h): listed
// as they are, and every change refused with the owner named, since a policy
// or Windows' logon would only write them back or break without them.
#include "entries/LocationFamily.h"
#include "entries/SetElsewhereLocations.h"
#include "system/TextCase.h"

namespace {

ChangeReason OwnersReason(int32_t kind) {
    return OwnerOfKind(kind) == LocationKindRow::Owner::GroupPolicy ? ChangeReason::SetByPolicy
                                                                    : ChangeReason::SetForWinlogon;
}

class SetElsewhere final : public LocationFamily {
public:
    EntryList List(int32_t kind, EntryPlace place) const override {
        return place == EntryPlace::Location ? ListSetElsewhereEntries(kind) : EntryList();
    }
    bool HasAutorunsDisabledPlace() const override { return false; }
    std::string Path(int32_t kind, EntryPlace place) const override {
        return place == EntryPlace::Location ? SetElsewherePath(kind) : std::string();
    }
    bool NamesSlots() const override { return true; }

    ChangeReason ReadListed(const StartupEntry& listed, bool, const ReadsAsListedFn&,
                            std::unique_ptr<StoredForm>&) const override {
        return OwnersReason(listed.kind);
    }
    bool Exists(int32_t kind, const std::string& name, EntryPlace place) const override {
        if (place != EntryPlace::Location) return false;
        for (const StartupEntry& entry : ListSetElsewhereEntries(kind)) {
            if (SameText(entry.name, name)) return true;
        }
        return false;
    }
    ChangeReason CheckStorable(const StartupEntry& entry) const override { return OwnersReason(entry.kind); }
    std::unique_ptr<StoredForm> WorkOutStored(const StartupEntry&, bool, const StoredForm*, bool) const override {
        return nullptr;
    }
    WriteOutcome Write(const StartupEntry&, const StoredForm&) const override { return WriteOutcome::Failed(); }
    WriteOutcome Remove(const StartupEntry&, const StoredForm&) const override { return WriteOutcome::Failed(); }
    void Watch(int32_t kind, LocationWatcher& watcher) const override { WatchSetElsewhereKey(kind, watcher); }
};

}  // namespace

const LocationFamily& SetElsewhereFamily() {
    static const SetElsewhere family;
    return family;
}
