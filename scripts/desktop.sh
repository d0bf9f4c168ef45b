# A virtual desktop for the run command and the tests: Xvfb with a notification area (trayer).
# Source it, then call desktop_start; desktop_stop ends both (tests call it from a trap).

desktop_start() {
  # Xvfb picks a free display itself and names it, so tests running side by side never share one.
  local numfile
  numfile=$(mktemp)
  Xvfb -displayfd 1 -screen 0 1024x768x24 -nolisten tcp -noreset >"$numfile" 2>/dev/null &
  DESKTOP_XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$numfile" ] && break
    sleep 0.05
  done
  export DISPLAY=":$(head -n 1 "$numfile")"
  rm -f "$numfile"
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.05
  done
  trayer --edge bottom --align right --widthtype request --height 32 --SetDockType true \
    --expand false >/dev/null 2>&1 &
  DESKTOP_TRAYER_PID=$!
  # The tray is ready when its selection owner exists.
  for i in $(seq 1 100); do
    xdotool search --class trayer >/dev/null 2>&1 && break
    sleep 0.05
  done
  sleep 0.3
}

desktop_stop() {
  [ -n "${DESKTOP_TRAYER_PID:-}" ] && kill "$DESKTOP_TRAYER_PID" 2>/dev/null
  [ -n "${DESKTOP_XVFB_PID:-}" ] && kill "$DESKTOP_XVFB_PID" 2>/dev/null
  wait "${DESKTOP_TRAYER_PID:-}" "${DESKTOP_XVFB_PID:-}" 2>/dev/null
  DESKTOP_TRAYER_PID=
  DESKTOP_XVFB_PID=
}

desktop_shot() {  # desktop_shot FILE
  import -window root "$1" 2>/dev/null
}
