#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for the given number of seconds, seeded from the real answers and the shipped files.
#
#   bash scripts/fuzz.sh [seconds] [--build DIR] [--jobs N] [--only TARGET]...
#
# seconds   time per target (default 60; 0 only builds the targets)
# --build   build folder (default build-fuzz; an existing VELKARO_FUZZ build folder is reused as it is)
# --jobs    targets run at the same time (default: half the cores, at least 1)
# --only    run only the named target (may be repeated)
#
# Ends with one line per target: executions, executions per second, new corpus size, result. Exits
# non-zero when any target found a crash, a hang (an input that runs over its time limit), a leak or a broken
# property; the input that did it is kept as BUILD/fuzz-artifacts/<target>-crash-... (or -timeout-,
# -leak-, -oom-) and reproduces with `BUILD/fuzz/<target> <that file>`. The corpus the runs grow is kept
# in BUILD/fuzz-corpus/<target>, so the next run starts where this one stopped.
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)

SECONDS_PER_TARGET=60
BUILD=build-fuzz
JOBS=$(( $(nproc) / 2 ))
[ "$JOBS" -lt 1 ] && JOBS=1
ONLY=()
while [ $# -gt 0 ]; do
  case "$1" in
    --build) BUILD=$2; shift 2 ;;
    --jobs) JOBS=$2; shift 2 ;;
    --only) ONLY+=("$2"); shift 2 ;;
    -h|--help) sed -n '2,17p' "$0"; exit 0 ;;
    *) SECONDS_PER_TARGET=$1; shift ;;
  esac
done

# target | largest input | time limit per input (s) | seeds (files and folders of the repository)
# The readers of the answers take inputs up to 1 MB with a limit of a few seconds: reading an answer
# costs about what parsing it costs, so work that grows faster than the answer fails as a timeout.
A=tests/data/answers
TARGETS=(
  "table_file_fuzz|65536|10|resources/data resources/_install/data"
  "table_file_scrambled_fuzz|4096|10|fuzz/seeds/scrambled resources/data/ProxyConfig.dat"
  "unscramble_fuzz|1024|10|fuzz/seeds/scrambled"
  "ini_file_fuzz|16384|10|resources/Velkaro.ini resources/language"
  "xml_answer_fuzz|88064|10|tests/data/answers fuzz/seeds/xml"
  "commentary_fuzz|8192|10|fuzz/seeds/commentary"
  "richedit_fuzz|8192|10|fuzz/seeds/richedit fuzz/seeds/commentary"
  "version_page_fuzz|1048576|3|fuzz/seeds/version"
  "league_details_fuzz|1048576|3|fuzz/seeds/league/leaguedetails.xml"
  "league_fixtures_fuzz|1048576|3|fuzz/seeds/league/leaguefixtures.xml"
  "league_matches_fuzz|1048576|3|fuzz/seeds/league/matches.xml $A/matches.xml"
  "league_players_fuzz|1048576|3|fuzz/seeds/league/players.xml $A/players-bom.xml"
  "lineup_fuzz|1048576|3|$A/matchlineup.xml"
  "ratings_fuzz|1048576|3|$A/matchdetails.xml $A/matchdetails-events.xml fuzz/seeds/ratings"
  "team_details_fuzz|1048576|3|$A/teamdetails.xml"
  "world_details_fuzz|1048576|3|$A/worlddetails-bom.xml"
)

bash scripts/install-deps.sh
if [ ! -f "$BUILD/CMakeCache.txt" ] || ! grep -q '^VELKARO_FUZZ:BOOL=ON' "$BUILD/CMakeCache.txt"; then
  CC=clang CXX=clang++ cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DVELKARO_FUZZ=ON -DVELKARO_TESTS=OFF -DVELKARO_BENCH=OFF >/dev/null
fi
names=()
for entry in "${TARGETS[@]}"; do
  name=${entry%%|*}
  if [ ${#ONLY[@]} -eq 0 ] || printf '%s\n' "${ONLY[@]}" | grep -qx "$name"; then
    names+=("$name")
  fi
done
cmake --build "$BUILD" -j"$(nproc)" --target "${names[@]}"
# libFuzzer reads a total time of 0 as "no limit": 0 seconds builds the targets and runs none.
[ "$SECONDS_PER_TARGET" -gt 0 ] || exit 0

export QT_QPA_PLATFORM=offscreen
if [ -z "${XDG_RUNTIME_DIR:-}" ]; then
  export XDG_RUNTIME_DIR=$(mktemp -d /tmp/velkaro-runtime.XXXXXX)
  chmod 700 "$XDG_RUNTIME_DIR"
fi
LOGS="$BUILD/fuzz-logs"
mkdir -p "$LOGS" "$BUILD/fuzz-artifacts"

run_target() {
  local name=$1 maxlen=$2 timeout=$3 seeds=$4
  local corpus="$BUILD/fuzz-corpus/$name" seeddir="$BUILD/fuzz-seeds/$name"
  rm -rf "$seeddir"
  mkdir -p "$corpus" "$seeddir"
  for s in $seeds; do
    if [ -d "$ROOT/$s" ]; then
      find "$ROOT/$s" -maxdepth 1 -type f -exec cp {} "$seeddir/" \;
    else
      cp "$ROOT/$s" "$seeddir/"
    fi
  done
  # -fork-less, one process per target: a finding stops the run and leaves its input as an artifact.
  "$BUILD/fuzz/$name" "$corpus" "$seeddir" -max_total_time="$SECONDS_PER_TARGET" -timeout="$timeout" \
    -max_len="$maxlen" -rss_limit_mb=2560 -print_final_stats=1 \
    -artifact_prefix="$BUILD/fuzz-artifacts/$name-" >"$LOGS/$name.log" 2>&1
}

declare -A PIDS=()
running=0
for entry in "${TARGETS[@]}"; do
  IFS='|' read -r name maxlen timeout seeds <<<"$entry"
  printf '%s\n' "${names[@]}" | grep -qx "$name" || continue
  if [ "$running" -ge "$JOBS" ]; then
    wait -n || true
    running=$((running - 1))
  fi
  echo "fuzzing $name for ${SECONDS_PER_TARGET}s"
  run_target "$name" "$maxlen" "$timeout" "$seeds" &
  PIDS[$name]=$!
  running=$((running + 1))
done

failed=0
declare -A STATUS=()
for name in "${names[@]}"; do
  if wait "${PIDS[$name]}"; then STATUS[$name]=ok; else STATUS[$name]=FAILED; failed=1; fi
done

echo
printf '%-28s %14s %10s %8s  %s\n' target executions "exec/s" corpus result
for name in "${names[@]}"; do
  log="$LOGS/$name.log"
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -1)
  corpus=$(find "$BUILD/fuzz-corpus/$name" -type f | wc -l)
  printf '%-28s %14s %10s %8s  %s\n' "$name" "${execs:-?}" "${rate:-?}" "$corpus" "${STATUS[$name]}"
done
if [ "$failed" -ne 0 ]; then
  echo
  for name in "${names[@]}"; do
    [ "${STATUS[$name]}" = ok ] && continue
    echo "== $name: $LOGS/$name.log"
    grep -E 'ERROR|property broken|Test unit written|SUMMARY|==[0-9]+==' "$LOGS/$name.log" | head -20 || true
  done
  exit 1
fi
