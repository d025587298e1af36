#!/usr/bin/env bash
# Runs a Windows program under the build's Wine prefix; CMake/ctest use it as the emulator.
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"
exec "$NUBREL_WINE" "$@"
