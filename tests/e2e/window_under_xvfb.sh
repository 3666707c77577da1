#!/bin/bash
# The real executable in a real window under Xvfb, which runs no window manager: title, size and
# centring, the start-up picture on screen pixel for pixel, --scale 2, idle processor use, Alt+Enter,
# the auto-advance keys on two keyboard layouts, a box over the load screen, Escape and a quit
# request ending it with exit code 0, and no display at all. Usage: window_under_xvfb.sh
# KOTOYUMI_EXE DEMO_DIR
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

# Takes a picture of the window; pixel_at gives the colour of its pixel (x, y).
shoot() {
  import -window "$wid" "$work/now.png"
}
pixel_at() {
  convert "$work/now.png" -format "%[hex:p{$1,$2}]" info: | cut -c1-6
}

# --- auto-advance keys: + typed on US and Japanese keys quickens auto and shows the speed ------------
for layout in us jp; do
  setxkbmap -display "$DISPLAY" "$layout" || fail "setxkbmap $layout"
  start_game --scale 1
  xdotool key --window "$wid" a
  sleep 0.3
  shoot
  [[ $(pixel_at 634 10) == 202428 ]] || fail "no AUTO mark after A"
  xdotool key --window "$wid" plus  # Shift and a key on either layout
  sleep 0.3
  shoot
  [[ $(pixel_at 634 10) == 202428 ]] || fail "+ on the $layout layout ended auto"
  [[ $(pixel_at 630 460) == 202428 ]] || fail "+ on the $layout layout shows no speed"
  stop_game
  echo "$layout keys: + quickens auto and shows the speed"
done
setxkbmap -display "$DISPLAY" us

# --- Alt+Enter without a window manager, then the system menu and a box over the load screen ---------
# No window manager carries out the switch: after any number of them the window still shows the
# whole picture and a click lands where it is drawn.
printf '#wait\r\n#halt\r\n' >"$demo/txt/config.txt"
start_game --scale 1
for switches in 1 2 3; do
  xdotool key --window "$wid" alt+Return
  sleep 0.5
  shoot
  diff_pixels=$(compare -metric AE "$work/now.png" "$demo/gdat/system/Back00.bmp" null: 2>&1)
  # The wait icon blinks on the picture: 25x25 pixels may differ.
  [[ "$diff_pixels" -lt 625 ]] || fail "after $switches Alt+Enter the window differs in $diff_pixels pixels"
done
xdotool mousemove --window "$wid" 300 200 click 3
sleep 0.5
shoot
convert "$work/now.png" -crop 100x120+300+200 +repage "$work/menu_shown.png"
convert "$demo/gdat/system/menu_window_main.bmp" -crop 100x120+0+0 +repage "$work/menu_normal.png"
diff_pixels=$(compare -metric AE "$work/menu_shown.png" "$work/menu_normal.png" null: 2>&1)
[[ "$diff_pixels" == 0 ]] || fail "the system menu is not at the right click (differs in $diff_pixels pixels)"
echo "Alt+Enter x3 without a window manager: whole picture, the menu opens at the click"
# The load screen, then a press on an empty slot that the box comes up under, released over the
# box; Enter answers it.
xdotool mousemove --window "$wid" 316 240 click 1
sleep 0.5
xdotool mousemove --window "$wid" 200 195 mousedown 1
sleep 0.3
xdotool mouseup 1
sleep 0.2
shoot
[[ $(pixel_at 440 190) == 3A4A66 ]] || fail "no box over the empty slot"
xdotool key --window "$wid" Return
sleep 0.5
shoot
[[ $(pixel_at 440 190) != 3A4A66 ]] || fail "the box came back after it was answered"
stop_game
echo "load screen: the box over an empty slot shows once"
printf '#delay 99999999\r\n' >"$demo/txt/config.txt"

# --- a request to quit from outside (what closing the window sends) ends it as Escape does ----------
rm -rf "$XDG_CONFIG_HOME"
start_game
kill -TERM "$game_pid"
for _ in $(seq 60); do kill -0 "$game_pid" 2>/dev/null || break; sleep 0.05; done
wait "$game_pid"
code=$?
game_pid=
[[ $code -eq 0 ]] || fail "exit code $code after a quit request"
ls "$XDG_CONFIG_HOME"/kotoyumi/* >/dev/null 2>&1 || fail "no settings written after a quit request"
echo "quit request: exit code 0, settings written"

# --- no display: not a window nobody sees, but the window failure ---------------------------------
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER timeout 20 "$exe" "$demo" >"$work/nodisplay.log" 2>&1
code=$?
[[ $code -eq 1 ]] || fail "exit code $code without a display"
grep -q "cannot open the window" "$work/nodisplay.log" || fail "no message without a display: $(cat "$work/nodisplay.log")"
echo "no display: exit code 1, cannot open the window"
echo "PASS"
