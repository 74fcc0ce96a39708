"""Slope angles of a talus read from design chart 1 ("ABAC 1"), from Python.

The same calculator as the zelm-fs program, on the same C++: for a friction angle phi
(degrees), a cohesion C' (Tn/m2, or kPa), a density d (Tn/m3; or the unit weight, in kN/m3), a height H (m)
and a factor of safety FS, chart 1 gives the slope angle at which a talus of that height has that
factor of safety, read at x = tan(phi)/FS and y = C'/(d*H*tan(phi)), both rounded to
the chart's two-decimal grid.

  sweep(phi, cohesion, density, height, step, fs, *, units="tonnes", angles="chart")
      one run as the program makes it: a row for every height step up to the talus
      height, as numpy arrays, the program's warnings, and its two files on request,
      labelled in the units chosen ("tonnes" or "si"), the file's angle column holding
      the chart's angles or the confirmed ones
  slope_angle(phi, cohesion, density, height, fs, *, units=None)
      the chart's slope angle for each element of numpy arrays, broadcast together
  confirmed_angle(phi, cohesion, density, height, fs, *, units=None)
      the steepest whole degree whose check reaches the FS, for each element
  factor_of_safety(phi, cohesion, density, height, angle, *, units=None)
      the other question: the factor of safety the chart gives slopes that stand,
      H high at a given angle, for each element
  bishop_factor_of_safety(phi, cohesion, density, height, angle, *, circle=False, units=None,
                          ru=None, water=None, crack=None, wet_crack=False, kh=None)
      the same question answered by Bishop's simplified method of slices on the
      critical slip circle, not by the chart, and that circle on request; under pore
      water, a tension crack and a seismic coefficient where the keywords give them
  critical_kh(phi, cohesion, density, height, angle, *, ...)
      the seismic coefficient at which Bishop's factor of safety falls to 1
  probability_of_failure(phi, cohesion, density, height, angle, *, draws=100_000, seed=None, ...)
      the probability that a slope fails, its material uncertain (normal(mean, sd),
      lognormal(mean, sd) or the user's own draws), with its confidence interval
  probability_angle(phi, cohesion, density, height, target, *, draws=10_000, seed=None, ...)
      the steepest whole degree whose probability of failure stays below target

slope_angle, confirmed_angle, bishop_factor_of_safety, critical_kh and bishop_angle take
Dask arrays too (Debian's python3-dask): the answer is a Dask array, each block answered
as numpy arrays are, wherever it is computed (a cluster's workers, with
dask.distributed); probability_of_failure takes a Dask client, its blocks of draws the
cluster's tasks.

Values are the program's single-precision floats: each number given is rounded to the
nearest float32 (a str is read exactly as the console reads what is typed), and the
arrays returned are float32. Any consistent units give the same angles, since y is a
ratio; sweep's units="si" (C' in kPa, d the unit weight in kN/m3) changes only the
labels of the files it writes, never a row. What the units do is warn of a density
that no soil or rock has in them (outside about 0.8 to 5 Tn/m3, or 8 to 50 kN/m3, which
do not overlap: a factor of 9.81 either way lands outside), most likely typed in the
other units; the functions over arrays take units too, and without them warn only of a
density that lies outside both.

>>> import zelm_fs
>>> run = zelm_fs.sweep(30, 2, 2.5, 20, 1, 1.5)
>>> len(run), run.angle[:4]
(20, array([90.      , 85.89577 , 77.035645, 67.60288 ], dtype=float32))
>>> run.write("ZELM_FS_result.xls")  # the program's file: angles 90, 86, 77, 68, ...
>>> zelm_fs.slope_angle(30, 2, 2.5, [2, 20], 1.5)
array([85.89577 , 30.595018], dtype=float32)
>>> zelm_fs.factor_of_safety(30, 2, 2.5, 20, 35)
FactorOfSafety(lower=1.33, upper=1.35, side=0, exact=False, chart_lower=1.33, chart_upper=1.35)
"""

