#!/usr/bin/env bash
# Installs the Debian 12 packages needed to build, run and test the program.
# Does nothing when they are all present already.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config e2fsprogs
  qt6-base-dev libgl-dev libxcb1-dev libx11-dev libxext-dev libxss-dev libsystemd-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils xdotool imagemagick trayer
  dbus python3-dbusmock libfaketime faketime desktop-file-utils
  at-spi2-core python3-pyatspi metacity
  fonts-ipafont-gothic
  clang-format clang-tidy-14 clang-14 libclang-rt-14-dev
  dpkg-dev lintian gettext
  g++-mingw-w64-x86-64-posix wine wine64 librsvg2-bin locales nsis wixl appstream
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 update
  "${sudo[@]}" apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
fi

# The Windows program is tested as a Japanese Windows runs it: wine in this locale.
locale -a | grep -qx 'ja_JP.utf8' || "${sudo[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
