# The probability of failure by Monte Carlo: the facts it must keep, as data where it can.

import doctest
import math

import numpy as np
import pytest

import zelm_fs
from zelm_fs import _probability, lognormal, normal, probability_angle, probability_of_failure


def normal_cdf(x):
    return 0.5 * math.erfc(-x / math.sqrt(2.0))


def test_the_docstrings_example():
    assert doctest.testmod(_probability, optionflags=doctest.NORMALIZE_WHITESPACE).failed == 0


@pytest.mark.parametrize("phi, cohesion, angle", [(30, 15, 45), (30, 15, 70), (25, 5, 40)])
def test_without_spread_the_probability_is_0_or_1_as_the_slope_stands_or_fails(phi, cohesion, angle):
    fs = float(zelm_fs.bishop_factor_of_safety(phi, cohesion, 19.6, 10, angle, units="si"))
    answer = probability_of_failure(normal(phi, 0), normal(cohesion, 0), 19.6, 10, angle, draws=300, seed=3,
                                    units="si")
    assert answer.probability == (1.0 if fs < 1 else 0.0)
    assert np.allclose(answer.fs, fs, rtol=1e-4)


# A clay without friction: the critical circle is the same whatever the cohesion, and the
# factor of safety is the cohesion times a number k, so that a normal cohesion gives a
# normal factor of safety, failing with the probability Phi((1/k - mean) / sd) (truncated
# at a cohesion of 0, where the normal has a mass of Phi(-mean / sd)).
CLAY = [  # mean, sd of C' (kPa); H (m), angle (degrees)
    (30, 8, 10, 30),
    (40, 6, 12, 45),
    (25, 10, 8, 60),
]


@pytest.mark.parametrize("mean, sd, height, angle", CLAY)
def test_a_clay_of_normal_cohesion_fails_with_the_normal_probability(mean, sd, height, angle):
    k = float(zelm_fs.bishop_factor_of_safety(0, 1, 19.6, height, angle, units="si"))
    exact = (normal_cdf((1 / k - mean) / sd) - normal_cdf(-mean / sd)) / (1 - normal_cdf(-mean / sd))
    answer = probability_of_failure(0, normal(mean, sd), 19.6, height, angle, draws=20_000, seed=11, units="si")
    assert answer.probability == pytest.approx(exact, abs=4 * math.sqrt(exact * (1 - exact) / 20_000) + 1e-3)
    assert answer.mean == pytest.approx(k * answer.values["cohesion"].mean(), rel=1e-4)


def test_the_interval_covers_the_true_probability_at_its_stated_rate():
    mean, sd, height, angle = CLAY[0]
    k = float(zelm_fs.bishop_factor_of_safety(0, 1, 19.6, height, angle, units="si"))
    exact = normal_cdf((1 / k - mean) / sd)
    covered = [probability_of_failure(0, normal(mean, sd), 19.6, height, angle, draws=400, seed=seed,
                                      units="si").interval for seed in range(60)]
    rate = np.mean([low <= exact <= high for low, high in covered])
    assert 0.87 <= rate <= 1.0  # 95% stated; 60 seeds leave about 3% of spread


def test_the_same_seed_gives_the_same_draws_however_many_there_are():
    # Block by block: the first 4096 draws of 6000 are the 4096 draws, bit for bit.
    few = probability_of_failure(normal(30, 3), lognormal(15, 5), 19.6, 10, 45, draws=4096, seed=5, units="si")
    more = probability_of_failure(normal(30, 3), lognormal(15, 5), 19.6, 10, 45, draws=6000, seed=5, units="si")
    again = probability_of_failure(normal(30, 3), lognormal(15, 5), 19.6, 10, 45, draws=6000, seed=5, units="si")
    assert np.array_equal(few.fs, more.fs[:4096]) and np.array_equal(more.fs, again.fs)
    assert more.seed == 5
    fresh = probability_of_failure(normal(30, 3), lognormal(15, 5), 19.6, 10, 45, draws=100, units="si")
    remade = probability_of_failure(normal(30, 3), lognormal(15, 5), 19.6, 10, 45, draws=100, seed=fresh.seed,
                                    units="si")
    assert np.array_equal(fresh.fs, remade.fs)


