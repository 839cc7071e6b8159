#!/usr/bin/env bash
# Makes a Wine prefix for the game and its tests: Windows 10, no Mono or Gecko prompts, and
# Liberation Sans found under Arial's name (and the dialog font's), as a real Windows has Arial,
# so that the window under Wine has the layout it has on Windows.
# Usage: scripts/windows/wine-prefix.sh PREFIX
set -euo pipefail
prefix=$1
mkdir -p "$prefix"
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
wineboot -i >/dev/null 2>&1
for face in Arial "MS Shell Dlg" "MS Shell Dlg 2" Tahoma "Segoe UI" "Microsoft Sans Serif"; do
    wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1
done
wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "Arial Bold" /t REG_SZ /d "Liberation Sans Bold" /f >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine' /v Version /t REG_SZ /d win10 /f >/dev/null 2>&1
wineserver -w
