#!/usr/bin/env bash
# Installs what is missing, builds the release build and starts the player.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target qvrl
exec build/release/player/qvrl "$@"
