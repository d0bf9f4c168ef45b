# A print server that accepts connections and never answers (its host hung, or away behind a
# firewall that swallows packets). Source it; hung_server_start DIR listens on a free port of
# 127.0.0.1, sets HUNG_PID and points CUPS_SERVER at it; kill "$HUNG_PID" ends it.
hung_server_start() {
  python3 -c '
import socket
s = socket.socket()
s.bind(("127.0.0.1", 0))
s.listen(64)
print(s.getsockname()[1], flush=True)
held = []
while True:
    held.append(s.accept()[0])
' >"$1/hung.port" &
  HUNG_PID=$!
  local i
  for i in $(seq 1 50); do [ -s "$1/hung.port" ] && break; sleep 0.1; done
  export CUPS_SERVER="127.0.0.1:$(cat "$1/hung.port")"
}
