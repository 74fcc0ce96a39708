"""What slope_angle and sweep take: numpy's broadcasting over all five values, NaN in and
NaN out, and the values refused in the program's own words."""

import os
import tracemalloc

import numpy as np
import pytest

from conftest import TESTS

import zelm_fs


def one_by_one(*arguments):
    """slope_angle called once per element, on scalars: what broadcasting must give."""
    return np.vectorize(lambda *v: zelm_fs.slope_angle(*v), otypes=[np.float32])(*arguments)


phi = np.array([10.0, 25.0, 30.0, 45.0])  # 10 and 45 give an x without a chart row
grid = np.arange(60, dtype=np.float64).reshape(3, 4, 5)


@pytest.mark.parametrize(
    "arguments, shape",
    [
        ((30, 2, 2.5, 20, 1.5), ()),
        ((phi, 2, 2.5, 10, 1.5), (4,)),
        ((phi[:, None], [0.5, 2, 8], 2.5, 10, 1.5), (4, 3)),
        ((phi[:, None, None], 2, [[2.0], [2.5]], np.arange(1, 6), 1.2), (4, 2, 5)),
        ((30, grid / 10, 2.5, grid[0, 0] + 1, 1.5), (3, 4, 5)),
        ((30, 2, 2.5, grid[:, ::2, ::-2].T + 0.5, 1.3), (3, 2, 3)),  # strided, reversed, transposed
        ((np.asfortranarray(grid[0] + 20), 2, 2.5, 10, 1.5), (4, 5)),
        ((phi.astype(np.float32)[:, None], np.int64(2), 2.5, np.arange(1, 21, dtype=np.int32), 1.5), (4, 20)),
        ((np.zeros((0, 3)), 2, 2.5, 10, 1.5), (0, 3)),
    ],
)
def test_shapes_broadcast_as_numpy_s_own(arguments, shape):
    found = zelm_fs.slope_angle(*arguments)
    assert np.shape(found) == shape and found.dtype == np.float32
    assert isinstance(found, np.ndarray) == (shape != ())
    np.testing.assert_array_equal(found, one_by_one(*arguments))


def test_long_arrays_shared_between_cores_give_each_element_its_own_angle():
    rng = np.random.default_rng(7)
    few = [rng.normal(30, 4, 97), rng.lognormal(0.7, 0.3, 97), 2.5, rng.uniform(0.5, 25, 97), 1.5]
    taken = rng.integers(0, 97, 300_001)  # many chunks, in no order
    many = [a[taken] if np.ndim(a) else a for a in few]
    np.testing.assert_array_equal(zelm_fs.slope_angle(*many), one_by_one(*few)[taken])


@pytest.mark.parametrize("position", range(5))
def test_a_nan_anywhere_gives_nan(position):
    values = [30.0, 2.0, 2.5, 10.0, 1.5]
    values[position] = np.array([values[position], np.nan])
    found = zelm_fs.slope_angle(*values)
    assert not np.isnan(found[0]) and np.isnan(found[1])


@pytest.mark.parametrize(
    "call, error",
    [
        (lambda: zelm_fs.sweep(30, 2, "2,5", 20, 1, 1.5),
         r"^density: '2,5' is not a number written with a decimal point, such as 2[.]5$"),
        (lambda: zelm_fs.sweep(float("nan"), 2, 2.5, 20, 1, 1.5), r"^phi: nan is not a number"),
        (lambda: zelm_fs.sweep(30, None, 2.5, 20, 1, 1.5), r"^cohesion: None is not a number"),
        (lambda: zelm_fs.sweep(30, 2, 2.5, 1e39, 1, 1.5),
         r"^height: 1e[+]39 is too large: a value lies between -3[.]4e38 and 3[.]4e38$"),
        (lambda: zelm_fs.sweep(30, 2, 2.5, 20, float("-inf"), 1.5), r"^step: -inf is too large"),
        (lambda: zelm_fs.sweep(30, 2, 2.5, 20, 1, 1e-50),
         r"^fs: 1e-50 is too close to 0 to be held: write 0 or a larger value$"),
        (lambda: zelm_fs.slope_angle([30, 1e39], 2, 2.5, 20, 1.5), r"^phi\[1\]: 1e[+]39 is too large"),
        (lambda: zelm_fs.slope_angle(30, 2, 2.5, [[1, 2], [3, np.inf]], 1.5), r"^height\[1, 1\]: inf is too large"),
        (lambda: zelm_fs.slope_angle(30, 2, -1e-46, 20, 1.5), r"^density: -1e-46 is too close to 0"),
        (lambda: zelm_fs.slope_angle(30, 2, 2.5, 20, "1.5"), r"^fs: '1[.]5' is not a number$"),
        (lambda: zelm_fs.slope_angle(30, [2, None], 2.5, 20, 1.5), r"^cohesion: an array of object is not a number$"),
        (lambda: zelm_fs.slope_angle([30, 31], [2, 3, 4], 2.5, 20, 1.5),
         r"^phi, cohesion, density, height and fs do not broadcast together: shapes [(]2,[)], [(]3,[)], [(][)], [(][)], [(][)]$"),
    ],
)
def test_values_refused_in_the_program_s_words(call, error):
    with pytest.raises(ValueError, match=error):
        call()


def test_the_console_s_refusals_name_the_same_values():
    """The command line's refusals of a value (tests/usage/errors.txt), word for word."""
    cli_names = dict(zip(("PHI", "C", "D", "H", "STEP", "FS"), ("phi", "cohesion", "density", "height", "step", "fs")))
    checked = 0
    for line in (TESTS / "usage" / "errors.txt").read_text().splitlines():
        arguments, _, said = line.partition(" | ")
        name, _, why = said.partition(": ")
        if line.startswith("#") or name not in cli_names or len(arguments.split()) != 6:
            continue
        with pytest.raises(ValueError, match=f"^{cli_names[name]}: {why}"):
            zelm_fs.sweep(*arguments.split())
        checked += 1
    assert checked >= 4


@pytest.mark.skipif(os.sysconf("SC_PHYS_PAGES") * os.sysconf("SC_PAGE_SIZE") >= 16 * 2147483520,
                    reason="this machine holds even the longest sweep")
def test_a_sweep_that_could_never_fit_is_refused_before_anything_is_allocated():
    tracemalloc.start()
    with pytest.raises(MemoryError, match=r"^the sweep has 2147483520 rows, whose arrays take 34[.]4 GB, more than"):
        zelm_fs.sweep(30, 2, 2.5, 2147483520, 1, 1.5)  # the most rows a run counts
    assert tracemalloc.get_traced_memory()[1] < 1 << 20
    tracemalloc.stop()
