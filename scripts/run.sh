#!/usr/bin/env bash
# Sets everything up (packages, configure, build) and starts the editor.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target veltora -j"$(nproc)"
exec build/veltora "$@"
