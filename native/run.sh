#!/usr/bin/env bash
# Builds the platform-independent text code (JSON library, HTTP response header parsing, text
# helpers) natively on Linux under AddressSanitizer and UndefinedBehaviorSanitizer, runs its
# tests with ctest, then runs each libFuzzer target for a bounded time.
#   NUBREL_BUILD          build root (default: <checkout>/build); this tree goes to $NUBREL_BUILD/native
#   NUBREL_FUZZ_SECONDS   seconds per fuzzer (default 30; 0 skips fuzzing)
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
TREE=${NUBREL_BUILD:-$ROOT/build}/native
FUZZ_SECONDS=${NUBREL_FUZZ_SECONDS:-30}

# clang with its sanitizer and libFuzzer runtimes, and Debian's GoogleTest sources.
packages=(cmake ninja-build clang libclang-rt-dev googletest)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "== native: installing ${missing[*]}"
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi

echo "== native: build in $TREE"
mkdir -p "$TREE"
CXX=clang++ cmake -S "$ROOT/native" -B "$TREE" -G Ninja >"$TREE/configure.log" 2>&1 \
  || { cat "$TREE/configure.log" >&2; echo "native: configure FAILED" >&2; exit 1; }
cmake --build "$TREE" -- -j"$(nproc)" || { echo "native: build FAILED" >&2; exit 1; }

echo "== native: tests (ASan, UBSan)"
(cd "$TREE" && ctest --output-on-failure --timeout 300)

if [ "$FUZZ_SECONDS" -gt 0 ]; then
  for fuzzer in json_reader_fuzzer http_response_parser_fuzzer; do
    seeds=$ROOT/native/fuzz/seeds/${fuzzer%%_*}
    corpus=$TREE/corpus/$fuzzer
    log=$TREE/$fuzzer.log
    mkdir -p "$corpus"
    echo "== native: $fuzzer for ${FUZZ_SECONDS}s (log: $log)"
    if ! (cd "$TREE" && "./$fuzzer" -max_total_time="$FUZZ_SECONDS" -timeout=10 -rss_limit_mb=2048 \
            -dict="$ROOT/native/fuzz/$fuzzer.dict" "$corpus" "$seeds") >"$log" 2>&1; then
      tail -n 60 "$log" >&2
      echo "native: $fuzzer FAILED (crash input saved in $TREE)" >&2
      exit 1
    fi
    grep -E '^Done [0-9]+ runs' "$log" || tail -n 1 "$log"
  done
fi
echo "== native: all passed"
