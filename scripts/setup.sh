#!/usr/bin/env bash
# Installs what building, running and testing need on Debian 12, skipping what is there.
set -euo pipefail
packages=(g++ cmake make clang-format ccache pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libbenchmark-dev
  fonts-liberation fonts-dejavu-core xvfb xauth poppler-utils)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
