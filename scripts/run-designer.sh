#!/usr/bin/env bash
# Installs what is missing, builds the release build and starts the designer with the example model.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake --preset release
cmake --build --preset release -j "$(nproc)"
model="$PWD/examples/sales.vtm"
if [ -f "$model" ]; then
    exec build/release/designer/Vantorell "$model"
fi
exec build/release/designer/Vantorell
