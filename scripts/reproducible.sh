#!/usr/bin/env bash
# Builds the Debian package twice from the committed tree, in two folders of different names,
# and tells whether the two .deb files are the same byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."
export SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$(dpkg-parsechangelog -l packaging/changelog -STimestamp)}
work=$(mktemp -d "${TMPDIR:-/tmp}/brindora-repro.XXXX")
trap 'rm -rf "$work"' EXIT
for side in a second; do
    mkdir -p "$work/$side/src"
    git archive HEAD | tar -x -C "$work/$side/src"
    cmake -S "$work/$side/src" -B "$work/$side/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBRINDORA_TESTS=OFF >/dev/null
    cmake --build "$work/$side/build" -j"$(nproc)" --target brindora packaging_docs >/dev/null
    (cd "$work/$side/build" && cpack -G DEB >/dev/null 2>&1)
done
cd "$work"
sha256sum ./*/build/brindora_*.deb
cmp a/build/brindora_*.deb second/build/brindora_*.deb && echo "identical"
