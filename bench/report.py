#!/usr/bin/env python3
"""Turns the raw figures bench/run.sh collected into markdown tables.

Input lines (whitespace separated):
    run <platform> <program> <key> <value>   one figure of one run
    size <key> <bytes>                       a binary's size
    instr <platform> <key> <count>           an instruction count (callgrind)
    meta <key> <text...>                     facts about the run
Output: the markdown block for docs/performance.md, on stdout.
"""

import statistics
import sys
from collections import defaultdict

PLATFORMS = [("offscreen", "offscreen"), ("xcb", "X11 (Xvfb)")]
CHANGES = [
    ("change_1_2", "personal data → Q1–Q10 (nextButton)"),
    ("change_2_3", "Q1–Q10 → Q11–Q19 (nextButton)"),
    ("change_3_4", "Q11–Q19 → score (nextButton)"),
    ("change_4_5", "score → details (detailsButton)"),
    ("change_5_6", "details → caution (cautionButton)"),
    ("change_6_7", "caution → advice (adviceButton)"),
]
PAGE_CHANGE_LIMIT_MS = 8.0      # median of the runs
PAGE_CHANGE_CEILING_MS = 12.0   # no single run above it
FIRST_FRAME_LIMIT = 1.1         # wall time and instructions, each against the floor
SPLASH_CPU_LIMIT_PERCENT = 1.0
MEMORY_LIMIT = 1.5


def read(path):
    runs = defaultdict(list)
    sizes, instr, meta = {}, {}, {}
    with open(path, encoding="utf-8") as lines:
        for line in lines:
            parts = line.split()
            if not parts:
                continue
            if parts[0] == "run" and len(parts) == 5:
                runs[(parts[1], parts[2], parts[3])].append(float(parts[4]))
            elif parts[0] == "size" and len(parts) == 3:
                sizes[parts[1]] = int(parts[2])
            elif parts[0] == "instr" and len(parts) == 4:
                instr[(parts[1], parts[2])] = int(parts[3])
            elif parts[0] == "meta" and len(parts) >= 2:
                meta[parts[1]] = " ".join(parts[2:])
    return runs, sizes, instr, meta


class Figure:
    """Median, min and max of one figure over its runs, in display units."""

    def __init__(self, values, scale=1.0):
        self.values = [v * scale for v in values]

    def __bool__(self):
        return bool(self.values)

    @property
    def median(self):
        return statistics.median(self.values)

    def cell(self, digits=1):
        if not self.values:
            return "—"
        fmt = f"{{:.{digits}f}}"
        low, high = min(self.values), max(self.values)
        return f"{fmt.format(self.median)} ({fmt.format(low)}–{fmt.format(high)}, n={len(self.values)})"


def ratio(ours, floor):
    if not ours or not floor or floor.median == 0:
        return None
    return ours.median / floor.median


def verdict(ok):
    return "—" if ok is None else ("yes" if ok else "**no**")


def millions(count):
    return "—" if not count else f"{count / 1e6:.1f}"


def mib(kib_values):
    return [v / 1024 for v in kib_values]


