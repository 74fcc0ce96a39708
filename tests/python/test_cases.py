# Every case of the program with six values, through the module: the very bytes of its
# result file (the values as typed, and as numbers), the file's rows in the arrays, and
# slope_angle and confirmed_angle giving each row's angles; the confirmed angle's check.

import numpy as np
import pytest
from conftest import program_output, six_value_cases

import zelm_fs


@pytest.mark.filterwarnings("ignore::zelm_fs.ZelmWarning")
@pytest.mark.parametrize("values, expected, options", six_value_cases())
def test_the_program_s_file_rows_and_angles(values, expected, options, tmp_path):
    given_options = [word for name, value in options.items() for word in ("--" + name, value)]
    wanted = expected.read_bytes() if expected else program_output("-o", "-", *given_options, "--", *values)
    run = zelm_fs.sweep(*values, **options)  # read as the console reads them
    for given in (values, [float(v) for v in values]):
        zelm_fs.sweep(*given, **options).write(tmp_path / "r.xls")
        assert (tmp_path / "r.xls").read_bytes() == wanted

    # The rows read back, each cell a number (NaN where it is empty).
    rows = [line.split("\t")[:4] for line in wanted.decode("cp1252").split("\r\n")[6:-1]]
    height, x, y, angle = np.array([[float(c.replace(",", ".") or "nan") for c in row] for row in rows]).reshape(-1, 4).T
    assert all(a.dtype == np.float32 and not a.flags.writeable for a in (run.height, run.x, run.y, run.angle))
    np.testing.assert_allclose(run.height, height, rtol=1e-6, atol=0.005)  # printed with two decimals
    np.testing.assert_array_equal(run.x, x.astype(np.float32))
    np.testing.assert_array_equal(np.where(np.isfinite(run.y), run.y, np.nan), y.astype(np.float32))
    # Printed in whole degrees: the chart's, or the confirmed ones.
    np.testing.assert_array_equal(np.rint(run.confirmed_angle if options.get("angles") == "confirmed" else run.angle), angle)

    # Element by element, as the sweep's rows, but NaN where the values describe no slope.
    phi, cohesion, density, _, _, fs = run.values
    slope = (0 < phi < 90) & (cohesion >= 0) & (density > 0) & (run.height > 0) & (fs > 0)
    for function, rows in ((zelm_fs.slope_angle, run.angle), (zelm_fs.confirmed_angle, run.confirmed_angle)):
        assert rows.dtype == np.float32 and not rows.flags.writeable
        np.testing.assert_array_equal(function(phi, cohesion, density, run.height, fs), np.where(slope, rows, np.nan))


@pytest.mark.filterwarnings("ignore::zelm_fs.ZelmWarning")
def test_the_check_of_the_confirmed_angle_reaches_the_fs_and_one_degree_steeper_does_not():
    rng = np.random.default_rng(11)
    phi, cohesion, height = rng.uniform(10, 50, 20_000), rng.lognormal(0.7, 0.8, 20_000), rng.uniform(0.5, 30, 20_000)
    fs = rng.integers(60, 300, 20_000) / 100  # as typed: the check states FS with two decimals

    def reaches(angle):
        lower, upper, side = zelm_fs.factor_of_safety(phi, cohesion, 2.5, height, angle)
        return (side == 1) | ((side == 0) & (upper >= fs))

    confirmed = zelm_fs.confirmed_angle(phi, cohesion, 2.5, height, fs)
    found = ~np.isnan(confirmed)
    assert 0.5 < found.mean() < 0.9 and (confirmed[found] == np.rint(confirmed[found])).all()
    assert reaches(confirmed)[found].all() and not reaches(confirmed + 1)[found & (confirmed < 90)].any()


def test_the_rows_as_a_dataframe_under_the_program_s_column_titles():
    pytest.importorskip("pandas")
    run = zelm_fs.sweep(30, 2, 2.5, 20, 1, 1.5)
    frame = run.to_dataframe()
    assert list(frame.columns) == ["H (m)", "Tg (Phi)/FS=", "C'/(d*H*Tg Phi)", "chart angle (graus)", "confirmed angle (graus)"]
    np.testing.assert_array_equal(frame.to_numpy().T, [run.height, run.x, run.y, run.angle, run.confirmed_angle])
