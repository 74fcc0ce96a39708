"""The probability of failure of a pit's sections, studied on a Dask cluster.

A pit's wall is cut into sections, each its own height and overall angle, in one rock
mass whose strength is known as a spread: phi normal (mean 35 degrees, standard
deviation 3), C' lognormal (mean 40 kPa, standard deviation 12), unit weight 24 kN/m3.
Each section's probability of failure (FS below 1 by Bishop's method) is studied with
its 95% interval, the draws shared out as the cluster's tasks: the same seed gives the
same answer, bit for bit, on one machine or many.

    python3 doc/cluster_study.py [--draws N] [--scheduler ADDRESS]

Without --scheduler, a local cluster of two worker processes on this machine. Against a
real cluster, start `dask-scheduler` on one machine and `dask-worker ADDRESS` on each of
the others (each with the zelm_fs module installed), then give --scheduler ADDRESS, the
address dask-scheduler prints: nothing else changes.
"""

import argparse
import contextlib

import distributed

import zelm_fs

# The pit's sections: a name, the height (m) and the overall angle (degrees).
SECTIONS = [("north wall", 60, 45), ("east wall", 80, 42), ("south ramp", 40, 50), ("west wall", 100, 40)]


@contextlib.contextmanager
def cluster_client(scheduler):
    # A client of the cluster named, or of a local one started for the study.
    if scheduler:
        with distributed.Client(scheduler) as client:
            yield client
        return
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, dashboard_address=None) as cluster, \
            distributed.Client(cluster) as client:
        yield client


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--draws", type=int, default=100_000, help="draws a section (10^5)")
    parser.add_argument("--scheduler", help="the address of a running dask-scheduler (default: a local cluster)")
    arguments = parser.parse_args()
    rock = (zelm_fs.normal(35, 3), zelm_fs.lognormal(40, 12), 24)
    with cluster_client(arguments.scheduler) as client:
        print(f"{len(client.scheduler_info()['workers'])} workers, {arguments.draws:,} draws a section, seed 1")
        for name, height, angle in SECTIONS:
            study = zelm_fs.probability_of_failure(*rock, height, angle, draws=arguments.draws, seed=1, units="si",
                                                   client=client)
            low, high = study.interval
            print(f"{name:>10}: {height} m at {angle} degrees: probability of failure {study.probability:.2%} "
                  f"(95%: {low:.2%} to {high:.2%}), FS mean {study.mean:.3f}, {study.unanswered} without an answer")


if __name__ == "__main__":
    main()
