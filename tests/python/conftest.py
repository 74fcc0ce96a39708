"""What the module's tests share: the program's cases with six values, and the result
file each must give, as the page's tests take them."""

import os
import re
import subprocess
from pathlib import Path

import pytest

TESTS = Path(os.environ.get("ZELM_TESTS", Path(__file__).resolve().parents[1]))
PROGRAM = os.environ.get("ZELM_PROGRAM")


def program_output(*arguments, cwd=None):
    """What the program itself writes on standard output for these arguments."""
    if not PROGRAM:
        pytest.skip("ZELM_PROGRAM is not set: no program to compare with")
    return subprocess.run([PROGRAM, *arguments], cwd=cwd, check=True, capture_output=True).stdout


def six_value_cases():
    """Every case with six values: (the values as typed, its expected.xls, or that of the
    case it names SAME_AS, or None where it keeps none)."""
    found = []
    for case in sorted((TESTS / "cases").iterdir()):
        given = [case / name for name in ("values", "args") if (case / name).exists()]
        if not given:
            continue
        settings = (case / "case").read_text() if (case / "case").exists() else ""
        same_as = re.search(r"^SAME_AS (.*)$", settings, re.M)
        expected = TESTS / same_as.group(1) / "expected.xls" if same_as else case / "expected.xls"
        values = given[0].read_text().split()[-6:]
        found.append(pytest.param(values, expected if expected.exists() else None, id=case.name))
    return found
