#!/usr/bin/env bash
# Checks the built .deb: its control fields, that it holds the programs, their
# manual pages, the changelog and copyright, the desktop entry and the file
# type that opens .cpm projects with it, the icon and the example projects;
# then lintian, which may find nothing but the Maintainer address on
# localhost (kept until the project has a real one; the changelog's entry is
# signed with the same address).
set -euo pipefail
deb=$(ls "${1:-build}"/arrowplan_*.deb 2>/dev/null | head -n 1 || true)
[ -n "$deb" ] && [ -f "$deb" ] || { echo "FAIL: no .deb in ${1:-build}"; exit 1; }

info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
failures=0
need() { grep -q -- "$2" <<<"$1" || { echo "FAIL: $3"; failures=$((failures + 1)); }; }
need "$info" "Package: arrowplan" "package name"
need "$info" "Depends:.*libqt6widgets6" "depends on the Qt 6 widgets runtime"
need "$info" "Depends:.*libqt6printsupport6" "depends on Qt 6 printing"
need "$info" "Depends:.*libqt6svg6" "depends on Qt 6 SVG"
need "$info" "Depends:.*fonts-liberation2" "depends on the Liberation fonts"
for path in ./usr/bin/arrowplan ./usr/bin/arrowplan-report \
    ./usr/share/man/man1/arrowplan.1.gz ./usr/share/man/man1/arrowplan-report.1.gz \
    ./usr/share/doc/arrowplan/changelog.gz ./usr/share/doc/arrowplan/copyright \
    ./usr/share/applications/arrowplan.desktop ./usr/share/mime/packages/arrowplan.xml \
    ./usr/share/icons/hicolor/scalable/apps/arrowplan.svg \
    ./usr/share/arrowplan/examples/house.cpm; do
    need "$contents" "^$path\$" "the package holds $path"
done

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb --extract "$deb" "$unpacked"
version=$(dpkg-deb --field "$deb" Version)
need "$(zcat "$unpacked/usr/share/doc/arrowplan/changelog.gz" | head -n 1)" "^arrowplan ($version)" \
    "the changelog's latest entry is version $version"
need "$(cat "$unpacked/usr/share/applications/arrowplan.desktop")" "^Exec=arrowplan %f$" \
    "the desktop entry passes the file to open"
mime=$(sed -n 's/.*mime-type type="\([^"]*\)".*/\1/p' "$unpacked/usr/share/mime/packages/arrowplan.xml")
need "$(cat "$unpacked/usr/share/applications/arrowplan.desktop")" "^MimeType=$mime;$" \
    "the desktop entry opens the project file type ($mime)"

allowed=bogus-mail-host,bogus-mail-host-in-debian-changelog
if ! tags=$(lintian --fail-on error,warning --suppress-tags "$allowed" "$deb" 2>&1); then
    echo "FAIL: lintian:"
    echo "$tags"
    failures=$((failures + 1))
elif grep -q '^[EW]: ' <<<"$tags"; then
    echo "FAIL: lintian: $tags"
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || exit 1
echo "$deb: 1 passed, 0 failed"
