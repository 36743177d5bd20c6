#!/usr/bin/env bash
# Installs what is missing, builds the release build and starts the designer from its program
# folder, beside the engine and the updater, with the example model.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
program=build/release/bin
exec "$program/Vantorell" "$PWD/$program/examples/sales.vtm"
