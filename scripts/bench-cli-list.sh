#!/usr/bin/env bash
# Times "Bootmarshal.com /list /json" over 500 entries as a whole process under
# Wine against the logon check's floor program, in one seeded throw-away prefix,
# runs alternating. Prints medians and ratio.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
[ -f "$root/build/windows/build.ninja" ] || "$root/scripts/build.sh" >/dev/null
cmake --build "$root/build/windows" --target BootmarshalConsole blockcheck_seed blockcheck_floor >/dev/null
export BM_WINE_RUNDIR="$(mktemp -d "${TMPDIR:-/tmp}/bootmarshal-bench.XXXXXX")"
source "$root/tests/wine/wine-env.sh"
trap bm_wine_cleanup EXIT
bm_use_prefix bench-cli-list
wine "$root/build/windows/bench-bin/blockcheck_seed.exe" || { echo "seeding failed"; exit 1; }
python3 - "$root" "${RUNS:-20}" <<'PY'
import codecs, json, os, statistics, subprocess, sys, tempfile, time
root, runs = sys.argv[1], int(sys.argv[2])
listing = ["wine", f"{root}/build/windows/bin/Bootmarshal.com", "/list", "/json"]
# The seed's 330 entries, topped up to 500 with values of the user's Run key.
have = len(json.loads(subprocess.run(listing, check=True, capture_output=True).stdout))
lines = ["Windows Registry Editor Version 5.00", "",
         r"[HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run]"]
lines += [f'"Extra {i}"="C:\\\\Tools\\\\extra{i}.exe /quiet"' for i in range(500 - have)]
with tempfile.NamedTemporaryFile("wb", suffix=".reg", delete=False) as f:
    f.write(codecs.BOM_UTF16_LE + "\r\n".join(lines + [""]).encode("utf-16-le"))
subprocess.run(["wine", "regedit", "/s", f.name], check=True)
os.unlink(f.name)
count = len(json.loads(subprocess.run(listing, check=True, capture_output=True).stdout))
commands = {"floor": ["wine", f"{root}/build/windows/bench-bin/blockcheck_floor.exe"], "list": listing}
times = {name: [] for name in commands}
for i in range(runs + 3):
    for name, command in commands.items():
        start = time.perf_counter()
        subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
        if i >= 3:  # warm-up runs are not counted
            times[name].append(time.perf_counter() - start)
floor, lst = (statistics.median(times[n]) * 1000 for n in ("floor", "list"))
print(f"entries listed: {count}; runs: {runs} each, alternating, after 3 warm-up pairs")
print(f"floor  median {floor:7.1f} ms")
print(f"list   median {lst:7.1f} ms")
print(f"ratio  list/floor = {lst / floor:.2f}  (goal: at most 1.3)")
PY
