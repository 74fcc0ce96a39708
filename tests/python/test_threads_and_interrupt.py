"""Long calls let go of the GIL, so that two threads compute side by side, and stop for
Ctrl-C with KeyboardInterrupt at once, leaving no file behind."""

import os
import signal
import subprocess
import sys
import threading
import time
from concurrent.futures import ThreadPoolExecutor

import numpy as np
import pytest

import zelm_fs

pytestmark = pytest.mark.filterwarnings("ignore::zelm_fs.ZelmWarning")

rng = np.random.default_rng(3)
study = (rng.normal(30, 3, 400_000), rng.lognormal(0.7, 0.3, 400_000), 2.5, rng.uniform(1, 20, 400_000), 1.5)


def test_two_threads_compute_side_by_side_and_each_gets_its_own_answer():
    alone = (zelm_fs.sweep(30, 2, 2.5, 4000, 0.001, 1.5).angle, zelm_fs.slope_angle(*study))
    with ThreadPoolExecutor(2) as pool:
        together = (pool.submit(lambda: zelm_fs.sweep(30, 2, 2.5, 4000, 0.001, 1.5).angle),
                    pool.submit(zelm_fs.slope_angle, *study))
        for mine, theirs in zip(alone, together):
            np.testing.assert_array_equal(theirs.result(), mine)


@pytest.mark.parametrize("call", [lambda: zelm_fs.sweep(30, 2, 2.5, 2e7, 1, 1.5),
                                  lambda: zelm_fs.slope_angle(*study)])
def test_a_long_call_lets_another_thread_run_python(call):
    # Another thread counts in Python meanwhile. A call that held the GIL throughout
    # would leave it no moment in the middle of the call to count in.
    stamps, over = [], threading.Event()

    def count():
        while not over.is_set():
            stamps.append(time.perf_counter())
            sum(range(200))

    counter = threading.Thread(target=count)
    counter.start()
    time.sleep(0.02)
    start = time.perf_counter()
    call()
    end = time.perf_counter()
    over.set()
    counter.join()
    quarter = (end - start) / 4
    assert any(start + quarter < t < end - quarter for t in stamps), f"no count during {end - start:.3f} s"


CHILD = r"""
import os, sys, time, warnings
import numpy as np
import zelm_fs
warnings.simplefilter("ignore")
what, target = sys.argv[1:]
run = zelm_fs.sweep(30, 2, 2.5, 1e6, 1, 1.5)
calls = {
    "sweep": lambda: zelm_fs.sweep(30, 2, 2.5, 4e8, 1, 1.5),
    "slope_angle": lambda: zelm_fs.slope_angle(np.linspace(20, 40, 10**4)[:, None], 2, 2.5, np.linspace(1, 30, 10**4), 1.5),
    "write_workbook": lambda: run.write_workbook(target),
    "write": lambda: run.write(target),
}
print("ready", flush=True)
try:
    calls[what]()
    print("not interrupted", flush=True)
except KeyboardInterrupt:
    print("KeyboardInterrupt", flush=True)
"""


@pytest.mark.parametrize("what", ["sweep", "slope_angle", "write_workbook", "write"])
def test_ctrl_c_stops_a_long_call_at_once_and_leaves_no_file(what, tmp_path):
    folder = tmp_path / "out"
    folder.mkdir()
    target = folder / "ZELM_FS_result.xlsx"
    if what == "write":  # a pipe nobody reads: the write waits until the signal comes
        target = tmp_path / "pipe"
        os.mkfifo(target)
        reader = os.open(target, os.O_RDONLY | os.O_NONBLOCK)
    child = subprocess.Popen([sys.executable, "-c", CHILD, what, str(target)], stdout=subprocess.PIPE, text=True)
    assert child.stdout.readline() == "ready\n"
    time.sleep(0.3)
    child.send_signal(signal.SIGINT)
    signalled = time.monotonic()
    said = child.stdout.read()
    child.wait(timeout=30)
    assert said == "KeyboardInterrupt\n"
    assert time.monotonic() - signalled < 2, "not at once"
    assert list(folder.iterdir()) == []
    if what == "write":
        os.close(reader)
