#!/bin/bash
# `kotoyumi --new`: the game it writes checks clean (warnings included), plays to its end under the
# runner, the authors' guide's save-and-load scenario works on it, and its src/ converts back to the
# same txt/; a folder that holds anything is refused.
# Usage: new_game.sh KOTOYUMI_EXE SAVE_LOAD_SCENARIO
set -uo pipefail
exe=$1
scenario=$2
work=$(mktemp -d /tmp/kotoyumi-new-XXXXXX)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

"$exe" --new "$work/game" >/dev/null || fail "--new failed"
for f in txt/config.txt src/config.txt README.txt gdat/system/Back00.bmp gdat/system/Parts.bmp \
         gdat/system/menu_window_start.bmp gdat/black.bmp MIDI/town.mid MIDI/evening.mid wav/bell.wav; do
    [ -s "$work/game/$f" ] || fail "no $f"
done
grep -q $'\r$' "$work/game/txt/config.txt" || fail "txt/config.txt has no CR LF"

"$exe" --check --strict "$work/game" > "$work/check.txt" || { cat "$work/check.txt"; fail "the check found something"; }
[ "$(wc -l < "$work/check.txt")" -eq 1 ] || { cat "$work/check.txt"; fail "the check printed findings"; }

"$exe" --headless --log "$work/run.log" "$work/game" || { cat "$work/run.log"; fail "the runner did not end with 0"; }
tail -n 1 "$work/run.log" | grep -qE '^[0-9]+ exit 0$' || { cat "$work/run.log"; fail "the run did not end at exit 0"; }
grep -q 'evening.mid' "$work/run.log" || fail "the second scene's music never started"

(cd "$work" && "$exe" --headless --events "$scenario" --log save.log game) || { cat "$work/save.log"; fail "the save-and-load scenario did not end with 0"; }
grep -q '"■LOADしますか？.*-> yes$' "$work/save.log" || { cat "$work/save.log"; fail "the scenario never loaded"; }
[ -f "$work/game/SAVE/data00.svd" ] || fail "the scenario saved nothing"
rm -rf "$work/game/SAVE"

cp "$work/game/txt/config.txt" "$work/made.txt"
(cd "$work/game" && "$exe" --convert src . >/dev/null) || fail "--convert of the game's own src failed"
cmp -s "$work/made.txt" "$work/game/txt/config.txt" || fail "--convert made another txt/config.txt"

mkdir "$work/full" && touch "$work/full/x"
"$exe" --new "$work/full" 2>/dev/null
[ $? -eq 2 ] || fail "--new into a folder that holds a file did not end with 2"
[ "$(ls "$work/full")" = x ] || fail "--new wrote into a folder that holds a file"
"$exe" --new "$work/full/x" 2>/dev/null
[ $? -eq 2 ] || fail "--new onto a file did not end with 2"
"$exe" --new "$work/missing/game" 2>/dev/null
[ $? -eq 1 ] || fail "--new under a missing folder did not end with 1"
mkdir "$work/empty"
"$exe" --new "$work/empty" >/dev/null || fail "--new into an empty folder failed"
echo "new game: checked clean, played to exit 0"
