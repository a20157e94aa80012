#!/usr/bin/env bash
# Builds Velkaro and starts it against the bundled substitute game service (velkaro-service).
# Log in with user "demo" and security code "velkaro". Closing the program stops the service.
#   SPEED=F  match minutes per real minute of the service's clock (default 3)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD=${BUILD:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target Velkaro velkaro-service
APP="$BUILD/app"

LOG=$(mktemp /tmp/velkaro-service.XXXXXX.log)
coproc SERVICE { exec "$BUILD/bin/velkaro-service" --port 0 --speed "${SPEED:-3}" --log "$LOG"; }
SERVICE_PID=$SERVICE_PID
trap 'kill "$SERVICE_PID" 2>/dev/null || true' EXIT
read -r -t 10 PORT <&"${SERVICE[0]}"
URL="http://127.0.0.1:$PORT"

# Point the program's settings at the local service (the shipped file points at the real game).
if grep -q '^Juego=' "$APP/Velkaro.ini"; then
  sed -i "s|^Juego=.*|Juego=$URL|" "$APP/Velkaro.ini"
else
  printf '\n[Servidor]\nJuego=%s\n' "$URL" >> "$APP/Velkaro.ini"
fi

# The first-run dialog (which asks the game for the user's team) is not built yet: until it is, the
# demo stores what it would store for the service's user "demo".
if grep -q '^Usuario=0\s*$' "$APP/Velkaro.ini"; then
  sed -i 's|^Usuario=0\s*$|Usuario=demo\nTeam=Velkaro Demo FC\nTeamID=250101\nTeamIDJuveniles=2701001\nPais=England\nLigaID=3412\nLigaNombre=IV.12|' "$APP/Velkaro.ini"
fi

echo "velkaro-service is answering at $URL (request log: $LOG)."
echo "In Velkaro, go to the Matches tab and log in with user \"demo\" and security code \"velkaro\"."
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running under xvfb-run."
  xvfb-run -a -s "-screen 0 1280x1024x24" "$APP/Velkaro"
else
  "$APP/Velkaro"
fi
