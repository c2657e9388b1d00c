# SPDX-License-Identifier: GPL-3.0-or-later
# shellcheck shell=bash
# Sourced by the scripts that install Debian packages: one way to install them, so that a run
# of the test command on a fresh machine fetches the package lists once and installs in one
# apt-get call.

sudo_cmd=()
[ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)

# What the Windows cross-build, its tests under Wine and the build of the Windows Qt need
# beyond scripts/setup.sh's packages. scripts/setup.sh --windows installs them with its own.
# shellcheck disable=SC2034
windows_packages=(g++-mingw-w64-x86-64-posix wine wine64 googletest cmake ninja-build
    xvfb fonts-ipafont-gothic fonts-ipafont-mincho fonts-wine
    qt6-base-dev qt6-base-dev-tools dpkg-dev)

# Installs those of the named packages that are not installed, in one apt-get call. The
# package lists are fetched first only when one of the packages is unknown to them (a fresh
# machine has no lists at all), and again when the install fails on lists gone stale.
install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    local install=(env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends)
    if ! apt-cache show --no-all-versions "${missing[@]}" >/dev/null 2>&1; then
        "${sudo_cmd[@]}" apt-get update -qq
    elif "${sudo_cmd[@]}" "${install[@]}" "${missing[@]}"; then
        return 0
    else
        "${sudo_cmd[@]}" apt-get update -qq
    fi
    "${sudo_cmd[@]}" "${install[@]}" "${missing[@]}"
}

# Adds a deb-src entry for each Debian deb entry that has none, for apt-get source. Says
# (status 0) whether it added one: the package lists must then be fetched again.
add_source_entries() {
    local list=/etc/apt/sources.list deb822=/etc/apt/sources.list.d/debian.sources
    local added=/etc/apt/sources.list.d/arbolink-deb-src.sources changed=1
    if [ -f "$deb822" ] && ! grep -q '^Types:.*deb-src' "$deb822" && [ ! -f "$added" ]; then
        sed 's/^Types: *deb$/Types: deb-src/' "$deb822" | "${sudo_cmd[@]}" tee "$added" >/dev/null
        changed=0
    fi
    if [ -f "$list" ] && ! grep -q '^deb-src ' "$list" && grep -q '^deb ' "$list"; then
        sed -n 's/^deb /deb-src /p' "$list" | "${sudo_cmd[@]}" tee -a "$list" >/dev/null
        changed=0
    fi
    return "$changed"
}
