"""Slope angles of a talus read from design chart 1 ("ABAC 1"), from Python.

The same calculator as the zelm-fs program, on the same C++: for a friction angle phi
(degrees), a cohesion C' (Tn/m2), a density d (Tn/m3), a height H (m) and a factor of
safety FS, chart 1 gives the slope angle at which a talus of that height has that
factor of safety, read at x = tan(phi)/FS and y = C'/(d*H*tan(phi)), both rounded to
the chart's two-decimal grid.

  sweep(phi, cohesion, density, height, step, fs)
      one run as the program makes it: a row for every height step up to the talus
      height, as numpy arrays, the program's warnings, and its two files on request
  slope_angle(phi, cohesion, density, height, fs)
      the chart's slope angle for each element of numpy arrays, broadcast together

Values are the program's single-precision floats: each number given is rounded to the
nearest float32 (a str is read exactly as the console reads what is typed), and the
arrays returned are float32. Any consistent units give the same angles, since y is a
ratio.

>>> import zelm_fs
>>> run = zelm_fs.sweep(30, 2, 2.5, 20, 1, 1.5)
>>> len(run), run.angle[:4]
(20, array([90.      , 85.89577 , 77.035645, 67.60288 ], dtype=float32))
>>> run.write("ZELM_FS_result.xls")  # the program's file: angles 90, 86, 77, 68, ...
>>> zelm_fs.slope_angle(30, 2, 2.5, [2, 20], 1.5)
array([85.89577 , 30.595018], dtype=float32)
"""

import warnings as _warnings

from . import _core
from ._core import Sweep

__all__ = ["Sweep", "ZelmWarning", "slope_angle", "sweep"]
__version__ = _core.__version__


class ZelmWarning(UserWarning):
    """What an engineer should know about a run whose rows were made all the same.

    A value outside its physical meaning, a run without rows and why, heights below 0,
    an x for which chart 1 has no angle, a last row short of the talus height: the
    program's own sentences, issued by sweep() under this category (and kept in the
    run's warnings). warnings.simplefilter("error", zelm_fs.ZelmWarning) makes them
    errors.
    """


def sweep(phi, cohesion, density, height, step, fs):
    """One run, as the program makes it for the same six values.

    phi       friction angle, degrees
    cohesion  C', Tn/m2 (or any unit consistent with the density)
    density   d, Tn/m3
    height    height of the talus, m
    step      height step ("definition"), m
    fs        factor of safety to reach

    Each value is a number, rounded to the nearest float32 as the program holds it, or a
    str read exactly as the console reads an entry ("2.5", "1e3"). A value that is not a
    number (NaN, "2,5", None), or that a float32 cannot hold (1e39), raises ValueError
    naming it.

    Returns a Sweep: the rows as read-only float32 arrays height, x, y and angle (NaN
    where the result file's angle cell is empty), warnings, values, len(), and
    write(path) and write_workbook(path), which write the program's result file (the
    very bytes) and workbook. The program's warnings are also issued, one
    warnings.warn(..., ZelmWarning) each.

    The rows are made with the GIL released (another thread runs meanwhile), and Ctrl-C
    stops a long run with KeyboardInterrupt. A run whose arrays could never fit in this
    machine's memory is refused with MemoryError before anything is allocated.

    >>> run = sweep(30, 2, 2.5, 10, 0.1, 1.5)
    >>> run.height[-1], run.x[0], run.y[-1], run.angle[-1]
    (9.900002, 0.38, 0.14, 40.82573)
    >>> run.warnings[0][:44]
    'the last row is at H = 9,90, short of the ta'
    """
    run = _core.sweep(phi, cohesion, density, height, step, fs)
    for line in run.warnings:
        _warnings.warn(line, ZelmWarning, stacklevel=2)
    return run


def slope_angle(phi, cohesion, density, height, fs):
    """Chart 1's slope angle, in degrees, for each element: a numpy float32 array.

    The five arguments (see sweep) are numbers or array-likes of any shape, broadcast
    together as numpy broadcasts the arguments of its own functions; with scalars alone
    the result is a numpy float32 scalar. Each element is exactly the angle of the row
    at that height in sweep(phi, cohesion, density, talus height, step, fs), for any
    talus height and step that reach it: the values are rounded to float32 as sweep
    rounds them, and the chart read at the same x and y.

    NaN where the result file's angle cell would be empty (x outside the rows chart 1
    fits), and wherever one of the five values is NaN. A value that is not a number, or
    that a float32 cannot hold (inf, 1e39), raises ValueError naming the argument and
    the element. Runs with the GIL released, on every core, and stops for Ctrl-C.

    >>> import numpy as np
    >>> slope_angle(30, 2, 2.5, np.arange(1, 4), 1.5)
    array([90.      , 85.89577 , 77.035645], dtype=float32)
    >>> slope_angle([[25], [35]], 2, 2.5, 10, [1.3, 1.5])
    array([[42.119167, 34.535114],
           [54.50659 , 46.830933]], dtype=float32)
    >>> slope_angle(30, np.nan, 2.5, 10, 1.5)
    nan
    """
    return _core.slope_angle(phi, cohesion, density, height, fs)


def _to_dataframe(self):
    """The rows as a pandas DataFrame, titled as the workbook titles its columns.

    Columns "H (m)", "Tg (Phi)/FS=", "C'/(d*H*Tg Phi)" and "angle (graus)" hold the
    height, x, y and angle arrays. Needs pandas (Debian's python3-pandas).
    """
    import pandas

    return pandas.DataFrame(dict(zip(_core.column_titles, (self.height, self.x, self.y, self.angle))))


Sweep.to_dataframe = _to_dataframe
