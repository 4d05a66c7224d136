#!/usr/bin/env bash
# A CUPS server of the run's own with one PDF printer, "PDF", for the printing tests. All of it
# lives in the folder $TALLOWMERE_PRINTER: configuration, spool, cache, logs, the socket it
# listens on (cups.sock, no network port) and the PDFs (pdf/). Clients reach it through
# CUPS_SERVER=$TALLOWMERE_PRINTER/cups.sock: Wine's printing reads that variable like lpstat and
# lpadmin do (this script sets it for itself). The machine's CUPS and /etc/cups are neither used
# nor changed.
#   printer.sh serve          runs the server in the foreground: start it with & and stop it by $!
#   printer.sh add-queue      waits for the server, adds "PDF" and makes it the default
#   printer.sh remove-queue   takes "PDF" away, for printing with no default printer (Wine reads
#                             the printers from CUPS at each process start)
#   printer.sh status         prints running or stopped
# The PDF backend of the cups-pdf package reads its settings from /etc/cups only, so the queue
# uses a small backend of ours instead (pdf-folder-backend.sh): the PostScript that Wine's driver
# makes, turned into "<title>-job_<id>.pdf" by Ghostscript. The package's PPD is kept, so Wine
# sees the same A4 PostScript printer.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
folder=${TALLOWMERE_PRINTER:?set TALLOWMERE_PRINTER to the printer server folder}
export CUPS_SERVER=$folder/cups.sock
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

running() { lpstat -r 2>/dev/null | grep -q "is running"; }

serve() {
  mkdir -p "$folder"/{conf,bin/backend,spool,cache,state,log,pdf}
  # Filters run as user lp (when the server runs as root) and must reach the spool.
  chmod 711 "$folder"
  chmod 755 "$folder"/{conf,bin,bin/backend}
  for dir in /usr/lib/cups/*; do
    [ "${dir##*/}" = backend ] || ln -sfn "$dir" "$folder/bin/"
  done
  # CUPS runs a backend that only its owner may run (0700) as the server's own user rather than
  # as lp, so it can write into the run's folder.
  install -m 700 "$here/pdf-folder-backend.sh" "$folder/bin/backend/pdf-folder"
  {
    echo "ServerRoot $folder/conf"
    echo "ServerBin $folder/bin"
    echo "StateDir $folder/state"
    echo "CacheDir $folder/cache"
    echo "RequestRoot $folder/spool"
    echo "Printcap $folder/state/printcap"
    for log in AccessLog ErrorLog PageLog; do echo "$log $folder/log/$log"; done
    echo "CreateSelfSignedCerts No"
    if [ "$(id -u)" != 0 ]; then
      echo "User $(id -un)"
      echo "Group $(id -gn)"
    fi
  } >"$folder/conf/cups-files.conf"
  # Only our socket, no browsing, and no authentication: the socket sits in the run's folder.
  cat >"$folder/conf/cupsd.conf" <<EOF
LogLevel info
Listen $folder/cups.sock
Browsing No
BrowseLocalProtocols none
WebInterface No
DefaultAuthType None
ErrorPolicy abort-job
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
EOF
  exec /usr/sbin/cupsd -f -c "$folder/conf/cupsd.conf" -s "$folder/conf/cups-files.conf" \
    >>"$folder/log/cupsd.out" 2>&1
}

add_queue() {
  for _ in $(seq 100); do running && break; sleep 0.1; done
  running || { echo "the printer server in $folder does not answer" >&2; return 1; }
  # lpadmin warns that PPD files are deprecated: they still work in this CUPS.
  lpadmin -p PDF -E -v "pdf-folder:$folder/pdf" -P "$ppd" 2>/dev/null
  lpadmin -d PDF
}

case "${1:-}" in
serve) serve ;;
add-queue) add_queue ;;
remove-queue) lpadmin -x PDF 2>/dev/null || true ;;
status) running && echo running || echo stopped ;;
*)
  echo "usage: $0 serve|add-queue|remove-queue|status" >&2
  exit 2
  ;;
esac
