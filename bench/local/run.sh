#!/usr/bin/env bash
# Times a traced local check (images, links and anchors) of generated sites of three
# sizes, measures its peak memory, and checks its failures against the generator's
# ground truth. Usage: bench/local/run.sh [SIZE...] where SIZE is small, medium or large
# (default: all three). Environment: RUNS (timed runs per site; default 10 small,
# 5 medium, 3 large), WARMUP (default 2; 1 for large).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
out=$top/bench/out
build=$top/build-release
cli=$build/src/cli/tarvik-cli

declare -A shapes=([small]="200 40" [medium]="2000 60" [large]="20000 60")
declare -A default_runs=([small]=10 [medium]=5 [large]=3)
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(small medium large)
for size in "${sizes[@]}"; do
  [ -n "${shapes[$size]:-}" ] || { echo "run.sh: unknown size $size (small, medium, large)" >&2; exit 2; }
done

for tool in hyperfine /usr/bin/time python3; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is missing; run scripts/setup" >&2; exit 2; }
done

"$top/scripts/build" "$build" -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF >/dev/null

mkdir -p "$out"
site_of() {
  local pages refs
  read -r pages refs <<<"${shapes[$1]}"
  echo "$out/site-${pages}x${refs}"
}

# The generator writes identical bytes for identical arguments, so a site is made once.
for size in "${sizes[@]}"; do
  site=$(site_of "$size")
  if [ ! -f "$site.truth.json" ]; then
    rm -rf "$site"
    read -r pages refs <<<"${shapes[$size]}"
    python3 "$top/bench/gen_site.py" "$site" "$pages" "$refs" 1
  fi
done

status=0
declare -A median cpu peak truth
for size in "${sizes[@]}"; do
  site=$(site_of "$size")
  name=$(basename "$site")
  command=("$cli" -q --trace --unused --folder "$site" --json "$out/$name.json" index.html)
  echo "== $name"
  # Exit status 1 means "errors were reported", which these sites always have.
  runs=${RUNS:-${default_runs[$size]}}
  warmup=${WARMUP:-$([ "$size" = large ] && echo 1 || echo 2)}
  hyperfine --warmup "$warmup" --runs "$runs" -i --style basic \
    --export-json "$out/$name.hyperfine.json" "$(printf '%q ' "${command[@]}")"
  read -r median[$size] cpu[$size] < <(python3 -c 'import json, sys
r = json.load(open(sys.argv[1]))["results"][0]
print("%.3f %.3f" % (r["median"], r["user"] + r["system"]))' "$out/$name.hyperfine.json")
  /usr/bin/time -f '%M' -o "$out/$name.time" "${command[@]}" >/dev/null || [ $? -eq 1 ]
  peak[$size]=$(tail -n 1 "$out/$name.time" | awk '{printf "%.1f", $1 / 1024}')
  if python3 "$top/bench/local/check_truth.py" "$out/$name.json" "$site.truth.json" >"$out/$name.truth.txt"; then
    truth[$size]=agrees
  else
    truth[$size]=DISAGREES
    status=1
  fi
  cat "$out/$name.truth.txt"
done

echo
# Wall time counts waiting for a core; on a busy machine the CPU time is the steadier figure.
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-8s %-16s %12s %12s %15s %10s\n' size site "wall median" "CPU (u+s)" "peak RSS (MiB)" truth
for size in "${sizes[@]}"; do
  printf '%-8s %-16s %11ss %11ss %15s %10s\n' "$size" "$(basename "$(site_of "$size")")" \
    "${median[$size]}" "${cpu[$size]}" "${peak[$size]}" "${truth[$size]}"
done
if [ -n "${median[medium]:-}" ] && [ -n "${median[large]:-}" ]; then
  awk -v m="${median[medium]}" -v l="${median[large]}" \
    'BEGIN { printf "large / medium wall time: %.1f (target under 10)\n", l / m }'
  awk -v m="${cpu[medium]}" -v l="${cpu[large]}" \
    'BEGIN { printf "large / medium CPU time:  %.1f\n", l / m }'
fi
if [ -n "${median[medium]:-}" ]; then
  awk -v t="${median[medium]}" -v p="${peak[medium]}" \
    'BEGIN { printf "medium site: %s s wall (target under 0.5), %s MiB peak (target under 150)\n", t, p }'
fi
exit $status
