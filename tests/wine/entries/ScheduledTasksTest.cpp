// Scheduled tasks that start at logon or boot. The definitions are task XML
// files as Windows exports them (tests/wine/entries/tasks), read here as the
// Task Scheduler hands them out: UTF-16. The family is driven through a
// stand-in Task Scheduler fed from those files, since Wine's keeps neither the
// triggers nor the actions of a registered task and does not switch one; the
// real one is asked only what Wine answers (connecting, walking its folders).
#include <windows.h>

#include <oleauto.h>
#include <taskschd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "backup/EntryRestore.h"
#include "entries/EntryCatalogue.h"
#include "entries/EntryChange.h"
#include "entries/KnownSystemEntries.h"
#include "entries/ScheduledTasksFamily.h"
#include "entries/TaskDefinition.h"
#include "entries/TaskScheduler.h"
#include "support/WineTestSupport.h"
#include "system/TextCase.h"
#include "system/Utf8.h"

namespace {

std::wstring TaskXml(const std::string& file) {
    const std::string bytes = testsupport::ReadFileBytes(testsupport::SourcePath("tests/wine/entries/tasks/" + file));
    EXPECT_FALSE(bytes.empty()) << file;
    return WideFromUtf8(bytes);
}

const std::vector<std::string> kAlice = {"CONTOSO\\alice", "alice", "S-1-5-21-1-2-3-1001"};

struct DefinitionCase {
    const char* file;
    bool startsAtLogon;
    const char* command;  // the first program action's command line
    bool enabled;
    bool triggersOff;
    bool othersOnly;  // for alice
    size_t programActions;
};

const DefinitionCase kDefinitions[] = {
    {"logon-any-user.xml", true, "\"C:\\Program Files\\Contoso\\update.exe\" /silent /logon", true, false, false, 1},
    {"boot.xml", true, "\"C:\\Program Files\\Fabrikam\\agent.exe\" --boot", true, false, false, 1},
    {"time-only.xml", false, "%ProgramFiles%\\Contoso\\scan.exe", true, true, false, 1},
    {"several-actions.xml", true, "%LOCALAPPDATA%\\Contoso\\sync.exe --background \"two words\"", true, false, false,
     2},
    {"disabled-task.xml", true, "C:\\Windows\\notepad.exe", false, false, false, 1},
    {"disabled-trigger.xml", true, "C:\\Windows\\notepad.exe", true, true, false, 1},
    {"other-user-logon.xml", true, "C:\\Windows\\notepad.exe bob.txt", true, false, true, 1},
    {"com-handler-only.xml", false, "", true, false, false, 0},
};

TEST(TaskDefinitionTest, ReadsWhatEachDefinitionStartsAtLogon) {
    for (const DefinitionCase& expected : kDefinitions) {
        SCOPED_TRACE(expected.file);
        TaskDefinition definition;
        ASSERT_TRUE(ReadTaskDefinition(TaskXml(expected.file), definition));
        EXPECT_EQ(expected.startsAtLogon, StartsAtLogon(definition));
        EXPECT_EQ(expected.enabled, definition.enabled);
        ASSERT_EQ(expected.programActions, definition.programActions.size());
        if (!definition.programActions.empty()) {
            EXPECT_EQ(expected.command, TaskCommandLine(definition.programActions.front()));
        }
        if (expected.startsAtLogon) {
            EXPECT_EQ(expected.triggersOff, AllStartTriggersDisabled(definition));
            EXPECT_EQ(expected.othersOnly, StartsOnlyForOthers(definition, kAlice));
        }
    }
}

TEST(TaskDefinitionTest, KeepsTriggersAccountsAndTheWorkingFolder) {
    TaskDefinition several;
    ASSERT_TRUE(ReadTaskDefinition(TaskXml("several-actions.xml"), several));
    ASSERT_EQ(1u, several.startTriggers.size());  // the time trigger is none
    EXPECT_FALSE(several.startTriggers[0].boot);
    EXPECT_EQ("CONTOSO\\alice", several.startTriggers[0].userId);
    EXPECT_EQ("C:\\Windows\\notepad.exe", several.programActions[1].command);
    // Alice's own logon, named with or without the domain or by SID.
    EXPECT_FALSE(StartsOnlyForOthers(several, {"alice"}));
    EXPECT_FALSE(StartsOnlyForOthers(several, {"contoso\\ALICE"}));
    EXPECT_TRUE(StartsOnlyForOthers(several, {"OTHER\\alice", "S-1-5-21-9"}));

    TaskDefinition boot;
    ASSERT_TRUE(ReadTaskDefinition(TaskXml("boot.xml"), boot));
    ASSERT_EQ(1u, boot.startTriggers.size());
    EXPECT_TRUE(boot.startTriggers[0].boot);
    EXPECT_EQ("S-1-5-18", boot.principalUserId);
    EXPECT_EQ("C:\\Program Files\\Fabrikam", boot.programActions[0].workingDirectory);
    // A boot trigger starts whoever logs on.
    EXPECT_FALSE(StartsOnlyForOthers(boot, {"bob"}));
}

TEST(TaskDefinitionTest, RefusesWhatIsNoTaskDefinition) {
    TaskDefinition definition;
    EXPECT_FALSE(ReadTaskDefinition(L"", definition));
    EXPECT_FALSE(ReadTaskDefinition(L"<Task><Actions></Task>", definition));
    EXPECT_FALSE(ReadTaskDefinition(L"<Package/>", definition));
    EXPECT_FALSE(ReadTaskDefinition(L"<Task/><Task/>", definition));
    EXPECT_TRUE(ReadTaskDefinition(L"<Task/>", definition));
    EXPECT_FALSE(StartsAtLogon(definition));
}

// The Task Scheduler of the test: tasks by path, each read from a file, and
// every change the family asks for, in order.
class StandInScheduler final : public TaskScheduler {
public:
    std::map<std::string, RegisteredTask> tasks;  // by lookup key of the path
    mutable std::vector<std::string> calls;
    bool refuse = false;

