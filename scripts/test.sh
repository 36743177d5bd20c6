#!/usr/bin/env bash
# Installs what is missing, builds the sanitizer build and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${VANTORELL_PRESET:-dev}"
scripts/deps.sh
cmake --preset "$preset"
cmake --build --preset "$preset" -j "$(nproc)"
ctest --preset "$preset"
