#!/usr/bin/env python3
"""The notices of the code of others inside each thing zelm-fs ships.

What is inside is read from the build itself, never from a hand-kept list: the
files the linker read (recorded by record-link.sh) and the headers the compiler
read (its depfiles), each traced to where it comes from: a Debian package (dpkg
knows its files), a Debian source package compiled in this build (a sources.txt
beside what was built says so), an npm package, or zelm-fs's own tree. The notice
of each is the copyright file Debian ships with it, or the npm package's own
licence file; components.txt names and describes each.

    notices.py collect --out MANIFEST [--trace LINKED]... [--file PATH]...
                       [--sources SOURCES_TXT]... --build-dir DIR --own-dir DIR...
    notices.py write --components TABLE --project NOTICE --format debian|text
                     [--title TEXT] [--crlf] --out FILE MANIFEST...
    notices.py check --components TABLE [--notices FILE]... [--without ORIGIN] MANIFEST...

collect writes what one artefact holds (a JSON manifest); write makes the notices
of one or more artefacts shipped together: Debian's machine-readable copyright
format for the .deb (licences Debian keeps in /usr/share/common-licenses are
referred to, as Debian's own files do), or plain text with every licence text in
full for everything else; check fails when a component built in has no notice.
Each failure is one line on standard error and a non-zero exit.
"""

import argparse
import base64
import fnmatch
import gzip
import json
import os
import re
import subprocess
import sys
import textwrap
from dataclasses import dataclass, field

COMMON_LICENSES = '/usr/share/common-licenses'
WILDCARDS = re.compile(r'[*?]')


class Failure(Exception):
    """What stops a command, said in one line."""


# --- What the build read ------------------------------------------------------

def read_trace(path):
    """The files a link read, absolute, from a list record-link.sh wrote: its first
    line names the folder the link ran in, the others are the linker's trace, where
    an archive may carry the member it gave, as in libc.a(printf.o)."""
    with open(path, encoding='utf-8') as lines:
        first = lines.readline()
        if not first.startswith('# '):
            raise Failure(f'{path} is not a list of linked files')
        folder = first[2:].rstrip('\n')
        files = []
        for line in lines:
            line = re.sub(r'\([^()]*\)$', '', line.strip())
            if line and not line.startswith(('/usr/bin/ld', 'ld:')):
                files.append(os.path.normpath(os.path.join(folder, line)))
        return files


def read_depfile(path):
    """The files a compile read, from the depfile the compiler wrote beside its
    object: make's syntax, names after the colon, spaces escaped."""
    with open(path, encoding='utf-8') as depfile:
        text = depfile.read().replace('\\\n', ' ')
    folder = os.path.dirname(path)
    while os.path.basename(folder) != 'CMakeFiles' and folder != os.path.dirname(folder):
        folder = os.path.dirname(folder)
    folder = os.path.dirname(folder)  # the compile runs in the target's build folder
    files = []
    for rule in text.splitlines():
        _, _, names = rule.partition(': ')
        for name in re.findall(r'(?:\\ |[^\s])+', names):
            files.append(os.path.normpath(os.path.join(folder, name.replace('\\ ', ' '))))
    return files


def objects_of(linked, build_dir):
    """The objects of this build that a link read: an object itself, or every object
    of a static library of the build (CMake keeps them under CMakeFiles/<target>.dir
    beside the library, and there keeps objects.a, the objects of a program that a
    MinGW link reads as one archive)."""
    if not linked.startswith(build_dir + os.sep):
        return []
    name = os.path.basename(linked)
    if name.endswith(('.o', '.obj')):
        return [linked]
    match = re.fullmatch(r'lib(.+)\.a', name)
    if name == 'objects.a':
        target_dir = os.path.dirname(linked)
    elif match:
        target_dir = os.path.join(os.path.dirname(linked), 'CMakeFiles', match.group(1) + '.dir')
    else:
        return []
    found = []
    for folder, _, names in os.walk(target_dir):
        found += [os.path.join(folder, n) for n in names if n.endswith(('.o', '.obj'))]
    return sorted(found)


