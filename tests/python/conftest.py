# What the module's tests share: the program's cases with six values, and the result file
# each must give, taken as the page's tests take them.

import os
import re
import subprocess
from pathlib import Path

import pytest

TESTS = Path(os.environ.get("ZELM_TESTS", Path(__file__).resolve().parents[1]))


def program_output(*arguments, cwd=None):
    # What the program itself (ZELM_PROGRAM) writes on standard output.
    return subprocess.run([os.environ["ZELM_PROGRAM"], *arguments], cwd=cwd, check=True, capture_output=True).stdout


def table(name):
    # A table of tests/, each line but comments and blank ones as its columns (split at " | ").
    lines = (TESTS / name).read_text().splitlines()
    return [[column.strip() for column in line.split(" | ")] for line in lines if line and not line.startswith("#")]


def six_value_cases():
    # (the six values as typed, its expected.xls or that of its SAME_AS case, or None, its
    # options: units and angles, as sweep's keywords); not the runs whose file holds Bishop's angles
    # (--angles bishop), which sweep does not write
    for case in sorted((TESTS / "cases").iterdir()):
        for given in (case / "values", case / "args"):
            if given.exists() and not {"--check", "--bishop"} & set(given.read_text().split()):
                described = (case / "case").read_text() if (case / "case").exists() else ""
                same_as = re.search(r"^SAME_AS (.*)$", described, re.M)
                expected = TESTS / same_as.group(1) / "expected.xls" if same_as else case / "expected.xls"
                given_options = " ".join(re.findall(r"^OPTIONS (.*)$", described, re.M))
                options = {name: value.lower() for name, value in re.findall(r"--(units|angles) (\w+)", given_options)}
                if options.get("angles") == "bishop":  # a file of Bishop's angles is bishop_angle's, not sweep's
                    continue
                yield pytest.param(given.read_text().split()[-6:], expected if expected.exists() else None,
                                   options, id=case.name)


def run_of(line):
    # The arguments of a command line that makes a run, as sweep's: "--units si 30 2 ..."
    words = line.split()
    options = {}
    while words[0].startswith("--"):
        options[words[0][2:]] = words[1]
        words = words[2:]
    return words, options
