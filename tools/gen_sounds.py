#!/usr/bin/env python3
"""Writes the seven sound cues into data/Sounds: short, distinct, 16-bit PCM
mono WAV files at 22050 Hz. Deterministic: running it again gives the same
files."""
import math
import os
import struct
import wave

RATE = 22050
HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "data", "Sounds")

# name: list of (frequency in Hz, duration in ms); frequency 0 is a pause.
CUES = {
    "tippen.wav": [(1800, 25)],
    "zeichenabschluss.wav": [(2400, 35)],
    "modus.wav": [(660, 70), (880, 90)],
    "einhand.wav": [(880, 70), (660, 90)],
    "zeichenkombination.wav": [(523, 60), (659, 60), (784, 90)],
    "neuetabelle.wav": [(784, 60), (0, 30), (784, 60), (1047, 110)],
    "falsch.wav": [(220, 130), (0, 40), (185, 180)],
}


def tone(frequency, milliseconds):
    count = RATE * milliseconds // 1000
    fade = min(count // 4, RATE * 5 // 1000)
    samples = []
    for i in range(count):
        envelope = min(1.0, i / fade, (count - 1 - i) / fade) if fade else 1.0
        value = math.sin(2 * math.pi * frequency * i / RATE) if frequency else 0.0
        samples.append(int(12000 * envelope * value))
    return samples


def write(name, parts):
    samples = [s for frequency, ms in parts for s in tone(frequency, ms)]
    with wave.open(os.path.join(OUT, name), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(struct.pack(f"<{len(samples)}h", *samples))


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, parts in CUES.items():
        write(name, parts)


if __name__ == "__main__":
    main()
