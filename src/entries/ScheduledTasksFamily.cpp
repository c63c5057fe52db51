#include "entries/ScheduledTasksFamily.h"

#include <windows.h>

#include <lmcons.h>
#include <sddl.h>

#include <map>

#include "entries/LocationFamily.h"
#include "entries/StoredCommand.h"
#include "entries/TaskDefinition.h"
#include "entries/TaskScheduler.h"
#include "system/TextCase.h"
#include "system/Utf8.h"

namespace {

struct StoredTask : StoredForm {
    std::string path;
    std::string command;
    bool enabled = true;
    // A disabled task reads as a switched-off text, so that the change routine
    // sees a switch-on as a change.
    bool Text(std::string& text) const override {
        text = StoredRegistryText(command, enabled);
        return true;
    }
};

const StoredTask& TaskOf(const StoredForm& stored) { return static_cast<const StoredTask&>(stored); }

struct TaskFacts {
    bool enabled = true;
    bool triggersOff = false;
    bool othersOnly = false;
};

// What the last listing read, by the lookup key of the task path.
std::map<std::string, TaskFacts>& ListedFacts() {
    static std::map<std::string, TaskFacts> facts;
    return facts;
}

std::string CommandOf(const TaskDefinition& definition) { return TaskCommandLine(definition.programActions.front()); }

// A definition as read from its XML, kept with that text: a refresh parses
// again only the definitions whose text changed since the last listing.
struct ReadDefinition {
    std::wstring xml;
    bool starting = false;
    TaskDefinition definition;
};
using ReadDefinitions = std::map<std::string, ReadDefinition>;  // by lookup key of the task path

ReadDefinitions& DefinitionsRead() {
    static ReadDefinitions read;
    return read;
}

bool ReadStarting(const RegisteredTask& task, TaskDefinition& definition, ReadDefinitions& into) {
    const std::string key = TextKey(task.path);
    const ReadDefinitions& before = DefinitionsRead();
    const auto known = before.find(key);
    ReadDefinition read;
    if (known != before.end() && known->second.xml == task.xml) {
        read = known->second;
    } else {
        read.xml = task.xml;
        read.starting = ReadTaskDefinition(task.xml, read.definition) && StartsAtLogon(read.definition);
    }
    definition = read.definition;
    const bool starting = read.starting;
    into[key] = std::move(read);
    return starting;
}

bool ReadStarting(const RegisteredTask& task, TaskDefinition& definition) {
    return ReadStarting(task, definition, DefinitionsRead());
}

// The names of this account do not change while the program runs.
const std::vector<std::string>& OwnNames() {
    static const std::vector<std::string> names = OwnAccountNames();
    return names;
}

class ScheduledTasks final : public LocationFamily {
public:
    EntryList List(int32_t kind, EntryPlace place) const override {
        EntryList entries;
        if (place != EntryPlace::Location) return entries;
        std::vector<RegisteredTask> tasks;
        CurrentTaskScheduler().Tasks(tasks);
        const std::vector<std::string>& own = OwnNames();
        auto& facts = ListedFacts();
        facts.clear();
        // Only the tasks of this listing are kept for the next one.
        ReadDefinitions read;
        for (const RegisteredTask& task : tasks) {
            TaskDefinition definition;
            if (!ReadStarting(task, definition, read)) continue;
            StartupEntry entry;
            entry.kind = kind;
            entry.name = task.path;
            entry.command = CommandOf(definition);
            entry.active = task.enabled ? 1 : 0;
            // Switched off in the Task Scheduler, Windows' own switch for a task.
            entry.offBy = task.enabled ? SwitchedOffBy::Nobody : SwitchedOffBy::Windows;
            facts[TextKey(task.path)] = {task.enabled, AllStartTriggersDisabled(definition),
                                         StartsOnlyForOthers(definition, own)};
            entries.push_back(std::move(entry));
        }
        DefinitionsRead().swap(read);
        return entries;
    }
    bool HasAutorunsDisabledPlace() const override { return false; }
    std::string Path(int32_t, EntryPlace) const override { return "Task Scheduler"; }
    bool NamesSlots() const override { return true; }
    bool OnlySwitched() const override { return true; }

