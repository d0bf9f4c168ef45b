# A virtual desktop for the tests and the run script: Xvfb with a notification area (trayer).
# Source it, then call desktop_start; desktop_stop ends both (tests call it from a trap).

desktop_start() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  DESKTOP_XVFB_PID=$!
  export DISPLAY=":$n"
  local i
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
