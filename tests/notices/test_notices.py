# notices/notices.py on small made-up builds and copyright files: what it finds
# inside a link, what it keeps of a copyright file, how it writes Debian's format and
# plain text, and what its check refuses.
#
# python3 -m unittest discover -s tests/notices
import json
import os
import pathlib
import subprocess
import sys
import tempfile
import unittest

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, os.path.join(os.path.dirname(__file__), '..', '..', 'notices'))
import notices  # noqa: E402

# A made-up copyright file in Debian's machine-readable format, with parts for the
# packaging and the tests that a build leaves out.
MACHINE_READABLE = pathlib.Path(__file__).with_name('made_up.copyright').read_text(encoding='utf-8')


def write(folder, name, text):
    path = os.path.join(folder, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, 'w', encoding='utf-8') as file:
        file.write(text)
    return path


def entry(folder, text, title='Thing', keep=(), origin='src'):
    component = {'origin': origin, 'name': title.lower(), 'version': '1.0-1', 'source': title.lower(),
                 'source_version': '1.0-1', 'notice': write(folder, f'{title}/copyright', text)}
    row = notices.Row(origin, title.lower(), title, 'BSD-2-clause', list(keep), [])
    return notices.Entry(row, [component], notices.choose_notice(text, row.keep), title.lower())


class CopyrightFiles(unittest.TestCase):
    def test_paragraphs_keep_continuations_and_tell_free_form(self):
        paragraphs = notices.parse_paragraphs(MACHINE_READABLE)
        self.assertEqual(paragraphs[5].get('License'),
                         'BSD-2-clause\n Redistribution is permitted,\n .\n with {this} notice.')
        self.assertTrue(notices.is_machine_readable(paragraphs))
        self.assertIsNone(notices.parse_paragraphs('This is the Debian version of it.\nCopyright 1999 X\n'))

    def test_the_packaging_and_the_parts_not_built_in_are_left_out_with_the_licences_only_they_name(self):
        chosen = notices.choose_notice(MACHINE_READABLE, ['third_party/'])
        self.assertEqual([p.get('Files') for p in chosen.files], ['*', 'third_party/tmp/*'])
        self.assertEqual([p.first_line('License') for p in chosen.licences], ['BSD-2-clause', 'MPL-2.0', 'Shared'])
        everything = notices.choose_notice(MACHINE_READABLE, [])
        self.assertEqual(len(everything.files), 3)  # debian/* never

    def test_licence_names_of_an_expression(self):
        self.assertEqual(notices.licence_names('GPL-3+ with GCC-exception-3.1 exception or MIT, Zlib and X'),
                         ['GPL-3+', 'MIT', 'Zlib', 'X'])


class Writing(unittest.TestCase):
    project = {'copyright': 'the zelm-fs authors', 'licence-name': 'none-yet', 'licence': 'No licence yet.'}

    def test_debian_format_puts_each_part_under_its_source_and_tells_clashing_licences_apart(self):
        with tempfile.TemporaryDirectory() as folder:
            other = MACHINE_READABLE.replace('with {this} notice.', 'with another notice.')
            text = notices.write_debian([entry(folder, MACHINE_READABLE, 'Thing', ['third_party/']),
                                         entry(folder, other, 'Other', ['third_party/'])], self.project, 'zelm-fs')
        paragraphs = notices.parse_paragraphs(text)
        self.assertEqual(paragraphs[0].get('Format'), 'the-copyright-format/1.0/')
        self.assertEqual((paragraphs[1].get('Files'), paragraphs[1].get('Copyright')), ('*', 'the zelm-fs authors'))
        files = {p.get('Files'): p.first_line('License') for p in paragraphs if 'files' in p.fields}
        self.assertEqual(files['thing/third_party/tmp/*'], 'MPL-2.0 or Shared')
        self.assertEqual(files['other/*'], 'BSD-2-clause~other')
        licences = [p.first_line('License') for p in paragraphs if 'files' not in p.fields and 'license' in p.fields]
        self.assertEqual(sorted(licences), ['BSD-2-clause', 'BSD-2-clause~other', 'MPL-2.0', 'Shared'])
        self.assertIn('Its files under the MPL-2.0 (third_party/tmp/*) are there in source form, in Debian\'s '
                      'source package thing 1.0-1.', ' '.join(text.split()))

    def test_text_holds_every_licence_referred_to_in_full_once(self):
        with tempfile.TemporaryDirectory() as folder:
            text = notices.write_text([entry(folder, MACHINE_READABLE, 'Thing'),
                                       entry(folder, 'Copyright 2001 Free\nSee /usr/share/common-licenses/GPL-2.\n',
                                             'Free', origin='deb')], self.project, 'Notices')
        self.assertIn('zelm-fs itself: Copyright the zelm-fs authors.\nNo licence yet.', text)
        self.assertEqual(text.count('referred to as /usr/share/common-licenses/GPL-2'), 1)
        self.assertIn('GNU GENERAL PUBLIC LICENSE', text)
        self.assertIn('Mozilla Public License Version 2.0', text)


