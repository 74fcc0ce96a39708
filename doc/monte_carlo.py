"""The slope angle whose probability of failure stays below 1% or 5%, from the spread of the soil's strength.

The friction angle and the cohesion of a soil are known from its tests as a spread, not
as two numbers: here phi is normal (mean 30 degrees, standard deviation 3) and C' is
lognormal (mean 2 Tn/m2, standard deviation 0.6), with a density of 2.5 Tn/m3. For each
height from 2 to 20 m, the steepest whole degree whose probability of failure (FS below
1 by Bishop's method, with 95% confidence) stays below 1% and below 5%, beside the
deterministic angles of the mean soil: Bishop's at FS 1.5 and chart 1's at FS 1.5. The
same draws serve every height and degree (zelm_fs.probability_angle); a draw without an
answer is counted as failing, never dropped, and the count is printed.

    python3 doc/monte_carlo.py [--draws N] [--phi MEAN SD] [--output FILE.png]

The picture is written to monte_carlo.png in the current folder, or to the file --output
names; the README's picture is made with --output doc/monte_carlo.png.
"""

import argparse
import warnings
from pathlib import Path

import matplotlib

matplotlib.use("Agg")  # a file, without a screen

import matplotlib.pyplot as plt  # noqa: E402
import numpy as np  # noqa: E402

import zelm_fs  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--draws", type=int, default=10_000, help="draws of phi and C' (10^4)")
    parser.add_argument("--phi", type=float, nargs=2, default=(30, 3), metavar=("MEAN", "SD"),
                        help="the friction angle's normal spread, degrees (30 3)")
    parser.add_argument("--output", type=Path, default=Path("monte_carlo.png"),
                        help="the picture written (monte_carlo.png, in the current folder)")
    arguments = parser.parse_args()

    phi, cohesion, density = zelm_fs.normal(*arguments.phi), zelm_fs.lognormal(2.0, 0.6), 2.5
    heights = np.arange(2, 21, 2)
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", zelm_fs.ZelmWarning)  # the draws without an answer, counted below
        below = {target: zelm_fs.probability_angle(phi, cohesion, density, heights, target, draws=arguments.draws,
                                                   seed=2024)
                 for target in (0.01, 0.05)}
        tallest = zelm_fs.probability_of_failure(phi, cohesion, density, heights[-1], below[0.01][-1],
                                                 draws=arguments.draws, seed=2024)
        bishop = zelm_fs.bishop_angle(phi.mean, cohesion.mean, density, heights, 1.5)
        chart = np.floor(zelm_fs.slope_angle(phi.mean, cohesion.mean, density, heights, 1.5))

    figure, axes = plt.subplots(figsize=(7, 4.5), layout="constrained")
    axes.plot(heights, chart, color="tab:gray", linestyle="--", label="chart 1, FS 1.5, mean soil")
    axes.plot(heights, bishop, color="tab:blue", label="Bishop, FS 1.5, mean soil")
    axes.plot(heights, below[0.05], color="tab:orange", marker="o", label="probability of failure below 5%")
    axes.plot(heights, below[0.01], color="tab:red", marker="o", linewidth=2, label="probability of failure below 1%")
    axes.set(xlabel="H (m)", ylabel="slope angle (degrees)", xlim=(2, 20), ylim=(0, 90),
             xticks=heights, yticks=range(0, 91, 10),
             title=f"phi ~ N({arguments.phi[0]:g}, {arguments.phi[1]:g}), C' ~ lognormal(2, 0.6) Tn/m2, d 2.5; "
                   f"{arguments.draws:,} draws")
    axes.grid(True, alpha=0.4)
    axes.legend()
    figure.savefig(arguments.output, dpi=100)

    def shown(angle):
        return "none" if np.isnan(angle) else f"{angle:.0f}"

    print(f"{arguments.output}: at H = 20 m, probability of failure below 1%: {shown(below[0.01][-1])} degrees, "
          f"below 5%: {shown(below[0.05][-1])} (Bishop at FS 1.5: {shown(bishop[-1])}, chart 1: {shown(chart[-1])}); "
          f"{tallest.unanswered:,} of {tallest.draws:,} draws without an answer")


if __name__ == "__main__":
    main()
