#!/usr/bin/env bash
# Times a traced local check (images, links and anchors) of generated sites of four
# sizes, measures its peak memory, and checks its failures against the generator's
# ground truth. When linklint is installed it checks the same sites in the same run
# (every page, anchors included), and the ratios of the two wall times are printed.
# Usage: bench/local/run.sh [SIZE...] where SIZE is small, medium, large or huge
# (default: small, medium, large). Environment: RUNS (timed runs per site; default 10
# small, 5 medium, 3 large and huge), WARMUP (default 2; 1 for large and huge).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
out=$top/bench/out
build=$top/build-release
cli=$build/src/cli/tarvik-cli

declare -A shapes=([small]="200 40" [medium]="2000 60" [large]="20000 60" [huge]="50000 60")
declare -A default_runs=([small]=10 [medium]=5 [large]=3 [huge]=3)
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(small medium large)
for size in "${sizes[@]}"; do
  [ -n "${shapes[$size]:-}" ] || { echo "run.sh: unknown size $size (small, medium, large, huge)" >&2; exit 2; }
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
declare -A median cpu peak truth other_median other_peak
other=$(command -v linklint || true)
for size in "${sizes[@]}"; do
  site=$(site_of "$size")
  name=$(basename "$site")
  command=("$cli" -q --trace --unused --folder "$site" --json "$out/$name.json" index.html)
  echo "== $name"
  # Exit status 1 means "errors were reported", which these sites always have.
  runs=${RUNS:-${default_runs[$size]}}
  warmup=${WARMUP:-$([ "$size" = large ] || [ "$size" = huge ] && echo 1 || echo 2)}
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
  if [ -n "$other" ]; then
    other_command=("$other" -quiet -silent -limit 1000000 -root "$site" -doc "$out/$name.linklint" /@)
    hyperfine --warmup 1 --runs "$runs" -i --style basic \
      --export-json "$out/$name.linklint.hyperfine.json" "$(printf '%q ' "${other_command[@]}")"
    other_median[$size]=$(python3 -c 'import json, sys
print("%.3f" % json.load(open(sys.argv[1]))["results"][0]["median"])' "$out/$name.linklint.hyperfine.json")
    /usr/bin/time -f '%M' -o "$out/$name.linklint.time" "${other_command[@]}" >/dev/null || true
    other_peak[$size]=$(tail -n 1 "$out/$name.linklint.time" | awk '{printf "%.1f", $1 / 1024}')
  fi
done

echo
# Wall time counts waiting for a core; on a busy machine the CPU time is the steadier figure.
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
printf '%-8s %-16s %12s %12s %15s %10s\n' size site "wall median" "CPU (u+s)" "peak RSS (MiB)" truth
for size in "${sizes[@]}"; do
  printf '%-8s %-16s %11ss %11ss %15s %10s\n' "$size" "$(basename "$(site_of "$size")")" \
    "${median[$size]}" "${cpu[$size]}" "${peak[$size]}" "${truth[$size]}"
done
if [ -n "$other" ]; then
  printf '%-8s %16s %20s %22s\n' size "linklint wall" "linklint peak (MiB)" "Tarvik / linklint wall"
  for size in "${sizes[@]}"; do
    awk -v s="$size" -v t="${median[$size]}" -v o="${other_median[$size]}" -v p="${other_peak[$size]}" \
      'BEGIN { printf "%-8s %15ss %20s %22.2f\n", s, o, p, t / o }'
  done
  echo "targets: Tarvik / linklint at most 0.1 (medium and large)"
fi
if [ -n "${median[medium]:-}" ] && [ -n "${median[large]:-}" ]; then
  awk -v m="${median[medium]}" -v l="${median[large]}" \
    'BEGIN { printf "large / medium wall time: %.1f (target under 10)\n", l / m }'
  awk -v m="${cpu[medium]}" -v l="${cpu[large]}" \
    'BEGIN { printf "large / medium CPU time:  %.1f\n", l / m }'
fi
if [ -n "${median[large]:-}" ] && [ -n "${median[huge]:-}" ]; then
  awk -v l="${median[large]}" -v h="${median[huge]}" -v p="${peak[huge]}" \
    'BEGIN { printf "huge / large wall time: %.2f (target at most 2.6); huge peak %s MiB (target at most 350)\n", h / l, p }'
  # The two medians above come minutes apart; run in turn, the two sites share the
  # machine's drift, and the ratio of each pair is the steadier figure.
  pairs=${GROWTH_PAIRS:-6}
  growth=$(python3 "$top/bench/local/ab.py" "$cli" "$cli" --runs "$pairs" --both=--unused \
    --site "$(site_of huge)" --base-site "$(site_of large)" | awk '$1 == "A/B" && $2 == "wall" { print $4 }')
  echo "huge / large wall time, $pairs pairs run in turn: $growth (median of the pairs' ratios; target at most 2.6)"
fi
if [ -n "${median[medium]:-}" ]; then
  awk -v t="${median[medium]}" -v p="${peak[medium]}" \
    'BEGIN { printf "medium site: %s s wall (target under 0.5), %s MiB peak (target at most 25)\n", t, p }'
fi
if [ -n "${median[large]:-}" ]; then
  awk -v p="${peak[large]}" 'BEGIN { printf "large site: %s MiB peak (target at most 150)\n", p }'
fi
exit $status
