# Shared by tools/play and tools/test: installs missing Debian packages.
# shellcheck shell=bash

# need_packages [--lean] PKG...: installs with apt-get whichever of PKG are
# missing; --lean leaves out the packages they only recommend.
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
    echo "Installing missing packages: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        if ! command -v sudo >/dev/null; then
            echo "error: packages missing (${missing[*]}); run as root or install them first" >&2
            exit 1
        fi
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${lean[@]}" "${missing[@]}"
}

BUILD_PACKAGES=(cmake g++ make libsdl2-dev unifont libgtest-dev libbenchmark-dev)
TEST_PACKAGES=(xvfb xdotool imagemagick x11-utils strace clang-format openbox)
# The other platforms' compilers, for the checks that the shared code builds
# with them.
CROSS_PACKAGES=(g++-mingw-w64-x86-64-posix emscripten)
# The fuzz targets need clang's libFuzzer runtime.
FUZZ_PACKAGES=(clang libclang-rt-14-dev)

jobs() { nproc 2>/dev/null || echo 2; }
