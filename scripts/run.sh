#!/usr/bin/env bash
# Installs what is missing, builds, and starts Bramblewood on a data folder:
# the folder given as the argument, or ~/Bramblewood. The folder is created
# when missing; an empty folder becomes a fresh installation.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
folder="${1:-$HOME/Bramblewood}"
"$root/scripts/build.sh" >/dev/null
mkdir -p "$folder"
cd "$folder"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "There is no display (DISPLAY is empty). To run Bramblewood without one, use a virtual display:" >&2
  echo "  xvfb-run -a -s '-screen 0 1024x768x24' $0 $*" >&2
  exit 1
fi
exec "$root/build/bramblewood"
