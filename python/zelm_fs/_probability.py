"""The probability of failure of one slope whose material is uncertain, by Monte Carlo.

The draws come in blocks of a fixed size, each block drawn by its own generator, made from
the seed and the block's index (numpy's SeedSequence and Philox): block 7 holds the same
draws whichever thread, process or machine draws it, and a draw's factor of safety depends
on that draw alone, so the same seed gives the same answer however the work is split.
"""

import math
import warnings
from typing import NamedTuple

import numpy as np

from . import _core

BLOCK = 4096  # draws a block
_Z95 = 1.959963984540054  # the standard normal's 97.5% point

# Which values each of the three describes a soil by: a friction angle at least 0 and
# below 90, a cohesion at least 0, a density above 0.
_BOUNDS = ((0.0, 90.0, False), (0.0, math.inf, True), (0.0, math.inf, False))


class _Distribution:
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

    def values(self, z):
        return self.mean + self.sd * z


class lognormal(_Distribution):
    """A lognormal distribution of a value, given by the value's own mean and standard deviation.

    Positive by nature, and truncated as normal is (a friction angle below 90 degrees).
    """

    def __init__(self, mean, sd):
        super().__init__(mean, sd)
        if not self.mean > 0.0:
            raise ValueError(_core.probability_words("lognormal_mean", mean=repr(mean)))
        self._sigma = math.sqrt(math.log1p((self.sd / self.mean) ** 2))
        self._mu = math.log(self.mean) - 0.5 * self._sigma**2

    def values(self, z):
        return np.exp(self._mu + self._sigma * z)


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
        p = self.probability
        if not p > 0.0:  # no failure among the draws (or none answered): no relative precision
            return math.inf
        return math.ceil(_Z95**2 * (1.0 - p) / (p * relative**2))


def _wilson(failing, n):
    # The Wilson score interval at 95% for `failing` of `n`.
    if n == 0:
        return 0.0, 1.0
    z2 = _Z95**2
    centre = (failing + z2 / 2.0) / (n + z2)
    half = _Z95 * math.sqrt(failing * (n - failing) / n + z2 / 4.0) / (n + z2)
    return max(0.0, centre - half), min(1.0, centre + half)


def _inside(k, values):
    low, high, low_included = _BOUNDS[k]
    return (values >= low if low_included else values > low) & (values < high)


