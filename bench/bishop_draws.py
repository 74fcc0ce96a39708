"""Times a Monte Carlo study of one slope by Bishop's method: 10^5 draws of the material
(phi normal, mean 30 and spread 3 degrees; C' lognormal, mean 2 Tn/m2 and spread 0.6; d
2.5), one slope of 10 m at 45 degrees. probability_of_failure searches each draw from the
nominal slope's critical circle; bishop_factor_of_safety searches the same draws cold, for
the time it saves and the largest difference between the two. On a local Dask cluster of
1 and then 2 worker processes of one thread each, each bound to a core of its own (the
efficiency from 1 to 2: the rate on 2 over twice the rate on 1), then in this process on both cores, then on one (the
process bound to the first core).

    PYTHONPATH=build/python/python/package /usr/bin/python3 bench/bishop_draws.py [--draws 100000]
"""

import argparse
import importlib
import os
import time
import warnings

import distributed
import numpy as np

import zelm_fs


def timed(call):
    start = time.perf_counter()
    answer = call()
    return answer, time.perf_counter() - start


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--draws", type=int, default=10**5)
    n = parser.parse_args().draws
    warnings.simplefilter("ignore", zelm_fs.ZelmWarning)
    study = (zelm_fs.normal(30, 3), zelm_fs.lognormal(2, 0.6), 2.5, 10, 45)
    rates = {}
    for workers in (1, 2):
        with distributed.LocalCluster(n_workers=workers, threads_per_worker=1, dashboard_address=None) as cluster, \
                distributed.Client(cluster) as client:
            for core, worker in enumerate(sorted(client.scheduler_info()["workers"])):  # a core each
                client.run(os.sched_setaffinity, 0, {core}, workers=[worker])
            # Every worker warmed up: the module imported, and a few blocks each.
            client.run(importlib.import_module, "zelm_fs")
            zelm_fs.probability_of_failure(*study, draws=4096 * 2 * workers, seed=2, client=client)
            # The best of three, as the machine's other work comes and goes.
            elapsed = min(timed(lambda: zelm_fs.probability_of_failure(*study, draws=n, seed=1, client=client))[1]
                          for _ in range(3))
        rates[workers] = n / elapsed
        print(f"a local cluster of {workers} worker{'s' if workers > 1 else ''}: {n} draws in {elapsed:.2f} s, "
              f"{rates[workers]:.0f} draws/s")
    print(f"  efficiency from 1 worker to 2: {rates[2] / (2 * rates[1]):.0%}")
    for cores in ("both cores", "one core"):
        if cores == "one core":
            os.sched_setaffinity(0, {min(os.sched_getaffinity(0))})
        answer, warm = timed(lambda: zelm_fs.probability_of_failure(*study, draws=n, seed=1))
        print(f"{cores}: {n} draws in {warm:.2f} s, {warm / n * 1e6:.0f} µs a draw, {n / warm:.0f} draws/s; "
              f"probability {answer.probability:.4f}, interval {answer.interval[0]:.4f} to {answer.interval[1]:.4f}")
        values = answer.values
        cold_n = min(n, 10**4)
        cold, elapsed = timed(lambda: zelm_fs.bishop_factor_of_safety(
            values["phi"][:cold_n], values["cohesion"][:cold_n], values["density"][:cold_n], 10, 45))
        difference = np.nanmax(np.abs(answer.fs[:cold_n] / cold - 1))
        print(f"  the first {cold_n} searched cold: {elapsed / cold_n * 1e6:.0f} µs a draw; "
              f"largest difference {difference:.1e} of the FS")


if __name__ == "__main__":
    main()
