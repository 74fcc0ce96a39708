// Makes the one self-contained page from its template: every {{NAME}} is replaced
// by the file given as NAME=PATH (a NAME ending in .gz.b64 by the file's bytes gzipped
// and in base64, for a script to inflate; one ending in .txt as text, its <, > and &
// escaped, to show as it is), and {{csp}} by a Content-Security-Policy that lets
// exactly the page's own inline scripts and styles run, by their SHA-256 hashes. A
// packed part ending in .js.gz.b64 is a script the page runs once inflated, as an inline
// <script> it makes: its text's hash is the policy's too.
//
//   node assemble.mjs TEMPLATE OUTPUT NAME=PATH...
//
// The policy: nothing from any network or file (default-src 'none'); WebAssembly may
// be compiled ('wasm-unsafe-eval'), which the core needs, while eval() and the like
// stay forbidden; the page's script may fetch the data: URLs it makes of the packed
// core and notices, to decode them natively (connect-src data:). On failure it prints one line and exits with status 1,
// leaving no output file behind.
import { createHash } from 'node:crypto';
import { readFileSync, renameSync, writeFileSync } from 'node:fs';
import { constants, gzipSync } from 'node:zlib';

function fail(message) {
  console.error(`assemble: ${message}`);
  process.exit(1);
}

const [template, output, ...pairs] = process.argv.slice(2);
if (!template || !output || pairs.length === 0) {
  fail('usage: node assemble.mjs TEMPLATE OUTPUT NAME=PATH...');
}

function read(path, { binary = false } = {}) {
  try {
    if (binary) {
      return readFileSync(path);
    }
    // The HTML parser reads CR LF and CR as LF before any script runs or any hash
    // is checked, so the hashes are taken of the same text.
    return readFileSync(path, 'utf8').replace(/\r\n?/g, '\n');
  } catch (error) {
    fail(`cannot read ${path}: ${error.message}`);
  }
}

const files = new Map();
for (const pair of pairs) {
  const equals = pair.indexOf('=');
  if (equals <= 0) {
    fail(`not NAME=PATH: ${pair}`);
  }
  files.set(pair.slice(0, equals), pair.slice(equals + 1));
}

// One pass over the template: text put in is never searched for markers itself.
const used = new Set();
const packedScripts = [];
let page = read(template).replace(/\{\{([\w.-]+)\}\}/g, (marker, name) => {
  if (name === 'csp') {
    return marker;  // filled in below, once the contents are known
  }
  if (!files.has(name)) {
    fail(`${template} wants ${name}, which is not given`);
  }
  used.add(name);
  if (name.endsWith('.js.gz.b64')) {
    packedScripts.push(read(files.get(name), { binary: true }).toString('utf8'));  // as the page inflates it
  }
  if (name.endsWith('.gz.b64')) {
    return gzipSync(read(files.get(name), { binary: true }), { level: constants.Z_BEST_COMPRESSION }).toString('base64');
  }
  const text = read(files.get(name));
  return name.endsWith('.txt') ? text.replace(/[&<>]/g, (c) => ({ '&': '&amp;', '<': '&lt;', '>': '&gt;' })[c]) : text;
});
for (const name of files.keys()) {
  if (!used.has(name)) {
    fail(`${template} has no {{${name}}}`);
  }
}

// Inline elements only, without attributes: a src= or a link would reach for a file
// the page does not hold. An inlined text that closes its element early or opens an
// HTML comment would change how the rest of the page is read.
const hash = (text) => `'sha256-${createHash('sha256').update(text, 'utf8').digest('base64')}'`;
const hashes = { script: [], style: [] };
for (const tag of ['script', 'style']) {
  for (const opening of page.matchAll(new RegExp(`<${tag}\\b[^>]*>`, 'gi'))) {
    if (opening[0] !== `<${tag}>`) {
      fail(`${template}: ${opening[0]} has attributes; the page holds only plain inline <${tag}> elements`);
    }
  }
  for (const [, text] of page.matchAll(new RegExp(`<${tag}>([\\s\\S]*?)</${tag}>`, 'g'))) {
    if (/<\/(script|style)|<!--/i.test(text)) {
      fail(`an inlined <${tag}> holds "</${tag}" or "<!--", which would end or hide the rest of the page`);
    }
    hashes[tag].push(hash(text));
  }
}
hashes.script.push(...packedScripts.map(hash));
if (/<link\b/i.test(page)) {
  fail(`${template} links to another file; the page must hold everything itself`);
}

const policy = [
  "default-src 'none'",
  `script-src 'wasm-unsafe-eval' ${hashes.script.join(' ')}`,
  `style-src ${hashes.style.join(' ')}`,
  'connect-src data:',
  "base-uri 'none'",
  "form-action 'none'",
].join('; ');
const markers = page.split('{{csp}}').length - 1;
if (markers !== 1) {
  fail(`${template} must hold {{csp}} once, in its Content-Security-Policy, not ${markers} times`);
}
page = page.replace('{{csp}}', policy);

try {
  writeFileSync(`${output}.tmp`, page);
  renameSync(`${output}.tmp`, output);
} catch (error) {
  fail(`cannot write ${output}: ${error.message}`);
}
