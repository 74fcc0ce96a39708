"""factor_of_safety answers as zelm-fs --check does: the lines of tests/check/checks.txt and
those the program prints for slopes drawn at random, its refusals in the program's words,
and numpy's broadcasting with NaN in and NaN out."""

import re

import numpy as np
import pytest
from conftest import TESTS, program_output

import zelm_fs

ANSWER = re.compile(r"^H (\S+) m at (\S+) degrees: FS (below |above )?([0-9.]+)(?: to ([0-9.]+))? [(]chart 1, x = ")


def as_printed(phi, cohesion, density, lines):
    """The ends and the side that the program's lines state, and the slopes they name."""
    slopes, lower, upper, side = [], [], [], []
    for line in lines:
        height, angle, outside, first, last = ANSWER.match(line).groups()
        slopes.append((float(height), float(angle)))
        bound = float(first)
        lower.append(np.nan if outside == "below " else bound)
        upper.append(np.nan if outside == "above " else float(last or first))
        side.append({"below ": -1, "above ": 1, None: 0}[outside])
    heights, angles = np.array(slopes).T
    material = (float(v) for v in (phi, cohesion, density))  # a value of a few digits: the float the console reads
    return zelm_fs.factor_of_safety(*material, heights, angles), (lower, upper, side)


def checks():
    runs = []
    for line in (TESTS / "check" / "checks.txt").read_text().splitlines():
        if line.startswith("--check"):
            arguments, _, answer = line.partition(" | ")
            runs.append(pytest.param([w for w in arguments.split()[1:] if w != "--"], [answer], id=arguments))
        elif line.lstrip().startswith("| "):
            runs[-1].values[1].append(line.lstrip()[2:])
    return runs


@pytest.mark.parametrize("values, lines", checks())
def test_the_command_line_s_checks(values, lines):
    found, stated = as_printed(*values[:3], lines)
    for got, want in zip(found, stated):
        np.testing.assert_array_equal(got, want)
    assert found.lower.dtype == np.float64 and found.side.dtype == np.int8


def test_slopes_drawn_at_random_as_the_program_answers_them():
    rng = np.random.default_rng(24)
    for _ in range(12):
        material = [f"{rng.uniform(5, 60):.2f}", f"{rng.choice([0, rng.uniform(0, 30)]):.2f}", f"{rng.uniform(1.5, 2.8):.2f}"]
        slopes = [f"{v:.2f}" for pair in zip(rng.uniform(0.5, 60, 40), rng.uniform(5, 89.99, 40)) for v in pair]
        lines = program_output("--check", *material, *slopes).decode().splitlines()
        found, stated = as_printed(*material, lines)
        for got, want in zip(found, stated):
            np.testing.assert_array_equal(got, want)


def test_the_command_line_s_refusals_of_values_that_describe_no_slope():
    """--check's refusals of a value (tests/usage/errors.txt), word for word."""
    names = dict(zip(("PHI", "C", "D", "H", "ANGLE"), ("phi", "cohesion", "density", "height", "angle")))
    checked = 0
    for line in (TESTS / "usage" / "errors.txt").read_text().splitlines():
        arguments, _, said = line.partition(" | ")
        name, _, why = said.partition(": ")
        values = arguments.split()[1:]
        if arguments.startswith("--check ") and name in names and why.startswith("the ") and len(values) == 5:
            with pytest.raises(ValueError, match=f"^{names[name]}: {why}"):
                zelm_fs.factor_of_safety(*map(float, values))
            checked += 1
    assert checked >= 6


def test_broadcast_scalars_and_nan():
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


@pytest.mark.parametrize("call, said", [
    ("factor_of_safety(30, 2, 2.5, [[20], [10]], [35, 95])", r"^angle\[1\]: the slope angle 95 is above 90 degrees"),
    ("factor_of_safety(30, 2, 2.5, [[20], [-1]], [35, 45])", r"^height\[1, 0\]: the height of the slope -1 is not above 0$"),
    ("factor_of_safety([30, 1e39], 2, 2.5, 20, 35)", r"^phi\[1\]: 1e[+]39 is too large"),
    ("factor_of_safety(30, 2, 2.5, 20, [35, np.inf])", r"^angle\[1\]: inf is too large"),
    ("factor_of_safety(30, 2, 2.5, 20, '35')", r"^angle: '35' is not a number$"),
    ("factor_of_safety([30, 31], [2, 3, 4], 2.5, 20, 35)", r"^phi, cohesion, density, height and angle do not broadcast"),
])
def test_refusals(call, said):
    with pytest.raises(ValueError, match=said):
        eval(call, {"factor_of_safety": zelm_fs.factor_of_safety, "np": np})
