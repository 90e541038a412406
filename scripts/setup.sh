#!/usr/bin/env bash
# Installs the Debian packages that are missing for what is asked, and nothing more:
#     scripts/setup.sh                  building and running the editor (scripts/run.sh)
#     scripts/setup.sh --package        and building the Debian package with its manual pages
#     scripts/setup.sh --tests          and everything the test command uses (scripts/test.sh)
#     scripts/setup.sh --with-display   and a virtual display, for the README's pictures
# Options combine. Safe to run again: it installs only what is not there yet.
set -euo pipefail

editor=(cmake g++ make qtbase5-dev qtbase5-dev-tools fonts-dejavu-core)
# cpack's dependency search needs dpkg-shlibdeps (dpkg-dev) and file; help2man makes the pages.
package=(dpkg-dev file help2man)
# The benchmarks, the fuzzers (clang's libFuzzer and sanitizer runtime; Qt found through
# pkg-config), the package's checks and reading PDF sheets back (poppler-utils).
tests=("${package[@]}" libbenchmark-dev clang libclang-rt-dev pkg-config desktop-file-utils lintian
       poppler-utils)
display=(xvfb xauth)

packages=("${editor[@]}")
for option in "$@"; do
    case "$option" in
    --package) packages+=("${package[@]}") ;;
    --tests) packages+=("${tests[@]}") ;;
    --with-display) packages+=("${display[@]}") ;;
    *)
        echo "usage: scripts/setup.sh [--package] [--tests] [--with-display]" >&2
        exit 2
        ;;
    esac
done

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
