#!/usr/bin/env python3
"""Design runs checked at the angles they print, over 3,000 random designs.

For each design (friction angle 20 to 45 degrees, C' 0.5 to 5, d 1.8 to 2.6, FS 1.2 to
2.0, a talus 1 to 30 m high in steps of 1 m, each typed with two decimals; seeded), the
program's design run gives the angle it prints at every height, and its own check
(--check) is asked for the factor of safety of a slope at that height and angle. Printed:

- how many printed angles check wholly below the design FS, by any amount and by more
  than 1, 2, 3, 5 and 10 percent, and how many runs hold such an angle;
- how finely the chart tells FS at these designs: one row of x (0.01) is 1/(100 x) of
  FS, at the median row and at the ninetieth percentile;
- the share of printed angles that check more than the margin below the design FS and
  that no warning of the run names (it must be 0);
- with a program whose workbook has the confirmed angle: the share of confirmed angles
  whose check does not reach the design FS (it must be 0), and of those one degree
  steeper that still reach it where the confirmed angle is below 90 (it must be 0).

Run by hand, one program or two (before and after, each measured alike):

    python3 bench/design_and_check.py build/default/zelm-fs [OTHER_PROGRAM ...]
"""

import math
import random
import re
import subprocess
import sys
import tempfile
import zipfile
from pathlib import Path

DESIGNS = int(__import__("os").environ.get("DESIGNS", "3000"))
MARGIN = 0.03  # the program's margin for the rows whose printed angle checks short


def designs(count, seed=29):
    draw = random.Random(seed)

    def typed(low, high):
        return f"{draw.uniform(low, high):.2f}"

    return [(typed(20, 45), typed(0.5, 5), typed(1.8, 2.6), typed(1, 30), "1", typed(1.2, 2.0))
            for _ in range(count)]


def comma(text):
    return float(text.replace(",", "."))


def highest_fs(line):
    """The largest FS a check line's answer reaches: 1.47 for "FS 1.44 to 1.47 (...)", just
    below 0.72 for "FS below 0.72 (...)"."""
    answer = re.search(r": FS (below |above )?([0-9.]+)(?: to ([0-9.]+))? \(", line)
    if answer.group(1) == "above ":
        return math.inf
    if answer.group(1) == "below ":  # every FS below the bound, none at it
        return math.nextafter(float(answer.group(2)), 0.0)
    return float(answer.group(3) or answer.group(2))


def named_heights(warnings):
    """The heights (ranges, in m) the warning of the rows that check short names."""
    line = next((w for w in warnings if "the angles printed check more than" in w), None)
    if line is None:
        return []
    ranges = [(comma(a), comma(b or a)) for a, b in
              re.findall(r"H = ([0-9,]+)(?: to ([0-9,]+))?: [0-9]+ checks", line)]
    more = re.search(r"and [0-9]+ more rows up to H = ([0-9,]+)", line)
    if more:
        ranges.append((ranges[-1][1], comma(more.group(1))))
    return ranges


def run(program, args, folder):
    return subprocess.run([program, *args], capture_output=True, text=True, encoding="cp1252",
                          cwd=folder, check=True)


def checked(program, design, slopes, folder):
    """The highest FS the check answers for each (height, angle) slope."""
    if not slopes:
        return []
    words = [w for slope in slopes for w in slope]
    lines = run(program, ["--check", "--", *design[:3], *words], folder).stdout.splitlines()
    return [highest_fs(line) for line in lines]


def confirmed_angles(workbook):
    """Column E of the workbook's rows, by row: the confirmed angle, where it has one."""
    with zipfile.ZipFile(workbook) as book:
        sheet = book.read("xl/worksheets/sheet1.xml").decode()
    titles = re.search(r"<row r=\"([0-9]+)\"><c r=\"A[0-9]+\"[^>]*t=\"inlineStr\"><is><t>H \(m\)", sheet)
    if titles is None or "confirmed angle" not in sheet:
        return None
    first = int(titles.group(1)) + 1
    found = {int(row): float(value) for row, value in
             re.findall(r"<c r=\"E([0-9]+)\" s=\"[0-9]+\"><v>([0-9.]+)</v>", sheet)}
    return {row - first: value for row, value in found.items() if row >= first}


