#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package as a user would, tries what it installed, and
# purges it again, checking that nothing of it is left.  Needs root (or
# sudo); run after scripts/package.sh:
#   scripts/check-package.sh [path/to/arborix_VERSION_ARCH.deb]
set -euo pipefail
cd "$(dirname "$0")/.."
deb=${1:-$(ls -t build-pkg/arborix_*.deb 2> /dev/null | head -n 1)}
if [ -z "$deb" ] || [ ! -f "$deb" ]; then
  echo "check-package.sh: no package; run scripts/package.sh first" >&2
  exit 1
fi
deb=$(realpath "$deb")
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO=sudo
app_id=io.github.arborix.arborix
docs=/usr/share/doc/arborix
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

step() { echo "== $*"; }

step "install $deb"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "$deb"
dpkg-query -L arborix > "$scratch/files"

step "the installed programs"
arborix-term --version
arborix --version
man -w arborix-term
man -w arborix
man -w arborix-plot
arborix-import --version
man -w arborix-import

step "a scripted run of $docs/examples from a scratch folder"
mkdir "$scratch/run"
cp "$docs"/examples/* "$scratch/run/"
(cd "$scratch/run" && timeout 60 arborix-term < answers.txt > transcript.txt)
out=$scratch/run/ukmo_tmax_average.txt
test -s "$out"
grep -q '^ MEAN CORRECTED ARITHMETIC AVERAGE' "$out"
grep -q '^ 2025 ' "$out"
echo "output file: $(wc -l < "$out") lines"

step "desktop entry, metadata and icons"
desktop-file-validate "/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net "/usr/share/metainfo/$app_id.metainfo.xml"
for icon in scalable/apps/$app_id.svg 48x48/apps/$app_id.png 64x64/apps/$app_id.png \
            128x128/apps/$app_id.png 256x256/apps/$app_id.png; do
  test -s "/usr/share/icons/hicolor/$icon"
done

step "purge"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get purge -y -qq arborix
if dpkg-query -W arborix > /dev/null 2>&1; then
  echo "check-package.sh: arborix is still known to dpkg" >&2
  exit 1
fi
# A file of the package must be gone; a folder may stay only while another
# package owns it or it still holds other files.
left=0
while IFS= read -r path; do
  if [ -d "$path" ] && [ ! -L "$path" ]; then
    if dpkg-query -S "$path" > /dev/null 2>&1 || [ -n "$(ls -A "$path")" ]; then
      continue
    fi
    echo "left behind: $path/" >&2
    left=1
  elif [ -e "$path" ] || [ -L "$path" ]; then
    echo "left behind: $path" >&2
    left=1
  fi
done < "$scratch/files"
[ $left -eq 0 ]
echo "check-package.sh: installed, tried and purged without a trace"