    ChangeReason ReadListed(const StartupEntry& listed, bool, const ReadsAsListedFn& readsAsListed,
                            std::unique_ptr<StoredForm>& held) const override {
        RegisteredTask task;
        TaskDefinition definition;
        if (!CurrentTaskScheduler().Task(listed.name, task) || !ReadStarting(task, definition)) {
            return ChangeReason::ChangedSinceListing;
        }
        auto stored = std::make_unique<StoredTask>();
        stored->path = task.path;
        stored->command = CommandOf(definition);
        stored->enabled = task.enabled;
        const bool same = readsAsListed(stored->command) && task.enabled == (listed.active != 0);
        held = std::move(stored);
        return same ? ChangeReason::None : ChangeReason::ChangedSinceListing;
    }

    bool Exists(int32_t, const std::string& name, EntryPlace place) const override {
        RegisteredTask task;
        return place == EntryPlace::Location && CurrentTaskScheduler().Task(name, task);
    }

    ChangeReason CheckStorable(const StartupEntry&) const override { return ChangeReason::None; }

    std::unique_ptr<StoredForm> WorkOutStored(const StartupEntry& entry, bool, const StoredForm*, bool) const override {
        auto stored = std::make_unique<StoredTask>();
        stored->path = entry.name;
        stored->command = entry.command;
        stored->enabled = entry.active != 0;
        return stored;
    }

    // A task is made in the Task Scheduler, never here.
    WriteOutcome Write(const StartupEntry&, const StoredForm&) const override { return WriteOutcome::Failed(); }

    WriteOutcome ReplaceInPlace(const StartupEntry& listed, const StoredForm& held, const StartupEntry&,
                                const StoredForm& stored) const override {
        const StoredTask& now = TaskOf(held);
        const StoredTask& wanted = TaskOf(stored);
        if (!SameText(now.path, wanted.path) || now.command != wanted.command) return WriteOutcome::Failed();
        if (now.enabled == wanted.enabled) return WriteOutcome::Done();
        return CurrentTaskScheduler().SetEnabled(listed.name, wanted.enabled);
    }

    WriteOutcome Remove(const StartupEntry& listed, const StoredForm&) const override {
        return CurrentTaskScheduler().Delete(listed.name);
    }
    WriteOutcome PutBack(const StartupEntry&, const StoredForm&) const override { return WriteOutcome::Failed(); }

    // The Task Scheduler has no change notice a registry or folder watch could
    // see; a refresh reads it again.
    void Watch(int32_t, LocationWatcher&) const override {}
};

std::string SidOfThisAccount() {
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return std::string();
    std::string sid;
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    LPWSTR text = nullptr;
    if (size && GetTokenInformation(token, TokenUser, buffer.data(), size, &size) &&
        ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer.data())->User.Sid, &text)) {
        sid = Utf8FromWide(text);
        LocalFree(text);
    }
    CloseHandle(token);
    return sid;
}

}  // namespace

const LocationFamily& ScheduledTasksFamily() {
    static const ScheduledTasks family;
    return family;
}

NotRunReason WhyTaskWillNotStart(const StartupEntry& entry) {
    const auto& facts = ListedFacts();
    const auto found = facts.find(TextKey(entry.name));
    if (found == facts.end()) return NotRunReason::None;
    if (!found->second.enabled) return NotRunReason::TaskDisabled;
    if (found->second.triggersOff) return NotRunReason::TaskTriggersDisabled;
    if (found->second.othersOnly) return NotRunReason::TaskForOtherAccounts;
    return NotRunReason::None;
}

bool IsWindowsTaskPath(const std::string& path) {
    static const std::string prefix = "\\Microsoft\\";
    return path.size() > prefix.size() && SameText(path.substr(0, prefix.size()), prefix);
}

std::vector<std::string> OwnAccountNames() {
    std::vector<std::string> names;
    wchar_t user[UNLEN + 1];
    DWORD length = UNLEN + 1;
    if (GetUserNameW(user, &length)) {
        const std::string name = Utf8FromWide(user);
        names.push_back(name);
        wchar_t domain[256];
        DWORD domainLength = 256;
        if (GetEnvironmentVariableW(L"USERDOMAIN", domain, domainLength) > 0) {
            names.push_back(Utf8FromWide(domain) + "\\" + name);
        }
    }
    names.push_back(SidOfThisAccount());
    return names;
}
