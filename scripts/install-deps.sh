#!/bin/sh
# Installs what Kazari needs to build, run and test on Debian 12.
set -eu
SUDO=""
if [ "$(id -u)" != "0" ]; then SUDO="sudo"; fi
PACKAGES="build-essential cmake ninja-build pkg-config clang-format \
  qt6-base-dev qt6-base-dev-tools libgl-dev libjpeg62-turbo-dev \
  fonts-noto-cjk xvfb xauth xdotool imagemagick"
missing=""
for p in $PACKAGES; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
if [ -n "$missing" ]; then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends $missing
fi
