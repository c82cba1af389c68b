#!/usr/bin/env bash
# Installs every Debian package that building, running and testing need.
# Quick and quiet when everything is already there.
set -euo pipefail

packages=(
  # build
  build-essential cmake pkg-config qt6-base-dev qt6-svg-dev libespeak-ng-dev libpulse-dev libbenchmark-dev
  # run
  qt6-qpa-plugins qt6-wayland libqt6svg6 espeak-ng-data fonts-liberation fonts-lato fonts-dejavu-core pulseaudio-utils
  # headless checks, on X11 and on a Wayland compositor nested in Xvfb
  xvfb xauth xdotool x11-apps x11-utils openbox imagemagick pulseaudio sox espeak-ng weston xwayland
  # installing and packaging: icons, menu entry and metadata checks, the Debian package and its checker
  librsvg2-bin desktop-file-utils appstream dpkg-dev binutils lintian
  # the package's hardening report (hardening-check)
  devscripts
  # the end-to-end test: a session bus and the accessibility tree
  dbus-daemon dbus-bin at-spi2-core python3-pyatspi
  # hardening: the fuzzers' compiler and runtime, and an Italian locale for a test
  clang-14 libfuzzer-14-dev libclang-rt-14-dev locales
  # the benchmark harness: its language, and a session bus of its own
  python3 dbus-daemon
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  sudo=sudo
else
  sudo=
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
