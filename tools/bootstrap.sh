#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the benchmarks use.
# Idempotent: when everything is already installed it only checks and returns.
set -euo pipefail

packages=(
    build-essential g++ cmake ninja-build git pkg-config
    clang-format
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    libosmesa6-dev libglu1-mesa-dev mesa-common-dev libgl-dev
    libpng-dev libgif-dev
    libembree-dev
    python3 python3-dev python3-pytest
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

SUDO=""
if [ "$(id -u)" -ne 0 ]; then
    SUDO="sudo"
fi
echo "bootstrap: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
