#!/usr/bin/env bash
# Installs the Debian packages a make target needs, and only those: building
# and running want the compiler, Qt, the SAT solver CaDiCaL (linked in
# statically) and the fonts; the tests add an X server, xdotool, ImageMagick,
# poppler and a print server; the package and its check add dpkg-dev (the
# hardening flags), lintian, the AppStream and desktop entry validators and
# hardening-check (in devscripts). Someone who only runs the program gets no
# print server.
# Safe to run again and again: it only calls apt when something is missing.
#
# Usage: setup.sh [build|test|package|fuzz|bench|icons]   (build by default)
set -euo pipefail

packages=(
  g++ make cmake ninja-build
  qt6-base-dev qt6-svg-dev libgl-dev libcadical-dev
  fonts-liberation2
)

case "${1:-build}" in
  build) ;;
  test) packages+=(poppler-utils xvfb xauth xdotool x11-utils imagemagick cups) ;;
  package) packages+=(dpkg-dev lintian appstream desktop-file-utils devscripts) ;;
  # The fuzzer wants clang and its runtime.
  fuzz) packages+=(clang libclang-rt-14-dev) ;;
  # The benchmarks want Google Benchmark, the start-up figures an X server,
  # and the layout's figures Graphviz to compare with.
  bench) packages+=(libbenchmark-dev xvfb xdotool graphviz) ;;
  # Only who redraws the icon renders its PNGs.
  icons) packages+=(librsvg2-bin) ;;
  *)
    echo "usage: $0 [build|test|package|fuzz|bench|icons]" >&2
    exit 2
    ;;
esac

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "setup: installing ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then
  sudo="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
