# Long calls let go of the GIL, so that two threads compute side by side, and stop for
# Ctrl-C with KeyboardInterrupt at once, leaving no file behind.

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
calls = [lambda: zelm_fs.sweep(30, 2, 2.5, 2e7, 1, 1.5).angle, lambda: zelm_fs.slope_angle(*study),
         lambda: zelm_fs.factor_of_safety(*study[:4], 40).lower,
         lambda: zelm_fs.bishop_factor_of_safety(study[0][:200], study[1][:200], 2.5, study[3][:200], 40)]


def test_two_threads_at_once_each_get_their_own_answer():
    with ThreadPoolExecutor(2) as pool:
        together = [pool.submit(call) for call in calls]
        for call, theirs in zip(calls, together):
            np.testing.assert_array_equal(theirs.result(), call())


@pytest.mark.parametrize("call", calls)
def test_a_long_call_lets_another_thread_run_python(call):
    # Another thread notes the time every millisecond meanwhile, which it can do only
    # while it holds the GIL: a call that held it throughout would leave no note in its middle.
    stamps, over = [], threading.Event()
    counter = threading.Thread(target=lambda: [stamps.append(time.perf_counter()) for _ in iter(lambda: over.wait(0.001), True)])
    counter.start()
    start = time.perf_counter()
    call()
    end = time.perf_counter()
    over.set()
    counter.join()
    assert any(start + (end - start) / 4 < t < end - (end - start) / 4 for t in stamps)


CHILD = """import sys, numpy as np, zelm_fs
run = zelm_fs.sweep(30, 2, 2.5, 1e6, 1, 1.5)
calls = {"sweep": lambda: zelm_fs.sweep(30, 2, 2.5, 4e8, 1, 1.5), "write_workbook": lambda: run.write_workbook(sys.argv[2]),
         "slope_angle": lambda: zelm_fs.slope_angle(np.linspace(20, 40, 10**4)[:, None], 2, 2.5, np.linspace(1, 30, 10**4), 1.5),
         "factor_of_safety": lambda: zelm_fs.factor_of_safety(np.linspace(20, 40, 2000)[:, None], 2, 2.5, 10, np.linspace(1, 89, 10**4)),
         "bishop_factor_of_safety": lambda: zelm_fs.bishop_factor_of_safety(np.linspace(20, 40, 10**5), 2, 2.5, 10, 45),
         "write": lambda: run.write(sys.argv[2])}
print("ready", flush=True)
try:
    calls[sys.argv[1]]()
except KeyboardInterrupt:
    print("KeyboardInterrupt")
"""


@pytest.mark.parametrize("what", ["sweep", "slope_angle", "factor_of_safety", "bishop_factor_of_safety", "write_workbook", "write"])
def test_ctrl_c_stops_a_long_call_at_once_and_leaves_no_file(what, tmp_path):
    target = tmp_path / "ZELM_FS_result.xlsx"
    if what == "write":  # a pipe nobody reads: the write waits there until the signal comes
        target = tmp_path / "pipe"
        os.mkfifo(target)
        reader = os.open(target, os.O_RDONLY | os.O_NONBLOCK)
    child = subprocess.Popen([sys.executable, "-W", "ignore", "-c", CHILD, what, target], stdout=subprocess.PIPE, text=True)
    assert child.stdout.readline() == "ready\n"
    time.sleep(0.3)
    child.send_signal(signal.SIGINT)
    signalled = time.monotonic()
    assert child.stdout.read() == "KeyboardInterrupt\n" and child.wait(timeout=30) == 0
    assert time.monotonic() - signalled < 2, "not at once"
    assert [p.name for p in tmp_path.iterdir()] == (["pipe"] if what == "write" else [])
    if what == "write":
        os.close(reader)