    void Add(const std::string& path, const std::string& file) {
        RegisteredTask task;
        task.path = path;
        task.xml = TaskXml(file);
        TaskDefinition definition;
        ReadTaskDefinition(task.xml, definition);
        task.enabled = definition.enabled;
        tasks[TextKey(path)] = task;
    }
    bool Tasks(std::vector<RegisteredTask>& out) const override {
        for (const auto& [key, task] : tasks) out.push_back(task);
        return true;
    }
    bool Task(const std::string& path, RegisteredTask& task) const override {
        const auto found = tasks.find(TextKey(path));
        if (found == tasks.end()) return false;
        task = found->second;
        return true;
    }
    WriteOutcome SetEnabled(const std::string& path, bool enabled) const override {
        calls.push_back("enable " + path + (enabled ? " on" : " off"));
        if (refuse) return WriteOutcome::Denied();
        const_cast<StandInScheduler*>(this)->tasks[TextKey(path)].enabled = enabled;
        return WriteOutcome::Done();
    }
    WriteOutcome Delete(const std::string& path) const override {
        calls.push_back("delete " + path);
        if (refuse) return WriteOutcome::Denied();
        const_cast<StandInScheduler*>(this)->tasks.erase(TextKey(path));
        return WriteOutcome::Done();
    }
};

class ScheduledTasksFamilyTest : public ::testing::Test {
protected:
    StandInScheduler scheduler;
    void SetUp() override {
        scheduler.Add("\\Contoso\\Updater Logon", "logon-any-user.xml");
        scheduler.Add("\\Fabrikam Agent", "boot.xml");
        scheduler.Add("\\Contoso\\Nightly Scan", "time-only.xml");
        scheduler.Add("\\Contoso\\Switched Off", "disabled-task.xml");
        scheduler.Add("\\Contoso\\Trigger Off", "disabled-trigger.xml");
        scheduler.Add("\\Bob Tools", "other-user-logon.xml");
        scheduler.Add("\\Microsoft\\Windows\\Shell\\CreateObjectTask", "com-handler-only.xml");
        scheduler.Add("\\Microsoft\\Windows\\Maintenance\\LogonCheck", "windows-own.xml");
        UseTaskSchedulerForTests(&scheduler);
    }
    void TearDown() override { UseTaskSchedulerForTests(nullptr); }

