# The documentation's examples run: help()'s worked examples as doctests, and the Monte
# Carlo study of doc/ on a small draw (its picture is not compared).

import doctest
import os
import subprocess
import sys

import pytest

import zelm_fs


@pytest.mark.filterwarnings("ignore::zelm_fs.ZelmWarning")
def test_the_docstrings_examples(tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)  # an example writes the result file
    assert doctest.testmod(zelm_fs, optionflags=doctest.NORMALIZE_WHITESPACE) == (0, 18)
    assert (tmp_path / "ZELM_FS_result.xls").read_bytes().count(b"\r\n") == 26


def test_the_monte_carlo_study_on_a_small_draw(tmp_path):
    picture = tmp_path / "study.png"
    subprocess.run([sys.executable, os.environ["ZELM_EXAMPLE"], "--draws", "2000", "--output", picture], check=True)
    assert picture.read_bytes().startswith(b"\x89PNG")
