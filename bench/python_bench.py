#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Times the installed Python package (not a timed test): microseconds per
call of roll("3d6") with its full result objects, reply("3d6") and a Roller's
roll, and seconds for fairness("3d6", 10_000_000) beside the tool's time for
the same check (its process start included). The best of five runs each.

Usage: VENV/bin/python bench/python_bench.py [TOOL], in a venv where the
wheel is installed; TOOL is the command-line tool (build/default/rollwright).
"""
import subprocess
import sys
import time
import timeit

import rollwright

CALLS = 200_000
SETS = 10_000_000
REPEATS = 5


def per_call(statement: str) -> float:
    timer = timeit.Timer(statement, globals={
        "rollwright": rollwright, "roller": rollwright.Roller(1)})
    return min(timer.repeat(REPEATS, CALLS)) / CALLS * 1e6


def best_seconds(run) -> float:
    times = []
    for _ in range(REPEATS):
        start = time.perf_counter()
        run()
        times.append(time.perf_counter() - start)
    return min(times)


for name, statement in [
        ('roll("3d6")', 'rollwright.roll("3d6")'),
        ('reply("3d6")', 'rollwright.reply("3d6")'),
        ('Roller.roll("3d6")', 'roller.roll("3d6")'),
        ('roll("3#d20 skill 12 sword")', 'rollwright.roll("3#d20 skill 12 sword")'),
        ('roll("3d6", seed=1)', 'rollwright.roll("3d6", seed=1)')]:
    print(f"{name:32} {per_call(statement):6.2f} us per call")

check = best_seconds(lambda: rollwright.fairness("3d6", SETS, seed=1))
label = 'fairness("3d6", 10_000_000)'
print(f"{label:32} {check:6.3f} s")
if len(sys.argv) > 1:
    command = [sys.argv[1], "--seed", "1", "--fairness", str(SETS), "--json", "3d6"]
    tool = best_seconds(lambda: subprocess.run(command, check=True, stdout=subprocess.DEVNULL))
    print(f'{"tool --fairness 10000000 3d6":32} {tool:6.3f} s')