    EntryList Tasks() const {
        EntryList tasks;
        for (const StartupEntry& entry : CollectAllEntries()) {
            if (entry.kind == kLogonTasks) tasks.push_back(entry);
        }
        return tasks;
    }
    StartupEntry Listed(const std::string& path) const {
        for (const StartupEntry& entry : Tasks()) {
            if (entry.name == path) return entry;
        }
        ADD_FAILURE() << path << " not listed";
        return StartupEntry();
    }
};

TEST_F(ScheduledTasksFamilyTest, ListsTheTasksThatStartAProgramAtLogonOrBoot) {
    std::vector<std::string> listed;
    for (const StartupEntry& entry : Tasks()) listed.push_back(entry.name + " | " + entry.command);
    std::sort(listed.begin(), listed.end());
    const std::vector<std::string> expected = {
        "\\Bob Tools | C:\\Windows\\notepad.exe bob.txt",
        "\\Contoso\\Switched Off | C:\\Windows\\notepad.exe",
        "\\Contoso\\Trigger Off | C:\\Windows\\notepad.exe",
        "\\Contoso\\Updater Logon | \"C:\\Program Files\\Contoso\\update.exe\" /silent /logon",
        "\\Fabrikam Agent | \"C:\\Program Files\\Fabrikam\\agent.exe\" --boot",
        "\\Microsoft\\Windows\\Maintenance\\LogonCheck | %windir%\\system32\\rundll32.exe shell32.dll,Control_RunDLL",
    };
    EXPECT_EQ(expected, listed);

    const StartupEntry off = Listed("\\Contoso\\Switched Off");
    EXPECT_EQ(0, off.active);
    EXPECT_EQ(SwitchedOffBy::Windows, off.offBy);
    EXPECT_EQ(1, Listed("\\Contoso\\Trigger Off").active);

    EXPECT_EQ(NotRunReason::TaskDisabled, WhyTaskWillNotStart(off));
    EXPECT_EQ(NotRunReason::TaskTriggersDisabled, WhyTaskWillNotStart(Listed("\\Contoso\\Trigger Off")));
    EXPECT_EQ(NotRunReason::TaskForOtherAccounts, WhyTaskWillNotStart(Listed("\\Bob Tools")));
    EXPECT_EQ(NotRunReason::None, WhyTaskWillNotStart(Listed("\\Fabrikam Agent")));
    EXPECT_EQ(NotRunReason::None, WhyTaskWillNotStart(Listed("\\Contoso\\Updater Logon")));

    EXPECT_TRUE(IsKnownSystemEntry(Listed("\\Microsoft\\Windows\\Maintenance\\LogonCheck")));
    EXPECT_FALSE(IsKnownSystemEntry(Listed("\\Contoso\\Updater Logon")));
    EXPECT_TRUE(scheduler.calls.empty());
}

TEST_F(ScheduledTasksFamilyTest, SwitchesThroughTheEnabledFlagOfTheTask) {
    StartupEntry listed = Listed("\\Contoso\\Updater Logon");
    StartupEntry switched = listed;
    switched.active = 0;
    ASSERT_TRUE(ReplaceEntry(listed, switched).ok());
    listed = Listed("\\Contoso\\Updater Logon");
    EXPECT_EQ(0, listed.active);

    switched = listed;
    switched.active = 1;
    ASSERT_TRUE(ReplaceEntry(listed, switched).ok());
    EXPECT_EQ(1, Listed("\\Contoso\\Updater Logon").active);
    const std::vector<std::string> expected = {"enable \\Contoso\\Updater Logon off",
                                               "enable \\Contoso\\Updater Logon on"};
    EXPECT_EQ(expected, scheduler.calls);
}

TEST_F(ScheduledTasksFamilyTest, DeletesThroughTheTaskScheduler) {
    const StartupEntry listed = Listed("\\Contoso\\Trigger Off");
    ASSERT_TRUE(DeleteEntry(listed).ok());
    EXPECT_EQ(std::vector<std::string>{"delete \\Contoso\\Trigger Off"}, scheduler.calls);
    EXPECT_EQ(0u, scheduler.tasks.count(TextKey("\\Contoso\\Trigger Off")));
}

TEST_F(ScheduledTasksFamilyTest, NeverEditsMovesOrMakesATask) {
    const StartupEntry listed = Listed("\\Fabrikam Agent");
    StartupEntry edited = listed;
    edited.command = "C:\\Windows\\notepad.exe";
    StartupEntry renamed = listed;
    renamed.name = "\\Fabrikam Agent 2";
    StartupEntry moved = listed;
    moved.kind = kUserRun;
    for (const StartupEntry& replacement : {edited, renamed, moved}) {
        const ChangeResult result = ReplaceEntry(listed, replacement);
        EXPECT_FALSE(result.ok());
        EXPECT_EQ(ChangeReason::OnlySwitched, result.reason);
    }
    StartupEntry added = listed;
    added.name = "\\New Task";
    EXPECT_EQ(ChangeReason::OnlySwitched, AddEntry(added).reason);
    EXPECT_TRUE(scheduler.calls.empty());
    EXPECT_EQ(1u, scheduler.tasks.count(TextKey("\\Fabrikam Agent")));
}

TEST_F(ScheduledTasksFamilyTest, LeavesATaskThatChangedSinceTheListing) {
    const StartupEntry listed = Listed("\\Contoso\\Updater Logon");
    scheduler.tasks[TextKey("\\Contoso\\Updater Logon")].enabled = false;
    StartupEntry switched = listed;
    switched.active = 0;
    EXPECT_EQ(ChangeReason::ChangedSinceListing, ReplaceEntry(listed, switched).reason);

    scheduler.tasks.erase(TextKey("\\Contoso\\Updater Logon"));
    EXPECT_EQ(ChangeReason::ChangedSinceListing, DeleteEntry(listed).reason);
    EXPECT_TRUE(scheduler.calls.empty());
}

// A refresh reads each definition as the Task Scheduler hands it out now: a
// task redefined under the same path since the last listing is listed (or
// dropped) by its new definition, its reasons too.
TEST_F(ScheduledTasksFamilyTest, ATaskRedefinedSinceTheLastListingIsReadAnew) {
    struct Step {
        const char* file;
        bool listed;
        const char* command;
        NotRunReason reason;
    };
    const Step steps[] = {
        {"disabled-trigger.xml", true, "C:\\Windows\\notepad.exe", NotRunReason::TaskTriggersDisabled},
        {"logon-any-user.xml", true, "\"C:\\Program Files\\Contoso\\update.exe\" /silent /logon", NotRunReason::None},
        {"time-only.xml", false, "", NotRunReason::None},
        {"other-user-logon.xml", true, "C:\\Windows\\notepad.exe bob.txt", NotRunReason::TaskForOtherAccounts},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.file);
        scheduler.Add("\\Contoso\\Trigger Off", step.file);
        const EntryList tasks = Tasks();
        const auto found = std::find_if(tasks.begin(), tasks.end(),
                                        [](const StartupEntry& e) { return e.name == "\\Contoso\\Trigger Off"; });
        ASSERT_EQ(step.listed, found != tasks.end());
        if (!step.listed) continue;
        EXPECT_EQ(step.command, found->command);
        EXPECT_EQ(step.reason, WhyTaskWillNotStart(*found));
    }
}

