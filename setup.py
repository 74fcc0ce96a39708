"""Builds and installs the Python module zelm_fs with scikit-build (Debian's
python3-skbuild): CMake builds the core and the module from this source tree alone, with
Debian's packages, and nothing is fetched.

    python3 -m venv --system-site-packages .venv && .venv/bin/pip install --no-build-isolation .
"""

import re
from pathlib import Path

from skbuild import setup

project = (Path(__file__).parent / "CMakeLists.txt").read_text()
version = re.search(r"project\(zelm_fs VERSION ([0-9.]+)", project).group(1)

setup(
    name="zelm-fs",
    version=version,
    description="Slope angles of a talus read from design chart 1, with numpy arrays in and out",
    packages=["zelm_fs"],
    package_dir={"": "python"},
    cmake_install_dir="python",  # the module goes into the package of python/zelm_fs
    package_data={"zelm_fs": ["__init__.pyi", "py.typed"]},
    python_requires=">=3.11",
    install_requires=["numpy"],
    # The module alone: no program, no tests, on Debian's shared libxlsxwriter and zlib,
    # installed already (nothing to fetch); a compiler's warning never stops an install.
    cmake_args=["-DBUILD_TESTING=OFF", "-DZELM_SYSTEM_LIBRARIES=ON", "-DZELM_WERROR=OFF"],
)
