#!/usr/bin/env bash
# Installs the Debian packages that building, playing or testing Brindora needs, only
# those not installed yet. It builds nothing (scripts/build.sh does).
# Usage: scripts/setup.sh [play|test]
set -euo pipefail
cd "$(dirname "$0")/.."

what=${1:-play}
packages=(g++ make cmake qt6-base-dev qt6-l10n-tools libpulse-dev libsndfile1-dev libgl-dev libpng-dev
          fonts-liberation pulseaudio qt6-wayland libxcb1-dev)
if [ "$what" = test ]; then
    packages+=(libgtest-dev googletest pulseaudio-utils sox xvfb xauth gdb dpkg-dev file
              desktop-file-utils appstream lintian strace clang-14 libclang-rt-14-dev pkg-config
              openbox metacity xfwm4 icewm mutter kwin-x11 dbus-daemon weston xdotool x11-utils
              wmctrl imagemagick)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
