#!/usr/bin/env python3
"""The program linked to Debian's shared libxlsxwriter writes the workbooks the
static program does, with its pinned libxlsxwriter: for every case's values, the
same exit status, warnings and result file, and a workbook with the same parts
holding the same values. Only the way a number is printed may differ: Debian's
library prints 0.69 as 0.68999999999999995, which reads back as the same double.
The time the workbook was made (docProps/core.xml) is left out.

    same_workbook.py SHARED_PROGRAM STATIC_PROGRAM CASES_DIR WORK_DIR
"""
import os
import re
import shutil
import subprocess
import sys
import zipfile

NUMBER = re.compile(r'(-?\d+(?:\.\d+)?(?:[eE][-+]?\d+)?)')


def same_values(first, second):
    """Whether two texts are the same once every number is read as a double."""
    a, b = NUMBER.split(first), NUMBER.split(second)
    return len(a) == len(b) and all(x == y if i % 2 == 0 else float(x) == float(y)
                                    for i, (x, y) in enumerate(zip(a, b)))


def run(program, values, folder):
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    result = subprocess.run([program, '-w', *values], cwd=folder, capture_output=True, text=True, check=False)
    files = {}
    for name in ('ZELM_FS_result.xls', 'ZELM_FS_result.xlsx'):
        path = os.path.join(folder, name)
        if os.path.exists(path):
            with open(path, 'rb') as file:
                files[name] = file.read()
    return result.returncode, result.stderr, files


def differences(shared, static):
    """What differs between the two workbooks, part by part."""
    found = []
    with zipfile.ZipFile(shared) as a, zipfile.ZipFile(static) as b:
        if sorted(a.namelist()) != sorted(b.namelist()):
            return [f'parts {sorted(a.namelist())} and {sorted(b.namelist())}']
        for part in a.namelist():
            if part == 'docProps/core.xml':
                continue
            first, second = a.read(part), b.read(part)
            if first != second and not same_values(first.decode('utf-8'), second.decode('utf-8')):
                found.append(f'{part} holds other values')
    return found


def main():
    shared, static, cases, work = sys.argv[1:5]
    failures = []
    compared = 0
    for case in sorted(os.listdir(cases)):
        values_file = os.path.join(cases, case, 'values')
        if not os.path.exists(values_file):
            continue
        with open(values_file, encoding='utf-8') as text:
            values = text.read().split()
        runs = [run(program, values, os.path.join(work, case, name))
                for program, name in ((shared, 'shared'), (static, 'static'))]
        (status_a, err_a, files_a), (status_b, err_b, files_b) = runs
        if (status_a, err_a, sorted(files_a)) != (status_b, err_b, sorted(files_b)):
            failures.append(f'{case}: status, warnings or files differ: {runs[0][:2]} {runs[1][:2]}')
        elif files_a.get('ZELM_FS_result.xls') != files_b.get('ZELM_FS_result.xls'):
            failures.append(f'{case}: the result files differ')
        elif 'ZELM_FS_result.xlsx' in files_a:
            failures += [f'{case}: {d}' for d in differences(
                os.path.join(work, case, 'shared', 'ZELM_FS_result.xlsx'),
                os.path.join(work, case, 'static', 'ZELM_FS_result.xlsx'))]
            compared += 1
    if failures or compared == 0:
        sys.exit('\n'.join(failures) or 'no workbook compared')
    print(f'{compared} workbooks hold the same values from both programs')


if __name__ == '__main__':
    main()
