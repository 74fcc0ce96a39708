"""Times Bishop's method over a Monte Carlo study, as a probabilistic check of one slope
would run it: 10^5 draws of the material (phi normal, mean 30 and spread 3 degrees; C'
lognormal about 2 with a spread of 30%; d 2.5), one slope of 10 m at 45 degrees, every
draw's critical circle searched, both cores sharing the draws. Prints the time, the time
per draw, and what the study is for: the share of draws below FS 1 and the 5th percentile
of FS.

    PYTHONPATH=build/python/python/package /usr/bin/python3 bench/bishop_draws.py [--draws 100000]
"""

import argparse
import time
import warnings

import numpy as np

import zelm_fs


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--draws", type=int, default=10**5)
    arguments = parser.parse_args()
    warnings.simplefilter("ignore", zelm_fs.ZelmWarning)

    rng = np.random.default_rng(1)
    n = arguments.draws
    phi, cohesion = rng.normal(30, 3, n), rng.lognormal(np.log(2), 0.3, n)
    start = time.perf_counter()
    fs = zelm_fs.bishop_factor_of_safety(phi, cohesion, 2.5, 10, 45)
    elapsed = time.perf_counter() - start
    print(f"{n} draws: {elapsed:.1f} s on both cores, {elapsed / n * 1e3:.3f} ms a draw (well under a minute)")
    print(f"below FS 1: {np.mean(fs < 1) * 100:.2f}% of the draws; 5th percentile of FS {np.nanpercentile(fs, 5):.3f}")


if __name__ == "__main__":
    main()
