#!/usr/bin/env bash
# Runs two builds of tarvik-cli on the same sites and compares every file they write
# (text report, JSON, JUnit, SARIF), with and without --html5, times left out.
# Usage: bench/local/compare_outputs.sh OLD_CLI NEW_CLI [SITE...]
# Default sites: every fixture under tests/fixtures/sites. Exits 1 on any difference.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
[ $# -ge 2 ] || { echo "usage: $0 OLD_CLI NEW_CLI [SITE...]" >&2; exit 2; }
old=$(realpath "$1")
new=$(realpath "$2")
shift 2
sites=("$@")
[ ${#sites[@]} -gt 0 ] || sites=("$top"/tests/fixtures/sites/*/)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Seconds are the only bytes allowed to differ from run to run.
without_times() {
  sed -E -e 's/Total Response Time: [0-9.]+ secs\./Total Response Time: T secs./' \
    -e 's/"secs": "[^"]*"/"secs": "S"/g' -e 's/ time="[0-9.]+"/ time="T"/g' "$1"
}

status=0
for site in "${sites[@]}"; do
  site=${site%/}
  for html5 in "" --html5; do
    for build in old new; do
      out=$work/$build
      rm -rf "$out" && mkdir "$out"
      cli=$old
      [ "$build" = new ] && cli=$new
      (cd "$site" && "$cli" -q --trace $html5 --report "$out/report.txt" --json "$out/results.json" \
        --junit "$out/results.junit.xml" --sarif "$out/results.sarif" index.html >"$out/stdout.txt" 2>&1) \
        || echo $? >"$out/exit"
    done
    for file in stdout.txt exit report.txt results.json results.junit.xml results.sarif; do
      if ! cmp -s <(without_times "$work/old/$file" 2>/dev/null) <(without_times "$work/new/$file" 2>/dev/null); then
        echo "DIFFERS: $(basename "$site") ${html5:-(plain)} $file"
        status=1
      fi
    done
    echo "compared: $(basename "$site") ${html5:-(plain)}"
  done
done
[ $status -eq 0 ] && echo "outputs identical"
exit $status
