#!/usr/bin/env bash
# Installs what building and testing Skerrow needs on Debian 12.
# Safe to run again: it only installs what is missing.
set -euo pipefail

SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive

packages=(
  cmake make g++ clang libclang-rt-14-dev googletest
  g++-mingw-w64-i686 gcc-mingw-w64-i686 mingw-w64-tools
  wine wine32:i386 libxi6:i386 libxrandr2:i386 libxinerama1:i386
  libxcursor1:i386 libxfixes3:i386 libxrender1:i386
  xvfb xdotool x11-apps x11-utils imagemagick locales fonts-ipafont-gothic fonts-wine
  fp-utils procps bc zip unzip
)

if ! dpkg --print-foreign-architectures | grep -qx i386; then
  $SUDO dpkg --add-architecture i386
  need_update=1
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  $SUDO apt-get update -q
  $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
elif [ "${need_update:-0}" = 1 ]; then
  $SUDO apt-get update -q
fi

if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "setup: generating the ja_JP.UTF-8 locale"
  if ! grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen; then
    echo 'ja_JP.UTF-8 UTF-8' | $SUDO tee -a /etc/locale.gen >/dev/null
  fi
  $SUDO locale-gen >/dev/null
fi