def main():
    runs, sizes, instr, meta = read(sys.argv[1])
    get = lambda platform, program, key, scale=1.0: Figure(runs.get((platform, program, key), []), scale)
    out = []
    w = out.append

    w("| Figure | Platform | Floor | Tellumo | Tellumo ÷ floor | Target | Met |")
    w("|---|---|---|---|---|---|---|")
    for platform, name in PLATFORMS:
        floor = get(platform, "floor", "first_frame_s", 1000)
        ours = get(platform, "start", "first_frame_s", 1000)
        r = ratio(ours, floor)
        w(f"| First painted frame after launch, ms | {name} | {floor.cell()} | {ours.cell()} | "
          f"{'—' if r is None else f'{r:.2f}'} | ≤ {FIRST_FRAME_LIMIT} × floor | "
          f"{verdict(None if r is None else r <= FIRST_FRAME_LIMIT)} |")
        floor_i, ours_i = instr.get((platform, "floor_first_frame")), instr.get((platform, "start_first_frame"))
        r = ours_i / floor_i if floor_i and ours_i else None
        w(f"| … instructions up to that frame, M | {name} | {millions(floor_i)} | {millions(ours_i)} | "
          f"{'—' if r is None else f'{r:.2f}'} | ≤ {FIRST_FRAME_LIMIT} × floor | "
          f"{verdict(None if r is None else r <= FIRST_FRAME_LIMIT)} |")
        floor = get(platform, "floor", "first_frame_cpu_s", 1000)
        ours = get(platform, "start", "first_frame_cpu_s", 1000)
        r = ratio(ours, floor)
        w(f"| … CPU time up to that frame, ms | {name} | {floor.cell()} | {ours.cell()} | "
          f"{'—' if r is None else f'{r:.2f}'} | | |")
    for platform, name in PLATFORMS:
        share = get(platform, "splash", "splash_cpu_share", 100)
        cpu = get(platform, "splash", "splash_cpu_s", 1000)
        wall = get(platform, "splash", "splash_wall_s")
        w(f"| CPU during the splash, % of its wall time | {name} | — | {share.cell(2)} | — | "
          f"≤ {SPLASH_CPU_LIMIT_PERCENT:g} % | {verdict(share.median <= SPLASH_CPU_LIMIT_PERCENT if share else None)} |")
        w(f"| … CPU ms over the splash's wall s | {name} | — | {cpu.cell(1)} ms / {wall.cell(3)} s | — | | |")
        w(f"| … instructions over the splash, M | {name} | — | {millions(instr.get((platform, 'splash')))} | — | | |")
    for platform, name in PLATFORMS:
        floor = Figure(mib(runs.get((platform, "floor", "first_frame_peak_kib"), [])))
        ours = Figure(mib(runs.get((platform, "walk", "walk_peak_kib"), [])))
        r = ratio(ours, floor)
        w(f"| Peak resident memory (VmHWM), MiB: floor at its first frame, Tellumo over a full walk | {name} | "
          f"{floor.cell()} | {ours.cell()} | {'—' if r is None else f'{r:.2f}'} | ≤ {MEMORY_LIMIT} × floor | "
          f"{verdict(None if r is None else r <= MEMORY_LIMIT)} |")
        fonts = Figure(mib(runs.get((platform, "walk", "walk_font_files_kib"), [])))
        if ours and fonts:
            without = Figure([p - f for p, f in zip(ours.values, fonts.values)])
            r = ratio(without, floor)
            w(f"| … of which mapped font files (three Japanese faces and the menu's font), MiB | {name} | 0 | "
              f"{fonts.cell()} | | | |")
            w(f"| … peak less the font files, MiB | {name} | {floor.cell()} | {without.cell()} | "
              f"{'—' if r is None else f'{r:.2f}'} | | |")
        splash = Figure(mib(runs.get((platform, "start", "first_frame_peak_kib"), [])))
        r = ratio(splash, floor)
        w(f"| … Tellumo at its first splash frame (like for like), MiB | {name} | {floor.cell()} | "
          f"{splash.cell()} | {'—' if r is None else f'{r:.2f}'} | | |")

    w("")
    w("Page changes, from the click to the next page's first painted frame: wall ms and CPU ms of the "
      "process over the same span (median, range, runs), and the instructions of one run under callgrind. "
      f"Target: median ≤ {PAGE_CHANGE_LIMIT_MS:g} ms and no run above {PAGE_CHANGE_CEILING_MS:g} ms.")
    w("")
    header = "| Change |"
    rule = "|---|"
    for _, name in PLATFORMS:
        header += f" {name} wall | {name} CPU | {name} instructions, M | Met |"
        rule += "---|---|---|---|"
    w(header)
    w(rule)
    for key, label in CHANGES:
        row = f"| {label} |"
        for platform, _ in PLATFORMS:
            wall = get(platform, "walk", key, 1000)
            cpu = get(platform, "walk", key + "_cpu", 1000)
            ok = None if not wall else (wall.median <= PAGE_CHANGE_LIMIT_MS
                                        and max(wall.values) <= PAGE_CHANGE_CEILING_MS)
            row += f" {wall.cell()} | {cpu.cell()} | {millions(instr.get((platform, key)))} | {verdict(ok)} |"
        w(row)

    if sizes:
        w("")
        w("| Binary | Size | Stripped |")
        w("|---|---|---|")
        kib = lambda b: f"{b / 1024:,.0f} KiB"
        for key, label in [("release", "build/bench/app/tellumo (Release, no debug information)"),
                           ("relwithdebinfo", "build/perf-dev/app/tellumo (RelWithDebInfo, with debug information)"),
                           ("floor", "build/bench/bench/tellumo_floor (Release)")]:
            if key in sizes:
                w(f"| {label} | {kib(sizes[key])} | {kib(sizes.get(key + '_stripped', 0))} |")

    if meta:
        w("")
        w("Run: " + "; ".join(f"{k.replace('_', ' ')}: {v}" for k, v in meta.items()) + ".")
    print("\n".join(out))


if __name__ == "__main__":
    main()