def ninja_deps(build_dir, ninja):
    """The files each compile read, as Ninja keeps them: Ninja reads a compiler's
    depfile into a log of its own and removes the file, so in a Ninja build the log is
    where they are. {object: [file, ...]}, absolute; empty for a build without Ninja."""
    if not ninja or not os.path.exists(os.path.join(build_dir, 'build.ninja')):
        return {}
    listed = subprocess.run([ninja, '-C', build_dir, '-t', 'deps'], capture_output=True, text=True,
                            check=True).stdout
    deps = {}
    files = None
    for line in listed.splitlines():
        if line and not line[0].isspace():  # "OBJECT: #deps N, deps mtime M (VALID)"
            files = deps.setdefault(os.path.normpath(os.path.join(build_dir, line.split(': #deps')[0])), [])
        elif line.strip() and files is not None:
            files.append(os.path.normpath(os.path.join(build_dir, line.strip())))
    return deps


def is_shared(path):
    """A shared library, or a linker script standing for one: linked, not built in."""
    return re.search(r'\.so(\.\d+)*$|\.dll$', path) is not None


# --- Where each file comes from -----------------------------------------------

@dataclass
class BuiltSource:
    """A Debian source package compiled in this build, as its sources.txt says."""
    name: str
    version: str
    doc_dir: str
    patterns: list = field(default_factory=list)


def read_sources(path):
    """sources.txt: PATTERN<TAB>SOURCE PACKAGE<TAB>VERSION<TAB>DOC FOLDER a line,
    paths relative to its own folder; the doc folder holds the source package's
    debian/copyright as copyright, and its own licence files."""
    base = os.path.dirname(os.path.abspath(path))
    sources = {}
    with open(path, encoding='utf-8') as lines:
        for line in lines:
            if not line.strip() or line.startswith('#'):
                continue
            pattern, name, version, doc_dir = line.rstrip('\n').split('\t')
            source = sources.setdefault(name, BuiltSource(name, version, os.path.join(base, doc_dir)))
            source.patterns.append(os.path.join(base, pattern))
    return list(sources.values())


def npm_package(path):
    """The npm package (name, folder) a file belongs to, if it lies in node_modules."""
    match = re.search(r'^(.*/node_modules/((?:@[^/]+/)?[^/]+))/', path)
    return (match.group(2), match.group(1)) if match else None


def path_forms(path):
    """The names dpkg may know a file by: as read, with its links resolved, and under
    /lib as well as /usr/lib (a merged /usr keeps the names packages gave)."""
    forms = [path, os.path.realpath(path)]
    for form in list(forms):
        merged = re.match(r'/usr(/(?:s?bin|lib[^/]*)/.*)$', form)
        forms.append(merged.group(1) if merged else '/usr' + form)
    return list(dict.fromkeys(forms))


def dpkg_owners(paths):
    """The Debian package that installed each path, where dpkg knows one."""
    asked = {}
    for path in paths:
        for form in path_forms(path):
            asked.setdefault(form, []).append(path)
    owners = {}
    if not asked:
        return owners
    result = subprocess.run(['dpkg-query', '--search', '--', *asked], capture_output=True, text=True, check=False)
    for line in result.stdout.splitlines():
        packages, _, found = line.partition(': ')
        if line.startswith('diversion ') or found not in asked:
            continue
        for path in asked[found]:
            owners.setdefault(path, packages.split(', ')[0].split(':')[0])
    return owners


def dpkg_versions(packages):
    """Version, source package and source version of installed Debian packages."""
    if not packages:
        return {}
    result = subprocess.run(
        ['dpkg-query', '--show', '--showformat=${Package}\t${Version}\t${source:Package}\t${source:Version}\n',
         *sorted(packages)], capture_output=True, text=True, check=False)
    versions = {}
    for line in result.stdout.splitlines():
        package, version, source, source_version = line.split('\t')
        versions[package] = (version, source, source_version)
    return versions


def local_origin(path, sources, own_dirs):
    """Where a file comes from when dpkg need not be asked: a source package built
    here (its component), an npm package (its component), zelm-fs itself ('own'),
    or None."""
    real = os.path.realpath(path)
    built = next((s for s in sources if any(fnmatch.fnmatchcase(real, p) for p in s.patterns)), None)
    if built:
        return {'origin': 'src', 'name': built.name, 'version': built.version, 'source': built.name,
                'source_version': built.version, 'notice': os.path.join(built.doc_dir, 'copyright'),
                'doc_dir': built.doc_dir}
    npm = npm_package(real)
    if npm:
        name, folder = npm
        with open(os.path.join(folder, 'package.json'), encoding='utf-8') as manifest:
            version = json.load(manifest)['version']
        licence = next((os.path.join(folder, n) for n in sorted(os.listdir(folder))
                        if re.match(r'(LICEN[CS]E|COPYING)', n, re.I)), os.path.join(folder, 'LICENSE'))
        return {'origin': 'npm', 'name': name, 'version': version, 'notice': licence}
    if re.search(r'\.ltrans\d*(\.ltrans)?\.o$', path):
        return 'own'  # a part of zelm-fs's own objects, as link-time optimisation split them
    if any(real == d or real.startswith(d + os.sep) for d in own_dirs):
        return 'own'
    return None


