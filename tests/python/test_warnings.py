"""The program's warnings (tests/warnings/warnings.txt): the same sentences in the run's
warnings, each issued as a ZelmWarning from the caller's line."""

import re
import warnings

import pytest
from conftest import TESTS

import zelm_fs


def listed():
    for line in (TESTS / "warnings" / "warnings.txt").read_text().splitlines():
        if line and not line.startswith("#"):
            values, count, said = (part.strip() for part in line.split("|", 2))
            yield pytest.param(values.split(), int(count), said, id=values)


@pytest.mark.parametrize("values, count, said", listed())
def test_the_program_s_warnings(values, count, said):
    with warnings.catch_warnings(record=True) as issued:
        warnings.simplefilter("always")
        run = zelm_fs.sweep(*values)
    assert len(run.warnings) == count
    # As standard error shows them, where the expected text may run from line to line.
    shown = "\n".join("zelm-fs: warning: " + line for line in run.warnings)
    assert re.match("zelm-fs: warning: " + said, shown, re.S), shown
    assert [str(w.message) for w in issued] == list(run.warnings)
    assert {w.category for w in issued} == {zelm_fs.ZelmWarning} and issubclass(zelm_fs.ZelmWarning, UserWarning)
    assert {w.filename for w in issued} == {__file__}


def test_a_run_without_warnings_issues_none():
    with warnings.catch_warnings():
        warnings.simplefilter("error")
        assert zelm_fs.sweep(30, 2, 2.5, 20, 1, 1.5).warnings == ()
