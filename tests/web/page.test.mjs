// The page, build/web/zelm-fs.html, in headless Chromium, used as a person would: type
// the six values, press Enter, read the warnings and the table, download the files.
// It must start from a disk (file://) and from a static server with no request for
// anything but itself, no error and no violation of its Content-Security-Policy; give
// every case's result file byte for byte as the program does, and the traced run's
// workbook part for part; and pass axe-core's accessibility rules.
//
// Set by CTest: ZELM_PAGE (the page), ZELM_CHROMIUM (the system's Chromium),
// ZELM_TEST_OUTPUT (screenshots, downloads), ZELM_CASES (tests/ of the source tree),
// ZELM_CMAKE (to check the workbook as the program's cases do, and with ZELM_SOFFICE,
// where LibreOffice is found, to read it back in Calc),
// ZELM_PROGRAM (the console program of the release build, when built: it gives the
// result file of the cases that keep none of their own), ZELM_NOTICES (the notices the
// page holds, packed).
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
import { existsSync, readdirSync, readFileSync } from 'node:fs';
import { mkdir, readFile, rm, writeFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const { ZELM_PAGE: pagePath, ZELM_TEST_OUTPUT: outputDir, ZELM_CASES: testsDir } = process.env;
assert.ok(pagePath && process.env.ZELM_CHROMIUM && outputDir && testsDir,
  'ZELM_PAGE, ZELM_CHROMIUM, ZELM_TEST_OUTPUT and ZELM_CASES must be set (ctest sets them)');
const pageUrl = pathToFileURL(pagePath).href;
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
const traced = ['30', '2', '2.5', '20', '1', '1.5'];

let browser;
before(async () => {
  // Playwright starts Chromium with a fresh, temporary profile of its own. The flags
  // keep Chromium from reaching for any network of its own accord.
  browser = await chromium.launch({
    executablePath: process.env.ZELM_CHROMIUM,
    headless: true,
    chromiumSandbox: false,  // as root, Chromium's sandbox cannot start
    args: ['--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
  await mkdir(outputDir, { recursive: true });
});
after(async () => {
  await browser?.close();
});

// Opens URL in a new context in which every request but the page itself and the data:
// URLs of the module's loader (and blob: URLs of downloads) is refused and recorded,
// and every console error, uncaught exception and policy violation is recorded too.
// Resolves once the page says it is ready or failed. The test then calls check().
async function open(url = pageUrl) {
  const context = await browser.newContext({ acceptDownloads: true });
  const refused = [];
  const problems = [];
  await context.route('**/*', (route) => {
    const requested = route.request().url();
    if (requested === url || requested.startsWith('data:') || requested.startsWith('blob:')) {
      return route.continue();
    }
    refused.push(requested);
    return route.abort();
  });
  // Reported through a binding, which the policy does not govern, by a listener that
  // the browser installs before any script of the page runs: a blocked eval or
  // WebAssembly compile that the page catches reaches no console.
  await context.exposeBinding('zelmViolation', (_source, text) => problems.push(`CSP violation: ${text}`));
  await context.addInitScript(() => {
    document.addEventListener('securitypolicyviolation', (event) => {
      window.zelmViolation(`${event.effectiveDirective} blocked ${event.blockedURI || 'inline'} at ${event.sourceFile}:${event.lineNumber}`);
    });
    // The core the page starts, kept as window.zelmCore, for a test that reaches into the
    // module's file system: ZelmCore is wrapped as the page's own script defines it.
    let factory;
    Object.defineProperty(window, 'ZelmCore', {
      configurable: true,
      get: () => factory && ((...args) => factory(...args).then((core) => { window.zelmCore = core; return core; })),
      set: (value) => { factory = value; },
    });
  });
  const page = await context.newPage();
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warning') {
      problems.push(`console ${message.type()}: ${message.text()}`);
    }
  });
  page.on('pageerror', (error) => problems.push(`uncaught: ${error.message}`));
  await page.goto(url);
  await page.waitForSelector('html[data-state="ready"], html[data-state="failed"]', { state: 'attached' });
  assert.equal(await page.getAttribute('html', 'data-state'), 'ready', await page.textContent('#status'));
  const check = async () => {
    await context.close();
    assert.deepEqual(refused, [], 'requests for other files or hosts');
    assert.deepEqual(problems, []);
  };
  return { page, check };
}

const fieldIds = ['phi', 'cohesion', 'density', 'height', 'step', 'fs'];

async function fill(page, ids, values) {
  for (const [i, id] of ids.entries()) {
    await page.fill(`#${id}`, values[i]);
  }
}

// Types the six values into their fields and presses Enter; resolves with the time
// from Enter to the drawn result, in milliseconds.
async function compute(page, values) {
  await fill(page, fieldIds, values);
  await page.evaluate(() => performance.clearMarks('zelm-drawn'));
  const start = await page.evaluate(() => performance.now());
  await page.press('#fs', 'Enter');
  await page.waitForFunction(() => performance.getEntriesByName('zelm-drawn').length > 0, null, { timeout: 60000 });
  return (await page.evaluate(() => performance.getEntriesByName('zelm-drawn')[0].startTime)) - start;
}

// Types what a field refuses into it and presses Enter; resolves once it is marked.
async function refuse(page, id, value, enter = '#fs') {
  await page.fill(`#${id}`, value);
  await page.press(enter, 'Enter');
  await page.waitForSelector(`#${id}[aria-invalid="true"]`);
}

// Whether each of the elements shows when the page is printed.
async function printed(page, selectors) {
  await page.emulateMedia({ media: 'print' });
  const shown = await page.evaluate((all) => all.map((s) => getComputedStyle(document.querySelector(s)).display !== 'none'), selectors);
  await page.emulateMedia({ media: 'screen' });
  return shown;
}

async function download(page, button) {
  const [file] = await Promise.all([page.waitForEvent('download'), page.click(button)]);
  return readFile(await file.path());
}

// Asks for the workbook when it cannot be made: resolves with what the page says,
// once it has said it, no file having been offered.
async function workbookRefused(page) {
  let downloads = 0;
  page.on('download', () => { downloads += 1; });
  await page.click('#download-workbook');
  await page.waitForFunction(() => /^Cannot write ZELM_FS_result\.xlsx/.test(document.querySelector('#status').textContent));
  assert.equal(downloads, 0, 'a workbook was offered');
  return page.textContent('#status');
}

// The table's rows, cells joined by |: the result file's four cells, then the confirmed
// angle; or the file's alone (cells 4), as the rows of a result file read back.
async function tableRows(page, cells = 5) {
  return page.$$eval('#rows tbody tr', (rows, cells) => rows.map((row) => [...row.cells].slice(0, cells).map((c) => c.textContent).join('|')), cells);
}
function fileRows(bytes) {
  return bytes.toString('latin1').split('\r\n').slice(6, -1)
    .map((line) => line.split('\t').slice(0, 4).map((c) => c.trim()).join('|'));
}

// The lines of a table in tests/ that are neither empty nor comments, each split at " | ".
function table(...file) {
  return readFileSync(path.join(testsDir, ...file), 'utf8').split('\n').filter((l) => l.trim() && !l.startsWith('#'))
    .map((line) => line.split(' | ').map((part) => part.trim()));
}

// Every case of the program with six values, in its units, and the result file it must
// leave: its own expected.xls, the one of the case it names SAME_AS, or else what the
// program itself writes for those values, where it is built. The checks of slopes that
// stand are no runs of six values; a file of Bishop's angles is no page's.
function casesWithResults() {
  const program = process.env.ZELM_PROGRAM;
  const found = new Map();
  const cases = readdirSync(path.join(testsDir, 'cases')).sort().map((name) => {
    const dir = path.join(testsDir, 'cases', name);
    const typed = ['values', 'args'].map((f) => path.join(dir, f)).filter(existsSync).map((f) => readFileSync(f, 'utf8'))[0];
    const settings = existsSync(path.join(dir, 'case')) ? readFileSync(path.join(dir, 'case'), 'utf8') : '';
    const expected = path.join(testsDir, settings.match(/^SAME_AS (.*)$/m)?.[1] ?? path.join('cases', name), 'expected.xls');
    const options = `${settings.match(/^OPTIONS .*$/m)?.[0] ?? ''} ${typed}`;
    const units = options.match(/--units (\w+)/)?.[1]?.toLowerCase() ?? 'tonnes';
    const angles = options.match(/--angles (\w+)/)?.[1]?.toLowerCase() ?? 'chart';
    return { name, values: !typed?.includes('--check') && typed?.trim().split(/\s+/).slice(-6), units, angles, expected, kept: existsSync(expected) };
  }).filter(({ values, angles }) => values && angles !== 'bishop');  // Bishop's angles are the program's and the module's
  cases.sort((a, b) => Number(b.kept) - Number(a.kept));  // a case's own file first
  for (const { name, values, units, angles, expected, kept } of cases) {
    const key = `${units} ${angles} ${values}`;
    if (!found.has(key) && (kept || (program && existsSync(program)))) {
      const wanted = kept ? readFileSync(expected) : execFileSync(program, ['-o', '-', '--units', units, '--angles', angles, '--', ...values],
        { maxBuffer: 1 << 30, stdio: ['ignore', 'pipe', 'ignore'] });
      found.set(key, { name, values, units, angles, wanted, from: kept ? expected : 'the program' });
    }
  }
  return found.values();
}

// A command line that makes a run, as the page takes it: its six values, and its units
// and angles, the forms' choices ("--units si 30 2 ...").
function runOf(line) {
  const words = line.split(/\s+/);
  const options = { units: 'tonnes', angles: 'chart' };
  while (words[0].startsWith('--')) {
    options[words.shift().slice(2)] = words.shift().toLowerCase();
  }
  return { values: words, ...options };
}

// The conditions' fields left empty: a drained slope that stands still.
const dry = { ru: '', water: '', crack: '', kh: '', wetCrack: false };

test('the policy allows no network, no eval and no inline code but the page\'s own', async () => {
  const html = await readFile(pagePath, 'utf8');
  const policy = html.match(/<meta http-equiv="Content-Security-Policy" content="([^"]*)">/)?.[1];
  assert.ok(policy, 'no Content-Security-Policy in a <meta> element');
  const directives = new Map(policy.split(';').map((d) => d.trim().split(/\s+/)).map(([n, ...v]) => [n, v]));
  assert.deepEqual(directives.get('default-src'), ["'none'"]);
  assert.deepEqual(directives.get('connect-src'), ['data:']);
  for (const [name, sources] of directives) {
    for (const source of sources) {
      assert.match(source, /^('none'|'wasm-unsafe-eval'|'sha256-[A-Za-z0-9+/]+=*'|data:)$/, `${name} allows ${source}`);
    }
  }
  assert.doesNotMatch(html, /<(script|link|img|iframe)\b[^>]*\s(src|href)=/i, 'the page refers to another file');
});

