#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, if missing.
set -euo pipefail
packages=(build-essential cmake pkg-config libwxgtk3.2-dev libglu1-mesa-dev libosmesa6-dev
  libfreetype-dev libfontconfig-dev libstb-dev libgtest-dev libbenchmark-dev xvfb xauth
  fonts-liberation desktop-file-utils xdg-utils shared-mime-info imagemagick clang
  libclang-rt-14-dev xdotool clang-format git libopenblas-dev libcairo2-dev poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
