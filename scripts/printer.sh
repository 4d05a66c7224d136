#!/usr/bin/env bash
# Starts or stops a private CUPS daemon with a PDF printer "PDF" as the default, so that
# Wine prints through the real spooler. PDFs land in $TALLOWMERE_PDF_DIR (default /tmp/tallowmere-pdf).
#   printer.sh start | stop | status
set -euo pipefail
pdf_dir=${TALLOWMERE_PDF_DIR:-/tmp/tallowmere-pdf}
pid_file=/tmp/tallowmere-cupsd.pid

case "${1:-}" in
start)
  mkdir -p "$pdf_dir"
  chmod 1777 "$pdf_dir"
  conf=/etc/cups/cups-pdf.conf
  sed -i -e '/^#\?Out /d' -e '/^#\?AnonDirName /d' -e '/^#\?Label /d' "$conf"
  printf 'Out %s\nAnonDirName %s\n' "$pdf_dir" "$pdf_dir" >>"$conf"
  if [ -f "$pid_file" ] && kill -0 "$(cat "$pid_file")" 2>/dev/null; then exit 0; fi
  pkill -x cupsd 2>/dev/null || true
  /usr/sbin/cupsd -f >/dev/null 2>&1 &
  echo $! >"$pid_file"
  for _ in $(seq 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.2; done
  lpadmin -p PDF -E -v cups-pdf:/ -P /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  lpadmin -d PDF
  ;;
stop)
  if [ -f "$pid_file" ]; then
    kill "$(cat "$pid_file")" 2>/dev/null || true
    rm -f "$pid_file"
  fi
  ;;
status)
  [ -f "$pid_file" ] && kill -0 "$(cat "$pid_file")" 2>/dev/null && echo running || echo stopped
  ;;
*)
  echo "usage: $0 start|stop|status" >&2
  exit 2
  ;;
esac
