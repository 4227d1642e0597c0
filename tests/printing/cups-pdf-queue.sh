#!/bin/sh
# Makes sure a CUPS server runs on this machine with a cups-pdf queue, then
# prints the folder where that queue puts its PDF files for the current user.
# Exit 3 with the reason on stderr when CUPS cannot run here.
set -eu
QUEUE=${1:-DyplomPDF}
PPD=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
CONF=/etc/cups/cups-pdf.conf

need() { command -v "$1" >/dev/null 2>&1 || { echo "$1 is not installed (scripts/setup installs cups, cups-client, printer-driver-cups-pdf)" >&2; exit 3; }; }
need lpstat
need lpadmin
[ -f "$PPD" ] || { echo "cups-pdf is not installed: $PPD is missing" >&2; exit 3; }

if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  need cupsd
  if [ "$(id -u)" -ne 0 ]; then
    echo "the CUPS scheduler is not running and only root can start it here" >&2
    exit 3
  fi
  cupsd >/dev/null 2>&1 || { echo "cupsd failed to start" >&2; exit 3; }
  i=0
  until lpstat -r 2>/dev/null | grep -q 'is running'; do
    i=$((i + 1))
    [ $i -le 50 ] || { echo "cupsd started but the scheduler does not answer" >&2; exit 3; }
    sleep 0.2
  done
fi

if ! lpstat -p "$QUEUE" >/dev/null 2>&1; then
  lpadmin -p "$QUEUE" -v cups-pdf:/ -P "$PPD" -E >/dev/null 2>&1 \
    || { echo "lpadmin could not create the queue $QUEUE (needs root or lpadmin rights)" >&2; exit 3; }
fi
cupsenable "$QUEUE" >/dev/null 2>&1 || true
cupsaccept "$QUEUE" >/dev/null 2>&1 || true

# The "Out" setting of cups-pdf, with ${HOME} of the submitting user.
out='${HOME}/PDF'
if [ -r "$CONF" ]; then
  line=$(sed -n 's/^[[:space:]]*Out[[:space:]]\{1,\}//p' "$CONF" | tail -n 1)
  [ -n "$line" ] && out=$line
fi
home=$(getent passwd "$(id -un)" | cut -d: -f6)
[ -n "$home" ] || home=$HOME
echo "$out" | sed "s|\${HOME}|$home|g; s|\${USER}|$(id -un)|g"
