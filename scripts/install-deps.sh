#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, and only those
# that are missing. Uses sudo only when not running as root.
set -euo pipefail

PACKAGES=(
  # toolchain
  cmake ninja-build g++ make pkg-config clang libclang-rt-14-dev clang-format
  # engine and CLI
  libpcre2-dev
  # GUI
  qt6-base-dev qt6-base-dev-tools qt6-svg-dev libqt6svg6 qt6-translations-l10n
  libqscintilla2-qt6-dev libqscintilla2-qt6-l10n libgl-dev
  libboost-stacktrace-dev
  # update
  libcurl4-openssl-dev libzip-dev libinih-dev
  # tests and benchmarks
  libgtest-dev libbenchmark-dev python3 xvfb xauth xclip xdotool x11-utils
  imagemagick time fonts-dejavu-core
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
