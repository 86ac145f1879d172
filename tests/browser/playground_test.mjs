// The browser page end to end, in Debian's chromium, as a person uses it:
// types requests into the field and presses Enter. Checks that seeded
// replies equal the native tool's, that a refused request shows the module's
// message, the bars of 2d6 and the grades of a skill test, and that nothing
// leaves 127.0.0.1 and no script fails.
//
//   node playground_test.mjs PAGE_FOLDER NATIVE_TOOL SCREENSHOT.png
import assert from 'node:assert/strict';
import {spawnSync} from 'node:child_process';
import {mkdtempSync, readFileSync, rmSync} from 'node:fs';
import http from 'node:http';
import {tmpdir} from 'node:os';
import path from 'node:path';
import puppeteer from 'puppeteer-core';

const [pageFolder, nativeTool, screenshot] = process.argv.slice(2);
const SEED = '4242';
const SEEDED = ['3d6 skill 12 sword', '3#2d6+1 fire', '2#d20+2 skill 14 dodge',
                '30#100d500', '2+3*4', '101d6'];
const TYPES = {'.html': 'text/html', '.js': 'text/javascript',
               '.css': 'text/css', '.wasm': 'application/wasm'};

function serve(folder) {
  const server = http.createServer((request, response) => {
    const name = new URL(request.url, 'http://127.0.0.1').pathname;
    const file = path.join(folder, name === '/' ? 'index.html' : name);
    try {
      const body = readFileSync(file);
      response.writeHead(200, {'Content-Type': TYPES[path.extname(file)] ??
                                               'application/octet-stream'});
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  return new Promise((resolve) =>
    server.listen(0, '127.0.0.1', () => resolve(server)));
}

function toolReplies(requests) {
  const run = spawnSync(nativeTool, ['--seed', SEED, ...requests],
                        {encoding: 'utf8'});
  assert.ok(run.status === 0 || run.status === 1, run.stderr);
  return run.stdout.trimEnd().split('\n');
}

async function replies(page) {
  return page.$$eval('#replies li', (items) => items.map((i) => i.textContent));
}

// Types over the field's text as a person would, then presses Enter.
async function rollAtField(page, request) {
  const before = (await replies(page)).length;
  await page.click('#request', {clickCount: 3});
  await page.keyboard.type(request);
  await page.keyboard.press('Enter');
  await page.waitForFunction((n) =>
    document.querySelectorAll('#replies li').length > n, {}, before);
  return (await replies(page))[0];
}

// Types request and waits until its odds are drawn; returns the drawing time.
async function typeForOdds(page, request) {
  await page.click('#request', {clickCount: 3});
  await page.keyboard.type(request);
  await page.waitForFunction((r) =>
    document.querySelector('section.odds').dataset.request === r,
  {timeout: 20000}, request);
  return page.$eval('section.odds', (s) => Number(s.dataset.millis));
}

const server = await serve(pageFolder);
const address = `http://127.0.0.1:${server.address().port}/`;
const profile = mkdtempSync(path.join(tmpdir(), 'rollwright-chromium-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update',
         '--disable-sync'],
});
let status = 0;
try {
  const page = await browser.newPage();
  await page.setViewport({width: 960, height: 760});
  const outside = [];
  const scriptErrors = [];
  await page.setRequestInterception(true);
  page.on('request', (request) => {
    const url = new URL(request.url());
    if (url.protocol === 'data:' || url.hostname === '127.0.0.1') {
      request.continue();
    } else {
      outside.push(request.url());
      request.abort();
    }
  });
  page.on('pageerror', (error) => scriptErrors.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') scriptErrors.push(message.text());
  });

  const opened = performance.now();
  await page.goto(address);
  await page.waitForSelector('body[data-ready]');
  const ready = performance.now();
  await page.type('#seed', SEED);
  const seeded = [];
  for (const request of SEEDED) {
    seeded.push(await rollAtField(page, request));
    if (seeded.length === 1) {
      console.log(`first reply ${(performance.now() - opened).toFixed(0)} ms ` +
                  `after opening the page (module ready after ` +
                  `${(ready - opened).toFixed(0)} ms)`);
    }
  }
  assert.deepEqual(seeded, toolReplies(SEEDED));
  assert.equal(await page.evaluate(() => document.activeElement.id), 'request');

  assert.equal(await rollAtField(page, '2d6/2'),
               'Dice Error: Illegal characters in input!');
  await typeForOdds(page, '2d6/2');
  assert.equal(await page.$eval('#odds-status', (p) => p.textContent),
               'Dice Error: Illegal characters in input!');

  await typeForOdds(page, '2d6');
  const bars = await page.$$eval('#odds-chart rect.bar', (rects) =>
    rects.map((r) => [r.dataset.total, r.dataset.chance]));
  assert.equal(bars.length, 11);
  assert.deepEqual(bars[5], ['7', '16.67%']);
  const rows = await page.$$eval('#odds-table tbody tr', (trs) =>
    trs.map((tr) => tr.innerText.split('\t')));
  assert.deepEqual(rows[5], ['7', '16.67%']);
  for (const shown of ['#odds-chart', '#odds-table']) {
    assert.ok(await page.$eval(shown, (e) => e.checkVisibility()), shown);
  }

  await typeForOdds(page, '3d6 skill 12 sword');
  const grades = await page.$$eval('#odds-grades tbody tr', (trs) =>
    trs.map((tr) => [tr.cells[0].textContent, tr.cells[1].textContent]));
  assert.deepEqual(grades, [['Amazing Success', '0.46%'],
                            ['Good Success', '8.80%'],
                            ['Ordinary Success', '64.82%'],
                            ['Failing', '25.92%'],
                            ['Critical Failure', '0.00%']]);

  const millis = await typeForOdds(page, '100d500+100d500');
  assert.equal(await page.$$eval('#odds-chart rect.bar', (r) => r.length), 20);
  console.log(`odds of 100d500+100d500 computed and drawn in ${millis} ms`);

  await page.screenshot({path: screenshot});
  console.log(`screenshot: ${screenshot}`);
  // On a phone the panels stack: nothing is wider than the window.
  await page.setViewport({width: 390, height: 844});
  assert.ok(await page.evaluate(() =>
    document.documentElement.scrollWidth <= window.innerWidth));
  await page.screenshot({path: screenshot.replace(/\.png$/, '-phone.png'),
                         fullPage: true});
  assert.deepEqual(outside, [], 'requests beyond 127.0.0.1');
  assert.deepEqual(scriptErrors, [], 'script errors');
  console.log('browser test passed');
} catch (error) {
  console.error(error);
  status = 1;
} finally {
  await browser.close();
  server.close();
  rmSync(profile, {recursive: true, force: true});
}
process.exit(status);
