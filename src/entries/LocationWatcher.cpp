#include "entries/LocationWatcher.h"

#include <algorithm>

#include "entries/LocationFamily.h"
#include "entries/RegistryLocations.h"
#include "entries/StartupEntry.h"
#include "system/Utf8.h"

namespace {

const char kStartupApprovedKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved";

const DWORD kValuesAndKeys = REG_NOTIFY_CHANGE_NAME | REG_NOTIFY_CHANGE_LAST_SET;

std::string Parent(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

LocationWatcher::~LocationWatcher() { Disarm(); }

void LocationWatcher::Disarm() {
    // The keys go first: closing one ends its notification, which may signal
    // the event; the event is closed right after, so nobody sees that.
    keys_.clear();
    watchedKeyNames_.clear();
    event_.reset();
    for (HANDLE folder : folders_) FindCloseChangeNotification(folder);
    folders_.clear();
    handles_.clear();
}

void LocationWatcher::WatchKey(HKEY root, const std::string& path, REGSAM view, bool subtree, DWORD filter) {
    const std::string name = std::to_string(reinterpret_cast<uintptr_t>(root)) + "|" + std::to_string(view) + "|" +
                             path + (subtree ? "|tree" : "|");
    if (!event_.valid()) return;
    if (std::find(watchedKeyNames_.begin(), watchedKeyNames_.end(), name) != watchedKeyNames_.end()) return;
    ScopedKey key;
    if (RegOpenKeyExW(root, WideFromUtf8(path).c_str(), 0, KEY_NOTIFY | view, key.receive()) != ERROR_SUCCESS) return;
    if (RegNotifyChangeKeyValue(key.get(), subtree ? TRUE : FALSE, filter, event_.get(), TRUE) != ERROR_SUCCESS) {
        return;
    }
    watchedKeyNames_.push_back(name);
    keys_.push_back(std::move(key));
}

bool LocationWatcher::WatchKeyOrParent(HKEY root, const std::string& path, REGSAM view) {
    ScopedKey probe;
    if (RegOpenKeyExW(root, WideFromUtf8(path).c_str(), 0, KEY_NOTIFY | view, probe.receive()) == ERROR_SUCCESS) {
        probe.reset();
        WatchKey(root, path, view, true, kValuesAndKeys);
        return true;
    }
    for (std::string parent = Parent(path); !parent.empty(); parent = Parent(parent)) {
        if (RegOpenKeyExW(root, WideFromUtf8(parent).c_str(), 0, KEY_NOTIFY | view, probe.receive()) == ERROR_SUCCESS) {
            probe.reset();
            WatchKey(root, parent, view, false, REG_NOTIFY_CHANGE_NAME);
            return true;
        }
    }
    return false;
}

void LocationWatcher::WatchFolderTree(const std::string& folder) {
    const HANDLE change = FindFirstChangeNotificationW(
        WideFromUtf8(folder).c_str(), TRUE,
        FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE);
    if (change == INVALID_HANDLE_VALUE) return;
    folders_.push_back(change);
}

bool LocationWatcher::Arm() {
    Disarm();
    event_ = ScopedFile(CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (event_.get() == nullptr) event_.reset();
    for (const int32_t kind : AllLocationKinds()) {
        if (const LocationFamily* family = FamilyOf(kind)) family->Watch(kind, *this);
    }
    const REGSAM machineView = RegistryViewOf(kMachineRun);
    WatchKeyOrParent(HKEY_CURRENT_USER, kStartupApprovedKey, 0);
    WatchKeyOrParent(HKEY_LOCAL_MACHINE, kStartupApprovedKey, machineView);
    if (!keys_.empty()) handles_.push_back(event_.get());
    handles_.insert(handles_.end(), folders_.begin(), folders_.end());
    return !handles_.empty();
}
