#!/usr/bin/env bash
# Installs what the build, the programs and the tests need (Debian, as root). Safe to run again:
# it asks apt only for the packages that are missing.
set -euo pipefail

packages=(
  cmake g++ make pkg-config git
  libgtk-3-dev libwebkit2gtk-4.1-dev libx11-dev libxtst-dev libxext-dev
  libcairo2-dev libpango1.0-dev libjpeg-dev libglib2.0-dev
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth x11-utils x11-xserver-utils imagemagick openbox
  fonts-noto-cjk fonts-dejavu-core dbus python3 libfaketime
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: these packages are missing and installing them needs root: ${missing[*]}" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
