#!/usr/bin/env bash
# Installs what building, running and testing Quavrel needs on Debian 12, and nothing else.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev
    libmpv-dev libpulse-dev libpugixml-dev
    # tags: TagLib reads them, SQLite keeps the tag cache; ffmpeg writes the tests' tagged files
    libtag1-dev libsqlite3-dev ffmpeg
    libgtest-dev libgmock-dev libbenchmark-dev
    pulseaudio pulseaudio-utils
    xvfb xauth x11-apps xdotool imagemagick dbus playerctl
    # the tests' tools: tones for the end-to-end tests, the desktop entry's validator
    sox desktop-file-utils
    # the join, loudness and stream tests: tones cut and encoded (FLAC, Vorbis, Opus, MP3, WavPack)
    ffmpeg
    # the accessibility walk: the AT-SPI bus and Python's client of it
    at-spi2-core python3 python3-pyatspi
    fonts-dejavu-core
    # fuzz targets: libFuzzer with clang's sanitizer runtimes
    clang libclang-rt-14-dev
    # setup.exe: cross-built for Windows and run end to end under Wine
    g++-mingw-w64-x86-64 wine64 wine
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
