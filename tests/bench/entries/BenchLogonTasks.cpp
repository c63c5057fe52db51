#include "bench/entries/BenchLogonTasks.h"

#include <windows.h>

#include <oleauto.h>
#include <taskschd.h>

#include <map>
#include <string>
#include <vector>

#include "entries/PackagedStartupTasks.h"
#include "entries/TaskScheduler.h"
#include "system/Files.h"
#include "system/RegistryValues.h"
#include "system/TextCase.h"
#include "system/Utf8.h"

namespace {

// The Task Scheduler of the benchmark: every definition held as the service
// hands it out (UTF-16 XML), so a listing costs what the family does with it.
class BenchScheduler final : public TaskScheduler {
public:
    std::map<std::string, RegisteredTask> tasks;  // by lookup key of the path

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
    WriteOutcome SetEnabled(const std::string&, bool) const override { return WriteOutcome::Failed(); }
    WriteOutcome Delete(const std::string&) const override { return WriteOutcome::Failed(); }
};

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '&') {
            out += "&amp;";
        } else if (c == '<') {
            out += "&lt;";
        } else if (c == '"') {
            out += "&quot;";
        } else {
            out += c;
        }
    }
    return out;
}

// A definition as the Task Scheduler exports it. Every seventh task is
// disabled, every fifth starts at boot, every eleventh has its trigger
// disabled, every thirteenth starts only at another user's logon, every third
// runs a second program after the first.
std::string TaskDefinitionXml(int i, const std::string& path) {
    const bool boot = i % 5 == 0;
    const bool triggerOn = i % 11 != 10;
    std::string trigger = boot ? "    <BootTrigger>\n" : "    <LogonTrigger>\n";
    trigger += std::string("      <Enabled>") + (triggerOn ? "true" : "false") + "</Enabled>\n";
    if (boot) {
        trigger += "      <Delay>PT30S</Delay>\n    </BootTrigger>\n";
    } else {
        if (i % 13 == 12) trigger += "      <UserId>OTHERPC\\bob</UserId>\n";
        trigger += "    </LogonTrigger>\n";
    }
    const std::string vendor = "Vendor " + std::to_string(i % 10);
    std::string actions = "    <Exec>\n      <Command>\"C:\\BenchMissing\\" + vendor + "\\task" + std::to_string(i) +
                          ".exe\"</Command>\n      <Arguments>/logon /quiet</Arguments>\n"
                          "      <WorkingDirectory>C:\\BenchMissing\\" +
                          vendor + "</WorkingDirectory>\n    </Exec>\n";
    if (i % 3 == 2)
        actions +=
            "    <Exec>\n      <Command>%windir%\\system32\\rundll32.exe</Command>\n"
            "      <Arguments>shell32.dll,Control_RunDLL</Arguments>\n    </Exec>\n";
    return "<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n"
           "<Task version=\"1.2\" xmlns=\"http://schemas.microsoft.com/windows/2004/02/mit/task\">\n"
           "  <RegistrationInfo>\n    <Date>2024-03-01T10:00:00.0000000</Date>\n"
           "    <Author>BENCH\\" +
           Escaped(vendor) + "</Author>\n    <URI>" + Escaped(path) +
           "</URI>\n  </RegistrationInfo>\n"
           "  <Triggers>\n" +
           trigger +
           "  </Triggers>\n"
           "  <Principals>\n    <Principal id=\"Author\">\n"
           "      <UserId>" +
           (boot ? "S-1-5-18" : "S-1-5-21-1-2-3-1001") + "</UserId>\n      <LogonType>" +
           (boot ? "ServiceAccount" : "InteractiveToken") +
           "</LogonType>\n      <RunLevel>LeastPrivilege</RunLevel>\n    </Principal>\n  </Principals>\n"
           "  <Settings>\n"
           "    <MultipleInstancesPolicy>IgnoreNew</MultipleInstancesPolicy>\n"
           "    <DisallowStartIfOnBatteries>true</DisallowStartIfOnBatteries>\n"
           "    <StopIfGoingOnBatteries>true</StopIfGoingOnBatteries>\n"
           "    <AllowHardTerminate>true</AllowHardTerminate>\n"
           "    <StartWhenAvailable>false</StartWhenAvailable>\n"
           "    <RunOnlyIfNetworkAvailable>false</RunOnlyIfNetworkAvailable>\n"
           "    <IdleSettings>\n      <StopOnIdleEnd>true</StopOnIdleEnd>\n"
           "      <RestartOnIdle>false</RestartOnIdle>\n    </IdleSettings>\n"
           "    <AllowStartOnDemand>true</AllowStartOnDemand>\n"
           "    <Enabled>" +
           (i % 7 == 6 ? "false" : "true") +
           "</Enabled>\n"
           "    <Hidden>false</Hidden>\n    <RunOnlyIfIdle>false</RunOnlyIfIdle>\n"
           "    <WakeToRun>false</WakeToRun>\n    <ExecutionTimeLimit>PT72H</ExecutionTimeLimit>\n"
           "    <Priority>7</Priority>\n  </Settings>\n"
           "  <Actions Context=\"Author\">\n" +
           actions + "  </Actions>\n</Task>\n";
}

