# Sourced by the run and test scripts: the Japanese locale Wine needs, and
# a prefix set up the way the program expects to find Windows.
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEARCH=win32 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="

# make_prefix DIR: a 32-bit prefix where message boxes close at once (no
# window manager needed) and the Japanese UI fonts map to the IPA fonts.
make_prefix() {
  WINEPREFIX="$1" wineboot -i >/dev/null 2>&1
  local reg="HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes"
  WINEPREFIX="$1" wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  WINEPREFIX="$1" wine reg add "$reg" /v "ＭＳ Ｐゴシック" /d IPAPGothic /f >/dev/null 2>&1
  WINEPREFIX="$1" wine reg add "$reg" /v "ＭＳ ゴシック" /d IPAGothic /f >/dev/null 2>&1
  WINEPREFIX="$1" wineserver -w
}

# start_xvfb: starts Xvfb on the first free display and sets DISPLAY and
# XVFB_PID; the caller kills XVFB_PID when done.
start_xvfb() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Xvfb did not start on $DISPLAY" >&2
  return 1
}
