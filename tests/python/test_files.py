"""The two files: the program's workbook part for part, and a file that cannot be written
is an OSError with the errno and the name as given, the earlier file kept and nothing left
beside it."""

import errno
import resource
import zipfile
from contextlib import contextmanager

import pytest
from conftest import program_output

import zelm_fs

traced = zelm_fs.sweep(30, 2, 2.5, 20, 1, 1.5)


def parts(workbook):
    """The workbook's parts, but for the one that records when it was made."""
    with zipfile.ZipFile(workbook) as archive:
        return {name: archive.read(name) for name in archive.namelist() if name != "docProps/core.xml"}


def test_the_workbook_is_the_program_s(tmp_path):
    program_output("-w", "30", "2", "2.5", "20", "1", "1.5", cwd=tmp_path)
    traced.write_workbook(tmp_path / "module.xlsx")
    assert parts(tmp_path / "module.xlsx") == parts(tmp_path / "ZELM_FS_result.xlsx")


@contextmanager
def file_size_limit(size):
    soft, hard = resource.getrlimit(resource.RLIMIT_FSIZE)
    resource.setrlimit(resource.RLIMIT_FSIZE, (size, hard))  # Python ignores SIGXFSZ: a write fails with EFBIG
    try:
        yield
    finally:
        resource.setrlimit(resource.RLIMIT_FSIZE, (soft, hard))


def refuses(run, write, target, error_number, match):
    with pytest.raises(OSError, match=match) as refused:
        getattr(run, write)(target)
    assert refused.value.errno == error_number
    assert refused.value.filename == target
    return refused.value


@pytest.mark.parametrize("write, earlier", [("write", "ZELM_FS_result.xls"), ("write_workbook", "ZELM_FS_result.xlsx")])
def test_a_file_that_cannot_be_written_keeps_the_earlier_one(tmp_path, write, earlier):
    plain = tmp_path / "plain"
    plain.write_bytes(b"a file, not a folder")
    refuses(traced, write, tmp_path / "missing" / "r", errno.ENOENT, "No such file or directory")
    refuses(traced, write, str(plain / "r"), errno.ENOTDIR, "Not a directory")
    refuses(traced, write, tmp_path, errno.EISDIR, "Is a directory")

    kept = tmp_path / earlier
    kept.write_bytes(b"an earlier result")
    with file_size_limit(4096):
        error = refuses(zelm_fs.sweep(30, 2, 2.5, 2000, 1, 1.5), write, kept, errno.EFBIG, "File too large")
    if write == "write_workbook":  # refused before it was put together, with what was checked
        assert "beyond the file-size limit of 4 kB" in error.__notes__[0]
    assert kept.read_bytes() == b"an earlier result"
    assert sorted(p.name for p in tmp_path.iterdir()) == sorted([earlier, "plain"])


def test_a_sweep_beyond_a_sheet_gets_no_workbook(tmp_path):
    kept = tmp_path / "r.xlsx"
    kept.write_bytes(b"an earlier workbook")
    with pytest.raises(OSError, match=r"^cannot write .*r[.]xlsx: the sweep has 1048569 rows and a sheet holds 1048568"):
        zelm_fs.sweep(30, 2, 2.5, 1048569, 1, 1.5).write_workbook(kept)
    assert kept.read_bytes() == b"an earlier workbook" and len(list(tmp_path.iterdir())) == 1
