"""The slope angle that holds with 95% confidence, from the spread of the soil's strength.

The friction angle and the cohesion of a soil are known from its tests as a spread, not
as two numbers: here phi is normal (mean 30 degrees, standard deviation 3) and C' is
lognormal (median 2 Tn/m2, 30% spread), with a density of 2.5 Tn/m3 and a factor of
safety of 1.5. For a million draws of the pair, chart 1 gives the slope angle at every
height from 1 to 20 m; at each height, the 5th percentile of those angles is the angle a
talus may be given with 95% confidence, the 50th the typical one and the 95th the one
only the best soil allows.

A draw whose x = tan(phi)/FS lies off the rows chart 1 fits (0.20 to 0.80) has no angle
(NaN): the weakest soils, at any height. They are counted as not designable by chart 1,
their share is printed, and the percentiles are over all draws with those taken as the
worst: where they are more than 5% of the draws, no angle holds with 95% confidence
(with phi ~ N(22, 4), --phi 22 4, about 7.7% of them).

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
    parser.add_argument("--draws", type=int, default=1_000_000, help="pairs of phi and C' drawn (10^6)")
    parser.add_argument("--phi", type=float, nargs=2, default=(30, 3), metavar=("MEAN", "SD"),
                        help="the friction angle's normal spread, degrees (30 3)")
    parser.add_argument("--output", type=Path, default=Path("monte_carlo.png"),
                        help="the picture written (monte_carlo.png, in the current folder)")
    arguments = parser.parse_args()

    rng = np.random.default_rng(2024)
    phi = rng.normal(*arguments.phi, arguments.draws)
    cohesion = rng.lognormal(np.log(2.0), 0.3, arguments.draws)
    heights = np.arange(1, 21)

    # One row per draw, one column per height: the chart read draws x heights times. The
    # draws chart 1 has no angle for are NaN, counted here rather than warned of.
    with warnings.catch_warnings():
        warnings.simplefilter("ignore", zelm_fs.ZelmWarning)
        angles = zelm_fs.slope_angle(phi[:, None], cohesion[:, None], 2.5, heights, 1.5)
    not_designable = np.isnan(angles).mean(axis=0)

    # Percentiles over all draws, those not designable taken as the worst: the q-th of all
    # is the (q - 100 share) / (1 - share)-th of the designable ones, and none (NaN) where
    # q lies within that share. np.nanpercentile alone would skip them, and speak for a
    # population that lost its weakest soils.
    def percentile(q):
        return np.array([np.nanpercentile(column, 100 * (q / 100 - share) / (1 - share)) if q / 100 > share
                         else np.nan for column, share in zip(angles.T, not_designable)])

    low, median, high = (percentile(q) for q in (5, 50, 95))

    figure, axes = plt.subplots(figsize=(7, 4.5), layout="constrained")
    axes.fill_between(heights, low, high, color="tab:blue", alpha=0.12)
    axes.plot(heights, high, color="tab:blue", linewidth=1, linestyle="--", label="95th percentile")
    axes.plot(heights, median, color="tab:blue", label="median (50th percentile)")
    axes.plot(heights, low, color="tab:red", linewidth=2, label="design angle, 95% confidence (5th percentile)")
    axes.set(xlabel="H (m)", ylabel="slope angle (degrees)", xlim=(1, 20), ylim=(0, 90),
             xticks=range(2, 21, 2), yticks=range(0, 91, 10),
             title=f"ABAC 1 · FS 1.5 · phi ~ N({arguments.phi[0]:g}, {arguments.phi[1]:g}), C' ~ lognormal(2, 30%), "
                   f"{arguments.draws:,} draws")
    lost = f"{np.isnan(angles[:, -1]).sum():,} of {arguments.draws:,} draws ({not_designable[-1]:.1%}) not designable by chart 1"
    if not_designable.max() > 0:
        axes.text(0.02, 0.03, lost + " (x off 0.20 to 0.80)", transform=axes.transAxes)
    axes.grid(True, alpha=0.4)
    axes.legend()
    figure.savefig(arguments.output, dpi=100)
    design = "none" if np.isnan(low[-1]) else f"{low[-1]:.0f} degrees"
    print(f"{arguments.output}: design angle {design} at H = 20 m (median {median[-1]:.0f}); {lost}")


if __name__ == "__main__":
    main()
