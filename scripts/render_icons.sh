#!/usr/bin/env bash
# Renders packaging/icons/arrowplan.svg into the PNG sizes the package and the
# window icon carry. The PNGs are kept in the repository, so that building the
# program or its package needs no SVG renderer; run this after editing the
# drawing (make icons installs rsvg-convert first).
set -euo pipefail
cd "$(dirname "$0")/../packaging/icons"
command -v rsvg-convert >/dev/null || {
  echo "render_icons: rsvg-convert is missing (apt install librsvg2-bin, or make icons)" >&2
  exit 1
}
for size in 16 24 32 48 64 128 256; do
  rsvg-convert --width "$size" --height "$size" --output "${size}x${size}.png" arrowplan.svg
done
