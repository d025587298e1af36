#!/usr/bin/env bash
# Sets up the machine (idempotent) and cross-builds everything: the PE32 deliverables in
# build/i686 and, where tests cannot run 32-bit code, the x86_64 test build in build/x86_64.
set -euo pipefail
bash "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
source "$(dirname "${BASH_SOURCE[0]}")/env.sh"

configure_and_build() { # arch, build-testing (ON/OFF)
  local arch=$1 tree=$NUBREL_BUILD/$1
  echo "== build: $arch in $tree"
  cmake -S "$NUBREL_ROOT" -B "$tree" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$NUBREL_ROOT/cmake/toolchain-$arch.cmake" \
    -DNUBREL_DEPS_FILE="$NUBREL_BUILD/deps-$arch.cmake" \
    -DNUBREL_DELIVERABLES_BIN="$NUBREL_DELIVERABLES" \
    -DBUILD_TESTING="$2" >"$NUBREL_BUILD/configure-$arch.log" 2>&1 \
    || { cat "$NUBREL_BUILD/configure-$arch.log" >&2; echo "build FAILED while configuring $arch" >&2; exit 1; }
  cmake --build "$tree" -- -j"$(nproc)" || { echo "build FAILED while compiling $arch" >&2; exit 1; }
}

if [ "$NUBREL_TEST_ARCH" = i686 ]; then
  configure_and_build i686 ON
else
  configure_and_build i686 OFF
  configure_and_build "$NUBREL_TEST_ARCH" ON
fi
echo "== build: deliverables (PE32) in $NUBREL_DELIVERABLES; tests run from $NUBREL_TEST_TREE/bin"
