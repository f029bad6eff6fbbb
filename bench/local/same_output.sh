#!/usr/bin/env bash
# Runs two builds of tarvik-cli over the same sites and compares every output byte for
# byte: the text report, JSON, HTML report, SARIF log and JUnit XML, with and without
# --html5. Only what a clock writes is masked (the report's date and total time, and the
# seconds a check took). Usage: bench/local/same_output.sh REFERENCE_CLI NEW_CLI [SITE...]
# where a SITE is a folder with an index.html; default: every fixture site of the tests.
set -euo pipefail
[ $# -ge 2 ] || { echo "usage: $0 REFERENCE_CLI NEW_CLI [SITE...]" >&2; exit 2; }
top=$(cd "$(dirname "$0")/../.." && pwd)
reference=$(realpath "$1") new=$(realpath "$2")
shift 2
sites=("$@")
[ ${#sites[@]} -gt 0 ] || sites=("$top"/tests/fixtures/sites/*/)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

run() { # CLI OUT-FOLDER SITE EXTRA-OPTIONS...
  local cli=$1 out=$2 site=$3
  shift 3
  mkdir -p "$out"
  local status=0
  (cd "$site" && exec "$cli" -q --trace --unused "$@" --folder . --report "$out/report.txt" --json "$out/results.json" \
    --html "$out/report.html" --sarif "$out/results.sarif" --junit "$out/results.xml" index.html \
    >"$out/stdout" 2>"$out/stderr") || status=$?
  echo "$status" >"$out/status"
  sed -i -E 's/Total Response Time: [0-9.]+ secs/Total Response Time: T secs/; s/Tarvik Report - [^<]*/Tarvik Report - DATE/' \
    "$out/report.txt" "$out/report.html"
  sed -i -E 's/"secs": "[^"]*"/"secs": "T"/g' "$out/results.json"
}

differences=0
for site in "${sites[@]}"; do
  for mode in plain html5; do
    extra=()
    [ "$mode" = html5 ] && extra=(--html5)
    name="$(basename "$site")-$mode"
    run "$reference" "$work/a/$name" "$site" "${extra[@]}"
    run "$new" "$work/b/$name" "$site" "${extra[@]}"
    if diff -rq "$work/a/$name" "$work/b/$name" >"$work/diff.txt"; then
      echo "same       $name"
    else
      echo "DIFFERENT  $name"
      sed 's/^/    /' "$work/diff.txt"
      differences=1
    fi
  done
done
exit $differences
