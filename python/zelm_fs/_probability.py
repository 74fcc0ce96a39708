"""The probability of failure of one slope whose material is uncertain, by Monte Carlo.

The draws come in blocks of a fixed size; draw i of block k is made from the seed, k and i
alone (the core's counter-based generator): block 7 holds the same draws whichever thread,
process or machine draws it, and a draw's factor of safety depends on that draw alone, so
the same seed gives the same answer however the work is split, here and on the page.
"""

import math
import secrets
import warnings
from typing import NamedTuple

import numpy as np

from . import _core

BLOCK = 4096  # draws a block


class _Distribution:
    kind = ""

    def __init__(self, mean, sd):
        self.mean = float(mean)
        self.sd = float(sd)
        if not (math.isfinite(self.mean) and math.isfinite(self.sd) and self.sd >= 0.0):
            raise ValueError(_core.probability_words("distribution", mean=repr(mean), sd=repr(sd)))

    def __repr__(self):
        return f"{type(self).__name__}({self.mean!r}, {self.sd!r})"


class normal(_Distribution):
    """A normal distribution of a value: its mean and standard deviation, in the value's units.

    Truncated to the values that describe a soil: a friction angle at least 0 and below
    90 degrees, a cohesion at least 0, a density above 0; a draw outside is drawn again.
    """

    kind = "normal"


class lognormal(_Distribution):
    """A lognormal distribution of a value, given by the value's own mean and standard deviation.

    Positive by nature, and truncated as normal is (a friction angle below 90 degrees).
    """

    kind = "lognormal"

    def __init__(self, mean, sd):
        super().__init__(mean, sd)
        if not self.mean > 0.0:
            raise ValueError(_core.probability_words("lognormal_mean", mean=repr(mean)))


class FailureProbability(NamedTuple):
    """What probability_of_failure answers; see it."""

    probability: float
    interval: tuple
    fs: np.ndarray
    mean: float
    sd: float
    percentiles: dict
    reliability_index: float
    reliability_index_lognormal: float
    unanswered: int
    draws: int
    method: str
    seed: int
    values: dict

    def draws_needed(self, relative=0.1):
        """The draws for a 95% confidence interval of +-relative times the probability."""
        needed = _core.draws_needed(self.probability, relative)
        return needed if math.isinf(needed) else int(needed)


def _block_values(materials, correlation, seed, index, count):
    # The values of block `index`: `count` draws of each of the three, a given array's
    # slice as it is, the distributions drawn by the core, phi and the cohesion correlated
    # through their normal scores; a draw with a value outside its bounds drawn again
    # whole, in its place.
    spreads = [(s.kind, s.mean, s.sd) if isinstance(s, _Distribution) else ("known", _nominal(s), 0.0)
               for s in materials]
    values = list(_core.draw_block(spreads, correlation, seed, index, count))
    start = index * BLOCK
    for k, s in enumerate(materials):
        if isinstance(s, np.ndarray):
            values[k] = s[start:start + count]
    return values


def _material(value, name):
    if isinstance(value, _Distribution):
        return value
    array = np.asarray(value, dtype=float)
    if array.ndim == 0:
        return float(array)
    if array.ndim != 1:
        raise ValueError(_core.probability_words("not_one_dimension", argument=name, dimensions=array.ndim))
    return array


def _nominal(material):
    if isinstance(material, _Distribution):
        return material.mean
    return float(np.nanmean(material)) if isinstance(material, np.ndarray) else material


