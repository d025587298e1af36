#!/usr/bin/env bash
# Builds everything and runs every test (unit and end-to-end) under Wine through ctest.
set -euo pipefail
bash "$(dirname "${BASH_SOURCE[0]}")/build.sh"
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
# The whole run (no ctest arguments) also builds the platform-independent text code natively
# under AddressSanitizer/UndefinedBehaviorSanitizer, runs its tests and fuzzes it briefly.
if [ $# -eq 0 ]; then
  NUBREL_FUZZ_SECONDS=${NUBREL_FUZZ_SECONDS:-10} bash "$NUBREL_ROOT/native/run.sh"
fi
source "$NUBREL_ROOT/scripts/session.sh"
nubrel_session_start
echo "== test: ctest (logs in $NUBREL_TEST_TREE/Testing/Temporary, artefacts in $NUBREL_BUILD/artefacts)"
mkdir -p "$NUBREL_BUILD/artefacts"
cd "$NUBREL_TEST_TREE"
ctest --output-on-failure --timeout 600 "$@"