test('the fields take the values and Enter while the core is still starting, and the run comes once it has, its chart once uPlot has', async () => {
  const context = await browser.newContext();
  const page = await context.newPage();
  await page.goto(pageUrl, { waitUntil: 'commit' });
  await fill(page, fieldIds, traced);
  await page.waitForSelector('html[data-state]', { state: 'attached' });
  await page.press('#fs', 'Enter');
  await page.waitForFunction(() => document.querySelectorAll('#rows tbody tr').length === 20);
  assert.equal(await page.getAttribute('html', 'data-state'), 'ready');
  assert.equal(await page.isDisabled('#download-text'), false);
  await page.waitForFunction(() => performance.getEntriesByName('zelm-drawn').length > 0);
  assert.equal(await page.locator('#chart canvas').count(), 1);
  await context.close();
});

test('every case\'s result file, downloaded, is the program\'s to the byte, and the table holds its rows', async (t) => {
  const { page, check } = await open();
  for (const { name, values, units, angles, wanted, from } of casesWithResults()) {
    await page.selectOption('#units', units);
    await page.selectOption('#angles', angles);
    await compute(page, values);
    const bytes = await download(page, '#download-text');
    assert.ok(bytes.equals(wanted), `${name}: the page's ZELM_FS_result.xls differs from ${from}`);
    const rows = fileRows(wanted);
    if (rows.length <= 10000) {
      await page.waitForFunction((count) => document.querySelectorAll('#rows tbody tr').length === count, rows.length);
      assert.deepEqual(await tableRows(page, 4), rows, `${name}: the table`);
    }
    t.diagnostic(`${name}: ${values.join(' ')}, ${bytes.length} bytes, as ${from === 'the program' ? from : 'expected'}`);
  }
  await check();
});

