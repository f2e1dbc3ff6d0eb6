#!/usr/bin/env bash
# Installs the Debian 12 packages the designer and its tests need, only when
# something is missing (run as root).
set -euo pipefail
PACKAGES=(
  build-essential cmake pkg-config git python3
  qtbase5-dev libqt5sql5-sqlite libqt5serialport5-dev qttools5-dev qttools5-dev-tools
  qttranslations5-l10n sqlite3 fonts-liberation
  qt6-base-dev qt6-serialport-dev qt6-tools-dev libqt6sql6-sqlite qt6-l10n-tools qt6-translations-l10n
  clang-tidy clang-format clazy dpkg-dev ccache
  xvfb xdotool x11-utils imagemagick
  clang libclang-rt-14-dev
)
missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages; run this script as root (sudo)." >&2
    exit 1
  fi
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
