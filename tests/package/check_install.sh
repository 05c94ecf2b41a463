#!/usr/bin/env bash
# Installs the program twice into temporary roots, once by `cmake --install` and once by
# building the Debian package and unpacking it, and checks each: the desktop entry and the
# AppStream metainfo validate, every file stands where the desktop expects it, the files refer
# to one another by the right names, and the installed program starts from its installed place
# with the driver library from its private folder.
#
#   check_install.sh BUILD_DIR BINDIR LIBDIR DATADIR
# BINDIR, LIBDIR and DATADIR are the configured GNUInstallDirs folders, relative to the prefix.
set -uo pipefail

build=$1 bindir=$2 libdir=$3 datadir=$4
prefix=/usr
app_id=com.velmar.QrtSettings
command=qrt-settings
cmake=${CMAKE_COMMAND:-cmake}
cpack=${CPACK_COMMAND:-cpack}

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
need() { command -v "$1" >/dev/null || { echo "FAIL: $1 is missing (install $2)"; exit 1; }; }
need desktop-file-validate desktop-file-utils
need appstreamcli appstream
need dpkg-deb dpkg
need readelf binutils
need file file

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# check_root ROOT WHAT: the checks of one installed tree.
check_root() {
    local root=$1 what=$2
    local usr=$root$prefix
    local program=$usr/$bindir/$command
    local private=$usr/$libdir/$command
    local desktop=$usr/$datadir/applications/$app_id.desktop
    local metainfo=$usr/$datadir/metainfo/$app_id.metainfo.xml
    local icons=$usr/$datadir/icons/hicolor
    echo "== $what"

    [ -x "$program" ] || fail "$what: no program $bindir/$command"
    [ ! -e "$usr/$bindir/Settings" ] || fail "$what: the build's name Settings was installed"
    [ -f "$private/libVELWDM.so" ] || fail "$what: no driver library in $libdir/$command/"
    local drivers
    drivers=$(find "$root" -name 'libVELWDM.so*' | wc -l)
    [ "$drivers" -eq 1 ] || fail "$what: $drivers driver libraries installed (test variants?)"

    desktop-file-validate "$desktop" || fail "$what: desktop-file-validate $desktop"
    appstreamcli validate --no-net "$metainfo" >"$work/appstream.txt" 2>&1 \
        || { cat "$work/appstream.txt"; fail "$what: appstreamcli validate $metainfo"; }

    # The names by which the files find one another.
    grep -qx "Exec=$command" "$desktop" || fail "$what: the desktop entry does not start $command"
    local icon
    icon=$(sed -n 's/^Icon=//p' "$desktop")
    [ -f "$icons/scalable/apps/$icon.svg" ] || fail "$what: no scalable icon $icon"
    local size
    for size in 64 128; do
        local png=$icons/${size}x$size/apps/$icon.png
        file "$png" | grep -q "PNG image data, $size x $size" \
            || fail "$what: no $size x $size PNG icon $icon ($(file -b "$png" 2>&1))"
    done
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" \
        || fail "$what: the metainfo does not launch $app_id.desktop"
    grep -q "<binary>$command</binary>" "$metainfo" \
        || fail "$what: the metainfo does not provide $command"

    # The program finds its driver through its own RPATH alone: nothing of the build tree.
    local runpath
    runpath=$(readelf -d "$program" | sed -n 's/.*(RUNPATH).*\[\(.*\)\]/\1/p')
    [ "$runpath" = "\$ORIGIN/../$libdir/$command" ] \
        || fail "$what: RUNPATH is '$runpath', wanted \$ORIGIN/../$libdir/$command"
    local resolved
    resolved=$(env -u LD_LIBRARY_PATH ldd "$program" | grep -F 'libVELWDM.so =>')
    [[ $resolved == *"=> $usr/$bindir/../$libdir/$command/libVELWDM.so "* ]] \
        || fail "$what: ldd does not resolve libVELWDM.so in the private folder: $resolved"

    # The started program loads that library and is still running when ended: a missing
    # library ends it at once with 127, a broken start with 1.
    local status
    (cd "$work" && env -u LD_LIBRARY_PATH LD_DEBUG=libs LD_DEBUG_OUTPUT="$work/ld" \
        QT_QPA_PLATFORM=offscreen timeout -s TERM 3 "$program" >"$work/run.txt" 2>&1)
    status=$?
    [ "$status" -eq 124 ] || { cat "$work/run.txt"; fail "$what: the program ended by itself with $status"; }
    grep -qh "calling init: $usr/$bindir/../$libdir/$command/libVELWDM.so" "$work"/ld.* \
        || fail "$what: the running program did not load the driver library from its private folder"
    rm -f "$work"/ld.*
}

# cmake --install into a temporary root.
DESTDIR=$work/install "$cmake" --install "$build" --prefix "$prefix" >"$work/install.txt" 2>&1 \
    || { cat "$work/install.txt"; fail "cmake --install"; }
check_root "$work/install" "cmake --install"

# The Debian package, unpacked into a temporary root.
if "$cpack" -G DEB -B "$work/package" --config "$build/CPackConfig.cmake" >"$work/cpack.txt" 2>&1; then
    deb=$(ls "$work"/package/*.deb)
    depends=$(dpkg-deb -f "$deb" Depends)
    echo "Depends: $depends"
    # dpkg-shlibdeps has run: the Qt and JPEG libraries the program links are there.
    for package in libqt6widgets6 libjpeg62-turbo libc6; do
        [[ $depends == *"$package "* ]] || fail "the package does not depend on $package"
    done
    [ "$(dpkg-deb -f "$deb" Package)" = "$command" ] || fail "the package is not named $command"
    dpkg-deb -x "$deb" "$work/deb"
    check_root "$work/deb" "Debian package"
else
    cat "$work/cpack.txt"
    fail "cpack -G DEB"
fi

[ "$failures" -eq 0 ] || { echo "$failures failures"; exit 1; }
echo "all checks passed"
