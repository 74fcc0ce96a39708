// How heavy the page is and how soon it answers, for one or more builds of it, in one
// run: its size in bytes, and the time from opening it (file://, a fresh context of the
// system's Chromium, headless) to the traced run's download being offered, its six
// values typed and Enter pressed as soon as the page takes them. The pages load in turn,
// the median of each printed, and each page's ratio to the first's.
//
//   node bench/page_ready.mjs [--loads 10] PAGE.html [OTHER.html ...]
//
// The page takes Enter once <html> carries a data-state; the result is offered once the
// button to download the result file is enabled and the result shows. Chromium is the system's (chromium on
// PATH, or ZELM_CHROMIUM).
import { statSync } from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import { chromium } from 'playwright-core';

const args = process.argv.slice(2);
let loads = 10;
if (args[0] === '--loads') {
  loads = Number(args[1]);
  args.splice(0, 2);
}
if (args.length === 0 || !(loads > 0)) {
  console.error('usage: node bench/page_ready.mjs [--loads N] PAGE.html [OTHER.html ...]');
  process.exit(2);
}

const browser = await chromium.launch({
  executablePath: process.env.ZELM_CHROMIUM || '/usr/bin/chromium',
  headless: true,
  chromiumSandbox: false,
  args: ['--disable-gpu', '--no-first-run', '--disable-background-networking', '--disable-component-update'],
});

const traced = { phi: '30', cohesion: '2', density: '2.5', height: '20', step: '1', fs: '1.5' };

// Milliseconds from the navigation's start to the result's download offered. The typing
// and the Enter are done from inside the page, by a script the browser runs before the
// page's own, as the fields appear: Playwright's round trips to the browser would
// otherwise cost more than the page itself (about 0.3 s for six fields on this machine).
async function readyTime(url) {
  const context = await browser.newContext({ acceptDownloads: true });
  await context.addInitScript((values) => {
    let typed = false;
    let entered = false;
    const look = () => {
      const fields = Object.keys(values).map((id) => document.getElementById(id));
      if (!typed && fields.every((field) => field)) {
        fields.forEach((field) => {
          field.value = values[field.id];
          field.dispatchEvent(new Event('input', { bubbles: true }));
        });
        typed = true;
      }
      if (typed && !entered && document.documentElement.dataset.state) {
        fields[fields.length - 1].form.requestSubmit();  // what Enter in a field does
        entered = true;
      }
      const button = document.getElementById('download-text');
      const result = document.getElementById('result');
      if (entered && button && result && !result.hidden && !button.disabled && window.zelmOffered === undefined) {
        window.zelmOffered = performance.now();
      }
    };
    new MutationObserver(look).observe(document, { subtree: true, childList: true, attributes: true });
  }, traced);
  const page = await context.newPage();
  await page.goto(url, { waitUntil: 'commit' });
  const handle = await page.waitForFunction(() => window.zelmOffered, null, { timeout: 60000 });
  const offered = await handle.jsonValue();
  await context.close();
  return offered;
}

const median = (list) => [...list].sort((a, b) => a - b)[Math.floor(list.length / 2)];
const times = args.map(() => []);
for (let load = 0; load < loads; ++load) {
  for (const [i, page] of args.entries()) {
    times[i].push(await readyTime(pathToFileURL(path.resolve(page)).href));
  }
}
await browser.close();

const first = { size: statSync(args[0]).size, ready: median(times[0]) };
for (const [i, page] of args.entries()) {
  const size = statSync(page).size;
  const ready = median(times[i]);
  console.log(`${page}: ${size} bytes (${(size / first.size).toFixed(2)}x), result offered after ${ready.toFixed(0)} ms `
    + `(median of ${loads}; ${Math.min(...times[i]).toFixed(0)} to ${Math.max(...times[i]).toFixed(0)}; `
    + `${(ready / first.ready).toFixed(2)}x)`);
}
