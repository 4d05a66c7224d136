#!/bin/sh
# CUPS backend of the tests' printer (scripts/printer.sh): writes each job as a PDF file named
# after its title, "<title>-job_<id>.pdf", into the folder of the device URI
# ("pdf-folder:/some/folder"). The file is made under a hidden name and renamed when whole, so a
# test that sees it can read it.
#   pdf-folder job-id user title copies options [file]      (CUPS calls it so; without arguments
#                                                            it lists its kind of device)
if [ $# -lt 5 ]; then
  echo 'direct pdf-folder "Unknown" "PDF files in a folder"'
  exit 0
fi
folder=${DEVICE_URI#pdf-folder:}
name=$(printf '%s' "${3:-untitled}" | tr -c 'A-Za-z0-9' '_')-job_$1.pdf
umask 077
gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile="$folder/.$name" "${6:--}" >&2 &&
  mv "$folder/.$name" "$folder/$name"
