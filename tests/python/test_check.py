# factor_of_safety answers what zelm-fs --check states first: the chart's range, or for a
# dry slope with no cohesion whose exact FS, tan(phi)/tan(angle), the chart overstates,
# that exact FS, the safe number. Over a spread of cohesionless slopes, from well below
# atan(tan(phi)) to well above it and across the chart's rows, the module's ends are the
# program's, and its lower end never lies above the exact FS.

import re

import numpy as np
import pytest
from conftest import program_output

import zelm_fs


def test_a_dry_slope_the_chart_puts_above_1_is_given_its_exact_fs_below_1():
    # Chart 1's row reads FS 1.01 to 1.02; the slope stands at FS 0.997 and is expected to fail.
    fs = zelm_fs.factor_of_safety(33, 0, 2, 10, 33.19)
    assert (fs.lower, fs.upper, fs.side, fs.exact) == (0.99, 0.99, 0, True)
    assert (fs.chart_lower, fs.chart_upper) == (1.01, 1.02)
    lower, upper, side = fs  # unpacked as before
    assert fs._replace(side=0) == fs and fs._replace(side=0).exact


@pytest.mark.filterwarnings("ignore::zelm_fs.ZelmWarning")
@pytest.mark.parametrize("phi", [20, 25, 30, 33, 38, 45])
def test_cohesionless_slopes_are_given_the_fs_the_program_states_first(phi):
    steepest = np.degrees(np.arctan(np.tan(np.radians(phi))))
    typed = [f"{a:.2f}" for a in np.concatenate([steepest + np.arange(-4, 4, 0.1), np.arange(6, 84, 2)])]
    lines = program_output("--check", str(phi), "0", "2", *(v for a in typed for v in ("10", a))).decode()
    fs = zelm_fs.factor_of_safety(phi, 0, 2, 10, [float(a) for a in typed])

    stated = [re.search(r": FS (below |above )?([0-9.]+)(?: to ([0-9.]+))?( [(]exact)?", line).groups()
              for line in lines.splitlines()]
    beyond = np.array([{"below ": -1, "above ": 1, None: 0}[b] for b, *_ in stated])
    first = np.array([float(f) for _, f, _, _ in stated])
    last = np.array([float(t or f) for _, f, t, _ in stated])
    np.testing.assert_array_equal(fs.side, beyond)
    np.testing.assert_array_equal(fs.lower, np.where(beyond == -1, np.nan, first))
    np.testing.assert_array_equal(fs.upper, np.where(beyond == -1, first, np.where(beyond == 1, np.nan, last)))
    np.testing.assert_array_equal(fs.exact, [e is not None for *_, e in stated])

    degrees = np.float32([phi, *map(float, typed)]).astype(np.float64)  # as the values are held
    exact = np.tan(np.radians(degrees[0])) / np.tan(np.radians(degrees[1:]))
    assert not (fs.lower > exact).any()
    # Where the exact FS is given, the chart states more; elsewhere its range is the answer.
    assert fs.exact.any() and (fs.chart_lower[fs.exact] > fs.lower[fs.exact]).all()
    np.testing.assert_array_equal(fs.chart_lower[~fs.exact], fs.lower[~fs.exact])
    np.testing.assert_array_equal(fs.chart_upper[~fs.exact], fs.upper[~fs.exact])
