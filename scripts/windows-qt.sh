#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds a static Qt for 64-bit Windows (Core, Gui, Widgets and Test) with MinGW-w64 from
# Debian's own qt6-base source of the Qt installed on this machine, into build-win/qt/, so that
# the window can be cross-built. Done once: a stamp in build-win/qt/ keeps the Qt version and
# the configure line, and the build is reused while both are unchanged.
# Needs root (or sudo) only to add the deb-src entry and to install the source's tools.
# ARBOLINK_QT_JOBS sets the parallel jobs (2 by default: the machine is shared).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-win"
prefix="$build/qt"
source_root="$build/qt-source"
work="$build/qt-build"
toolchain="$root/cmake/mingw-w64-qt.cmake"
jobs=${ARBOLINK_QT_JOBS:-2}

# shellcheck source=scripts/packages.sh
source "$root/scripts/packages.sh"
install_missing g++-mingw-w64-x86-64-posix qt6-base-dev qt6-base-dev-tools dpkg-dev cmake ninja-build

# The Windows Qt is the host's version: its moc, rcc and uic run on this side of the build.
version=$(dpkg-query -W -f='${Version}' qt6-base-dev)
upstream=${version#*:}
upstream=${upstream%%+*}
upstream=${upstream%%-*}

configure_line=(-prefix "$prefix" -release -static -static-runtime
    -qt-host-path /usr -xplatform win32-g++ -nomake examples -nomake tests
    -no-dbus -no-opengl -no-feature-vulkan -no-icu -no-zstd -no-glib -no-pkg-config
    -qt-zlib -qt-libpng -no-libjpeg -qt-pcre -qt-harfbuzz -no-freetype -qt-doubleconversion
    -no-feature-sql -no-feature-network -no-feature-printsupport
    -no-feature-concurrent -no-feature-xml -no-feature-tabletevent -no-feature-direct2d1_1
    -no-feature-androiddeployqt -no-feature-macdeployqt -no-feature-windeployqt
    # Smaller code is quicker to compile: Core and Gui would otherwise be built with -O3, the
    # rest with -O2. Three large files of Core and Gui took 4 to 20 % less time with -Os than
    # with -O2.
    -optimize-size
    # What the program and its tests never use. The Widgets left are those of src/ui,
    # src/widgets, tools and the window's tests, with what they are built of: QInputDialog
    # needs the combo box, the spin box, the stacked widget and the text edit, QMessageBox the
    # check box and the button box. The tool bar and the table view stay: Qt 6.4's Widgets and
    # its Windows style do not build without them. The program draws its icons and chooses no
    # style, so the Windows styles stay and Fusion and style sheets go.
    -no-feature-graphicsview -no-feature-mdiarea -no-feature-dockwidget
    -no-feature-calendarwidget -no-feature-datetimeedit -no-feature-wizard
    -no-feature-colordialog -no-feature-fontdialog -no-feature-fontcombobox
    -no-feature-filedialog -no-feature-filesystemmodel -no-feature-errormessage
    -no-feature-progressdialog -no-feature-lcdnumber -no-feature-dial -no-feature-columnview
    -no-feature-textbrowser -no-feature-undoview -no-feature-keysequenceedit
    -no-feature-commandlinkbutton -no-feature-splashscreen -no-feature-toolbox
    -no-feature-syntaxhighlighter -no-feature-datawidgetmapper -no-feature-tablewidget
    -no-feature-listwidget -no-feature-style-stylesheet
    -no-feature-style-fusion
    # Of Gui: the PDF writer, the ODF and Markdown formats, QMovie, the undo framework, the tray
    # icon, and the GIF and ICO readers (the program's pictures are drawn, XPM or PNG).
    -no-feature-pdf -no-feature-textodfwriter -no-feature-textmarkdownreader
    -no-feature-textmarkdownwriter -no-feature-movie -no-feature-undocommand
    -no-feature-undostack -no-feature-undogroup -no-feature-systemtrayicon -no-feature-gif
    -no-feature-ico
    -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain"
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake)
stamp_text="qt6-base $version
${configure_line[*]}"
stamp="$prefix/arbolink-qt.stamp"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$stamp_text" ]; then
    echo "Windows Qt $version: already built in $prefix"
    exit 0
fi

# apt-get source needs a deb-src entry, and lists fetched with it (scripts/setup.sh --windows
# fetches them with the packages' when the source is still to come).
source_lists() {
    local added=1
    add_source_entries && added=0
    if ((added == 0)) || ! apt-cache showsrc qt6-base >/dev/null 2>&1; then
        "${sudo_cmd[@]}" apt-get update -qq
    fi
}

fetch_source() {
    local folder
    folder=$(find "$source_root" -maxdepth 1 -type d -name "qt6-base-$upstream*" 2>/dev/null | head -n1)
    if [ -n "$folder" ] && [ -f "$source_root/fetched-$version" ]; then
        echo "$folder"
        return
    fi
    source_lists >&2
    rm -rf "$source_root"
    mkdir -p "$source_root"
    # The exact Debian revision when the archive still has it, else the same upstream version.
    local wanted="qt6-base=$version"
    apt-cache showsrc qt6-base | grep -qx "Version: $version" || wanted=qt6-base
    (cd "$source_root" && apt-get source -qq "$wanted" >&2)
    folder=$(find "$source_root" -maxdepth 1 -type d -name "qt6-base-$upstream*" | head -n1)
    [ -n "$folder" ] || {
        echo "no qt6-base $upstream source in $source_root" >&2
        exit 1
    }
    touch "$source_root/fetched-$version"
    echo "$folder"
}

source_folder=$(fetch_source)
started=$(date +%s)
rm -rf "$work" "$prefix"
mkdir -p "$work"
(cd "$work" && "$source_folder/configure" "${configure_line[@]}")
cmake --build "$work" --parallel "$jobs"
cmake --install "$work" >/dev/null
printf '%s\n' "$stamp_text" >"$stamp"
# The build folder holds some 3 GB, mostly precompiled headers; the installed Qt is all that
# the program's build needs.
rm -rf "$work"
echo "Windows Qt $version built in $(($(date +%s) - started)) s: $(du -sh "$prefix" | cut -f1) in $prefix"
