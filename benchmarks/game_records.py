#!/usr/bin/env python3
"""The games kept with the high scores: how large their records are, and how
long one takes to check by playing it headless.

  game_records.py REEDSHOT

Plays the demo's game and three scripted whole games (300 to 600 shots),
exports each one's record from the table and prints
  RATIO game_record_bytes <the largest record>
  RATIO game_watch_verify_ms <the median time of --headless --watch>
The time is the processor time the watching program used (the machine may
be shared, and wall time then says little).
"""
import json
import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile


def scripted_game(gap_ms):
    """A whole game: seven shots over the lake, `gap_ms` apart, then a reload."""
    lines = ["wait 5000", "tap 120 160", "wait 1000", "tap 31 76", "wait 1000"]
    spent, n = 0, 0
    while spent < 200000:
        for _ in range(7):
            n += 1
            x = 20 + (n * 37) % 180
            y = 20 + (n * 53) % 280
            lines += [f"tap {x} {y}", f"wait {gap_ms}"]
            spent += gap_ms + 10
        lines += ["press app3", "wait 100"]
        spent += 110
    lines += ["wait 5000", "state", "quit"]
    return "\n".join(lines) + "\n"


def main():
    program = sys.argv[1]
    work = tempfile.mkdtemp(prefix="reedshot-bench-games-")
    try:
        records = []
        data = os.path.join(work, "demo-data")
        subprocess.run([program, "--demo", os.path.join(work, "demo"), "--data-dir", data],
                       check=True, stdout=subprocess.DEVNULL)
        records.append((data, None))
        for gap in (300, 400, 550):
            data = os.path.join(work, f"game-{gap}")
            out = subprocess.run([program, "--script", "-", "--data-dir", data],
                                 input=scripted_game(gap), text=True, check=True,
                                 capture_output=True).stdout
            records.append((data, json.loads(out.splitlines()[-1])["game"]["shotsFired"]))
        sizes, times = [], []
        for i, (data, shots) in enumerate(records):
            path = os.path.join(work, f"{i}.reedshot")
            subprocess.run([program, "--export-game", "1", path, "--data-dir", data], check=True)
            sizes.append(os.path.getsize(path))
            if shots is not None and not 300 <= shots <= 600:
                print(f"game_records.py: a scripted game fired {shots} shots", file=sys.stderr)
            for _ in range(3):
                before = resource.getrusage(resource.RUSAGE_CHILDREN)
                subprocess.run([program, "--headless", "--watch", path], check=True,
                               stdout=subprocess.DEVNULL)
                after = resource.getrusage(resource.RUSAGE_CHILDREN)
                times.append((after.ru_utime + after.ru_stime - before.ru_utime -
                              before.ru_stime) * 1000)
        print(f"game_records.py: records of {sizes} bytes; scripted games of "
              f"{[shots for _, shots in records[1:]]} shots", file=sys.stderr)
        print(f"RATIO game_record_bytes {max(sizes)}")
        print(f"RATIO game_watch_verify_ms {statistics.median(times):.1f}")
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
