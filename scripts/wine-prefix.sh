#!/usr/bin/env bash
# Creates the build's own Wine prefix (for the test architecture): dialog fonts mapped to a CJK font, and
# extra drive letters backed by folders of the build (separate volumes for moves).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

stamp=$WINEPREFIX/.nubrel-prefix-v1
drives=$NUBREL_BUILD/drives
if [ ! -f "$stamp" ]; then
  echo "== creating Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"; mkdir -p "$WINEPREFIX"
  "$NUBREL_WINE" wineboot -i >/dev/null 2>&1 || { echo "wineboot failed for $WINEPREFIX" >&2; exit 1; }
  reg=$(mktemp --suffix=.reg)
  printf '%s\r\n' 'REGEDIT4' '' '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
    '"Tahoma"="WenQuanYi Micro Hei"' '"MS Shell Dlg"="WenQuanYi Micro Hei"' \
    '"MS Shell Dlg 2"="WenQuanYi Micro Hei"' '"SimSun"="WenQuanYi Micro Hei"' \
    '"Microsoft YaHei"="WenQuanYi Micro Hei"' '' > "$reg"
  "$NUBREL_WINE" regedit "$reg" >/dev/null 2>&1 || { echo "importing font replacements failed" >&2; exit 1; }
  rm -f "$reg"
  wineserver -w
  touch "$stamp"
fi
# Drive letters M: and N: are two folders of the build; the move tool's tests use them as volumes.
for d in m n; do
  mkdir -p "$drives/$d"
  ln -sfn "$drives/$d" "$WINEPREFIX/dosdevices/$d:"
done
