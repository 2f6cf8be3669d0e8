# Sourced by the install tests: checks that a desktop finds the program, its entry, its icon and
# the lesson file type under an installed prefix. fail() counts; the caller reports.
failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# check_installed_tree PREFIX BINDIR DATADIR
check_installed_tree() {
    local prefix="$1" bindir="$2" datadir="$3"
    local program entry icon mimexml exec_name mimeerr root
    program="$prefix/$bindir/kansu"
    entry="$prefix/$datadir/applications/kansu.desktop"
    icon="$prefix/$datadir/icons/hicolor/scalable/apps/kansu.svg"
    mimexml="$prefix/$datadir/mime/packages/kansu-lesson.xml"

    [ -x "$program" ] || fail "no executable program at $program"
    [ -f "$icon" ] || fail "no icon at $icon"
    if [ ! -f "$entry" ]; then
        fail "no desktop entry at $entry"
    else
        command -v desktop-file-validate >/dev/null \
            || { echo "FAIL: desktop-file-validate is missing (Debian: desktop-file-utils)" >&2; exit 1; }
        desktop-file-validate "$entry" || fail "desktop-file-validate rejects $entry"
        key() { sed -n "s/^$1=//p" "$entry"; }
        [ "$(key Name)" = "関数の利用" ] || fail "Name is '$(key Name)'"
        [ "$(key Categories)" = "Education;Math;" ] || fail "Categories is '$(key Categories)'"
        [ "$(key Type)" = "Application" ] || fail "Type is '$(key Type)'"
        # The launcher runs Exec from PATH and looks the icon up by name in the icon theme.
        exec_name="$(key Exec | cut -d' ' -f1)"
        [ -x "$prefix/$bindir/$exec_name" ] || fail "Exec '$exec_name' is not the installed program"
        [ -f "$prefix/$datadir/icons/hicolor/scalable/apps/$(key Icon).svg" ] \
            || fail "Icon '$(key Icon)' is not the installed icon"
        # A double-click on a lesson file starts the program with that file.
        [ "$(key MimeType)" = "application/x-kansu-lesson;" ] || fail "MimeType is '$(key MimeType)'"
        key Exec | grep -q ' %f$' || fail "Exec '$(key Exec)' does not take the file (%f)"
    fi
    # The lesson file type: the shared MIME database takes the package without a word and then
    # knows *.kansu. The tool only warns on standard error, so that must stay empty.
    if [ ! -f "$mimexml" ]; then
        fail "no MIME type package at $mimexml"
    else
        command -v update-mime-database >/dev/null \
            || { echo "FAIL: update-mime-database is missing (Debian: shared-mime-info)" >&2; exit 1; }
        mimeerr="$(XDG_DATA_DIRS="$prefix/$datadir:/usr/share" update-mime-database \
            "$prefix/$datadir/mime" 2>&1 >/dev/null)" || fail "update-mime-database failed"
        [ -z "$mimeerr" ] || fail "update-mime-database says: $mimeerr"
        grep -q '^50:application/x-kansu-lesson:\*\.kansu$' "$prefix/$datadir/mime/globs2" \
            || fail "the MIME database does not map *.kansu to application/x-kansu-lesson"
        [ -f "$prefix/$datadir/mime/application/x-kansu-lesson.xml" ] \
            || fail "the MIME database has no entry for application/x-kansu-lesson"
    fi
    if [ -f "$icon" ]; then
        command -v xmllint >/dev/null \
            || { echo "FAIL: xmllint is missing (Debian: libxml2-utils)" >&2; exit 1; }
        xmllint --noout "$icon" || fail "the icon is not well-formed XML"
        root="$(xmllint --xpath 'local-name(/*)' "$icon")"
        [ "$root" = "svg" ] || fail "the icon's root element is '$root', not svg"
        [ -n "$(xmllint --xpath 'string(/*/@viewBox)' "$icon")" ] \
            || fail "the icon has no viewBox, so it does not scale"
    fi
}
