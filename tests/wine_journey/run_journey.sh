#!/usr/bin/env bash
# Runs the Wine journey: the native stand-in service on 127.0.0.1:8600 with a
# fresh member list, the journey driver under Wine in the tests' prefix, then
# the service's own record of the registration and the call. The pictures of
# both tab pages are left in <picture folder> as PNG.
#   run_journey.sh <lanyinbao-service> <wine prefix> <driver.exe> <lanyinbao.exe> <picture folder>
# Exit status 77 (skipped) when the native service was not built.
set -uo pipefail
service=$1 prefix=$2 driver=$3 program=$4 pictures=$5
here=$(cd "$(dirname "$0")" && pwd)
port=8600

if [ ! -x "$service" ]; then
  echo "wine_journey: skipped: the stand-in service $service is missing;" \
    "build the default preset's lanyinbao-service first" >&2
  exit 77
fi
if (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null; then
  echo "wine_journey: something already answers on 127.0.0.1:$port, the program's fixed" \
    "service address; stop it (scripts/run starts the stand-in there) and run again" >&2
  exit 1
fi

scratch=$(mktemp -d)
service_pid=""
finish() {
  if [ -n "$service_pid" ]; then
    kill -TERM "$service_pid" 2>/dev/null
    wait "$service_pid" 2>/dev/null
  fi
  rm -rf "$scratch"
}
trap finish EXIT

# The cookie's expiry makes WinINet keep it in the prefix, where the driver
# reads it to ask for the picture code of the program's session.
"$service" --port "$port" --log "$scratch/service.log" --state "$scratch/members.txt" \
  --cookie-max-age 3600 >"$scratch/service.out" 2>&1 &
service_pid=$!
for _ in $(seq 100); do
  (exec 3<>"/dev/tcp/127.0.0.1/$port") 2>/dev/null && break
  if ! kill -0 "$service_pid" 2>/dev/null; then
    echo "wine_journey: the stand-in service did not start:" >&2
    cat "$scratch/service.out" >&2
    exit 1
  fi
  sleep 0.1
done

windows_path() { echo "Z:${1//\//\\}"; }
mkdir -p "$pictures"
"$here/../../cmake/wine-run.sh" "$prefix" "$driver" "$(windows_path "$program")" \
  "$(windows_path "$pictures")"
status=$?

# The service saw the member register and the call placed for them.
for line in "registered 13800138000" "logged in 13800138000" "claimed 15 minutes for 13800138000" \
  "calling 13800138000, then 13900139000"; do
  if ! grep -qF "$line" "$scratch/service.log"; then
    echo "wine_journey: the service log lacks '$line':" >&2
    cat "$scratch/service.log" >&2
    status=1
  fi
done

for page in wine-page1 wine-page2; do
  if [ -s "$pictures/$page.bmp" ] && command -v convert >/dev/null; then
    convert "$pictures/$page.bmp" "$pictures/$page.png" && rm -f "$pictures/$page.bmp"
  fi
done
exit $status
