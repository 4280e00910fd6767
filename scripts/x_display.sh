# Sourced by the scripts that run the demo under an Xvfb of their own: the server and the window.
# Needs Xvfb, xdotool and xwd (scripts/install-deps.sh).

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

# Prints the id of the viewable window whose title ends in the given name, waiting up to the
# given number of seconds for it. Our server holds no other windows.
x_find_window() {
  local name=$1 seconds=${2:-10} window i
  for i in $(seq $((seconds * 10))); do
    window=$(xdotool search --onlyvisible --name "${name}\$" 2>/dev/null | head -n1) || true
    if [ -n "$window" ]; then
      echo "$window"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# Writes the window's pixels to a file (X window dump); fails if the window is gone.
x_shot() {
  xwd -silent -id "$1" >"$2" 2>/dev/null
}

# Presses F4 and checks that the demo (process $1, a child of this shell) ends within ten seconds
# with status 0, having written exactly "96" to standard output (captured in the file $2).
x_quit_demo() {
  local pid=$1 stdoutFile=$2 status=0 i
  xdotool key F4
  for i in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    echo "F4 did not end the demo" >&2
    return 1
  fi
  wait "$pid" || status=$?
  if [ "$status" -ne 0 ]; then
    echo "exit status $status after F4" >&2
    return 1
  fi
  if ! printf 96 | cmp -s - "$stdoutFile"; then
    echo "standard output was not exactly 96: '$(od -c "$stdoutFile" | head -n 2)'" >&2
    return 1
  fi
}
