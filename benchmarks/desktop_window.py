#!/usr/bin/env python3
"""The desktop game in a real window (run it under Xvfb), played for a while
at scale 3 with real X input: how many passes a second its message loop makes
and how much of a core the process uses.

Usage: desktop_window.py REEDSHOT_BINARY [SECONDS]
Prints:  RATIO desktop_passes_per_s <passes a second in play>
         RATIO desktop_cpu_pct <percent of one core in play>
"""
import os
import random
import subprocess
import sys
import tempfile
import time

SCALE = 3
WM_LBUTTONDOWN, WM_TIMER = 0x0201, 0x0113


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True,
                          text=True).stdout.strip()


def click(window, x, y):
    """A click at frame-buffer (x, y): the player sees it at (319 - y, x)."""
    xdotool("mousemove", "--window", window, str(SCALE * (319 - y) + 1),
            str(SCALE * x + 1), "click", "1")


def cpu_seconds(pid):
    with open(f"/proc/{pid}/stat") as f:
        fields = f.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")


def passes_per_second(recording, start, end):
    """Messages a second between the pen-downs at `start` and `end`, timed by
    the first tick count read while each of the two is handled."""
    start_lparam = start[0] | (start[1] << 16)
    end_lparam = end[0] | (end[1] << 16)
    state, first, passes = "before", None, 0
    with open(recording) as f:
        for line in f:
            fields = line.split()
            if not fields:
                continue
            if fields[0] == "T":
                tick = int(fields[1])
                if state == "started" and first is None:
                    first = tick
                elif state == "ending":
                    return passes * 1000.0 / (tick - first) if tick > first else 0.0
            elif fields[0] == "M":
                message, lparam = int(fields[1]), int(fields[3])
                if message == WM_LBUTTONDOWN and lparam == start_lparam and state == "before":
                    state = "started"
                elif message == WM_LBUTTONDOWN and lparam == end_lparam and first is not None:
                    state = "ending"
                elif state == "started" and first is not None:
                    passes += 1
    return 0.0


def main():
    binary = sys.argv[1]
    seconds = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    work = tempfile.mkdtemp(prefix="reedshot-bench-")
    runtime = os.path.join(work, "runtime")
    os.mkdir(runtime, 0o700)
    recording = os.path.join(work, "run.rec")
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime)
    game = subprocess.Popen([binary, "--scale", str(SCALE), "--mute", "--data-dir",
                             os.path.join(work, "data"), "--record", recording], env=env)
    try:
        window = xdotool("search", "--sync", "--onlyvisible", "--name", "^Reedshot$").split()[0]
        time.sleep(7)
        click(window, 120, 160)  # the title: on to the main menu
        time.sleep(3)
        new_game = (31, 76)
        click(window, *new_game)
        time.sleep(1)
        rng = random.Random(1)
        before, started = cpu_seconds(game.pid), time.monotonic()
        while time.monotonic() - started < seconds:
            time.sleep(0.5)
            click(window, rng.randrange(20, 200), rng.randrange(20, 300))  # a shot
        used = cpu_seconds(game.pid) - before
        elapsed = time.monotonic() - started
        corner = (235, 314)
        click(window, *corner)
        time.sleep(0.5)
    finally:
        game.terminate()
        game.wait(timeout=30)
    print(f"RATIO desktop_passes_per_s {passes_per_second(recording, new_game, corner):.1f}")
    print(f"RATIO desktop_cpu_pct {100.0 * used / elapsed:.1f}")


if __name__ == "__main__":
    main()
