#!/usr/bin/env bash
# Installs, through apt-get, only the packages of the build and the tests that are missing.
set -euo pipefail

packages=(
    g++ cmake make pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev libssl-dev libxcb1-dev
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    xvfb xauth
    python3 python3-pyftpdlib tinyproxy microsocks dante-server curl
    netbase
    clang-14 libclang-rt-14-dev llvm-14
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
