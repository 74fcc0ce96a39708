# Every case of the program with six values, through the module: the very bytes of its
# result file (the values as typed, and as numbers), the file's rows in the arrays, and
# slope_angle giving each row's angle.

import numpy as np
import pytest
from conftest import program_output, six_value_cases

import zelm_fs


@pytest.mark.filterwarnings("ignore::zelm_fs.ZelmWarning")
@pytest.mark.parametrize("values, expected", six_value_cases())
def test_the_program_s_file_rows_and_angles(values, expected, tmp_path):
    wanted = expected.read_bytes() if expected else program_output("-o", "-", "--", *values)
    run = zelm_fs.sweep(*values)  # read as the console reads them
    for given in (values, [float(v) for v in values]):
        zelm_fs.sweep(*given).write(tmp_path / "r.xls")
        assert (tmp_path / "r.xls").read_bytes() == wanted

    # The rows read back, each cell a number (NaN where it is empty).
    rows = [line.split("\t")[:4] for line in wanted.decode("cp1252").split("\r\n")[6:-1]]
    height, x, y, angle = np.array([[float(c.replace(",", ".") or "nan") for c in row] for row in rows]).reshape(-1, 4).T
    assert all(a.dtype == np.float32 and not a.flags.writeable for a in (run.height, run.x, run.y, run.angle))
    np.testing.assert_allclose(run.height, height, rtol=1e-6, atol=0.005)  # printed with two decimals
    np.testing.assert_array_equal(run.x, x.astype(np.float32))
    np.testing.assert_array_equal(np.where(np.isfinite(run.y), run.y, np.nan), y.astype(np.float32))
    np.testing.assert_array_equal(np.rint(run.angle), angle)  # printed in whole degrees

    phi, cohesion, density, _, _, fs = run.values
    np.testing.assert_array_equal(zelm_fs.slope_angle(phi, cohesion, density, run.height, fs), run.angle)


def test_the_rows_as_a_dataframe_under_the_workbook_s_column_titles():
    pytest.importorskip("pandas")
    run = zelm_fs.sweep(30, 2, 2.5, 20, 1, 1.5)
    frame = run.to_dataframe()
    assert list(frame.columns) == ["H (m)", "Tg (Phi)/FS=", "C'/(d*H*Tg Phi)", "angle (graus)"]
    np.testing.assert_array_equal(frame.to_numpy().T, [run.height, run.x, run.y, run.angle])
