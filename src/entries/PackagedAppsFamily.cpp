#include "entries/PackagedAppsFamily.h"

#include <windows.h>

#include <map>

#include "entries/LocationFamily.h"
#include "entries/LocationWatcher.h"
#include "entries/PackagedStartupTasks.h"
#include "entries/StoredCommand.h"
#include "system/TextCase.h"

namespace {

struct StoredTask : StoredForm {
    std::string family;
    std::string taskId;
    std::string command;
    bool active = false;
    bool Text(std::string& text) const override {
        text = StoredRegistryText(command, active);
        return true;
    }
};

const StoredTask& TaskOf(const StoredForm& stored) { return static_cast<const StoredTask&>(stored); }

std::string CommandOf(const PackagedStartupTask& task) {
    return task.executable.find(' ') == std::string::npos ? task.executable : "\"" + task.executable + "\"";
}

struct Listed {
    StartupEntry entry;
    PackagedStartupTask task;
};

// Each task with the entry it is listed as. A package with several tasks names
// each after its own display name where that is plain text, else its id.
std::vector<Listed> ListTasks(int32_t kind) {
    const std::vector<PackagedStartupTask> tasks = ListPackagedStartupTasks();
    std::vector<Listed> listed;
    for (const PackagedStartupTask& task : tasks) {
        size_t ofPackage = 0;
        for (const PackagedStartupTask& other : tasks) ofPackage += other.packageFullName == task.packageFullName;
        Listed one;
        one.task = task;
        one.entry.kind = kind;
        one.entry.name = task.displayName;
        if (ofPackage > 1) {
            const bool plain = !task.taskDisplayName.empty() && task.taskDisplayName.rfind("ms-resource:", 0) != 0;
            one.entry.name += " (" + (plain ? task.taskDisplayName : task.taskId) + ")";
        }
        one.entry.command = CommandOf(task);
        one.entry.active = task.Active() ? 1 : 0;
        // Off by the user's hand in Settings or Task Manager: Windows' own switch.
        const bool offByUser = task.stateStored && task.state == static_cast<DWORD>(StartupTaskState::DisabledByUser);
        one.entry.offBy = offByUser ? SwitchedOffBy::Windows : SwitchedOffBy::Nobody;
        listed.push_back(std::move(one));
    }
    return listed;
}

// Whether a policy kept the task off, by the lookup key of its name, as the last listing read it.
std::map<std::string, bool>& OffByPolicy() {
    static std::map<std::string, bool> facts;
    return facts;
}

class PackagedApps final : public LocationFamily {
public:
    EntryList List(int32_t kind, EntryPlace place) const override {
        EntryList entries;
        if (place != EntryPlace::Location) return entries;
        auto& facts = OffByPolicy();
        facts.clear();
        for (Listed& one : ListTasks(kind)) {
            facts[TextKey(one.entry.name)] = one.task.SetByPolicy() && !one.task.Active();
            entries.push_back(std::move(one.entry));
        }
        return entries;
    }
    bool HasAutorunsDisabledPlace() const override { return false; }
    std::string Path(int32_t, EntryPlace) const override {
        return std::string("HKEY_CURRENT_USER\\") + kStartupTaskStatesKey;
    }
    bool NamesSlots() const override { return true; }
    bool OnlySwitched() const override { return true; }

    // A task is found again by its name and program; a policy's state is never
    // switched here, and no task is deleted (forRewrite false: the change
    // routine removes only to delete, since nothing of this family moves).
    ChangeReason ReadListed(const StartupEntry& listed, bool forRewrite, const ReadsAsListedFn&,
                            std::unique_ptr<StoredForm>& held) const override {
        for (const Listed& one : ListTasks(listed.kind)) {
            if (!SameText(one.entry.name, listed.name) || one.entry.command != listed.command) continue;
            if (!forRewrite) return ChangeReason::NotDeletable;
            if (one.task.SetByPolicy()) return ChangeReason::SetByPolicy;
            auto stored = std::make_unique<StoredTask>();
            stored->family = one.task.family;
            stored->taskId = one.task.taskId;
            stored->command = one.entry.command;
            stored->active = one.task.Active();
            held = std::move(stored);
            return one.entry.active == listed.active ? ChangeReason::None : ChangeReason::ChangedSinceListing;
        }
        return ChangeReason::ChangedSinceListing;
    }

    bool Exists(int32_t kind, const std::string& name, EntryPlace place) const override {
        if (place != EntryPlace::Location) return false;
        for (const Listed& one : ListTasks(kind)) {
            if (SameText(one.entry.name, name)) return true;
        }
        return false;
    }

    ChangeReason CheckStorable(const StartupEntry&) const override { return ChangeReason::None; }

    std::unique_ptr<StoredForm> WorkOutStored(const StartupEntry& entry, bool active, const StoredForm* held,
                                              bool) const override {
        auto stored = std::make_unique<StoredTask>();
        if (held) {
            stored->family = TaskOf(*held).family;
            stored->taskId = TaskOf(*held).taskId;
        }
        stored->command = entry.command;
        stored->active = active && entry.active != 0;
        return stored;
    }

    // A task comes with its package, never from here.
    WriteOutcome Write(const StartupEntry&, const StoredForm&) const override { return WriteOutcome::Failed(); }

    // Switched as Settings switches it: off is "disabled by the user", on is "enabled".
    WriteOutcome ReplaceInPlace(const StartupEntry&, const StoredForm& held, const StartupEntry&,
                                const StoredForm& stored) const override {
        const StoredTask& now = TaskOf(held);
        const StoredTask& wanted = TaskOf(stored);
        if (now.command != wanted.command || now.family.empty() || now.taskId.empty()) return WriteOutcome::Failed();
        if (now.active == wanted.active) return WriteOutcome::Done();
        return WriteStartupTaskState(now.family, now.taskId,
                                     wanted.active ? StartupTaskState::Enabled : StartupTaskState::DisabledByUser);
    }

    WriteOutcome Remove(const StartupEntry&, const StoredForm&) const override { return WriteOutcome::Failed(); }
    WriteOutcome PutBack(const StartupEntry&, const StoredForm&) const override { return WriteOutcome::Failed(); }

    void Watch(int32_t, LocationWatcher& watcher) const override {
        watcher.WatchKeyOrParent(HKEY_CURRENT_USER, kStartupTaskStatesKey, 0);
        watcher.WatchKeyOrParent(HKEY_CURRENT_USER, kPackageRepositoryKey, 0);
    }
};

}  // namespace

const LocationFamily& PackagedAppsFamily() {
    static const PackagedApps family;
    return family;
}

NotRunReason WhyPackagedTaskWillNotStart(const StartupEntry& entry) {
    const auto& facts = OffByPolicy();
    const auto found = facts.find(TextKey(entry.name));
    return found != facts.end() && found->second ? NotRunReason::PackagedTaskOffByPolicy : NotRunReason::None;
}
