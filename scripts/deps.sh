# SPDX-License-Identifier: GPL-3.0-or-later
# SPDX-FileCopyrightText: 2026 The Quorvane developers
#
# Sourced by the other scripts: installs Debian packages that are missing.

# The packages each kind of work needs.
QUORVANE_BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev libgl-dev libxss-dev fonts-liberation)
QUORVANE_TEST_PACKAGES=(xvfb openbox xdotool x11-utils imagemagick desktop-file-utils appstream
    xauth valgrind strace clang libclang-rt-14-dev libbenchmark-dev wmctrl iproute2
    icoutils pngcheck x11-xserver-utils dbus python3-dbus python3-gi weston qt6-wayland)
QUORVANE_WINDOWS_PACKAGES=(g++-mingw-w64-x86-64 binutils-mingw-w64-x86-64 wine64 doctest-dev)

quorvane_missing_packages() {
    local package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || echo "$package"
    done
}

# Installs the named packages that are not there yet. As root it runs apt-get;
# otherwise it prints the exact command to run and fails.
quorvane_install() {
    local missing
    if ! command -v dpkg-query >/dev/null; then
        echo "Not a Debian or Ubuntu system: please install the equivalents of: $*" >&2
        return 1
    fi
    mapfile -t missing < <(quorvane_missing_packages "$@")
    [[ ${#missing[@]} -eq 0 ]] && return 0
    if [[ $(id -u) -ne 0 ]]; then
        echo "These packages are missing: ${missing[*]}" >&2
        echo "Install them with:" >&2
        echo "  sudo apt-get update && sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
        return 1
    fi
    echo "Installing ${missing[*]}"
    if [[ -z ${QUORVANE_APT_UPDATED:-} ]]; then
        apt-get update -qq
        QUORVANE_APT_UPDATED=1
    fi
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
