#!/usr/bin/env bash
# The package as a school would install it: the same bytes when packed again, clean for lintian,
# installed with dpkg, the game started from where it was installed, with its recordings found
# beside it, up to the first tick of Timer1, and removed with dpkg leaving no file behind.
# dpkg works on a root folder of its own (--root), so the machine's own packages are untouched.
set -euo pipefail
build=$1
src=$(cd "$(dirname "$0")/../.." && pwd)
work=$(mktemp -d "${TMPDIR:-/tmp}/brindora pkg ÀÈ.XXXX")
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
export QT_QPA_PLATFORM=offscreen

# Packed twice, the second time from freshly touched files. A tight umask shows any folder
# whose mode would follow it (lintian then reports it); CPack's ar headers do follow the umask,
# so both runs use the same one.
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l "$src/packaging/changelog" -STimestamp)}
umask 077
(cd "$build" && cpack -G DEB -B "$work/a" >/dev/null) || fail "cpack could not build the package"
touch "$build/ui/brindora" "$build"/packaging/*.gz
(cd "$build" && cpack -G DEB -B "$work/b" >/dev/null) || fail "cpack failed the second time"
umask 022
deb=$(ls "$work"/a/brindora_*.deb)
cmp "$deb" "$work"/b/brindora_*.deb || fail "two packages of the same build differ"
echo "package: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB), sha256 $(sha256sum <"$deb" | cut -c1-16)..."

lintian --fail-on error,warning "$deb" 2> >(grep -v 'root privileges' >&2) || fail "lintian"
# Hardened as Debian builds a program, stripped as Debian strips one, no stale override.
tags=$(lintian --pedantic -I "$deb" 2>/dev/null || true)
for tag in hardening-no-bindnow hardening-no-fortify-functions hardening-no-relro \
           binary-has-unneeded-section unused-override; do
    ! grep -q "$tag" <<<"$tags" || fail "lintian --pedantic -I: $(grep "$tag" <<<"$tags")"
done

root="$work/root"
admin="$root/var/lib/dpkg"
mkdir -p "$admin/info" "$admin/updates"
touch "$admin/status"
# The machine's libraries serve the game; dpkg's own root lists none of them.
dpkg_root() {
    dpkg --root="$root" --force-not-root --force-depends --log=/dev/null "$@" >"$work/dpkg.log" 2>&1 ||
        { cat "$work/dpkg.log" >&2; fail "dpkg $*"; }
}
dpkg_root -i "$deb"

usr="$root/usr"
for f in games/brindora lib/games/brindora/brindora share/man/man6/brindora.6.gz \
         share/doc/brindora/copyright share/doc/brindora/changelog.Debian.gz \
         share/applications/it.collemarsi.Brindora.desktop \
         share/metainfo/it.collemarsi.Brindora.metainfo.xml; do
    [ -e "$usr/$f" ] || fail "missing $f"
done
n=$(find "$usr/lib/games/brindora/Europa/" -name '*.wav' | wc -l)
[ "$n" -eq 31 ] || fail "expected 31 recordings beside the program, found $n"
for size in 16 32 48 128 256; do
    [ -f "$usr/share/icons/hicolor/${size}x${size}/apps/it.collemarsi.Brindora.png" ] ||
        fail "no ${size}px icon"
done
desktop-file-validate "$usr/share/applications/it.collemarsi.Brindora.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net "$usr/share/metainfo/it.collemarsi.Brindora.metainfo.xml" ||
    fail "appstreamcli validate"

# One version: the package's upstream part is what the program reports.
version=$(dpkg-deb -f "$deb" Version)
said=$(env -i "$usr/games/brindora" --version)
[ "$said" = "Brindora ${version%-*}" ] || fail "the program says '$said', the package is $version"

# The installed game reaches its first tick: stop it there under the debugger. The installed
# program is the build's, stripped, so the build's symbols serve for it.
build_id() { readelf -n "$1" | grep 'Build ID'; }
program="$usr/lib/games/brindora/brindora"
headers=$(readelf -lW "$program"); dynamic=$(readelf -dW "$program"); symbols=$(readelf --dyn-syms -W "$program")
grep -q GNU_RELRO <<<"$headers" || fail "no RELRO"
grep -Eq 'FLAGS.*BIND_NOW|FLAGS_1.*NOW' <<<"$dynamic" || fail "no BIND_NOW: RELRO is partial"
grep -q __stack_chk_fail <<<"$symbols" || fail "no stack protector"
grep -q '_chk@' <<<"$symbols" || fail "no FORTIFY'd functions"
[ "$(build_id "$usr/lib/games/brindora/brindora")" = "$(build_id "$build/ui/brindora")" ] ||
    fail "the packaged program is not the one just built"
out=$(cd / && timeout 60 gdb -q -batch -nx \
    -ex 'set breakpoint pending on' -ex 'set pagination off' \
    -ex 'break brindora::Form1::timer1Timer' -ex run -ex 'kill' \
    -s "$build/ui/brindora" -e "$usr/games/brindora" 2>&1) || true
grep -Eq 'Breakpoint 1(\.[0-9]+)?, .*brindora::Form1::timer1Timer' <<<"$out" ||
    { echo "$out" | tail -20 >&2; fail "the installed game never ticked"; }

# Started by its link in games/ from another folder, it finds the anthem through the links.
(cd / && exec strace -f -qq -e trace=openat -o "$work/trace" "$usr/games/brindora" \
    >/dev/null 2>&1) &
game=$!
anthem='/usr/lib/games/brindora/Europa/inno.wav", O_RDONLY[^=]*= [0-9]' # strace escapes the ÀÈ
for _ in $(seq 600); do
    grep -q "$anthem" "$work/trace" 2>/dev/null && break
    kill -0 "$game" 2>/dev/null || break
    sleep 0.1
done
kill -0 "$game" 2>/dev/null || fail "the installed game ended by itself"
kill $(ps -o pid= --ppid "$game") # the game; strace ends with it
wait "$game" 2>/dev/null || true
grep -q "$anthem" "$work/trace" || fail "the installed game did not find its anthem"

dpkg_root -r brindora
left=$(cd "$root" && find . -mindepth 1 -not -path './var' -not -path './var/lib' \
    -not -path './var/lib/dpkg' -not -path './var/lib/dpkg/*')
[ -z "$left" ] || fail "dpkg -r left behind: $left"
! ls "$admin/info" | grep -q brindora || fail "dpkg still keeps brindora's lists"
echo "installed, started, ticked, found its recordings and removed without a trace"
