#!/usr/bin/env bash
# Prepares this machine for building and testing: Debian packages, the cross-built
# dependencies (cached outside the checkout, keyed by version) and the build's Wine prefix.
# Safe to run again: every step checks first and does nothing when its result is there.
set -euo pipefail

here=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# shellcheck source=env.sh
[ -n "${NUBREL_TEST_ARCH:-}" ] && NUBREL_TEST_ARCH_FORCED=1
source "$here/scripts/env.sh"

step() { echo "== setup: $*"; }
fail() { echo "setup FAILED in step '$current': $*" >&2; exit 1; }
current=start
trap 'rc=$?; [ $rc -eq 0 ] || echo "setup FAILED in step: $current (exit $rc)" >&2' EXIT

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

# ---------------------------------------------------------------- packages
current="Debian packages"
packages=(g++-mingw-w64-i686 mingw-w64-i686-dev g++-mingw-w64-x86-64 mingw-w64-x86-64-dev wine wine64 wine32:i386 xvfb xauth
          fonts-wqy-microhei imagemagick googletest cmake ninja-build tcl sqlite3
          python3 file dpkg-dev clang libclang-rt-dev)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
need_src=0
grep -rqs '^Types: deb-src' /etc/apt/sources.list.d/ || need_src=1
if [ ${#missing[@]} -gt 0 ] || [ $need_src -eq 1 ]; then
  step "installing packages: ${missing[*]:-(none)}; deb-src: $need_src"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    as_root dpkg --add-architecture i386
  fi
  if [ $need_src -eq 1 ]; then
    # Same archive and suite as the system's own entry, source packages only.
    uri=$(awk '/^URIs:/{print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
    as_root tee /etc/apt/sources.list.d/nubrel-deb-src.sources >/dev/null <<SRC
Types: deb-src
URIs: ${uri:-http://deb.debian.org/debian}
Suites: $suite
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
  fi
  as_root apt-get update -qq || fail "apt-get update"
  if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" \
      || fail "apt-get install ${missing[*]}"
  fi
else
  step "packages present"
fi

# ---------------------------------------------------------------- cross-built dependencies
# The test architecture is known only once Wine is installed.
[ -n "${NUBREL_TEST_ARCH_FORCED:-}" ] || NUBREL_TEST_ARCH=$(nubrel_detect_test_arch)
source "$NUBREL_ROOT/scripts/env.sh"
src_version() { apt-cache showsrc "$1" 2>/dev/null | awk '/^Version:/{print $2}' | sort -V | tail -n 1; }
mkdir -p "$NUBREL_DEPS_CACHE" "$NUBREL_BUILD"

fetch_source() { # package, folder: downloads and unpacks the upstream tarball there
  local pkg=$1 work=$2 tarball
  (cd "$work" && apt-get source --download-only "$pkg" >/dev/null 2>&1) || fail "apt-get source $pkg"
  tarball=$(ls "$work"/*.orig.tar.* 2>/dev/null | head -n 1)
  [ -n "$tarball" ] || fail "no upstream tarball for $pkg in $work"
  tar -xf "$tarball" -C "$work"
}

sqlite_ver=$(src_version sqlite3)
[ -n "$sqlite_ver" ] || fail "apt-cache knows no source package sqlite3 (deb-src entry missing?)"
cryptopp_ver=$(src_version libcrypto++)
[ -n "$cryptopp_ver" ] || fail "apt-cache knows no source package libcrypto++"
gtest_ver=$(dpkg-query -W -f='${Version}' googletest)

build_deps_for() { # arch (i686 or x86_64); second argument "with-gtest" adds GoogleTest
  local arch=$1 cross=$1-w64-mingw32 work tree
  # The same compilers as the CMake toolchain (posix thread model), so every object agrees.
  local cc=$cross-gcc-posix cxx=$cross-g++-posix
  local sqlite_dir=$NUBREL_DEPS_CACHE/sqlite-$sqlite_ver-$arch-posix
  local cryptopp_dir=$NUBREL_DEPS_CACHE/cryptopp-$cryptopp_ver-$arch-posix
  local gtest_dir=$NUBREL_DEPS_CACHE/googletest-$gtest_ver-$arch-posix

  current="SQLite for $arch"
  if [ ! -f "$sqlite_dir/.complete" ]; then
    step "building SQLite $sqlite_ver for $arch"
    work=$(mktemp -d); rm -rf "$sqlite_dir"
    fetch_source sqlite3 "$work"
    tree=$(find "$work" -maxdepth 1 -mindepth 1 -type d | head -n 1)
    (cd "$tree" && ./configure --disable-tcl >/dev/null && make sqlite3.c >/dev/null) || fail "SQLite amalgamation"
    mkdir -p "$sqlite_dir/include" "$sqlite_dir/lib"
    cp "$tree/sqlite3.h" "$tree/sqlite3ext.h" "$sqlite_dir/include/"
    $cc -O2 -DNDEBUG -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION -c "$tree/sqlite3.c" -o "$work/sqlite3.o" \
      || fail "cross-compiling sqlite3.c"
    $cross-ar rcs "$sqlite_dir/lib/libsqlite3.a" "$work/sqlite3.o"
    rm -rf "$work"; touch "$sqlite_dir/.complete"
  else
    step "SQLite $sqlite_ver for $arch cached"
  fi

  current="Crypto++ for $arch"
  if [ ! -f "$cryptopp_dir/.complete" ]; then
    step "building Crypto++ $cryptopp_ver for $arch (about two minutes)"
    work=$(mktemp -d); rm -rf "$cryptopp_dir"
    fetch_source libcrypto++ "$work"
    tree=$(dirname "$(find "$work" -maxdepth 2 -name GNUmakefile-cross | head -n 1)")
    [ -f "$tree/GNUmakefile-cross" ] || fail "no GNUmakefile-cross in the Crypto++ sources"
    (cd "$tree" && make -j"$(nproc)" -f GNUmakefile-cross static CXX=$cxx AR=$cross-ar RANLIB=$cross-ranlib \
        CXXFLAGS="-O2 -DNDEBUG -DCRYPTOPP_DISABLE_ASM" >/dev/null 2>"$work/build.err") \
      || { tail -20 "$work/build.err" >&2; fail "cross-compiling Crypto++"; }
    mkdir -p "$cryptopp_dir/include/cryptopp" "$cryptopp_dir/lib"
    cp "$tree"/*.h "$cryptopp_dir/include/cryptopp/"
    cp "$tree/libcryptopp.a" "$cryptopp_dir/lib/"
    rm -rf "$work"; touch "$cryptopp_dir/.complete"
  else
    step "Crypto++ $cryptopp_ver for $arch cached"
  fi

  if [ "${2:-}" = with-gtest ]; then
    current="GoogleTest for $arch"
    if [ ! -f "$gtest_dir/.complete" ]; then
      step "building GoogleTest $gtest_ver for $arch"
      work=$(mktemp -d); rm -rf "$gtest_dir"
      cmake -S /usr/src/googletest -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release \
          -DCMAKE_TOOLCHAIN_FILE="$NUBREL_ROOT/cmake/toolchain-$arch.cmake" \
          -DCMAKE_INSTALL_PREFIX="$gtest_dir" -Dgtest_disable_pthreads=ON >/dev/null \
        || fail "configuring GoogleTest"
      cmake --build "$work" >/dev/null || fail "building GoogleTest"
      cmake --install "$work" >/dev/null || fail "installing GoogleTest"
      rm -rf "$work"; touch "$gtest_dir/.complete"
    else
      step "GoogleTest $gtest_ver for $arch cached"
    fi
  fi

  # Where the build finds them: one small file per architecture that the CMake project reads.
  local file=$NUBREL_BUILD/deps-$arch.cmake
  printf 'set(NUBREL_SQLITE_DIR "%s")\nset(NUBREL_CRYPTOPP_DIR "%s")\nset(NUBREL_GTEST_DIR "%s")\n' \
    "$sqlite_dir" "$cryptopp_dir" "$gtest_dir" > "$file.new"
  if cmp -s "$file.new" "$file"; then rm "$file.new"; else mv "$file.new" "$file"; fi
}

if [ "$NUBREL_TEST_ARCH" = i686 ]; then
  build_deps_for i686 with-gtest
else
  build_deps_for i686
  build_deps_for "$NUBREL_TEST_ARCH" with-gtest
fi

# ---------------------------------------------------------------- Wine prefix
current="Wine prefix"
bash "$NUBREL_ROOT/scripts/wine-prefix.sh"
current=done
step "ready"
