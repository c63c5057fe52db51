#include "entries/TaskScheduler.h"

#include <windows.h>

#include <oleauto.h>
#include <taskschd.h>

#include "system/Utf8.h"

namespace {

const TaskScheduler* g_forTests = nullptr;

template <typename T>
struct Held {
    T* p = nullptr;
    Held() = default;
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() {
        if (p) p->Release();
    }
};

// A BSTR made here and freed here; the callee only reads it.
struct OwnedBstr {
    BSTR text;
    explicit OwnedBstr(const std::string& utf8) : text(SysAllocString(WideFromUtf8(utf8).c_str())) {}
    ~OwnedBstr() { SysFreeString(text); }
    OwnedBstr(const OwnedBstr&) = delete;
    OwnedBstr& operator=(const OwnedBstr&) = delete;
};

// A BSTR the callee allocated: the caller frees it.
struct ReceivedBstr {
    BSTR text = nullptr;
    ~ReceivedBstr() { SysFreeString(text); }
    std::wstring Wide() const { return text ? std::wstring(text, SysStringLen(text)) : std::wstring(); }
};

// COM for the length of one call, balanced whether this thread had it or not.
struct ComForCall {
    HRESULT hr = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    ~ComForCall() {
        if (SUCCEEDED(hr)) CoUninitialize();
    }
};

WriteOutcome OutcomeOf(HRESULT hr) {
    if (SUCCEEDED(hr)) return WriteOutcome::Done();
    if (hr == E_ACCESSDENIED || hr == HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED)) return WriteOutcome::Denied();
    return WriteOutcome::Failed();
}

HRESULT Connect(Held<ITaskService>& service) {
    HRESULT hr = CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                                  reinterpret_cast<void**>(&service.p));
    if (FAILED(hr)) return hr;
    VARIANT none;
    VariantInit(&none);  // VT_EMPTY: this computer, this user's credentials
    return service.p->Connect(none, none, none, none);
}

HRESULT OpenFolder(ITaskService* service, const std::string& path, Held<ITaskFolder>& folder) {
    OwnedBstr name(path);
    return service->GetFolder(name.text, &folder.p);
}

// Connecting costs more than reading every task (tens of milliseconds under
// Wine), and every refresh would pay it: the thread that lists keeps one
// connection. It is kept only where the thread had COM before the call, and
// then with a COM reference of its own, so that the apartment outlives it.
struct KeptConnection {
    DWORD thread = 0;
    ITaskService* service = nullptr;
};

KeptConnection& Kept() {
    static KeptConnection kept;
    return kept;
}

void ForgetKept() {
    KeptConnection& kept = Kept();
    if (!kept.service || kept.thread != GetCurrentThreadId()) return;
    kept.service->Release();
    kept.service = nullptr;
    CoUninitialize();
}

// The folder of that path on a connected service: the kept connection when
// this thread has one and it still answers, else a new one (then kept when
// this thread had COM before the call).
HRESULT OpenOnService(const ComForCall& com, const std::string& path, Held<ITaskService>& service,
                      Held<ITaskFolder>& folder) {
    KeptConnection& kept = Kept();
    const DWORD thread = GetCurrentThreadId();
    if (kept.service && kept.thread == thread) {
        kept.service->AddRef();
        service.p = kept.service;
        const HRESULT hr = OpenFolder(service.p, path, folder);
        if (SUCCEEDED(hr) || hr == HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND) ||
            hr == HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND)) {
            return hr;
        }
        // The service restarted since: a new connection.
        service.p->Release();
        service.p = nullptr;
        ForgetKept();
    }
    HRESULT hr = Connect(service);
    if (FAILED(hr)) return hr;
    if (com.hr == S_FALSE && !kept.service && SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {
        service.p->AddRef();
        kept.service = service.p;
        kept.thread = thread;
    }
    return OpenFolder(service.p, path, folder);
}

bool ReadTask(IRegisteredTask* task, RegisteredTask& out) {
    ReceivedBstr path;
    if (FAILED(task->get_Path(&path.text))) return false;
    out.path = Utf8FromWide(path.Wide());
    VARIANT_BOOL enabled = VARIANT_TRUE;
    out.enabled = FAILED(task->get_Enabled(&enabled)) || enabled != VARIANT_FALSE;
    ReceivedBstr xml;
    out.xml = SUCCEEDED(task->get_Xml(&xml.text)) ? xml.Wide() : std::wstring();
    return true;
}

// The collections count from 1; the index goes in as a VT_I4 VARIANT.
VARIANT IndexVariant(LONG index) {
    VARIANT at;
    VariantInit(&at);
    at.vt = VT_I4;
    at.lVal = index;
    return at;
}

