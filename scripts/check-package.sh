#!/usr/bin/env bash
# Checks what a user installs: the staged install's file list, the desktop entry and metainfo, the
# Japanese catalogue's completeness, the Debian package's contents and dependencies, and (as root) that
# the package installs, runs and removes cleanly. Expects a finished build (scripts/test.sh makes one).
#   scripts/check-package.sh [build dir]      default: build
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
scripts/install-deps.sh package

app_id=example.avenor_audio.LyntraPanel
version=$(sed -n 's/^set(LYNTRA_SOFTWARE_VERSION "\(.*\)")$/\1/p' CMakeLists.txt)
[ -n "$version" ] || { echo "check-package: no version in CMakeLists.txt"; exit 1; }
deb_version=${version// /.}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "check-package: FAIL: $*"; exit 1; }

echo "== staged install"
stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >/dev/null
(cd "$stage" && find . -type f -o -type l | sed 's|^\./||' | sort) >"$work/staged.txt"
sizes=(16 24 32 48 64 128 256)
{
  echo usr/bin/lyntra-panel
  echo usr/bin/lyntra-virtual-unit
  echo usr/lib/udev/rules.d/70-lyntra.rules
  echo "usr/share/applications/$app_id.desktop"
  echo usr/share/doc/lyntra-panel/LICENSE.txt
  echo usr/share/lyntra-panel/update-keys/lyntra-release.pem
  for s in "${sizes[@]}"; do echo "usr/share/icons/hicolor/${s}x$s/apps/lyntra-panel.png"; done
  echo "usr/share/metainfo/$app_id.metainfo.xml"
} | sort >"$work/expected.txt"
if ! diff -u "$work/expected.txt" "$work/staged.txt"; then fail "installed files differ from the list above"; fi
sed 's/^/  /' "$work/staged.txt"
for s in "${sizes[@]}"; do
  file -b "$stage/usr/share/icons/hicolor/${s}x$s/apps/lyntra-panel.png" | grep -q "PNG image data, $s x $s," ||
    fail "icon ${s}x$s is not a $s px PNG"
done

echo "== desktop entry and metainfo"
desktop="$stage/usr/share/applications/$app_id.desktop"
desktop-file-validate "$desktop"
appstreamcli validate --no-net "$stage/usr/share/metainfo/$app_id.metainfo.xml"
exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
icon_name=$(sed -n 's/^Icon=//p' "$desktop")
[ -x "$stage/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not an installed program"
[ -f "$stage/usr/share/icons/hicolor/48x48/apps/$icon_name.png" ] || fail "Icon=$icon_name is not installed"
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" \
  "$stage/usr/share/metainfo/$app_id.metainfo.xml" || fail "metainfo does not launch $app_id.desktop"
grep -q "<release version=\"$deb_version\"" "$stage/usr/share/metainfo/$app_id.metainfo.xml" ||
  fail "metainfo's release is not $deb_version"
"$stage/usr/bin/lyntra-panel" --version | tee "$work/version.txt"
grep -qx "lyntra-panel $version" "$work/version.txt" || fail "staged --version does not print $version"

echo "== catalogues"
lupdate=/usr/lib/qt5/bin/lupdate
[ -x "$lupdate" ] || lupdate=lupdate
cp translations/lyntra_ja.ts translations/lyntra.ts "$work/"
"$lupdate" -silent -locations none -no-obsolete src -ts "$work/lyntra_ja.ts" "$work/lyntra.ts"
for ts in lyntra_ja.ts lyntra.ts; do
  if ! diff -q "translations/$ts" "$work/$ts" >/dev/null; then
    diff -u "translations/$ts" "$work/$ts" | head -40
    fail "translations/$ts is behind the sources: build the lyntra_lupdate target and translate"
  fi
done
texts=$(grep -c '<source>' "$work/lyntra_ja.ts" || true)
unfinished=$(grep -c 'type="unfinished"' "$work/lyntra_ja.ts" || true)
echo "  lyntra_ja.ts: $texts texts, $unfinished unfinished"
[ "$unfinished" -eq 0 ] || fail "Japanese texts left to translate"

echo "== Debian package"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/out" >/dev/null)
deb="$work/out/lyntra-panel_${deb_version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no package at $deb"
dpkg-deb -f "$deb" Package Version Depends Recommends | sed 's/^/  /'
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt5core5a libqt5gui5 libqt5widgets5 libqt5network5 libusb-1.0-0 libudev1 libarchive13 libssl3 libpipewire-0.3-0; do
  grep -Eq "(^|, )$lib( |,|$)" <<<"$depends" || fail "Depends lacks $lib"
done
dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sed 's|^\./||' | sort >"$work/packaged.txt"
diff -u "$work/staged.txt" "$work/packaged.txt" || fail "the package's files differ from the staged install"

if [ "$(id -u)" -ne 0 ]; then
  echo "== not root: install and removal not tried"
  echo "check-package: OK ($(basename "$deb"))"
  exit 0
fi
if dpkg-query -W -f='${Status}' lyntra-panel 2>/dev/null | grep -q "install ok installed"; then
  echo "== lyntra-panel is installed on this machine already: left alone, install and removal not tried"
  echo "check-package: OK ($(basename "$deb"))"
  exit 0
fi
echo "== dpkg -i, run, dpkg -r"
dpkg -i "$deb" >/dev/null
installed=$(/usr/bin/lyntra-panel --version) || { dpkg -r lyntra-panel >/dev/null; fail "installed panel did not run"; }
echo "  /usr/bin/lyntra-panel --version: $installed"
dpkg -r lyntra-panel >/dev/null
[ "$installed" = "lyntra-panel $version" ] || fail "installed --version printed '$installed'"
left=$(while read -r f; do if [ -e "/$f" ]; then echo "/$f"; fi; done <"$work/packaged.txt")
[ -z "$left" ] || fail "left behind after dpkg -r: $left"
dpkg-query -W -f='${Status}' lyntra-panel 2>/dev/null | grep -q "install ok installed" && fail "still installed"
# The removal scripts keep dpkg's record until a purge, as for any package with them.
dpkg --purge lyntra-panel >/dev/null
if dpkg-query -W lyntra-panel >/dev/null 2>&1; then fail "dpkg still knows lyntra-panel after a purge"; fi
echo "check-package: OK ($(basename "$deb") installed, ran, removed and purged)"
