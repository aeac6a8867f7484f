#!/usr/bin/env bash
# Installs the build into a fresh folder and checks what a desktop needs landed where it looks.
set -euo pipefail
build="$1"
prefix=$(mktemp -d /tmp/qvrl-install-XXXXXX)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
for file in bin/qvrl bin/setup share/applications/quavrel.desktop \
            share/icons/hicolor/scalable/apps/quavrel.svg share/doc/quavrel/README.html; do
    [ -e "$prefix/$file" ] || { echo "missing after install: $file"; exit 1; }
done
[ -x "$prefix/bin/qvrl" ] && [ -x "$prefix/bin/setup" ] || { echo "programs not executable"; exit 1; }
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/quavrel.desktop"
fi
echo "installed: $(cd "$prefix" && find . -type f | sort | tr '\n' ' ')"
