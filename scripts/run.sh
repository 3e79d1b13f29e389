#!/usr/bin/env bash
# Installs what is missing, builds, and starts Bramblewood on a data folder:
# the folder given as the argument, or ~/Bramblewood. The folder is created
# when missing; an empty folder becomes a fresh installation. Each step says
# what it does; the build's own output goes to build/build.log.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="${1:-$HOME/Bramblewood}"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display (DISPLAY is empty). To run Bramblewood without one, use a virtual display:" >&2
  echo "  xvfb-run -a -s '-screen 0 1024x768x24' $0 $*" >&2
  exit 1
fi
echo "Installing what is missing (Debian packages)..."
"$root/scripts/install-deps.sh"
echo "Building Bramblewood (the first build takes a few minutes)..."
mkdir -p "$root/build"
if ! "$root/scripts/build.sh" >"$root/build/build.log" 2>&1; then
  tail -n 30 "$root/build/build.log" >&2
  echo "The build failed; all it said is in $root/build/build.log" >&2
  exit 1
fi
mkdir -p "$folder"
cd "$folder"
echo "Starting Bramblewood on $folder"
exec "$root/build/bramblewood"
