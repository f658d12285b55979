#!/bin/sh
# Makes the program's two sounds with SoX (Debian package "sox"). Run by hand after a
# change here; the WAV files are committed, so the build does not need SoX.
#   Exhaust.wav  one exhaust beat: a chuff, a short burst of low, shaped noise
#   Error.wav    the geometry-error tone: two short falling notes
set -eu
cd "$(dirname "$0")"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# 22.05 kHz mono 16-bit is plenty for noise and a tone, and keeps the files small.
format="-r 22050 -c 1 -b 16"

# The chuff: brown noise, its rumble and hiss cut away, a 5 ms attack and a 0.3 s
# logarithmic fall, peak at -3 dB. -R makes the noise the same on every run.
sox -R -n $format Exhaust.wav synth 0.35 brownnoise \
    highpass 90 lowpass 1800 fade l 0.005 0.35 0.3 gain -n -3

# The error tone: 880 Hz then 587 Hz (a fifth down), square waves softened by a low
# pass, each with short fades so that it does not click, peak at -6 dB.
sox -R -n $format "$tmp/high.wav" synth 0.12 square 880 lowpass 3000 fade t 0.005 0.12 0.02
sox -R -n $format "$tmp/gap.wav" trim 0 0.04
sox -R -n $format "$tmp/low.wav" synth 0.2 square 587 lowpass 3000 fade t 0.005 0.2 0.05
sox -R "$tmp/high.wav" "$tmp/gap.wav" "$tmp/low.wav" Error.wav gain -n -6

soxi Exhaust.wav Error.wav
