# The two files: the program's workbook part for part; a file that cannot be written is an
# OSError with the errno and the name as given, the earlier file kept and nothing left; the
# result file refused a workbook's name and standard output's; the units change no row.

import errno
import os
import resource
import zipfile

import pytest
from conftest import program_output

import zelm_fs

traced = zelm_fs.sweep(30, 2, 2.5, 20, 1, 1.5)


def parts(workbook):  # but the one that records when it was made
    with zipfile.ZipFile(workbook) as archive:
        return {name: archive.read(name) for name in archive.namelist() if name != "docProps/core.xml"}


@pytest.mark.parametrize("units", ["tonnes", "si"])
def test_the_workbook_is_the_program_s(tmp_path, units):
    program_output("-w", "--units", units, "30", "2", "2.5", "20", "1", "1.5", cwd=tmp_path)
    zelm_fs.sweep(30, 2, 2.5, 20, 1, 1.5, units=units).write_workbook(tmp_path / "module.xlsx")
    assert parts(tmp_path / "module.xlsx") == parts(tmp_path / "ZELM_FS_result.xlsx")


@pytest.mark.parametrize("write, earlier", [("write", "r.xls"), ("write_workbook", "r.xlsx")])
def test_a_file_that_cannot_be_written_keeps_the_earlier_one(tmp_path, write, earlier):
    (tmp_path / "plain").write_bytes(b"a file, not a folder")
    (tmp_path / earlier).write_bytes(b"an earlier result")
    refused = [(traced, tmp_path / "missing" / "r", errno.ENOENT), (traced, str(tmp_path / "plain" / "r"), errno.ENOTDIR),
               (traced, tmp_path, errno.EISDIR), (zelm_fs.sweep(30, 2, 2.5, 2000, 1, 1.5), tmp_path / earlier, errno.EFBIG)]
    limits = resource.getrlimit(resource.RLIMIT_FSIZE)
    resource.setrlimit(resource.RLIMIT_FSIZE, (4096, limits[1]))  # Python ignores SIGXFSZ: a write fails with EFBIG
    try:
        for run, target, number in refused:
            with pytest.raises(OSError, match=os.strerror(number)) as error:
                getattr(run, write)(target)
            assert (error.value.errno, error.value.filename) == (number, target)
    finally:
        resource.setrlimit(resource.RLIMIT_FSIZE, limits)
    # Each refused before it was begun (the workbook before it was put together), saying
    # what was checked.
    assert "beyond the file-size limit of 4 kB" in error.value.__notes__[0]
    if write == "write":
        assert error.value.__notes__[0].startswith("Its header and 2000 rows take up to 51 kB")
    assert (tmp_path / earlier).read_bytes() == b"an earlier result"
    assert sorted(p.name for p in tmp_path.iterdir()) == sorted([earlier, "plain"])


def test_a_sweep_beyond_a_sheet_gets_no_workbook(tmp_path):
    (tmp_path / "r.xlsx").write_bytes(b"an earlier workbook")
    with pytest.raises(OSError, match=r"^cannot write .*r[.]xlsx: the sweep has 1048569 rows and a sheet holds 1048568"):
        zelm_fs.sweep(30, 2, 2.5, 1048569, 1, 1.5).write_workbook(tmp_path / "r.xlsx")
    assert [p.read_bytes() for p in tmp_path.iterdir()] == [b"an earlier workbook"]


def test_the_result_file_is_refused_a_workbook_s_name_and_standard_output_s(tmp_path, monkeypatch):
    monkeypatch.chdir(tmp_path)
    for name in ("r.xlsx", tmp_path / "R.XLSX", b"r.xLsx"):
        with pytest.raises(ValueError, match=r"(?i)^path: '.*r[.]xlsx' is a workbook's name, and the result file is tab-separated text"):
            traced.write(name)
    for name in ("-", b"-"):
        with pytest.raises(ValueError, match=r"^path: '-' is the command line's name for standard output"):
            traced.write(name)
    assert list(tmp_path.iterdir()) == []
    traced.write_workbook("-")  # a workbook takes any name
    assert zipfile.is_zipfile(tmp_path / "-")


def test_the_units_label_the_run_and_change_no_row():
    si = zelm_fs.sweep(30, 2, 2.5, 20, 1, 1.5, units="si")
    assert (traced.units, si.units, si.to_dataframe().attrs["units"]) == ("tonnes", "si", "si")
    assert si.to_dataframe().equals(traced.to_dataframe()) and "units='si'" in repr(si)
    assert repr(traced) == "<zelm_fs.Sweep phi=30.0 cohesion=2.0 density=2.5 height=20.0 step=1.0 fs=1.5 units='tonnes': 20 rows, 0 warnings>"
