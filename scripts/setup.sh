#!/usr/bin/env bash
# Installs every Debian package Pellora needs to build, test and export, non-interactively.
# Safe to run again: apt-get skips what is already there. Works as root or through sudo.
set -euo pipefail

packages=(
  build-essential cmake pkg-config ninja-build git
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins qt6-image-formats-plugins qt6-multimedia-dev
  libqt6opengl6-dev
  libavformat-dev libavcodec-dev libavutil-dev libswscale-dev libswresample-dev
  libavcodec-extra
  libegl-dev libgl-dev libegl-mesa0 libgl1-mesa-dri libepoxy-dev
  glslang-tools
  libgtest-dev libgmock-dev
  gstreamer1.0-plugins-good gstreamer1.0-libav
  xvfb xauth
  fonts-dejavu-core fonts-liberation2 fonts-crosextra-caladea
  clang libclang-rt-14-dev
  locales
)

if [ "$(id -u)" -eq 0 ]; then
  sudo_cmd=()
else
  sudo_cmd=(sudo)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ "${#missing[@]}" -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# A locale with "," as the decimal separator lets the tests prove numbers stay "." everywhere.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  if [ -f /etc/locale.gen ]; then
    "${sudo_cmd[@]}" sed -i 's/^# *de_DE.UTF-8 UTF-8/de_DE.UTF-8 UTF-8/' /etc/locale.gen
    grep -q '^de_DE.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen >/dev/null || echo "setup: could not generate de_DE.UTF-8; the decimal-comma test will be skipped" >&2
  fi
fi
echo "setup: all packages present"