import warnings as _warnings
from typing import NamedTuple as _NamedTuple

from . import _core
from ._core import Sweep

__all__ = [
    "BishopCircle",
    "FactorOfSafety",
    "Sweep",
    "ZelmWarning",
    "FailureProbability",
    "bishop_angle",
    "bishop_factor_of_safety",
    "confirmed_angle",
    "critical_kh",
    "factor_of_safety",
    "lognormal",
    "normal",
    "probability_angle",
    "probability_of_failure",
    "slope_angle",
    "sweep",
]
__version__ = _core.__version__


class ZelmWarning(UserWarning):
    """What an engineer should know about a run whose rows were made all the same.

    A value outside its physical meaning, a run without rows and why, heights below 0,
    an x for which chart 1 has no angle, a last row short of the talus height: the
    program's own sentences, issued by sweep() under this category (and kept in the
    run's warnings). slope_angle, confirmed_angle and factor_of_safety issue at most one
    each call, counting the elements left without an answer, and those slope_angle and
    confirmed_angle answer for a factor of safety below 1. warnings.simplefilter(
    "error", zelm_fs.ZelmWarning) makes them errors.
    """


def _dask_arrays(*values):
    # Whether any of the values is a Dask array.
    return any(type(v).__module__.startswith("dask.") for v in values)


def _blockwise(function, dtype, values, **keywords):
    # Over Dask arrays: the values broadcast together, each block answered by `function`
    # over numpy arrays, lazily, wherever the array is computed; a block's warning is
    # issued where the block is answered.
    import dask.array as da

    return da.map_blocks(lambda *block: function(*block, **keywords), *da.broadcast_arrays(*map(da.asarray, values)),
                         dtype=dtype)


def _warned(answer, warning):
    # The array (or arrays) of a call over arrays, its one warning issued from the caller's line.
    if warning is not None:
        _warnings.warn(warning, ZelmWarning, stacklevel=3)
    return answer


def sweep(phi, cohesion, density, height, step, fs, *, units="tonnes", angles="chart", ru=None, water=None,
          crack=None, wet_crack=False, kh=None):
    """One run, as the program makes it for the same six values.

    phi       friction angle, degrees
    cohesion  C', in the units chosen: Tn/m2, or kPa
    density   d, in the units chosen: the density in Tn/m3, or the unit weight in kN/m3
    height    height of the talus, m
    step      height step ("definition"), m
    fs        factor of safety to reach
    units     "tonnes" (Tn/m2 and Tn/m3, the default) or "si" (kPa and kN/m3): the
              labels of C' and d in the files written, kept as the run's units; the
              chart reads their ratio, so the rows are the same for both. A density no
              soil or rock has in them is warned of. Any other value raises ValueError.
    angles    "chart" (the default: the chart's angle rounded to whole degrees, the file
              as it always was) or "confirmed" (the confirmed angle, whose check
              reaches fs): what write() puts in the result file's angle column, its
              format otherwise the same; a warning says which. Any other value raises
              ValueError. The arrays hold both angles either way. Bishop's angles at each
              height are bishop_angle's.
    ru, water, crack, wet_crack, kh
              the conditions the workbook's Bishop columns stand under, as for
              bishop_factor_of_safety: the chart's rows and the result file are the
              drained, static slope's, and a warning says so.

    Each value is a number, rounded to the nearest float32 as the program holds it, or a
    str read exactly as the console reads an entry ("2.5", "1e3"). A value that is not a
    number (NaN, "2,5", None), or that a float32 cannot hold (1e39), raises ValueError
    naming it.

    Returns a Sweep: the rows as read-only float32 arrays height, x, y, angle (NaN
    where the result file's angle cell is empty) and confirmed_angle (see Sweep),
    warnings, values, units, angles, len(), and write(path) and write_workbook(path), which
    write the program's result file (the very bytes) and workbook, labelled in the
    run's units. The program's warnings are also issued, one warnings.warn(...,
    ZelmWarning) each.

    The rows are made with the GIL released (another thread runs meanwhile), and Ctrl-C
    stops a long run with KeyboardInterrupt. A run whose arrays could never fit in this
    machine's memory is refused with MemoryError before anything is allocated.

    >>> run = sweep(30, 2, 2.5, 10, 0.1, 1.5)
    >>> run.height[-1], run.x[0], run.y[-1], run.angle[-1]
    (9.900002, 0.38, 0.14, 40.82573)
    >>> run.warnings[0][:44]
    'the last row is at H = 9,90, short of the ta'
    """
    run = _core.sweep(phi, cohesion, density, height, step, fs, units=units, angles=angles, ru=ru, water=water,
                      crack=crack, wet_crack=wet_crack, kh=kh)
    for line in run.warnings:
        _warnings.warn(line, ZelmWarning, stacklevel=2)
    return run


