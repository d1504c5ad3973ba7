#!/usr/bin/env bash
# Checks the built .deb: its control fields and that it holds the program,
# the headless tool, the desktop entry, the icon and the example projects.
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
need "$info" "Depends:.*fonts-liberation2" "depends on the Liberation fonts"
for path in ./usr/bin/arrowplan ./usr/bin/arrowplan-report \
    ./usr/share/applications/arrowplan.desktop \
    ./usr/share/icons/hicolor/scalable/apps/arrowplan.svg \
    ./usr/share/arrowplan/examples/house.cpm; do
    need "$contents" "^$path\$" "the package holds $path"
done
[ "$failures" -eq 0 ] || exit 1
echo "$deb: 1 passed, 0 failed"
