#!/usr/bin/env bash
# Packs the Windows build's folder (scripts/windows/build.sh) for schools: the MSI a technician
# deploys silently (brindora-<version>-x64.msi, made with msitools' wixl) and the portable zip
# (brindora-<version>-x64-portable.zip). The version is the top CMakeLists.txt's. With the same
# folder and SOURCE_DATE_EPOCH (by default the date of packaging/changelog) the same bytes come
# out each time, unless signed.
# Usage: scripts/windows/package.sh [--dist FOLDER] [--out FOLDER] [--sign FILE.p12]
#   --dist   the Windows build's folder (default build-windows/dist)
#   --out    where the MSI and the zip go (default the folder above --dist)
#   --sign   sign brindora.exe and the MSI with this certificate (PKCS#12; its password in
#            BRINDORA_SIGN_PASSWORD, a time-stamp server in BRINDORA_SIGN_TIMESTAMP if wanted)
#   --version X.Y.Z  pack as another version (the package test's older MSI); no version check
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
packaging=$top/packaging/windows
fail() { echo "package.sh: $*" >&2; exit 1; }

dist=$top/build-windows/dist out="" sign="" version=""
while [ $# -gt 0 ]; do
    case "$1" in
        --dist) dist=$2; shift 2 ;;
        --out) out=$2; shift 2 ;;
        --sign) sign=$2; shift 2 ;;
        --version) version=$2; shift 2 ;;
        *) fail "unknown option $1 (see the head of this script)" ;;
    esac
done
[ -f "$dist/brindora.exe" ] || fail "no brindora.exe in $dist: run scripts/windows/build.sh first"
dist=$(cd "$dist" && pwd)
out=${out:-$(dirname "$dist")}
mkdir -p "$out"
out=$(cd "$out" && pwd)

need=(wixl msitools faketime gcc-mingw-w64-x86-64-posix zip python3)
[ -z "$sign" ] || need+=(osslsigncode)
missing=()
for p in "${need[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}" >&2
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
fi

# One version for the program, the Debian package and the MSI: the project's.
project_version=$(sed -n 's/^project(Brindora VERSION \([0-9][0-9.]*\).*/\1/p' "$top/CMakeLists.txt")
[ -n "$project_version" ] || fail "no project(Brindora VERSION x.y.z) in CMakeLists.txt"
changelog_version=$(sed -n '1s/^brindora (\([^)-]*\)-.*/\1/p' "$top/packaging/changelog")
[ "$changelog_version" = "$project_version" ] ||
    fail "packaging/changelog is at $changelog_version, the project at $project_version"
if [ -z "$version" ]; then
    version=$project_version
    # The program keeps its version as a UTF-16 string (Qt's); a folder built from another
    # version of the tree must not be packed under this one.
    wide=$(printf '%s' "$version" | od -An -tx1 -v | tr -s ' \n' ' ' | sed 's/ \([0-9a-f][0-9a-f]\)/\\x\1\\x00/g; s/ //g')
    LC_ALL=C grep -qaP "(?<![0-9.]\\x00)$wide\\x00\\x00" "$dist/brindora.exe" ||
        fail "$dist/brindora.exe is not version $version (the top CMakeLists.txt's): build it again"
fi
[[ "$version" =~ ^[0-9]{1,3}\.[0-9]{1,3}\.[0-9]{1,5}$ ]] || fail "version $version is not x.y.z"

export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(date -d "$(sed -n 's/^ -- .*>  //p' \
    "$top/packaging/changelog" | head -1)" +%s)}
export TZ=UTC LC_ALL=C

work=$(mktemp -d "${TMPDIR:-/tmp}/brindora-msi.XXXXXX")
trap 'rm -rf "$work"' EXIT
# A copy of the folder with every date the same, as the cabinet and the zip record them.
cp -r "$dist" "$work/Brindora"
chmod -R u+w,go-w "$work/Brindora"

sign_file() { # sign_file IN OUT; the password from a file, never on a command line
    (umask 077 && printf '%s' "${BRINDORA_SIGN_PASSWORD:-}" >"$work/sign.pass")
    local args=(sign -pkcs12 "$sign" -readpass "$work/sign.pass" -h sha256
                -n "Brindora" -i "https://www.collemarsi.edu.it/brindora/")
    [ -z "${BRINDORA_SIGN_TIMESTAMP:-}" ] || args+=(-ts "$BRINDORA_SIGN_TIMESTAMP")
    osslsigncode "${args[@]}" -in "$1" -out "$2" >/dev/null || fail "osslsigncode could not sign $1"
}
if [ -n "$sign" ]; then
    [ -f "$sign" ] || fail "no certificate $sign"
    sign_file "$dist/brindora.exe" "$work/brindora.exe"
    mv "$work/brindora.exe" "$work/Brindora/brindora.exe"
