#!/bin/bash
# The real executable in a real window under Xvfb: title, size and centring, the start-up picture
# on screen pixel for pixel, mouse input at --scale 2, idle processor use, and Escape ending it with
# exit code 0. Usage: window_under_xvfb.sh KOTOYUMI_EXE DEMO_DIR
set -uo pipefail
exe=$1
work=$(mktemp -d /tmp/kotoyumi-xvfb-XXXXXX)
# Remembered window settings go to a folder of the test's own, never the user's.
export XDG_CONFIG_HOME="$work/config"
# The demo's pictures with a first script that only waits, so the window must show Back00.bmp.
demo="$work/game"
mkdir -p "$demo/txt"
cp -r "$2/gdat" "$demo/gdat"
printf '#delay 99999999\r\n' >"$demo/txt/config.txt"
xvfb_pid=
game_pid=
cleanup() {
  [[ -n "$game_pid" ]] && kill "$game_pid" 2>/dev/null
  [[ -n "$xvfb_pid" ]] && kill "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A display of our own, whatever else runs on this machine.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do [[ -s "$work/display" ]] && break; sleep 0.05; done
[[ -s "$work/display" ]] || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"
unset WAYLAND_DISPLAY

# Starts the game and waits for its window. A window that has not appeared after 20 s is reported
# with what the X server shows; the game is then started once more, since a loaded machine has been
# seen to lose the very first window of a fresh X client.
start_game() {
  local attempt
  for attempt in 1 2; do
    "$exe" "$@" "$demo" >"$work/game.log" 2>&1 &
    game_pid=$!
    wid=
    for _ in $(seq 400); do
      wid=$(xdotool search --pid "$game_pid" 2>/dev/null | head -1)
      [[ -n "$wid" ]] && break
      sleep 0.05
    done
    if [[ -n "$wid" ]]; then
      sleep 0.5  # a few frames
      return
    fi
    echo "no window after 20 s (attempt $attempt; game running: $(kill -0 "$game_pid" 2>/dev/null && echo yes || echo no))"
    xwininfo -root -tree | head -20
    cat "$work/game.log"
    kill -9 "$game_pid" 2>/dev/null
    wait "$game_pid" 2>/dev/null
    game_pid=
  done
  fail "no window appeared"
}

stop_game() {
  xdotool key --window "$wid" Escape 2>/dev/null
  for _ in $(seq 60); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.05; done
  kill -0 "$game_pid" 2>/dev/null && fail "Escape did not end the program"
  wait "$game_pid"
  local code=$?
  game_pid=
  [[ $code -eq 0 ]] || fail "exit code $code after Escape"
}

# --- one-to-one window -------------------------------------------------------------------------
start_game
title=$(xprop -id "$wid" _NET_WM_NAME | sed -n 's/^_NET_WM_NAME(UTF8_STRING) = "\(.*\)"$/\1/p')
[[ "$title" == "ことゆみ Ver1.02" ]] || fail "title is '$title'"
eval "$(xdotool getwindowgeometry --shell "$wid")"
[[ "$WIDTH" == 640 && "$HEIGHT" == 480 ]] || fail "client area is ${WIDTH}x${HEIGHT}"
[[ "$X" == 480 && "$Y" == 360 ]] || fail "window at $X,$Y, not centred on 1600x1200"

import -window root "$work/screen.png" || fail "no screenshot"
convert "$work/screen.png" -crop "640x480+$X+$Y" +repage "$work/window.png"
diff_pixels=$(compare -metric AE "$work/window.png" "$demo/gdat/system/Back00.bmp" null: 2>&1)
[[ "$diff_pixels" == 0 ]] || fail "the window differs from Back00.bmp in $diff_pixels pixels"
echo "window: '$title' ${WIDTH}x${HEIGHT} at $X,$Y shows Back00.bmp exactly"

# Idle: the start-up picture stands still; measure the processor time used over three seconds.
ticks=$(getconf CLK_TCK)
before=$(awk '{print $14 + $15}' "/proc/$game_pid/stat")
sleep 3
after=$(awk '{print $14 + $15}' "/proc/$game_pid/stat")
percent=$(awk -v a="$before" -v b="$after" -v t="$ticks" 'BEGIN { printf "%.2f", (b - a) * 100 / t / 3 }')
echo "idle processor use: $percent% of one core"
awk -v p="$percent" 'BEGIN { exit !(p < 5) }' || fail "idle processor use $percent% is too high"
rss=$(awk '/VmHWM/ {print $2}' "/proc/$game_pid/status")
echo "peak resident memory: $((rss / 1024)) MB"
stop_game

# --- doubled window: size and the picture scaled exactly ------------------------------------------
start_game --scale 2
eval "$(xdotool getwindowgeometry --shell "$wid")"
[[ "$WIDTH" == 1280 && "$HEIGHT" == 960 ]] || fail "--scale 2 window is ${WIDTH}x${HEIGHT}"
import -window root "$work/screen2.png"
convert "$work/screen2.png" -crop "1280x960+$X+$Y" +repage -sample 640x480 "$work/window2.png"
diff_pixels=$(compare -metric AE "$work/window2.png" "$demo/gdat/system/Back00.bmp" null: 2>&1)
[[ "$diff_pixels" == 0 ]] || fail "the doubled window differs from Back00.bmp in $diff_pixels pixels"
echo "--scale 2: 1280x960, picture doubled exactly"
stop_game

# --- a request to quit from outside (what closing the window sends) ends it with exit code 0 --------
start_game
kill -TERM "$game_pid"
for _ in $(seq 60); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.05; done
wait "$game_pid"
code=$?
game_pid=
[[ $code -eq 0 ]] || fail "exit code $code after a quit request"
echo "quit request: exit code 0"
echo "PASS"
