# The documentation's examples run: help()'s worked examples as doctests, and the Monte
# Carlo study of doc/ on a small draw (its picture is not compared).

import doctest
import os
import re
import subprocess
import sys

import pytest

import zelm_fs


@pytest.mark.filterwarnings("ignore::zelm_fs.ZelmWarning")
def test_the_docstrings_examples(tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)  # an example writes the result file
    assert doctest.testmod(zelm_fs, optionflags=doctest.NORMALIZE_WHITESPACE) == (0, 26)
    assert (tmp_path / "ZELM_FS_result.xls").read_bytes().count(b"\r\n") == 26


@pytest.mark.parametrize("phi, output, said",
                         [("30 3", [], r": at H = 20 m, probability of failure below 1%: \d\d degrees, below 5%: \d\d "
                                       r"[(]Bishop at FS 1.5: \d\d, chart 1: \d\d[)]; 0 of 500 draws without an answer"),
                          ("22 4", ["--output", "study.png"], r": at H = 20 m, probability of failure below 1%: \d\d degrees")])
def test_the_monte_carlo_study_on_a_small_draw_tells_the_angles_below_1_and_5_percent(tmp_path, phi, output, said):
    # Its picture goes to the current folder unless --output names another file.
    run = subprocess.run([sys.executable, os.environ["ZELM_EXAMPLE"], "--draws", "500", "--phi", *phi.split(), *output],
                         cwd=tmp_path, check=True, capture_output=True, text=True)
    picture = tmp_path / (output[-1] if output else "monte_carlo.png")
    assert picture.read_bytes().startswith(b"\x89PNG") and re.search(said, run.stdout) and not run.stderr
    assert [p.name for p in tmp_path.iterdir()] == [picture.name]
