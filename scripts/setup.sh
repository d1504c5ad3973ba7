#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the screenshots need.
# Safe to run again and again: it only calls apt when something is missing.
set -euo pipefail

packages=(
  g++ make cmake ninja-build dpkg-dev

  qt6-base-dev libgl-dev
  fonts-liberation2
  poppler-utils xvfb xauth xdotool imagemagick
)

# The fuzzer wants clang and its runtime; only `make fuzz` asks for them.
if [ "${1:-}" = "fuzz" ]; then
  packages+=(clang libclang-rt-14-dev)
fi
# The benchmarks want Google Benchmark; only `make bench` asks for it.
if [ "${1:-}" = "bench" ]; then
  packages+=(libbenchmark-dev)
fi


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