def collect(arguments):
    build_dir = os.path.realpath(arguments.build_dir)
    own_dirs = [os.path.realpath(d) for d in arguments.own_dir]
    sources = [s for path in arguments.sources for s in read_sources(path)]
    linked = [path for trace in arguments.trace for path in read_trace(trace)]
    linked += [os.path.abspath(path) for path in arguments.file]
    logged = ninja_deps(build_dir, arguments.ninja)
    compiled = []
    for path in dict.fromkeys(linked):
        for built in objects_of(path, build_dir):
            compiled += read_depfile(built + '.d') if os.path.exists(built + '.d') else logged.get(built, [])

    components = {}
    dynamic = set()
    unknown = []
    to_ask = []

    def add(details, path):
        entry = components.setdefault((details['origin'], details['name']), dict(details, files=[]))
        if len(entry['files']) < 3 and path not in entry['files']:
            entry['files'].append(path)

    for path in dict.fromkeys(linked + compiled):
        origin = local_origin(path, sources, own_dirs)
        if origin is None:
            to_ask.append(path)
        elif origin != 'own':
            add(origin, path)

    owners = dpkg_owners(to_ask)
    versions = dpkg_versions(set(owners.values()))
    for path in to_ask:
        package = owners.get(path)
        if package is None:
            unknown.append(path)
        elif is_shared(path):
            dynamic.add(package)
        else:
            version, source, source_version = versions.get(package, ('', package, ''))
            add({'origin': 'deb', 'name': package, 'version': version, 'source': source,
                 'source_version': source_version, 'notice': f'/usr/share/doc/{package}/copyright'}, path)
    built_in = {entry['name'] for entry in components.values() if entry['origin'] == 'deb'}
    manifest = {
        'components': sorted(components.values(), key=lambda c: (c['origin'], c['name'])),
        'linked_dynamically': sorted(dynamic - built_in),
        'unknown': unknown,
    }
    write_file(arguments.out, json.dumps(manifest, indent=1) + '\n')


# --- The table of components --------------------------------------------------

@dataclass
class Row:
    """One line of components.txt."""
    origin: str
    pattern: str
    title: str
    licence: str
    keep: list
    also: list


def read_table(path):
    rows = []
    with open(path, encoding='utf-8') as lines:
        for number, line in enumerate(lines, 1):
            if not line.strip() or line.startswith('#'):
                continue
            cells = [cell.strip() for cell in line.split('|')]
            if len(cells) < 3 or ':' not in cells[0]:
                raise Failure(f'{path}:{number}: not ORIGIN:NAME | TITLE | LICENCE [| OPTIONS]')
            options = dict(option.split('=', 1) for option in (cells[3].split() if len(cells) > 3 else []))
            origin, pattern = cells[0].split(':', 1)
            rows.append(Row(origin, pattern, cells[1], cells[2], options.get('keep', '').split(',') if
                            'keep' in options else [], options.get('also', '').split(',') if 'also' in options else []))
    return rows


def find_row(rows, component):
    return next((row for row in rows if row.origin == component['origin']
                 and fnmatch.fnmatchcase(component['name'], row.pattern)), None)


def read_manifests(paths):
    """The components of the artefacts shipped together, each once."""
    components = {}
    unknown = []
    for path in paths:
        with open(path, encoding='utf-8') as text:
            manifest = json.load(text)
        for component in manifest['components']:
            components.setdefault((component['origin'], component['name']), component)
        unknown += manifest['unknown']
    return list(components.values()), unknown


# --- Debian's copyright files ---------------------------------------------------

@dataclass
class Paragraph:
    """A paragraph of a copyright file: its text as written, and its fields."""
    text: str
    fields: dict

    def get(self, name, default=''):
        return self.fields.get(name.lower(), (name, default))[1]

    def first_line(self, name):
        return self.get(name).split('\n', 1)[0].strip()


