#!/usr/bin/env bash
# Times the logon check ("Bootmarshal.exe /blocklist") as a whole process under
# Wine against a floor program doing the same platform work with bare API calls,
# in one seeded throw-away prefix, runs alternating. Prints medians and ratio.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
# Only what is timed is built; scripts/build.sh configures the tree first.
[ -f "$root/build/windows/build.ninja" ] || "$root/scripts/build.sh" >/dev/null
cmake --build "$root/build/windows" --target Bootmarshal blockcheck_seed blockcheck_floor >/dev/null
export BM_WINE_RUNDIR="$(mktemp -d "${TMPDIR:-/tmp}/bootmarshal-bench.XXXXXX")"
source "$root/tests/wine/wine-env.sh"
trap bm_wine_cleanup EXIT
bm_use_prefix bench-blockcheck
wine "$root/build/windows/bench-bin/blockcheck_seed.exe" || { echo "seeding failed"; exit 1; }
python3 - "$root" "${RUNS:-40}" <<'PY'
import statistics, subprocess, sys, time
root, runs = sys.argv[1], int(sys.argv[2])
commands = {
    "floor": ["wine", f"{root}/build/windows/bench-bin/blockcheck_floor.exe"],
    "check": ["wine", f"{root}/build/windows/bin/Bootmarshal.exe", "/blocklist"],
}
times = {name: [] for name in commands}
for i in range(runs + 3):
    for name, command in commands.items():
        start = time.perf_counter()
        subprocess.run(command, check=True)
        if i >= 3:  # warm-up runs are not counted
            times[name].append(time.perf_counter() - start)
floor, check = (statistics.median(times[n]) * 1000 for n in ("floor", "check"))
print(f"runs: {runs} each, alternating, after 3 warm-up pairs")
print(f"floor  median {floor:7.1f} ms")
print(f"check  median {check:7.1f} ms")
print(f"ratio  check/floor = {check / floor:.2f}  (goal: at most 1.0)")
PY