bool CollectFolder(ITaskFolder* folder, std::vector<RegisteredTask>& tasks, int depth) {
    bool complete = true;
    Held<IRegisteredTaskCollection> collection;
    LONG count = 0;
    if (SUCCEEDED(folder->GetTasks(TASK_ENUM_HIDDEN, &collection.p)) && SUCCEEDED(collection.p->get_Count(&count))) {
        for (LONG i = 1; i <= count; ++i) {
            Held<IRegisteredTask> task;
            RegisteredTask read;
            if (SUCCEEDED(collection.p->get_Item(IndexVariant(i), &task.p)) && ReadTask(task.p, read)) {
                tasks.push_back(std::move(read));
            } else {
                complete = false;
            }
        }
    } else {
        complete = false;
    }
    // Folders nest only as deep as a path can be long; a loop in a broken
    // store must not take this along.
    if (depth > 64) return false;
    Held<ITaskFolderCollection> folders;
    if (FAILED(folder->GetFolders(0, &folders.p)) || FAILED(folders.p->get_Count(&count))) return false;
    for (LONG i = 1; i <= count; ++i) {
        Held<ITaskFolder> sub;
        if (FAILED(folders.p->get_Item(IndexVariant(i), &sub.p))) {
            complete = false;
            continue;
        }
        complete = CollectFolder(sub.p, tasks, depth + 1) && complete;
    }
    return complete;
}

class SystemScheduler final : public TaskScheduler {
public:
    bool Tasks(std::vector<RegisteredTask>& tasks) const override {
        ComForCall com;
        Held<ITaskService> service;
        Held<ITaskFolder> root;
        if (FAILED(OpenOnService(com, "\\", service, root))) return false;
        // A folder that cannot be listed is passed over (Wine answers some
        // such calls with E_NOTIMPL); the rest is still worth showing.
        CollectFolder(root.p, tasks, 0);
        return true;
    }

    bool Task(const std::string& path, RegisteredTask& task) const override {
        ComForCall com;
        Held<ITaskService> service;
        Held<ITaskFolder> root;
        if (FAILED(OpenOnService(com, "\\", service, root))) return false;
        Held<IRegisteredTask> found;
        OwnedBstr name(path);
        return SUCCEEDED(root.p->GetTask(name.text, &found.p)) && ReadTask(found.p, task);
    }

    // Done only when the task then reads as asked: a Task Scheduler that
    // takes the call and keeps nothing has not switched it.
    WriteOutcome SetEnabled(const std::string& path, bool enabled) const override {
        ComForCall com;
        Held<ITaskService> service;
        Held<ITaskFolder> root;
        HRESULT hr = OpenOnService(com, "\\", service, root);
        if (FAILED(hr)) return OutcomeOf(hr);
        Held<IRegisteredTask> task;
        OwnedBstr name(path);
        hr = root.p->GetTask(name.text, &task.p);
        if (SUCCEEDED(hr)) hr = task.p->put_Enabled(enabled ? VARIANT_TRUE : VARIANT_FALSE);
        if (FAILED(hr)) return OutcomeOf(hr);
        VARIANT_BOOL now = VARIANT_FALSE;
        if (FAILED(task.p->get_Enabled(&now)) || (now != VARIANT_FALSE) != enabled) return WriteOutcome::Failed();
        return WriteOutcome::Done();
    }

    WriteOutcome Delete(const std::string& path) const override {
        ComForCall com;
        std::string folderPath, name;
        SplitTaskPath(path, folderPath, name);
        Held<ITaskService> service;
        Held<ITaskFolder> folder;
        HRESULT hr = OpenOnService(com, folderPath, service, folder);
        if (SUCCEEDED(hr)) {
            OwnedBstr taskName(name);
            hr = folder.p->DeleteTask(taskName.text, 0);
        }
        return OutcomeOf(hr);
    }
};

}  // namespace

const TaskScheduler& SystemTaskScheduler() {
    static const SystemScheduler scheduler;
    return scheduler;
}

const TaskScheduler& CurrentTaskScheduler() { return g_forTests ? *g_forTests : SystemTaskScheduler(); }

void UseTaskSchedulerForTests(const TaskScheduler* scheduler) { g_forTests = scheduler; }

void SplitTaskPath(const std::string& path, std::string& folder, std::string& name) {
    const size_t slash = path.rfind('\\');
    if (slash == std::string::npos) {
        folder = "\\";
        name = path;
        return;
    }
    folder = slash == 0 ? std::string("\\") : path.substr(0, slash);
    name = path.substr(slash + 1);
}
