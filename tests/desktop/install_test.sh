#!/usr/bin/env bash
# Installs the build into a temporary prefix, starts the installed launcher under a virtual X
# display as a user with a fresh home folder, ends the program normally and finds the data file
# in that user's program folder. Also validates the desktop entry and the AppStream metadata.
#   install_test.sh BUILD_DIR
set -euo pipefail
build=$1
command -v xvfb-run >/dev/null || { echo "xvfb-run missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --install "$build" --prefix "$work/prefix" >/dev/null
desktop-file-validate "$work/prefix/share/applications/org.pensilio.Memo.desktop"
appstreamcli validate --no-net "$work/prefix/share/metainfo/org.pensilio.Memo.metainfo.xml"
for size in 16 32 48 64 128 256; do
    test -s "$work/prefix/share/icons/hicolor/${size}x${size}/apps/pensilio.png"
done

mkdir "$work/home"
HOME="$work/home" XDG_DATA_HOME= LC_ALL= LANG=it_IT.UTF-8 timeout 120 xvfb-run -a sh -c '
    "$1" & pid=$!
    sleep 3
    kill -TERM $pid
    wait $pid' sh "$work/prefix/bin/pensilio"

data="$work/home/.local/share/pensilio/Memodata.dat"
test -x "$work/home/.local/share/pensilio/pensilio"
printf 'DataOra\tOggetto\tnote\tNumScad\r\n' | cmp - "$data"
echo "data file written in the user's program folder: $data"
