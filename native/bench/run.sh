#!/usr/bin/env bash
# Builds and runs the native JSON throughput comparison (optimised, no sanitizers). Prints a
# table of MB/s; it is a measurement, not a test.
#   NUBREL_BUILD   build root (default: <checkout>/build); the program goes to $NUBREL_BUILD/native-bench
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
OUT=${NUBREL_BUILD:-$ROOT/build}/native-bench
packages=(g++ rapidjson-dev nlohmann-json3-dev)
missing=()
for package in "${packages[@]}"; do
  dpkg -s "$package" >/dev/null 2>&1 || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "${missing[@]}" >/dev/null
fi
mkdir -p "$OUT"
json=$ROOT/notifications/json
g++ -std=c++17 -O2 -DNDEBUG -I"$ROOT" -o "$OUT/json_bench" "$ROOT/native/bench/json_bench.cc" \
  "$json/elements.cc" "$json/number_token.cc" "$json/reader.cc" "$json/scanner.cc" \
  "$json/writer.cc" "$ROOT/native/ansi_code_unit_cp1252.cc"
# glibc would hand freed heap pages back to the system after each round and fault them in
# again in the next one; keep them, as a long-running process does.
MALLOC_TRIM_THRESHOLD_=4000000000 MALLOC_MMAP_THRESHOLD_=1073741824 "$OUT/json_bench"
