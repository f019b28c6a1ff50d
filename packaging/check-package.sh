#!/usr/bin/env bash
# Checks the Debian package of a build folder: it unpacks into a temporary
# root, the unpacked sodwright-batch runs a study from the unpacked examples
# and writes the same report as the build's own runner, the guide sits where
# the program looks for it, lintian finds no error and the menu entry and the
# AppStream data pass their validators.
# Usage: packaging/check-package.sh BUILD_DIR
set -euo pipefail
build=${1:?usage: check-package.sh BUILD_DIR}
shopt -s nullglob
debs=("$build"/sodwright_*.deb)
[ ${#debs[@]} -eq 1 ] || { echo "expected one sodwright_*.deb in $build, found ${#debs[@]}" >&2; exit 1; }
deb=${debs[0]}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root

echo "== $deb"
dpkg-deb --field "$deb" Package Version Section Maintainer Depends
dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ {printf "%10s %s\n", $3, $6}'
dpkg -x "$deb" "$root"

echo "== files the programs look up from their own folder (bin/../share/sodwright)"
for f in usr/share/sodwright/help/index.html usr/share/sodwright/examples/hillslope-transect.txt \
         usr/share/man/man1/sodwright.1.gz usr/share/man/man1/sodwright-batch.1.gz; do
  [ -f "$root/$f" ] || { echo "missing from the package: /$f" >&2; exit 1; }
done
# The batch page was written from the program's --help: it names the three studies.
batch_page=$(zcat "$root/usr/share/man/man1/sodwright-batch.1.gz")
for study in kolv nibal bando; do grep -qw "$study" <<<"$batch_page"; done

echo "== the installed sodwright-batch on the installed example"
run_kolv() {
  "$1" kolv "$2" --sequences 10 --direction alternative --date 12/08/26 --report "$3/compare.txt" --last-sequence "$3/last.txt"
}
mkdir "$work/installed" "$work/built"
run_kolv "$root/usr/bin/sodwright-batch" "$root/usr/share/sodwright/examples/hillslope-transect.txt" "$work/installed"
run_kolv "$build/app/sodwright-batch" examples/hillslope-transect.txt "$work/built"
wc -l "$work/installed/compare.txt" "$work/installed/last.txt"
cmp "$work/installed/compare.txt" "$work/built/compare.txt"
cmp "$work/installed/last.txt" "$work/built/last.txt"

echo "== validators"
desktop-file-validate "$root/usr/share/applications/sodwright.desktop"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml

echo "== lintian"
lintian --fail-on error "$deb"
echo "package checked"
