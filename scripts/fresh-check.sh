#!/usr/bin/env bash
# Runs the README's test command in a pristine Debian 12 root, as a new machine
# would: nothing installed beyond the minimal base, root, LANG=C.UTF-8, no
# session bus, no XDG_RUNTIME_DIR, no /var/games. The checkout's committed
# state is cloned in; uncommitted changes are left out, as CI leaves them.
#   sudo scripts/fresh-check.sh [KEEP_DIR]
# Set VORTANA_FUZZ_SECONDS to shorten the fuzz stage. Prints how long it took
# and exits with the suite's status.
set -euo pipefail
repo=$(cd "$(dirname "$0")/.." && pwd)
[ "$(id -u)" -eq 0 ] || { echo "fresh-check.sh: run it as root (it makes a chroot)" >&2; exit 2; }

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
# The host's own Debian sources, so the root reaches the same mirror.
sources=()
for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.sources /etc/apt/sources.list.d/*.list; do
  [ -s "$file" ] && sources+=("$file")
done
echo "== a minimal Debian 12 root in $rootfs"
mmdebstrap --quiet --variant=minbase --include=ca-certificates bookworm "$rootfs" "${sources[@]}"

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
  /bin/bash -c 'cd /root/vortana && scripts/check.sh'
status=$?
set -e
elapsed=$(($(date +%s) - started))
printf 'fresh-check: status %d after %dm%02ds\n' "$status" $((elapsed / 60)) $((elapsed % 60))
exit "$status"
