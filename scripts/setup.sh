#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs every Debian package the build, the program and the tests need.
# Quick when they are already there: apt-get runs only for missing packages.
set -euo pipefail

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

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# A locale that writes numbers with a decimal comma, for the test of English sizes.
if ! locale -a 2>/dev/null | grep -qx 'de_DE.utf8'; then
    sudo_cmd=()
    [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
    "${sudo_cmd[@]}" localedef -i de_DE -f UTF-8 de_DE.UTF-8
fi
