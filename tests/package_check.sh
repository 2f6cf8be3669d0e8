#!/usr/bin/env bash
# package_check.sh CPACK BUILD_DIR VERSION APPSTREAM_ID
# Packages the built tree as a Debian package, unpacks it into a throw-away root and checks
# every file's place, the metadata, the manual page and that the unpacked program runs.
set -euo pipefail
cpack="$1" build="$2" version="$3" appstream_id="$4"
here="$(cd "$(dirname "$0")" && pwd)"

for tool in dpkg-deb dpkg-shlibdeps appstreamcli man file pdfinfo lintian; do
    command -v "$tool" >/dev/null || {
        echo "FAIL: $tool is missing (scripts/test installs it)" >&2
        exit 1
    }
done

work="$(mktemp -d)"
# CPack's install step rewrites the build's install_manifest.txt: keep the list of a real
# install, which uninstalling reads.
manifest="$build/install_manifest.txt"
[ -f "$manifest" ] && cp "$manifest" "$work/manifest"
restore() {
    if [ -f "$work/manifest" ]; then cp "$work/manifest" "$manifest"; else rm -f "$manifest"; fi
    rm -rf "$work"
}
trap restore EXIT
"$cpack" --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || {
    cat "$work/cpack.log" >&2
    exit 1
}
deb="$work/out/kansu_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || {
    echo "FAIL: no $(basename "$deb") among: $(ls "$work/out")" >&2
    exit 1
}

source "$here/installed_checks.sh"

# Exactly these files, nothing stray.
expected="./usr/bin/kansu
./usr/share/applications/kansu.desktop
./usr/share/doc/kansu/changelog.gz
./usr/share/doc/kansu/copyright
./usr/share/icons/hicolor/scalable/apps/kansu.svg
./usr/share/kansu/worked-example.kansu
./usr/share/man/ja/man1/kansu.1.gz
./usr/share/man/man1/kansu.1.gz
./usr/share/metainfo/$appstream_id.metainfo.xml
./usr/share/mime/packages/kansu-lesson.xml"
listed="$(dpkg-deb --fsys-tarfile "$deb" | tar -t | grep -v '/$' | sort)"
[ "$listed" = "$expected" ] || fail "the package holds other files than expected:
$(diff <(echo "$expected") <(echo "$listed") || true)"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = kansu ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)', not $version"
# Found from the linked libraries, and what is only loaded at run time.
for dep in libqt6widgets6 libqt6printsupport6 fonts-ipafont-gothic qt6-translations-l10n; do
    field Depends | grep -q "\b$dep\b" || fail "Depends lacks $dep: $(field Depends)"
done

root="$work/root"
dpkg -x "$deb" "$root"
check_installed_tree "$root/usr" bin share
program="$root/usr/bin/kansu"
file -b "$program" | grep -q ', stripped' || fail "the program is not stripped: $(file -b "$program")"

export QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work/xdg-runtime"
out="$("$program" --version)" || fail "--version failed"
[ "$out" = "kansu $version" ] || fail "--version says '$out'"
lesson="$root/usr/share/kansu/worked-example.kansu"
"$program" --worksheet "$work/sheet.pdf" "$lesson" || fail "--worksheet of the example failed"
pages="$(pdfinfo "$work/sheet.pdf" 2>/dev/null | sed -n 's/^Pages: *//p')"
[ "$pages" = 2 ] || fail "the worksheet has '$pages' pages, not 2"

meta="$root/usr/share/metainfo/$appstream_id.metainfo.xml"
appstreamcli validate --no-net "$meta" >"$work/as.log" 2>&1 \
    || fail "appstreamcli rejects the metadata: $(cat "$work/as.log")"
grep -q "<release version=\"$version\" date=\"[0-9-]*\"" "$meta" \
    || fail "the metadata's release is not $version"
gzip -dc "$root/usr/share/doc/kansu/changelog.gz" | head -1 | grep -q "^kansu ($version) " \
    || fail "the changelog's newest entry is not $version"

# The manual page renders without a warning and names every option --help names.
for lang in en ja; do
    page="$root/usr/share/man/man1/kansu.1.gz"
    [ "$lang" = ja ] && page="$root/usr/share/man/ja/man1/kansu.1.gz"
    rendered="$(LC_ALL=C.UTF-8 MANWIDTH=200 man --warnings -E UTF-8 -l "$page" 2>"$work/man.err" \
        | col -b)" || fail "man -l $page failed"
    [ -s "$work/man.err" ] && fail "man -l $page warns: $(cat "$work/man.err")"
    [ "$(echo "$rendered" | wc -l)" -gt 10 ] || fail "the $lang page is nearly empty: $rendered"
    help="$("$program" --lang "$lang" --help)"
    options="$(grep -o -- '--[a-z][a-z-]*' <<<"$help" | sort -u)"
    [ -n "$options" ] || fail "--help lists no options"
    for option in $options; do
        grep -q -- "$option" <<<"$rendered" || fail "the $lang page lacks $option"
    done
    # The description of each option, as --help words it (first words, before any wrap).
    while IFS= read -r words; do
        grep -qF -- "$words" <<<"$rendered" || fail "the $lang page lacks '$words'"
    done < <(sed -n 's/^  --[a-z-]*\( <[^>]*>\)\?  *\([^ ].\{0,15\}\).*/\2/p' <<<"$help")
done

# Debian's own checks of a package.
lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" >"$work/lintian.log" 2>&1 \
    || fail "lintian reports errors: $(cat "$work/lintian.log")"

if [ "$failures" -ne 0 ]; then
    echo "$failures failed" >&2
    exit 1
fi
echo "package $(basename "$deb") complete, unpacked program runs, manual page renders"