def parse_paragraphs(text):
    """Paragraphs of a file in Debian's control syntax: Field: value, continued on
    lines that start with a space or a tab, paragraphs apart by blank lines."""
    found = []
    for block in re.split(r'\n[ \t]*\n', text.strip('\n')):
        lines = [line for line in block.split('\n') if not line.startswith('#')]
        if not lines:
            continue
        fields = {}
        name = None
        for line in lines:
            if line[:1] in (' ', '\t') and name:
                fields[name.lower()] = (name, fields[name.lower()][1] + '\n' + line)
            elif re.match(r'[!-9;-~][!-9;-~]*:', line):
                name, _, value = line.partition(':')
                fields[name.lower()] = (name, value.strip())
            else:
                return None  # not the control syntax: a copyright file in free form
        found.append(Paragraph('\n'.join(lines), fields))
    return found


def is_machine_readable(paragraphs):
    return bool(paragraphs) and 'copyright-format' in paragraphs[0].get('Format')


def licence_names(expression):
    """The licence short names of a License field's first line: 'GPL-2+ or MIT'."""
    names = []
    for part in re.split(r'\s+(?:or|and)\s+|\s*,\s*', expression.strip()):
        part = re.sub(r'\s+with\s+.*$', '', part).strip()
        if part:
            names.append(part)
    return names


def kept(patterns, keep):
    """Whether a Files paragraph concerns the parts of a source that are built in:
    keep names the folders that are (empty: all); a pattern for every file, or for
    a folder above one of them, concerns them too."""
    if not keep:
        return True
    for pattern in patterns:
        literal = WILDCARDS.split(pattern, 1)[0]
        if pattern.startswith('*') or any(pattern.startswith(k) or k.startswith(literal) for k in keep):
            return True
    return False


@dataclass
class Notice:
    """A component's notice, chosen from its file: the header, the paragraphs on the
    parts built in and the licences they name, or the free-form text entire."""
    header: object = None
    files: list = field(default_factory=list)
    licences: list = field(default_factory=list)
    free_text: str = ''

    def text(self):
        if self.free_text:
            return self.free_text
        return '\n\n'.join(p.text for p in [self.header, *self.files, *self.licences] if p) + '\n'


def choose_notice(text, keep):
    paragraphs = parse_paragraphs(text)
    if not is_machine_readable(paragraphs):
        return Notice(free_text=text if text.endswith('\n') else text + '\n')
    notice = Notice(header=paragraphs[0])
    standalone = {}
    for paragraph in paragraphs[1:]:
        if 'files' in paragraph.fields:
            patterns = paragraph.get('Files').split()
            if all(p.startswith('debian/') for p in patterns) or not kept(patterns, keep):
                continue  # the packaging, or parts not built in
            notice.files.append(paragraph)
        elif 'license' in paragraph.fields:
            standalone.setdefault(paragraph.first_line('License').lower(), paragraph)
    named = {n.lower() for p in notice.files for n in licence_names(p.first_line('License'))}
    notice.licences = [p for name, p in standalone.items() if name in named]
    return notice


def read_text(path):
    try:
        with open(path, encoding='utf-8', errors='replace') as text:
            return unpacked_notices(text.read())
    except OSError as error:
        raise Failure(f'cannot read the notice {path}: {error.strerror}') from error


def unpacked_notices(text):
    """A page holds its notices gzipped, in base64, in <template id="packed-notices">:
    they are read as the page shows them. Any other text is read as it is."""
    packed = re.search(r'<template id="packed-notices">([A-Za-z0-9+/=]*)</template>', text)
    if packed is None:
        return text
    return gzip.decompress(base64.b64decode(packed.group(1))).decode('utf-8')


def copyright_lines(text):
    """The copyright statements of a free-form notice, each once."""
    found = re.findall(r'^\s*((?:Copyright|\(C\)|©).*\d{4}.*)$', text, re.I | re.M)
    return list(dict.fromkeys(line.strip() for line in found))


# --- Writing the notices --------------------------------------------------------

