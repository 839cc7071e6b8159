#!/usr/bin/env bash
# Installs the Debian packages the Windows build, its suite under Wine and the MSI need, only
# those not installed yet, and makes Debian's source packages known (Qt is built from its own).
# Usage: scripts/windows/setup.sh
set -euo pipefail
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
packages=(mingw-w64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix cmake ninja-build
          dpkg-dev xz-utils qt6-base-dev qt6-base-dev-tools googletest
          wine wine64 msitools fonts-liberation pulseaudio pulseaudio-utils sox
          xvfb xauth xdotool x11-utils imagemagick zip unzip osslsigncode
          wixl faketime openbox wmctrl)
missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
sources=/etc/apt/sources.list.d/brindora-src.sources
update=""
if ! apt-cache showsrc qt6-base 2>/dev/null | grep -q '^Version: 6\.4\.2'; then
    if [ ! -f "$sources" ]; then
        printf '%s\n' 'Types: deb-src' 'URIs: http://deb.debian.org/debian' \
            'Suites: bookworm bookworm-updates' 'Components: main' \
            'Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg' | $sudo tee "$sources" >/dev/null
    fi
    update=yes
fi
if [ ${#missing[@]} -gt 0 ] || [ -n "$update" ]; then
    $sudo apt-get update -qq
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
