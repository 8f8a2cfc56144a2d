#!/usr/bin/env bash
# Installs what building and testing Brenvik needs on Debian 12. Idempotent.
set -euo pipefail
pkgs=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev
  qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite libgl-dev
  libsqlite3-dev zlib1g-dev libjpeg-dev libmd-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  fonts-liberation poppler-utils xvfb xauth xdotool sqlite3 python3 qt6-translations-l10n
)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -eq 0 ] || SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
