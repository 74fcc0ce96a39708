#!/usr/bin/env python3
# The program linked to Debian's shared libxlsxwriter writes the workbooks the
# static program does, with its pinned libxlsxwriter: for every case's values, the
# same exit status, warnings and result file, and a workbook with the same parts
# holding the same values. Only the way a number is printed may differ: Debian's
# library prints 0.69 as 0.68999999999999995, which reads back as the same double.
# The time the workbook was made (docProps/core.xml) is left out.
#
# same_workbook.py SHARED_PROGRAM STATIC_PROGRAM CASES_DIR WORK_DIR
import glob
import os
import re
import shutil
import subprocess
import sys
import zipfile

NUMBER = re.compile(r'(-?\d+(?:\.\d+)?(?:[eE][-+]?\d+)?)')


def same_values(first, second):
    # Whether two texts are the same once every number is read as a double.
    a, b = NUMBER.split(first), NUMBER.split(second)
    return len(a) == len(b) and all(x == y if i % 2 == 0 else float(x) == float(y)
                                    for i, (x, y) in enumerate(zip(a, b)))


def run(program, values, folder):
    # The exit status, the warnings and the files of a run, each file's parts but the one
    # that records when it was made.
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    result = subprocess.run([program, '-w', *values], cwd=folder, capture_output=True, text=True, check=False)
    files = {}
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if name.endswith('.xlsx'):
            with zipfile.ZipFile(path) as archive:
                files[name] = {part: archive.read(part).decode('utf-8') for part in archive.namelist()
                               if part != 'docProps/core.xml'}
        else:
            with open(path, 'rb') as file:
                files[name] = file.read()
    return result.returncode, result.stderr, files


def main():
    shared, static, cases, work = sys.argv[1:5]
    failures = []
    compared = 0
    for values_file in sorted(glob.glob(os.path.join(cases, '*', 'values'))):
        case = os.path.basename(os.path.dirname(values_file))
        with open(values_file, encoding='utf-8') as text:
            values = text.read().split()
        (status_a, err_a, files_a), (status_b, err_b, files_b) = runs = [
            run(program, values, os.path.join(work, case, name)) for program, name in ((shared, 'shared'), (static, 'static'))]
        workbook_a, workbook_b = files_a.pop('ZELM_FS_result.xlsx', {}), files_b.pop('ZELM_FS_result.xlsx', {})
        if (status_a, err_a, files_a) != (status_b, err_b, files_b) or workbook_a.keys() != workbook_b.keys():
            failures.append(f'{case}: status, warnings, files or parts differ: {runs[0][:2]} {runs[1][:2]}')
        failures += [f'{case}: {part} holds other values' for part in workbook_a
                     if not same_values(workbook_a[part], workbook_b.get(part, ''))]
        compared += 1 if workbook_a else 0
    if failures or compared == 0:
        sys.exit('\n'.join(failures) or 'no workbook compared')
    print(f'{compared} workbooks hold the same values from both programs')


if __name__ == '__main__':
    main()