test('one run computed once: the page\'s run and its two downloads sweep its rows twice, the workbook taking the run', async () => {
  const { page, check } = await open();
  await page.waitForSelector('html[data-state="ready"]');
  // Each of the core's calls that sweeps the rows, counted: a run, a result file made
  // again, a workbook's stream of rows.
  await page.evaluate(() => {
    const core = window.zelmCore;
    const { PageRun, ResultFileChunks } = core;
    const begin = PageRun.prototype.beginWorkbook;
    window.sweeps = 0;
    PageRun.prototype.beginWorkbook = function counted(stop) { window.sweeps += 1; return begin.call(this, stop); };
    core.PageRun = function countedRun(...values) { window.sweeps += 1; return new PageRun(...values); };
    core.ResultFileChunks = function countedFile(...values) { window.sweeps += 1; return new ResultFileChunks(...values); };
  });
  await compute(page, traced);
  await download(page, '#download-text');
  await download(page, '#download-workbook');
  assert.equal(await page.evaluate(() => window.sweeps), 2);
  await check();
});

test('the traced run: the workbook part for part as the program writes it, and as LibreOffice reads it', async () => {
  const { page, check } = await open();
  await compute(page, traced);
  const work = path.join(outputDir, 'traced_run');
  await Promise.all([work, `${work}-calc`].map((folder) => rm(folder, { recursive: true, force: true })));
  await mkdir(work, { recursive: true });
  await writeFile(path.join(work, 'ZELM_FS_result.xlsx'), await download(page, '#download-workbook'));
  await writeFile(path.join(work, 'ZELM_FS_result.xls'), await download(page, '#download-text'));
  // The program's cases' own checks: the workbook's layout and its parts byte for byte
  // (the page's libxlsxwriter is always the one built here), then Calc's reading.
  for (const script of ['check_workbook_layout', ...(existsSync(process.env.ZELM_SOFFICE) ? ['read_in_calc'] : [])]) {
    execFileSync(process.env.ZELM_CMAKE, [`-DSOFFICE=${process.env.ZELM_SOFFICE}`, `-DWORK_DIR=${work}`, '-DWORKBOOK_PARTS=ON',
      '-DRESULT=ZELM_FS_result.xls', '-DWORKBOOK=ZELM_FS_result.xlsx', `-DCASE_DIR=${path.join(testsDir, 'cases', 'traced_run')}`,
      '-P', path.join(testsDir, `${script}.cmake`)], { stdio: 'pipe' });
  }
  await page.screenshot({ path: path.join(outputDir, 'zelm-fs.png'), fullPage: true });
  await check();
});

test('warnings: the program\'s own sentences, one by one', async () => {
  const { page, check } = await open();
  for (const [line, count, sentence] of table('warnings', 'warnings.txt')) {
    const { values, units, angles } = runOf(line);
    await page.selectOption('#units', units);
    await page.selectOption('#angles', angles);
    await compute(page, values);
    const shown = await page.$$eval('#warnings li', (items) => items.map((item) => item.textContent));
    assert.equal(shown.length, Number(count), `${values}: ${shown.join(' / ')}`);
    assert.match(shown.join('\n'), new RegExp(`^Warning: ${sentence}`, 's'), values);
  }
  await check();
});

// The curves of a run as the core gives them to the page: heights, angles, confirmed angles.
function curves(page, values) {
  return page.evaluate((values) => {
    const run = new window.zelmCore.PageRun(values, () => false);
    while (!run.advance(1e6));
    const got = { heights: [...run.heights()], angles: [...run.angles()], confirmed: [...run.confirmed()] };
    run.delete();
    return got;
  }, values);
}
const legend = (page, chart) => page.$$eval(`${chart} .u-legend .u-label`, (labels) => labels.map((l) => l.textContent));

