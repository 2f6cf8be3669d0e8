#!/usr/bin/env bash
# install_check.sh CMAKE BUILD_DIR BINDIR DATADIR
# Installs the build into a fresh prefix and checks that a desktop finds the program, its entry
# and its icon where it looks for them.
set -euo pipefail
cmake="$1" build="$2" bindir="$3" datadir="$4"

prefix="$(mktemp -d)"
# cmake --install rewrites the build's install_manifest.txt: keep the list of a real install,
# which uninstalling reads.
manifest="$build/install_manifest.txt"
kept="$(mktemp)"
had_manifest=no
[ -f "$manifest" ] && cp "$manifest" "$kept" && had_manifest=yes
restore() {
    if [ "$had_manifest" = yes ]; then cp "$kept" "$manifest"; else rm -f "$manifest"; fi
    rm -rf "$prefix" "$kept"
}
trap restore EXIT
unset DESTDIR
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

source "$(dirname "$0")/installed_checks.sh"
check_installed_tree "$prefix" "$bindir" "$datadir"

if [ "$failures" -ne 0 ]; then
    echo "$failures failed" >&2
    exit 1
fi
echo "installed files in place and valid"
