#!/usr/bin/env bash
# The MSI as a lab's technician deploys it, under Wine in a prefix of its own: packed twice to
# the same bytes, signed with a certificate of its own, installed silently with RESULTSFOLDER,
# the installed game started from its shortcut and played (its window, the anthem on a
# PulseAudio null sink, a state asked and answered with xdotool, the answer in a game file),
# upgraded from an older MSI to one copy, a downgrade refused, uninstalled to nothing, and the
# plain MSI writing no brindora.conf.
# Usage: windows_package_test.sh DIST   (the Windows build's folder, scripts/windows/build.sh)
#   BRINDORA_PACKAGE_STANDIN=1: DIST holds a stand-in program, not the game: the game's part is
#   not run (for work on the installer before a Windows build exists).
#   BRINDORA_BARE_WINDOW=build-windows/bench/bench_bare.exe: also time a bare Qt window's start,
#   to compare with the game's.
#   KEEP_WORK=1 keeps the prefix, the MSIs and msiexec's logs in /tmp/brindora-msi-test.*.
set -euo pipefail
dist=$(cd "$1" && pwd)
src=$(cd "$(dirname "$0")/../.." && pwd)
standin=${BRINDORA_PACKAGE_STANDIN:-0}
work=$(mktemp -d /tmp/brindora-msi-test.XXXXXX)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    [ -z "${WINEPREFIX:-}" ] || wineserver -k 2>/dev/null || true
    [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# (package.sh installs what packing needs: wixl, msitools, faketime, mingw, zip, osslsigncode)
for tool in wine wineserver winepath openssl unzip Xvfb openbox pulseaudio pactl parec sox xdotool wmctrl; do
    command -v "$tool" >/dev/null || fail "$tool is not installed"
done
now() { date +%s.%N; }
since() { awk -v a="$1" -v b="$(now)" 'BEGIN { printf "%.1f", b - a }'; }
win() { echo "Z:${1//\//\\}"; }

version=$(sed -n 's/^project(Brindora VERSION \([0-9.]*\).*/\1/p' "$src/CMakeLists.txt")
old_version=0.9.0
dpkg --compare-versions "$old_version" lt "$version" || fail "the older MSI's $old_version is not older"

# Packed twice to the same bytes; the older version for the upgrade; a signed one.
package() { bash "$src/scripts/windows/package.sh" --dist "$dist" "$@" >"$work/package.out" ||
                fail "package.sh $*"; }
package --out "$work/a"
package --out "$work/b"
msi=$work/a/brindora-$version-x64.msi
zip_file=$work/a/brindora-$version-x64-portable.zip
cmp "$msi" "$work/b/brindora-$version-x64.msi" || fail "two MSIs of the same folder differ"
cmp "$zip_file" "$work/b/brindora-$version-x64-portable.zip" || fail "two zips of the same folder differ"
echo "MSI: $(basename "$msi") $(du -k "$msi" | cut -f1) KiB, zip $(du -k "$zip_file" | cut -f1) KiB"
property() { msiinfo export "$1" Property | tr -d '\r' | awk -F'\t' -v p="$2" '$1 == p { print $2 }'; }
[ "$(property "$msi" ProductVersion)" = "$version" ] || fail "the MSI is not version $version"
files=$(cd "$dist" && find . -type f | wc -l)
listing=$(unzip -Z1 "$zip_file")
zipped=$(grep -vc '/$' <<<"$listing")
[ "$zipped" -eq "$files" ] || fail "the zip holds $zipped files, the folder $files"
grep -qx 'Brindora/brindora.exe' <<<"$listing" || fail "no Brindora/brindora.exe in the zip"
package --out "$work/old" --version "$old_version"
old_msi=$work/old/brindora-$old_version-x64.msi

openssl req -x509 -newkey rsa:2048 -nodes -subj "/CN=Scuola di prova" -days 30 \
    -keyout "$work/key.pem" -out "$work/cert.pem" 2>/dev/null
openssl pkcs12 -export -inkey "$work/key.pem" -in "$work/cert.pem" -passout pass:prova \
    -out "$work/school.p12"
BRINDORA_SIGN_PASSWORD=prova package --out "$work/signed" --sign "$work/school.p12"
for f in "$work/signed/brindora-$version-x64.msi"; do
    osslsigncode verify -CAfile "$work/cert.pem" -in "$f" >"$work/verify.out" 2>&1 ||
        { cat "$work/verify.out" >&2; fail "the signed MSI does not verify"; }
done
unzip -p "$work/signed/brindora-$version-x64-portable.zip" Brindora/brindora.exe >"$work/signed.exe"
osslsigncode verify -CAfile "$work/cert.pem" -in "$work/signed.exe" >"$work/verify.out" 2>&1 ||
    { cat "$work/verify.out" >&2; fail "the signed program does not verify"; }
echo "signed with a school's certificate: the MSI and brindora.exe verify"

start_display() { # Xvfb with openbox, and a private PulseAudio server with a null sink
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
    pids+=($!)
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    export DISPLAY=:$(cat "$work/display")
    openbox >/dev/null 2>&1 &
    pids+=($!)
    pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
        --system=false --log-target=file:"$work/pulse.log" \
        -L "module-native-protocol-unix socket=$work/pulse.sock auth-anonymous=1" \
        -L "module-null-sink sink_name=brindora_null" -L "module-always-sink" >/dev/null 2>&1 &
    pids+=($!)
    export PULSE_SERVER=unix:$work/pulse.sock
    for _ in $(seq 100); do pactl info >/dev/null 2>&1 && break; sleep 0.1; done
    pactl set-default-sink brindora_null || fail "no PulseAudio server for the game"
}
wait_window() { # wait_window NAME-REGEX: the id of the visible window so named (30 s at most)
    for _ in $(seq 600); do
        xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1 && return 0
        sleep 0.05
    done
    return 1
}
program_pids() { # program_pids NAME.exe: its processes in this test's prefix
    local p
    for p in $(pgrep -f "$1" || true); do
        { tr '\0' '\n' <"/proc/$p/environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && echo "$p"
    done
}
close_window() { # close_window WINDOW [NAME.exe]: closed as a pupil closes it; the program ends
    local program=${2:-brindora.exe}
    wmctrl -i -c "$1" 2>/dev/null || true
    for _ in $(seq 100); do
        [ -n "$(program_pids "$program")" ] || return 0
        sleep 0.1
    done
    kill $(program_pids "$program") 2>/dev/null || true
    return 1
}
time_start() { # time_start LABEL TITLE-REGEX NAME.exe COMMAND...: seconds from start to window
    local label=$1 title=$2 program=$3; shift 3
    local t window
    t=$(now)
    "$@" >/dev/null 2>&1 &
    window=$(wait_window "$title") || fail "$label: no window named $title"
    echo "$label: window after $(since "$t") s"
    close_window "$window" "$program" || fail "$label: the window closed, the program went on"
}

# The installed game, as a pupil meets it: started from its shortcut, its window and anthem;
# then a state asked and answered, the answer in a game file of the lab's folder.
play_installed_game() {
    local lnk caption='Ostavella$'
    for m in "${menus[@]}"; do [ -f "$m/Brindora/Brindora.lnk" ] && lnk=$m/Brindora/Brindora.lnk; done
    # The first start after the install, then a second one, each from the shortcut.
    # (start.exe hangs on a link given as a Unix path: it is given the Windows one)
    lnk=$(winepath -w "$lnk" 2>/dev/null)
    for run in first again; do
        time_start "shortcut start ($run)" "$caption" brindora.exe wine start "$lnk"
    done
    if [ -n "${BRINDORA_BARE_WINDOW:-}" ]; then
        # The bare window beside the installed game's libraries, started the same way; its
        # argument keeps it open 30 s after its first paint (bench/window_probe.cpp).
        local bare_name bare
        bare_name=$(basename "$BRINDORA_BARE_WINDOW")
        mkdir -p "$work/bare"
        cp -r "$program_dir"/*.dll "$program_dir"/platforms "$program_dir"/styles "$work/bare/"
        cp "$BRINDORA_BARE_WINDOW" "$work/bare/"
        bare=$(winepath -w "$work/bare/$bare_name" 2>/dev/null)
        for run in first again; do
            time_start "bare Qt window ($run)" "^${bare_name%.exe}$" "$bare_name" wine start "$bare" 30
        done
    fi

    parec --latency-msec=200 -d brindora_null.monitor --rate=22050 --channels=1 --format=s16le \
        >"$work/anthem.raw" 2>/dev/null &
    pids+=($!)
    local rec=$!
    wine "$program_dir/brindora.exe" --states Francia --pupil Prova >"$work/game.out" 2>&1 &
    local window
    window=$(wait_window "$caption") || fail "the installed game's window did not open"
    sleep 4
    kill "$rec"
    sox -t raw -r 22050 -c 1 -e signed -b 16 "$work/anthem.raw" -n stat 2>"$work/anthem.stat"
    local rms
    rms=$(awk '/RMS +amplitude/ { print $3 }' "$work/anthem.stat")
    echo "anthem on the null sink: RMS $rms"
    awk -v a="$rms" 'BEGIN { exit !(a > 0.01) }' || fail "the anthem was not heard"

    # The car button at the top right of the client area (544 pixels high, below the menu bar),
    # then the prompt box closed, then France on the map (map pixel 120, 360 inside the 2-pixel
    # border), then the verdict closed.
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool windowactivate --sync "$window" 2>/dev/null || true
    xdotool mousemove $((X + WIDTH - 80)) $((Y + HEIGHT - 444)) click 1
    local box
    box=$(wait_window '^Brindora$') || fail "no box asked for a state"
    xdotool windowactivate --sync "$box" 2>/dev/null || true
    xdotool key Return
    for _ in $(seq 100); do xdotool search --onlyvisible --name '^Brindora$' >/dev/null 2>&1 || break; sleep 0.1; done
    xdotool mousemove $((X + 2 + 120)) $((Y + HEIGHT - 544 + 2 + 360)) click 1
    box=$(wait_window '^Brindora$') || fail "no verdict after the click on France"
    xdotool windowactivate --sync "$box" 2>/dev/null || true
    xdotool key Return
    local row=""
    for _ in $(seq 100); do
        row=$(grep -ah ';Francia;Francia;.*;giusto;' "$results"/*.csv 2>/dev/null | head -1) && [ -n "$row" ] && break
        sleep 0.1
    done
    [ -n "$row" ] || { ls -l "$results" >&2; cat "$work/game.out" >&2; fail "no right answer in a game file"; }
    echo "the answer in the lab's folder: $row"
    close_window "$window" || fail "the game did not end when its window was closed"
}

# A prefix of its own, as scripts/windows/wine-prefix.sh makes them; one wineserver throughout.
export HOME=$work/home XDG_RUNTIME_DIR=$work/run LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
# The display and the sound server first: Wine's desktop process, started by the first program of
# the prefix, keeps the display it found for every later window.
start_display
bash "$src/scripts/windows/wine-prefix.sh" "$WINEPREFIX"
wineserver -p
drive=$WINEPREFIX/drive_c
program_dir=$drive/Program\ Files/Brindora
conf=$drive/ProgramData/Brindora/brindora.conf
# Windows puts a per-machine install's shortcuts in all users' Start menu; Wine 8 in the user's.
user_dir=$(find "$drive/users" -mindepth 1 -maxdepth 1 -type d ! -name Public | head -1)
menus=("$drive/ProgramData/Microsoft/Windows/Start Menu/Programs"
       "$user_dir/AppData/Roaming/Microsoft/Windows/Start Menu/Programs")
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall'

msiexec() { # msiexec LOG /i|/x MSI [PROPERTY=VALUE...]: a silent msiexec's exit code; its log kept
    local log=$work/$1.log; shift
    local rc=0
    wine msiexec "$@" /qn /l*v "$(win "$log")" >/dev/null 2>&1 || rc=$?
    return $rc
}
shortcuts() { # the names of the Start menu's Brindora shortcuts, one a line
    for m in "${menus[@]}"; do
        [ -d "$m/Brindora" ] && (cd "$m/Brindora" && ls)
    done | sort
}
products() { # "version" of each Brindora in the uninstall key, one a line
    wine reg query "$uninstall_key" /s 2>/dev/null | tr -d '\r' | awk '
        /^HKEY_/ { name = ""; version = "" }
        $1 == "DisplayName" { name = $3 }
        $1 == "DisplayVersion" { version = $3 }
        name == "Brindora" && version != "" { print version; name = "" }'
}
check_installed() { # check_installed VERSION SHORTCUTS...
    local want=$1; shift
    [ "$(products)" = "$want" ] || fail "installed: $(products | tr '\n' ' '), expected one Brindora $want"
    local n
    n=$(find "$program_dir" -type f | wc -l)
    [ "$n" -eq "$files" ] || fail "$n files in Program Files\\Brindora, the folder has $files"
    cmp "$dist/brindora.exe" "$program_dir/brindora.exe" || fail "the installed program is not the build's"
    [ "$(shortcuts)" = "$(printf '%s\n' "$@" | sort)" ] ||
        fail "Start menu: $(shortcuts | tr '\n' ',') expected $(printf '%s,' "$@")"
}
check_gone() {
    [ ! -e "$program_dir" ] || fail "left in Program Files: $(find "$program_dir" | head -5)"
    [ -z "$(shortcuts)" ] || fail "left in the Start menu: $(shortcuts)"
    [ -z "$(products)" ] || fail "left in the uninstall key: $(products)"
    ! wine reg query 'HKLM\Software\Brindora' >/dev/null 2>&1 || fail "HKLM\\Software\\Brindora is left"
}
game_shortcuts=("Brindora - Esplora la mappa.lnk" "Brindora - Schermo intero.lnk" "Brindora.lnk")
lab_shortcuts=("${game_shortcuts[@]}" "Riepilogo della classe.lnk")

# 1. Silently, with the lab's results folder (a drive path as Wine gives one).
results=$work/classe
mkdir -p "$results"
echo "un gioco di ieri" >"$results/20250101-080000_LAB-01_Anna.csv"
t=$(now)
msiexec install /i "$(win "$msi")" RESULTSFOLDER="$(win "$results")" || fail "msiexec /i failed"
echo "installed in $(since "$t") s under Wine"
check_installed "$version" "${lab_shortcuts[@]}"
# Apps & features: name and version (above), publisher and icon.
product_code=$(property "$msi" ProductCode)
grep -q 'REG_SZ *Collemarsi school' <<<"$(wine reg query "$uninstall_key\\$product_code" /v Publisher 2>/dev/null)" ||
    fail "Apps & features shows no publisher"
[ -f "$drive/windows/Installer/$product_code/brindora.ico" ] || fail "the icon of Apps & features is not installed"
printf '%s\r\n' "# Written by the Brindora installer; removed when Brindora is uninstalled." \
    "[results]" "folder=$(win "$results")" | cmp - "$conf" || { cat -A "$conf" >&2; fail "brindora.conf"; }

[ "$standin" = 1 ] || play_installed_game

# 2. Uninstalled: nothing of the package is left; the results folder is as it was.
before=$(cd "$results" && find . -type f -exec sha256sum {} + | sort)
t=$(now)
msiexec uninstall /x "$(win "$msi")" || fail "msiexec /x failed"
echo "uninstalled in $(since "$t") s under Wine"
check_gone
[ ! -e "$conf" ] && [ ! -e "$drive/ProgramData/Brindora" ] || fail "the MSI's brindora.conf is left"
[ "$(cd "$results" && find . -type f -exec sha256sum {} + | sort)" = "$before" ] ||
    fail "the results folder changed with the uninstall"

# 3. Upgraded: the older version with the lab's settings, then this one with none given again.
# A folder with letters outside the code page reaches brindora.conf as UTF-8.
lab_folder='\\server\classe 3ª\Niccolò'
msiexec old /i "$(win "$old_msi")" RESULTSFOLDER="$lab_folder" ASKPUPIL=1 || fail "the older MSI"
check_installed "$old_version" "${lab_shortcuts[@]}"
grep -q '^ask_pupil=1' "$conf" || fail "ASKPUPIL=1 did not reach brindora.conf"
msiexec upgrade /i "$(win "$msi")" || fail "the upgrade failed"
check_installed "$version" "${lab_shortcuts[@]}"
printf '%s\r\n' "# Written by the Brindora installer; removed when Brindora is uninstalled." \
    "[results]" "folder=$lab_folder" "ask_pupil=1" | cmp - "$conf" ||
    { cat -A "$conf" >&2; fail "the upgrade did not keep the lab's settings"; }
# A downgrade is refused by the launch condition that carries its message (Windows shows and
# logs it; Wine's quiet msiexec neither), and the newer version stays.
rc=0
msiexec downgrade /i "$(win "$old_msi")" || rc=$?
# 1603, ERROR_INSTALL_FAILURE, as a Unix exit status keeps it: its low byte
[ "$rc" -eq $((1603 % 256)) ] || fail "the older MSI over the newer one: msiexec gave $rc, not 1603"
grep -aq "LaunchConditions. Return value 0" "$work/downgrade.log" || fail "the downgrade was not stopped by its launch condition"
grep -aq "^NOT WIX_DOWNGRADE_DETECTED	.*A newer version of Brindora is already installed" \
    <<<"$(msiinfo export "$old_msi" LaunchCondition)" ||
    fail "the downgrade's message is not the launch condition's"
check_installed "$version" "${lab_shortcuts[@]}"
msiexec uninstall2 /x "$(win "$msi")" || fail "msiexec /x after the upgrade failed"
check_gone
[ ! -e "$conf" ] || fail "brindora.conf is left after the upgrade's uninstall"

# 4. Settings a lab must not get: refused with the reason in msiexec's log, nothing installed.
bad_settings=(
    'RESULTSFOLDER=classe\relativa|RESULTSFOLDER must be a share'
    'RESULTSFOLDER=\\server\a|b|RESULTSFOLDER must not contain'
    'ASKPUPIL=si|ASKPUPIL must be 0 or 1')
for case in "${bad_settings[@]}"; do
    setting=${case%|*} reason=${case##*|}
    ! msiexec bad /i "$(win "$msi")" "$setting" || fail "$setting was installed"
    grep -aq "Brindora: $reason" "$work/bad.log" || fail "$setting: no \"$reason\" in msiexec's log"
    check_gone
    [ ! -e "$conf" ] || fail "$setting wrote brindora.conf"
done

# 5. The plain MSI writes no brindora.conf, and leaves a technician's own one alone.
msiexec plain /i "$(win "$msi")" || fail "the plain install failed"
check_installed "$version" "${game_shortcuts[@]}"
[ ! -e "$drive/ProgramData/Brindora" ] || fail "the plain MSI wrote $(ls "$drive/ProgramData/Brindora")"
mkdir -p "$drive/ProgramData/Brindora"
printf '[results]\r\nfolder=D:\\classe\r\n' >"$conf"
msiexec plain_uninstall /x "$(win "$msi")" || fail "the plain uninstall failed"
check_gone
[ "$(cat "$conf")" = "$(printf '[results]\r\nfolder=D:\\classe\r\n')" ] ||
    fail "the uninstall touched a brindora.conf it did not write"
echo "installed silently, upgraded to one copy, downgrade refused, uninstalled without a trace"
