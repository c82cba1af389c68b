#!/usr/bin/env bash
# check_install.sh PREFIX: the installed tree is complete, valid, and writes
# nothing for everyone.
set -euo pipefail
prefix=$1
id=org.example.Vortana
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

for file in \
  bin/vortana \
  libexec/vortana/vortana-record \
  share/vortana/chars/Merlin.vchar \
  share/vortana/icons/window-icon.svg \
  share/applications/$id.desktop \
  share/metainfo/$id.metainfo.xml \
  share/icons/hicolor/scalable/apps/$id.svg; do
  [ -f "$prefix/$file" ] || fail "missing $file"
done
[ -x "$prefix/bin/vortana" ] || fail "bin/vortana is not executable"
[ -x "$prefix/libexec/vortana/vortana-record" ] || fail "the record helper is not executable"

# The PNG header carries the size: width and height at bytes 16 and 20.
for size in 16 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/$id.png
  if [ ! -f "$png" ]; then
    fail "missing ${size}x${size} icon"
    continue
  fi
  header=$(od -An -tx1 -j12 -N12 "$png" | tr -d ' \n')
  [ "$header" = "$(printf '49484452%08x%08x' "$size" "$size")" ] || fail "${size}x${size} icon has header $header"
done

desktop-file-validate "$prefix/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" || fail "appstreamcli validate"
grep -qx 'Exec=vortana' "$prefix/share/applications/$id.desktop" || fail "the menu does not start vortana"
grep -qx 'Categories=Education;Math;Game;KidsGame;' "$prefix/share/applications/$id.desktop" || fail "categories"

# Only root's install makes the helper set-group-id; the program never is.
writable=$(find "$prefix" -perm -o+w ! -type l)
[ -z "$writable" ] || fail "writable by everyone: $writable"
privileged=$(find "$prefix" -perm /6000 -type f)
[ -z "$privileged" ] || fail "set-id files in a staged install: $privileged"

# The program looks for its data and its helper relative to itself.
[ "$(cd "$prefix/bin/../share/vortana" && pwd)" = "$(cd "$prefix/share/vortana" && pwd)" ] || fail "data directory"
strings -el "$prefix/bin/vortana" | grep -x '/../libexec/vortana/vortana-record' >/dev/null || fail "the program does not look for ../libexec/vortana/vortana-record"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "installed tree under $prefix is complete"
