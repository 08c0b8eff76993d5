#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need.
# Idempotent: quiet and quick when everything is present.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ clang libclang-rt-14-dev clang-format
  libgtest-dev libgmock-dev googletest libbenchmark-dev nlohmann-json3-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n poppler-utils
  python3 xvfb xauth openbox xdotool x11-utils imagemagick fonts-ipafont-gothic fonts-ipafont-mincho
  fonts-noto-cjk fonts-dejavu-core
  desktop-file-utils appstream libxml2-utils shared-mime-info dpkg-dev file
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing: ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
