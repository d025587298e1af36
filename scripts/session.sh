# Starts what programs under Wine need for a run: a private X display (Xvfb) and one
# persistent wineserver; both are stopped when the calling script exits. Sourced.
nubrel_session_start() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >"$NUBREL_BUILD/xvfb.log" 2>&1 &
  NUBREL_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do [ -e "/tmp/.X11-unix/X$n" ] && break; sleep 0.1; done
  [ -e "/tmp/.X11-unix/X$n" ] || { echo "Xvfb did not start on :$n (see $NUBREL_BUILD/xvfb.log)" >&2; return 1; }
  wineserver -p
  # Start Wine's background services now, detached from any caller's pipes: a service started
  # by a test program would inherit its output pipe and keep ctest waiting for end of file.
  "$NUBREL_WINE" wineboot >/dev/null 2>&1 </dev/null || { echo "wineboot failed in $WINEPREFIX" >&2; return 1; }
  trap nubrel_session_stop EXIT
}

nubrel_session_stop() {
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  [ -n "${NUBREL_XVFB_PID:-}" ] && kill "$NUBREL_XVFB_PID" 2>/dev/null || true
}
