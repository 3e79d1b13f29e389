#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Idempotent: does nothing when every package is already there.
set -euo pipefail

packages=(
  build-essential cmake pkg-config
  qt6-base-dev libqt6sql6-sqlite qt6-base-dev-tools
  libzip-dev sqlite3 libsqlite3-dev
  postgresql-15 libpq-dev libqt6sql6-psql
  fonts-liberation
  mdbtools-dev
  xvfb xauth imagemagick xdg-utils
  poppler-utils unzip zip libarchive-tools python3-xlrd
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
