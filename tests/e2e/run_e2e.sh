#!/usr/bin/env bash
# run_e2e.sh [--desktop] PREFIX: the end-to-end test, or the desktop one, on a
# session bus of its own. The system's python3, which has the accessibility bindings.
set -euo pipefail
script=e2e.py
if [ "${1:-}" = --desktop ]; then
  script=desktop.py
  shift
fi
exec dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/$script" "$@"
