#!/usr/bin/env bash
# Runs the suite as a user on another day, in another time zone or locale
# would: under faketime just before midnight (the run crosses it), under the
# earliest time zone there is, and each test program started by hand under
# de_DE.UTF-8, a locale generated into a scratch folder (the system's stay
# as they are). Not part of the README's test command.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/build.sh"
if ! command -v faketime >/dev/null; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get install -y -q --no-install-recommends faketime locales
fi
cd "$root/build"
export QT_QPA_PLATFORM=offscreen
echo "== faketime 2027-03-01 23:59:50"
faketime '2027-03-01 23:59:50' ctest -j"$(nproc)" --output-on-failure
echo "== TZ=Pacific/Kiritimati"
TZ=Pacific/Kiritimati ctest -j"$(nproc)" --output-on-failure
echo "== each test program under de_DE.UTF-8"
locales="$(mktemp -d)"
trap 'rm -rf "$locales"' EXIT
localedef -i de_DE -f UTF-8 "$locales/de_DE.UTF-8"
mkdir -p runtime
failed=0
for test in tests/tst_*; do
  [ -f "$test" ] && [ -x "$test" ] || continue
  if ! (cd tests && LOCPATH="$locales" LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 \
        XDG_RUNTIME_DIR="$root/build/runtime" "../$test" -silent); then
    echo "FAILED under de_DE: $test"
    failed=1
  fi
done
exit "$failed"
