#!/usr/bin/env bash
# Installs every Debian package that building, running and testing need, on
# Debian 13 and on Debian 12. Quick and quiet when everything is already there.
set -euo pipefail

packages=(
  # build
  build-essential cmake pkg-config qt6-base-dev qt6-svg-dev libespeak-ng-dev libpulse-dev libbenchmark-dev
  # run
  qt6-qpa-plugins qt6-wayland libqt6svg6 espeak-ng-data fonts-liberation fonts-lato fonts-dejavu-core pulseaudio-utils
  # headless checks, on X11 and on a Wayland compositor nested in Xvfb
  xvfb xauth xdotool x11-apps x11-utils openbox imagemagick pulseaudio sox espeak-ng weston
  # installing and packaging: icons, menu entry and metadata checks, the Debian package and its checker
  librsvg2-bin desktop-file-utils appstream dpkg-dev binutils lintian
  # the order of a store's system calls, seen by the helper's test
  strace
  # the package's hardening report (hardening-check)
  devscripts
  # the end-to-end test: a session bus and the accessibility tree
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi
  # hardening: the fuzzers' compiler (the release's own clang, whose libFuzzer
  # and runtime are added below by its version)
  clang
  # the benchmark harness: its language, and a session bus of its own
  python3 dbus-daemon
)

# The release's default clang (14 on Debian 12, 19 on Debian 13), read from what
# its "clang" package depends on: installed, or else as the package lists offer it.
clang_version() {
  { dpkg-query -W -f='${Depends}\n' clang 2>/dev/null ||
    apt-cache show --no-all-versions clang 2>/dev/null | sed -n 's/^Depends: //p'; } |
    grep -oE '(^|[ ,])clang-[0-9]+' | grep -oE '[0-9]+' | head -n 1 || true
}

missing() {
  local p version
  version=$(clang_version)
  for p in "${packages[@]}" ${version:+libfuzzer-$version-dev libclang-rt-$version-dev}; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
      echo "$p"
    fi
  done
}

mapfile -t wanted < <(missing)
if [ ${#wanted[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
else
  sudo=
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
# Read again now that the lists are fresh: a new machine knows clang's version only now.
mapfile -t wanted < <(missing)
echo "Installing: ${wanted[*]}"
$sudo apt-get install -y -qq --no-install-recommends "${wanted[@]}" >/dev/null
version=$(clang_version)
[ -n "$version" ] || { echo "setup.sh: cannot tell which clang this release has" >&2; exit 1; }
