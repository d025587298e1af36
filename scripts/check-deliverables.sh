#!/usr/bin/env bash
# Checks the shipped binaries: each is a 32-bit PE (PE32, not PE32+) and imports only system
# DLLs, plus mg.dll where memory goes through the block allocator.
set -uo pipefail
bin=${1:?usage: check-deliverables.sh <folder with the i686 deliverables>}
system_dlls='^(kernel32|user32|gdi32|advapi32|shell32|shlwapi|ole32|oleaut32|comctl32|comdlg32|version|ws2_32|msvcrt|uuid|rpcrt4|mg)\.dll$'
status=0
for name in nubrel.exe NubrelMoveTool.exe notifications.dll mg.dll; do
  file_path=$bin/$name
  if [ ! -f "$file_path" ]; then echo "MISSING $file_path"; status=1; continue; fi
  kind=$(file -b "$file_path")
  case "$kind" in
    "PE32 executable"*) ;;
    *) echo "NOT PE32: $name: $kind"; status=1 ;;
  esac
  imports=$(i686-w64-mingw32-objdump -p "$file_path" | awk '/DLL Name:/{print tolower($3)}')
  for dll in $imports; do
    if ! [[ $dll =~ $system_dlls ]]; then echo "UNEXPECTED IMPORT: $name imports $dll"; status=1; fi
  done
  echo "$name: ${kind%%,*}; imports: $(echo $imports)"
done
exit $status
