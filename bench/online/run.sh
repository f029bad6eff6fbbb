#!/usr/bin/env bash
# On-line trace of the generated 2,000-page site (60 references a page) published by a
# private nginx on 127.0.0.1, download cache on: wall time with hyperfine, peak memory with
# GNU time, and the server's access log of one run counted (each page downloaded once? each
# address probed once?). Usage: bench/online/run.sh
# Environment: RUNS (timed runs, default 5), WARMUP (default 1), PAGES (2000), REFS (60),
# GEN_SITE (the site generator, default bench/gen_site.py).
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
out=$top/bench/out
build=$top/build-release
cli=$build/src/cli/tarvik-cli
gen=${GEN_SITE:-$top/bench/gen_site.py}
pages=${PAGES:-2000}
refs=${REFS:-60}

for tool in hyperfine /usr/bin/time python3 nginx; do
  command -v "$tool" >/dev/null || { echo "run.sh: $tool is missing; run scripts/setup" >&2; exit 2; }
done
[ -f "$gen" ] || { echo "run.sh: no site generator at $gen (set GEN_SITE)" >&2; exit 2; }

"$top/scripts/build" "$build" -DCMAKE_BUILD_TYPE=Release -DTARVIK_TESTS=OFF >/dev/null

mkdir -p "$out"
site=$out/site-${pages}x${refs}
if [ ! -f "$site.truth.json" ]; then
  rm -rf "$site"
  python3 "$gen" "$site" "$pages" "$refs" 1
fi
name=$(basename "$site")-online

work=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

port=$(python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])')
cat > "$work/nginx.conf" <<CONF
daemon off;
master_process off;
worker_processes 1;
pid $work/nginx.pid;
error_log $work/error.log warn;
events { worker_connections 256; }
http {
  access_log $work/access.log;
  client_body_temp_path $work/body;
  proxy_temp_path $work/proxy;
  fastcgi_temp_path $work/fastcgi;
  uwsgi_temp_path $work/uwsgi;
  scgi_temp_path $work/scgi;
  types { text/html html; image/gif gif; image/png png; text/css css; application/javascript js; }
  default_type application/octet-stream;
  server {
    listen 127.0.0.1:$port;
    root $site;
  }
}
CONF
nginx -c "$work/nginx.conf" -p "$work/" -e "$work/error.log" &
pid=$!
for _ in $(seq 100); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
  sleep 0.05
done
: > "$work/access.log"

mkdir "$work/empty"
command=("$cli" -q --folder "$work/empty" --online "http://127.0.0.1:$port/" --trace --start index.html)

echo "== $name: one run, counted"
# Exit status 1 means "errors were reported", which the generated site always has.
/usr/bin/time -v -o "$out/$name.time" "${command[@]}" --json "$out/$name.json" >/dev/null || [ $? -eq 1 ]
cp "$work/access.log" "$out/$name.access.log"
"$cli" -q --folder "$site" --trace --start index.html --json "$out/$name.offline.json" >/dev/null || [ $? -eq 1 ]
python3 "$top/bench/online/count_requests.py" "$out/$name.access.log" "$out/$name.json" "$out/$name.offline.json" \
  | tee "$out/$name.counts.txt"
peak=$(awk -F': ' '/Maximum resident set size/ { printf "%.1f", $2 / 1024 }' "$out/$name.time")
elapsed=$(awk -F': ' '/Elapsed \(wall clock\)/ { print $2 }' "$out/$name.time")
echo "GNU time: $elapsed wall, peak RSS $peak MiB"

echo "== $name: hyperfine"
hyperfine --warmup "${WARMUP:-1}" --runs "${RUNS:-5}" -i --style basic \
  --export-json "$out/$name.hyperfine.json" "$(printf '%q ' "${command[@]}")"
read -r median mean cpu < <(python3 -c 'import json, sys
r = json.load(open(sys.argv[1]))["results"][0]
print("%.3f %.3f %.3f" % (r["median"], r["mean"], r["user"] + r["system"]))' "$out/$name.hyperfine.json")

echo
# Wall time counts waiting for a core; on a busy machine the CPU time is the steadier figure.
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"
echo "on-line trace of $(basename "$site"): ${median} s wall median (mean ${mean} s; target under 10)," \
  "${cpu} s CPU (user + system) of the checker, ${peak} MiB peak RSS (target under 200)"
