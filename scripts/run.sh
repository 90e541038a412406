#!/usr/bin/env bash
# Installs what the editor needs, configures, builds it and starts it: scripts/run.sh [FILE.conf]
set -euo pipefail
caller=$(pwd)
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"

scripts/setup.sh
# The build type of the test command, which builds in the same folder: a different one would
# make each of them rebuild everything after the other.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target veltora -j"$(nproc)"
# From where it was called, so that a relative FILE.conf names the file the caller meant.
cd "$caller"
exec "$top/build/veltora" "$@"
