#!/usr/bin/env bash
# Fails when the product's #include "..." graph has a cycle, a layer includes from above it, or a
# portable unit (framework/core, install/core, cli/core) includes a Windows header or a unit that
# is not portable (the core units and the generator are). A unit is a header with its source
# (framework/Forms.h and Forms.cpp); the tests are left out.
#   check_includes.sh [source root]
set -uo pipefail
shopt -s nullglob
cd "${1:-.}" || exit 2
# A file includes from its own folder or from a lower rank; ui and install stay apart, as do the
# program (app) and the setup's plugin (installer), and so do framework and cli (the command line
# stands on the generator alone).
declare -A rank=([app]=4 [installer]=4 [ui]=3 [install]=3 [shell]=2 [framework]=1 [cli]=1 [generator]=0)
sources=({app,installer,ui,install,shell,framework,cli,generator}/*.{h,cpp}
         {framework,install,cli}/core/*.{h,cpp})
edges=$(grep -Ho '^\s*#\s*include\s*"[^"]*"' "${sources[@]}" |
  sed -E 's/^([^.]*)\.[a-z]+:.*"(.*)\.[a-z]+"$/\1 \2/')
status=0
while read -r from to; do
  if [ "${from%%/*}" != "${to%%/*}" ] && ! [ "${rank[${to%%/*}]:-9}" -lt "${rank[${from%%/*}]}" ]
  then
    echo "$from may not include $to: layers are app, installer > ui, install > shell > framework > generator;" \
      "cli > generator"
    status=1
  fi
  # The generator, the lowest layer, is portable as well.
  if [[ $from == */core/* && $to != */core/* && $to != generator/* ]]; then
    echo "$from is portable and may not include $to"
    status=1
  fi
done <<<"$edges"
# The portable units are compiled natively too: no header of the Windows SDK.
windows='windows|winbase|windef|winuser|winreg|winnt|commctrl|commdlg|richedit|shlobj|shellapi|bcrypt|windowsx|winspool|uxtheme|objbase|ole2'
if grep -HiEn "^\s*#\s*include\s*<($windows)\.h>" {framework,install,cli}/core/*.{h,cpp}; then
  echo "portable units (framework/core, install/core, cli/core) may not include a Windows header"
  status=1
fi
# tsort names the units of a cycle on stderr.
tsort <<<"$edges" >/dev/null || status=1
echo "$(wc -l <<<"$edges") includes checked"
exit $status
