#include "entries/PackagedStartupTasks.h"

#include <shlwapi.h>

#include <map>

#include "entries/PackageCalls.h"
#include "entries/XmlLiteTree.h"
#include "system/RegistryValues.h"
#include "system/TextCase.h"
#include "system/Utf8.h"

const char kAppModelKey[] = "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel";
const char kPackageRepositoryKey[] =
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\Repository\\Packages";
const char kStartupTaskStatesKey[] =
    "Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\CurrentVersion\\AppModel\\SystemAppData";

namespace {

std::vector<std::string> SubkeysOf(HKEY root, const std::string& path) {
    std::vector<std::string> names;
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, WideFromUtf8(path).c_str(), 0, KEY_ENUMERATE_SUB_KEYS, &key) != ERROR_SUCCESS) {
        return names;
    }
    // A key name is at most 255 characters.
    wchar_t name[256];
    for (DWORD index = 0;; ++index) {
        DWORD length = 256;
        const LONG status = RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) break;
        names.push_back(Utf8FromWide(std::wstring_view(name, length)));
    }
    RegCloseKey(key);
    return names;
}

// "@{...}" and "@file,-id" references as the shell resolves them; empty when it cannot.
std::string ResolvedIndirect(const std::string& reference) {
    wchar_t out[512];
    const std::wstring wide = WideFromUtf8(reference);
    if (FAILED(SHLoadIndirectString(wide.c_str(), out, 512, nullptr))) return std::string();
    return Utf8FromWide(out);
}

bool IsResourceReference(const std::string& text) { return text.rfind("ms-resource:", 0) == 0; }

// A manifest's "ms-resource:" name as the package's own resource reference.
std::string PackageResourceReference(const std::string& fullName, const std::string& identity,
                                     const std::string& text) {
    std::string uri = text.substr(std::string("ms-resource:").size());
    if (uri.rfind("//", 0) == 0) {
        uri = "ms-resource:" + uri;
    } else if (uri.rfind("/", 0) == 0) {
        uri = "ms-resource://" + identity + uri;
    } else {
        uri = "ms-resource://" + identity + "/resources/" + uri;
    }
    return "@{" + fullName + "?" + uri + "}";
}

std::string DisplayNameOf(const std::string& fullName, const ManifestFacts& manifest) {
    if (!manifest.displayName.empty() && !IsResourceReference(manifest.displayName)) return manifest.displayName;
    const std::string stored =
        ReadRegString(HKEY_CURRENT_USER, std::string(kPackageRepositoryKey) + "\\" + fullName, "DisplayName");
    if (!stored.empty()) {
        if (stored[0] != '@' && !IsResourceReference(stored)) return stored;
        const std::string resolved = ResolvedIndirect(stored);
        if (!resolved.empty()) return resolved;
    }
    if (!manifest.displayName.empty()) {
        const std::string resolved =
            ResolvedIndirect(PackageResourceReference(fullName, manifest.identityName, manifest.displayName));
        if (!resolved.empty()) return resolved;
    }
    return manifest.identityName.empty() ? fullName : manifest.identityName;
}

bool IsTrue(const std::string& value) { return value == "true" || value == "1"; }

std::string FullPathIn(const std::string& folder, std::string relative) {
    for (char& c : relative) {
        if (c == '/') c = '\\';
    }
    if (folder.empty()) return relative;
    return folder.back() == '\\' ? folder + relative : folder + "\\" + relative;
}

// A manifest as read, with the file's size and time of its last change then.
struct ReadManifest {
    FILETIME written{};
    ULONGLONG size = 0;
    bool readable = false;
    ManifestFacts facts;
};
using ReadManifests = std::map<std::string, ReadManifest>;  // by lookup key of the manifest's path

ReadManifests& ManifestsRead() {
    static ReadManifests read;
    return read;
}

// A package's manifest does not change while it is installed (an update
// installs into a folder of its own), so a refresh reads again only a manifest
// whose file changed since the last listing.
bool ReadManifestOnce(const std::string& path, ManifestFacts& facts, ReadManifests& into) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(WideFromUtf8(path).c_str(), GetFileExInfoStandard, &data)) return false;
    const ULONGLONG size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const std::string key = TextKey(path);
    const ReadManifests& before = ManifestsRead();
    const auto known = before.find(key);
    ReadManifest read;
    if (known != before.end() && known->second.size == size &&
        CompareFileTime(&known->second.written, &data.ftLastWriteTime) == 0) {
        read = known->second;
    } else {
        read.written = data.ftLastWriteTime;
        read.size = size;
        read.readable = ReadPackageManifest(path, read.facts);
    }
    facts = read.facts;
    const bool readable = read.readable;
    into[key] = std::move(read);
    return readable;
}

