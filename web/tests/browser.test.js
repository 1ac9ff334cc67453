// The browser edition in a real browser: Debian's chromium, headless, driven by playwright-core,
// against build-web/site served on 127.0.0.1. The same sample saves go through the page's
// folder flow (the picker hands over an origin-private folder) and its files flow (the folder
// input, the copies back as a zip); every copy must be the native converter's, byte for byte,
// and the log the native program's piped text.
//
//   node --test web/tests/   (NATIVE_BUILD: the native build folder, default build-tests)
'use strict';

const { test, before, after } = require('node:test');
const assert = require('node:assert/strict');
const { execFileSync } = require('node:child_process');
const crypto = require('node:crypto');
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const { chromium } = require('playwright-core');
const { unzipSync } = require('fflate');

const root = path.resolve(__dirname, '../..');
const site = path.join(root, 'build-web/site');
const native = path.resolve(root, process.env.NATIVE_BUILD || 'build-tests');
const work = path.join(root, 'build-web/browser-test');

// Files of a folder, path (with "/") -> bytes.
function readTree(folder, prefix = '') {
  const files = new Map();
  for (const entry of fs.readdirSync(folder, { withFileTypes: true })) {
    const relative = prefix + entry.name;
    if (entry.isDirectory()) for (const [p, b] of readTree(path.join(folder, entry.name), `${relative}/`)) files.set(p, b);
    else files.set(relative, fs.readFileSync(path.join(folder, entry.name)));
  }
  return files;
}

// ---- The sample folder and what the native converter makes of it -------------------------------

// Names outside ASCII and how the Windows program writes them in the save's own name field under
// code page 1252: the code page's letters as its bytes, '?' for the others.
const foreignNames = [
  { from: 'Ashen Vale 29.GM5', to: 'кампания/Дорога.GM5', field: Buffer.from('??????') },
  { from: 'hotseat/Twin Rivers 4.GM4', to: 'кампания/Крепость Севера.GM4', field: Buffer.from('???????? ??????') },
  { from: 'Crown of Frost 19.GM3', to: 'Élan €.GM3', field: Buffer.from([0xc9, 0x6c, 0x61, 0x6e, 0x20, 0x80]) },
];

function makeSamples(games) {
  execFileSync(path.join(native, 'make-sample-saves'), [games, '--seed', '11'], { stdio: 'ignore' });
  for (const name of foreignNames) {
    fs.mkdirSync(path.dirname(path.join(games, name.to)), { recursive: true });
    fs.copyFileSync(path.join(games, name.from), path.join(games, name.to));
  }
  // A damaged save: a gzip member cut short.
  const whole = fs.readFileSync(path.join(games, 'hotseat/Golden Steppe 24.GM8'));
  fs.writeFileSync(path.join(games, 'hotseat/damaged.GM8'), whole.subarray(0, whole.length >> 1));
  // Files that are no save: one by its name, one by its content.
  fs.writeFileSync(path.join(games, 'notes.txt'), 'not a save\n');
  fs.writeFileSync(path.join(games, 'campaigns/fake.GM2'), 'not a save either\n');
}

// The native converter's run on a copy of the folder, as a script runs it: its text on a pipe.
function nativeRun(games, into, rename = (p) => p) {
  const folder = path.join(into, 'games');
  for (const [relative, bytes] of readTree(games)) {
    const target = Buffer.concat([Buffer.from(`${folder}/`), Buffer.from(rename(relative))]);
    fs.mkdirSync(path.dirname(target.toString()), { recursive: true });
    fs.writeFileSync(target, bytes);
  }
  let text;
  try {
    text = execFileSync(path.join(native, 'savefile-converter'), ['--no-pause', '--', 'games'],
      { cwd: into, input: 'y', encoding: 'utf8' });
  } catch (error) {
    text = error.stdout;  // exit status 1: the damaged save failed
  }
  return text;
}

