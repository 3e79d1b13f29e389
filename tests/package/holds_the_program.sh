#!/bin/sh
# Makes the Debian package from this build, as scripts/package.sh does, and
# checks what it holds and what it asks for.
set -eu
build=$1
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/bramblewood_*_amd64.deb)
files=$(dpkg-deb -c "$deb" | awk '{print $6}')
for file in ./usr/bin/bramblewood ./usr/bin/bramblewood-read-jet \
            ./usr/share/applications/bramblewood.desktop \
            ./usr/share/icons/hicolor/scalable/apps/bramblewood.svg \
            ./usr/share/bramblewood/Bramblewood.html ./usr/share/man/man1/bramblewood.1.gz; do
  echo "$files" | grep -qx "$file" || { echo "the package lacks $file"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6sql6-sqlite libqt6sql6-psql libpq5 libzip4 libmdb3 libsqlite3-0 fonts-liberation; do
  echo "$depends" | grep -q "$package" || { echo "the package does not ask for $package: $depends"; exit 1; }
done
# The program in it answers as the one built.
dpkg-deb -x "$deb" "$out/root"
"$out/root/usr/bin/bramblewood" --version | grep -q "^Bramblewood [0-9]" || { echo "--version does not answer"; exit 1; }
echo "the package holds the program"
