# Sourced by scripts/screenshot.sh: an Xvfb of its own. Needs Xvfb (scripts/install-deps.sh).
# The tests and the check programs start theirs in C++ (tests/support/x_session.h).

# Starts Xvfb on a display it picks itself (-displayfd), with a 24-bit screen of the given size,
# and exports DISPLAY. Sets XVFB_PID.
x_start() {
  local size=${1:-1024x768}
  local numberFile
  numberFile=$(mktemp)
  Xvfb -displayfd 5 -screen 0 "${size}x24" -nolisten tcp 5>"$numberFile" >/dev/null 2>&1 &
  XVFB_PID=$!
  local i
  for i in $(seq 100); do
    [ -s "$numberFile" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  if [ ! -s "$numberFile" ]; then
    rm -f "$numberFile"
    echo "Xvfb did not start" >&2
    return 1
  fi
  export DISPLAY=":$(head -n1 "$numberFile")"
  rm -f "$numberFile"
}

x_stop() {
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=
  fi
}
