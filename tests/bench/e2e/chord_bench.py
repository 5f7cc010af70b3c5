#!/usr/bin/env python3
"""Chord latency under Wine with real X key events, and how long the window
thread stops answering while the error cue plays. A benchmark, not a test.

  chord_bench.py --tree DIR --probe PROBE.EXE [--chords 1000] [--cues 10] [--cue-only]

For each of two runs, with the cue files and without them (the "Sounds"
folder of the session's copy removed), the program is started with
KORVALIN_CHORD_TRACE naming a file, in which it writes for every chord the
microseconds from the chord's last key-up in the hook to its text in the
editor. xdotool types the chords (mode 1, six different cells, 30 ms
apart). Printed: the median and the 99th percentile of each run. Then chord
1-2, missing from a small table, plays the error cue CUES times while the
probe asks the window every 2 ms; printed is the longest wait for an answer.
--cue-only measures only the latter, also of a build without the trace.
Uses DISPLAY when it is set, otherwise starts Xvfb.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.dirname(os.path.abspath(__file__))), "..", "e2e"))
import session  # noqa: E402
from session import DOTS, Session, wine_environment  # noqa: E402
from e2e import start_display  # noqa: E402

CHORDS = [(1,), (1, 2), (1, 4), (1, 4, 5), (1, 5), (1, 2, 4)]  # a b c d e f in Standard.tab
PER_CALL = 50  # chords per xdotool call


def type_chords(s, count):
    for first in range(0, count, PER_CALL):
        args = []
        for n in range(first, min(count, first + PER_CALL)):
            dots = CHORDS[n % len(CHORDS)]
            args += [a for dot in dots for a in ("keydown", DOTS[dot])]
            args += [a for dot in reversed(dots) for a in ("keyup", DOTS[dot])]
            args += ["sleep", "0.03"]
        subprocess.run(["xdotool", *args], env=s.env, check=True)


def latency_run(env, tree, probe, count, sounds):
    trace_folder = tempfile.mkdtemp(prefix="korvalin-trace-")
    trace = os.path.join(trace_folder, "chords.txt")
    s = Session(dict(env, KORVALIN_CHORD_TRACE="Z:" + trace.replace("/", "\\")), tree, probe)
    try:
        if not sounds:
            shutil.rmtree(os.path.join(s.folder, "Korvalin", "Sounds"))
        type_chords(s, count)
        deadline = time.time() + 60
        while len(s.text()) < count and time.time() < deadline:
            time.sleep(0.5)
        typed = len(s.text())
    finally:
        s.close()
    with open(trace) as lines:
        micros = sorted(int(line.split()[1]) for line in lines if line.strip())
    shutil.rmtree(trace_folder, ignore_errors=True)
    if typed != count or len(micros) != count:
        raise SystemExit(f"{count} chords typed, {typed} characters in the editor, {len(micros)} traced")
    p99 = micros[min(len(micros) - 1, int(len(micros) * 0.99))]
    return statistics.median(micros) / 1000, p99 / 1000


def error_cue_run(env, tree, probe, cues):
    s = Session(env, tree, probe, {"Standard.tab": ["Kleine Tabelle", "1=97"]})
    longest = 0.0
    try:
        for _ in range(cues):
            asker = subprocess.Popen(["timeout", "20", env["KORVALIN_WINE"], probe, "answers", "1500"], env=env,
                                     stdout=subprocess.PIPE, text=True)
            time.sleep(0.5)  # the probe is running
            s.chord(1, 2)
            out, _ = asker.communicate()
            longest = max(longest, float(out.strip()))
    finally:
        s.close()
    return longest


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--tree", required=True)
    parser.add_argument("--probe", required=True)
    parser.add_argument("--chords", type=int, default=1000)
    parser.add_argument("--cues", type=int, default=10)
    parser.add_argument("--cue-only", action="store_true")
    args = parser.parse_args()
    session.TEST_SECONDS = 900  # the program's time limit: a thousand chords take minutes
    env = dict(os.environ)
    server = start_display(env)
    os.environ["DISPLAY"] = env["DISPLAY"]
    subprocess.run(["setxkbmap", "us"], env=env)
    env = wine_environment(os.path.join(os.path.dirname(os.path.abspath(args.probe)), "wineprefix"))
    try:
        for sounds in () if args.cue_only else (True, False):
            median, p99 = latency_run(env, args.tree, args.probe, args.chords, sounds)
            print(f"{args.chords} chords {'with' if sounds else 'without'} sounds: "
                  f"median {median:.2f} ms, 99th percentile {p99:.2f} ms")
        longest = error_cue_run(env, args.tree, args.probe, args.cues)
        print(f"error cue x{args.cues}: the window answered after at most {longest:.1f} ms")
    finally:
        subprocess.run(["wineserver", "-k"], env=env)
        if server:
            server.kill()


if __name__ == "__main__":
    main()
