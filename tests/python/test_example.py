# The documentation's examples run: help()'s worked examples as doctests, and the Monte
# Carlo study of doc/ on a small draw (its picture is not compared), and the cluster study
# of doc/ on a local cluster.

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


def test_the_cluster_study_answers_each_section_on_a_local_cluster_as_in_one_process(tmp_path):
    pytest.importorskip("distributed")
    example = os.path.join(os.path.dirname(os.environ["ZELM_EXAMPLE"]), "cluster_study.py")
    run = subprocess.run([sys.executable, example, "--draws", "300"], cwd=tmp_path, check=True, capture_output=True,
                         text=True)
    lines = run.stdout.splitlines()
    assert lines[0] == "2 workers, 300 draws a section, seed 1" and not run.stderr
    # The north wall's line, as one process answers it with the same seed.
    alone = zelm_fs.probability_of_failure(zelm_fs.normal(35, 3), zelm_fs.lognormal(40, 12), 24, 60, 45, draws=300,
                                           seed=1, units="si")
    assert f"probability of failure {alone.probability:.2%} (95%: {alone.interval[0]:.2%}" in lines[1]
    assert len(lines) == 5 and all(line.endswith("0 without an answer") for line in lines[1:])
