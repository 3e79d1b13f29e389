#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package
# bramblewood_VERSION_amd64.deb in the project's folder, which
#   sudo apt install ./bramblewood_*.deb
# installs on Debian 12 with what it needs.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
cd "$root/build"
cpack -G DEB -B "$root/build/package"
cp "$root"/build/package/bramblewood_*_amd64.deb "$root/"
ls "$root"/bramblewood_*_amd64.deb
