#!/usr/bin/env bash
# The code every platform shares must build with each platform's compiler:
#
#   toolchains_test.sh windows-headers SOURCE_DIR
#       every header that a Windows build includes compiles in a translation
#       unit that includes <windows.h> first (its macros must not clash with
#       our names), with mingw-w64 g++ and warnings as errors;
#   toolchains_test.sh emscripten-sources SOURCE_DIR
#       every platform-free source compiles with emscripten's em++ (libc++ 13)
#       and warnings as errors.
#
# A missing compiler is a skip (exit 77), said in one line with the package
# that brings it.
set -euo pipefail

check=${1:?usage: toolchains_test.sh windows-headers|emscripten-sources SOURCE_DIR}
src=$(cd "${2:?usage: toolchains_test.sh windows-headers|emscripten-sources SOURCE_DIR}" && pwd)
warnings=(-std=c++20 -Wall -Wextra -Wpedantic -Werror -ffp-contract=off)
flags=("${warnings[@]}" -fsyntax-only -I "$src/src" -I "$src" -I "$src/tools/replay")

need() {
    if ! command -v "$1" >/dev/null; then
        echo "skipped: $1 not found (apt-get install --no-install-recommends $2)"
        exit 77
    fi
}

cd "$src"
case $check in
windows-headers)
    need x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
    # The headers of the code a Windows build compiles: all but the other
    # platforms' own.
    mapfile -t headers < <(find src res tools/replay -name '*.h' \
        -not -path 'src/platform/sdl/*' -not -path 'src/platform/web/*' \
        -not -path 'src/platform/libretro/*' | sort)
    scratch=$(mktemp -d)
    trap 'rm -rf "$scratch"' EXIT
    # <windows.h> once, precompiled: each unit then takes a fifth of a second.
    printf '#include <windows.h>\n' >"$scratch/windows_first.h"
    x86_64-w64-mingw32-g++-posix "${warnings[@]}" -x c++-header \
        "$scratch/windows_first.h" -o "$scratch/windows_first.h.gch"
    for header in "${headers[@]}"; do
        unit=$scratch/$(echo "$header" | tr '/.' '__').cpp
        printf '#include "windows_first.h"\n#include "%s"\n' "$src/$header" >"$unit"
    done
    if ! find "$scratch" -name '*.cpp' -print0 |
        xargs -0 -P "$(nproc)" -n 8 x86_64-w64-mingw32-g++-posix "${flags[@]}" -Winvalid-pch \
            2>"$scratch/errors"; then
        head -n 40 "$scratch/errors"
        echo "FAILED: a header does not compile after <windows.h>" >&2
        exit 1
    fi
    echo "${#headers[@]} headers compile after <windows.h> with mingw-w64 g++"
    ;;
emscripten-sources)
    need em++ emscripten
    mapfile -t sources < <(find src/gfx src/input src/game src/shell src/menubar src/state \
        src/platform -maxdepth 1 -name '*.cpp' | sort)
    mapfile -t more < <(find src/platform/headless tools/replay -name '*.cpp' | sort)
    sources+=("${more[@]}")
    em++ "${flags[@]}" "${sources[@]}"
    echo "${#sources[@]} sources compile with em++"
    ;;
*)
    echo "unknown check: $check" >&2
    exit 2
    ;;
esac
