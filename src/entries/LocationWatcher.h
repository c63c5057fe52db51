// Change notifications for every listed location, so the window can read the
// list again when another program changes one: each location family watches
// its kinds' locations (the Run-family keys of both hives and both views with
// their "AutorunsDisabled" subkeys, both Startup folders with their
// "AutorunsDisabled" folders, win.ini's registry key), and Windows' switch keys
// are watched besides. A key that does not exist yet is noticed when it
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

    // What a location family asks for (entries/LocationFamily.h) while Arm
    // runs. A key asked for twice is watched once.
    // The key, notified of changes the filter names (of all below it with subtree).
    void WatchKey(HKEY root, const std::string& path, REGSAM view, bool subtree, DWORD filter);
    // The key with everything below it, or, while it does not exist, the nearest
    // parent that does, for a new subkey on the way to it.
    bool WatchKeyOrParent(HKEY root, const std::string& path, REGSAM view);
    // The folder (no trailing backslash) with everything below it.
    void WatchFolderTree(const std::string& folder);

private:
    ScopedFile event_;  // (an event handle closes like a file handle)
    std::vector<ScopedKey> keys_;
    std::vector<std::string> watchedKeyNames_;
    std::vector<HANDLE> folders_;
    std::vector<HANDLE> handles_;
};