def _block_values(materials, correlation, entropy, index, count):
    # The values of block `index`: `count` draws of each of the three, a given array's
    # slice as it is, the distributions drawn from the block's own generator, phi and the
    # cohesion correlated through their normal scores; a draw with a value outside its
    # bounds drawn again whole, in its place.
    start = index * BLOCK
    values = [s[start:start + count] if isinstance(s, np.ndarray) else np.full(count, _nominal(s)) for s in materials]
    drawn = [k for k, s in enumerate(materials) if isinstance(s, _Distribution)]
    if not drawn:
        return values
    generator = np.random.Generator(np.random.Philox(np.random.SeedSequence(entropy, spawn_key=(index,))))
    where = np.arange(count)
    while where.size:
        z = generator.standard_normal((3, where.size))
        z[1] = correlation * z[0] + math.sqrt(1.0 - correlation**2) * z[1]
        outside = np.zeros(where.size, dtype=bool)
        for k in drawn:
            values[k][where] = materials[k].values(z[k])
            outside |= ~_inside(k, values[k][where])
        where = where[outside]
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
    of 4096, each from its own generator made from the seed and the block's index. About
    40 microseconds a draw by Bishop's method on one core, the draws shared between the
    cores. Given a Dask client (dask.distributed), each block is a task of its cluster,
    the blocks gathered in their order: the answer is the same, bit for bit, and a
    warning of draws without an answer counts them all and tells the first block's.

    >>> answer = probability_of_failure(normal(30, 3), normal(15, 5), 19.6, 10, 45, draws=4096, seed=1, units="si")
    >>> round(answer.probability, 3), [round(b, 3) for b in answer.interval]
    (0.035, [0.03, 0.041])
    """
    materials, count = _checked(phi, cohesion, density, draws, method, correlation)
    conditions = {"ru": ru, "water": water, "crack": crack, "wet_crack": wet_crack, "kh": kh}
    entropy = int(np.random.SeedSequence(seed).entropy)
    nominal = tuple(_nominal(s) for s in materials)
    if client is not None:
        values, fs = _on_cluster(client, materials, correlation, entropy, count, height, angle, method, nominal, units,
                                 conditions)
    else:
        values = _drawn(materials, correlation, entropy, count)
        fs = _fs_of(values, height, angle, method, nominal, units, conditions, 3)
    return _answered(fs, method, entropy, values)


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
        if isinstance(s, _Distribution) and not _inside(k, np.array([s.mean])).all():
            raise ValueError(_core.probability_words("mean_no_soil", argument=name, shown=repr(s.mean)))
    return materials, (lengths.pop() if lengths else int(draws))


def _block_sizes(count):
    # The draws of each block, in order: BLOCK each, the last the rest.
    return [min(BLOCK, count - index * BLOCK) for index in range((count + BLOCK - 1) // BLOCK)]


def _drawn(materials, correlation, entropy, count):
    blocks = [_block_values(materials, correlation, entropy, index, size)
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


def _block_study(index, count, materials, correlation, entropy, height, angle, method, nominal, units, conditions):
    # One block's draws and their factors of safety, and the block's warning: a task of
    # its own, wherever it runs.
    values = _block_values(materials, correlation, entropy, index, count)
    return (values, *_fs_and_warning(values, height, angle, method, nominal, units, conditions))


def _on_cluster(client, materials, correlation, entropy, count, height, angle, method, nominal, units, conditions):
    # The blocks as tasks of the Dask client's cluster, gathered in their order; the
    # first warning of a block told as one of the whole study.
    from . import ZelmWarning

    sizes = _block_sizes(count)
    futures = client.map(_block_study, range(len(sizes)), sizes, materials=materials,
                         correlation=correlation, entropy=entropy, height=height, angle=angle, method=method,
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


def _failing_at_most(fs):
    # The upper 95% bound of the probability of failure, the draws without an answer
    # counted as failing.
    failing = int(np.count_nonzero(fs < 1.0)) + int(np.count_nonzero(np.isnan(fs)))
    return _wilson(failing, fs.size)[1]


def _answered(fs, method, entropy, values):
    count = fs.size
    answered = fs[~np.isnan(fs)]
    failing = int(np.count_nonzero(answered < 1.0))
    unanswered = count - answered.size
    mean = float(answered.mean()) if answered.size else math.nan
    sd = float(answered.std(ddof=1)) if answered.size > 1 else math.nan
    variation = sd / mean if answered.size > 1 and mean > 0 else math.nan
    log_sd = math.sqrt(math.log1p(variation**2)) if math.isfinite(variation) else math.nan
    return FailureProbability(
        probability=failing / answered.size if answered.size else math.nan,
        interval=(_wilson(failing, count)[0], _failing_at_most(fs)),
        fs=fs,
        mean=mean,
        sd=sd,
        percentiles={q: float(np.percentile(answered, q)) for q in (5, 50, 95)} if answered.size else {},
        reliability_index=(mean - 1.0) / sd if sd > 0 else math.nan,
        reliability_index_lognormal=math.log(mean / math.sqrt(1.0 + variation**2)) / log_sd if log_sd > 0 else math.nan,
        unanswered=unanswered,
        draws=count,
        method=method,
        seed=entropy,
        values={"phi": values[0], "cohesion": values[1], "density": values[2]},
    )


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
    45.0
    """
    materials, count = _checked(phi, cohesion, density, draws, method, correlation)
    if not 0.0 < target < 1.0:
        raise ValueError(_core.probability_words("target", shown=repr(target)))
    values = _drawn(materials, correlation, int(np.random.SeedSequence(seed).entropy), count)
    nominal = tuple(_nominal(s) for s in materials)
    conditions = {"ru": ru, "water": water, "crack": crack, "wet_crack": wet_crack, "kh": kh}
    # The face steepening, each draw's FS falls, and the share failing grows; not so under
    # a water table a distance behind the toe, where each degree is tried from 90 down.
    in_turn = water is not None and water != "surface"
    heights = np.atleast_1d(np.asarray(height, dtype=float))
    angles = np.full(heights.shape, math.nan)
    for i, at in enumerate(heights):
        def holds(degree, at=at):
            return _failing_at_most(_fs_of(values, at, degree, method, nominal, units, conditions, 5)) < target
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
