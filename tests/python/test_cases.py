"""Every case of the program with six values, through the module: the very bytes of the
program's result file, the rows of that file in the arrays, and slope_angle giving each
row's angle."""

import math
import warnings

import numpy as np
import pytest
from conftest import program_output, six_value_cases

import zelm_fs


def file_rows(data):
    """The four columns of a result file's rows, read back as numbers (NaN where empty)."""
    lines = data.decode("cp1252").split("\r\n")[6:-1]
    cells = [line.split("\t")[:4] for line in lines]
    return [np.array([float(c.replace(",", ".")) if c.strip() else math.nan for c in column]) for column in zip(*cells)]


@pytest.mark.parametrize("values, expected", six_value_cases())
def test_the_program_s_file_rows_and_angles(values, expected, tmp_path):
    wanted = expected.read_bytes() if expected else program_output("-o", "-", "--", *values)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", zelm_fs.ZelmWarning)
        typed = zelm_fs.sweep(*values)  # as the console reads them
        as_numbers = zelm_fs.sweep(*map(float, values))
    for run, name in ((typed, "typed.xls"), (as_numbers, "numbers.xls")):
        run.write(tmp_path / name)
        assert (tmp_path / name).read_bytes() == wanted, name

    run = typed
    columns = file_rows(wanted) or [np.array([])] * 4
    height, x, y, angle = columns
    assert len(run) == len(height)
    assert all(a.dtype == np.float32 and not a.flags.writeable for a in (run.height, run.x, run.y, run.angle))
    np.testing.assert_allclose(run.height, height, rtol=1e-6, atol=0.005)  # printed with two decimals
    np.testing.assert_array_equal(run.x, x.astype(np.float32))
    np.testing.assert_array_equal(np.where(np.isfinite(run.y), run.y, np.nan), y.astype(np.float32))
    np.testing.assert_array_equal(np.rint(run.angle), angle)  # printed in whole degrees

    phi, cohesion, density, _, _, fs = run.values
    np.testing.assert_array_equal(zelm_fs.slope_angle(phi, cohesion, density, run.height, fs), run.angle)
