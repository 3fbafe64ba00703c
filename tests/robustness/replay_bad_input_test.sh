#!/usr/bin/env bash
# Bad command lines and bad scripts: sorvi-replay exits with status 2 and
# one line on stderr naming the problem (and the script's line), and prints
# no trace at all, not even of the frames before the bad line.
#
#   replay_bad_input_test.sh SORVI_REPLAY
set -uo pipefail

replay=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

source "$(dirname "$0")/../support/checks.sh"
# refused WORDS SCRIPT ARG...: runs with SCRIPT on stdin ('' for none); it
# ends with 2 and one line saying WORDS, and prints no trace.
refused() {
    local words=$1 script=$2
    shift 2
    local code
    printf '%b' "$script" >"$work/stdin"
    timeout 60 "$replay" "$@" <"$work/stdin" >"$work/stdout" 2>"$work/stderr"
    code=$?
    local problems=()
    [ "$code" -eq 2 ] || problems+=("exit code $code, not 2")
    [ ! -s "$work/stdout" ] || problems+=("$(wc -c <"$work/stdout") bytes on stdout")
    [ "$(wc -l <"$work/stderr")" -eq 1 ] || problems+=("$(wc -l <"$work/stderr") lines on stderr")
    grep -q '^sorvi-replay: ' "$work/stderr" || problems+=("no 'sorvi-replay: ' prefix")
    grep -qF -- "$words" "$work/stderr" || problems+=("does not say '$words'")
    [ ${#problems[@]} -eq 0 ] && return 0
    printf "  %s\n" "${problems[@]}"
    sed 's/^/  stderr: /' "$work/stderr"
    head -c 300 "$work/stdout" | sed 's/^/  stdout: /'
    return 1
}
refuse() { # refuse WORDS SCRIPT ARG...
    local script=$2
    local shown=${script:0:40}
    [ ${#script} -le 40 ] || shown="$shown..."
    check "${*:3}${script:+ (script '$shown')}" refused "$@"
}

# --- Options ---
refuse "unknown option '--colour'" "" --colour
refuse "unknown option '--'" "" --
refuse "unknown option '--fb=1'" "" --fb=1
refuse "option --seed needs a value" "" --seed
refuse "option --frames needs a value" "" --frames
refuse "bad --seed 'x'" "" --seed x
refuse "bad --seed '-1'" "" --seed=-1
refuse "bad --seed '4294967296'" "" --seed 4294967296
refuse "bad --seed ''" "" --seed=
refuse "bad --frames '1e3'" "" --frames 1e3
refuse "bad --frames ' 5'" "" --frames " 5"
refuse "bad --every '0'" "" --every 0
refuse "bad --joystick '1:2:3'" "" --joystick 1:2:3
refuse "bad --joystick '1:2:3:4:5'" "" --joystick 1:2:3:4:5
refuse "bad --joystick '1::3:4'" "" --joystick 1::3:4
refuse "option --ppm needs a file name" "" --ppm=
refuse "more than one script given ('b.script')" "" a.script b.script
refuse "cannot read script '$work/none.script'" "" "$work/none.script"
# The soak makes its own input: a frame count of 1 or more and nothing
# that belongs to a script's run.
refuse "option --soak needs a value" "" --soak
for count in 0 -5 x; do
    refuse "bad --soak '$count' (want a number of frames >= 1)" "" --soak "$count"
done
soak_alone="--soak makes its own input and prints a summary"
refuse "$soak_alone" "" --soak 9 a.script
refuse "$soak_alone" "" --soak 9 --frames 3
refuse "$soak_alone" "" --soak=9 --fb
refuse "$soak_alone" "" --soak 9 --every 1
refuse "$soak_alone" "" --soak 9 --ppm o.ppm
# Option errors come before the script is read: a bad script is not named.
refuse "bad --every 'x'" "f10\n" --every x -

# --- Scripts ---
refuse "script line 1: bad token 'f10'" "f10\n"
refuse "script line 3: bad token '256'" "-\n# a comment\n256\n"
refuse "script line 2: bad token '0'" "enter\n0 *3\n"
refuse "script line 4: bad repeat count '*0'" "\n\n-\nup *0\n"
refuse "script line 1: bad repeat count '*x'" "up *x\n"
refuse "script line 1: bad repeat count '*4294967296'" "up *4294967296\n"
refuse "script line 1: a frame needs a token besides its repeat count" "*4\n"
refuse "script line 1: bad token '*2'" "*2 up\n"
refuse "script line 2: bad joystick value in 'jx=-1'" "-\njx=-1\n"
refuse "script line 1: bad joystick value in 'jy=4294967296'" "jy=4294967296\n"
refuse "script line 1: bad token 'jq=3'" "jq=3\n"
refuse "script line 1: bad token 'kp10'" "kp10\n"
# Windows line ends are blanks; the bad line is still found.
refuse "script line 2: bad token 'upp'" "enter\r\nupp\r\n"
# No newline at the end, and a very long line.
refuse "script line 2: bad token 'x1'" "-\nx1"
refuse "script line 1: bad token" "$(printf 'up %.0s' $(seq 3000))bad\n"
# Bytes that are no text at all.
refuse "script line 2: bad token" "-\n\x01\x02\xff\n"
refuse "script line 1: bad token '\\x00up'" "\x00up\n"
# A terminal escape in a bad token is shown, not sent to the terminal.
refuse "script line 1: bad token '\\x1b]0;title\\x07'" "\x1b]0;title\x07\n"
# A script file that is a directory is an error, not an empty script.
mkdir "$work/dir.script"
refuse "cannot read script '$work/dir.script'" "" "$work/dir.script"
# Frames before a bad line are not run or printed.
refuse "script line 5: bad token 'nope'" "enter\n-\nenter\n- *100\nnope\n" --fb

finish_checks