TEST_F(ScheduledTasksFamilyTest, SaysWhyTheTaskSchedulerRefused) {
    scheduler.refuse = true;
    const StartupEntry listed = Listed("\\Fabrikam Agent");
    StartupEntry switched = listed;
    switched.active = 0;
    const ChangeResult result = ReplaceEntry(listed, switched);
    EXPECT_FALSE(result.ok());
    EXPECT_EQ(ChangeReason::AccessDenied, result.reason);
    EXPECT_EQ(ChangeReason::AccessDenied, DeleteEntry(listed).reason);
}

TEST(TaskPathTest, SplitsFolderAndName) {
    const struct {
        const char* path;
        const char* folder;
        const char* name;
    } cases[] = {{"\\Task", "\\", "Task"},
                 {"\\Contoso\\Updater Logon", "\\Contoso", "Updater Logon"},
                 {"\\A\\B\\C", "\\A\\B", "C"}};
    for (const auto& c : cases) {
        std::string folder, name;
        SplitTaskPath(c.path, folder, name);
        EXPECT_EQ(c.folder, folder) << c.path;
        EXPECT_EQ(c.name, name) << c.path;
    }
    EXPECT_TRUE(IsWindowsTaskPath("\\microsoft\\Windows\\X"));
    EXPECT_FALSE(IsWindowsTaskPath("\\MicrosoftEdgeUpdateTaskMachineUA"));
}

// The Task Scheduler's service, as "net start schedule" starts it; a fresh
// prefix has it stopped.
void StartScheduleService() {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    ASSERT_TRUE(manager);
    SC_HANDLE service = OpenServiceW(manager, L"Schedule", SERVICE_START | SERVICE_QUERY_STATUS);
    ASSERT_TRUE(service);
    if (!StartServiceW(service, 0, nullptr)) {
        EXPECT_EQ(static_cast<DWORD>(ERROR_SERVICE_ALREADY_RUNNING), GetLastError());
    }
    SERVICE_STATUS status{};
    for (int i = 0; i < 100 && QueryServiceStatus(service, &status) && status.dwCurrentState != SERVICE_RUNNING; ++i) {
        Sleep(100);
    }
    EXPECT_EQ(static_cast<DWORD>(SERVICE_RUNNING), status.dwCurrentState);
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
}

