#!/usr/bin/env bash
# Installs what is missing, builds, and starts the applet on the built-in
# virtual tablet. Until the applet exists it starts the most complete piece
# that does, and says which.
set -euo pipefail
cd "$(dirname "$0")/.."

./scripts/setup.sh
cmake --preset default >/dev/null
cmake --build build/default -j2

bin=build/default/bin
if [ -x "$bin/tablet-properties" ]; then
  exec "$bin/tablet-properties" "$@"
elif [ -x "$bin/tabletctl" ]; then
  echo "run: the applet is not built yet; listing the built-in virtual tablet instead:"
  exec "$bin/tabletctl" list
else
  echo "run: neither the applet nor the tablet service exists yet; running the driver link self-check:"
  exec "$bin/kelvo-selfcheck"
fi
