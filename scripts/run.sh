#!/usr/bin/env bash
# Installs what the editor needs, configures, builds it and starts it: scripts/run.sh [FILE.conf]
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target veltora -j"$(nproc)"
exec build/veltora "$@"
