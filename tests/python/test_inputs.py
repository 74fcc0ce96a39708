# What slope_angle, confirmed_angle, sweep, factor_of_safety and bishop_factor_of_safety take and give (calls.txt):
# numpy's broadcasting over all five values, NaN in and NaN out, the factors of safety
# zelm-fs --check states, the values refused and the one warning, in the program's own words.

import os
import re
import tracemalloc
import warnings

import numpy as np
import pytest
from conftest import table

import zelm_fs

names = {"sweep": zelm_fs.sweep, "slope_angle": zelm_fs.slope_angle, "factor_of_safety": zelm_fs.factor_of_safety,
         "confirmed_angle": zelm_fs.confirmed_angle, "bishop_factor_of_safety": zelm_fs.bishop_factor_of_safety,
         "np": np, "nan": np.nan, "inf": np.inf, "phi": np.array([10.0, 25.0, 30.0, 45.0]), "grid": np.arange(60.0).reshape(3, 4, 5)}
# Each function called once per element: what a call on arrays must give, element by element.
one_by_one = {"slope_angle": np.vectorize(zelm_fs.slope_angle, otypes=[np.float32]),
              "confirmed_angle": np.vectorize(zelm_fs.confirmed_angle, otypes=[np.float32]),
              "factor_of_safety": np.vectorize(lambda *v, **k: tuple(zelm_fs.factor_of_safety(*v, **k)), otypes=[np.float64, np.float64, np.int8]),
              "bishop_factor_of_safety": np.vectorize(zelm_fs.bishop_factor_of_safety, otypes=[np.float64])}


def parts(answer):  # slope_angle's array, or factor_of_safety's three
    return list(answer) if isinstance(answer, tuple) else [answer]


@pytest.mark.parametrize("call, said", [pytest.param(call, said, id=call) for call, said in table("python/calls.txt")])
def test_calls(call, said):
    said, _, warned = said.partition(" ! ")
    if not said.startswith(("(", "=")):
        with pytest.raises(ValueError, match=said):
            eval(call, names)
        return
    with warnings.catch_warnings(record=True) as issued:
        warnings.simplefilter("always")
        found = parts(eval(call, names))
    assert len(issued) == bool(warned) and all(w.category is zelm_fs.ZelmWarning for w in issued)
    assert not warned or re.search(warned, str(issued[0].message)), str(issued[0].message)
    with np.errstate(invalid="ignore"), warnings.catch_warnings():  # NaN met, warned, one element at a time
        warnings.simplefilter("ignore")
        alone = parts(eval(call, {**names, **one_by_one}))
    for mine, its in zip(found, alone, strict=True):  # numpy scalars for scalars alone
        assert mine.dtype == its.dtype and isinstance(mine, np.ndarray) == (its.ndim > 0)
        np.testing.assert_array_equal(mine, its)
    if said.startswith("="):
        np.testing.assert_array_equal(found, parts(eval(said[1:], names)))
    else:
        assert all(np.shape(mine) == eval(said) for mine in found)


@pytest.mark.parametrize("typed", ["2,5", "2.5,0", "abc", "1e39", "1e-50"])
def test_text_is_refused_in_the_words_sweep_and_the_console_give_it(typed):
    with pytest.raises(ValueError) as refused:
        zelm_fs.sweep(30, 2, typed, 20, 1, 1.5)
    words = str(refused.value).removeprefix("density: ")
    for function in ("slope_angle", "confirmed_angle", "factor_of_safety", "bishop_factor_of_safety"):
        for density, named in ((typed, "density"), ([[2.5, 2.5], [2.5, typed]], "density[1, 1]")):
            with pytest.raises(ValueError) as refused:
                names[function](30, 2, density, 20, 35)
            assert str(refused.value) == f"{named}: {words}"


def test_long_arrays_shared_between_cores_give_each_element_its_own_angle():
    rng = np.random.default_rng(7)
    few = [rng.normal(30, 4, 97), rng.lognormal(0.7, 0.3, 97), 2.5, rng.uniform(0.5, 25, 97), 1.5]
    taken = rng.integers(0, 97, 300_001)  # many chunks, in no order
    found = zelm_fs.slope_angle(*(a[taken] if np.ndim(a) else a for a in few))
    np.testing.assert_array_equal(found, one_by_one["slope_angle"](*few)[taken])


# An array is read where numpy keeps each element, whatever its order in memory: C or
# Fortran order (float32 rows of two elements lie as far apart as the columns of a 2 x 2
# one), reversed, or a slice taking every other element.
def test_any_memory_layout_gives_each_element_its_own_angle():
    heights = np.arange(4.0, 28.0, 1.5, dtype=np.float32).reshape(4, 4)
    expected = zelm_fs.slope_angle(30, 2, 2.5, heights, 1.5)
    for laid_out in (np.asfortranarray(heights), np.asfortranarray(heights[:2, :2]), heights[::-1, ::-1],
                     heights[:, ::2], np.asfortranarray(heights.astype(np.float64))):
        found = zelm_fs.slope_angle(30, 2, 2.5, laid_out, 1.5)
        np.testing.assert_array_equal(found, zelm_fs.slope_angle(30, 2, 2.5, np.ascontiguousarray(laid_out), 1.5))
    np.testing.assert_array_equal(zelm_fs.slope_angle(30, 2, 2.5, np.asfortranarray(heights), 1.5), expected)


@pytest.mark.skipif(os.sysconf("SC_PHYS_PAGES") * os.sysconf("SC_PAGE_SIZE") >= 20 * 2147483520,
                    reason="this machine holds even the longest sweep")
def test_a_sweep_that_could_never_fit_is_refused_before_anything_is_allocated():
    tracemalloc.start()
    with pytest.raises(MemoryError, match=r"^the sweep has 2147483520 rows, whose arrays take 42[.]9 GB, more than"):
        zelm_fs.sweep(30, 2, 2.5, 2147483520, 1, 1.5)  # the most rows a run counts
    assert tracemalloc.get_traced_memory()[1] < 1 << 20
    tracemalloc.stop()
