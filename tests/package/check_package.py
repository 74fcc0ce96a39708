#!/usr/bin/env python3
# A package of zelm-fs, unpacked, as its user meets it.
#
# check_package.py --package GLOB --expected XLS --components TABLE
# PROGRAM_MANIFEST PAGE_MANIFEST
#
# The .deb lays its files out under usr/ and holds the program linked to Debian's
# shared libraries, Depends computed for them, Debian's copyright file, a changelog and
# the README; the .tar.gz holds one folder with bin/ and share/ and the static
# program. In both: the program runs the traced case to the byte, --version names
# the notices file the package holds, the manual page and the page are where the
# manual says, and the notices of the program and of the page name every
# component the build found inside them.
import argparse
import glob
import gzip
import os
import subprocess
import sys
import tempfile

NOTICES_TOOL = os.path.join(os.path.dirname(__file__), '..', '..', 'notices', 'notices.py')
TRACED = ['30', '2', '2.5', '20', '1', '1.5']


def run(*command, cwd=None):
    return subprocess.run(command, capture_output=True, text=True, check=False, cwd=cwd)


def main():
    parser = argparse.ArgumentParser()
    for option in ('--package', '--expected', '--components'):
        parser.add_argument(option, required=True)
    parser.add_argument('manifests', nargs=2)  # the program's, then the page's
    arguments = parser.parse_args()
    found = glob.glob(arguments.package)
    if len(found) != 1:
        sys.exit(f'no single package {arguments.package} (run cpack first): {found}')
    package = found[0]
    debian = package.endswith('.deb')
    failures = []

    def expect(condition, failure):
        if not condition:
            failures.append(failure)

    with tempfile.TemporaryDirectory() as unpacked:
        if debian:
            expect(run('dpkg-deb', '-x', package, unpacked).returncode == 0, 'dpkg-deb cannot unpack it')
            prefix = os.path.join(unpacked, 'usr')
            notices = os.path.join(prefix, 'share', 'doc', 'zelm-fs', 'copyright')
        else:
            expect(run('tar', '-xzf', package, '-C', unpacked).returncode == 0, 'tar cannot unpack it')
            folders = os.listdir(unpacked)
            expect(len(folders) == 1, f'not one folder at the top: {folders}')
            prefix = os.path.join(unpacked, folders[0])
            notices = os.path.join(prefix, 'share', 'doc', 'zelm-fs', 'NOTICES.txt')
        program = os.path.join(prefix, 'bin', 'zelm-fs')
        page = os.path.join(prefix, 'share', 'zelm-fs', 'zelm-fs.html')
        for path in (program, page, notices, os.path.join(prefix, 'share', 'man', 'man1', 'zelm-fs.1.gz')):
            expect(os.path.isfile(path), f'{os.path.relpath(path, unpacked)} is missing')
        if failures:
            sys.exit('\n'.join(failures))

        # Linked as the package means: to Debian's libxlsxwriter, or to nothing at all.
        needed = [line for line in run('readelf', '--dynamic', program).stdout.splitlines() if '(NEEDED)' in line]
        if debian:
            expect(any('libxlsxwriter.so' in line for line in needed), f'not linked to libxlsxwriter.so: {needed}')
            depends = run('dpkg-deb', '--field', package, 'Depends').stdout
            expect('libxlsxwriter' in depends and 'libc6' in depends, f'Depends lacks the libraries: {depends}')
            doc = os.path.join(prefix, 'share', 'doc', 'zelm-fs')
            with gzip.open(os.path.join(doc, 'changelog.gz'), 'rt', encoding='utf-8') as changelog:
                expect(changelog.readline().startswith('zelm-fs ('), 'changelog.gz is not a Debian changelog')
            with gzip.open(os.path.join(doc, 'README.md.gz'), 'rt', encoding='utf-8') as readme:
                expect('zelm-fs' in readme.read(), 'README.md.gz is not the README')
        else:
            expect(not needed, f'the static program needs shared libraries: {needed}')

        with tempfile.TemporaryDirectory() as work:
            result = run(program, *TRACED, cwd=work)
            expect(result.returncode == 0 and result.stdout == '' and result.stderr == '',
                   f'the traced run: status {result.returncode}, {result.stdout!r}, {result.stderr!r}')
            expect(os.listdir(work) == ['ZELM_FS_result.xls'], f'the traced run left {os.listdir(work)}')
            with open(os.path.join(work, 'ZELM_FS_result.xls'), 'rb') as written, \
                    open(arguments.expected, 'rb') as expected:
                expect(written.read() == expected.read(), 'the traced run\'s result file differs')

        # --version ends with where the notices are: a path on this system, or one from
        # the program's folder.
        where = run(program, '--version').stdout.splitlines()[-1].split(' ')[0]
        shown = os.path.join(unpacked, where.lstrip('/')) if where.startswith('/') else \
            os.path.join(os.path.dirname(program), where)
        expect(os.path.samefile(shown, notices) if os.path.exists(shown) else False,
               f'--version names {where}, which is not the package\'s notices file')

        for shipped, manifests in ((notices, arguments.manifests), (page, arguments.manifests[1:])):
            check = run(sys.executable, NOTICES_TOOL, 'check', '--components', arguments.components,
                        '--notices', shipped, *manifests)
            expect(check.returncode == 0, check.stderr.strip())
    if failures:
        sys.exit('\n'.join(failures))
    print(f'{package}: as it should be')


if __name__ == '__main__':
    main()
