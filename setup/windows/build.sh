#!/bin/sh
# Builds the Windows launcher, setup.exe, with the mingw-w64 cross compiler (Debian package
# g++-mingw-w64-x86-64): bash setup/windows/build.sh [output folder]
# The output folder defaults to build/setup-windows under the current folder. The program is
# linked with -static, as otherwise it needs the GCC runtime DLLs beside it and does not start.
set -eu

windows=$(cd "$(dirname "$0")" && pwd)
setup=$(dirname "$windows")
out=${1:-build/setup-windows}
mkdir -p "$out"

CXX=${CXX:-x86_64-w64-mingw32-g++}
WINDRES=${WINDRES:-x86_64-w64-mingw32-windres}

"$WINDRES" --input-format=rc --output-format=coff -I "$windows" \
    -i "$windows/setup.rc" -o "$out/setup-resources.o"
"$CXX" -std=c++20 -O2 -Wall -Wextra -static -mwindows -I "$setup" \
    "$setup/Launcher.cpp" "$setup/LauncherConfig.cpp" \
    "$windows/WinLauncherWindow.cpp" "$windows/WinMain.cpp" "$windows/WinProfile.cpp" \
    "$windows/WinShell.cpp" "$out/setup-resources.o" \
    -lshell32 -o "$out/setup.exe"
echo "built $out/setup.exe"
