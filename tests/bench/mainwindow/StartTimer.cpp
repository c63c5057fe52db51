// Times whole starts: from CreateProcess until the program's main window is
// visible and has handled everything queued before a WM_NULL (so it has been
// painted), for Bootmarshal.exe and for the floor program, alternately. Before
// every start the backup file is deleted, so each start of Bootmarshal.exe
// finds no backup file and writes one snapshot of all entries.
//   starttimer.exe <runs> <Bootmarshal.exe> <startfloor.exe>
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BootmarshalVersion.h"
#include "bench/BenchTiming.h"
#include "support/Processes.h"
#include "support/WindowFinder.h"
#include "system/DataFolder.h"
#include "system/Errors.h"
#include "system/Files.h"
#include "system/ProductNames.h"
#include "ui/win/WindowClasses.h"

namespace {

// Milliseconds to the first painted window, or a negative number on failure.
double TimeStart(const std::string& program, const char* className) {
    DeleteFileA((DataFolder(kBaseName) + "BootmarshalBackup.xml").c_str());
    // A start after the first: the language is chosen.
    PrepareDataFolder(kBaseName, false);
    try {
        WriteTextFileOnce(DataFolder(kBaseName) + "Bootmarshal.cho", BM_VERSION_TEXT);
    } catch (const EInOutError&) {
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    testsupport::Program started = testsupport::Program::Start("\"" + program + "\"");
    if (!started.started()) return -1;
    HWND window = nullptr;
    for (int spin = 0; spin < 200000 && !window; ++spin) {
        window = testsupport::FindVisibleWindow(className, started.processId());
        if (!window) Sleep(1);
    }
    DWORD_PTR result = 0;
    if (window) SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 20000, &result);
    QueryPerformanceCounter(&end);
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    started.WaitForExit(20000);
    if (!window) return -1;
    return Milliseconds(start, end, frequency);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        fprintf(stderr, "usage: starttimer <runs> <Bootmarshal.exe> <startfloor.exe>\n");
        return 2;
    }
    const int runs = std::max(1, atoi(argv[1]));
    const int warmUps = 2;
    std::vector<double> program, floor;
    for (int i = 0; i < warmUps + runs; ++i) {
        const double f = TimeStart(argv[3], "BenchFloor");
        const double p = TimeStart(argv[2], WindowClass::Main);
        if (f < 0 || p < 0) {
            fprintf(stderr, "a start failed (floor %.1f, program %.1f)\n", f, p);
            return 1;
        }
        if (i >= warmUps) {
            floor.push_back(f);
            program.push_back(p);
        }
    }
    const double f = Median(floor), p = Median(program);
    printf("runs: %d each, alternating, after %d warm-up pairs; backup file deleted before every start\n", runs,
           warmUps);
    printf("floor        median %8.1f ms  (window + CollectAllEntries + paint)\n", f);
    printf("Bootmarshal  median %8.1f ms  (start to first painted main window)\n", p);
    printf("ratio  Bootmarshal/floor = %.2f  (goal: at most 1.5)\n", p / f);
    return 0;
}
