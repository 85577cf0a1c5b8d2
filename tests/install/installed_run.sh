# Steps of the install test: an installed program started and ended by its
# close hook, and its ad pages written by a user who cannot write its directory.
# shellcheck shell=bash

say() { echo "install test: $*"; }
fail() {
  echo "install test: FAILED: $*" >&2
  exit 1
}

# Starts the program offscreen from a directory of its own, with its own home,
# and lets the close hook end it as soon as the window is up.
run_closed() {
  local program=$1 scratch=$2
  mkdir -p "$scratch/elsewhere" "$scratch/home"
  (cd "$scratch/elsewhere" && env HOME="$scratch/home" XDG_DATA_HOME= XDG_CONFIG_HOME= \
    QT_QPA_PLATFORM=offscreen LYB_CLOSE_AFTER_MS=0 WINAPI_MSGBOX=stderr \
    timeout 60 "$program" >/dev/null 2>&1)
}

# As a user who cannot write the program directory (root's tests run it as
# nobody), on a virtual screen: a click into the mobile-number box makes the
# program write its ad pages, which land in the user's overlay.
check_overlay() {
  local program=$1 program_dir=$2
  if ! command -v xvfb-run >/dev/null || ! command -v xdotool >/dev/null; then
    say "SKIP: the overlay test needs xvfb-run and xdotool"
    return 0
  fi
  local home
  home=$(mktemp -d)
  local as_user=()
  if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$home"
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
  elif [ -w "$program_dir" ]; then
    chmod a-w "$program_dir"
  fi
  cat >"$home/click.sh" <<'SCRIPT'
#!/bin/bash
# The mobile-number box of the first page, in window coordinates.
LYB_CLOSE_AFTER_MS=4000 "$1" >/dev/null 2>&1 &
pid=$!
window=$(xdotool search --sync --onlyvisible --name '岚音宝' | head -n 1)
# No window manager gives the window the keyboard focus on the virtual screen.
xdotool windowfocus --sync "$window"
sleep 0.5
xdotool mousemove --window "$window" 252 143 click 1
wait "$pid"
SCRIPT
  chmod 755 "$home/click.sh"
  local status=0
  (cd "$home" && timeout 60 xvfb-run -a -s "-ac -screen 0 1024x768x24" \
    "${as_user[@]}" env -u XAUTHORITY HOME="$home" XDG_DATA_HOME= "$home/click.sh" "$program") ||
    status=$?
  [ "$(id -u)" -ne 0 ] && chmod u+w "$program_dir"
  local overlay=$home/.local/share/lanyinbao/program/ad
  local written=no
  [ -s "$overlay/2.html" ] && [ -s "$overlay/4.html" ] && written=yes
  rm -rf "$home"
  [ "$status" -eq 0 ] || fail "the program run as a user ended with status $status"
  [ "$written" = yes ] || fail "the ad pages did not reach the user's overlay"
  [ ! -e "$program_dir/ad" ] || fail "the program wrote into its read-only directory"
  say "a user's run writes the ad pages into ~/.local/share/lanyinbao/program/ad"
}
