#!/usr/bin/env bash
# Starts the program under a virtual X display with the accessibility bus on, and reads its main
# window through AT-SPI as a screen reader would: the buttons' names and the grid's first row.
#   accessibility_test.sh PROGRAM READER_SCRIPT
set -euo pipefail
program=$1
reader=$2
for tool in xvfb-run dbus-run-session; do
    command -v $tool >/dev/null || { echo "$tool missing"; exit 77; }
done
/usr/bin/python3 -c 'import pyatspi' 2>/dev/null || { echo "python3-pyatspi missing"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$program" "$work/pensilio"
printf 'DataOra\tOggetto\tnote\tNumScad\r\n09/12/2025 19:07:33\tRIUNIONE\tPortare i documenti\t251209190733\r\n' \
    > "$work/Memodata.dat"
cd "$work"
output=$(LC_ALL= LANG=it_IT.UTF-8 QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 timeout 120 \
    xvfb-run -a dbus-run-session -- sh -c '
        ./pensilio & pid=$!
        /usr/bin/python3 "$1" pensilio; rc=$?
        kill -TERM $pid; wait $pid
        exit $rc' sh "$reader" 2>/dev/null)
echo "$output"
grep -qx 'buttons: Inserisci, Modifica, Cancella, Stampa, Esci' <<<"$output"
grep -qx 'columns: DataOra, Oggetto, note' <<<"$output"
grep -qx 'row 1: 09/12/2025 19:07:33 | RIUNIONE | Portare i documenti' <<<"$output"
