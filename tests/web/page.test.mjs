// The page, build/web/zelm-fs.html, in headless Chromium: it must start from a disk
// (file://) and from a static server with no request for anything but itself, no
// error and no violation of its Content-Security-Policy; show chart 1's angle; hand
// over a real workbook; and pass axe-core's accessibility rules.
//
// Set by CTest: ZELM_PAGE (the page), ZELM_CHROMIUM (the system's Chromium),
// ZELM_TEST_OUTPUT (where the screenshot goes).
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { mkdir, readFile } from 'node:fs/promises';
import { createServer } from 'node:http';
import { createRequire } from 'node:module';
import path from 'node:path';
import { after, before, test } from 'node:test';
import { pathToFileURL } from 'node:url';
import { inflateRawSync } from 'node:zlib';
import { chromium } from 'playwright-core';

const pagePath = process.env.ZELM_PAGE;
const outputDir = process.env.ZELM_TEST_OUTPUT;
assert.ok(pagePath && process.env.ZELM_CHROMIUM && outputDir,
  'ZELM_PAGE, ZELM_CHROMIUM and ZELM_TEST_OUTPUT must be set (ctest sets them)');
const pageUrl = pathToFileURL(pagePath).href;
const axeSource = readFileSync(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');

// The angle the core reads from chart 1 at x = 0.38, y = 0.69.
const angleText = '85.8958';

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
});
after(async () => {
  await browser?.close();
});

// Opens URL in a new context in which every request but the page itself and the
// data: URLs of the module's loader is refused and recorded, and every console
// error, uncaught exception and policy violation is recorded too. Resolves once the
// page says it is ready or failed.
async function open(url) {
  const context = await browser.newContext();
  const refused = [];
  const problems = [];
  await context.route('**/*', (route) => {
    const requested = route.request().url();
    if (requested === url || requested.startsWith('data:')) {
      return route.continue();
    }
    refused.push(requested);
    return route.abort();
  });
  // Reported through a binding, which the policy does not govern, by a listener
  // that the browser installs before any script of the page runs.
  await context.exposeBinding('zelmViolation', (_source, text) => problems.push(`CSP violation: ${text}`));
  await context.addInitScript(() => {
    document.addEventListener('securitypolicyviolation', (event) => {
      window.zelmViolation(`${event.effectiveDirective} blocked ${event.blockedURI || 'inline'} at ${event.sourceFile}:${event.lineNumber}`);
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
  await page.waitForSelector('html[data-state]', { state: 'attached' });
  return { context, page, refused, problems };
}

// The named file of a zip archive, read through its central directory.
function unzip(archive, name) {
  const end = archive.lastIndexOf(Buffer.from([0x50, 0x4b, 0x05, 0x06]));
  assert.ok(end >= 0, 'no end of central directory: not a zip archive');
  let entry = archive.readUInt32LE(end + 16);
  for (let i = archive.readUInt16LE(end + 10); i > 0; --i) {
    assert.equal(archive.readUInt32LE(entry), 0x02014b50, 'broken central directory');
    const method = archive.readUInt16LE(entry + 10);
    const size = archive.readUInt32LE(entry + 20);
    const nameLength = archive.readUInt16LE(entry + 28);
    const skip = nameLength + archive.readUInt16LE(entry + 30) + archive.readUInt16LE(entry + 32);
    if (archive.toString('utf8', entry + 46, entry + 46 + nameLength) === name) {
      const local = archive.readUInt32LE(entry + 42);
      const start = local + 30 + archive.readUInt16LE(local + 26) + archive.readUInt16LE(local + 28);
      const data = archive.subarray(start, start + size);
      return (method === 8 ? inflateRawSync(data) : data).toString('utf8');
    }
    entry += 46 + skip;
  }
  assert.fail(`${name} is not in the archive`);
}

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
  assert.ok(directives.get('script-src').some((s) => s.startsWith("'sha256-")));
  assert.doesNotMatch(html, /<(script|link|img|iframe)\b[^>]*\s(src|href)=/i, 'the page refers to another file');
});

test('opened from a disk, the page starts alone and clean and shows the angle', async (t) => {
  const { context, page, refused, problems } = await open(pageUrl);
  try {
    assert.equal(await page.getAttribute('html', 'data-state'), 'ready', await page.textContent('#status'));
    assert.equal(await page.textContent('#angle'), angleText);
    assert.equal(await page.locator('#chart canvas').count(), 1, 'uPlot drew no chart');
    const ready = await page.evaluate(() => performance.getEntriesByName('zelm-ready')[0].startTime);
    t.diagnostic(`ready ${ready.toFixed(0)} ms after navigation started`);
    await mkdir(outputDir, { recursive: true });
    await page.screenshot({ path: path.join(outputDir, 'zelm-fs.png'), fullPage: true });
    assert.deepEqual(refused, [], 'requests for other files or hosts');
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
  }
});

test('the workbook link hands over a workbook whose cell holds the angle', async () => {
  const { context, page, refused, problems } = await open(pageUrl);
  try {
    const [download] = await Promise.all([page.waitForEvent('download'), page.click('#workbook')]);
    assert.equal(download.suggestedFilename(), 'zelm-fs.xlsx');
    const workbook = await readFile(await download.path());
    assert.deepEqual([...workbook.subarray(0, 4)], [0x50, 0x4b, 0x03, 0x04], 'not a zip archive');
    const sheet = unzip(workbook, 'xl/worksheets/sheet1.xml');
    const cell = sheet.match(/<c r="A1"[^>]*><v>([^<]*)<\/v><\/c>/);
    assert.ok(cell, `no number in A1: ${sheet}`);
    assert.equal(Number(cell[1]).toFixed(4), angleText);
    assert.deepEqual(refused, []);
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
  }
});

test('served over HTTP, the page starts alone and clean just the same', async () => {
  // A static server on the loopback address that serves the page and nothing else.
  const asked = [];
  const server = createServer((request, response) => {
    asked.push(request.url);
    if (request.url === '/zelm-fs.html') {
      response.writeHead(200, { 'Content-Type': 'text/html; charset=utf-8' });
      response.end(readFileSync(pagePath));
    } else {
      response.writeHead(404).end();
    }
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const url = `http://127.0.0.1:${server.address().port}/zelm-fs.html`;
  const { context, page, refused, problems } = await open(url);
  try {
    assert.equal(await page.getAttribute('html', 'data-state'), 'ready', await page.textContent('#status'));
    assert.equal(await page.textContent('#angle'), angleText);
    assert.deepEqual(refused, []);
    assert.deepEqual(problems, []);
    assert.deepEqual(asked, ['/zelm-fs.html']);
  } finally {
    await context.close();
    server.close();
  }
});

test('axe-core finds no accessibility violation', async () => {
  const { context, page, problems } = await open(pageUrl);
  try {
    // Evaluated through the browser's debugging protocol, which the page's policy
    // does not govern: the page is checked exactly as it runs, policy and all.
    await page.evaluate(axeSource);
    const results = await page.evaluate(() => window.axe.run(document, { resultTypes: ['violations'] }));
    const found = results.violations.map((v) => `${v.id} (${v.impact}): ${v.help} at ${v.nodes.map((n) => n.target).join(', ')}`);
    assert.deepEqual(found, []);
    assert.deepEqual(problems, []);
  } finally {
    await context.close();
  }
});
