#!/usr/bin/env bash
# Builds the Debian package from a configured and built tree and checks it:
#     packaging/check-package.sh [BUILD_DIR]        (default build)
# Checks the desktop entry, the contents against packaging/contents.txt, the Qt 5 runtime
# libraries in Depends, that apt resolves the package here and on an empty system, that the
# binaries are stripped, runs lintian (which must report no error or warning that the package's
# overrides do not explain, each with its reason), and runs both programs from the unpacked tree,
# the editor also writing the installed example's sheet without a display.
# Exits non-zero on any mismatch.
set -euo pipefail
export LC_ALL=C
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)

fail() {
    echo "package: $*" >&2
    exit 1
}

out="$build/package"
rm -rf "$out"
mkdir -p "$out"
(cd "$build" && cpack -G DEB -B "$out") >"$out/cpack.log" 2>&1 \
    || { cat "$out/cpack.log" >&2; fail "cpack failed"; }
debs=("$out"/veltora_*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one veltora_*.deb in $out"
deb=${debs[0]}
echo "package: built $(basename "$deb")"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root="$work/root"
dpkg-deb -x "$deb" "$root"

desktop-file-validate "$root/usr/share/applications/veltora.desktop" \
    || fail "the desktop entry does not validate"

# Paths only: the sixth column on; sizes and dates change with every build.
dpkg-deb -c "$deb" | sed -E 's/^([^ ]+ +){5}//' | sort >"$work/contents"
sort "$here/contents.txt" | diff -u - "$work/contents" >&2 \
    || fail "the contents differ from packaging/contents.txt (- expected, + packaged)"

# Every override says why: a comment stands above each one, or above the group it opens.
awk '/^[[:space:]]*#/ { reason = 1; next }
     /^[[:space:]]*$/ { reason = 0; next }
     !reason { print FILENAME ":" NR ": no comment gives the reason for: " $0; bad = 1 }
     END { exit bad }' "$here/lintian-overrides" >&2 \
    || fail "an override in packaging/lintian-overrides has no reason"

# Debian's own checks. Overridden tags are listed too, so that the log says what was let
# through; an override that no longer matches anything is stale and fails as well.
status=0
lintian --fail-on error,warning --display-info --show-overrides "$deb" >"$work/lintian.log" 2>&1 \
    || status=$?
grep -v '^running with root privileges is not recommended!$' "$work/lintian.log" || true
[ "$status" -eq 0 ] || fail "lintian reports the errors or warnings above (status $status)"
! grep -q 'unused-override' "$work/lintian.log" \
    || fail "an override in packaging/lintian-overrides matches nothing: remove it"

depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt5core5a libqt5gui5 libqt5widgets5 libqt5printsupport5; do
    grep -Eq "(^|, |\| )$library( |,|$)" <<<"$depends" \
        || fail "Depends lacks $library: $depends"
done

# Here, and as if on a clean machine: an empty package status makes apt resolve every
# dependency from the archive.
apt-get install --simulate "$deb" >"$work/apt.log" 2>&1 \
    || { cat "$work/apt.log" >&2; fail "apt cannot install the package here"; }
: >"$work/empty-status"
apt-get -o Dir::State::status="$work/empty-status" install --simulate "$deb" \
    >"$work/apt.log" 2>&1 \
    || { cat "$work/apt.log" >&2; fail "apt cannot install the package on an empty system"; }

for program in "$root"/usr/bin/*; do
    file -b "$program" | grep -q ', stripped' || fail "$(basename "$program") is not stripped"
done

# Both programs tell their version without a display (a platform that does not exist stands
# in for none), as the manual pages were made.
version=$(dpkg-deb -f "$deb" Version)
version=${version%%-*}
for program in veltora veltora-check; do
    shown=$(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=no-display \
        "$root/usr/bin/$program" --version) || fail "$program --version failed"
    grep -qF "$version" <<<"$shown" || fail "$program --version shows no $version: $shown"
done
"$root/usr/bin/veltora-check" "$root/usr/share/veltora/examples/european.conf" >/dev/null \
    || fail "veltora-check does not pass the installed European example"
# The sheet of the installed example, without a display: the editor picks its platform itself.
mkdir -m 700 "$work/runtime"
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_RUNTIME_DIR="$work/runtime" \
    "$root/usr/bin/veltora" --sheet "$work/sheet.pdf" \
    "$root/usr/share/veltora/examples/european.conf" \
    || fail "veltora --sheet failed on the installed European example"
head -c 5 "$work/sheet.pdf" | grep -q '^%PDF-' || fail "veltora --sheet wrote no PDF"

# The editor must still be running when timeout stops it (status 124) and print no Qt message
# above debug level. XDG_RUNTIME_DIR keeps QStandardPaths quiet when run as root; the offscreen
# platform itself warns that it cannot propagate a fixed window's size hints.
status=0
env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/runtime" \
    QT_MESSAGE_PATTERN='%{type}: %{message}' \
    timeout 5 "$root/usr/bin/veltora" >"$work/editor.log" 2>&1 || status=$?
[ "$status" -eq 124 ] || { cat "$work/editor.log" >&2; fail "veltora ended with status $status"; }
if grep -Ev '^(debug|info): |^warning: This plugin does not support propagateSizeHints\(\)$' \
    "$work/editor.log" >&2; then
    fail "veltora printed the messages above"
fi
echo "package: $(basename "$deb") checked"