def study(program, folder):
    rows = below = unnamed = 0
    beyond = {margin: 0 for margin in (0.01, 0.02, 0.03, 0.05, 0.10)}
    runs_beyond = dict.fromkeys(beyond, 0)
    row_widths = []
    confirmed = not_reaching = steeper_reaching = 0
    has_confirmed = True
    for design in designs(DESIGNS):
        fs = float(design[5])
        done = run(program, ["-w", "-o", "run.xls", "--", *design], folder)
        warnings = [w[len("zelm-fs: warning: "):] for w in done.stderr.splitlines()]
        text = (Path(folder) / "run.xls").read_bytes().decode("cp1252").split("\r\n")
        table = [line.split("\t") for line in text[6:] if line]
        heights = [cell[0].strip() for cell in table]
        printed = [cell[3] for cell in table]
        slopes = [(h.replace(",", "."), a) for h, a in zip(heights, printed) if a and a != "0"]
        answers = checked(program, design, slopes, folder)
        named = named_heights(warnings)
        shortest = -math.inf
        for (height, _), answer in zip(slopes, answers):
            rows += 1
            row_widths.append(0.01 / comma(table[0][1]))
            short = 1.0 - answer / fs
            shortest = max(shortest, short)
            below += short > 0
            for margin in beyond:
                beyond[margin] += short > margin
            h = float(height)
            if short > MARGIN and not any(low <= h <= high for low, high in named):
                unnamed += 1
        for margin in beyond:
            runs_beyond[margin] += shortest > margin
        angles = confirmed_angles(Path(folder) / "run.xlsx")
        if angles is None:
            has_confirmed = False
            continue
        at = [(heights[row].replace(",", "."), f"{angle:.0f}") for row, angle in sorted(angles.items())]
        steeper = [(h, f"{float(a) + 1:.0f}") for h, a in at if float(a) < 90]
        reached = checked(program, design, at + steeper, folder)
        confirmed += len(at)
        not_reaching += sum(answer < fs for answer in reached[:len(at)])
        steeper_reaching += sum(answer >= fs for answer in reached[len(at):])
    row_widths.sort()
    widths = [row_widths[int(q * (len(row_widths) - 1))] for q in (0.5, 0.9)]
    return rows, below, beyond, runs_beyond, widths, unnamed, has_confirmed, confirmed, not_reaching, steeper_reaching


def share(part, whole):
    return f"{100.0 * part / whole:.2f}% ({part} of {whole})"


def main(programs):
    for program in programs:
        with tempfile.TemporaryDirectory() as folder:
            rows, below, beyond, runs_beyond, widths, unnamed, has_confirmed, confirmed, short, steeper = study(
                str(Path(program).resolve()), folder)
        print(f"{program}: {DESIGNS} designs, {rows} printed angles checked")
        print(f"  one row of x is {widths[0]:.1%} of FS at the median row, {widths[1]:.1%} at the 90th percentile")
        print(f"  checking below the design FS: {share(below, rows)}")
        for margin, count in beyond.items():
            print(f"  by more than {margin:.0%}: {share(count, rows)}, in {share(runs_beyond[margin], DESIGNS)} of the runs")
        print(f"  more than {MARGIN:.0%} below and named by no warning: {share(unnamed, rows)}")
        if has_confirmed:
            print(f"  confirmed angles whose check does not reach the FS: {share(short, confirmed)}")
            print(f"  one degree steeper than confirmed (below 90) and reaching it: {share(steeper, confirmed)}")
        else:
            print("  no confirmed angle in its workbook")


if __name__ == "__main__":
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    main(sys.argv[1:])
