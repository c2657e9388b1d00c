#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the installation of the build in build/: validates the desktop entry and the
# metainfo, installs into a staging folder and checks the layout, builds the Debian package,
# installs it with apt-get, uses the installed programs and removes the package again.
# Installing needs root (or sudo); CI runs as root.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build"
id=io.github.arbolink.Arbolink
fail() {
    echo "test-package: $1" >&2
    exit 1
}
sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

desktop-file-validate "$root/data/$id.desktop"
appstreamcli validate --no-net --explain "$build/data/$id.metainfo.xml"

stage="$build/stage"
rm -rf "$stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
for file in bin/arbolink bin/arbolink-cli share/arbolink/manual/index.html \
    share/arbolink/manual/en/index.html share/doc/arbolink/README.ja.md \
    share/applications/$id.desktop share/metainfo/$id.metainfo.xml \
    share/icons/hicolor/scalable/apps/$id.svg share/icons/hicolor/16x16/apps/$id.png \
    share/icons/hicolor/256x256/apps/$id.png share/man/man1/arbolink.1 \
    share/man/man1/arbolink-cli.1 share/man/ja/man1/arbolink.1 share/man/ja/man1/arbolink-cli.1 \
    share/doc/arbolink/LICENSE share/doc/arbolink/CHANGELOG.md; do
    [ -f "$stage/usr/$file" ] || fail "the installation lacks $file"
done
[ ! -e "$stage/usr/bin/manual" ] || fail "the manual was installed into bin/"
version=$(sed -n 's/^project(Arbolink VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
for page in "$stage"/usr/share/arbolink/manual/index.html \
    "$stage"/usr/share/arbolink/manual/en/index.html; do
    grep -q "Ver\. $version" "$page" || fail "the installed manual $page does not name $version"
done
for page in "$stage"/usr/share/man/man1/*.1 "$stage"/usr/share/man/ja/man1/*.1; do
    grep -q "@ARBOLINK_" "$page" && fail "the man page $page kept a token"
done
echo "test-package: the staged installation has every file in its place"

rm -f "$build"/arbolink_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
deb=$(ls "$build"/arbolink_*.deb)
dpkg-deb --field "$deb" Depends Recommends
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get install -y -qq "$deb" >/dev/null
trap '"${sudo_cmd[@]}" apt-get remove -y -qq arbolink >/dev/null' EXIT

[ "$(command -v arbolink-cli)" = /usr/bin/arbolink-cli ] || fail "arbolink-cli is not in /usr/bin"
arbolink-cli --version | grep -q "$version" || fail "arbolink-cli --version does not say $version"

# A staged divide of a small tree and its restore, by the installed tool.
work=$(mktemp -d "$build/package-check.XXXXXX")
mkdir -p "$work/source/写真"
head -c 5000 /dev/urandom >"$work/source/写真/a.jpg"
head -c 5000 /dev/urandom >"$work/source/b.txt"
arbolink-cli divide "$work/source" --disk-folders "$work/disks" --capacity 10K \
    --cluster-size 512 --yes >/dev/null 2>&1 </dev/null || fail "the installed divide failed"
arbolink-cli restore --from "$work/disks/disk02" --from "$work/disks/disk01" --yes \
    "$work/restored" >/dev/null 2>&1 </dev/null || fail "the installed restore failed"
diff -r "$work/source" "$work/restored" || fail "the restored tree differs"
echo "test-package: the installed arbolink-cli divided a tree onto two disks and restored it"

# The installed program: its answers without a display, then the window itself offscreen,
# with its settings in a folder of the check's own.
# Each language finds its own manual.
help=$(LANGUAGE=ja arbolink --help)
grep -qx "マニュアル: /usr/share/arbolink/manual/index.html" <<<"$help" ||
    fail "the installed program does not find its manual: $help"
help=$(LANGUAGE=en arbolink --help)
grep -qx "Manual: /usr/share/arbolink/manual/en/index.html" <<<"$help" ||
    fail "the installed program does not find its English manual: $help"
arbolink --version | grep -q "GPL-3.0-or-later" || fail "arbolink --version names no licence"
status=0
XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen timeout 5 arbolink || status=$?
[ "$status" -eq 124 ] || fail "the installed program ended with $status instead of running"
echo "test-package: the installed program finds its manual and starts offscreen"
rm -rf "$work"

"${sudo_cmd[@]}" apt-get remove -y -qq arbolink >/dev/null
trap - EXIT
[ ! -e /usr/bin/arbolink ] && [ ! -e /usr/share/arbolink ] || fail "removing left files behind"
echo "test-package: the package installed, worked and was removed"