test('the confirmed angle: a column beside the file\'s, a dashed curve beside the angle\'s, in the check\'s chart too; the file unchanged', async () => {
  const { page, check } = await open();
  const violations = await axe(page);
  // 88, 85 and 69 check short of FS 2; 85 (84.75) where chart 1's rows cross.
  const known = ['26.3', '4.2', '2', '6', '1', '2'];
  await compute(page, known);
  assert.equal((await page.$$eval('#titles th', (cells) => cells.map((c) => c.textContent))).at(-1), 'confirmed angle (graus)');
  assert.deepEqual((await tableRows(page)).map((row) => row.split('|').slice(3).join(' ')),
    ['90 90', '90 90', '88 87', '85 84', '77 77', '69 68']);
  assert.match((await download(page, '#download-text')).toString('latin1'), /\r\n 4,00\t 0,25\t 1,06\t85\t\r\n 5,00\t/);
  // Asked for, the file's angle column holds the confirmed angles, its format the same,
  // and a warning says so; the choice marks a result out of date as an edit does.
  await page.selectOption('#angles', 'confirmed');
  assert.ok(await page.$eval('#download-text', (button) => button.disabled), 'a download of the other angles offered');
  await compute(page, known);
  assert.match((await download(page, '#download-text')).toString('latin1'), /\r\n 4,00\t 0,25\t 1,06\t84\t\r\n 5,00\t/);
  assert.match(await page.textContent('#warnings'), /^Warning: the result file's angle column holds the confirmed angles/);
  await page.selectOption('#angles', 'chart');
  await compute(page, known);
  assert.deepEqual(await legend(page, '#chart'), ['H (m)', 'angle (graus)', 'confirmed angle (graus)']);
  assert.deepEqual(await curves(page, known.map(Number)),
    { heights: [1, 2, 3, 4, 5, 6], angles: [90, 90, 88, 85, 77, 69], confirmed: [90, 90, 87, 84, 77, 68] });
  // A long run keeps one point where either angle changes, and one where a run of them ends.
  const long = await curves(page, [30, 2, 2.5, 1000, 0.01, 1.5]);
  const same = (i, j) => Object.is(long.angles[i], long.angles[j]) && Object.is(long.confirmed[i], long.confirmed[j]);
  assert.ok(long.heights.length < 2000, `${long.heights.length} points for 100 000 rows`);
  long.heights.slice(2).forEach((_, i) => assert.ok(!(same(i, i + 1) && same(i + 1, i + 2)), `three points alike at ${long.heights[i]}`));
  assert.ok(long.angles.some((angle, i) => angle === long.angles[i + 1] && long.confirmed[i] !== long.confirmed[i + 1]),
    'no point where the confirmed angle changes and the angle does not');
  assert.deepEqual(await violations(), []);
  // The check's chart, at the FS the answer names: at H = 4 the design angle 86.67, confirmed 86.
  await checkSlope(page, ['26.3', '4.2', '2', '4', '85']);
  assert.deepEqual(await legend(page, '#check-chart'), ['H (m)', 'design angle at FS 1.44 (degrees)', 'confirmed angle at FS 1.44 (degrees)', 'the slope (degrees)']);
  const atH = await page.evaluate(() => {
    const checked = window.zelmCore.check([26.3, 4.2, 2, 4, 85]);
    return [checked.heights[49], Math.round(checked.angles[49] * 100) / 100, checked.confirmed[49]];
  });
  assert.deepEqual(atH, [4, 86.67, 86]);
  assert.deepEqual(await violations(), []);
  // A factor of safety below 1 is said with the rows computed.
  await compute(page, ['30', '2', '2.5', '20', '5', '0.8']);
  assert.match(await page.textContent('#status'), /^4 rows computed, with 1 warning: the factor of safety 0\.8 is below 1/);
  await check();
});

// axe-core evaluated through the browser's debugging protocol, which the page's policy
// does not govern: the page is checked exactly as it runs, policy and all. Resolves with
// a function that lists the rules the page breaks as it stands.
async function axe(page) {
  await page.evaluate(axeSource);
  return async () => (await page.evaluate(() => window.axe.run(document, { resultTypes: ['violations'] })))
    .violations.map((v) => `${v.id} (${v.impact}): ${v.help} at ${v.nodes.map((n) => n.target).join(', ')}`);
}

test('a result is printed without the form; a refused field says why beside it, and nothing is computed until all six read; axe-core finds no violation', async () => {
  const { page, check } = await open();
  const violations = await axe(page);
  assert.deepEqual(await violations(), []);
  await compute(page, ['10', '2', '2.5', '3', '1', '1.2']);  // a result with its warnings
  assert.deepEqual(await violations(), []);
  // Printed: the values, the warnings, the chart and the table, without the form.
  assert.deepEqual(await printed(page, ['#values', '#entered', '#warnings', '#chart canvas', '#rows', '.downloads']),
    [false, true, true, true, true, false]);
  await page.pdf({ path: path.join(outputDir, 'zelm-fs.pdf'), format: 'A4' });
  await page.fill('#density', '2,5');  // a decimal comma reads as a point
  await page.fill('#step', '1e39');
  await refuse(page, 'height', 'abc');
  assert.equal(await page.getAttribute('#density', 'aria-invalid'), null);
  // The page reads a comma, so a refusal never asks for a point.
  assert.equal(await page.textContent('#height-error'), '\u201cabc\u201d is not a number, such as 2.5 or 2,5.');
  assert.match(await page.textContent('#step-error'), /is too large/);
  assert.match(await page.textContent('#status'), /2 values of the six cannot be read.*nothing was computed/);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'height', 'the first refused field has the focus');
  assert.deepEqual(await violations(), []);
  await page.fill('#height', '3');
  await page.fill('#step', '1');
  await page.press('#fs', 'Enter');
  await page.waitForFunction(() => !document.querySelector('[aria-invalid]'));
  await check();
});

