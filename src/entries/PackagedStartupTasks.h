// The startup tasks of packaged apps (the windows.startupTask extensions of a
// package's AppxManifest.xml), as Settings and Task Manager show them: for each
// package installed for the user, each task of its manifest, with the state
// Settings keeps for it under
// HKCU\Software\Classes\Local Settings\Software\Microsoft\Windows\CurrentVersion
// \AppModel\SystemAppData\<package family>\<task id>, value State.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "system/WriteOutcome.h"

// The values Settings writes to State.
enum class StartupTaskState : DWORD {
    Disabled = 0,          // never switched on (the app's own default)
    DisabledByUser = 1,    // switched off in Settings or Task Manager
    Enabled = 2,           // switched on
    DisabledByPolicy = 3,  // a policy keeps it off
    EnabledByPolicy = 4,   // a policy keeps it on
};

struct PackagedStartupTask {
    std::string packageFullName;
    std::string family;       // the package family: names its state key
    std::string folder;       // the package's folder
    std::string displayName;  // the package's display name
    std::string taskId;
    std::string taskDisplayName;  // as the manifest gives it; may be a resource reference
    std::string executable;       // the program's full path in the package folder
    bool enabledInManifest = false;
    bool stateStored = false;  // Settings has written State
    DWORD state = 0;

    bool Active() const {
        if (!stateStored) return enabledInManifest;
        return state == static_cast<DWORD>(StartupTaskState::Enabled) ||
               state == static_cast<DWORD>(StartupTaskState::EnabledByPolicy);
    }
    bool SetByPolicy() const {
        return stateStored && (state == static_cast<DWORD>(StartupTaskState::DisabledByPolicy) ||
                               state == static_cast<DWORD>(StartupTaskState::EnabledByPolicy));
    }
};

// A task of a manifest before its package's folder and state are known.
struct ManifestStartupTask {
    std::string taskId;
    std::string displayName;
    std::string executable;  // relative to the package folder, as the manifest gives it
    bool enabled = false;
};
struct ManifestFacts {
    std::string identityName;  // Package/Identity Name
    std::string displayName;   // Package/Properties/DisplayName (may be "ms-resource:...")
    std::vector<ManifestStartupTask> startupTasks;
};
// Reads a package's AppxManifest.xml; false when it cannot be read as XML.
bool ReadPackageManifest(const std::string& path, ManifestFacts& facts);

// Every startup task of every package installed for the user, in the order of
// the package repository (packages), then of each manifest.
std::vector<PackagedStartupTask> ListPackagedStartupTasks();

// The key below HKCU that holds the task's State.
std::string StartupTaskStateKey(const std::string& family, const std::string& taskId);
// Writes State as Settings does (creating the key as it does).
WriteOutcome WriteStartupTaskState(const std::string& family, const std::string& taskId, StartupTaskState state);

// HKCU\...\AppModel: the repository's packages and the state keys.
extern const char kAppModelKey[];
extern const char kPackageRepositoryKey[];
extern const char kStartupTaskStatesKey[];