// Windows' own tasks live under \Microsoft\; a few of the fifty are there.
std::string TaskPath(int i) {
    if (i % 10 == 9) return "\\Microsoft\\Windows\\Bench\\Logon Check " + std::to_string(i);
    if (i % 4 == 0) return "\\Vendor " + std::to_string(i % 10) + " Updater " + std::to_string(i);
    return "\\Vendor " + std::to_string(i % 10) + "\\Updater " + std::to_string(i);
}

// A manifest as a package brings it: one application with a startup task, the
// third and the seventh package a second application with one more.
std::string ManifestXml(int p, const std::string& identity) {
    auto application = [&](const std::string& id, const std::string& executable, const std::string& taskId,
                           bool enabled) {
        return "    <Application Id=\"" + id + "\" Executable=\"" + id +
               ".exe\" EntryPoint=\"Windows.FullTrustApplication\">\n"
               "      <uap:VisualElements DisplayName=\"Bench App " +
               std::to_string(p) +
               "\" Description=\"Bench\" BackgroundColor=\"transparent\"\n"
               "                          Square150x150Logo=\"Assets\\Square150x150Logo.png\" "
               "Square44x44Logo=\"Assets\\Square44x44Logo.png\" />\n"
               "      <Extensions>\n"
               "        <uap5:Extension Category=\"windows.startupTask\" Executable=\"" +
               executable +
               "\"\n                        EntryPoint=\"Windows.FullTrustApplication\">\n"
               "          <uap5:StartupTask TaskId=\"" +
               taskId + "\" Enabled=\"" + (enabled ? "true" : "false") + "\" DisplayName=\"Bench tray " +
               std::to_string(p) +
               "\" />\n"
               "        </uap5:Extension>\n      </Extensions>\n    </Application>\n";
    };
    std::string applications = application("App", "Tray\\BenchTray" + std::to_string(p) + ".exe", "TrayTask", true);
    if (p == 3 || p == 7) applications += application("Sync", "Sync\\BenchSync.exe", "SyncTask", false);
    // Half of the packages name themselves through their resources, as most
    // Store apps do; the repository then holds the resolved name.
    const std::string displayName = p % 2 ? "ms-resource:AppName" : "Bench App " + std::to_string(p);
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<Package xmlns=\"http://schemas.microsoft.com/appx/manifest/foundation/windows10\"\n"
           "         xmlns:uap=\"http://schemas.microsoft.com/appx/manifest/uap/windows10\"\n"
           "         xmlns:uap5=\"http://schemas.microsoft.com/appx/manifest/uap/windows10/5\"\n"
           "         xmlns:rescap=\"http://schemas.microsoft.com/appx/manifest/foundation/windows10/"
           "restrictedcapabilities\"\n"
           "         IgnorableNamespaces=\"uap uap5 rescap\">\n"
           "  <Identity Name=\"" +
           identity + "\" Publisher=\"CN=Bench Ltd, O=Bench Ltd, C=US\" Version=\"1.0." + std::to_string(p) +
           ".0\"\n            ProcessorArchitecture=\"x64\" />\n"
           "  <Properties>\n    <DisplayName>" +
           displayName +
           "</DisplayName>\n    <PublisherDisplayName>Bench Ltd</PublisherDisplayName>\n"
           "    <Logo>Assets\\StoreLogo.png</Logo>\n  </Properties>\n"
           "  <Dependencies>\n    <TargetDeviceFamily Name=\"Windows.Desktop\" MinVersion=\"10.0.17763.0\" "
           "MaxVersionTested=\"10.0.22621.0\" />\n  </Dependencies>\n"
           "  <Resources>\n    <Resource Language=\"en-us\" />\n  </Resources>\n"
           "  <Applications>\n" +
           applications +
           "  </Applications>\n"
           "  <Capabilities>\n    <rescap:Capability Name=\"runFullTrust\" />\n  </Capabilities>\n"
           "</Package>\n";
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) && written == bytes.size();
    CloseHandle(file);
    return ok;
}

