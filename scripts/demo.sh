#!/usr/bin/env bash
# Builds everything and runs the demo: each deliverable doing its main job under Wine.
set -euo pipefail
bash "$(dirname "${BASH_SOURCE[0]}")/build.sh"
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
source "$NUBREL_ROOT/scripts/session.sh"
nubrel_session_start
export NUBREL_DEMO_OUT=$NUBREL_BUILD/demo
rm -rf "$NUBREL_DEMO_OUT"; mkdir -p "$NUBREL_DEMO_OUT"
for part in "$NUBREL_ROOT"/demo/[0-9]*.sh; do
  echo
  echo "=================== demo: $(basename "$part" .sh)"
  bash "$part"
done
echo
echo "== demo finished; its files are in $NUBREL_DEMO_OUT"
