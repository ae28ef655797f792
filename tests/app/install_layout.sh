#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what lands there:
# the program, the desktop entry, the icon in every size, the example site
# file, the manual page and the bash completion; then builds the .deb and
# checks its files and dependencies.
# Usage: install_layout.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" > /dev/null

test -x "$prefix/bin/juyuanxia" || fail "no program in bin/"
desktop=$prefix/share/applications/juyuanxia.desktop
test -f "$desktop" || fail "no desktop entry"
grep -qx 'Exec=juyuanxia' "$desktop" || fail "desktop entry does not start the program"
grep -qx 'Icon=juyuanxia' "$desktop" || fail "desktop entry names no icon"
if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$desktop" || fail "desktop entry does not validate"
fi
test -f "$prefix/share/icons/hicolor/scalable/apps/juyuanxia.svg" || fail "no scalable icon"
for size in 16 24 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/juyuanxia.png
    test -f "$png" || fail "no ${size}px icon"
    # The PNG signature, then the IHDR width and height (big-endian).
    [ "$(od -An -c -j1 -N3 "$png" | tr -d ' ')" = "PNG" ] || fail "${size}px icon is no PNG"
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
    width=$(( (w1 << 24) | (w2 << 16) | (w3 << 8) | w4 ))
    height=$(( (h1 << 24) | (h2 << 16) | (h3 << 8) | h4 ))
    [ "$width" = "$size" ] && [ "$height" = "$size" ] || fail "${size}px icon is ${width}x${height}"
done
example=$prefix/share/doc/juyuanxia/sites.ini.example
test -f "$example" || fail "no sites.ini.example"
grep -q '^\[sites\]' "$example" || fail "sites.ini.example has no [sites]"
test -f "$prefix/share/doc/juyuanxia/SITE-DEFINITIONS.md" || fail "no SITE-DEFINITIONS.md"
grep -q '^\.TH JUYUANXIA 1' "$prefix/share/man/man1/juyuanxia.1" 2> /dev/null || fail "no manual page"
grep -q '^complete -F _juyuanxia juyuanxia' "$prefix/share/bash-completion/completions/juyuanxia" 2> /dev/null \
    || fail "no bash completion"

if command -v dpkg-deb > /dev/null && command -v dpkg-shlibdeps > /dev/null; then
    cpack --config "$build/CPackConfig.cmake" -B "$work/deb" > /dev/null
    deb=$(ls "$work"/deb/*.deb)
    files=$(dpkg-deb -c "$deb")
    for path in ./usr/bin/juyuanxia ./usr/share/applications/juyuanxia.desktop \
                ./usr/share/icons/hicolor/48x48/apps/juyuanxia.png ./usr/share/doc/juyuanxia/sites.ini.example \
                ./usr/share/doc/juyuanxia/SITE-DEFINITIONS.md ./usr/share/man/man1/juyuanxia.1 ./usr/share/bash-completion/completions/juyuanxia; do
        grep -q " $path\$" <<< "$files" || fail ".deb lacks $path"
    done
    depends=$(dpkg-deb -f "$deb" Depends)
    for package in libqt6widgets6 libqt6network6 libqt6webenginewidgets6 libqt6multimedia6; do
        grep -q "\b$package\b" <<< "$depends" || fail ".deb does not depend on $package: $depends"
    done
    # Package names only: nothing that looks like a path or a file.
    grep -q '[/]' <<< "$depends" && fail ".deb depends on a path: $depends"
fi
echo "install layout: ok"