bool SeedPackage(int p) {
    const std::string identity = "Bench.App" + std::to_string(p);
    const std::string publisherId = "8wekyb3d8bbwe";
    const std::string fullName = identity + "_1.0." + std::to_string(p) + ".0_x64__" + publisherId;
    const std::string family = identity + "_" + publisherId;
    const std::string apps = "C:\\Program Files\\WindowsApps\\";
    const std::string folder = apps + fullName;
    for (const std::string& made : {std::string("C:\\Program Files"), apps, folder}) {
        CreateDirectoryW(WideFromUtf8(made).c_str(), nullptr);
    }
    bool ok = WriteFileBytes(folder + "\\AppxManifest.xml", ManifestXml(p, identity));
    const std::string key = std::string(kPackageRepositoryKey) + "\\" + fullName;
    ok = static_cast<bool>(WriteRegString(HKEY_CURRENT_USER, key, "PackageRootFolder", folder)) && ok;
    ok = static_cast<bool>(WriteRegString(HKEY_CURRENT_USER, key, "DisplayName", "Bench App " + std::to_string(p))) &&
         ok;
    ok = static_cast<bool>(WriteRegString(HKEY_CURRENT_USER, key, "PackageID", fullName)) && ok;
    // Settings keeps a state only for the tasks someone switched: off by the
    // user for some, on for others, kept off by a policy for one.
    if (p % 3 == 1)
        ok = static_cast<bool>(WriteStartupTaskState(family, "TrayTask", StartupTaskState::DisabledByUser)) && ok;
    if (p % 3 == 2) ok = static_cast<bool>(WriteStartupTaskState(family, "TrayTask", StartupTaskState::Enabled)) && ok;
    if (p == 9)
        ok = static_cast<bool>(WriteStartupTaskState(family, "TrayTask", StartupTaskState::DisabledByPolicy)) && ok;
    return ok;
}

}  // namespace

bool SeedBenchTasksAndPackages() {
    static BenchScheduler scheduler;
    for (int i = 0; i < kBenchTaskCount; ++i) {
        RegisteredTask task;
        task.path = TaskPath(i);
        task.enabled = i % 7 != 6;
        task.xml = WideFromUtf8(TaskDefinitionXml(i, task.path));
        scheduler.tasks[TextKey(task.path)] = task;
    }
    UseTaskSchedulerForTests(&scheduler);
    bool ok = scheduler.tasks.size() == static_cast<size_t>(kBenchTaskCount);
    for (int p = 0; p < kBenchPackageCount; ++p) ok = SeedPackage(p) && ok;
    return ok;
}

namespace {

bool StartScheduleService() {
    SC_HANDLE manager = OpenSCManagerW(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager) return false;
    SC_HANDLE service = OpenServiceW(manager, L"Schedule", SERVICE_START | SERVICE_QUERY_STATUS);
    bool running = false;
    if (service) {
        StartServiceW(service, 0, nullptr);
        SERVICE_STATUS status{};
        for (int i = 0; i < 100 && QueryServiceStatus(service, &status); ++i) {
            if (status.dwCurrentState == SERVICE_RUNNING) break;
            Sleep(100);
        }
        running = status.dwCurrentState == SERVICE_RUNNING;
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return running;
}

}  // namespace

int RegisterBenchTasksWithTheService() {
    if (!StartScheduleService()) return 0;
    ITaskService* service = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                reinterpret_cast<void**>(&service)))) {
        return 0;
    }
    VARIANT none;
    VariantInit(&none);
    ITaskFolder* root = nullptr;
    BSTR rootPath = SysAllocString(L"\\");
    int registered = 0;
    if (SUCCEEDED(service->Connect(none, none, none, none)) && SUCCEEDED(service->GetFolder(rootPath, &root))) {
        for (int i = 0; i < kBenchTaskCount; ++i) {
            const std::string path = TaskPath(i);
            BSTR name = SysAllocString(WideFromUtf8(path).c_str());
            BSTR xml = SysAllocString(WideFromUtf8(TaskDefinitionXml(i, path)).c_str());
            IRegisteredTask* task = nullptr;
            if (SUCCEEDED(root->RegisterTask(name, xml, TASK_CREATE_OR_UPDATE, none, none, TASK_LOGON_INTERACTIVE_TOKEN,
                                             none, &task))) {
                ++registered;
                task->Release();
            }
            SysFreeString(xml);
            SysFreeString(name);
        }
        root->Release();
    }
    SysFreeString(rootPath);
    service->Release();
    return registered;
}