@dataclass
class Entry:
    """A component as the notices show it."""
    row: Row
    components: list
    notice: Notice
    folder: str

    def origin(self):
        """Where the component comes from, and where its source is: one sentence for
        the Debian packages it comes in, one for a source package compiled here, one
        for an npm package."""
        said = []
        packages = [c for c in self.components if c['origin'] == 'deb']
        if packages:
            first = packages[0]
            listed = ', '.join(f"{c['name']} {c['version']}" for c in packages)
            said.append(f"From Debian's package{'s' if len(packages) > 1 else ''} {listed}, built from Debian's "
                        f"source package {first['source']} {first['source_version']} "
                        f"(on a Debian system: apt-get source {first['source']}={first['source_version']}).")
        for c in self.components:
            if c['origin'] == 'src':
                said.append(f"Compiled here from Debian's source package {c['name']} {c['version']} "
                            f"(on a Debian system: apt-get source {c['name']}={c['version']}).")
            elif c['origin'] == 'npm':
                said.append(f"From the npm package {c['name']} {c['version']}, as package-lock.json records it.")
        return ' '.join(said)

    def mpl_files(self):
        """The patterns of files under the Mozilla Public Licence, whose source must be
        said to be available."""
        return [pattern for p in self.notice.files if 'MPL' in p.first_line('License')
                for pattern in p.get('Files').split()]

    def source_sentence(self):
        mpl = self.mpl_files()
        sources = sorted({f"{c['source']} {c['source_version']}" for c in self.components if c['origin'] != 'npm'})
        if not mpl or not sources:
            return ''
        return (f"Its files under the MPL-2.0 ({', '.join(mpl)}) are there in source form, in Debian's source "
                f"package {' and '.join(sources)}.")

    def extra_files(self):
        doc_dir = next((c['doc_dir'] for c in self.components if 'doc_dir' in c), None)
        return [(name, read_text(os.path.join(doc_dir, name))) for name in self.row.also] if doc_dir else []


def entries_of(rows, components):
    """The components found that have a notice, one entry per notice file, in the
    order of the table."""
    entries = {}
    for component in sorted(components, key=lambda c: c['origin']):
        row = find_row(rows, component)
        if row is None:
            continue
        text = read_text(component['notice'])
        if text in entries:  # one copyright file for several packages, or a library both linked and compiled here
            entry = entries[text]
            entry.components.append(component)
            if rows.index(row) < rows.index(entry.row):  # the table's first line names it
                entry.row = row
                entry.notice = choose_notice(text, row.keep)
            continue
        folder = component.get('source') or component['name']
        entries[text] = Entry(row, [component], choose_notice(text, row.keep), folder)
    return sorted(entries.values(), key=lambda e: (rows.index(e.row), e.folder))


def indented(text):
    """Text as the continuation lines of a field: one space in, blank lines as ' .'."""
    return '\n'.join(' ' + line if line.strip() else ' .' for line in text.rstrip('\n').split('\n'))


def write_debian(entries, project, title):
    """Debian's machine-readable copyright format: zelm-fs's own paragraph, then each
    component's paragraphs as its own copyright file has them, their file patterns
    under the name of its source, then the licences they name. A licence name two
    components give different texts is told apart by ~ and the source's name."""
    formats = [e.notice.header.get('Format') for e in entries if e.notice.header]
    if not formats:
        raise Failure('no component has a machine-readable copyright file to take its Format from')
    out = [f'Format: {max(set(formats), key=formats.count)}\nUpstream-Name: zelm-fs\n'
           f'Comment: {title}.\n{indented(INTRODUCTION_DEBIAN)}',
           f"Files: *\nCopyright: {project['copyright']}\nLicense: {project['licence-name']}\n"
           f"{indented(project['licence'])}"]
    licences = {}
    for entry in entries:
        renamed = {}
        for paragraph in entry.notice.licences:
            name = paragraph.first_line('License')
            body = paragraph.get('License').partition('\n')[2]
            earlier = licences.get(name.lower())
            if earlier is not None and ' '.join(earlier[1].split()) != ' '.join(body.split()):
                renamed[name.lower()] = f'{name}~{entry.folder}'
                name = renamed[name.lower()]
            if name.lower() not in licences:
                licences[name.lower()] = (name, body)
        comment = wrapped(' '.join(filter(None, [f'{entry.row.title}.', entry.origin(), entry.source_sentence()])))
        for name, text in entry.extra_files():
            comment += f'\n.\nIts source\'s own {name}:\n.\n' + text
        for number, paragraph in enumerate(entry.notice.files or [None]):
            if paragraph is None:  # a free-form notice: one paragraph for it all
                statements = copyright_lines(entry.notice.free_text) or [entry.row.title]
                out.append(f'Files: {entry.folder}/*\nCopyright: ' + '\n '.join(statements) +
                           f'\nLicense: {entry.row.licence}\n{indented(entry.notice.free_text)}\n'
                           f'Comment:\n{indented(comment)}')
                continue
            lines = []
            for key, (name, value) in paragraph.fields.items():
                if key == 'files':
                    value = ' '.join(f'{entry.folder}/{p}' for p in value.split())
                elif key == 'license':
                    first, _, rest = value.partition('\n')
                    for old in licence_names(first):
                        if old.lower() in renamed:
                            first = re.sub(rf'(?<![\w~.+-]){re.escape(old)}(?![\w~.+-])', renamed[old.lower()], first)
                    value = first + ('\n' + rest if rest else '')
                elif key == 'comment' and number == 0:
                    value += '\n .\n' + indented(comment)
                lines.append(f'{name}:{value}' if value.startswith('\n') else f'{name}: {value}')
            if number == 0 and 'comment' not in paragraph.fields:
                lines.append(f'Comment:\n{indented(comment)}')
            out.append('\n'.join(lines))
    out += [f'License: {name}\n{body}'.rstrip() for name, body in licences.values()]
    return '\n\n'.join(out) + '\n'