def slope_angle(phi, cohesion, density, height, fs, *, units=None):
    """Chart 1's slope angle, in degrees, for each element: a numpy float32 array.

    The five arguments (see sweep) are numbers or array-likes of any shape, broadcast
    together as numpy broadcasts the arguments of its own functions; with scalars alone
    the result is a numpy float32 scalar. Each element is exactly the angle of the row
    at that height in sweep(phi, cohesion, density, talus height, step, fs), for any
    talus height and step that reach it: the values are rounded to float32 as sweep
    rounds them, and the chart read at the same x and y.

    NaN, with one ZelmWarning for the call that counts them and names the first of
    each kind, where the values describe no slope chart 1 can be read for (a friction
    angle not strictly between 0 and 90, a cohesion below 0, a density, height or FS
    not above 0), and where the result file's angle cell would be empty (x outside the
    rows chart 1 fits); NaN, silently, wherever one of the five values is NaN. The
    elements whose FS lies below 1 are answered, as sweep answers them, and the same
    warning counts them and names the first in sweep's words: their angles are those of
    slopes expected to fail. So are the elements whose density no soil or rock has in
    units ("tonnes": Tn/m3, "si": the unit weight in kN/m3; with None, the default, in
    neither), counted and named in sweep's words, which name the units most likely
    meant. A value that is not a number, or that a float32 cannot hold
    (inf, 1e39), raises ValueError naming the argument and the element, in sweep's words
    ("fs: '2,5' is written with a decimal comma: ..."); numbers are given as numbers
    here, not as text. Runs with the GIL released, on every core, and stops for Ctrl-C.

    >>> import numpy as np
    >>> slope_angle(30, 2, 2.5, np.arange(1, 4), 1.5)
    array([90.      , 85.89577 , 77.035645], dtype=float32)
    >>> slope_angle([[25], [35]], 2, 2.5, 10, [1.3, 1.5])
    array([[42.119167, 34.535114],
           [54.50659 , 46.830933]], dtype=float32)
    >>> slope_angle(30, np.nan, 2.5, 10, 1.5)
    nan
    """
    if _dask_arrays(phi, cohesion, density, height, fs):
        return _blockwise(slope_angle, "float32", (phi, cohesion, density, height, fs), units=units)
    return _warned(*_core.slope_angle(phi, cohesion, density, height, fs, units=units))


def confirmed_angle(phi, cohesion, density, height, fs, *, units=None):
    """The confirmed angle, in whole degrees, for each element: a numpy float32 array.

    The steepest whole degree b such that every chart row from x = 0.80 down to the
    element's x reads an angle of at least b at its y: the check of a slope at b,
    factor_of_safety(phi, cohesion, density, height, b), answers a range that reaches
    fs. Each element is exactly the confirmed_angle of the row at that height in
    sweep(...), and the arguments, NaN, the warning and the errors are as for
    slope_angle; NaN, and counted, where x lies outside 0.20 to 0.80.

    >>> confirmed_angle(30, 2, 2.5, [2, 20], 1.5)
    array([85., 30.], dtype=float32)
    """
    if _dask_arrays(phi, cohesion, density, height, fs):
        return _blockwise(confirmed_angle, "float32", (phi, cohesion, density, height, fs), units=units)
    return _warned(*_core.confirmed_angle(phi, cohesion, density, height, fs, units=units))


