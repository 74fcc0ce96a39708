# The program's warnings (tests/warnings/warnings.txt, and those below): the same sentences
# in the run's warnings, each issued as a ZelmWarning from the caller's line.

import re
import warnings

import pytest
from conftest import run_of, table

import zelm_fs

listed = table("warnings/warnings.txt") + [
    ["30 2 2.5 20 5 0.8", "1", r"the factor of safety 0[.]8 is below 1: the angles written are those of slopes expected to fail[.]$"],
    ["26.3 4.2 2 6 1 2", "1", r"the angles printed check more than 3% below the FS 2 asked at H = 3,00: 88 checks at FS 1[.]87 "
                              r"to 1[.]93, 87 is confirmed; H = 4,00: .* 84 is confirmed; H = 6,00: .* 68 is confirmed[.] The file prints"]]


@pytest.mark.parametrize("values, count, said", listed, ids=[values for values, _, _ in listed])
def test_the_program_s_warnings(values, count, said):
    with warnings.catch_warnings(record=True) as issued:
        warnings.simplefilter("always")
        words, options = run_of(values)
        run = zelm_fs.sweep(*words, **options)
    assert len(run.warnings) == int(count)
    # As standard error shows them: the expected text may run on from line to line.
    shown = "\n".join("zelm-fs: warning: " + line for line in run.warnings)
    assert re.match("zelm-fs: warning: " + said, shown, re.S), shown
    assert [(str(w.message), w.category, w.filename) for w in issued] == [(line, zelm_fs.ZelmWarning, __file__)
                                                                          for line in run.warnings]
    assert issubclass(zelm_fs.ZelmWarning, UserWarning)
