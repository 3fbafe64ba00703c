#!/usr/bin/env bash
# The zip a Windows player downloads, as they would unpack it: the stripped
# program, README.txt and LICENSE.txt as Windows text, and the source.
#
#   zip_test.sh ZIP SOURCE_DIR
set -uo pipefail

zip=$1 source=$2
source "$(dirname "$0")/../support/checks.sh"
objdump=x86_64-w64-mingw32-objdump
if ! command -v "$objdump" >/dev/null; then
    echo "SKIP: $objdump is missing (apt-get install binutils-mingw-w64-x86-64)"
    exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

name=$(basename "$zip" .zip)               # sorvi-kadra99-VERSION-win64
version=${name#sorvi-kadra99-} version=${version%-win64}
(cd "$work" && cmake -E tar xf "$zip") || { echo "FAILED: $zip does not unpack"; exit 1; }
dir=$work/$name
listing() { (cd "$1" && find . -mindepth 1 | sort | tr '\n' ' '); }
check "four files in one folder" test "$(listing "$work")" = \
    "./$name ./$name/LICENSE.txt ./$name/README.txt ./$name/sorvi-kadra99-$version-source.zip ./$name/sorvi-kadra99.exe "

crlf_only() { # every line ends in CR LF, and no CR stands alone
    [ -s "$1" ] && [ "$(tr -cd '\n' <"$1" | wc -c)" = "$(grep -c $'\r$' "$1")" ] &&
        [ "$(tr -cd '\r' <"$1" | wc -c)" = "$(tr -cd '\n' <"$1" | wc -c)" ]
}
check "README.txt: Windows line endings" crlf_only "$dir/README.txt"
check "README.txt: plain ASCII for any Notepad" bash -c "! LC_ALL=C grep -q '[^ -~]' <(tr -d '\r' <'$dir/README.txt')"
# No Markdown (headings, links, pictures, tables, emphasis, code) and no
# build commands: the repository's README is for those.
markdown=$(grep -nE '^#|\]\(|^\|.*\||\*\*|`|^(    )?(tools/|cmake |apt|sudo )' "$dir/README.txt")
check "README.txt: no Markdown and no build commands${markdown:+ (}${markdown}${markdown:+)}" \
    test -z "$markdown"
for topic in sorvi-kadra99.exe Alt+Enter F10 F11 F12 Escape keypad D-pad Linux \
    "sorvi-kadra99-$version-source.zip" LICENSE.txt; do
    check "README.txt tells of $topic" grep -qF "$topic" "$dir/README.txt"
done
the_licence() { cmp -s <(tr -d '\r' <"$dir/LICENSE.txt") "$source/LICENSE" && crlf_only "$dir/LICENSE.txt"; }
check "LICENSE.txt: the licence, with Windows line endings" the_licence

exe=$dir/sorvi-kadra99.exe
size=$(stat -c %s "$exe")
check "the program is under 400,000 bytes ($size)" test "$size" -lt 400000
sections=$("$objdump" -h "$exe" | awk '$2 ~ /^\./ {print $2}' | tr '\n' ' ')
check "the program has no debug sections or symbols ($sections)" \
    bash -c "! grep -q debug <<<'$sections' && ! $objdump -t '$exe' | grep -q '^\['"

mkdir "$work/source"
(cd "$work/source" && cmake -E tar xf "$dir/sorvi-kadra99-$version-source.zip")
top=$work/source/sorvi-kadra99-$version
check "the source archive holds the build: CMakeLists.txt and src/" \
    test -f "$top/CMakeLists.txt" -a -f "$top/src/platform/win32/main.cpp"
check "its CMakeLists.txt is the one built from" cmp -s "$top/CMakeLists.txt" "$source/CMakeLists.txt"
check "nothing built in it" test ! -e "$top/build"

finish_checks