class _Range(_NamedTuple):
    lower: object
    upper: object
    side: object


class FactorOfSafety(_Range):
    """What factor_of_safety gives: the FS the program's check states first, and which it is.

    It unpacks as (lower, upper, side); exact, chart_lower and chart_upper are attributes.

    lower, upper  float64, as the program prints them: the ends of the range of FS chart
                  1 gives the slope (1.33 and 1.35 for "FS 1.33 to 1.35"), any FS between
                  them reading the same row of the chart; or, where exact, the exact FS of
                  a dry slope with no cohesion at both ends. lower is NaN below the chart,
                  upper NaN above it, both where a value is NaN.
    side          int8: 0 on a row of the chart, and where the FS is exact (a number, not
                  a bound); -1 below the chart, the slope steeper than even the chart's
                  smallest FS allows ("FS below" upper); 1 above it, no steeper than its
                  largest allows ("FS above" lower); 0 also where there is no answer,
                  both ends NaN
    exact         bool: True where lower and upper are tan(phi)/tan(angle), the exact FS
                  of a dry slope with no cohesion, rounded down to the decimals of the
                  chart's end it falls short of: where the chart states more than it (a
                  row whose smallest FS lies above it, or "FS above" an FS it does not
                  exceed), the line of zelm-fs --check gives it first, the safe number
    chart_lower, chart_upper
                  float64: chart 1's own range, as lower and upper are where not exact
    """

    def __new__(cls, lower, upper, side, exact=False, chart_lower=None, chart_upper=None):
        self = super().__new__(cls, lower, upper, side)
        self.exact = exact
        self.chart_lower = lower if chart_lower is None else chart_lower
        self.chart_upper = upper if chart_upper is None else chart_upper
        return self

    def __repr__(self):
        return (f"{type(self).__name__}(lower={self.lower!r}, upper={self.upper!r}, side={self.side!r}, "
                f"exact={self.exact!r}, chart_lower={self.chart_lower!r}, chart_upper={self.chart_upper!r})")

    def _replace(self, **changes):  # the attributes kept, as the fields are
        return type(self)(**{**self._asdict(), **vars(self), **changes})