void AddTasksOfPackage(const std::string& fullName, const std::string& family, const std::string& folder,
                       std::vector<PackagedStartupTask>& tasks, ReadManifests& manifests) {
    ManifestFacts manifest;
    if (folder.empty() || !ReadManifestOnce(FullPathIn(folder, "AppxManifest.xml"), manifest, manifests)) return;
    if (manifest.startupTasks.empty()) return;
    const std::string displayName = DisplayNameOf(fullName, manifest);
    for (const ManifestStartupTask& found : manifest.startupTasks) {
        PackagedStartupTask task;
        task.packageFullName = fullName;
        task.family = family;
        task.folder = folder;
        task.displayName = displayName;
        task.taskId = found.taskId;
        task.taskDisplayName = found.displayName;
        task.executable = FullPathIn(folder, found.executable);
        task.enabledInManifest = found.enabled;
        RawRegistryValue state;
        if (ReadRegRawValue(HKEY_CURRENT_USER, StartupTaskStateKey(family, found.taskId), "State", state) &&
            state.type == REG_DWORD && state.bytes.size() == sizeof(DWORD)) {
            task.stateStored = true;
            for (size_t i = 0; i < sizeof(DWORD); ++i) {
                task.state |= static_cast<DWORD>(static_cast<unsigned char>(state.bytes[i])) << (8 * i);
            }
        }
        tasks.push_back(std::move(task));
    }
}

}  // namespace

bool ReadPackageManifest(const std::string& path, ManifestFacts& facts) {
    XmlLiteNode root;
    if (!ReadXmlLiteFile(path, root) || root.name != "Package") return false;
    if (const XmlLiteNode* identity = root.Child("Identity")) facts.identityName = identity->Attribute("Name");
    if (const XmlLiteNode* properties = root.Child("Properties"))
        facts.displayName = properties->ChildText("DisplayName");
    const XmlLiteNode* applications = root.Child("Applications");
    if (!applications) return true;
    for (const XmlLiteNode& application : applications->children) {
        if (application.name != "Application") continue;
        const XmlLiteNode* extensions = application.Child("Extensions");
        if (!extensions) continue;
        for (const XmlLiteNode& extension : extensions->children) {
            // uap5:Extension, or desktop:Extension of the first desktop bridge.
            if (extension.name != "Extension" || extension.Attribute("Category") != "windows.startupTask") continue;
            const XmlLiteNode* startupTask = extension.Child("StartupTask");
            if (!startupTask || startupTask->Attribute("TaskId").empty()) continue;
            ManifestStartupTask task;
            task.taskId = startupTask->Attribute("TaskId");
            task.displayName = startupTask->Attribute("DisplayName");
            task.enabled = IsTrue(startupTask->Attribute("Enabled"));
            task.executable = extension.Attribute("Executable");
            if (task.executable.empty()) task.executable = application.Attribute("Executable");
            if (task.executable.empty()) continue;
            facts.startupTasks.push_back(std::move(task));
        }
    }
    return true;
}

std::vector<PackagedStartupTask> ListPackagedStartupTasks() {
    std::vector<PackagedStartupTask> tasks;
    ReadManifests manifests;
    // The repository names every package the user has; grouped by family in
    // the order it names them.
    std::vector<std::pair<std::string, std::vector<std::string>>> families;
    for (const std::string& fullName : SubkeysOf(HKEY_CURRENT_USER, kPackageRepositoryKey)) {
        const std::string family = PackageFamilyOf(fullName);
        if (family.empty()) continue;
        auto known = families.begin();
        while (known != families.end() && !SameText(known->first, family)) ++known;
        if (known == families.end()) {
            families.emplace_back(family, std::vector<std::string>{fullName});
        } else {
            known->second.push_back(fullName);
        }
    }
    for (const auto& [family, stored] : families) {
        std::vector<std::string> installed;
        const bool asked = InstalledPackagesOfFamily(family, installed);
        for (const std::string& fullName : asked ? installed : stored) {
            std::string folder;
            if (!InstalledPackageFolder(fullName, folder)) {
                folder = ReadRegString(HKEY_CURRENT_USER, std::string(kPackageRepositoryKey) + "\\" + fullName,
                                       "PackageRootFolder");
            }
            AddTasksOfPackage(fullName, family, folder, tasks, manifests);
        }
    }
    // Only the manifests of this listing are kept for the next one.
    ManifestsRead().swap(manifests);
    return tasks;
}

std::string StartupTaskStateKey(const std::string& family, const std::string& taskId) {
    return std::string(kStartupTaskStatesKey) + "\\" + family + "\\" + taskId;
}

WriteOutcome WriteStartupTaskState(const std::string& family, const std::string& taskId, StartupTaskState state) {
    HKEY key = nullptr;
    const LONG created = RegCreateKeyExW(HKEY_CURRENT_USER, WideFromUtf8(StartupTaskStateKey(family, taskId)).c_str(),
                                         0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr);
    if (created != ERROR_SUCCESS) return WriteOutcomeOfError(static_cast<DWORD>(created));
    const DWORD value = static_cast<DWORD>(state);
    const LONG set = RegSetValueExW(key, L"State", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
    RegCloseKey(key);
    return set == ERROR_SUCCESS ? WriteOutcome::Done() : WriteOutcomeOfError(static_cast<DWORD>(set));
}