test('units: each form\'s choice names C\' and d beside them and in the downloads, and changes no row', async () => {
  const { page, check } = await open();
  const violations = await axe(page);
  const shown = async (form) => page.$$eval(`${form} [data-unit]`, (spans) => spans.map((span) => span.textContent));
  await compute(page, traced);
  const tonnes = [await tableRows(page), (await download(page, '#download-text')).toString('latin1')];
  await page.selectOption('#units', 'si');
  assert.deepEqual(await shown('#values'), ['(kPa)', '(kN/m3)']);
  assert.ok(await page.$eval('#download-text', (button) => button.disabled), 'a download in the earlier units offered');
  await compute(page, traced);
  assert.deepEqual([await tableRows(page), (await download(page, '#download-text')).toString('latin1')],
    [tonnes[0], tonnes[1].replace('\tdensitat\t2.5\tTn/m3\r\n', '\tpes específic\t2.5\tkN/m3\r\n').replace('\tTn/m2\r\n', '\tkPa\r\n')]);
  // In kN/m3 the weight is a unit weight, named so; 2.5 kN/m3 is no soil's, and said so.
  assert.match(await page.textContent('#entered'), /C' \(kPa\)2Unit weight d \(kN\/m3\)2\.5/);
  assert.match(await page.textContent('#warnings'), /^Warning: the unit weight 2\.5 kN\/m3 is far below any soil's \(8 to 50 kN\/m3\); 2\.5 Tn\/m3 is 24\.5 kN\/m3\./);
  await page.selectOption('#check-units', 'si');
  // The check's C' and the deviation of C'; its d.
  assert.deepEqual([await shown('#values'), await shown('#check')], [['(kPa)', '(kN/m3)'], ['(kPa)', '(kN/m3)', '(kPa)']]);
  assert.equal(await page.textContent('label[for="check-density"]'), 'Unit weight d (kN/m3)');
  assert.equal(await checkSlope(page, ['30', '2', '2.5', '20', '35']), 'H 20 m at 35 degrees: FS 1.33 to 1.35 (chart 1, x = 0.43)');
  assert.match(await page.textContent('#check-warning'), /^Warning: the unit weight 2\.5 kN\/m3 is far below any soil's/);
  assert.deepEqual(await violations(), []);
  await check();
});

test('long sweeps: first and last rows, how many between; a workbook beyond a sheet\'s rows, or that cannot be read back, says why', async (t) => {
  const { page, check } = await open();
  for (const [rows, height, step] of [[20, '20', '1'], [10000, '100', '0.01'], [100000, '1000', '0.01']]) {
    const times = [];
    for (let i = 0; i < 3; ++i) {
      times.push(await compute(page, ['30', '2', '2.5', height, step, '1.5']));
    }
    t.diagnostic(`${rows} rows drawn ${times.sort((a, b) => a - b)[1].toFixed(0)} ms after Enter (median of 3)`);
  }
  const shown = await tableRows(page);
  assert.equal(shown.length, 201);
  // Counts beside a table of decimal commas carry no thousands comma.
  assert.match(shown[100], /^\u2026 99\u202f800 rows not shown here/);
  assert.match(await page.textContent('#rows-caption'), /of the 100\u202f000 rows/);
  assert.equal(shown[0], '0,01|0,38|138,56|90|90');
  assert.equal(shown[200], '1000,67|0,38|0,00|21|20');
  await compute(page, ['30', '2', '2.5', '1048569', '1', '1.5']);
  assert.match(await workbookRefused(page), /the sweep has 1048569 rows and a sheet holds 1048568 under the header/);
  await compute(page, traced);
  // A file where the workbook is made that may be written but not read: the library
  // fills it, and reading its bytes back for the download fails.
  await page.evaluate(() => {
    window.zelmCore.FS.writeFile('/tmp/ZELM_FS_result.xlsx', '');
    window.zelmCore.FS.chmod('/tmp/ZELM_FS_result.xlsx', 0o200);
  });
  assert.equal(await workbookRefused(page), 'Cannot write ZELM_FS_result.xlsx: Permission denied.');
  await check();
});

test('opened from a disk it is ready at once; served over HTTP it asks for nothing else', async (t) => {
  const { page, check } = await open();
  const ready = await page.evaluate(() => performance.getEntriesByName('zelm-ready')[0].startTime);
  t.diagnostic(`ready ${ready.toFixed(0)} ms after navigation started; page ${readFileSync(pagePath).length} bytes`);
  await check();
  const asked = [];
  const server = createServer((request, response) => {
    asked.push(request.url);
    response.writeHead(request.url === '/zelm-fs.html' ? 200 : 404, { 'Content-Type': 'text/html; charset=utf-8' });
    response.end(request.url === '/zelm-fs.html' ? readFileSync(pagePath) : '');
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  try {
    const served = await open(`http://127.0.0.1:${server.address().port}/zelm-fs.html`);
    await compute(served.page, traced);
    await served.check();
    assert.deepEqual(asked, ['/zelm-fs.html']);
  } finally {
    server.close();
  }
});

test('the page never shows one run\'s values beside another\'s rows: a run under way gives way to a newer one; an edit marks the result out of date and turns its downloads off until Enter computes again', async () => {
  const { page, check } = await open();
  await fill(page, fieldIds, ['30', '2', '2.5', '100000', '0.01', '1.5']);  // 10^7 rows, taken in slices
  await page.press('#fs', 'Enter');
  await page.waitForFunction(() => /^Computing/.test(document.querySelector('#status').textContent));
  await compute(page, traced);
  await page.waitForTimeout(1500);  // longer than the long run would take to its end
  assert.equal((await tableRows(page)).length, 20);
  assert.match(await page.textContent('#rows-caption'), /^The 20 rows/);
  assert.match(await page.textContent('#entered'), /talus \(m\)20/);
  const state = () => page.evaluate(() => ({
    note: !document.getElementById('out-of-date').hidden,
    downloads: ['#download-text', '#download-workbook'].map((b) => document.querySelector(b).disabled),
    status: document.getElementById('status').textContent,
  }));
  assert.deepEqual((await state()).downloads, [false, false]);
  await page.fill('#fs', '1.3');  // not computed: the result on show is still FS 1.5's
  let now = await state();
  assert.ok(now.note, 'no note that the result is out of date');
  assert.deepEqual(now.downloads, [true, true], 'a download of FS 1.5 offered under a form of FS 1.3');
  assert.match(now.status, /result below is for the earlier ones/);
  await refuse(page, 'height', 'abc');
  now = await state();
  assert.ok(now.note && now.downloads.every(Boolean), 'a refused entry left the earlier result looking current');
  assert.match(now.status, /nothing was computed, and the result below is for earlier values/);
  await page.fill('#height', '20');
  await page.press('#fs', 'Enter');
  await page.waitForFunction(() => document.getElementById('out-of-date').hidden);
  assert.deepEqual((await state()).downloads, [false, false]);
  const bytes = await download(page, '#download-text');
  assert.match(bytes.toString('latin1'), /\r\nABAC 1\tFS 1\.3\r\n/);
  await check();
});

test('at 400 px wide the chart fills its column and its H labels stay apart, up to 10^7 m', async () => {
  const { page, check } = await open();
  await page.setViewportSize({ width: 400, height: 800 });
  for (const [values, name] of [[traced, 'narrow'], [['30', '2', '2.5', '10000000', '10', '1.5'], 'narrow-long']]) {
    await compute(page, values);
    const chart = await page.evaluate(() => {
      const canvas = document.querySelector('#chart canvas').getBoundingClientRect();
      const context = document.createElement('canvas').getContext('2d');
      context.font = '12px system-ui, -apple-system, "Segoe UI", Roboto, "Helvetica Neue", Arial, "Noto Sans", sans-serif';
      const left = document.querySelector('#chart .u-over').offsetLeft;
      return {
        width: canvas.width, height: canvas.height, column: document.getElementById('chart').clientWidth,
        page: [document.documentElement.scrollWidth, document.documentElement.clientWidth],
        ticks: JSON.parse(document.getElementById('chart').dataset.hTicks)
          .map(([at, label]) => ({ label, from: left + at - context.measureText(label).width / 2, to: left + at + context.measureText(label).width / 2 })),
      };
    });
    const labels = chart.ticks.map((tick) => tick.label).join(' | ');
    assert.ok(chart.width <= chart.column && chart.width >= chart.column - 1 && chart.height >= 240, `${name}: ${JSON.stringify(chart)}`);
    assert.equal(chart.page[0], chart.page[1], `${name}: the page scrolls sideways`);
    assert.ok(chart.ticks.length >= 3, `${name}: ${labels}`);
    for (const [i, tick] of chart.ticks.entries()) {
      assert.ok(tick.from >= 0 && tick.to <= chart.width, `${name}: ${tick.label} runs off the chart`);
      assert.ok(i === 0 || tick.from >= chart.ticks[i - 1].to + 4, `${name}: the H labels run together: ${labels}`);
    }
    await page.locator('#result figure').screenshot({ path: path.join(outputDir, `zelm-fs-${name}.png`) });
  }
  await check();
});

test('keyboard alone: tab to each field, type, Enter, and tab to a download; and the notices, folded at the foot, open and print only when open', async () => {
  const { page, check } = await open();
  await page.locator('#phi').focus();
  for (const [i, value] of traced.entries()) {
    await page.keyboard.type(value);
    if (i < traced.length - 1) {
      await page.keyboard.press('Tab');
    }
  }
  await page.keyboard.press('Enter');
  await page.waitForFunction(() => performance.getEntriesByName('zelm-drawn').length > 0);
  await page.locator('#download-text').focus();
  const [file] = await Promise.all([page.waitForEvent('download'), page.keyboard.press('Enter')]);
  assert.equal(file.suggestedFilename(), 'ZELM_FS_result.xls');
  assert.equal(await page.getAttribute('#notices', 'open'), null);
  assert.deepEqual(await printed(page, ['#notices']), [false]);
  await page.locator('#check-compute').focus();
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.parentElement.id), 'notices');
  await page.keyboard.press('Enter');
  assert.notEqual(await page.getAttribute('#notices', 'open'), null);
  assert.deepEqual(await printed(page, ['#notices']), [true]);
  await page.waitForFunction(() => document.querySelector('#notices pre').textContent !== '');
  const text = await page.textContent('#notices pre');
  assert.equal(text, readFileSync(process.env.ZELM_NOTICES, 'utf8'), 'the notices shown are not those built');
  for (const words of ['Copyright the zelm-fs authors', 'No licence has been granted yet', 'uPlot', 'Emscripten',
    'libxlsxwriter', 'third_party/tmpfileplus/*', 'Mozilla Public License Version 2.0']) {
    assert.ok(text.includes(words), `the notices do not say "${words}"`);
  }
  await check();
});

// Types the five values of a slope into the check's form and presses Enter; resolves
// with the answer beside it, once its chart is drawn or a field refused.
async function checkSlope(page, values) {
  await fill(page, ['phi', 'cohesion', 'density', 'height', 'angle'].map((id) => `check-${id}`), values);
  await page.evaluate(() => {
    document.getElementById('check-answer').textContent = '';
    performance.clearMarks('zelm-check-drawn');
  });
  await page.press('#check-angle', 'Enter');
  await page.waitForFunction(() => document.getElementById('check-answer').textContent !== '' &&
    (performance.getEntriesByName('zelm-check-drawn').length > 0 || document.querySelector('#check [aria-invalid]') !== null));
  return page.textContent('#check-answer');
}

test('check a slope: the command line\'s lines, each slope\'s point drawn on its design curve', async () => {
  const { page, check } = await open();
  // The runs of check/checks.txt, which the program's own tests hold it to: one slope a
  // line, in the units the run names.
  const runs = [];
  for (const [given, said] of table('check', 'checks.txt')) {
    if (given.startsWith('--check')) {
      const units = given.match(/--units (\w+)/)?.[1] ?? 'tonnes';
      runs.push({ values: given.replace(/--units \w+/, '').split(/\s+/).slice(1).filter((v) => v !== '--'), units, lines: [said] });
    } else if (given.startsWith('! ')) {  // the run's warning, said beside each of its answers
      runs.at(-1).warning = new RegExp(`^Warning: ${given.slice(2)}`);
    } else {
      runs.at(-1).lines.push(said);
    }
  }
  for (const { values, units, lines, warning } of runs) {
    await page.selectOption('#check-units', units);
    for (const [i, line] of lines.entries()) {
      const slope = [...values.slice(0, 3), ...values.slice(3 + 2 * i, 5 + 2 * i)];
      assert.equal(await checkSlope(page, slope), line, slope.join(' '));
      const warned = await page.$eval('#check-warning', (p) => (p.hidden ? null : p.textContent));
      assert.ok(warning ? warning.test(warned) : warned === null, `${slope.join(' ')}: ${warned}`);
      const [x, y] = JSON.parse(await page.getAttribute('#check-chart', 'data-slope-point'));
      const colour = await page.$eval('#check-chart canvas', (canvas, [x, y]) => [...canvas.getContext('2d').getImageData(x, y, 1, 1).data], [x, y]);
      assert.deepEqual(colour, [0xb0, 0x00, 0x20, 0xff], `${slope.join(' ')}: no point where the slope stands`);
    }
  }
  await check();
});

test('check a slope: refusals beside their field, out of date on edit, accessible, printed without the form', async () => {
  const { page, check } = await open();
  const violations = await axe(page);
  assert.equal(await checkSlope(page, ['30', '2', '2,5', '20', '35']), 'H 20 m at 35 degrees: FS 1.33 to 1.35 (chart 1, x = 0.43)');
  assert.deepEqual(await violations(), []);
  await page.fill('#check-height', '10');
  assert.match(await page.textContent('#check-answer'), /^Out of date: .*FS 1\.33 to 1\.35/);
  assert.ok(await page.$eval('#check-section', (section) => section.classList.contains('out-of-date')));
  for (const [values, field, why] of table('web', 'check_refusals.txt')) {
    assert.match(await checkSlope(page, values.split(' ')), /nothing was checked, and the chart below is for earlier values/i);
    assert.deepEqual(await page.evaluate(() => [...document.querySelectorAll('#check [aria-invalid]')].map((f) => f.id)), [`check-${field}`]);
    assert.equal(await page.textContent(`#check-${field}-error`), why);
    assert.equal(await page.evaluate(() => document.activeElement.id), `check-${field}`);
  }
  assert.deepEqual(await violations(), []);
  await checkSlope(page, ['30', '2', '2.5', '20', '60']);
  assert.deepEqual(await printed(page, ['#check', '#check-entered', '#check-answer', '#check-chart canvas']), [false, true, true, true]);
  assert.match(await page.textContent('#check-entered'), /Slope angle \(degrees\)60/);
  await check();
});

test('check a slope: Bishop\'s factor of safety beside the chart\'s, and the section with its critical circle', async () => {
  const { page, check } = await open();
  const violations = await axe(page);
  await page.selectOption('#check-units', 'si');
  // A 2H:1V slope, 10 m high: phi 19.6, C' 3 kPa, d 20 kN/m3; by Bishop's method FS 0.99 or so.
  await checkSlope(page, ['19.6', '3', '20', '10', '26.565051177']);
  assert.match(await page.textContent('#check-bishop'), /Bishop's simplified method of slices: FS 0\.98[5-9],/);
  const circle = await page.evaluate((dry) => window.zelmCore.bishop([19.6, 3, 20, 10, 26.565051177], dry).circle, dry);
  // The arc leaves the ground at the toe and enters the crest where the core says; the dot is the centre.
  const [start, middle, end, centre] = await page.$eval('#check-section-drawing', (svg) => {
    const arc = svg.querySelector('path.arc');
    const at = (share) => { const p = arc.getPointAtLength(arc.getTotalLength() * share); return [p.x, p.y]; };
    return [at(0), at(0.5), at(1), ['cx', 'cy'].map((a) => Number(svg.querySelector('circle.centre').getAttribute(a)))];
  });
  const near = (found, wanted) => found.every((v, i) => Math.abs(v - wanted[i]) < 1e-3);
  assert.ok(near(start, [circle.exitX, 0]) && near(end, [circle.entryX, -10]), `${start} ${end}`);
  assert.ok(near(centre, [circle.centreX, -circle.centreY]) && circle.entryX > 20 && circle.exitX <= 0);
  assert.ok(Math.abs(Math.hypot(middle[0] - centre[0], middle[1] - centre[1]) - circle.radius) < 1e-2, 'the arc bends about the centre');
  assert.match(await page.getAttribute('#check-section-drawing', 'role'), /^img$/);
  assert.match(await page.textContent('#check-circle-caption'), /10 m high at 26\.565051177 degrees.*radius 28\.6[45]/);
  assert.deepEqual(await violations(), []);
  // A vertical face: the crest's edge above the toe, the centre far out over the toe ground.
  await checkSlope(page, ['30', '2', '2.5', '20', '90']);
  // Rounded down as the program gives it (0.4079...), with the program's cautions.
  assert.match(await page.textContent('#check-bishop'), /: FS 0\.407, .*drawn below; below 1, the slope is expected to fail; the slices under the crest are in tension down to 9\.88 m below it: a tension crack there would lower this FS\.$/);
  assert.match(await page.textContent('#check-circle-caption'), /centre at x = -48\.90, y = 20\.00 .*leaves the ground at x = 0\.00[.]$/);
  // Without cohesion, a shallow slide along the face from the toe to the crest edge, and no centre.
  await checkSlope(page, ['33', '0', '2', '10', '33.19']);
  assert.match(await page.textContent('#check-bishop'), /: FS 0\.992; with no cohesion the critical slip is a shallow slide parallel to the face, drawn below, .*; below 1, the slope is expected to fail\.$/);
  const [toe, edge, centres] = await page.$eval('#check-section-drawing', (svg) => {
    const arc = svg.querySelector('path.arc');
    const at = (share) => { const p = arc.getPointAtLength(arc.getTotalLength() * share); return [p.x, p.y]; };
    return [at(0), at(1), svg.querySelectorAll('circle.centre').length];
  });
  assert.ok(Math.hypot(toe[0], toe[1]) < 1e-3 && Math.abs(edge[0] - 10 / Math.tan((33.19 * Math.PI) / 180)) < 1e-2 && Math.abs(edge[1] + 10) < 1e-3 && centres === 0,
    `${toe} ${edge} ${centres}`);
  assert.match(await page.textContent('#check-circle-caption'), /a shallow slide along the face, from the toe to the crest edge at x = 15\.29 m[.]$/);
  await check();
});

// The fields of the conditions read as the program's options are; the water table and
// the crack drawn where the core puts them, the arc ending at the crack's bottom.
test('check a slope under water and an earthquake: its conditions named, and the water table and the crack drawn', async () => {
  const { page, check } = await open();
  const violations = await axe(page);
  await page.selectOption('#check-units', 'si');
  await page.fill('#check-ru', '0.25');
  await page.fill('#check-kh', '0.1');
  await checkSlope(page, ['30', '20', '19.6', '20', '31']);
  // The program's answer for the same slope: zelm-fs --units si --bishop --ru 0.25 --kh 0.1 30 20 19.6 20 31.
  assert.match(await page.textContent('#check-bishop'), /: FS 1\.060 under pore pressure ru 0\.25 and seismic coefficient kh 0\.1 \(chart 1's answer above leaves them out: it is the chart of a drained slope that stands still\), on the critical slip circle/);
  assert.equal(await page.$$eval('#check-section-drawing .water, #check-section-drawing .crack', (drawn) => drawn.length), 0);
  // Without cohesion, the shallow slide's FS is the infinite slope's under the conditions, not tan(phi)/tan(angle):
  // zelm-fs --units si --bishop --ru 0.25 --kh 0.1 30 0 19.6 20 25.
  await checkSlope(page, ['30', '0', '19.6', '20', '25']);
  assert.match(await page.textContent('#check-bishop'), /: FS 0\.661 under .*; with no cohesion the critical slip is a shallow slide parallel to the face, drawn below, the infinite slope's under these conditions; below 1/);
  await page.fill('#check-ru', '');
  await page.fill('#check-water', '2H');
  await page.fill('#check-crack', 'auto');
  await page.check('#check-wet-crack');
  await checkSlope(page, ['30', '20', '19.6', '20', '31']);
  assert.match(await page.textContent('#check-bishop'), / under a water table reaching the ground 40\.00 m behind the toe, a tension crack [0-9.]+ m deep, full of water and seismic coefficient kh 0\.1 [(]chart 1/);
  const found = await page.evaluate(() => window.zelmCore.bishop([30, 20, 19.6, 20, 31, 'si'], { ru: '', water: '2H', crack: 'auto', kh: '0.1', wetCrack: true }));
  assert.ok(found.water === 40 && found.crackDepth > 0, JSON.stringify(found));
  const [water, crack, end] = await page.$eval('#check-section-drawing', (svg) => {
    const arc = svg.querySelector('path.arc');
    const last = arc.getPointAtLength(arc.getTotalLength());
    return [svg.querySelector('polyline.water').getAttribute('points'), svg.querySelector('path.crack').getAttribute('d'), [last.x, last.y]];
  });
  const bottom = -(20 - found.crackDepth);
  assert.match(water, new RegExp(` 0,0 40,-20 `), water);
  assert.equal(crack, `M ${found.circle.entryX} -20 L ${found.circle.entryX} ${bottom}`);
  assert.ok(Math.abs(end[0] - found.circle.entryX) < 1e-3 && Math.abs(end[1] - bottom) < 1e-3, `${end}`);
  assert.deepEqual(await violations(), []);
  // A condition refused is marked beside its field, in the program's words, and nothing is answered by the method.
  await page.fill('#check-kh', '1');
  await checkSlope(page, ['30', '20', '19.6', '20', '31']);
  assert.equal(await page.getAttribute('#check-kh', 'aria-invalid'), 'true');
  assert.equal(await page.textContent('#check-kh-error'), 'kh: the seismic coefficient 1 is not at least 0 and below 1.');
  assert.match(await page.textContent('#check-bishop'), /^Bishop's simplified method gives no factor of safety: kh: the seismic coefficient 1/);
  assert.ok(await page.isHidden('#check-circle'));
  await check();
});

// Types a slope and its spread; resolves once the histogram is drawn, or a field refused.
async function studySlope(page, values, spread) {
  for (const [id, typed] of Object.entries(spread)) {
    await page.fill(`#check-${id}`, typed);
  }
  await page.evaluate(() => performance.clearMarks('zelm-probability-drawn'));
  await checkSlope(page, values);
  await page.waitForFunction(() => performance.getEntriesByName('zelm-probability-drawn').length > 0 ||
    document.querySelector('#check-spread [aria-invalid]') !== null);
  return page.textContent('#check-probability');
}

test('check a slope: its probability of failure from the deviations, the module\'s to the digit, with the histogram of its FS', async () => {
  const { page, check } = await open();
  const violations = await axe(page);
  await page.selectOption('#check-units', 'si');
  // zelm_fs.probability_of_failure(normal(30, 3), lognormal(20, 5), 20, 20, 45, draws=2000, seed=7, units="si"):
  // probability 6.35%, interval 5.36% to 7.50%, FS mean 1.204, sd 0.147, 5% 0.984, 95% 1.469, beta 1.387 and 1.464.
  const line = await studySlope(page, ['30', '20', '20', '20', '45'], { 'phi-sd': '3', 'cohesion-sd': '5', draws: '2000', seed: '7' });
  assert.equal(line, "Probability of failure (FS below 1 by Bishop's method): 6.35%, 95% interval 5.36% to 7.50%, from 2000 draws " +
    "of phi normal (sd 3) and C' lognormal (sd 5), seed 7; FS mean 1.204, sd 0.147, 5% to 95% 0.984 to 1.469; reliability " +
    'index 1.387 (lognormal FS: 1.464).');
  const bins = JSON.parse(await page.getAttribute('#check-histogram', 'data-bins'));
  assert.equal(bins.reduce((sum, count) => sum + count, 0), 2000);
  assert.match(await page.textContent('#check-histogram-caption'), /^The factor of safety by Bishop's method of the 2000 draws with one, in bins 0\.0[125] wide/);
  assert.deepEqual(await violations(), []);
  // With no spread the draws are the slope itself: it stands, and none fails.
  assert.match(await studySlope(page, ['30', '20', '20', '20', '45'], { 'phi-sd': '0', 'cohesion-sd': '0', draws: '', seed: '' }),
    /^Probability of failure \(FS below 1 by Bishop's method\): 0\.00%, 95% interval 0\.00% to 0\.10%, from 4000 draws .* seed 1; FS mean 1\.2/);
  // A field refused is marked beside it, in the core's words; the deviations left empty, nothing is drawn.
  await studySlope(page, ['30', '20', '20', '20', '45'], { 'phi-sd': '3', draws: '50' });
  assert.equal(await page.textContent('#check-draws-error'), 'Draws: 50 is not a whole number from 100 to 20000 (the Python module takes more).');
  await studySlope(page, ['30', '20', '20', '20', '45'], { 'phi-sd': '-1', draws: '' });
  assert.equal(await page.textContent('#check-phi-sd-error'), 'phi: -1 is not a standard deviation, a number of 0 or more.');
  await page.fill('#check-phi-sd', '');
  await page.fill('#check-cohesion-sd', '');
  await checkSlope(page, ['30', '20', '20', '20', '45']);
  assert.ok(await page.isHidden('#check-probability') && await page.isHidden('#check-histogram-figure'));
  await check();
});

// The script words nothing itself: each sentence it asks for, by the keys its source
// names, the core has and fills, whatever the page's slots hold; a count of one chooses
// the form for one, and a failure is told with its error as the script writes one.
test('every sentence the script asks for is the core\'s, a count choosing its form and a failure naming its error', async () => {
  const { page, check } = await open();
  const script = await readFile(path.join(testsDir, '..', 'web', 'page.js'), 'utf8');
  const keys = [...new Set([...script.matchAll(/said\(([^,)]*)/g)].flatMap(([, asked]) => [...asked.matchAll(/'(\w+)'/g)].map(([, key]) => key)))];
  assert.ok(keys.length >= 35, keys.join(' '));
  const said = await page.evaluate((keys) => {
    const slots = Object.fromEntries(['typed', 'reason', 'earlier', 'line', 'done', 'warnings', 'lines', 'fs', 'height', 'angle',
      'cautions', 'under', 'centreX', 'centreY', 'radius', 'entryX', 'exitX', 'size', 'error', 'width'].map((slot) => [slot, '#']));
    return keys.map((key) => window.zelmCore.say(key, { ...slots, count: 3, counted: '3' }));
  }, keys);
  said.forEach((sentence, i) => assert.match(sentence, /^[^{}]+$/, keys[i]));
  const forms = await page.evaluate(() => [1, 2].map((count) => window.zelmCore.say('sixRefused', { count, counted: `${count}`, earlier: '' }))
    .concat([window.zelmCore.say('runFailed', { error: new Error('the module ran out of memory') })]));
  assert.deepEqual(forms, [
    '1 value of the six cannot be read, as marked beside it; nothing was computed.',
    '2 values of the six cannot be read, as marked beside them; nothing was computed.',
    'The run failed: Error: the module ran out of memory']);
  await check();
});
