#!/usr/bin/env bash
# The installed tree holds exactly the expected files, the programs and the launcher are
# executable, and each file of the desktop integration passes Debian's validators: the
# desktop entry, the AppStream metainfo (no errors or warnings, no web address), the icons
# at their pixel sizes and not blank, and the manual pages rendering without warnings, each
# naming every option the tool's own usage line lists.
# Usage: installed_files.sh STAGE PREFIX EXPECTED_LIST BUILD_DIR VERSION
set -uo pipefail
stage=$1 prefix=$2 expected=$3 build=$4 version=$5
root=$stage$prefix
id=org.dorvalen.Dorvalen
status=0
fail() { echo "FAIL: $*"; status=1; }

# Exactly the expected files, nothing missing and nothing extra (also nothing outside prefix).
diff <(cd "$stage" && find . -type f -o -type l | sed "s|^\./${prefix#/}/||" | sort) \
     <(sort "$expected") || fail "the installed files differ from $expected (< installed, > expected)"
for program in bin/dorvalen bin/dorvalen-face bin/dorvalen-almanac libexec/dorvalen/dorvalen-launch; do
    [ -x "$root/$program" ] || fail "$program is not executable"
done

# The desktop entry: valid, names the installed launcher, the icon and the window class.
entry=$root/share/applications/$id.desktop
out=$(desktop-file-validate "$entry" 2>&1) && [ -z "$out" ] || fail "desktop-file-validate: $out"
grep -qx "Exec=$prefix/libexec/dorvalen/dorvalen-launch" "$entry" || fail "Exec is not the installed launcher"
# The X11 route for an on-top switch of the clock's own, as a second way in from the menu.
grep -qx "Exec=env QT_QPA_PLATFORM=xcb $prefix/libexec/dorvalen/dorvalen-launch" "$entry" ||
    fail "no action that starts the launcher on XWayland"
grep -qx "Name\[de\]=Unter XWayland starten" "$entry" || fail "the XWayland action is not named"
grep -qx "Icon=$id" "$entry" || fail "Icon is not $id"
grep -qx "StartupWMClass=Dorvalen" "$entry" || fail "StartupWMClass is not Dorvalen"
# GNOME lists (and lets the user mute) the reminders only with this key.
grep -qx "X-GNOME-UsesNotifications=true" "$entry" || fail "X-GNOME-UsesNotifications is not set"

# The metainfo: no errors and no warnings, and the release is this version.
metainfo=$root/share/metainfo/$id.metainfo.xml
out=$(appstreamcli validate --no-net --no-color "$metainfo" 2>&1) || fail "appstreamcli: $out"
echo "$out" | grep -E '^(E|W):' && fail "appstreamcli reports errors or warnings"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo release is not $version"
# No web address: the project serves none, and a software centre would show a dead link.
! grep -qE '[a-z]+://' "$metainfo" || fail "the metainfo names a web address: $(grep -oE '[a-z]+://[^<"]*' "$metainfo" | head -1)"

# Icons: each size with its pixel dimensions, and a drawing (the crew colours, the dial),
# not an empty square.
for px in 16 24 32 48 64 128 256; do
    png=$root/share/icons/hicolor/${px}x${px}/apps/$id.png
    file -b "$png" | grep -q "^PNG image data, $px x $px," || fail "$png is not a ${px}x${px} PNG: $(file -b "$png")"
    colours=$("$build/dorvalen-window-shot" info "$png" | awk '{print $5}')
    [ "${colours:-0}" -ge 8 ] || fail "the ${px} px icon shows only ${colours:-0} colours"
done

# Manual pages: no groff or man warnings at 80 columns; each documents --version and every
# option its tool's --help lists, so a new option cannot go undocumented.
for page in dorvalen dorvalen-face dorvalen-almanac; do
    file=$root/share/man/man1/$page.1.gz
    warnings=$(MANWIDTH=80 man --warnings -l "$file" 2>&1 >/dev/null)
    [ -z "$warnings" ] || fail "man $page warns: $warnings"
    text=$(MANWIDTH=80 man -l "$file" 2>/dev/null)
    grep -q "^NAME" <<<"$text" && grep -q "^EXIT STATUS" <<<"$text" || fail "man $page lacks NAME or EXIT STATUS"
    [ "$page" = dorvalen ] && continue
    options=$("$root/bin/$page" --help | grep -oE -- '--[a-z-]+' | sort -u)
    for option in $options --version; do
        grep -qE -- "(^|[^a-z-])$option([^a-z-]|$)" <<<"$text" || fail "man $page does not document $option"
    done
    [ "$("$root/bin/$page" --version)" = "$page $version" ] || fail "$page --version does not say $version"
done

[ $status -eq 0 ] && echo "PASS: installed files, desktop entry, metainfo, icons, manual pages"
exit $status
