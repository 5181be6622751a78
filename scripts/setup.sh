#!/usr/bin/env bash
# Installs the Debian packages that building and testing need. As root it
# installs what is missing with apt-get; otherwise it prints the exact command.
# Add a package here when your part needs one: this list is the only one.
set -euo pipefail

KELVO_PACKAGES=(
  build-essential cmake ninja-build
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev qt6-base-dev libgl-dev fonts-wqy-microhei groff libevdev-dev libudev-dev
  clang libclang-rt-dev
)

if ! command -v dpkg-query >/dev/null 2>&1; then
  echo "setup: not a Debian system; make sure these are installed: ${KELVO_PACKAGES[*]}" >&2
  exit 0
fi

missing=()
for package in "${KELVO_PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
  echo "setup: missing packages; run this, then start again:" >&2
  echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}" >&2
  exit 1
fi

echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