// The native outputs, keyed by the browser's path: for a name outside ASCII, the native program
// converted the save under the name its field gets (whose bytes are then that field).
function expectedOutputs(games) {
  const byName = new Map(foreignNames.map((name) => [name.to, name]));
  const renamed = path.join(work, 'native-bytes');
  nativeRun(games, renamed, (relative) => {
    const name = byName.get(relative);
    if (!name) return Buffer.from(relative);
    const folder = path.dirname(name.to);
    return Buffer.concat([Buffer.from(folder === '.' ? '' : `${folder}/`), name.field, Buffer.from(path.extname(name.to))]);
  });
  const outputs = new Map();
  const sources = new Map();
  for (const name of foreignNames) {
    const folder = path.dirname(name.to);
    const nativeBase = Buffer.concat([name.field, Buffer.from(`(converted)${path.extname(name.to)}`)]);
    sources.set(Buffer.concat([Buffer.from(`${renamed}/games/${folder === '.' ? '' : `${folder}/`}`), nativeBase]).toString('latin1'),
      `games/${name.to.slice(0, -4)}(converted)${name.to.slice(-4)}`);
  }
  const walk = (folder) => {
    for (const entry of fs.readdirSync(Buffer.from(folder, 'latin1'), { withFileTypes: true, encoding: 'buffer' })) {
      const full = `${folder}/${entry.name.toString('latin1')}`;
      if (entry.isDirectory()) { walk(full); continue; }
      if (!entry.name.toString('latin1').includes('(converted)')) continue;
      const browserPath = sources.get(full) ||
        Buffer.from(full.slice(`${renamed}/`.length), 'latin1').toString('utf8');
      outputs.set(browserPath, fs.readFileSync(Buffer.from(full, 'latin1')));
    }
  };
  walk(path.join(renamed, 'games'));
  return outputs;
}

// Lines as a multiset: each system lists a folder in its own order.
const sortedLines = (text) => text.split('\n').sort();

// ---- The page in the browser -------------------------------------------------------------------

const types = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };
let server;
let browser;
let origin;
let games;
let inputs;
let expected;
let nativeText;

