// The browser edition's time against the native converter's on the extra-large text-rich save of
// an older release, raw and gzip: the median of RUNS conversions each, the native program as a
// process, the page through its files flow in Debian's chromium (headless). For the page, both
// the program's own run in the worker and the whole flow (files in, run, copy back) are timed.
//
//   node web/bench/browser-bench.js   (NATIVE_BUILD: a Release build folder, default build-bench;
//                                      build-web/site built by tools/build-web.sh)
'use strict';

const { execFileSync } = require('node:child_process');
const fs = require('node:fs');
const http = require('node:http');
const path = require('node:path');
const { chromium } = require('playwright-core');

const root = path.resolve(__dirname, '../..');
const site = path.join(root, 'build-web/site');
const native = path.resolve(root, process.env.NATIVE_BUILD || 'build-bench');
const work = path.join(root, 'build-web/bench');
const runs = Number(process.env.RUNS || 5);

const median = (values) => [...values].sort((a, b) => a - b)[values.length >> 1];

// The extra-large text-rich saves of an older release, by container form.
function pickSaves() {
  const games = path.join(work, 'games');
  const listing = execFileSync(path.join(native, 'make-sample-saves'), [games, '--seed', '7', '--text-rich'],
    { encoding: 'utf8' });
  const saves = {};
  for (const line of listing.split('\n')) {
    const match = /^(.*?)\s+Brevin4[45]Sub2\s+extra-large\s+(raw|gzip)\s/.exec(line);
    if (match && !saves[match[2]]) saves[match[2]] = path.join(games, match[1]);
  }
  return saves;
}

function nativeTimes(save) {
  const times = [];
  for (let run = 0; run < runs; run += 1) {
    const started = process.hrtime.bigint();
    execFileSync(path.join(native, 'savefile-converter'), ['--no-pause', '--', save], { stdio: 'ignore' });
    times.push(Number(process.hrtime.bigint() - started) / 1e6);
  }
  return times;
}

async function browserTimes(page, save) {
  const program = [];
  const flow = [];
  for (let run = 0; run < runs; run += 1) {
    const downloaded = page.waitForEvent('download');
    const started = Date.now();
    await page.setInputFiles('#files-input', save);
    await page.waitForFunction(() => /^Done\./.test(document.getElementById('status').textContent));
    flow.push(Date.now() - started);
    program.push(Number(await page.getAttribute('#log', 'data-program-milliseconds')));
    await downloaded;
  }
  return { program, flow };
}

(async () => {
  fs.rmSync(work, { recursive: true, force: true });
  const saves = pickSaves();
  const server = http.createServer((request, response) => {
    const file = path.join(site, request.url === '/' ? 'index.html' : decodeURIComponent(request.url));
    fs.readFile(file, (error, bytes) => {
      if (error) { response.writeHead(404); response.end(); return; }
      const type = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css' }[path.extname(file)];
      response.writeHead(200, { 'Content-Type': type || 'application/wasm' });
      response.end(bytes);
    });
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  const browser = await chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
  const page = await (await browser.newContext({ acceptDownloads: true })).newPage();
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
  await page.waitForSelector('body[data-ready="true"]');
  // The page's program writes into memory; the native one also on a memory file system
  // (/dev/shm), where making the copy durable costs nothing either.
  const memory = fs.existsSync('/dev/shm') ? fs.mkdtempSync('/dev/shm/converter-bench-') : null;
  for (const [form, save] of Object.entries(saves)) {
    const nativeMs = median(nativeTimes(save));
    let inMemory = '';
    if (memory) {
      const copy = path.join(memory, path.basename(save));
      fs.copyFileSync(save, copy);
      inMemory = ` (${median(nativeTimes(copy)).toFixed(0)} ms in /dev/shm)`;
    }
    const { program, flow } = await browserTimes(page, save);
    const size = (fs.statSync(save).size / 1e6).toFixed(1);
    console.log(`${form} (${path.basename(save)}, ${size} MB): native ${nativeMs.toFixed(0)} ms${inMemory}; ` +
      `browser program ${median(program)} ms (${(median(program) / nativeMs).toFixed(2)}x), ` +
      `whole flow ${median(flow)} ms (${(median(flow) / nativeMs).toFixed(2)}x); median of ${runs}`);
  }
  if (memory) fs.rmSync(memory, { recursive: true, force: true });
  await browser.close();
  server.close();
})();
