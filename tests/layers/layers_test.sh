#!/usr/bin/env bash
# The code's shape, checked where it is easiest to break by accident:
#   - no two of the project's static libraries call each other in a circle
#     (a library calls another when it needs a symbol the other defines);
#   - no platform folder includes a header of the game or its input;
#   - no platform or menu-bar file writes the frame's size as a number.
#
#   layers_test.sh BUILD_DIR SOURCE_DIR
set -uo pipefail
build=$1
source_dir=$2
source "$source_dir/tests/support/checks.sh"

mapfile -t libraries < <(find "$build" -name 'libsorvi_*.a' | sort)
check "the build holds the project's libraries (found ${#libraries[@]})" test "${#libraries[@]}" -ge 8

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
name() { basename "$1" .a | sed 's/^lib//'; }
for lib in "${libraries[@]}"; do
    nm --defined-only --extern-only "$lib" 2>/dev/null | awk 'NF >= 3 {print $3}' | sort -u \
        >"$work/$(name "$lib").defined"
    nm --undefined-only "$lib" 2>/dev/null | awk '{print $NF}' | sort -u \
        >"$work/$(name "$lib").undefined"
done
# calls A B: library A needs a symbol library B defines.
: >"$work/calls"
for a in "${libraries[@]}"; do
    for b in "${libraries[@]}"; do
        [ "$a" = "$b" ] && continue
        if [ -n "$(comm -12 "$work/$(name "$a").undefined" "$work/$(name "$b").defined" | head -n 1)" ]; then
            echo "$(name "$a") $(name "$b")" >>"$work/calls"
        fi
    done
done
# A circle: some library reaches itself through the calls.
circles=""
for lib in "${libraries[@]}"; do
    start=$(name "$lib")
    reached=" "
    frontier=$(awk -v s="$start" '$1 == s {print $2}' "$work/calls")
    while [ -n "$frontier" ]; do
        next=""
        for n in $frontier; do
            case "$reached" in *" $n "*) continue ;; esac
            reached="$reached$n "
            next="$next $(awk -v s="$n" '$1 == s {print $2}' "$work/calls")"
        done
        frontier=$(echo "$next" | xargs)
    done
    case "$reached" in *" $start "*) circles="$circles $start" ;; esac
done
check "no library calls itself through others (in a circle:${circles:- none})" test -z "$circles"

includes=$(grep -rlE '#include "(game|input)/' "$source_dir/src/platform" || true)
check "no platform folder includes game/ or input/ (${includes:-none})" test -z "$includes"

# platform/frame.h is where it is written, once.
numbers=$(grep -rnE '\b(320|240|640|480|76800|307200)\b' "$source_dir/src/platform" \
    "$source_dir/src/menubar" --include='*.cpp' --include='*.h' |
    grep -v -e '^[^:]*/platform/frame\.h:' -e '^[^:]*:[0-9]*: *//' || true)
check "no platform or menu-bar file writes the frame's size as a number" test -z "$numbers"
[ -n "$numbers" ] && echo "$numbers"

finish_checks
