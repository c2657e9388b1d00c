#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package the build, the program and the tests need; with --windows
# (as scripts/test.sh does) also those of the Windows tests and the Windows Qt, in the same
# apt-get call, and the deb-src entries for that Qt's source when it is still to be fetched.
# Quick when they are already there: apt-get runs only for missing packages.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
# shellcheck source=scripts/packages.sh
source "$root/scripts/packages.sh"

packages=(
    build-essential cmake ninja-build pkg-config
    clang libclang-rt-14-dev clang-format
    libgtest-dev libgmock-dev libbenchmark-dev par2
    qt6-base-dev qt6-base-dev-tools qt6-l10n-tools qt6-tools-dev libgl-dev libssl-dev libisal-dev
    libburn-dev libisofs-dev xorriso
    qt6-qpa-plugins fonts-ipafont-gothic fonts-ipafont-mincho
    xvfb xauth xdotool openbox x11-utils fonts-wine
    dpkg-dev file desktop-file-utils appstream
    fusefat dosfstools
    libglib2.0-dev dbus-daemon python3-dbusmock locales
)

if [ "${1:-}" = --windows ]; then
    packages+=("${windows_packages[@]}")
    # The lists fetched for the packages then hold the Qt source's too.
    if [ ! -f "$root/build-win/qt/arbolink-qt.stamp" ] &&
        ! compgen -G "$root/build-win/qt-source/fetched-*" >/dev/null; then
        add_source_entries || true
    fi
fi
install_missing "${packages[@]}"
# A locale that writes numbers with a decimal comma, for the test of English sizes.
if ! locale -a 2>/dev/null | grep -qx 'de_DE.utf8'; then
    "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
