#!/usr/bin/env bash
# Shared set-up of run.sh and test.sh: installs the missing Debian packages, configures and builds.
# Usage: tools/setup.sh BUILD_DIR [extra cmake arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)

packages=(qt6-base-dev qt6-svg-dev qt6-translations-l10n libpugixml-dev libjpeg62-turbo-dev
          googletest libgmock-dev libbenchmark-dev fonts-liberation2 poppler-utils xvfb xauth
          cmake ninja-build g++ pkg-config shared-mime-info locales clang-format)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends "${missing[@]}"
fi

build=$1
shift
cmake -S "$root" -B "$root/$build" -G Ninja "$@" >/dev/null
cmake --build "$root/$build" --parallel "$(nproc)"