def probability_of_failure(phi, cohesion, density, height, angle, *, draws=100_000, seed=None, method="bishop",
                           correlation=0.0, client=None, units=None, ru=None, water=None, crack=None,
                           wet_crack=False, kh=None):
    """The probability that a slope fails (FS below 1), its material uncertain: a FailureProbability.

    phi, cohesion and density each a number, a distribution (normal(mean, sd) or
    lognormal(mean, sd), truncated to values that describe a soil) or a 1-D array of the
    user's own draws (all such arrays of one length, which is then the number of draws);
    height and angle numbers. correlation is that of phi and the cohesion (their normal
    scores), for two distributions. Each draw's factor of safety by Bishop's method
    (method="bishop", the critical circle searched from the nominal slope's, the
    distributions' means, which the draws lie near; under the water, crack and kh of the
    keywords, as bishop_factor_of_safety takes them) or by the chart's check
    (method="chart", the lower factor of safety factor_of_safety gives, or its upper one
    where the slope is steeper than the chart's smallest FS allows; dry and still).

    The answer: probability, the share of the answered draws with FS below 1; interval,
    its 95% confidence bounds (Wilson's), the draws without an answer counted as standing
    for the lower bound and as failing for the upper, so that a draw never drops out;
    fs, each draw's factor of safety (NaN where none); the mean, sd and percentiles (5,
    50, 95) of the answered FS; reliability_index, (mean - 1) / sd, and
    reliability_index_lognormal, that of a lognormal FS; unanswered, the draws without
    an answer (also said in a ZelmWarning); draws; method; seed, the one used (drawn
    afresh where seed is None, so that the answer can be made again); values, the draws
    of phi, cohesion and density. draws_needed(relative) gives the draws for a 95%
    interval of +-relative times the probability.

    The same seed gives the same answer however the draws are split: they come in blocks
    of 4096, each draw made from the seed, its block's index and its place alone. About
    40 microseconds a draw by Bishop's method on one core, the draws shared between the
    cores. Given a Dask client (dask.distributed), each block is a task of its cluster,
    the blocks gathered in their order: the answer is the same, bit for bit, and a
    warning of draws without an answer counts them all and tells the first block's.

    >>> answer = probability_of_failure(normal(30, 3), normal(15, 5), 19.6, 10, 45, draws=4096, seed=1, units="si")
    >>> round(answer.probability, 3), [round(b, 3) for b in answer.interval]
    (0.038, [0.032, 0.044])
    """
    materials, count = _checked(phi, cohesion, density, draws, method, correlation)
    conditions = {"ru": ru, "water": water, "crack": crack, "wet_crack": wet_crack, "kh": kh}
    seed = _seed(seed)
    nominal = tuple(_nominal(s) for s in materials)
    if client is not None:
        values, fs = _on_cluster(client, materials, correlation, seed, count, height, angle, method, nominal, units,
                                 conditions)
    else:
        values = _drawn(materials, correlation, seed, count)
        fs = _fs_of(values, height, angle, method, nominal, units, conditions, 3)
    return _answered(fs, method, seed, values)


def _checked(phi, cohesion, density, draws, method, correlation):
    # The three materials' values as given and the number of draws, or ValueError.
    if method not in ("bishop", "chart"):
        raise ValueError(_core.probability_words("method", shown=repr(method)))
    materials = [_material(phi, "phi"), _material(cohesion, "cohesion"), _material(density, "density")]
    lengths = {len(s) for s in materials if isinstance(s, np.ndarray)}
    if len(lengths) > 1:
        raise ValueError(_core.probability_words("draws_differ", lengths=", ".join(map(str, sorted(lengths)))))
    if not -1.0 <= correlation <= 1.0:
        raise ValueError(_core.probability_words("correlation", shown=repr(correlation)))
    if correlation != 0.0 and not all(isinstance(s, _Distribution) for s in materials[:2]):
        raise ValueError(_core.probability_words("correlation_of_distributions"))
    for k, (s, name) in enumerate(zip(materials, ("phi", "cohesion", "density"))):
        if not isinstance(s, _Distribution):
            continue
        probe = [30.0, 0.0, 1.0]  # a soil, but for the value looked at
        probe[k] = s.mean
        if not _core.describes_a_soil(*probe):
            raise ValueError(_core.probability_words("mean_no_soil", argument=name, shown=repr(s.mean)))
    return materials, (lengths.pop() if lengths else int(draws))


