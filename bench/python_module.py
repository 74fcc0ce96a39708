"""Times the Python module against its two yardsticks, in one run, taking turns, and prints
the median of each and their ratio:

- slope_angle over 10^6 elements (phi normal, C' lognormal, H uniform, FS 1.5) against
  numpy's own np.tan(np.radians(phi)) / fs in double over the same arrays;
- factor_of_safety over 10^6 slopes of the same materials and heights (angle uniform from
  20 to 70 degrees), against the same yardstick;
- sweep() of 10^7 rows into arrays (entries 30 2 2.5 100000 0.01 1.5) against the program
  writing the same run's file to /dev/null.

    PYTHONPATH=build/python/python/package /usr/bin/python3 bench/python_module.py \\
        [--program build/default/zelm-fs] [--repeat 7]
"""

import argparse
import statistics
import subprocess
import time
import warnings

import numpy as np

import zelm_fs


def seconds(call):
    start = time.perf_counter()
    call()
    return time.perf_counter() - start


def taking_turns(first, second, repeat):
    """The median time of each of two calls, run one after the other `repeat` times."""
    times = [(seconds(first), seconds(second)) for _ in range(repeat)]
    return statistics.median(t for t, _ in times), statistics.median(t for _, t in times)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", default="build/default/zelm-fs")
    parser.add_argument("--repeat", type=int, default=7)
    arguments = parser.parse_args()
    warnings.simplefilter("ignore", zelm_fs.ZelmWarning)

    rng = np.random.default_rng(1)
    n = 10**6
    phi, cohesion = rng.normal(30, 3, n), rng.lognormal(np.log(2), 0.3, n)
    height, fs = rng.uniform(1, 20, n), np.full(n, 1.5)
    module, numpy = taking_turns(lambda: zelm_fs.slope_angle(phi, cohesion, 2.5, height, fs),
                                 lambda: np.tan(np.radians(phi)) / fs, arguments.repeat)
    print(f"slope_angle, 10^6 elements:  {module * 1e3:7.1f} ms")
    print(f"numpy tan(radians(phi))/fs:  {numpy * 1e3:7.1f} ms")
    print(f"ratio:                       {module / numpy:7.2f}x (at most 5x)")

    angle = rng.uniform(20, 70, n)
    module, numpy = taking_turns(lambda: zelm_fs.factor_of_safety(phi, cohesion, 2.5, height, angle),
                                 lambda: np.tan(np.radians(phi)) / fs, arguments.repeat)
    print(f"factor_of_safety, 10^6 slopes: {module * 1e3:5.1f} ms (well under a second)")
    print(f"numpy tan(radians(phi))/fs:  {numpy * 1e3:7.1f} ms")
    print(f"ratio:                       {module / numpy:7.2f}x")

    entries = ["30", "2", "2.5", "100000", "0.01", "1.5"]
    module, program = taking_turns(
        lambda: zelm_fs.sweep(*entries),
        lambda: subprocess.run([arguments.program, "-o", "/dev/null", *entries], check=True, stderr=subprocess.DEVNULL),
        arguments.repeat)
    print(f"sweep() of 10^7 rows:        {module:7.3f} s")
    print(f"the program to /dev/null:    {program:7.3f} s")
    print(f"ratio:                       {module / program:7.2f}x (at most 1x)")


if __name__ == "__main__":
    main()
