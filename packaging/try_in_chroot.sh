#!/usr/bin/env bash
# Installs the built .deb in a fresh minimal Debian 12 and shows what its
# users get: the software centre's catalogue finds the program, the theme has
# its icons, both programs start and arrowplan-report draws the example.
# Needs root and a Debian mirror; the chroot is made by debootstrap once and
# kept for the next run. Not part of CI, which has neither.
#
# Usage: packaging/try_in_chroot.sh [FOLDER] [CHROOT] [MIRROR]
#        (build-deb, /var/tmp/arrowplan-bookworm and the first Debian mirror
#        of this machine's apt sources by default)
set -euo pipefail
folder=${1:-build-deb}
root=${2:-/var/tmp/arrowplan-bookworm}
mirror=${3:-}
if [ -z "$mirror" ]; then
    # The machine's own mirror: deb822 sources first, then the one-line kind.
    mirror=$(sed -n 's/^URIs:[[:space:]]*\([^[:space:]]*\).*/\1/p' /etc/apt/sources.list.d/*.sources 2>/dev/null | head -n 1 || true)
fi
if [ -z "$mirror" ]; then
    mirror=$(awk '$1 == "deb" { for (i = 2; i <= NF; ++i) if ($i !~ /^\[/) { print $i; exit } }' /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | head -n 1 || true)
fi
if [ -z "$mirror" ]; then
    echo "no Debian mirror in this machine's apt sources; give one as the third argument" >&2
    exit 2
fi
deb=$(ls "$folder"/arrowplan_*.deb | head -n 1)
id=io.github.arrowplan.arrowplan

if ! command -v debootstrap >/dev/null; then
    apt-get install -y -qq --no-install-recommends debootstrap
fi
if [ ! -x "$root/usr/bin/apt-get" ]; then
    debootstrap --variant=minbase bookworm "$root" "$mirror"
fi
mount -t proc proc "$root/proc"
trap 'umount "$root/proc"' EXIT
cp "$deb" "$root/tmp/"
in_root() {
    echo "# $*"
    chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LANG=C.UTF-8 "$@"
}

in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq appstream "/tmp/${deb##*/}"
in_root appstreamcli refresh-cache --force
in_root appstreamcli get "$id"
in_root ls /usr/share/icons/hicolor/{16x16,24x24,32x32,48x48,64x64,128x128,256x256}/apps/"$id".png
in_root arrowplan --help
in_root arrowplan-report --help
in_root arrowplan-report listing /usr/share/arrowplan/examples/house.cpm
in_root arrowplan-report chart /usr/share/arrowplan/examples/house.cpm /tmp/house.png
