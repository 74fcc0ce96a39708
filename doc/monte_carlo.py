"""The slope angle that holds with 95% confidence, from the spread of the soil's strength.

The friction angle and the cohesion of a soil are known from its tests as a spread, not
as two numbers: here phi is normal (mean 30 degrees, standard deviation 3) and C' is
lognormal (median 2 Tn/m2, 30% spread), with a density of 2.5 Tn/m3 and a factor of
safety of 1.5. For a million draws of the pair, chart 1 gives the slope angle at every
height from 1 to 20 m; at each height, the 5th percentile of those angles is the angle a
talus may be given with 95% confidence, the 50th the typical one and the 95th the one
only the best soil allows.

    python3 doc/monte_carlo.py [--draws N] [--output FILE.png]
"""

import argparse
from pathlib import Path

import matplotlib

matplotlib.use("Agg")  # a file, without a screen

import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import zelm_fs  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--draws", type=int, default=1_000_000, help="pairs of phi and C' drawn (10^6)")
    parser.add_argument("--output", type=Path, default=Path(__file__).with_name("monte_carlo.png"))
    arguments = parser.parse_args()

    rng = np.random.default_rng(2024)
    phi = rng.normal(30, 3, arguments.draws)
    cohesion = rng.lognormal(np.log(2.0), 0.3, arguments.draws)
    heights = np.arange(1, 21)

    # One row per draw, one column per height: the chart read draws x heights times.
    angles = zelm_fs.slope_angle(phi[:, None], cohesion[:, None], 2.5, heights, 1.5)
    low, median, high = np.nanpercentile(angles, [5, 50, 95], axis=0)

    figure, axes = plt.subplots(figsize=(7, 4.5), layout="constrained")
    axes.fill_between(heights, low, high, color="tab:blue", alpha=0.12)
    axes.plot(heights, high, color="tab:blue", linewidth=1, linestyle="--", label="95th percentile")
    axes.plot(heights, median, color="tab:blue", label="median (50th percentile)")
    axes.plot(heights, low, color="tab:red", linewidth=2, label="design angle, 95% confidence (5th percentile)")
    axes.set(xlabel="H (m)", ylabel="slope angle (degrees)", xlim=(1, 20), ylim=(0, 90),
             xticks=range(2, 21, 2), yticks=range(0, 91, 10),
             title=f"ABAC 1 · FS 1.5 · phi ~ N(30, 3), C' ~ lognormal(2, 30%), {arguments.draws:,} draws")
    axes.grid(True, alpha=0.4)
    axes.legend()
    figure.savefig(arguments.output, dpi=100)
    print(f"{arguments.output}: design angle {low[-1]:.0f} degrees at H = 20 m (median {median[-1]:.0f})")


if __name__ == "__main__":
    main()