def factor_of_safety(phi, cohesion, density, height, angle, *, units=None):
    """The factor of safety of a slope that stands, as the program's check states it first.

    phi, cohesion, density and height as for slope_angle, and angle the slope's angle in
    degrees (above 0, at most 90: a vertical face is answered), broadcast together as
    slope_angle broadcasts. The answer is the program's check (zelm-fs --check): at one
    height y does not depend on FS, which enters only through x = tan(phi)/FS, read on
    the chart's two-decimal grid, so the chart tells FS no finer than the range that
    reads one row. Going up in FS from the chart's smallest (x = 0.80), it is the range
    of the last row before the first whose design angle is below the slope's, the
    conservative answer where the chart is not monotone. The slope's angle is compared
    with the chart's own, not with the whole degrees the result file prints.

    With no cohesion the FS of a dry slope is known exactly, tan(phi)/tan(angle). Where
    the chart's range states more than that (its smallest FS lies above it, or it says
    "FS above" an FS the exact one does not exceed), the answer is the exact FS, rounded
    down, at both ends, side 0 and exact True: the number the program's line gives
    first, the safe one. The chart's own range stays in chart_lower and chart_upper.

    Returns a FactorOfSafety(lower, upper, side), with the attributes exact, chart_lower
    and chart_upper, of arrays of the broadcast shape (numpy scalars with scalars alone):
    lower, upper, chart_lower and chart_upper float64, side int8, exact bool (see
    FactorOfSafety). The chart's ends are those the program prints, rounded inwards so
    that each, given as fs, reads the row: two decimals, more where a row spans less than
    0.01 of FS.

    NaN among the values gives NaN at both ends, silently. Values that describe no slope
    (a friction angle not strictly between 0 and 90, a cohesion below 0, a density,
    height or angle not above 0, an angle above 90) give NaN at both ends and side 0; they,
    and the slopes below or above the chart that are not given their exact FS, are counted
    in one ZelmWarning for the call that names the first of each kind in the program's
    words, and so are the densities no soil or rock has in units (see slope_angle), whose
    slopes are answered all the same. A value that is not a number, or that a float32
    cannot hold, raises ValueError naming the argument and the element. Runs with the GIL
    released, on every core, and stops for Ctrl-C.

    >>> fs = factor_of_safety(30, 2, 2.5, 20, [25, 35, 65.1, 13, 95])
    >>> fs.lower
    array([1.73, 1.33,  nan, 2.96,  nan])
    >>> fs.upper
    array([1.77, 1.35, 0.72,  nan,  nan])
    >>> fs.side
    array([ 0,  0, -1,  1,  0], dtype=int8)
    >>> factor_of_safety(33, 0, 2, 10, 33.19)  # zelm-fs --check 33 0 2 10 33.19: FS 0.99 (exact ...
    FactorOfSafety(lower=0.99, upper=0.99, side=0, exact=True, chart_lower=1.01, chart_upper=1.02)
    """
    *answer, warning = _core.factor_of_safety(phi, cohesion, density, height, angle, units=units)
    return _warned(FactorOfSafety(*answer), warning)


class BishopCircle(_NamedTuple):
    """What bishop_factor_of_safety(..., circle=True) gives: FS and the critical circle.

    factor_of_safety  Bishop's factor of safety on the critical circle, float64
    centre_x, centre_y, radius
                      the circle, in the height's units, the toe of the slope at (0, 0),
                      x growing into the slope, the crest at y = height
    entry_x           where the slip surface enters the crest (at or behind its edge)
    exit_x            where it leaves the ground: 0 at the toe, below 0 beyond it

    All float64 arrays of the broadcast shape, NaN together where FS is NaN. Without
    cohesion the critical slip is a shallow slide parallel to the face: centre_x and
    centre_y are NaN, the radius infinite, and it runs from the toe (exit_x 0) to the
    crest edge (entry_x).
    """

    factor_of_safety: object
    centre_x: object
    centre_y: object
    radius: object
    entry_x: object
    exit_x: object


