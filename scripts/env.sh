# Shared locations and settings for setup, build, tests and demo. Sourced, not run.
NUBREL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export NUBREL_ROOT
export NUBREL_BUILD=${NUBREL_BUILD:-$NUBREL_ROOT/build}
# Built dependencies live outside the checkout so every clone on this machine reuses them.
export NUBREL_DEPS_CACHE=${NUBREL_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/nubrel-deps}

# The deliverables are always built for i686 (PE32) in build/i686. Tests and the demo run them
# under 32-bit Wine where this machine can execute 32-bit x86 code; where it cannot (a kernel or
# hypervisor without IA-32 support), they run an identical x86_64 build under 64-bit Wine instead.
nubrel_detect_test_arch() {
  if [ -x /usr/lib/wine/wine ] && /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo i686
  else
    echo x86_64
  fi
}
export NUBREL_TEST_ARCH=${NUBREL_TEST_ARCH:-$(nubrel_detect_test_arch)}
export NUBREL_TEST_TREE=$NUBREL_BUILD/$NUBREL_TEST_ARCH
export NUBREL_DELIVERABLES=$NUBREL_BUILD/i686/bin

export WINEPREFIX=$NUBREL_BUILD/wineprefix-$NUBREL_TEST_ARCH
if [ "$NUBREL_TEST_ARCH" = i686 ]; then
  export WINEARCH=win32 NUBREL_WINE=/usr/lib/wine/wine
else
  export WINEARCH=win64 NUBREL_WINE=/usr/lib/wine/wine64 WINELOADER=/usr/lib/wine/wine64
fi
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