def _block_sizes(count):
    # The draws of each block, in order: BLOCK each, the last the rest.
    return [min(BLOCK, count - index * BLOCK) for index in range((count + BLOCK - 1) // BLOCK)]


def _drawn(materials, correlation, seed, count):
    blocks = [_block_values(materials, correlation, seed, index, size)
              for index, size in enumerate(_block_sizes(count))]
    return _joined(blocks)


def _joined(blocks):
    # The blocks' values of each of the three, one after the other.
    return [np.concatenate([b[k] for b in blocks]) if blocks else np.empty(0) for k in range(3)]


def _fs_of(values, height, angle, method, nominal, units, conditions, stacklevel):
    # Each draw's factor of safety, NaN where none, the call's warning issued from the
    # user's line, `stacklevel` calls up.
    from . import ZelmWarning

    fs, warning = _fs_and_warning(values, height, angle, method, nominal, units, conditions)
    if warning is not None:
        warnings.warn(warning, ZelmWarning, stacklevel=stacklevel)
    return fs


def _fs_and_warning(values, height, angle, method, nominal, units, conditions):
    if method == "bishop":
        fs, warning = _core.bishop_draws(*values, height, angle, nominal, units=units, **conditions)
    else:
        *answer, warning = _core.factor_of_safety(*values, height, angle, units=units)
        lower, upper = (np.asarray(bound, dtype=float) for bound in answer[:2])
        # Below the chart's range the lower bound is NaN: the FS is below the upper one.
        fs = np.where(np.isnan(lower) & (upper < 1.0), upper, lower)
    return np.asarray(fs, dtype=float), warning


def _block_study(index, count, materials, correlation, seed, height, angle, method, nominal, units, conditions):
    # One block's draws and their factors of safety, and the block's warning: a task of
    # its own, wherever it runs.
    values = _block_values(materials, correlation, seed, index, count)
    return (values, *_fs_and_warning(values, height, angle, method, nominal, units, conditions))


def _on_cluster(client, materials, correlation, seed, count, height, angle, method, nominal, units, conditions):
    # The blocks as tasks of the Dask client's cluster, gathered in their order; the
    # first warning of a block told as one of the whole study.
    from . import ZelmWarning

    sizes = _block_sizes(count)
    futures = client.map(_block_study, range(len(sizes)), sizes, materials=materials,
                         correlation=correlation, seed=seed, height=height, angle=angle, method=method,
                         nominal=nominal, units=units, conditions=conditions)
    blocks = client.gather(futures)
    values = _joined([b[0] for b in blocks])
    fs = np.concatenate([b[1] for b in blocks]) if blocks else np.empty(0)
    told = next(((i, b[2]) for i, b in enumerate(blocks) if b[2] is not None), None)
    if told is not None:
        first = told[0] * BLOCK
        said = _core.probability_words("draws_unanswered", count=int(np.isnan(fs).sum()), draws=count, first=first,
                                       last=first + blocks[told[0]][1].size - 1, said=told[1])
        warnings.warn(said, ZelmWarning, stacklevel=3)
    return values, fs


def _answered(fs, method, seed, values):
    said = _core.failure_statistics(fs)
    return FailureProbability(
        probability=said["probability"],
        interval=(said["lower"], said["upper"]),
        fs=fs,
        mean=said["mean"],
        sd=said["sd"],
        percentiles={q: said[f"p{q}"] for q in (5, 50, 95)} if said["unanswered"] < said["draws"] else {},
        reliability_index=said["reliability_index"],
        reliability_index_lognormal=said["reliability_index_lognormal"],
        unanswered=said["unanswered"],
        draws=said["draws"],
        method=method,
        seed=seed,
        values={"phi": values[0], "cohesion": values[1], "density": values[2]},
    )


def _seed(seed):
    # The seed given, or one drawn afresh, so that the study can be made again.
    if seed is None:
        return secrets.randbits(64)
    if isinstance(seed, (bool, float)) or not isinstance(seed, (int, np.integer)) or not 0 <= seed < 2**64:
        raise ValueError(_core.probability_words("seed", shown=repr(seed)))
    return int(seed)


def probability_angle(phi, cohesion, density, height, target, *, draws=10_000, seed=None, method="bishop",
                      correlation=0.0, units=None, ru=None, water=None, crack=None, wet_crack=False, kh=None):
    """The steepest whole degree whose probability of failure stays below target, at each height: float64.

    The material, draws, seed, method, correlation and conditions are
    probability_of_failure's; height a number or a 1-D array of heights, target the
    probability not to reach (0.01 for 1%). A degree holds where the upper bound of its
    95% interval, the draws without an answer counted as failing, lies below target: the
    answer is safe with 95% confidence, and needs enough draws for it (for a target of
    1%, some thousands at the least). The same draws serve every height and degree. NaN
    where not even 1 degree holds. About ten degrees a height, each searched for every
    draw: with 10^4 draws, a second or two a height on two cores.

    >>> float(probability_angle(normal(30, 3), normal(15, 5), 19.6, 10, 0.05, draws=4096, seed=1, units="si"))
    46.0
    """
    materials, count = _checked(phi, cohesion, density, draws, method, correlation)
    if not 0.0 < target < 1.0:
        raise ValueError(_core.probability_words("target", shown=repr(target)))
    values = _drawn(materials, correlation, _seed(seed), count)
    nominal = tuple(_nominal(s) for s in materials)
    conditions = {"ru": ru, "water": water, "crack": crack, "wet_crack": wet_crack, "kh": kh}
    # The face steepening, each draw's FS falls, and the share failing grows; not so under
    # a water table a distance behind the toe, where each degree is tried from 90 down.
    in_turn = water is not None and water != "surface"
    heights = np.atleast_1d(np.asarray(height, dtype=float))
    angles = np.full(heights.shape, math.nan)
    for i, at in enumerate(heights):
        def holds(degree, at=at):
            return _core.failure_upper_bound(_fs_of(values, at, degree, method, nominal, units, conditions, 5)) < target
        steepest = _steepest(holds, in_turn)
        angles[i] = steepest if steepest > 0 else math.nan
    return angles if np.ndim(height) else angles[0]


def _steepest(holds, in_turn):
    # The steepest degree from 1 to 90 that holds, 0 for none: 90 first, then down by 1,
    # 2, 4... until one holds, then halving the gap; or each in turn from 90 down.
    if holds(90):
        return 90
    if in_turn:
        return next((degree for degree in range(89, 0, -1) if holds(degree)), 0)
    failing, holding, step = 90, 0, 1
    while failing > 1 and holding == 0:
        degree = max(1, failing - step)
        if holds(degree):
            holding = degree
        else:
            failing = degree
        step *= 2
    while failing - holding > 1:
        middle = (failing + holding) // 2
        if holds(middle):
            holding = middle
        else:
            failing = middle
    return holding
