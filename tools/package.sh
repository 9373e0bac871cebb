#!/usr/bin/env bash
# Makes the download for Windows users: dist/Skerrow-<version>.zip with the
# program, its help file and readme.txt (code page 932, CR LF), the version
# taken from the program's VERSIONINFO.
#
#   tools/package.sh [BUILD_DIR] [OUT_DIR]     prints the archive's path
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/win}
out=${2:-$root/dist}
if [ ! -f "$build/Skerrow.exe" ] || [ ! -f "$build/Skerrow.chm" ]; then
  "$root/tools/build.sh" >/dev/null
fi
version=$(sed -n 's/^ *FILEVERSION *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1.\2.\3.\4/p' \
  "$root/res/skerrow.rc")
[ -n "$version" ] || { echo "package: no FILEVERSION in res/skerrow.rc" >&2; exit 1; }

stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
cp "$build/Skerrow.exe" "$build/Skerrow.chm" "$stage/"
iconv -f UTF-8 -t CP932 "$root/docs/readme-windows.txt" | sed 's/$/\r/' >"$stage/readme.txt"
mkdir -p "$out"
zip="$out/Skerrow-$version.zip"
rm -f "$zip"
(cd "$stage" && zip -q -X "$zip" Skerrow.exe Skerrow.chm readme.txt)
echo "$zip"
