#!/bin/bash
# The real executable plays sound into SDL's disk audio driver: an effect, a MIDI piece, an MP3
# piece, and a MIDI piece that must loop without a gap, each told apart by the silences between
# them and by their pitch. The program ends on a quit request with exit code 0.
# Usage: sound_to_disk.sh KOTOYUMI_EXE DEMO_DIR
set -uo pipefail
exe=$1
work=$(mktemp -d /tmp/kotoyumi-sound-XXXXXX)
export XDG_CONFIG_HOME="$work/config" # remembered settings stay in the test's folder
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
command -v lame >/dev/null || fail "lame is not installed (tools/install-deps.sh)"

game="$work/game"
mkdir -p "$game/txt" "$game/wav" "$game/MIDI"
cp -r "$2/gdat" "$game/gdat"

# Test sounds: a 0.5 s 440 Hz effect, a 1.5 s 1 kHz MP3, and two organ pieces of two 1 s notes
# (C-E and C-G at 120 beats a minute): 2 s long, so looping shows after 4 s.
python3 - "$game" <<'PY' || fail "cannot make the test sounds"
import math, struct, sys
game = sys.argv[1]
def wav(path, seconds, hz):
    frames = b"".join(struct.pack("<hh", v, v) for v in
                      (int(8000 * math.sin(2 * math.pi * hz * i / 44100)) for i in range(int(44100 * seconds))))
    fmt = struct.pack("<HHIIHH", 1, 2, 44100, 44100 * 4, 4, 16)
    with open(path, "wb") as f:
        f.write(b"RIFF" + struct.pack("<I", 36 + len(frames)) + b"WAVEfmt " + struct.pack("<I", 16) + fmt
                + b"data" + struct.pack("<I", len(frames)) + frames)
def midi(path, keys):
    track = bytes([0x00, 0xC0, 19])  # church organ: it holds its note
    for key in keys:
        track += bytes([0x00, 0x90, key, 100, 0x87, 0x40, 0x80, key, 0])  # a 960-tick note
    track += bytes([0x00, 0xFF, 0x2F, 0x00])
    with open(path, "wb") as f:
        f.write(b"MThd" + struct.pack(">IHHH", 6, 0, 1, 480) + b"MTrk" + struct.pack(">I", len(track)) + track)
wav(f"{game}/wav/bell.wav", 0.5, 440)
wav(f"{game}/k.wav", 1.5, 1000)
midi(f"{game}/MIDI/town.mid", [60, 64])
midi(f"{game}/MIDI/loop.mid", [60, 67])
PY
lame --quiet -b 128 "$game/k.wav" "$game/MIDI/k.mp3" || fail "lame failed"

# Each sound is followed by at least a second of silence; the last piece plays 5 s (2.5 times).
printf '%s\r\n' '#play_wav 0 bell.wav' '#delay 1500' \
  '#play_midi town.mid' '#delay 1000' '#stop_midi' '#delay 1000' \
  '#play_mp3 k.mp3' '#delay 1000' '#stop_mp3' '#delay 1000' \
  '#play_midi loop.mid' '#delay 5000' '#stop_midi' '#delay 99999999' >"$game/txt/config.txt"

# No display and no input: a SIGINT is SDL's quit request, which the engine takes as the window
# being closed.
start=$(date +%s.%N)
SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/out.raw" \
  timeout --preserve-status -s INT 13 "$exe" "$game" >"$work/game.log" 2>&1
code=$?
end=$(date +%s.%N)
[[ $code -eq 0 ]] || { cat "$work/game.log"; fail "exit code $code after a quit request"; }
grep -q "no audio device" "$work/game.log" && { cat "$work/game.log"; fail "the disk driver did not open"; }

python3 - "$work/out.raw" "$start" "$end" <<'PY'
import array, sys
data = array.array("h")
data.frombytes(open(sys.argv[1], "rb").read())
rate = 44100
seconds = len(data) / 2 / rate
ran = float(sys.argv[3]) - float(sys.argv[2])
print(f"stream: {seconds:.2f} s of 44.1 kHz 16-bit stereo while the program ran {ran:.2f} s")
assert ran - 1.5 < seconds <= ran + 0.1, "the stream is not 44.1 kHz 16-bit stereo in real time"

W = rate // 200  # 5 ms windows, sounding when their RMS is above 50
loud = []
for start in range(0, len(data) // 2 - W, W):
    left = data[start * 2:(start + W) * 2:2]
    loud.append((sum(v * v for v in left) / W) ** 0.5 > 50)

# Sounds: runs of windows with no silence of 500 ms or more inside.
pieces, first, last = [], None, None
for k, on in enumerate(loud + [False] * 101):
    if on:
        first = k if first is None else first
        last = k
    elif first is not None and k - last > 100:
        pieces.append((first, last))
        first = None

def describe(first, last):
    quiet = run = 0
    for on in loud[first:last + 1]:
        run = 0 if on else run + 1
        quiet = max(quiet, run)
    left = data[first * W * 2:(last + 1) * W * 2:2]
    crossings = sum(1 for a, b in zip(left, left[1:]) if (a >= 0) != (b >= 0))
    length = (last - first + 1) * W / rate
    return length, quiet * 5, crossings / 2 / length

names = ["effect (0.5 s, 440 Hz)", "MIDI (stopped after 1 s)", "MP3 (stopped after 1 s, 1 kHz)",
         "looping MIDI (2 s piece, 5 s)"]
found = [describe(*p) for p in pieces]
for name, (length, quiet, hz) in zip(names, found):
    print(f"{name}: {length:.2f} s, longest silence {quiet} ms, about {hz:.0f} Hz")
assert len(found) == 4, f"expected 4 sounds separated by silence, found {len(found)}"
(e, _, e_hz), (m, _, _), (p, _, p_hz), (l, l_quiet, _) = found
assert 0.45 <= e <= 0.6 and 400 <= e_hz <= 480, "the effect is not the 0.5 s 440 Hz WAV"
assert 0.8 <= m <= 1.5, "the MIDI piece did not sound for the second it played"
assert 0.8 <= p <= 1.3 and 900 <= p_hz <= 1100, "the MP3 piece did not sound for the second it played"
assert l >= 4.5, f"the 2 s piece stopped after {l:.2f} s instead of looping"
assert l_quiet <= 50, f"a silence of {l_quiet} ms inside the looping piece"
PY
[[ $? -eq 0 ]] || fail "the written sound is wrong"
echo "PASS"
