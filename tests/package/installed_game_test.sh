#!/usr/bin/env bash
# The package as a school would install it: its files, its metadata, and the game starting
# from where it was installed, with its recordings beside it, up to the first tick of Timer1.
set -euo pipefail
build=$1
root=$(mktemp -d "${TMPDIR:-/tmp}/brindora pkg ÀÈ.XXXX")
trap 'rm -rf "$root"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && cpack -G DEB >/dev/null) || fail "cpack could not build the package"
deb=$(ls -t "$build"/brindora_*.deb | head -n1)
dpkg-deb -x "$deb" "$root" || fail "the package does not unpack"
echo "package: $(basename "$deb") ($(du -k "$deb" | cut -f1) KiB)"

usr="$root/usr"
for f in bin/brindora lib/brindora/brindora \
         share/applications/it.collemarsi.Brindora.desktop \
         share/metainfo/it.collemarsi.Brindora.metainfo.xml; do
    [ -e "$usr/$f" ] || fail "missing $f"
done
[ -x "$usr/bin/brindora" ] || fail "the launcher is not executable"
n=$(find "$usr/lib/brindora/Europa" -name '*.wav' 2>/dev/null | wc -l)
[ "$n" -eq 31 ] || fail "expected 31 recordings beside the program, found $n"
for size in 16 32 48 128 256; do
    [ -f "$usr/share/icons/hicolor/${size}x${size}/apps/it.collemarsi.Brindora.png" ] ||
        fail "no ${size}px icon"
done

desktop-file-validate "$usr/share/applications/it.collemarsi.Brindora.desktop" ||
    fail "desktop-file-validate"
appstreamcli validate --no-net "$usr/share/metainfo/it.collemarsi.Brindora.metainfo.xml" ||
    fail "appstreamcli validate"

# The installed game reaches its first tick: stop it there under the debugger.
out=$(cd / && timeout 60 gdb -q -batch -nx \
    -ex 'set breakpoint pending on' -ex 'set pagination off' \
    -ex 'break brindora::Form1::timer1Timer' -ex run -ex 'kill' \
    "$usr/lib/brindora/brindora" 2>&1) || true
grep -Eq 'Breakpoint 1(\.[0-9]+)?, .*brindora::Form1::timer1Timer' <<<"$out" ||
    { echo "$out" | tail -20 >&2; fail "the installed game never ticked"; }

# Started through the launcher in bin/, from another folder, it keeps running.
set +e
(cd / && timeout 3 "$usr/bin/brindora" >/dev/null 2>&1)
code=$?
set -e
[ "$code" -eq 124 ] || fail "the launcher's game ended by itself with code $code"
echo "installed game started and ticked"
