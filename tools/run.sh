#!/usr/bin/env bash
# Installs what is missing, builds Skerrow and starts it under Wine from its
# start folder (default ~/Skerrow, where it keeps Skerrow.ini and Skerrow.tmp;
# the sample texts are put there at the first run).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
"$root/tools/build.sh"
. "$root/tools/wine-env.sh"

export WINEPREFIX="${SKERROW_WINEPREFIX:-$HOME/.local/share/skerrow/wineprefix}"
folder="${SKERROW_FOLDER:-$HOME/Skerrow}"
mkdir -p "$folder" "$(dirname "$WINEPREFIX")"
cp "$root/build/win/Skerrow.exe" "$folder/"
cp "$root/build/win/Skerrow.chm" "$folder/"
for f in "$root"/samples/*; do
  [ -e "$folder/$(basename "$f")" ] || cp "$f" "$folder/"
done
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "run: making the Wine prefix $WINEPREFIX"
  make_prefix "$WINEPREFIX"
fi

if [ -z "${DISPLAY:-}" ]; then
  start_xvfb
  trap 'kill "$XVFB_PID" 2>/dev/null' EXIT
  trap 'exit 130' INT TERM
  echo "run: no display, so Skerrow runs on the virtual screen $DISPLAY (Xvfb)"
fi
echo "run: starting Skerrow in $folder (Esc hides it; quit from its tray menu)"
cd "$folder"
wine Skerrow.exe
