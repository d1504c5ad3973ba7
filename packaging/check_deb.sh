#!/usr/bin/env bash
# Checks the built .deb: its control fields, that it holds the programs, their
# manual pages, the changelog and copyright, the desktop entry, its AppStream
# data and its icon in every size, the file type that opens .cpm projects with
# it and the example projects; that the AppStream data and the desktop entry
# validate and agree with the package; that both programs are hardened; then
# lintian, which may find nothing but the Maintainer address on localhost
# (kept until the project has a real one; the changelog's entry is signed
# with the same address).
#
# Usage: check_deb.sh [FOLDER]   (the folder make package builds it in by default)
set -euo pipefail
folder=${1:-build-deb}
deb=$(ls "$folder"/arrowplan_*.deb 2>/dev/null | head -n 1 || true)
[ -n "$deb" ] && [ -f "$deb" ] || { echo "FAIL: no .deb in $folder"; exit 1; }

id=io.github.arrowplan.arrowplan
sizes="16 24 32 48 64 128 256"
info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
failures=0
fail() { echo "FAIL: $1"; failures=$((failures + 1)); }
need() { grep -q -- "$2" <<<"$1" || fail "$3"; }
need "$info" "Package: arrowplan" "package name"
need "$info" "Depends:.*libqt6widgets6" "depends on the Qt 6 widgets runtime"
need "$info" "Depends:.*libqt6printsupport6" "depends on Qt 6 printing"
need "$info" "Depends:.*libqt6svg6" "depends on Qt 6 SVG"
need "$info" "Depends:.*fonts-liberation2" "depends on the Liberation fonts"
icons=./usr/share/icons/hicolor
for path in ./usr/bin/arrowplan ./usr/bin/arrowplan-report \
    ./usr/share/man/man1/arrowplan.1.gz ./usr/share/man/man1/arrowplan-report.1.gz \
    ./usr/share/doc/arrowplan/changelog.gz ./usr/share/doc/arrowplan/copyright \
    "./usr/share/applications/$id.desktop" "./usr/share/metainfo/$id.metainfo.xml" \
    ./usr/share/mime/packages/arrowplan.xml "$icons/scalable/apps/$id.svg" \
    ./usr/share/arrowplan/examples/house.cpm; do
    need "$contents" "^$path\$" "the package holds $path"
done

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
# A PNG's width and height are the big-endian words at bytes 16 and 20.
for size in $sizes; do
    png="$unpacked/$icons/${size}x$size/apps/$id.png"
    [ -f "$png" ] || { fail "the package holds the ${size}x$size icon"; continue; }
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
    dims="$(((w1 << 24) + (w2 << 16) + (w3 << 8) + w4))x$(((h1 << 24) + (h2 << 16) + (h3 << 8) + h4))"
    [ "$dims" = "${size}x$size" ] || fail "the ${size}x$size icon is $dims"
done

version=$(dpkg-deb --field "$deb" Version)
changelog=$(zcat "$unpacked/usr/share/doc/arrowplan/changelog.gz")
need "$(head -n 1 <<<"$changelog")" "^arrowplan ($version)" "the changelog's latest entry is version $version"
desktop=$(cat "$unpacked/usr/share/applications/$id.desktop")
need "$desktop" "^Exec=arrowplan %f$" "the desktop entry passes the file to open"
need "$desktop" "^Icon=$id$" "the desktop entry names the icon $id"
mime=$(sed -n 's/.*mime-type type="\([^"]*\)".*/\1/p' "$unpacked/usr/share/mime/packages/arrowplan.xml")
need "$desktop" "^MimeType=$mime;$" "the desktop entry opens the project file type ($mime)"

metainfo="$unpacked/usr/share/metainfo/$id.metainfo.xml"
component=$(cat "$metainfo")
released=$(date -u -d "$(sed -n '0,/^ -- /s/^ -- .*>  //p' <<<"$changelog")" +%F)
for want in "<id>$id</id>" "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
    "<mediatype>$mime</mediatype>" "<binary>arrowplan</binary>" "<binary>arrowplan-report</binary>" \
    "<release version=\"$version\" date=\"$released\""; do
    need "$component" "$want" "the AppStream data holds $want"
done
# Without the network, the homepage and the screenshot cannot be fetched;
# everything else must pass, down to the pedantic remarks.
if ! validated=$(appstreamcli validate --no-net --pedantic --no-color "$metainfo" 2>&1) ||
    grep -q '^[EWIP]: ' <<<"$validated"; then
    fail "appstreamcli: $validated"
fi
if ! validated=$(desktop-file-validate "$unpacked/usr/share/applications/$id.desktop" 2>&1) ||
    [ -n "$validated" ]; then
    fail "desktop-file-validate: $validated"
fi

# Debian 12's hardening flags hold no control-flow protection, and its C start
# files lack the mark it needs, so no executable built there has it.
for program in arrowplan arrowplan-report; do
    hardening=$(hardening-check --nocfprotection "$unpacked/usr/bin/$program" 2>&1) ||
        fail "hardening-check: $hardening"
done

allowed=bogus-mail-host,bogus-mail-host-in-debian-changelog
if ! tags=$(lintian --display-info --fail-on error,warning --suppress-tags "$allowed" "$deb" 2>&1); then
    fail "lintian: $tags"
elif grep -qE '^[EW]: |: hardening-' <<<"$tags"; then
    fail "lintian: $tags"
fi
[ "$failures" -eq 0 ] || exit 1
echo "$deb: 1 passed, 0 failed"
