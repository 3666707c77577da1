#!/bin/bash
# Hostile sound files in the real executable, sound going to SDL's disk audio driver: a MIDI piece
# the synthesiser cannot read, a MIDI file and an AIFF file named as effects, and a pipe named as an
# effect. Each run's script plays the bad file and then a bell. A refused file stops the script at
# its box, so the bell never sounds; the pipe is not waited on, so the bell sounds. Every run ends
# within a second of a quit request, with little memory and little said on stderr.
# Usage: hostile_sound.sh KOTOYUMI_EXE DEMO_DIR
set -uo pipefail
set -m # background runs keep SIGINT, the quit request, as a terminal would give it
exe=$1
work=$(mktemp -d /tmp/kotoyumi-hostile-XXXXXX)
export XDG_CONFIG_HOME="$work/config"
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

python3 - "$work" <<'PY' || fail "cannot make the test files"
import math, struct, sys
work = sys.argv[1]
frames = b"".join(struct.pack("<h", int(8000 * math.sin(2 * math.pi * 440 * i / 44100))) for i in range(22050))
with open(f"{work}/bell.wav", "wb") as f:
    f.write(b"RIFF" + struct.pack("<I", 36 + len(frames)) + b"WAVEfmt " + struct.pack("<IHHIIHH", 16, 1, 1, 44100, 88200, 2, 16)
            + b"data" + struct.pack("<I", len(frames)) + frames)
note = bytes([0, 0x90, 60, 100, 0x87, 0x40, 0x80, 60, 0])
with open(f"{work}/bad.mid", "wb") as f:  # an end of track with a length
    f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, 480) + b"MTrk" + struct.pack(">I", 14) + note + bytes([0, 0xFF, 0x2F, 1, 0]))
with open(f"{work}/midi.wav", "wb") as f:
    f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, 480) + b"MTrk" + struct.pack(">I", 13) + note + bytes([0, 0xFF, 0x2F, 0]))
with open(f"{work}/aiff.wav", "wb") as f:  # 2^31 frames of 16-bit stereo claimed
    comm = struct.pack(">hIh", 2, 1 << 31, 16) + bytes([0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0])
    ssnd = struct.pack(">II", 0, 0) + bytes(64)
    f.write(b"FORM" + struct.pack(">I", 4 + 8 + len(comm) + 8 + len(ssnd)) + b"AIFF" + b"COMM" + struct.pack(">I", len(comm))
            + comm + b"SSND" + struct.pack(">I", len(ssnd)) + ssnd)
PY

# run NAME FIRST_LINE BELL: plays FIRST_LINE then the bell, asks it to quit after 3 s; BELL says
# whether the bell must sound (yes) or not (no).
run() {
  local name=$1 first=$2 bell=$3 game="$work/$1"
  mkdir -p "$game/txt" "$game/wav" "$game/MIDI"
  cp -r "$DEMO/gdat" "$game/gdat"
  cp "$work/bell.wav" "$game/wav/bell.wav"
  cp "$work/bad.mid" "$game/MIDI/bad.mid"
  cp "$work/midi.wav" "$work/aiff.wav" "$game/wav/"
  mkfifo "$game/wav/pipe.wav"
  printf '%s\r\n' "$first" '#delay 300' '#play_wav 0 bell.wav' '#delay 99999999' >"$game/txt/config.txt"
  SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/$name.raw" \
    "$exe" "$game" >"$work/$name.log" 2>&1 &
  local pid=$!
  sleep 3
  local kb=$(awk '/^VmHWM/ {print $2}' /proc/$pid/status 2>/dev/null)
  kill -INT "$pid" 2>/dev/null
  local asked=$(date +%s%N)
  while kill -0 "$pid" 2>/dev/null && (( $(date +%s%N) - asked < 1000000000 )); do sleep 0.02; done
  if kill -0 "$pid" 2>/dev/null; then
    kill -KILL "$pid"; wait "$pid"
    fail "$name: still running 1 s after the quit request"
  fi
  wait "$pid" || { cat "$work/$name.log"; fail "$name: exit code $? after a quit request"; }
  local said=$(stat -c %s "$work/$name.log")
  (( ${kb:-0} < 300000 )) || fail "$name: $kb KiB of memory"
  (( said < 4096 )) || { head -c 2000 "$work/$name.log"; fail "$name: $said bytes on stderr"; }
  python3 - "$work/$name.raw" "$bell" "$name" <<'PY' || fail "$name: the bell did not sound as it should"
import array, os, sys
data = array.array("h")
# The device opens at the first sound the engine plays: a run that never sounded has no file.
if os.path.exists(sys.argv[1]):
    data.frombytes(open(sys.argv[1], "rb").read())
loud = max((abs(v) for v in data), default=0) > 1000
print(f"{sys.argv[3]}: {'sound' if loud else 'silence'}")
assert loud == (sys.argv[2] == "yes")
PY
}

DEMO=$2
run bad_midi '#play_midi bad.mid' no
run midi_as_effect '#play_wav 0 midi.wav' no
run aiff_as_effect '#play_wav 0 aiff.wav' no
run pipe_as_effect '#play_wav 0 pipe.wav' yes
echo "PASS"
