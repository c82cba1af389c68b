#!/usr/bin/env bash
# Runs the README's test command in a pristine root of a Debian release, as a
# new machine would: nothing installed beyond the minimal base, root,
# LANG=C.UTF-8, no session bus, no XDG_RUNTIME_DIR, no /var/games. The
# checkout's committed state is cloned in; uncommitted changes are left out, as
# CI leaves them.
#   sudo scripts/fresh-check.sh           Debian 13, the whole test command
#   sudo scripts/fresh-check.sh 12        Debian 12
#   sudo scripts/fresh-check.sh 13 --plain  the plain suite only (check.sh --plain)
# Set VORTANA_FUZZ_SECONDS to shorten the fuzz stage. Prints how long it took
# and exits with the suite's status.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" -eq 0 ] || { echo "fresh-check.sh: run it as root (it makes a chroot)" >&2; exit 2; }
release=${1:-13}
shift || true
case "$release" in
  13) suite=trixie ;;
  12) suite=bookworm ;;
  *) echo "fresh-check.sh: the releases are 13 (the default) and 12, not '$release'" >&2; exit 2 ;;
esac
check_args=
[ $# -eq 0 ] || check_args=$(printf ' %q' "$@")

if ! command -v mmdebstrap >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends mmdebstrap >/dev/null
fi

work=$(mktemp -d /var/tmp/vortana-fresh.XXXXXX)
rootfs=$work/root
mounts=()
cleanup() {
  local status=$?
  for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
    umount -l "${mounts[i]}" 2>/dev/null || true
  done
  rm -rf --one-file-system "$work"
  exit "$status"
}
trap cleanup EXIT INT TERM

started=$(date +%s)
# The host's own Debian mirror, whatever release the host runs.
mirror=$(grep -hoE 'https?://[^ ]+/debian/?( |$)' /etc/apt/sources.list /etc/apt/sources.list.d/*.sources \
  /etc/apt/sources.list.d/*.list 2>/dev/null | head -n 1 | tr -d ' ' || true)
mirror=${mirror:-http://deb.debian.org/debian}
mirror=${mirror%/}
printf 'deb %s %s main\ndeb %s %s-updates main\ndeb %s-security %s-security main\n' \
  "$mirror" "$suite" "$mirror" "$suite" "$mirror" "$suite" >"$work/sources.list"
echo "== a minimal Debian $release ($suite) root in $rootfs"
mmdebstrap --quiet --variant=minbase --include=ca-certificates "$suite" "$rootfs" "$work/sources.list"

git clone --quiet --no-local "$repo" "$rootfs/root/vortana"
if [ -d "$repo/../shared" ]; then
  cp -r "$repo/../shared" "$rootfs/root/shared"
  chmod -R a-w "$rootfs/root/shared"
fi

for dir in proc dev; do
  mount --rbind "/$dir" "$rootfs/$dir"
  mount --make-rslave "$rootfs/$dir"
  mounts+=("$rootfs/$dir")
done
cp /etc/resolv.conf "$rootfs/etc/resolv.conf"

echo "== the README's test command, inside"
set +e
chroot "$rootfs" /usr/bin/env -i PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  HOME=/root LANG=C.UTF-8 TERM=dumb CI=true ${VORTANA_FUZZ_SECONDS:+VORTANA_FUZZ_SECONDS=$VORTANA_FUZZ_SECONDS} \
  /bin/bash -c "cd /root/vortana && scripts/check.sh$check_args"
status=$?
set -e
elapsed=$(($(date +%s) - started))
printf 'fresh-check: Debian %s, status %d after %dm%02ds\n' "$release" "$status" $((elapsed / 60)) $((elapsed % 60))
exit "$status"
