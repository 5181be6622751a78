#!/usr/bin/env bash
# Installs what is missing, builds, and starts the applet on the built-in
# virtual tablet.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake --preset default >/dev/null
cmake --build build/default -j2

exec build/default/bin/tablet-properties "$@"