def bishop_factor_of_safety(phi, cohesion, density, height, angle, *, circle=False, units=None, ru=None,
                            water=None, crack=None, wet_crack=False, kh=None):
    """Bishop's factor of safety of a slope that stands, for each element: float64.

    The arguments are factor_of_safety's, broadcast together as it broadcasts them, and
    rounded to float32 as it rounds them; here a friction angle of 0 is taken (a clay
    without friction). The slope is homogeneous and dry, without load: a horizontal toe
    ground, a plane face rising at angle from the toe to a height of height, a horizontal
    crest. Its factor of safety is the smallest found by Bishop's simplified method of
    slices over the slip circles that enter the crest and leave the ground at the toe
    or beyond it (reaching at most 3 heights below the toe): one number, not the
    chart's range. It depends on phi, angle and cohesion/(density*height) only, so any
    consistent units give the same answer (units, as for slope_angle, only says in which
    a density no soil or rock has is warned of). Without cohesion the factor of safety
    falls as the circle flattens toward the face: the critical slip is a shallow slide
    parallel to it, and the answer the infinite slope's tan(phi)/tan(angle). Each
    element's search takes about half a
    millisecond of one core (10^4 elements, a few seconds on two cores). Where the slices
    under the crest of the critical circle are in tension, which is common where the
    cohesion counts, the answer lets the soil there hold it: a tension crack would lower
    it (zelm-fs --bishop tells how deep the tension goes).

    circle=True returns a BishopCircle(factor_of_safety, centre_x, centre_y, radius,
    entry_x, exit_x) of arrays instead: the critical circle, in the height's units.

    NaN among the values gives NaN, silently. Values that describe no slope (a friction
    angle not at least 0 and below 90, a cohesion below 0, both 0, a density, height or
    angle not above 0, an angle above 90), and slopes the method does not apply to (on
    the critical circle m_alpha falls below 0.2 on a slice whose base rises toward the
    toe, and the resistance grows out of measure), give NaN; they are counted in one
    ZelmWarning for the call that names the first of each kind and why. A value that is
    not a number, or that a float32 cannot hold, raises ValueError naming the argument
    and the element. Runs with the GIL released, on every core, and stops for Ctrl-C.

    The slope is dry and still unless the keywords say otherwise, as zelm-fs --bishop's
    options do (one number each, for every element; see its manual):
    ru, a pore-pressure ratio (u = ru * density * the height of soil over a slice's base);
    or water, a phreatic line from the toe to the ground a distance behind it, in metres
    or as a multiple of the height ("4H"), or "surface" for a slope saturated to its
    surface (the head under it hydrostatic, water 1 Tn/m3, or 9.81 kN/m3 with
    units="si"); crack, a vertical tension crack in the crest where the slip circle ends,
    its depth in metres or "auto" (as deep as the soil under the crest is in tension),
    full of water with wet_crack=True; kh, a horizontal seismic coefficient
    (pseudo-static). A keyword value its rule refuses (ru or kh not at least 0 and below
    1, say) raises ValueError naming the keyword. Chart 1, which factor_of_safety reads,
    is the chart of a drained slope that stands still.

    >>> round(float(bishop_factor_of_safety(19.6, 3, 20, 10, 26.565051177)), 3)
    0.985
    >>> fs, x, y, radius, entry_x, exit_x = bishop_factor_of_safety(19.6, 3, 20, 10, 26.565051177, circle=True)
    >>> [round(float(v), 2) for v in (x, y, radius, entry_x, exit_x)]
    [-0.47, 28.65, 28.65, 21.28, 0.0]
    >>> round(float(bishop_factor_of_safety(30, 0, 19.6, 10, 25, ru=0.2, kh=0.1, units="si")), 4)
    0.7237
    """
    if _dask_arrays(phi, cohesion, density, height, angle) and not circle:
        return _blockwise(bishop_factor_of_safety, "float64", (phi, cohesion, density, height, angle), units=units,
                          ru=ru, water=water, crack=crack, wet_crack=wet_crack, kh=kh)
    *answer, warning = _core.bishop_factor_of_safety(
        phi, cohesion, density, height, angle, units=units, ru=ru, water=water, crack=crack,
        wet_crack=wet_crack, kh=kh)
    return _warned(BishopCircle(*answer) if circle else answer[0], warning)


