#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package the way Debian does, from a clean copy of the source tree
# ($1), checks it with lintian (no error, warning or unexplained notice), then unpacks it
# and checks what a desktop and a user find: the program, man pages in English and
# Russian, copyright and changelog, the desktop entry and AppStream metadata, the icons
# with their five bands at every size, and the dependencies.
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir "$work/velto03"
if git -C "$source_dir" rev-parse --git-dir >/dev/null 2>&1; then
  git -C "$source_dir" ls-files -co --exclude-standard -z | (cd "$source_dir" && xargs -0 cp --parents -t "$work/velto03")
else
  (cd "$source_dir" && find . -path './build*' -prune -o -type f -print0 | xargs -0 cp --parents -t "$work/velto03")
fi
(cd "$work/velto03" && dpkg-buildpackage -us -uc -b >"$work/build.log" 2>&1) || { tail -n 40 "$work/build.log"; fail "dpkg-buildpackage failed"; }

tags=$(lintian --display-info "$work"/velto03_*.changes 2>&1 | grep -E '^[EWIXP]: ' || true)
[ -z "$tags" ] || fail "lintian: $tags"

package=$(ls "$work"/velto03_*_*.deb)
dpkg-deb -x "$package" "$work/root"
root=$work/root/usr

[ -x "$root/bin/velto03" ] || fail "no executable in /usr/bin"
for page in share/man/man1/velto03.1.gz share/man/ru/man1/velto03.1.gz; do
  [ -f "$root/$page" ] || fail "no man page $page"
  zcat "$root/$page" | grep -q '^\.SH' || fail "$page is not a man page"
done
zcat "$root/share/man/ru/man1/velto03.1.gz" | grep -q 'ОПИСАНИЕ' || fail "the Russian man page is not in Russian"
grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$root/share/doc/velto03/copyright" ||
  fail "no machine-readable copyright file"
zcat "$root/share/doc/velto03/changelog.gz" | head -n 1 | grep -q '^velto03 (1.0.0)' || fail "no changelog at 1.0.0"

desktop=$root/share/applications/org.example.velto03.desktop
desktop-file-validate "$desktop" || fail "desktop entry not valid"
for line in 'Name=Velto 03' 'Exec=velto03' 'StartupNotify=true'; do
  grep -qx "$line" "$desktop" || fail "desktop entry lacks $line"
done
grep -q '^Keywords=.*resistor' "$desktop" && grep -q '^Keywords\[ru\]=.*резистор' "$desktop" || fail "desktop entry has no keywords"
metainfo=$root/share/metainfo/org.example.velto03.metainfo.xml
# Debian 12's appstreamcli (0.16) does not know the <developer> element yet, which took
# the place of <developer_name>.
report=$(appstreamcli validate --no-net --pedantic "$metainfo" | grep -v 'unknown-tag developer$') &&
  [ "$(grep -c . <<<"$report")" -eq 1 ] ||
  fail "AppStream metadata not clean: $report"
grep -q '<project_license>GPL-3.0-or-later</project_license>' "$metainfo" || fail "AppStream metadata names another licence"

# Every size shows the five bands apart, in their colours, on the grey body.
bands='C0C0C0 FFFF00 C0C0C0 FF0000 C0C0C0 0000FF C0C0C0 FFFFFF C0C0C0 FF00FF C0C0C0'
for size in 16 22 24 32 48 64 128 256; do
  png=$root/share/icons/hicolor/${size}x${size}/apps/velto03.png
  [ -f "$png" ] || fail "no ${size}x${size} icon"
  row=$(convert "$png" -crop "${size}x1+0+$((size / 2 - 2))" +repage txt:- | sed -n 's/.*#\([0-9A-F]\{6\}\).*/\1/p' | uniq | tr '\n' ' ')
  [[ $row == *"$bands"* ]] || fail "${size}x${size} icon: the bands run $row"
done
[ -f "$root/share/icons/hicolor/scalable/apps/velto03.svg" ] || fail "no scalable icon"

depends=$(dpkg-deb -f "$package" Depends)
for needed in fonts-liberation 'fonts-liberation-sans-narrow | fonts-liberation (<< 1:2)' fonts-comic-neue libqt6widgets6 libc6; do
  grep -qF "$needed" <<<"$depends" || fail "package does not depend on $needed: $depends"
done
[ "$(dpkg-deb -f "$package" Recommends)" = xdg-utils ] || fail "package does not recommend xdg-utils"
echo "1 passed, 0 failed"
