// The main window's refresh against collecting the entries alone, on the
// benchmarks' 500 entries: both timed alternately in one process; prints the
// medians and their ratio. "listrefresh.exe seed" fills the locations first.
// (The file name is as long as "Bootmarshal.exe", so the deactivation marker
// of the seeded switched-off entries is recognised.)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "bench/BenchTiming.h"
#include "bench/entries/BenchEntries.h"
#include "entries/EntryCatalogue.h"
#include "entries/ShellLink.h"
#include "ui/main/MainWindow.h"

namespace {}  // namespace

int main(int argc, char** argv) {
    CreateSharedShellLink();
    if (argc > 1 && strcmp(argv[1], "seed") == 0) return SeedBenchEntries() ? 0 : 1;
    const int runs = argc > 1 ? std::max(1, atoi(argv[1])) : 40;
    const int warmUps = 3;
    ui::MainWindow window;
    if (!window.Create()) {
        fprintf(stderr, "no main window\n");
        return 1;
    }
    window.Show();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> collectTimes, refreshTimes, rebuildTimes;
    size_t collected = 0;
    for (int i = 0; i < warmUps + runs; ++i) {
        QueryPerformanceCounter(&start);
        collected = CollectAllEntries().size();
        QueryPerformanceCounter(&end);
        if (i >= warmUps) collectTimes.push_back(Milliseconds(start, end, frequency));

        QueryPerformanceCounter(&start);
        window.RefreshList();
        // The list is drawn as part of a refresh the user sees.
        UpdateWindow(window.Control(1201));
        QueryPerformanceCounter(&end);
        if (i >= warmUps) refreshTimes.push_back(Milliseconds(start, end, frequency));

        // The same after a change of the lines: the list is filled anew.
        SendMessageA(window.Control(1201), LB_RESETCONTENT, 0, 0);
        QueryPerformanceCounter(&start);
        window.RefreshList();
        UpdateWindow(window.Control(1201));
        QueryPerformanceCounter(&end);
        if (i >= warmUps) rebuildTimes.push_back(Milliseconds(start, end, frequency));
    }
    const double collect = Median(collectTimes), refresh = Median(refreshTimes), rebuild = Median(rebuildTimes);
    printf("entries: %zu collected, %zu listed\n", collected, window.Model().LineCount());
    printf("runs: %d of each, interleaved, after %d warm-up pairs\n", runs, warmUps);
    printf("CollectAllEntries  median %8.2f ms\n", collect);
    printf("RefreshList        median %8.2f ms  (same lines: the list is only repainted)\n", refresh);
    printf("RefreshList        median %8.2f ms  (lines changed: the list is filled anew)\n", rebuild);
    printf("ratio  RefreshList/CollectAllEntries = %.2f, filled anew %.2f  (goal: at most 1.2)\n", refresh / collect,
           rebuild / collect);
    return collected == static_cast<size_t>(kBenchEntryCount) ? 0 : 1;
}
