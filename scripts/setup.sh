#!/usr/bin/env bash
# Installs the Debian packages that building and testing need, only those missing.
# groff typesets the user manual; poppler-utils reads it back in the tests.
set -euo pipefail

need=(build-essential cmake pkg-config libcairo2-dev libx11-dev libxtst-dev
      libsndfile1-dev zlib1g-dev libgtest-dev libgmock-dev libbenchmark-dev fonts-liberation
      fontconfig xvfb xauth x11-utils clang clang-format libclang-rt-14-dev python3
      groff poppler-utils)

missing=()
for p in "${need[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
