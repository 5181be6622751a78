#!/bin/sh
# Installs a build into a fresh prefix and checks what a desktop user gets:
# the starter, the programs side by side, the applet icons 101 and 102, the
# desktop entry and the icon theme sizes.
#   check_install.sh BUILD_DIR
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null || { echo "cmake --install failed"; exit 1; }

status=0
need() { [ -e "$prefix/$1" ] || { echo "missing: $1"; status=1; }; }
app=$(cd "$prefix" && ls -d lib*/tablet-properties 2>/dev/null | head -1)
[ -n "$app" ] || { echo "no <libdir>/tablet-properties"; exit 1; }

need "bin/tablet-properties"
[ -x "$prefix/bin/tablet-properties" ] || { echo "the starter is not executable"; status=1; }
grep -q "$prefix/$app/tablet-properties" "$prefix/bin/tablet-properties" || { echo "the starter runs the wrong launcher"; status=1; }
need "$app/cplhost"
need "$app/libwintab32.so"
need "$app/Tablet.znc"
# What other folders build is installed when the build has it.
for built in Tablet.cpl tablet-properties; do
  [ -e "$build/bin/$built" ] && need "$app/$built"
done
need "share/applications/tablet-properties.desktop"
for icon in 101 102; do
  need "$app/icons/$icon.png"
  # A PNG signature, not an empty or text file.
  head -c 8 "$prefix/$app/icons/$icon.png" | od -An -tx1 | grep -q "89 50 4e 47 0d 0a 1a 0a" || { echo "icon $icon is no PNG"; status=1; }
done
for size in 16 32 48 256; do need "share/icons/hicolor/${size}x${size}/apps/tablet-properties.png"; done
cmp -s "$prefix/$app/icons/101.png" "$prefix/$app/icons/102.png" && { echo "icons 101 and 102 are the same picture"; status=1; }
desktop="$prefix/share/applications/tablet-properties.desktop"
grep -qx "Exec=tablet-properties" "$desktop" || { echo "desktop entry runs something else"; status=1; }
grep -qx "Icon=tablet-properties" "$desktop" || { echo "desktop entry names another icon"; status=1; }
if command -v desktop-file-validate >/dev/null 2>&1; then desktop-file-validate "$desktop" || status=1; fi
[ $status -eq 0 ] && echo "install layout ok under $app"
exit $status