before(async () => {
  fs.rmSync(work, { recursive: true, force: true });
  games = path.join(work, 'games');
  makeSamples(games);
  inputs = readTree(games);
  expected = expectedOutputs(games);
  nativeText = nativeRun(games, path.join(work, 'native-text'));

  server = http.createServer((request, response) => {
    const url = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = url.startsWith('/sample/') ? path.join(games, url.slice(8)) : path.join(site, url === '/' ? 'index.html' : url);
    fs.readFile(file, (error, bytes) => {
      if (error) { response.writeHead(404); response.end(); return; }
      response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
      response.end(bytes);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  origin = `http://127.0.0.1:${server.address().port}`;
  browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
});

after(async () => {
  if (browser) await browser.close();
  if (server) server.close();
});

// A fresh page, loaded and ready, that notes every request it makes after that and every error
// its console shows.
async function openPage(context) {
  const page = await context.newPage();
  const seen = { requests: [], errors: [] };
  page.on('console', (message) => { if (message.type() === 'error') seen.errors.push(message.text()); });
  page.on('pageerror', (error) => seen.errors.push(error.message));
  await page.goto(`${origin}/`);
  await page.waitForSelector('body[data-ready="true"]', { timeout: 60000 });
  context.on('request', (request) => {
    if (!/^(blob|data):/.test(request.url())) seen.requests.push(request.url());
  });
  return { page, seen };
}

async function runToEnd(page, answerBy) {
  await page.waitForFunction(() => !document.getElementById('question').hidden ||
    document.getElementById('status').classList.contains('problem'), null, { timeout: 300000 });
  assert.equal(await page.getAttribute('#status', 'class'), null, await page.textContent('#status'));
  await answerBy(page);
  await page.waitForFunction(() => /^Done\./.test(document.getElementById('status').textContent) ||
    document.getElementById('status').classList.contains('problem'), null, { timeout: 600000 });
  const status = await page.textContent('#status');
  assert.match(status, /^Done\./, status);
}

const sha256 = (bytes) => crypto.createHash('sha256').update(bytes).digest('hex');

// `got`: path -> what `form` makes of the bytes (a Buffer of them, or their digest).
function checkOutputs(got, what, form = (bytes) => Buffer.from(bytes)) {
  const missing = [...expected.keys()].filter((p) => !got.has(p));
  const extra = [...got.keys()].filter((p) => !expected.has(p));
  assert.deepEqual({ missing, extra }, { missing: [], extra: [] }, `${what}: the set of converted copies`);
  for (const [p, bytes] of expected) {
    assert.deepEqual(got.get(p), form(bytes), `${what}: ${p} differs from the native copy`);
  }
  return expected.size;
}

test('the folder flow converts in place, byte for byte as the native program, and logs its text', async () => {
  const context = await browser.newContext();
  // The test's own set-up: the sample folder into the origin-private file system.
  const setup = await context.newPage();
  await setup.goto(`${origin}/`);
  await setup.evaluate(async (paths) => {
    const top = await navigator.storage.getDirectory();
    const folder = await top.getDirectoryHandle('games', { create: true });
    for (const relative of paths) {
      const parts = relative.split('/');
      const name = parts.pop();
      let at = folder;
      for (const part of parts) at = await at.getDirectoryHandle(part, { create: true });
      const bytes = await (await fetch(`/sample/${relative.split('/').map(encodeURIComponent).join('/')}`)).arrayBuffer();
      const writable = await (await at.getFileHandle(name, { create: true })).createWritable();
      await writable.write(bytes);
      await writable.close();
    }
  }, [...inputs.keys()]);
  await setup.close();

  const { page, seen } = await openPage(context);
  // The picker is the only seam: it hands over that folder.
  await page.evaluate(() => {
    window.showDirectoryPicker = async () => (await navigator.storage.getDirectory()).getDirectoryHandle('games');
  });
  const started = Date.now();
  await page.click('#choose-folder');
  await runToEnd(page, (p) => p.keyboard.press('y'));

  // Each file of the folder afterwards by its SHA-256, against the digests of the expected bytes.
  const after = new Map(await page.evaluate(async () => {
    const digest = async (bytes) => Array.from(new Uint8Array(await crypto.subtle.digest('SHA-256', bytes)),
      (byte) => byte.toString(16).padStart(2, '0')).join('');
    const files = [];
    const walk = async (folder, prefix) => {
      for await (const [name, handle] of folder.entries()) {
        if (handle.kind === 'directory') await walk(handle, `${prefix}${name}/`);
        else files.push([prefix + name, await digest(await (await handle.getFile()).arrayBuffer())]);
      }
    };
    await walk(await (await navigator.storage.getDirectory()).getDirectoryHandle('games'), 'games/');
    return files;
  }));
  for (const [p, bytes] of inputs) assert.equal(after.get(`games/${p}`), sha256(bytes), `games/${p} changed or went`);
  const outputs = new Map([...after].filter(([p]) => !inputs.has(p.slice(6))));
  const count = checkOutputs(outputs, 'folder flow', sha256);

  const log = await page.textContent('#log');
  assert.deepEqual(sortedLines(log), sortedLines(nativeText), 'the log holds the native program\'s piped lines');
  assert.match(log, /\nSavefile converter will now close\. *\n$/);
  // The console's colours: the banner and every other outcome line bright white on blue, the
  // other outcome lines on black, the question and the failure lines bright red.
  const colours = await page.$$eval('#log span', (spans) => spans.map((span) => [span.className, span.textContent]));
  const colourOf = (text) => colours.filter(([, piece]) => piece.includes(text)).map(([name]) => name);
  assert.deepEqual(colourOf('SAVEFILE CONVERTER'), ['fg-15 bg-1']);
  assert.deepEqual(colourOf('Do you want to convert Ostrel savefiles'), ['fg-12 bg-0']);
  assert.match(colourOf('damaged.GM8')[0], /^fg-12 bg-[01]$/);
  assert.deepEqual(new Set(colours.filter(([, piece]) => piece.includes('sucessfully')).map(([name]) => name)),
    new Set(['fg-15 bg-1', 'fg-15 bg-0']));
  assert.deepEqual(seen.requests, [], 'requests after the page loaded');
  assert.deepEqual(seen.errors, [], 'errors in the page\'s console');
  console.log(`folder flow (${(Date.now() - started) / 1000} s): ${count} converted copies identical to the native ones, ${inputs.size} sources unchanged, ` +
    `${log.split('\n').length - 1} log lines as the native run's`);
  await context.close();
});

test('the files flow gives the converted copies back as a zip, byte for byte as the native program', async () => {
  const context = await browser.newContext({ acceptDownloads: true });
  const { page, seen } = await openPage(context);
  await context.setOffline(true);  // once loaded, the page needs no network
  const started = Date.now();
  await page.setInputFiles('#folder-input', games);
  const downloading = page.waitForEvent('download', { timeout: 600000 });
  await runToEnd(page, (p) => p.click('#answer-yes'));
  const download = await downloading;
  const zipPath = path.join(work, 'download.zip');
  await download.saveAs(zipPath);
  const entries = unzipSync(new Uint8Array(fs.readFileSync(zipPath)));
  const count = checkOutputs(new Map(Object.entries(entries).map(([p, bytes]) => [p, Buffer.from(bytes)])), 'files flow');
  const log = await page.textContent('#log');
  assert.deepEqual(sortedLines(log), sortedLines(nativeText), 'the log holds the native program\'s piped lines');
  assert.deepEqual(seen.requests, [], 'requests after the page loaded');
  assert.deepEqual(seen.errors, [], 'errors in the page\'s console');
  console.log(`files flow (${(Date.now() - started) / 1000} s): ${count} zip entries identical to the native copies`);
  await context.close();
});