INTRODUCTION_DEBIAN = """\
zelm-fs holds code that others wrote. Each part has its paragraphs here as
Debian's own copyright file of the package it comes from gives them, the file
patterns set under the name of that package's source; where the part comes
from, and where its source is, is said in its first paragraph's Comment."""


def referred_licences(text):
    """The licence texts in /usr/share/common-licenses that the notices refer to,
    each with the names it is referred to by (GPL is a link to GPL-3)."""
    found = {}
    for name in re.findall(r'/usr/share/common-licenses/([A-Za-z0-9][A-Za-z0-9.+-]*[A-Za-z0-9+])', text):
        path = os.path.realpath(os.path.join(COMMON_LICENSES, name))
        if os.path.isfile(path) and name not in found.setdefault(path, []):
            found[path].append(name)
    return found


def wrapped(text, indent=''):
    return textwrap.fill(text, 80, subsequent_indent=indent, break_on_hyphens=False, break_long_words=False)


RULE = '=' * 80


def write_text(entries, project, title):
    """Plain text: zelm-fs's own part, the list of components, each one's notice in
    full, then the whole text of each licence the notices refer to in
    /usr/share/common-licenses, which a Windows or non-Debian machine lacks."""
    out = [f'{title}\n{"-" * len(title)}\n',
           f"zelm-fs itself: Copyright {project['copyright']}.\n{project['licence']}\n",
           'It holds code that others wrote, listed here and then given one by one with its\n'
           'copyright and licence as they come with it: the copyright file Debian ships with\n'
           'its package, or the npm package\'s own licence file. The full text of each licence\n'
           'these refer to follows at the end.\n']
    out.append('\n'.join(wrapped(f'  {n}. {e.row.title} ({e.row.licence})', '     ')
                          for n, e in enumerate(entries, 1)) + '\n')
    notices = []
    for number, entry in enumerate(entries, 1):
        text = f'{RULE}\n{number}. {entry.row.title}\n{RULE}\n{wrapped(entry.origin())}\n'
        if entry.source_sentence():
            text += wrapped(entry.source_sentence()) + '\n'
        text += '\n' + entry.notice.text()
        for name, extra in entry.extra_files():
            text += f'\n--- its source\'s own {name} ---\n\n{extra}'
        notices.append(text)
    out += notices
    for path, names in referred_licences(''.join(notices)).items():
        referred = ' and '.join(f'{COMMON_LICENSES}/{name}' for name in names)
        out.append(f'{RULE}\n{wrapped(f"The licence text referred to as {referred}")}\n{RULE}\n\n' + read_text(path))
    return '\n'.join(out)


def read_project(path):
    """zelm-fs's own notice: Copyright:, License-Name: and License: lines."""
    fields = {}
    for line in read_text(path).splitlines():
        if line.strip() and not line.startswith('#'):
            name, _, value = line.partition(':')
            fields[name.strip().lower()] = value.strip()
    if not {'copyright', 'licence-name', 'licence'} <= fields.keys():
        raise Failure(f'{path} must hold Copyright:, Licence-Name: and Licence: lines')
    return fields


