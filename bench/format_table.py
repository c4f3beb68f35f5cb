#!/usr/bin/env python3
"""Turns the benchmark program's JSON and the peak-memory runs into one markdown table.

Usage: format_table.py <benchmark json> <peak memory lines> <machine> <load before> <load after>
Every figure is the mean of repeated runs with its standard deviation and its range.
"""
import json
import statistics
import sys
from collections import defaultdict

FRAME_BUDGET_MS = 33.0 / 4.0
PACING_GOAL_MS = 1.0
FIRST_FRAME_GOAL_MS = 300.0
# The game's peak against a bare SFML program's showing the same window, font and music.
PEAK_RSS_FLOOR_RATIO_GOAL = 1.05

SCREENS = [
    ("title", "title"),
    ("story", "story"),
    ("how_to_play", "how to play"),
    ("densest_play", "play, densest level"),
    ("level_complete", "level complete"),
    ("final_results", "final results"),
    ("game_over", "game over"),
]


def spread(values, digits=2):
    mean = statistics.fmean(values)
    deviation = statistics.stdev(values) if len(values) > 1 else 0.0
    return (f"{mean:.{digits}f} ± {deviation:.{digits}f} "
            f"({min(values):.{digits}f}–{max(values):.{digits}f}, n={len(values)})")


def verdict(value, goal):
    return "met" if value <= goal else "**missed**"


def main():
    json_path, memory_path, machine, load_before, load_after = sys.argv[1:6]
    with open(json_path) as handle:
        report = json.load(handle)

    # Per benchmark, the value of each repetition.
    times = defaultdict(list)
    counters = defaultdict(lambda: defaultdict(list))
    for run in report["benchmarks"]:
        if run.get("run_type") != "iteration" or run.get("error_occurred"):
            continue
        name = run["run_name"]
        times[name].append(run["real_time"])
        for key in ("objects", "level", "mean_period_ms", "p50_error_ms", "p99_error_ms", "first_frame_ms"):
            if key in run:
                counters[name][key].append(run[key])

    memory = defaultdict(list)
    with open(memory_path) as handle:
        for line in handle:
            parts = line.split()
            if len(parts) == 2:
                memory[parts[0]].append(int(parts[1]) / 1024.0)

    rows = []

    def find(prefix):
        return next((name for name in times if name.startswith(prefix)), None)

    heaviest = None
    for key, label in SCREENS:
        name = find(f"frameWork/{key}/")
        if name is None:
            rows.append((f"frame work, {label} (ms)", "not measured", "", ""))
            continue
        values = times[name]
        mean = statistics.fmean(values)
        facts = counters[name]
        details = []
        if facts["level"]:
            details.append(f"level {int(facts['level'][0])}")
        if facts["objects"]:
            count = int(facts["objects"][0])
            details.append(f"{count} object" + ("" if count == 1 else "s"))
        if details:
            label += " [" + "; ".join(details) + "]"
        if heaviest is None or mean > heaviest[1]:
            heaviest = (label, mean)
        rows.append((f"frame work, {label} (ms)", spread(values), "", ""))
    if heaviest is not None:
        rows.append((f"frame work, heaviest screen ({heaviest[0]}) (ms)", f"{heaviest[1]:.2f}",
                     f"≤ {FRAME_BUDGET_MS:.2f}", verdict(heaviest[1], FRAME_BUDGET_MS)))

    cells = find("cellByCell")
    batch = find("handBatched")
    if cells and batch:
        rows.append(("80×24 screen through drawCh, cell by cell (ms)", spread(times[cells]), "", ""))
        rows.append(("same picture, one hand-built vertex array (ms)", spread(times[batch]), "", ""))
        ratios = [a / b for a, b in zip(times[cells], times[batch])]
        rows.append(("ratio drawCh / hand batch (run by run)", spread(ratios), "", ""))

    pacing = find("framePacing")
    if pacing:
        values = counters[pacing]
        rows.append(("pacing: mean frame period (ms)", spread(values["mean_period_ms"]), "33", ""))
        rows.append(("pacing: p50 of \\|period − 33 ms\\| (ms)", spread(values["p50_error_ms"]),
                     "", ""))
        p99 = values["p99_error_ms"]
        rows.append(("pacing: p99 of \\|period − 33 ms\\| (ms)", spread(p99),
                     f"≤ {PACING_GOAL_MS:.0f}", verdict(statistics.fmean(p99), PACING_GOAL_MS)))

    start = find("startUpToFirstFrame")
    if start:
        values = counters[start]["first_frame_ms"]
        rows.append(("start to first presented frame (ms)", spread(values, 1),
                     f"≤ {FIRST_FRAME_GOAL_MS:.0f}",
                     verdict(statistics.fmean(values), FIRST_FRAME_GOAL_MS)))

    if memory["peak_kb"]:
        peak = memory["peak_kb"]
        rows.append(("peak resident memory of the game, VmHWM (MB)", spread(peak, 1), "", ""))
        rows.append(("… of it Mesa/llvmpipe code (libLLVM, swrast_dri, GLX) (MB)",
                     spread(memory["mesa_kb"], 1), "", ""))
        rows.append(("… other mapped files (libraries, X shared image) (MB)",
                     spread(memory["file_kb"], 1), "", ""))
        rows.append(("… anonymous: heaps and stacks of every library and ours (MB)",
                     spread(memory["anon_kb"], 1), "", ""))
        floor = memory["floor_kb"]
        if floor:
            rows.append(("memory floor: bare SFML program, same window, font and music, VmHWM (MB)",
                         spread(floor, 1), "", ""))
            ratios = [game / bare for game, bare in zip(peak, floor)]
            rows.append(("ratio game / floor (run by run)", spread(ratios, 3),
                         f"≤ {PEAK_RSS_FLOOR_RATIO_GOAL:.2f}",
                         verdict(statistics.fmean(ratios), PEAK_RSS_FLOOR_RATIO_GOAL)))

    print(f"Measured on {machine}; load average before {load_before}, after {load_after}.")
    print("Figures: mean ± standard deviation (min–max, n runs).")
    print()
    print("| Measure | Result | Goal | |")
    print("|---|---|---|---|")
    for row in rows:
        print("| " + " | ".join(row) + " |")


if __name__ == "__main__":
    main()
