#!/usr/bin/env bash
# Builds the Debian package from a build tree, unpacks it and checks that the program,
# its desktop entry, icons and AppStream metadata are where a desktop finds them, valid,
# and that the package depends on the fonts and on Qt.
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null
package=$(ls "$work"/out/velto03_*_*.deb)
dpkg-deb -x "$package" "$work/root"
root=$work/root/usr

[ -x "$root/bin/velto03" ] || fail "no executable in /usr/bin"
desktop=$root/share/applications/org.example.Velto03.desktop
[ -f "$desktop" ] || fail "no desktop entry"
desktop-file-validate "$desktop" || fail "desktop entry not valid"
grep -qx 'Name=Velto 03' "$desktop" || fail "desktop entry not named Velto 03"
grep -q '^Comment\[ru\]=' "$desktop" || fail "desktop entry has no Russian comment"
[ "$(sed -n 's/^Exec=//p' "$desktop")" = velto03 ] || fail "desktop entry does not start velto03"
icon=$(sed -n 's/^Icon=//p' "$desktop")
for size in 16 22 24 32 48 64 128 256; do
  png=$root/share/icons/hicolor/${size}x${size}/apps/$icon.png
  [ -f "$png" ] || fail "no ${size}x${size} icon"
  file "$png" | grep -q "$size x $size" || fail "${size}x${size} icon has another size"
done
metainfo=$root/share/metainfo/org.example.Velto03.metainfo.xml
[ -f "$metainfo" ] || fail "no AppStream metadata"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "AppStream metadata not valid"

depends=$(dpkg-deb -f "$package" Depends)
for needed in fonts-liberation fonts-comic-neue libqt6widgets6 libc6; do
  grep -q "$needed" <<<"$depends" || fail "package does not depend on $needed: $depends"
done
echo "1 passed, 0 failed"