def write(arguments):
    rows = read_table(arguments.components)
    components, _ = read_manifests(arguments.manifest)
    for component in components:
        if find_row(rows, component) is None:
            print(f"notices: warning: {component['origin']}:{component['name']} is built in and has no line in "
                  f"{arguments.components}", file=sys.stderr)
    entries = entries_of(rows, components)
    project = read_project(arguments.project)
    if arguments.format == 'debian':
        text = write_debian(entries, project, arguments.title)
    else:
        text = write_text(entries, project, arguments.title)
    if arguments.crlf:
        text = text.replace('\n', '\r\n')
    write_file(arguments.out, text)


def write_file(path, text):
    """Writes beside the target and renames, so that a failed run leaves the earlier file."""
    temporary = path + '.tmp'
    try:
        with open(temporary, 'w', encoding='utf-8', newline='') as out:
            out.write(text)
        os.replace(temporary, path)
    except OSError as error:
        raise Failure(f'cannot write {path}: {error.strerror}') from error


# --- Checking ---------------------------------------------------------------------

def check(arguments):
    """Fails, saying why, when a component built in has no notice: no line in the
    table, no copyright file, a copyright file with no copyright statement, or a
    notices file shipped without it. Lists what each artefact holds."""
    rows = [row for row in read_table(arguments.components) if f'{row.origin}:{row.pattern}' != arguments.without]
    components, unknown = read_manifests(arguments.manifest)
    problems = [f'{path} is built in and no package, no source built here and no npm package owns it'
                for path in unknown]
    shipped = {path: ' '.join(read_text(path).split()) for path in arguments.notices}
    for component in components:
        described = f"{component['origin']}:{component['name']} {component['version']}"
        row = find_row(rows, component)
        print(f"  {described}: {row.title if row else 'NO NOTICE'} (from {', '.join(component['files'])})")
        if row is None:
            problems.append(f"{described} is built in (from {component['files'][0]}) and has no notice: "
                            f"add it to {arguments.components}")
            continue
        if not os.path.isfile(component['notice']):
            problems.append(f"{described} is built in and its notice {component['notice']} is missing")
        elif not re.search(r'copyright|©|public[ -]domain', read_text(component['notice']), re.I):
            problems.append(f"{described}: its notice {component['notice']} states no copyright")
        for path, text in shipped.items():
            if f"{component['name']} {component['version']}" not in text:
                problems.append(f"{path} does not name {described}, which is built in")
    for problem in problems:
        print(f'notices: {problem}', file=sys.stderr)
    if problems:
        raise Failure(f'{len(problems)} component(s) built in without a notice')


def main():
    parser = argparse.ArgumentParser(description=__doc__.split('\n\n', 1)[0])
    commands = parser.add_subparsers(dest='command', required=True)
    command = commands.add_parser('collect')
    command.add_argument('--out', required=True)
    command.add_argument('--trace', action='append', default=[])
    command.add_argument('--file', action='append', default=[])
    command.add_argument('--sources', action='append', default=[])
    command.add_argument('--build-dir', required=True)
    command.add_argument('--own-dir', action='append', default=[])
    command.add_argument('--ninja', default='', help='the ninja of a Ninja build, whose log holds the depfiles')
    command = commands.add_parser('write')
    command.add_argument('--components', required=True)
    command.add_argument('--project', required=True)
    command.add_argument('--format', choices=['debian', 'text'], required=True)
    command.add_argument('--title', default='zelm-fs: notices of the code of others inside it')
    command.add_argument('--crlf', action='store_true')
    command.add_argument('--out', required=True)
    command.add_argument('manifest', nargs='+')
    command = commands.add_parser('check')
    command.add_argument('--components', required=True)
    command.add_argument('--notices', action='append', default=[])
    command.add_argument('--without', default='', help='leave this ORIGIN:NAME line of the table out')
    command.add_argument('manifest', nargs='+')
    arguments = parser.parse_args()
    try:
        {'collect': collect, 'write': write, 'check': check}[arguments.command](arguments)
    except (Failure, OSError, ValueError, KeyError) as error:
        print(f'notices: {error}', file=sys.stderr)
        sys.exit(1)


if __name__ == '__main__':
    main()
