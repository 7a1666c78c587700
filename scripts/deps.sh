#!/usr/bin/env bash
# Installs, with apt-get, whatever of the build and test dependencies this
# Debian 12 machine is missing. Extra package names may be given as arguments.
set -euo pipefail

packages=(
  cmake ninja-build g++ pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libpng-dev zlib1g-dev libfreetype-dev libfontconfig-dev fonts-dejavu-core fonts-dejavu-extra
  libsndfile1-dev libebur128-dev
  libx11-dev libxext-dev libxtst-dev xvfb xauth
  "$@"
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}" >&2
sudo=()
[ "$(id -u)" -ne 0 ] && sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
