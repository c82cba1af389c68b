#!/usr/bin/env bash
# run_e2e.sh PREFIX: the end-to-end test on a session bus of its own. The
# system's python3, which has the accessibility bindings.
set -euo pipefail
exec dbus-run-session -- /usr/bin/python3 "$(dirname "$0")/e2e.py" "$@"
