#!/usr/bin/env bash
# Checks the core's package, libretro-sorvi-kadra99: lintian without errors
# or warnings, Depends, the files it holds, that they lie where Debian's
# RetroArch looks for cores and their information files, and that RetroArch
# finds the core there by its short name and shows the title.
#
#   check_core_package.sh PACKAGE.deb
set -uo pipefail

deb=$(realpath "$1")
work=$(mktemp -d)
trap 'stop_display; rm -rf "$work"' EXIT
here=$(dirname "$0")
source "$here/../support/checks.sh"
source "$here/../support/xvfb.sh"
tree=$work/tree
dpkg-deb -x "$deb" "$tree"
coredir=usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/libretro
infodir=usr/share/libretro/info

check "lintian: no error, no warning" lintian --display-info --pedantic --fail-on error,warning "$deb"
mkdir -p "$work/shlibs/debian"
: >"$work/shlibs/debian/control"
computed=$(cd "$work/shlibs" && dpkg-shlibdeps -O "$tree/$coredir/sorvi_kadra99_libretro.so" 2>/dev/null)
check "Depends: a libretro frontend, and the libraries as dpkg-shlibdeps computes them" \
    test "retroarch | libretro-frontend, ${computed#shlibs:Depends=}" = "$(dpkg-deb -f "$deb" Depends)"

files=("$coredir/sorvi_kadra99_libretro.so" "$infodir/sorvi_kadra99_libretro.info"
    usr/share/doc/libretro-sorvi-kadra99/copyright usr/share/doc/libretro-sorvi-kadra99/changelog.gz)
check "the core, its information file, copyright, changelog; nothing else" \
    diff <(printf '%s\n' "${files[@]}" | sort) <(cd "$tree" && find . -type f | cut -c3- | sort)
check "the core shows only the libretro entry points" \
    test "$(nm -D --defined-only "$tree/$coredir/sorvi_kadra99_libretro.so" | grep -vc ' retro_')" = 0
check "the information file allows deterministic states and needs no content" \
    grep -qx 'savestate_features = "deterministic"' "$tree/$infodir/sorvi_kadra99_libretro.info"

# Where Debian's RetroArch, as installed here, looks.
config=/etc/retroarch.cfg
if [ -f "$config" ]; then
    check "RetroArch's configuration looks for cores in /$coredir" \
        grep -qx "libretro_directory = \"/$coredir/\"" "$config"
    check "and for information files in /$infodir" \
        grep -qx "libretro_info_path = \"/$infodir/\"" "$config"
fi

if command -v retroarch >/dev/null && command -v Xvfb >/dev/null; then
    cat >"$work/append.cfg" <<CFG
audio_driver = "null"
video_driver = "gl"
vrr_runloop_enable = "true"
libretro_directory = "$tree/$coredir"
libretro_info_path = "$tree/$infodir"
core_info_cache_enable = "false"
config_save_on_exit = "false"
suspend_screensaver_enable = "false"
video_gpu_screenshot = "false"
CFG
    : >"$work/empty.cfg"
    start_display 1024x768x24
    HOME=$work timeout 60 retroarch -c "$work/empty.cfg" \
        --appendconfig="$work/append.cfg" -L sorvi_kadra99 --max-frames=60 --max-frames-ss \
        --max-frames-ss-path="$work/title.png" >"$work/log" 2>&1
    title_shown() {
        [ "$(convert "$work/title.png" -crop 320x16+0+80 +repage -depth 8 txt:- | grep -ci '#FAC8B4')" -gt 0 ]
    }
    check "RetroArch starts it by its short name and it shows the title" title_shown
fi

finish_checks
