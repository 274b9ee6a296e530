#!/usr/bin/env bash
# Builds the Debian package and checks what it installs and what it needs.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$1
command -v dpkg-shlibdeps >/dev/null || { echo "dpkg-dev missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work" >/dev/null)
deb=$(ls "$work"/pensilio_*.deb)
contents=$(dpkg-deb -c "$deb")
for path in ./usr/bin/pensilio ./usr/lib/pensilio/pensilio \
    ./usr/share/applications/org.pensilio.Memo.desktop \
    ./usr/share/metainfo/org.pensilio.Memo.metainfo.xml \
    ./usr/share/icons/hicolor/48x48/apps/pensilio.png; do
    grep -q " $path\$" <<<"$contents" || { echo "missing $path"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
grep -q 'libqt6widgets6' <<<"$depends"
