#!/bin/bash
# Plays the demo game: in a window when a display is there, otherwise with the headless runner
# playing on its own (its log and pictures of every click go to build/demo-run/).
set -uo pipefail
build=${1:-build}
if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]]; then
  exec "$build/kotoyumi" "$build/demo"
fi
out="$build/demo-run"
rm -rf "$out" && mkdir -p "$out/shots"
echo "No display: playing the demo with the headless runner (log and pictures in $out)."
"$build/kotoyumi" --headless --log "$out/run.log" --shots "$out/shots" "$build/demo"
code=$?
cat "$out/run.log"
ls "$out/shots"
if [[ $code -eq 3 ]]; then
  echo "The demo did not reach its end within the runner's time limit."
fi
exit $code
