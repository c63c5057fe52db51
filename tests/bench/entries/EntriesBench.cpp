// Fills all fourteen classic locations with 500 entries (every fifth one
// switched off) and times CollectAllEntries over them against its floor: the
// same keys, link files and win.ini lists read with the bare platform calls and
// nothing else. Then the same collection followed by the will-not-run check of
// every entry (a fresh lookup per refresh, as the window makes it), against the
// collection alone. Then the refresh with the scheduled tasks (50 definitions)
// and the packaged apps (10 packages) against the same refresh without those
// two lookups. Everything is timed alternately in one process; prints medians
// and ratios.
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/BenchTiming.h"
#include "bench/entries/BenchEntries.h"
#include "bench/entries/BenchLogonTasks.h"
#include "entries/EntryCatalogue.h"
#include "entries/LocationFamily.h"
#include "entries/LocationKinds.h"
#include "entries/RunCheck.h"
#include "entries/ShellLink.h"
#include "entries/StartupFolders.h"
#include "entries/TaskScheduler.h"
#include "system/Files.h"
#include "system/RegistryValues.h"

namespace {

const char kShellFolders[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const char kRunKeyBase[] = "Software\\Microsoft\\Windows\\CurrentVersion\\";
const char* const kRunKeys[] = {"Run", "RunOnce", "RunOnceEx", "RunServices", "RunServicesOnce"};
const char kWinIniKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

// The floor's one shell-link object, made once like the catalogue's.
struct FloorLink {
    IShellLinkA* link = nullptr;
    IPersistFile* file = nullptr;
};

size_t FloorFolder(FloorLink& shell, HKEY root, const char* value) {
    char folder[MAX_PATH];
    DWORD size = sizeof folder;
    HKEY key;
    if (RegOpenKeyExA(root, kShellFolders, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
    const LONG read = RegQueryValueExA(key, value, nullptr, nullptr, reinterpret_cast<BYTE*>(folder), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS) return 0;
    char pattern[MAX_PATH + 8];
    wsprintfA(pattern, "%s\\*.lnk", folder);
    WIN32_FIND_DATAA found;
    HANDLE find =
        FindFirstFileExA(pattern, FindExInfoBasic, &found, FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return 0;
    size_t count = 0;
    do {
        char file[2 * MAX_PATH];
        wchar_t wide[2 * MAX_PATH];
        wsprintfA(file, "%s\\%s", folder, found.cFileName);
        MultiByteToWideChar(CP_ACP, 0, file, -1, wide, 2 * MAX_PATH);
        if (SUCCEEDED(shell.file->Load(wide, STGM_READ))) {
            char path[MAX_PATH], arguments[1024];
            shell.link->GetPath(path, MAX_PATH, nullptr, SLGP_UNCPRIORITY);
            shell.link->GetArguments(arguments, sizeof arguments);
        }
        ++count;
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return count;
}

size_t FloorKey(HKEY root, const char* name) {
    char path[MAX_PATH];
    wsprintfA(path, "%s%s", kRunKeyBase, name);
    HKEY key;
    if (RegOpenKeyExA(root, path, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
    static char valueName[16384];
    static BYTE data[65536];
    size_t count = 0;
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = sizeof valueName, dataSize = sizeof data, type = 0;
        if (RegEnumValueA(key, index, valueName, &nameLength, nullptr, &type, data, &dataSize) != ERROR_SUCCESS) break;
        ++count;
    }
    RegCloseKey(key);
    return count;
}

size_t FloorWinIni() {
    static char list[65536];
    char windows[MAX_PATH], file[MAX_PATH + 16];
    GetWindowsDirectoryA(windows, MAX_PATH);
    wsprintfA(file, "%s\\Win.ini", windows);
    size_t count = 0;
    for (const char* key : {"load", "run"}) {
        const DWORD length = GetPrivateProfileStringA("Windows", key, "", list, sizeof list, file);
        if (length) ++count;
        for (DWORD n = 0; n < length; ++n) count += list[n] == ';';
    }
    return count;
}

size_t Floor(FloorLink& shell) {
    size_t count = FloorFolder(shell, HKEY_LOCAL_MACHINE, "Common Startup");
    count += FloorFolder(shell, HKEY_CURRENT_USER, "STARTUP");
    for (const HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        for (const char* key : kRunKeys) count += FloorKey(root, key);
    }
    return count + FloorWinIni();
}

// The location table without the task and package rows: the refresh as it was
// before those lookups.
std::vector<LocationKindRow> WithoutTasksAndApps(const std::vector<LocationKindRow>& rows) {
    std::vector<LocationKindRow> classic;
    for (const LocationKindRow& row : rows) {
        if (row.kind != kLogonTasks && row.kind != kPackagedAppTasks) classic.push_back(row);
    }
    return classic;
}

// One refresh as the window makes it: every entry, then why each will not start.
size_t Refresh(EntryList& entries) {
    entries = CollectAllEntries();
    const ProgramLookup lookup = SystemProgramLookup();
    size_t reasons = 0;
    for (const StartupEntry& entry : entries) reasons += WhyEntryWillNotStart(entry, lookup) != NotRunReason::None;
    return reasons;
}

size_t CountKind(const EntryList& entries, int32_t kind) {
    return std::count_if(entries.begin(), entries.end(), [kind](const StartupEntry& e) { return e.kind == kind; });
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 30;
    const int warmUps = 3;
    CreateSharedShellLink();
    if (!SeedBenchEntries() || !SeedBenchTasksAndPackages()) {
        fprintf(stderr, "seeding failed\n");
        return 1;
    }
    FloorLink shell;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shell.link))) ||
        FAILED(shell.link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&shell.file)))) {
        fprintf(stderr, "no shell-link object\n");
        return 1;
    }

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    const std::vector<LocationKindRow> allRows = LocationKindRows();
    const std::vector<LocationKindRow> classicRows = WithoutTasksAndApps(allRows);
    std::vector<double> floorTimes, catalogueTimes, checkedTimes, withTasksTimes, taskTimes, appTimes;
    size_t notRunning = 0, notRunningWithTasks = 0;
    size_t floorCount = 0, catalogueCount = 0, inactive = 0;
    EntryList withTasks;
    for (int i = 0; i < warmUps + runs; ++i) {
        LocationKindRows() = classicRows;
        QueryPerformanceCounter(&start);
        floorCount = Floor(shell);
        QueryPerformanceCounter(&end);
        if (i >= warmUps) floorTimes.push_back(Milliseconds(start, end, frequency));

        QueryPerformanceCounter(&start);
        const EntryList entries = CollectAllEntries();
        QueryPerformanceCounter(&end);
        if (i >= warmUps) catalogueTimes.push_back(Milliseconds(start, end, frequency));
        catalogueCount = entries.size();
        inactive = std::count_if(entries.begin(), entries.end(), [](const StartupEntry& e) { return e.active == 0; });

        EntryList checked;
        QueryPerformanceCounter(&start);
        notRunning = Refresh(checked);
        QueryPerformanceCounter(&end);
        if (i >= warmUps) checkedTimes.push_back(Milliseconds(start, end, frequency));

        LocationKindRows() = allRows;
        QueryPerformanceCounter(&start);
        notRunningWithTasks = Refresh(withTasks);
        QueryPerformanceCounter(&end);
        if (i >= warmUps) withTasksTimes.push_back(Milliseconds(start, end, frequency));

        // Each of the two lookups alone, to tell where the difference lies.
        QueryPerformanceCounter(&start);
        FamilyOf(kLogonTasks)->List(kLogonTasks, EntryPlace::Location);
        QueryPerformanceCounter(&end);
        if (i >= warmUps) taskTimes.push_back(Milliseconds(start, end, frequency));
        QueryPerformanceCounter(&start);
        FamilyOf(kPackagedAppTasks)->List(kPackagedAppTasks, EntryPlace::Location);
        QueryPerformanceCounter(&end);
        if (i >= warmUps) appTimes.push_back(Milliseconds(start, end, frequency));
    }
    shell.file->Release();
    shell.link->Release();

    const double floorMedian = Median(floorTimes);
    const double catalogueMedian = Median(catalogueTimes);
    printf("entries: %zu seeded, catalogue %zu (%zu inactive), floor %zu\n", static_cast<size_t>(kBenchEntryCount),
           catalogueCount, inactive, floorCount);
    printf("runs: %d each, alternating, after %d warm-up pairs\n", runs, warmUps);
    printf("floor      median %8.2f ms\n", floorMedian);
    printf("catalogue  median %8.2f ms\n", catalogueMedian);
    printf("ratio  catalogue/floor = %.2f  (goal: at most 1.5)\n", catalogueMedian / floorMedian);
    const double checkedMedian = Median(checkedTimes);
    printf("catalogue + will-not-run check median %8.2f ms (%zu will not run)\n", checkedMedian, notRunning);
    printf("ratio  checked/catalogue = %.2f  (goal: at most 1.2)\n", checkedMedian / catalogueMedian);
    const size_t tasks = CountKind(withTasks, kLogonTasks), apps = CountKind(withTasks, kPackagedAppTasks);
    const double withTasksMedian = Median(withTasksTimes);
    printf("tasks: %d definitions, %zu listed; packages: %d, %zu startup tasks listed\n", kBenchTaskCount, tasks,
           kBenchPackageCount, apps);
    printf("refresh with tasks and apps median %8.2f ms (%zu entries, %zu will not run)\n", withTasksMedian,
           withTasks.size(), notRunningWithTasks);
    printf("  of which the task listing median %8.2f ms, the packages' median %8.2f ms\n", Median(taskTimes),
           Median(appTimes));
    printf("ratio  with/without tasks and apps = %.2f  (goal: at most 1.3)\n", withTasksMedian / checkedMedian);

    // The same walk through Wine's own Task Scheduler, for what the service's
    // calls cost beside the reading of the definitions.
    const int registered = RegisterBenchTasksWithTheService();
    std::vector<double> serviceTimes;
    size_t walked = 0;
    for (int i = 0; registered > 0 && i < warmUps + runs; ++i) {
        std::vector<RegisteredTask> found;
        QueryPerformanceCounter(&start);
        SystemTaskScheduler().Tasks(found);
        QueryPerformanceCounter(&end);
        if (i >= warmUps) serviceTimes.push_back(Milliseconds(start, end, frequency));
        walked = found.size();
    }
    if (registered > 0) {
        printf("Wine's Task Scheduler: %d registered, %zu walked with their definitions, median %8.2f ms\n", registered,
               walked, Median(serviceTimes));
    } else {
        printf("Wine's Task Scheduler: not reached, its walk not timed\n");
    }
    DestroySharedShellLink();
    const bool allListed = tasks == static_cast<size_t>(kBenchTaskCount) &&
                           apps == static_cast<size_t>(kBenchPackagedTaskCount) &&
                           withTasks.size() == catalogueCount + tasks + apps;
    return catalogueCount == static_cast<size_t>(kBenchEntryCount) && floorCount == catalogueCount && allListed ? 0 : 1;
}
