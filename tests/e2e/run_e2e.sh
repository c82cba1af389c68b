#!/usr/bin/env bash
# run_e2e.sh PREFIX GAME HELPER RECORDS HELPER_PATH: the games of desktop.py
# through the set-group-id record helper, played by nobody in a copy of PREFIX
# where GAME and HELPER (built for RECORDS) stand installed. Without root, where
# nobody cannot reach the build tree, or where set-group-id has no effect: the
# games through a record directory of the test's own.
# The system's python3 has the accessibility bindings.
set -euo pipefail
here=$(dirname "$0")
prefix=$1 game=$2 helper=$3 records=${4%/} helper_path=$5
shared=$(dirname "$records")/installed
player=(setpriv --reuid=65534 --regid=65534 --clear-groups)
mkdir -p "$(dirname "$records")"
if [ "$(id -u)" != 0 ] || ! "${player[@]}" test -r "$here/e2e.py" -a -r "$here/desktop.py" -a -x "$(dirname "$records")" \
   || findmnt -no OPTIONS -T "$(dirname "$records")" | grep -qw nosuid; then
  echo "e2e: not root, nobody cannot reach the build tree, or it is mounted nosuid: the record goes to a directory of the test's own"
  exec /usr/bin/python3 "$here/desktop.py" "$prefix"
fi
# No set-group-id program stays behind in the build tree.
trap 'rm -rf "$shared"' EXIT
rm -rf "$shared" "$records"
cp -a "$prefix" "$shared"
install -m 0755 "$game" "$shared/bin/vortana"
install -o root -g games -m 2755 "$helper" "$shared/$helper_path"
# As an installer makes it: the helper creates the files, never the directory or its lock.
install -d -o root -g games -m 0775 "$records"
install -o root -g games -m 0660 /dev/null "$records/.lock"
"${player[@]}" /usr/bin/python3 "$here/desktop.py" "$shared" "$records"
