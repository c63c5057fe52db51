// Change notifications for every listed location, so the window can read the
// list again when another program changes one: each Run-family key of both
// hives and both views (with its "AutorunsDisabled" subkey), Windows' switch
// keys, win.ini's registry key and both Startup folders (with their
// "AutorunsDisabled" folders). A key that does not exist yet is noticed when it
// is made: its parent is watched for new subkeys instead, and the next Arm
// watches the key itself.
//
// Use on the window thread (a registry notification ends with the thread that
// asked for it):
//   watcher.Arm();
//   MsgWaitForMultipleObjects(watcher.Handles().size(), watcher.Handles().data(), ...)
//   on a signalled handle: watcher.Arm() again, then let a ChangeCoalescer
//   (entries/ChangeCoalescer.h) decide when to refresh.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "system/Scoped.h"

class LocationWatcher {
public:
    LocationWatcher() = default;
    ~LocationWatcher();
    LocationWatcher(const LocationWatcher&) = delete;
    LocationWatcher& operator=(const LocationWatcher&) = delete;

    // (Re)arms every watch from scratch: the keys and folders that exist now.
    // The handles of an earlier Arm are closed. False when nothing could be
    // watched at all.
    bool Arm();
    // Stops watching; Handles() is empty afterwards.
    void Disarm();
    // The handles to wait on: one event for all registry keys, then one per
    // watched folder. Valid until the next Arm or Disarm.
    const std::vector<HANDLE>& Handles() const { return handles_; }
    // How many keys and folders are watched (for tests and diagnostics).
    size_t WatchedKeys() const { return keys_.size(); }
    size_t WatchedFolders() const { return folders_.size(); }

private:
    void WatchKey(HKEY root, const std::string& path, REGSAM view, bool subtree, DWORD filter);
    bool WatchKeyOrParent(HKEY root, const std::string& path, REGSAM view);

    ScopedFile event_;  // (an event handle closes like a file handle)
    std::vector<ScopedKey> keys_;
    std::vector<std::string> watchedKeyNames_;
    std::vector<HANDLE> folders_;
    std::vector<HANDLE> handles_;
};
