#!/usr/bin/env bash
# Fails when the product's #include "..." graph has a cycle or a layer includes from above it.
# A unit is a header with its source (framework/Forms.h and Forms.cpp); the tests are left out.
#   check_includes.sh [source root]
set -uo pipefail
shopt -s nullglob
cd "${1:-.}" || exit 2
# A file includes from its own folder or from a lower rank; ui and install stay apart.
declare -A rank=([app]=4 [ui]=3 [install]=3 [shell]=2 [framework]=1 [generator]=0)
edges=$(grep -Ho '^\s*#\s*include\s*"[^"]*"' {app,ui,install,shell,framework,generator}/*.{h,cpp} |
  sed -E 's/^([^.]*)\.[a-z]+:.*"(.*)\.[a-z]+"$/\1 \2/')
status=0
while read -r from to; do
  if [ "${from%%/*}" != "${to%%/*}" ] && ! [ "${rank[${to%%/*}]:-9}" -lt "${rank[${from%%/*}]}" ]
  then
    echo "$from may not include $to: layers are app > ui, install > shell > framework > generator"
    status=1
  fi
done <<<"$edges"
# tsort names the units of a cycle on stderr.
tsort <<<"$edges" >/dev/null || status=1
echo "$(wc -l <<<"$edges") includes checked"
exit $status
