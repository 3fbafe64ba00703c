# Shared by the tools/ scripts: one line per phase with the full output in
# a log under build/logs, and the Debian packages each script needs.
# shellcheck shell=bash

# --- Phases ---
#
#   start_log NAME       this run's log is build/logs/NAME.log (emptied)
#   phase TITLE CMD...   runs CMD (a program or a shell function) with its
#                        output in the log and prints "TITLE ... ok (12 s)";
#                        on failure "TITLE ... FAILED", the last lines of
#                        CMD's output and the log's path; returns CMD's status.
#                        CMD runs in a subshell with errexit on, so a shell
#                        function stops at its first failing command (call
#                        phase as a plain command, not in `if` or `||`)
#   phase_lines REGEX    prints the last phase's output lines matching REGEX
#
# A phase started by a script that another script's phase runs writes to
# the same log (SORVI_LOG is exported).

PHASE_TAIL_LINES=${PHASE_TAIL_LINES:-40}
_phase_from=1

start_log() {
    mkdir -p build/logs
    SORVI_LOG=$PWD/build/logs/$1.log
    export SORVI_LOG
    : >"$SORVI_LOG"
}

phase() {
    local title=$1
    shift
    [ -n "${SORVI_LOG:-}" ] || start_log "$(basename "$0")"
    printf '%s ... ' "$title"
    printf '\n=== %s: %s\n' "$title" "$*" >>"$SORVI_LOG"
    _phase_from=$(($(wc -l <"$SORVI_LOG") + 1))
    local started=$SECONDS status errexit=0
    [[ $- == *e* ]] && errexit=1
    set +e
    (
        set -e
        "$@"
    ) >>"$SORVI_LOG" 2>&1 </dev/null
    status=$?
    [ "$errexit" -eq 0 ] || set -e
    if [ "$status" -eq 0 ]; then
        echo "ok ($((SECONDS - started)) s)"
        return 0
    fi
    echo "FAILED (exit $status after $((SECONDS - started)) s)"
    tail -n "+$_phase_from" "$SORVI_LOG" | tail -n "$PHASE_TAIL_LINES" | sed 's/^/    /'
    echo "The whole log: $SORVI_LOG"
    return "$status"
}

phase_lines() {
    tail -n "+$_phase_from" "$SORVI_LOG" | grep -E -- "$1" || true
}

# --- Packages ---

# need_packages [--lean] PKG...: installs with apt-get whichever of PKG are
# missing, as one phase; --lean leaves out the packages they only recommend.
need_packages() {
    local lean=()
    if [ "${1:-}" = --lean ]; then
        lean=(--no-install-recommends)
        shift
    fi
    local missing=()
    local pkg
    for pkg in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$pkg")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null; then
        echo "error: packages missing (${missing[*]}); run as root or install them first" >&2
        exit 1
    fi
    local count="${#missing[@]} packages"
    [ ${#missing[@]} -eq 1 ] && count="1 package"
    phase "installing $count (${missing[*]})" _apt_install "${lean[@]}" "${missing[@]}"
}

_apt_install() {
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@"
}

# What configuring and building the game alone needs.
GAME_PACKAGES=(cmake g++ make libsdl2-dev unifont)
# Everything the build tree builds: the game, the tests and the benchmarks.
BUILD_PACKAGES=("${GAME_PACKAGES[@]}" libgtest-dev libbenchmark-dev)
TEST_PACKAGES=(xvfb xdotool imagemagick x11-utils strace clang-format openbox)
# The other platforms' compilers, for the checks that the shared code builds
# with them.
CROSS_PACKAGES=(g++-mingw-w64-x86-64-posix emscripten)
# The fuzz targets need clang's libFuzzer runtime.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)
# tools/package: the .debs (dpkg-shlibdeps), their checks (the core's in
# Debian's RetroArch) and the install test.
PACKAGE_PACKAGES=(dpkg-dev file)
PACKAGE_TEST_PACKAGES=(lintian desktop-file-utils appstream debootstrap debian-archive-keyring
                       xvfb xdotool retroarch imagemagick)
# tools/libretro: Debian's RetroArch and what drives it under Xvfb.
LIBRETRO_TEST_PACKAGES=(retroarch xvfb xdotool imagemagick python3)

jobs() { nproc 2>/dev/null || echo 2; }