@pytest.mark.filterwarnings("ignore::zelm_fs.ZelmWarning")  # the chart, on draws of every spread
def test_draws_lie_within_their_bounds_and_correlate_as_asked():
    answer = probability_of_failure(normal(30, 20), normal(5, 10), normal(19.6, 15), 10, 45, draws=20_000, seed=2,
                                    correlation=0.8, method="chart", units="si")
    phi, cohesion, density = (answer.values[k] for k in ("phi", "cohesion", "density"))
    assert phi.min() >= 0 and phi.max() < 90 and cohesion.min() >= 0 and density.min() > 0
    scores = probability_of_failure(normal(30, 3), normal(15, 3), 19.6, 10, 45, draws=20_000, seed=2,
                                    correlation=0.8, method="chart", units="si").values
    assert np.corrcoef(scores["phi"], scores["cohesion"])[0, 1] == pytest.approx(0.8, abs=0.02)
    spread = probability_of_failure(30, lognormal(15, 6), 19.6, 10, 45, draws=20_000, seed=2, method="chart",
                                    units="si").values["cohesion"]
    assert spread.mean() == pytest.approx(15, rel=0.02) and spread.std() == pytest.approx(6, rel=0.04)


def test_draws_without_an_answer_are_counted_and_widen_the_interval():
    phi = np.array([30.0, 30.0, -5.0, 30.0, np.nan])  # one no soil, one not a number
    with pytest.warns(zelm_fs.ZelmWarning, match="1 of 5 elements"):
        answer = probability_of_failure(phi, 15, 19.6, 10, 45, units="si")
    assert answer.draws == 5 and answer.unanswered == 2 and np.isnan(answer.fs[[2, 4]]).all()
    assert answer.probability == 0.0
    assert answer.interval[1] >= 2 / 5


@pytest.mark.parametrize("probability, relative, needed", [(0.01, 0.1, 38031), (0.5, 0.05, 1537), (0.0, 0.1, math.inf),
                                                           (1.0, 0.1, 0)])
def test_the_draws_needed_for_a_precision(probability, relative, needed):
    answer = _probability.FailureProbability(probability, (0, 1), None, 0, 0, {}, 0, 0, 0, 0, "bishop", 0, {})
    assert answer.draws_needed(relative) == needed


@pytest.mark.parametrize("call, said", [
    (lambda: probability_of_failure(30, 15, 19.6, 10, 45, method="janbu"), "method"),
    (lambda: probability_of_failure(30, normal(-2, 1), 19.6, 10, 45), "cohesion: the mean -2.0"),
    (lambda: probability_of_failure([30, 31], [1, 2, 3], 19.6, 10, 45), "differ in length"),
    (lambda: probability_of_failure(30, normal(15, 2), 19.6, 10, 45, correlation=0.5), "both be distributions"),
    (lambda: normal(30, -1), "standard deviation of at least 0, not 30 and -1"),
    (lambda: probability_angle(30, normal(15, 2), 19.6, 10, 1.5), "target: 1.5 is not a probability"),
    (lambda: probability_of_failure(30, normal(15, 2), 19.6, 10, 45, seed=-1), "seed: -1 is not a whole number"),
])
def test_what_it_refuses(call, said):
    with pytest.raises(ValueError, match=said):
        call()


@pytest.mark.parametrize("height, target", [(5, 0.05), (10, 0.01), (20, 0.05)])
def test_the_steepest_degree_below_a_target_holds_and_one_degree_steeper_does_not(height, target):
    study = (normal(30, 3), normal(15, 5), 19.6)
    angle = probability_angle(*study, height, target, draws=4096, seed=9, units="si")
    at, steeper = (probability_of_failure(*study, height, degree, draws=4096, seed=9, units="si")
                   for degree in (angle, angle + 1))
    assert at.interval[1] < target <= steeper.interval[1]


def test_without_spread_the_steepest_degree_below_a_target_is_the_one_reaching_fs_1():
    heights = [3, 10, 25]
    assert np.array_equal(probability_angle(30, normal(15, 0), 19.6, heights, 0.01, draws=4096, seed=1, units="si"),
                          zelm_fs.bishop_angle(30, 15, 19.6, heights, 1.0, units="si"))