fi
find "$work/Brindora" -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} +

# The custom actions that write and remove the lab's brindora.conf.
x86_64-w64-mingw32-gcc-posix -O2 -Wall -Wextra -shared -static-libgcc \
    -ffile-prefix-map="$packaging"=. -Wl,--no-insert-timestamp,--disable-auto-image-base -s \
    -o "$work/lab_settings.dll" "$packaging/lab_settings.c" -lmsi
product_code=$(python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.UUID("4f0b7a52-9c1e-4d63-8a2f-d15e6b93c720"), "Brindora x64 " + sys.argv[1])).upper())' "$version")
files=$(python3 "$packaging/program_files.py" "$work/Brindora" Brindora "$work/files.wxs" yes)

msi=$out/brindora-$version-x64.msi
# wixl wants the folders it reads from as paths relative to where it runs.
cp "$packaging/brindora.wxs" "$packaging/brindora.ico" "$work/"
# wixl dates the package by the clock: it is given SOURCE_DATE_EPOCH's.
(cd "$work" && faketime -f "$(date -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')" wixl -a x64 -D Win64=yes -D ProgramFilesFolder=ProgramFiles64Folder \
    -D Version="$version" -D ProductCode="$product_code" -D PackagingDir=. -D WorkDir=. \
    -o brindora.msi brindora.wxs files.wxs) || fail "wixl could not build the MSI"

# What wixl 0.101 cannot say: when the custom actions run ($LabSettings is what this run does
# to the component that stands for brindora.conf: 3 installs it, 2 removes it), the conditions
# of the components that only a lab with settings gets, and the properties a managed install
# may pass on.
sequence=(
    "KeepResultsFolder|KEPT_RESULTSFOLDER AND NOT RESULTSFOLDER|51"
    "KeepAskPupil|KEPT_ASKPUPIL AND NOT ASKPUPIL|52"
    "SetInstallLocation||1001"
    "RemoveLabSettings.Data|\$LabSettings=2|6580"
    "RemoveLabSettings|\$LabSettings=2|6581"
    "UndoLabSettings.Data|\$LabSettings=3|6582"
    "UndoLabSettings|\$LabSettings=3|6583"
    "WriteLabSettings.Data|\$LabSettings=3|6584"
    "WriteLabSettings|\$LabSettings=3|6585")
queries=()
for row in "${sequence[@]}"; do
    IFS='|' read -r action condition number <<<"$row"
    queries+=(-q "DELETE FROM InstallExecuteSequence WHERE Action = '$action'"
              -q "INSERT INTO InstallExecuteSequence (Action, Condition, Sequence) VALUES ('$action', '$condition', $number)")
done
queries+=(-q "UPDATE Component SET Condition = 'RESULTSFOLDER' WHERE Component = 'SummaryShortcut'"
          -q "UPDATE Component SET Condition = 'RESULTSFOLDER OR ASKPUPIL' WHERE Component = 'LabSettings'"
          -q "UPDATE Property SET Value = 'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;RESULTSFOLDER;ASKPUPIL' WHERE Property = 'SecureCustomProperties'")
# wixl also gives every package a new package code; it is made from the contents instead, so
# the same folder gives the same MSI and different contents a different code.
package_code=$(python3 -c 'import sys, uuid
print("{" + str(uuid.uuid5(uuid.UUID("4f0b7a52-9c1e-4d63-8a2f-d15e6b93c720"), sys.argv[1])).upper() + "}")' \
    "$(cd "$work" && sha256sum brindora.wxs files.wxs lab_settings.dll && find Brindora -type f -print0 | sort -z | xargs -0 sha256sum)")
faketime -f "$(date -d "@$SOURCE_DATE_EPOCH" '+%Y-%m-%d %H:%M:%S')" msibuild "$work/brindora.msi" "${queries[@]}" \
    -s "Brindora $version" "Collemarsi school" "x64;1040" "$package_code" ||
    fail "msibuild could not finish the MSI"
if [ -n "$sign" ]; then
    rm -f "$msi"
    sign_file "$work/brindora.msi" "$msi"
else
    mv "$work/brindora.msi" "$msi"
fi

# The portable folder: the same program in a folder Brindora, to run from anywhere.
zip_file=$out/brindora-$version-x64-portable.zip
rm -f "$zip_file"
(cd "$work" && find Brindora | sort | zip -X -D -q -9 "$zip_file" -@) || fail "zip failed"

echo "$msi ($files files, $(du -k "$msi" | cut -f1) KiB)"
echo "$zip_file ($(du -k "$zip_file" | cut -f1) KiB)"
