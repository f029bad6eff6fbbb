#!/usr/bin/env bash
# Packs the built tree (no rebuild), unpacks the package into a temporary root and runs
# the programs from there: the version, a check of the example site, and the files a
# desktop user expects, the manual where the program looks for it beside itself.
# Usage: package_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$1
source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
debs=("$work"/out/tarvik_*_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || { echo "expected one tarvik_<version>_<arch>.deb: ${debs[*]}"; exit 1; }
deb=${debs[0]}
name=$(basename "$deb" .deb)
version=$(echo "$name" | cut -d_ -f2)
arch=$(echo "$name" | cut -d_ -f3)
[ "$arch" = "$(dpkg --print-architecture)" ] || { echo "architecture $arch in $name"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "no Qt in Depends: $(dpkg-deb -f "$deb" Depends)"; exit 1; }

root=$work/root
dpkg -x "$deb" "$root"
for f in usr/bin/tarvik usr/bin/tarvik-cli usr/share/applications/tarvik.desktop \
  usr/share/icons/hicolor/scalable/apps/tarvik.svg usr/share/man/man1/tarvik-cli.1.gz \
  usr/bin/../share/tarvik/help/index.html usr/share/tarvik/help/cli.html; do
  [ -f "$root/$f" ] || { echo "missing in the package: $f"; exit 1; }
done
# Nothing of the build or the tests comes along.
unexpected=$(cd "$root" && find . -type f | grep -v -E '^\./usr/(bin/tarvik(-cli)?|share/(applications|icons|man|tarvik)/.*)$' || true)
[ -z "$unexpected" ] || { echo "unexpected files: $unexpected"; exit 1; }

cli=$root/usr/bin/tarvik-cli
"$cli" --version | grep -qF "$version" || { echo "tarvik-cli --version: $("$cli" --version), package $version"; exit 1; }
status=0
(cd "$work" && "$cli" --folder "$source/examples/site" --trace --unused --quiet >"$work/report.txt") || status=$?
# The example site has deliberate faults: the check must find them (status 1).
[ "$status" -eq 1 ] || { echo "installed check ended with status $status"; cat "$work/report.txt"; exit 1; }
grep -q "CANNOT BE FOUND" "$work/report.txt" || { echo "report without the missing files:"; cat "$work/report.txt"; exit 1; }
echo "package $name installs and runs"
