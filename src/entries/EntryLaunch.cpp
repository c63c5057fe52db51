#include "entries/EntryLaunch.h"

#include <objbase.h>
#include <shellapi.h>

#include <vector>

#include "entries/LocationFamily.h"
#include "entries/StoredCommand.h"
#include "system/CommandSplit.h"
#include "system/TextRules.h"
#include "system/Utf8.h"

namespace {

std::string Expanded(const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    const DWORD needed = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
    if (needed == 0) return text;
    std::wstring out(needed, L'\0');
    const DWORD written = ExpandEnvironmentStringsW(wide.c_str(), out.data(), needed);
    if (written == 0 || written > needed) return text;
    out.resize(written - 1);
    return Utf8FromWide(out);
}

bool HasFolder(const std::string& path) { return path.find_first_of("\\/:") != std::string::npos; }

// The full path of the file a candidate names: a path as it stands, a bare name
// where the search for programs finds it; empty when there is no such file.
std::string Located(const std::string& candidate) {
    const std::wstring wide = WideFromUtf8(candidate);
    if (HasFolder(candidate)) {
        const DWORD attributes = GetFileAttributesW(wide.c_str());
        const bool file = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
        return file ? candidate : std::string();
    }
    std::vector<wchar_t> found(MAX_PATH);
    for (int round = 0; round < 2; ++round) {
        const DWORD length =
            SearchPathW(nullptr, wide.c_str(), nullptr, static_cast<DWORD>(found.size()), found.data(), nullptr);
        if (length == 0) return std::string();
        if (length < found.size()) {
            const std::wstring path(found.data(), length);
            const DWORD attributes = GetFileAttributesW(path.c_str());
            if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return std::string();
            return Utf8FromWide(path);
        }
        found.resize(length);  // the size it needs, its terminating null included
    }
    return std::string();
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) return std::string();
    // "C:\x.exe" starts in "C:\", not in "C:".
    return slash == 2 && path[1] == ':' ? path.substr(0, 3) : path.substr(0, slash);
}

// The entry's own file (a link) when it starts the entry's own program, not
// the companion, as a link this program switched off does.
std::string FileThatStartsIt(const StartupEntry& entry) {
    const LocationFamily* family = FamilyOf(entry.kind);
    if (!family || (entry.active == 0 && entry.offBy == SwitchedOffBy::ThisProgram)) return std::string();
    return family->FileOf(entry);
}

// Initialised for the call: the shell may hand the start to extensions that
// are COM objects.
class ComForTheCall {
public:
    ComForTheCall() : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
    ~ComForTheCall() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComForTheCall(const ComForTheCall&) = delete;
    ComForTheCall& operator=(const ComForTheCall&) = delete;

private:
    HRESULT result_;
};

}  // namespace

LaunchPlan PlanLaunch(const StartupEntry& entry) {
    LaunchPlan plan;
    const std::string command = StripMarker(entry.command);
    if (!HoldsText(entry) || Trim(command).empty()) {
        plan.failure = LaunchFailure::NoProgram;
        return plan;
    }
    const std::string itself = FileThatStartsIt(entry);
    if (!itself.empty()) {
        plan.file = itself;
        return plan;
    }
    const std::string line = entry.stored == StoredValue::ExpandText ? Expanded(command) : command;
    const ProgramSplit split =
        SplitLikeCreateProcess(line, [](const std::string& candidate) { return !Located(candidate).empty(); });
    if (split.found) {
        plan.file = Located(split.program);
        plan.parameters = split.arguments;
        plan.directory = FolderOf(plan.file);
        return plan;
    }
    // Not a program file: a quoted path goes to the shell as it stands (it says
    // why it cannot start it), and so does a text without a blank, which the
    // shell may still open (a folder, an address). An unquoted command with
    // blanks names no file at any of them.
    const std::string text = Trim(line);
    if (split.quoted) {
        plan.file = split.program;
        plan.parameters = split.arguments;
        plan.directory = FolderOf(split.program);
    } else if (text.find_first_of(" \t") == std::string::npos) {
        plan.file = text;
    } else {
        plan.file = text;
        plan.failure = LaunchFailure::FileNotFound;
    }
    return plan;
}

LaunchFailure LaunchFailureOf(unsigned long error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:  // also SE_ERR_FNF
            return LaunchFailure::FileNotFound;
        case ERROR_PATH_NOT_FOUND:  // also SE_ERR_PNF
        case ERROR_BAD_PATHNAME:
        case ERROR_INVALID_DRIVE:
            return LaunchFailure::PathNotFound;
        case ERROR_ACCESS_DENIED:  // also SE_ERR_ACCESSDENIED
        case ERROR_SHARING_VIOLATION:
            return LaunchFailure::AccessDenied;
        case ERROR_NO_ASSOCIATION:
        case SE_ERR_NOASSOC:
        case SE_ERR_ASSOCINCOMPLETE:
            return LaunchFailure::NoAssociation;
        case ERROR_BAD_EXE_FORMAT:
        case ERROR_EXE_MACHINE_TYPE_MISMATCH:
        case ERROR_BAD_FORMAT:
            return LaunchFailure::NotAProgram;
        case ERROR_CANCELLED:
            return LaunchFailure::Cancelled;
        default:
            break;
    }
    return LaunchFailure::Other;
}

LaunchResult LaunchEntry(const StartupEntry& entry, HWND owner, HANDLE* process) {
    if (process) *process = nullptr;
    const LaunchPlan plan = PlanLaunch(entry);
    LaunchResult result;
    result.file = plan.file;
    if (plan.failure != LaunchFailure::None) {
        result.failure = plan.failure;
        if (plan.failure == LaunchFailure::FileNotFound) result.error = ERROR_FILE_NOT_FOUND;
        return result;
    }
    const std::wstring file = WideFromUtf8(plan.file);
    const std::wstring parameters = WideFromUtf8(plan.parameters);
    const std::wstring directory = WideFromUtf8(plan.directory);

    ComForTheCall com;
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    // No message box of the shell's own: the caller reports the failure.
    info.fMask = SEE_MASK_FLAG_NO_UI | (process ? SEE_MASK_NOCLOSEPROCESS : 0);
    info.hwnd = owner;
    info.lpVerb = nullptr;  // the file's default verb, "open" where it has none
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    info.nShow = SW_SHOWNORMAL;
    SetLastError(ERROR_SUCCESS);
    if (ShellExecuteExW(&info)) {
        result.started = true;
        if (process) *process = info.hProcess;
        return result;
    }
    unsigned long error = GetLastError();
    // Where the platform set no error, the SE_ERR_ code in hInstApp says it.
    const auto code = reinterpret_cast<INT_PTR>(info.hInstApp);
    if (error == ERROR_SUCCESS && code > 0 && code <= 32) error = static_cast<unsigned long>(code);
    result.error = error;
    result.failure = LaunchFailureOf(error);
    return result;
}
