#!/usr/bin/env bash
# Builds Velkaro and starts it against the bundled substitute game service (velkaro-service).
# The program starts from a fresh copy of the shipped program folder, so it begins with its first-run
# dialog: type user "demo" and security code "velkaro". Closing the program stops the service.
#   SPEED=F  match minutes per real minute of the service's clock (default 3)
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
BUILD=${BUILD:-build}
cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD" -j"$(nproc)" --target Velkaro velkaro-service
# A fresh copy of the shipped program folder, as a new user unpacks it: no user yet (Usuario=0).
APP=$(mktemp -d /tmp/velkaro-demo.XXXXXX)
cmake -DSRC=resources -DDST="$APP" -P resources/install-app.cmake
cp "$BUILD/app/Velkaro" "$APP/"

LOG=$(mktemp /tmp/velkaro-service.XXXXXX.log)
coproc SERVICE { exec "$BUILD/bin/velkaro-service" --port 0 --speed "${SPEED:-3}" --log "$LOG"; }
SERVICE_PID=$SERVICE_PID
trap 'kill "$SERVICE_PID" 2>/dev/null || true' EXIT
read -r -t 10 PORT <&"${SERVICE[0]}"
URL="http://127.0.0.1:$PORT"

# Only the addresses change: the game service and the maker's version page are the local service.
# Everything else (the user, the team) the program learns in its own first run.
awk -v url="$URL" '
  /^\[/ { servidor = ($0 ~ /^\[Servidor\]/) }
  servidor && /^(Juego|Version)=/ { sub(/=.*/, "=" url) }
  { print }' "$APP/Velkaro.ini" > "$APP/Velkaro.ini.new"
mv "$APP/Velkaro.ini.new" "$APP/Velkaro.ini"

echo "velkaro-service is answering at $URL (request log: $LOG)."
echo "Program folder: $APP"
echo "In Velkaro, click the Matches tab: the first-run dialog asks for user \"demo\" and security code \"velkaro\"."
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "No display: running under xvfb-run."
  xvfb-run -a -s "-screen 0 1280x1024x24" "$APP/Velkaro"
else
  "$APP/Velkaro"
fi
