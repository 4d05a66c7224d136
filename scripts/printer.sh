#!/usr/bin/env bash
# Starts or stops a private CUPS daemon with a PDF printer "PDF" as the default, so that
# Wine prints through the real spooler. PDFs land in $TALLOWMERE_PDF_DIR (default /tmp/tallowmere-pdf).
#   printer.sh start | stop | status | remove-queue | add-queue
# remove-queue / add-queue take the default printer away and give it back, for the tests of
# printing without a printer (Wine reads the printer list from CUPS at each process start).
set -euo pipefail
pdf_dir=${TALLOWMERE_PDF_DIR:-/tmp/tallowmere-pdf}
pid_file=/tmp/tallowmere-cupsd.pid

cups_running() { lpstat -r 2>/dev/null | grep -q "is running"; }

add_queue() {
  lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  lpadmin -d PDF
}

case "${1:-}" in
start)
  mkdir -p "$pdf_dir"
  chmod 1777 "$pdf_dir"
  conf=/etc/cups/cups-pdf.conf
  sed -i -e '/^#\?Out /d' -e '/^#\?AnonDirName /d' -e '/^#\?Label /d' "$conf"
  printf 'Out %s\nAnonDirName %s\n' "$pdf_dir" "$pdf_dir" >>"$conf"
  # A daemon that already answers (ours from an earlier start, or the machine's) is used as it is;
  # only one we start ourselves is recorded for stop.
  if ! cups_running; then
    /usr/sbin/cupsd -f >/dev/null 2>&1 &
    echo $! >"$pid_file"
    for _ in $(seq 50); do cups_running && break; sleep 0.2; done
  fi
  add_queue
  ;;
stop)
  if [ -f "$pid_file" ]; then
    kill "$(cat "$pid_file")" 2>/dev/null || true
    rm -f "$pid_file"
  fi
  ;;
status)
  cups_running && echo running || echo stopped
  ;;
remove-queue)
  lpadmin -x PDF 2>/dev/null || true
  ;;
add-queue)
  add_queue
  ;;
*)
  echo "usage: $0 start|stop|status|remove-queue|add-queue" >&2
  exit 2
  ;;
esac
