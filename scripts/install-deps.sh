#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what Veltrix Panel needs to build and run, and only what is missing (Debian 12 /
# Ubuntu). Safe to run again.
set -euo pipefail

packages=(cmake ninja-build g++ qt6-base-dev libqt6opengl6-dev qt6-serialport-dev
          qt6-charts-dev qt6-svg-dev fonts-dejavu-core poppler-utils python3)
# veltrix-cli's MQTT client; the broker and its clients for the tests.
packages+=(pkg-config libmosquitto-dev mosquitto mosquitto-clients)
# The tests' checkers: promtool (in prometheus, about 20 MB), lintian for the package.
packages+=(prometheus lintian openssl faketime)
# The desktop files' checkers: appstreamcli for the metainfo, desktop-file-validate for the entry.
packages+=(appstream desktop-file-utils)
# The linker the build takes when it is there: it links a test program in a quarter of GNU ld's time.
packages+=(lld)
# The translations: lupdate and lrelease, Qt's own German texts, the German locale (screenshots).
packages+=(qt6-tools-dev qt6-l10n-tools qt6-translations-l10n locales)
# The screen reader's walk (tests/atspi_walk.py): Xvfb, D-Bus, the AT-SPI bus, pyatspi, xdotool.
packages+=(xvfb xauth dbus at-spi2-core python3-pyatspi gir1.2-atspi-2.0 xdotool)
packages+=("$@")

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
have_locale() { locale -a | grep -qi '^de_DE.utf8$'; }
[ ${#missing[@]} -eq 0 ] && have_locale && exit 0

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    command -v sudo >/dev/null || { echo "Please run as root or install sudo." >&2; exit 1; }
    sudo="sudo"
fi
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# The German locale, for running the panel in German (LANG=de_DE.UTF-8).
have_locale || $sudo localedef -i de_DE -f UTF-8 de_DE.UTF-8
