# What slope_angle, sweep and factor_of_safety take and give (calls.txt): numpy's broadcasting
# over all five values, NaN in and NaN out, the factors of safety zelm-fs --check states, and
# the values refused in the program's own words.

import os
import tracemalloc

import numpy as np
import pytest
from conftest import TESTS

import zelm_fs

names = {"sweep": zelm_fs.sweep, "slope_angle": zelm_fs.slope_angle, "factor_of_safety": zelm_fs.factor_of_safety,
         "np": np, "nan": np.nan, "inf": np.inf, "phi": np.array([10.0, 25.0, 30.0, 45.0]), "grid": np.arange(60.0).reshape(3, 4, 5)}
one_by_one = np.vectorize(lambda *v: zelm_fs.slope_angle(*v), otypes=[np.float32])


def calls():
    for line in (TESTS / "python" / "calls.txt").read_text().splitlines():
        if line and not line.startswith("#"):
            call, said = (part.strip() for part in line.split(" | "))
            yield pytest.param(call, said, id=call)


@pytest.mark.parametrize("call, said", calls())
def test_calls(call, said):
    if said.startswith("="):
        found = eval(call, names)
        np.testing.assert_array_equal(tuple(found), eval(said[1:], names))
        assert (found.lower.dtype, found.upper.dtype, found.side.dtype) == (np.float64, np.float64, np.int8)
        return
    if not said.startswith("("):
        with pytest.raises(ValueError, match=said):
            eval(call, names)
        return
    found = eval(call, names)
    assert np.shape(found) == eval(said) and found.dtype == np.float32 and isinstance(found, np.ndarray) == (said != "()")
    np.testing.assert_array_equal(found, eval(call.replace("slope_angle", "one_by_one"), {**names, "one_by_one": one_by_one}))


def test_factor_of_safety_broadcast_over_scalars_and_nan():
    one = zelm_fs.factor_of_safety(30, 2, 2.5, 20, 35)
    assert one == (1.33, 1.35, 0) and isinstance(one.lower, np.float64) and isinstance(one.side, np.int8)
    phi, heights, angles = np.array([[20.0], [30.0], [np.nan]]), [[5.0], [20.0]], [30, 45, 60, 89]
    found = zelm_fs.factor_of_safety(phi[:, None], 2, 2.5, heights, angles)
    assert all(a.shape == (3, 2, 4) for a in found)
    for index in np.ndindex(3, 2, 4):
        i, j, k = index
        alone = zelm_fs.factor_of_safety(phi[i, 0], 2, 2.5, heights[j][0], angles[k])
        np.testing.assert_array_equal([a[index] for a in found], alone)
    assert np.isnan(found.lower[2]).all() and np.isnan(found.upper[2]).all() and (found.side[2] == 0).all()
    assert zelm_fs.factor_of_safety(np.zeros((0, 2)), 2, 2.5, 20, 35).lower.shape == (0, 2)


def test_long_arrays_shared_between_cores_give_each_element_its_own_angle():
    rng = np.random.default_rng(7)
    few = [rng.normal(30, 4, 97), rng.lognormal(0.7, 0.3, 97), 2.5, rng.uniform(0.5, 25, 97), 1.5]
    taken = rng.integers(0, 97, 300_001)  # many chunks, in no order
    found = zelm_fs.slope_angle(*(a[taken] if np.ndim(a) else a for a in few))
    np.testing.assert_array_equal(found, one_by_one(*few)[taken])


@pytest.mark.parametrize("position", range(5))
def test_a_nan_anywhere_gives_nan(position):
    values = [30.0, 2.0, 2.5, 10.0, 1.5]
    values[position] = np.array([values[position], np.nan])
    assert np.isnan(zelm_fs.slope_angle(*values)).tolist() == [False, True]


def test_the_command_line_s_refusals_of_a_value_in_its_words():
    # tests/usage/errors.txt: the six values as typed, given to sweep, and five values of
    # --check that describe no slope, as numbers, given to factor_of_safety.
    names = dict(zip(("PHI", "C", "D", "H", "STEP", "FS", "ANGLE"), ("phi", "cohesion", "density", "height", "step", "fs", "angle")))
    checked = [0, 0]
    for line in (TESTS / "usage" / "errors.txt").read_text().splitlines():
        arguments, _, said = line.partition(" | ")
        name, _, why = said.partition(": ")
        words, check = arguments.split(), arguments.startswith("--check ")
        if name in names and len(words) == 6 and (why.startswith("the ") or not check):
            with pytest.raises(ValueError, match=f"^{names[name]}: {why}"):
                zelm_fs.factor_of_safety(*map(float, words[1:])) if check else zelm_fs.sweep(*words)
            checked[check] += 1
    assert checked[0] >= 4 and checked[1] >= 6


@pytest.mark.skipif(os.sysconf("SC_PHYS_PAGES") * os.sysconf("SC_PAGE_SIZE") >= 16 * 2147483520,
                    reason="this machine holds even the longest sweep")
def test_a_sweep_that_could_never_fit_is_refused_before_anything_is_allocated():
    tracemalloc.start()
    with pytest.raises(MemoryError, match=r"^the sweep has 2147483520 rows, whose arrays take 34[.]4 GB, more than"):
        zelm_fs.sweep(30, 2, 2.5, 2147483520, 1, 1.5)  # the most rows a run counts
    assert tracemalloc.get_traced_memory()[1] < 1 << 20
    tracemalloc.stop()