def critical_kh(phi, cohesion, density, height, angle, *, circle=False, units=None, ru=None, water=None,
                crack=None, wet_crack=False):
    """The critical seismic coefficient of a slope that stands, for each element: float64.

    The horizontal seismic coefficient kh at which Bishop's factor of safety of the
    critical circle falls to 1 (within 10^-4), where a displacement analysis starts; the
    arguments and the keywords are bishop_factor_of_safety's, without kh. NaN where the
    slope's factor of safety is below 1 already without an earthquake, counted in the
    call's ZelmWarning with that factor of safety, and where bishop_factor_of_safety
    gives NaN. circle=True returns a BishopCircle of arrays, the critical circle at FS 1,
    with kh in place of the factor of safety. Without cohesion on a dry slope, kh is
    tan(phi - angle). Runs with the GIL released, on every core, and stops for Ctrl-C:
    a few searches an element.

    >>> round(float(critical_kh(30, 0, 19.6, 10, 25, units="si")), 4)
    0.0875
    """
    if _dask_arrays(phi, cohesion, density, height, angle) and not circle:
        return _blockwise(critical_kh, "float64", (phi, cohesion, density, height, angle), units=units, ru=ru,
                          water=water, crack=crack, wet_crack=wet_crack)
    *answer, warning = _core.bishop_factor_of_safety(
        phi, cohesion, density, height, angle, units=units, ru=ru, water=water, crack=crack,
        wet_crack=wet_crack, critical_kh=True)
    return _warned(BishopCircle(*answer) if circle else answer[0], warning)


def bishop_angle(phi, cohesion, density, height, fs, *, units=None, ru=None, water=None, crack=None,
                 wet_crack=False, kh=None):
    """The steepest whole degree whose factor of safety by Bishop's method reaches fs, for each element: float64.

    The slope is bishop_factor_of_safety's, of the material phi, cohesion, density and of
    height height, under the conditions its keywords give; fs is the factor of safety to
    reach (float32, as slope_angle's). Each degree is judged by the critical circle, as
    bishop_factor_of_safety finds it at that face angle; the answer is the steepest
    degree from 1 to 90 whose factor of safety is at least fs. The chart's slope_angle
    answers a drained slope standing still; this one answers the slope under its water,
    crack and earthquake too, by the method the chart is conservative against. About ten
    searches an element, some milliseconds of one core; under a water table given by
    water (not "surface"), each degree in turn from 90 down, since a steeper face stands
    further above that water and may reach fs where a flatter one, wet to its face, does
    not: up to 90 searches.

    NaN among the values gives NaN, silently. Values that describe no slope for the
    method, or a factor of safety not above 0, give NaN, and so do elements where not even
    a slope of 1 degree reaches fs: each kind counted in one ZelmWarning for the call that
    names the first and why; so are a factor of safety below 1 and a density no soil or
    rock has, answered all the same. Runs with the GIL released, on every core, and stops
    for Ctrl-C.

    >>> float(bishop_angle(30, 2, 2.5, 10, 1.5))
    43.0
    >>> [float(bishop_angle(30, 20, 19.6, 10, 1.3, ru=ru, units="si")) for ru in (0, 0.25, 0.5)]
    [57.0, 44.0, 31.0]
    """
    if _dask_arrays(phi, cohesion, density, height, fs):
        return _blockwise(bishop_angle, "float64", (phi, cohesion, density, height, fs), units=units, ru=ru,
                          water=water, crack=crack, wet_crack=wet_crack, kh=kh)
    return _warned(*_core.bishop_angle(
        phi, cohesion, density, height, fs, units=units, ru=ru, water=water, crack=crack, wet_crack=wet_crack,
        kh=kh))


def _to_dataframe(self):
    """The rows as a pandas DataFrame, under the program's column titles.

    Columns "H (m)", "Tg (Phi)/FS=", "C'/(d*H*Tg Phi)", "chart angle (graus)" and
    "confirmed angle (graus)" hold the height, x, y, angle (as computed, not rounded to
    whole degrees) and confirmed_angle arrays; the titles are the same in either units,
    which the frame's attrs["units"] names ("tonnes" or "si"). Needs pandas (Debian's
    python3-pandas).
    """
    import pandas

    columns = (getattr(self, key) for key in _core.column_keys)
    frame = pandas.DataFrame(dict(zip(_core.column_titles, columns, strict=True)))
    frame.attrs["units"] = self.units
    return frame


Sweep.to_dataframe = _to_dataframe


from ._probability import FailureProbability, lognormal, normal, probability_angle, probability_of_failure  # noqa: E402