class FindingWhatIsInside(unittest.TestCase):
    def test_a_link_and_its_compiles_are_traced_to_their_origins(self):
        with tempfile.TemporaryDirectory() as folder:
            build = os.path.join(folder, 'build')
            write(build, 'app.linked', f'# {build}\nCMakeFiles/app.dir/main.cpp.o\nlib/libthing.a(a.o)\n'
                  f'{folder}/npm/node_modules/chart/dist/chart.js\n/usr/lib/x86_64-linux-gnu/libc.so.6\n'
                  '/tmp/cc1.ltrans0.ltrans.o\n/nowhere/known.o\n')
            write(build, 'CMakeFiles/app.dir/main.cpp.o.d',
                  'CMakeFiles/app.dir/main.cpp.o: ../src/main.cpp \\\n /usr/include/stdio.h ../with\\ space.h\n')
            write(build, 'CMakeFiles/app.dir/main.cpp.o', '')
            write(build, 'lib/libthing.a', '')
            write(build, 'lib/share/doc/thing/copyright', 'Copyright 2020 T\n')
            write(build, 'lib/sources.txt', 'libthing.a\tthing\t2.0-1\tshare/doc/thing\n')
            write(folder, 'npm/node_modules/chart/package.json', '{"version": "1.6.32"}')
            write(folder, 'npm/node_modules/chart/LICENSE', 'Copyright (c) 2022 C\n')
            manifest = os.path.join(folder, 'app.components')
            subprocess.run([sys.executable, notices.__file__, 'collect', '--out', manifest, '--trace',
                            f'{build}/app.linked', '--sources', f'{build}/lib/sources.txt', '--build-dir', build,
                            '--own-dir', build, '--own-dir', f'{folder}/src'], check=True)
            with open(manifest, encoding='utf-8') as text:
                found = json.load(text)
        versions = {(c['origin'], c['name']): c['version'] for c in found['components']}
        self.assertEqual(versions.keys(), {('src', 'thing'), ('npm', 'chart'), ('deb', 'libc6-dev')})  # stdio.h
        self.assertEqual((versions['src', 'thing'], versions['npm', 'chart']), ('2.0-1', '1.6.32'))
        self.assertEqual(found['linked_dynamically'], ['libc6'])
        self.assertEqual(found['unknown'], ['/nowhere/known.o', f'{folder}/with space.h'])

    def test_the_check_refuses_what_has_no_notice(self):
        with tempfile.TemporaryDirectory() as folder:
            manifest = write(folder, 'm.components', json.dumps({'components': [
                {'origin': 'npm', 'name': 'chart', 'version': '1.6.32', 'files': ['chart.js'],
                 'notice': write(folder, 'LICENSE', 'Copyright (c) 2022 C\n')},
                {'origin': 'deb', 'name': 'libnew-dev', 'version': '3', 'files': ['/usr/include/new.h'],
                 'notice': '/usr/share/doc/libnew-dev/copyright'}], 'linked_dynamically': [], 'unknown': ['/x.o']}))
            table = write(folder, 'table', 'npm:chart | the chart | MIT\n')
            shipped = write(folder, 'NOTICES.txt', 'From the npm package chart\n1.6.31\n')
            check = subprocess.run([sys.executable, notices.__file__, 'check', '--components', table, '--notices',
                                    shipped, manifest], capture_output=True, text=True, check=False)
        self.assertNotEqual(check.returncode, 0)
        self.assertIn('/x.o is built in and no package', check.stderr)
        self.assertIn('deb:libnew-dev 3 is built in (from /usr/include/new.h) and has no notice', check.stderr)
        self.assertIn('does not name npm:chart 1.6.32', check.stderr)


if __name__ == '__main__':
    unittest.main()