// Wine's Task Scheduler answers a connection and a walk of its folders; what it
// holds is read as any other.
TEST(SystemTaskSchedulerTest, ConnectsAndWalksTheFolders) {
    StartScheduleService();
    std::vector<RegisteredTask> tasks;
    EXPECT_TRUE(SystemTaskScheduler().Tasks(tasks));
    RegisteredTask none;
    EXPECT_FALSE(SystemTaskScheduler().Task("\\No Such Task Here", none));
    EXPECT_FALSE(SystemTaskScheduler().Delete("\\No Such Task Here"));
}

// Registers a task as another program would, through a connection of its own.
bool RegisterWithTheService(const std::string& path, const std::wstring& xml) {
    ITaskService* service = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                reinterpret_cast<void**>(&service)))) {
        return false;
    }
    VARIANT none;
    VariantInit(&none);
    ITaskFolder* root = nullptr;
    BSTR rootPath = SysAllocString(L"\\");
    BSTR name = SysAllocString(WideFromUtf8(path).c_str());
    BSTR text = SysAllocString(xml.c_str());
    IRegisteredTask* task = nullptr;
    const bool registered = SUCCEEDED(service->Connect(none, none, none, none)) &&
                            SUCCEEDED(service->GetFolder(rootPath, &root)) &&
                            SUCCEEDED(root->RegisterTask(name, text, TASK_CREATE_OR_UPDATE, none, none,
                                                         TASK_LOGON_INTERACTIVE_TOKEN, none, &task));
    if (task) task->Release();
    if (root) root->Release();
    SysFreeString(text);
    SysFreeString(name);
    SysFreeString(rootPath);
    service->Release();
    return registered;
}

// A thread that holds COM, as the program's window thread does, keeps one
// connection from call to call: it still sees what another program registers
// and deletes what it is asked to, folders too, through that connection.
TEST(SystemTaskSchedulerTest, OneConnectionKeptByTheThreadFindsAndDeletesWhatOthersRegister) {
    StartScheduleService();
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    std::vector<RegisteredTask> tasks;
    EXPECT_TRUE(SystemTaskScheduler().Tasks(tasks));  // the connection the next calls use
    const std::string path = "\\Contoso Kept\\Updater Logon";
    RegisteredTask found;
    EXPECT_FALSE(SystemTaskScheduler().Task(path, found));
    ASSERT_TRUE(RegisterWithTheService(path, TaskXml("logon-any-user.xml")));
    ASSERT_TRUE(SystemTaskScheduler().Task(path, found));
    EXPECT_EQ(path, found.path);
    EXPECT_FALSE(found.xml.empty());
    EXPECT_FALSE(SystemTaskScheduler().Delete("\\No Such Folder\\Updater Logon"));
    EXPECT_TRUE(SystemTaskScheduler().Delete(path));
    EXPECT_FALSE(SystemTaskScheduler().Task(path, found));
    CoUninitialize();
}

}  // namespace

// A snapshot gives a task back its state through the enabled flag; it never
// makes a task, and a restore never removes one to make room.
TEST_F(ScheduledTasksFamilyTest, ARestoreSetsTheRecordedStateAndNeverMakesATask) {
    struct Case {
        const char* path;
        uint8_t recordedActive;
        bool ok;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"\\Contoso\\Updater Logon", 0, true, {"enable \\Contoso\\Updater Logon off"}},
        {"\\Contoso\\Switched Off", 1, true, {"enable \\Contoso\\Switched Off on"}},
        {"\\Fabrikam Agent", 1, true, {}},
        {"\\Contoso\\Gone Since", 1, false, {}},
    };
    for (const Case& c : cases) {
        scheduler.calls.clear();
        StartupEntry recorded;
        recorded.kind = kLogonTasks;
        recorded.name = c.path;
        recorded.command = "C:\\Windows\\notepad.exe";
        recorded.active = c.recordedActive;
        const EntryRestore restored = RestoreEntry(recorded, Tasks());
        EXPECT_EQ(c.ok, restored.ok()) << c.path;
        if (!c.ok) {
            EXPECT_EQ(ChangeReason::OnlySwitched, restored.change.reason) << c.path;
        }
        EXPECT_EQ(c.calls, scheduler.calls) << c.path;
    }
    EXPECT_EQ(0u, scheduler.tasks.count(TextKey("\\Contoso\\Gone Since")));
    EXPECT_EQ(0, Listed("\\Contoso\\Updater Logon").active);
    for (const StartupEntry& task : Tasks()) EXPECT_FALSE(RestoreMayRemove(task)) << task.name;
}
