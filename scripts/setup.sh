#!/usr/bin/env bash
# Installs the Debian packages Veltora needs to build, test and run, when any is missing.
# Safe to run again: it installs only what is not there yet.
set -euo pipefail

packages=(cmake g++ make pkg-config qtbase5-dev qtbase5-dev-tools fonts-dejavu-core
          libbenchmark-dev clang libclang-rt-dev
          dpkg-dev file desktop-file-utils poppler-utils)
if [ "${1:-}" = "--with-display" ]; then
    packages+=(xvfb xauth)
fi

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
