# On a cluster: a local Dask cluster of two worker processes answers what one process
# answers, bit for bit, for a study of the probability of failure with the same seed and
# for the functions over arrays block by block.

import numpy as np
import pytest

import zelm_fs

pytestmark = pytest.mark.filterwarnings("ignore:make_current is deprecated:DeprecationWarning")  # tornado, under distributed
distributed = pytest.importorskip("distributed")
da = pytest.importorskip("dask.array")


@pytest.fixture(scope="module")
def client():
    with distributed.LocalCluster(n_workers=2, threads_per_worker=1, processes=True, dashboard_address=None) as cluster:
        with distributed.Client(cluster) as connected:
            yield connected


def test_a_study_on_two_workers_is_the_study_in_one_process(client):
    study = (zelm_fs.normal(30, 3), zelm_fs.lognormal(15, 5), 19.6, 10, 45)
    alone = zelm_fs.probability_of_failure(*study, draws=10_000, seed=4, units="si", ru=0.1)
    shared = zelm_fs.probability_of_failure(*study, draws=10_000, seed=4, units="si", ru=0.1, client=client)
    assert np.array_equal(alone.fs, shared.fs)
    assert (alone.probability, alone.interval, alone.mean) == (shared.probability, shared.interval, shared.mean)
    assert all(np.array_equal(alone.values[k], shared.values[k]) for k in alone.values)


def test_a_study_on_one_thread_and_on_two_is_the_same():
    study = (zelm_fs.normal(30, 3), zelm_fs.lognormal(15, 5), 19.6, 10, 45)
    answers = []
    for threads in (1, 2):
        with distributed.LocalCluster(n_workers=1, threads_per_worker=threads, processes=False,
                                      dashboard_address=None) as cluster, distributed.Client(cluster) as client:
            answers.append(zelm_fs.probability_of_failure(*study, draws=9000, seed=8, units="si", client=client))
    assert np.array_equal(answers[0].fs, answers[1].fs)
    assert answers[0].interval == answers[1].interval


def test_draws_without_an_answer_on_the_cluster_are_counted_in_one_warning(client):
    phi = np.full(5000, 30.0)
    phi[[10, 4500]] = -1  # no soil, in the first block and the second
    with pytest.warns(zelm_fs.ZelmWarning, match=r"^2 of 5000 draws have no answer, and are NaN; the first block "
                                                 r"with any, draws 0 to 4095, says: 1 of 4096 elements"):
        study = zelm_fs.probability_of_failure(phi, 15, 19.6, 10, 45, units="si", client=client)
    assert study.unanswered == 2


@pytest.mark.parametrize("function, last", [(zelm_fs.bishop_factor_of_safety, 45), (zelm_fs.slope_angle, 1.5),
                                            (zelm_fs.bishop_angle, 1.5)])
def test_the_functions_over_dask_arrays_answer_block_by_block(client, function, last):
    phi = np.linspace(20, 40, 12)
    height = np.linspace(2, 20, 12)[:, None]
    lazy = function(da.from_array(phi, chunks=5), 2, 2.5, da.from_array(height, chunks=(4, 1)), last)
    assert isinstance(lazy, da.Array)
    assert np.array_equal(lazy.compute(), function(phi, 2, 2.5, height, last), equal_nan=True)
