#!/bin/sh
# Installs a build into a fresh prefix and checks that a session can start
# the tablet service: the programs, the systemd user unit and the autostart
# entry, both running the installed tabletd.
#   check_service_install.sh BUILD_DIR
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "cmake --install failed"; exit 1; }
status=0
# The unit names the prefix the build was configured with; the layout is what is checked here.
for file in bin/tabletd bin/tabletctl lib/systemd/user/kelvo-tabletd.service etc/xdg/autostart/kelvo-tabletd.desktop; do
  [ -e "$prefix/$file" ] || { echo "missing: $file"; status=1; }
done
[ -x "$prefix/bin/tabletd" ] || { echo "tabletd is not executable"; status=1; }
unit="$prefix/lib/systemd/user/kelvo-tabletd.service"
grep -q '^ExecStart=/.*/tabletd$' "$unit" || { echo "the unit does not run tabletd by its full path"; status=1; }
grep -qx 'Restart=on-failure' "$unit" || { echo "the unit is not restarted on failure"; status=1; }
grep -qx 'WantedBy=graphical-session.target' "$unit" || { echo "the unit is not started with the session"; status=1; }
grep -q '^User=' "$unit" && { echo "a user unit names no user"; status=1; }
entry="$prefix/etc/xdg/autostart/kelvo-tabletd.desktop"
grep -q '^Exec=/.*/tabletd$' "$entry" || { echo "the autostart entry does not run tabletd"; status=1; }
grep -qx 'X-systemd-skip=true' "$entry" || { echo "systemd sessions would start the service twice"; status=1; }
if command -v desktop-file-validate >/dev/null 2>&1; then desktop-file-validate "$entry" || status=1; fi
[ $status -eq 0 ] && echo "service install layout ok"
exit $status
