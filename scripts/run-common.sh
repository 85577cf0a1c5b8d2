# shellcheck shell=bash
# Shared by scripts/run for the Linux and the Windows program: the stand-in
# calling service on the program's address, and the picture of a display.
# Sourced; expects the caller's `set -euo pipefail`.

say() { echo "run: $*"; }

answers_on_port() { (exec 3<>"/dev/tcp/127.0.0.1/$1") 2>/dev/null; }

service_pid=""
stop_service() {
  if [ -n "$service_pid" ] && kill -0 "$service_pid" 2>/dev/null; then
    kill -TERM "$service_pid" 2>/dev/null || true
    wait "$service_pid" 2>/dev/null || true
    say "stand-in service stopped"
  fi
}

# start_service <service binary> <port> <log file> <members file>
# Starts the stand-in service unless something already answers on the port;
# stop_service ends it.
start_service() {
  local service=$1 port=$2 log=$3 members=$4
  if answers_on_port "$port"; then
    say "something already answers on 127.0.0.1:$port; using it as the calling service"
    return 0
  fi
  if [ ! -x "$service" ]; then
    say "the stand-in service $service was not built" >&2
    exit 1
  fi
  "$service" --port "$port" --log "$log" --state "$members" &
  service_pid=$!
  for _ in $(seq 50); do
    answers_on_port "$port" && break
    kill -0 "$service_pid" 2>/dev/null || { say "the stand-in service did not start" >&2; exit 1; }
    sleep 0.1
  done
  say "stand-in service on http://127.0.0.1:$port/ (members kept in $members)"
  say "voice codes for registration appear on this terminal as 'calling <mobile>: voice code <code>'"
  say "and in $log"
}

# photograph <display> <png file>: the whole screen of an X display.
photograph() {
  xwd -display "$1" -root -silent | convert xwd:- "png:$2"
}
