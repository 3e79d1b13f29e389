#!/usr/bin/env bash
# Installs what is missing, builds the benchmark into build/ and runs it:
#   scripts/bench.sh [N ...]   (default: 1000 10000 100000 customers)
# Without a display it runs under a virtual one (xvfb-run).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/install-deps.sh"
# The build's output goes with the bench's progress to stderr; the table alone to stdout.
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build "$root/build" -j"$(nproc)" --target bench >&2
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s '-screen 0 1280x1024x24' "$root/build/bench/bench" "$@"
fi
exec "$root/build/bench/bench" "$@"
