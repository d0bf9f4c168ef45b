#!/usr/bin/env bash
# Installs what is missing, builds Pagewarden and starts it. Without a desktop ($DISPLAY unset) it
# starts a virtual one with a notification area first, so the program has a place for its icon.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/install-deps.sh"
bash "$here/scripts/build.sh"
if [ -z "${DISPLAY:-}" ]; then
  # shellcheck source=../tests/support/desktop.sh
  source "$here/tests/support/desktop.sh"
  desktop_start
  echo "No desktop was running: started a virtual one on $DISPLAY (screenshot: DISPLAY=$DISPLAY import -window root shot.png)."
fi
exec "$here/build/pagewarden"
