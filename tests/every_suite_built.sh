#!/usr/bin/env bash
# Fails when test sources lie in tests/ but are never built: a folder with sources that
# tests/CMakeLists.txt does not add, or a source file its folder's CMakeLists.txt never names.
# Usage: tests/every_suite_built.sh [tests-folder]
set -euo pipefail
cd "${1:-$(dirname "$0")}"

status=0
for dir in */; do
    dir=${dir%/}
    sources=$(find "$dir" -maxdepth 1 -type f \( -name '*.cpp' -o -name '*.sh' \) -printf '%f\n' | sort)
    [ -n "$sources" ] || continue
    if ! grep -Eq "^[[:space:]]*add_subdirectory\([[:space:]]*$dir[[:space:]]*\)" CMakeLists.txt; then
        echo "tests/$dir has test sources but tests/CMakeLists.txt does not add_subdirectory($dir)"
        status=1
        continue
    fi
    for file in $sources; do
        if ! grep -Eq "(^|[[:space:]/\"])$file([[:space:]\")]|$)" "$dir/CMakeLists.txt"; then
            echo "tests/$dir/$file is not named in tests/$dir/CMakeLists.txt: it is never built or run"
            status=1
        fi
    done
done
[ "$status" -eq 0 ] && echo "every test folder and source file under tests/ is built"
exit "$status"
