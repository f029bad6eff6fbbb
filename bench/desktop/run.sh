#!/usr/bin/env bash
# Times a traced check of the generated 2,000-page site (60 references a page) run from
# the desktop window, offscreen, against tarvik-cli on the same site, and reports the
# longest time the window's event loop was held up during the run. On a busy machine
# the processor times are the steadier figures to compare.
# Usage: bench/desktop/run.sh   Environment: RUNS (default 5).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
out=$top/bench/out
build=$top/build
site=$out/site-2000x60
runs=${RUNS:-5}

"$top/scripts/setup"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake -S "$top" -B "$build" -G Ninja >/dev/null
fi
cmake --build "$build" --target tarvik-cli tarvik-window-bench >/dev/null
mkdir -p "$out"
[ -f "$site.truth.json" ] || { rm -rf "$site"; python3 "$top/bench/gen_site.py" "$site" 2000 60 1; }

export QT_QPA_PLATFORM=offscreen
window=()
windowCpu=()
cli=()
cliCpu=()
gaps=()
for _ in $(seq "$runs"); do
  line=$("$build/tests/app/tarvik-window-bench" "$site" 2>/dev/null)
  window+=("$(sed -E 's/^window run: ([0-9.]+) s.*/\1/' <<<"$line")")
  windowCpu+=("$(sed -E 's/.*cpu ([0-9.]+) s.*/\1/' <<<"$line")")
  gaps+=("$(sed -E 's/.*gap: ([0-9.]+) ms.*/\1/' <<<"$line")")
  /usr/bin/time -f '%e %U %S' -o "$out/cli.time" \
    "$build/src/cli/tarvik-cli" -q --trace --folder "$site" index.html >/dev/null || [ $? -eq 1 ]
  read -r wall user sys < <(tail -n 1 "$out/cli.time")
  cli+=("$wall")
  cliCpu+=("$(python3 -c "print($user + $sys)")")
done
python3 - "${window[*]}" "${cli[*]}" "${gaps[*]}" "${windowCpu[*]}" "${cliCpu[*]}" <<'PY'
import statistics, sys
window, cli, gaps, wcpu, ccpu = ([float(x) for x in a.split()] for a in sys.argv[1:6])
w, c = statistics.median(window), statistics.median(cli)
wc, cc = statistics.median(wcpu), statistics.median(ccpu)
print(f"window run, median of {len(window)}: {w:.3f} s wall, {wc:.3f} s cpu")
print(f"tarvik-cli,  median of {len(cli)}: {c:.3f} s wall, {cc:.3f} s cpu (whole process)")
print(f"ratio window / cli: {w / c:.2f} wall, {wc / cc:.2f} cpu (target at most 1.30)")
print(f"longest event-loop gap: {max(gaps):.1f} ms (target at most 50)")
PY
uptime
