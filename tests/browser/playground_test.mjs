// SPDX-License-Identifier: MIT
// The browser page end to end, in Debian's chromium, as a person uses it:
// types requests into the field and presses Enter. Checks that seeded
// replies equal the native tool's, also from a shared link; that a refused
// request shows the module's message; the bars of 2d6 and the grades of a
// skill test, the CSV beside them, and the rolls made laid over them; a
// reply's dice against the tool's, and a slip's hint; that odds that fail or
// take long never hold up the next request's; the replies' numbers and grade
// colours, the history, the seed's message, both themes and a phone's width,
// the newest reply in view after each roll; the dice pad, a comparison,
// favourites, axe-core's findings and a keyboard-only walk; the manifest,
// and a reload with the network gone that keeps the replies; and that
// nothing leaves 127.0.0.1 and no script fails. Screenshots: SCREENSHOT.png
// and its -dark, -phone and -phone-roll siblings.
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
const SEEDED = [
  '3d6 skill 12 sword', '3#2d6+1 fire', '2#d20+2 skill 14 dodge', '30#100d500',
  '2+3*4', '101d6'
];
const TYPES = {
  '.html': 'text/html',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json',
  '.json': 'application/json',
  '.png': 'image/png',
  '.svg': 'image/svg+xml'
};
let serving = true;  // false: the network is gone

function serve(folder) {
  const server = http.createServer((request, response) => {
    if (!serving) return request.socket.destroy();
    const name = new URL(request.url, 'http://127.0.0.1').pathname;
    const file = path.join(folder, name === '/' ? 'index.html' : name);
    try {
      const body = readFileSync(file);
      response.writeHead(200, {
        'Content-Type': TYPES[path.extname(file)] ?? 'application/octet-stream'
      });
      response.end(body);
    } catch {
      response.writeHead(404);
      response.end();
    }
  });
  return new Promise(
      (resolve) => server.listen(0, '127.0.0.1', () => resolve(server)));
}

function toolReplies(requests, seed = SEED) {
  const run =
      spawnSync(nativeTool, ['--seed', seed, ...requests], {encoding: 'utf8'});
  assert.ok(run.status === 0 || run.status === 1, run.stderr);
  return run.stdout.trimEnd().split('\n');
}

async function replies(page) {
  return page.$$eval(
      '#replies .reply-text', (items) => items.map((i) => i.textContent));
}

// Types over the field's text as a person would, then presses Enter; the
// newest reply comes into view.
async function rollAtField(page, request) {
  const before = (await replies(page)).length;
  await page.click('#request', {clickCount: 3});
  await page.keyboard.type(request);
  await page.keyboard.press('Enter');
  await page.waitForFunction(
      (n) => document.querySelectorAll('#replies li').length > n, {}, before);
  await newestReplyInView(page, `Enter on ${request}`);
  return (await replies(page))[0];
}

// Waits until the newest reply's box lies inside the window, to which it
// may be scrolled smoothly, and the page has stopped scrolling (still for
// three frames).
async function newestReplyInView(page, after) {
  await page
      .waitForFunction(
          () => {
            const box = document.querySelector('#replies li:first-child')
                            .getBoundingClientRect();
            const still = window.scrollY === window.lastScrollY;
            window.stillFrames = still ? (window.stillFrames ?? 0) + 1 : 0;
            window.lastScrollY = window.scrollY;
            return box.top >= 0 && box.left >= 0 &&
                box.bottom <= window.innerHeight &&
                box.right <= window.innerWidth && window.stillFrames >= 3;
          },
          {polling: 'raf', timeout: 3000})
      .catch(() => assert.fail(`newest reply not in view after ${after}`));
}

// Presses Tab until the control named (its id, else its text) has the
// focus, which every stop on the way must show.
async function tabTo(page, name) {
  for (let stops = 0; stops < 40; ++stops) {
    await page.keyboard.press('Tab');
    const [focused, shown] = await page.evaluate(() => {
      const at = document.activeElement;
      return [
        at.id || at.textContent,
        at.matches(':focus-visible') &&
            getComputedStyle(at).outlineWidth !== '0px'
      ];
    });
    assert.ok(shown, `no visible focus on ${focused}`);
    if (focused === name) return;
  }
  assert.fail(`${name} not reached with Tab`);
}

// Types request and waits until its odds are drawn; returns the drawing time.
async function typeForOdds(page, request, timeout = 20000) {
  await page.click('#request', {clickCount: 3});
  await page.keyboard.type(request);
  await page.waitForFunction(
      (r) => document.querySelector('section.odds').dataset.request === r,
      {timeout}, request);
  return page.$eval('section.odds', (s) => Number(s.dataset.millis));
}

// axe-core's findings on page as it is shown, logged with the view's name.
const AXE = readFileSync(
    new URL('node_modules/axe-core/axe.min.js', import.meta.url), 'utf8');
async function axeViolations(page, view) {
  await page.evaluate(AXE);
  const found = await page.evaluate(
      async () => (await window.axe.run())
                      .violations.map(
                          ({id, nodes}) =>
                              `${id}: ${nodes.map((node) => node.target)}`));
  console.log(`axe-core, ${view}: ${found.length} violations`);
  return found;
}

// Each observed dot of the chart as [the share it stands at on the chart's
// scale, the share it stands for].
const observedDots = (page) =>
    page.$$eval('#odds-chart circle.observed', (dots) => {
      const grid = [...document.querySelectorAll('#odds-chart line.grid')];
      const [base, top] = [grid[0], grid.at(-1)].map((l) => l.y1.baseVal.value);
      const topShare = parseFloat(grid.at(-1).nextElementSibling.textContent);
      return dots.map(
          (dot) =>
              [((topShare * (base - dot.cy.baseVal.value)) / (base - top))
                   .toFixed(2),
               parseFloat(dot.dataset.observed).toFixed(2)]);
    });

// The number of ranges the figures say the totals are grouped in, and the
// number of bars the chart draws.
const groupedRanges = async (page) =>
    [Number(/totals grouped in (\d+) ranges$/
                .exec(await page.$eval('#odds-figures', (p) => p.textContent))
                ?.[1]),
     await page.$$eval('#odds-chart rect.bar', (r) => r.length)];

const rowTexts = (page, rows) => page.$$eval(
    rows,
    (trs) => trs.map((tr) => [...tr.cells].map((cell) => cell.textContent)));

const server = await serve(pageFolder);
const address = `http://127.0.0.1:${server.address().port}/`;
const profile = mkdtempSync(path.join(tmpdir(), 'rollwright-chromium-'));
const browser = await puppeteer.launch({
  executablePath: '/usr/bin/chromium',
  headless: true,
  userDataDir: profile,
  args: [
    '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update',
    '--disable-sync', '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1'
  ],
});
const outside = [];
const scriptErrors = [];

// A page at width by height, opened at the address with hash, once its
// module is ready; no request of it may leave 127.0.0.1 (nor can it: every
// other name resolves to none). Requests are watched, not intercepted: an
// intercepted request of a starting worker may be held for good.
async function openPage(hash, width = 960, height = 760) {
  const page = await browser.newPage();
  await page.setViewport({width, height});
  page.on('request', (request) => {
    const url = new URL(request.url());
    const inPage = ['data:', 'blob:'].includes(url.protocol);
    if (!inPage && url.hostname !== '127.0.0.1') {
      outside.push(request.url());
    }
  });
  page.on('pageerror', (error) => scriptErrors.push(error.stack));
  page.on('console', (message) => {
    if (message.type() === 'error') scriptErrors.push(message.text());
  });
  await page.goto(address + hash);
  await page.waitForSelector('body[data-ready]');
  return page;
}

let status = 0;
try {
  const opened = performance.now();
  const page = await openPage('');
  const ready = performance.now();
  await page.type('#seed', SEED);
  const seeded = [];
  for (const request of SEEDED) {
    seeded.push(await rollAtField(page, request));
    if (seeded.length === 1) {
      console.log(
          `first reply ${(performance.now() - opened).toFixed(0)} ms ` +
          `after opening the page (module ready after ` +
          `${(ready - opened).toFixed(0)} ms)`);
    }
  }
  assert.deepEqual(seeded, toolReplies(SEEDED));
  // The help names the comment the reply repeats.
  assert.equal(
      await page.$eval('#skill-comment', (c) => c.textContent),
      JSON.parse(toolReplies(['--json', SEEDED[0]])[0]).read.comment);
  // A screen reader hears each new reply: it goes first in a live region.
  assert.equal(
      await page.$eval(
          'ol[aria-live=polite] > li:first-child .reply-text',
          (text) => text.textContent),
      seeded.at(-1));
  // The address holds the request and the seed, as a link to the same rolls.
  await page.waitForFunction(
      (r) => document.querySelector('section.odds').dataset.request === r, {},
      SEEDED.at(-1));
  assert.equal(
      await page.evaluate(() => window.location.hash),
      `#${encodeURIComponent(SEEDED.at(-1))}&seed=${SEED}`);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'request');

  assert.equal(
      await rollAtField(page, '2d6/2'),
      'Dice Error: Illegal characters in input!');
  await typeForOdds(page, '2d6/2');
  assert.equal(
      await page.$eval('#odds-status', (p) => p.textContent),
      'Dice Error: Illegal characters in input!');

  // Beside each chance, at least and at most: the module's dice are not
  // quite even, so 7 or less is 58.34%.
  await typeForOdds(page, '2d6');
  assert.equal(
      await page.$eval('#odds-title', (h) => h.textContent), 'Odds of 2d6');
  const bars = await page.$$eval(
      '#odds-chart rect.bar',
      (rects) => rects.map((r) => [r.dataset.total, r.dataset.chance]));
  assert.equal(bars.length, 11);
  assert.deepEqual(bars[5], ['7', '16.67%']);
  const rows = await rowTexts(page, '#odds-table tbody tr');
  assert.deepEqual(rows[5], ['7', '16.67%', '58.33%', '58.34%']);
  assert.deepEqual(rows[10], ['12', '2.78%', '2.78%', '100.00%']);
  for (const shown of ['#odds-chart', '#odds-table']) {
    assert.ok(await page.$eval(shown, (e) => e.checkVisibility()), shown);
  }
  // The CSV offered beside the chart holds the chart's figures.
  const csv = await page.$eval(
      'a#odds-csv[download]', (a) => fetch(a.href).then((r) => r.text()));
  assert.deepEqual(
      csv.trimEnd().split('\n').slice(1).map((line) => {
        const [total, chance] = line.split(',');
        return [total, `${(100 * Number(chance)).toFixed(2)}%`];
      }),
      bars);

  await typeForOdds(page, '3d6 skill 12 sword');
  assert.deepEqual(
      (await rowTexts(page, '#odds-grades tbody tr')).map((r) => r.slice(0, 3)),
      [
        ['Amazing Success', '0.46%', ''], ['Good Success', '8.80%', ''],
        ['Ordinary Success', '64.82%', ''], ['Failing', '25.92%', ''],
        ['Critical Failure', '0.00%', '']
      ]);
  // Five sets that each succeed with p = 74.078% (the three success grades
  // above): C(5,k) p^k (1-p)^(5-k).
  await typeForOdds(page, '5#3d6 skill 12');
  assert.deepEqual(
      (await rowTexts(page, '#odds-successes tbody tr'))
          .map(([label, chance]) => [label, chance]),
      [
        ['0 of 5 succeed', '0.12%'], ['1 of 5 succeed', '1.67%'],
        ['2 of 5 succeed', '9.56%'], ['3 of 5 succeed', '27.32%'],
        ['4 of 5 succeed', '39.03%'], ['5 of 5 succeed', '22.31%'],
        ['at least one Critical Failure', '0.00%']
      ]);

  const millis = await typeForOdds(page, '100d500+100d500');
  assert.equal(await page.$$eval('#odds-chart rect.bar', (r) => r.length), 20);
  assert.ok(!(await page.$eval('#odds-figures', (p) => p.textContent))
                 .includes('grouped'));
  console.log(`odds of 100d500+100d500 computed and drawn in ${millis} ms`);

  // Too many totals to list: the figures say they are grouped, the CSV
  // gives the ranges, which cover every total, and the chart draws each.
  await typeForOdds(page, '25d100*25d100');
  const [ranges, drawn] = await groupedRanges(page);
  const rangesCsv = await page.$eval(
      'a#odds-csv[download]', (a) => fetch(a.href).then((r) => r.text()));
  const rangesListed = rangesCsv.trimEnd().split('\n').slice(1).map(
      (line) => line.split(',').slice(0, 2).map(Number));
  assert.ok(ranges > 100, String(ranges));
  assert.deepEqual([rangesListed.length, drawn], [ranges, ranges]);
  assert.deepEqual(
      [rangesListed[0][0], rangesListed.at(-1)[1]], [25 * 25, 2500 * 2500]);

  // Odds once refused for their size are answered, drawn in ranges; then
  // odds still being computed when the next request is typed do not hold up
  // 2d6's. The worker is kept busy (a loop run in it by the test) before the
  // long request reaches it, so that this computation is still running
  // however fast the machine: 2d6's odds can come only from a fresh worker.
  const large = await typeForOdds(page, '100d500+100d500-25100*87000');
  const [largeRanges, largeDrawn] = await groupedRanges(page);
  assert.ok(largeRanges > 100, String(largeRanges));
  assert.equal(largeDrawn, largeRanges);
  console.log(`odds of 100d500+100d500-25100*87000 drawn in ${large} ms`);
  const held = page.workers();
  assert.equal(held.length, 1, 'workers before the long request');
  held[0]
      .evaluate(() => {
        for (const end = Date.now() + 3000; Date.now() < end;)
          ;
      })
      .catch(() => {});  // ended with its worker
  await page.click('#request', {clickCount: 3});
  await page.keyboard.type('100d500+100d300+13d483+1d4+100d500');
  await new Promise((resolve) => setTimeout(resolve, 400));
  const superseding = performance.now();
  await typeForOdds(page, '2d6', 3000);
  assert.deepEqual(
      await page.$eval(
          '#odds-chart rect.bar:nth-of-type(6)', (r) => r.dataset.chance),
      '16.67%');
  const superseded = performance.now() - superseding;
  assert.ok(superseded < 3000, `2d6's odds after ${superseded} ms`);
  console.log(
      `2d6's odds shown ${superseded.toFixed(0)} ms after a long ` +
      'computation was superseded');
  // The superseded computation's worker was ended (it goes once its busy
  // loop lets it): one worker is left.
  for (let waited = 0;
       (page.workers().length > 1 || page.workers().includes(held[0])) &&
       waited < 6000;
       waited += 50) {
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  assert.ok(!page.workers().includes(held[0]), 'superseded worker left');
  assert.equal(page.workers().length, 1, 'workers left running');

  // Each reply keeps its number, which its list's box holds whole: the
  // page scrolls, not the list. The four sets rolled are laid over 2d6's
  // chart.
  for (let i = 0; i < 4; ++i) await rollAtField(page, '2d6');
  await page.waitForFunction(
      () => document.querySelector('#odds-chart .observed-legend')
                ?.textContent === '\u25cf observed, 4 sets rolled');
  // A dot for each total rolled, at its share on the chart's scale (which
  // grows to hold it).
  const dots = await observedDots(page);
  assert.equal(dots.reduce((sum, [, share]) => sum + Number(share), 0), 100);
  for (const [at, share] of dots) assert.equal(at, share);
  assert.ok(dots.every(([, share]) => share !== '0.00'), 'a dot at 0%');
  const numbers = await page.$$eval('#replies .reply-number', (spans) => {
    const list = document.getElementById('replies').getBoundingClientRect();
    return spans.map((span) => {
      const box = span.getBoundingClientRect();
      return box.left >= list.left && box.right <= list.right &&
              box.bottom <= list.bottom ?
          span.textContent :
          'clipped';
    });
  });
  assert.deepEqual(
      numbers,
      ['11.', '10.', '9.', '8.', '7.', '6.', '5.', '4.', '3.', '2.', '1.']);

  await page.click('#request', {clickCount: 3});
  await page.keyboard.press('Backspace');
  await page.keyboard.press('Enter');  // rolls nothing: 11 replies below
  await page.keyboard.press('ArrowUp');
  assert.equal(await page.$eval('#request', (i) => i.value), '2d6');
  await page.keyboard.press('ArrowUp');
  assert.equal(await page.$eval('#request', (i) => i.value), '2d6/2');

  // A bad seed is told beside the field, and nothing is rolled until it is
  // a seed again.
  await page.type('#seed', 'x');
  assert.match(
      await page.$eval('#seed-error', (p) => p.innerText),
      /^Not a seed: a whole number from 0 to 4294967295/);
  await page.click('#request');
  await page.keyboard.press('Enter');
  assert.equal((await replies(page)).length, 11);
  await page.click('#clear-replies');
  assert.equal((await replies(page)).length, 0);
  await page.close();

  // A link with a request, a seed and a favourite: the request's odds at
  // once, the seeded replies on Enter, each grade in a colour of its own.
  const linked = '8#d20 skill 10';
  const shared = await openPage(
      `#${encodeURIComponent(linked)}&seed=22&fav=dodge,d20`, 1280, 800);
  await shared.waitForFunction(
      (r) => document.querySelector('section.odds').dataset.request === r, {},
      linked);
  assert.equal(
      await shared.$eval(
          '#odds-grades tbody tr', (tr) => tr.cells[1].textContent),
      '10.00%');
  await shared.keyboard.press('Enter');
  assert.deepEqual(
      [await rollAtField(shared, linked)],
      toolReplies([linked, linked], '22').slice(1));
  assert.deepEqual(
      await replies(shared), toolReplies([linked, linked], '22').reverse());
  // The first reply's dice are those the tool shows for the same seed; the
  // 16 sets rolled are laid over the grades, each as often as the replies
  // say.
  await shared.click('#replies li:last-child .reply-dice summary');
  assert.equal(
      await shared.$eval(
          '#replies li:last-child .reply-dice pre', (pre) => pre.innerText),
      toolReplies(['--dice', linked], '22').slice(1).join('\n'));
  const gradeCounts = await shared.$$eval(
      '#replies .outcome',
      (spans) => [0, 1, 2, 3, 'critical'].map(
          (grade) => spans.filter((s) => s.classList.contains(`grade-${grade}`))
                         .length));
  await shared.waitForSelector('#odds-grades td.observed');
  assert.equal(
      await shared.$eval('#odds-observed', (label) => label.innerText),
      'Show observed rolls (16 sets rolled here)');
  assert.deepEqual(
      (await rowTexts(shared, '#odds-grades tbody tr')).map((row) => row[3]),
      gradeCounts.map((count) => `observed ${(100 * count / 16).toFixed(2)}%`));
  // The pad's summary is a control with its disclosure marker. Taps on the
  // pad (each target at least 44 px square) build 2d6+d20, which rolls; it
  // tells, and does not build, a request that the module would refuse.
  await shared.click('#dice-pad summary');
  assert.deepEqual(await shared.$eval('#dice-pad summary', (summary) => {
    const style = getComputedStyle(summary);
    return [style.display, style.fontWeight];
  }), ['list-item', '400']);
  assert.deepEqual(
      await shared.$$eval(
          '.pad summary, .pad button, .pad input',
          (targets) => targets.filter((t) => {
            const box = t.getBoundingClientRect();
            return box.width < 44 || box.height < 44;
          })),
      [], 'pad targets under 44 x 44 px');
  await shared.$eval('#request', (i) => {
    i.value = '';
  });
  for (const die of ['d6', 'd6', 'd20'])
    await shared.click(`::-p-aria(${die})`);
  assert.equal(await shared.$eval('#request', (i) => i.value), '2d6+d20');
  assert.equal(
      await rollAtField(shared, ''),
      toolReplies([linked, linked, '2d6+d20'], '22')[2]);
  // One set rolled: one dot, at 100% on a scale grown to hold it.
  await shared.waitForFunction(
      () => document.querySelector('#odds-chart .observed-legend')
                ?.textContent === '\u25cf observed, 1 set rolled');
  assert.deepEqual(await observedDots(shared), [['100.00', '100.00']]);
  await shared.click('#pad-sets', {clickCount: 3});
  await shared.keyboard.type('31');
  assert.deepEqual(
      await shared.$eval(
          '#pad-status',
          (p) => [p.textContent, p.hidden, p.closest('form').request.value]),
      ['Sets: a whole number from 1 to 30.', false, '3#2d6+d20']);
  // A likely slip gets the tool's hint beside its reply.
  await rollAtField(shared, '2d6 + 3');
  const toolHint =
      spawnSync(nativeTool, ['--dice', '2d6 + 3'], {encoding: 'utf8'}).stderr;
  assert.equal(
      await shared.$eval(
          '#replies li:first-child .reply-hint', (p) => p.textContent),
      toolHint.trimEnd().replace(/^hint: /, 'Hint: '));
  const gradeColours = () => shared.$$eval('#replies .outcome', (spans) => {
    const colours = {};
    for (const span of spans) {
      const style = getComputedStyle(span);
      colours[span.className] = style.color + ' on ' + style.backgroundColor;
    }
    return colours;
  });
  const light = await gradeColours();
  assert.equal(Object.keys(light).length, 5);
  assert.equal(new Set(Object.values(light)).size, 5);
  // Compare keeps 3d6's odds beside 2d20's: two series, each named, both
  // requests' chances in the table and both in the link.
  await typeForOdds(shared, '3d6');
  await shared.click('::-p-aria(Compare)');
  await typeForOdds(shared, '10d10');
  assert.equal(
      await shared.$eval('#odds-compare-note', (p) => p.textContent),
      '3d6 is not compared with 10d10: its totals, 10 to 100, are too many ' +
          'for a bar each and are drawn in ranges; requests are drawn side ' +
          'by side only with a bar for each total.');
  await typeForOdds(shared, '2d20');
  const series = () => shared.$$eval(
      '#odds-chart rect.bar', (rects) => rects.map((r) => r.dataset.series));
  assert.deepEqual(
      await shared.$$eval(
          '#odds-chart .legend', (texts) => texts.map((t) => t.textContent)),
      ['2d20', '3d6']);
  assert.equal((await series()).filter((name) => name === '3d6').length, 16);
  const compared = await rowTexts(shared, '#odds-table tbody tr');
  assert.deepEqual([compared[0], compared[8]], [
    ['2', '0.25%', '100.00%', '0.25%', '0.00%', '100.00%', '0.00%'],
    ['10', '2.25%', '90.99%', '11.26%', '12.50%', '62.49%', '50.01%']
  ]);
  assert.match(await shared.evaluate(() => location.hash), /&seed=22&cmp=3d6/);
  // On a desktop the table of both fits its card.
  assert.ok(await shared.$eval('#odds-details', (details) => {
    details.open = true;
    const scroll = details.querySelector('.table-scroll');
    return scroll.scrollWidth <= scroll.clientWidth;
  }));
  assert.deepEqual(await axeViolations(shared, 'light theme'), []);
  await shared.evaluate(() => window.scrollTo(0, 0));
  await shared.screenshot({path: screenshot});

  await shared.emulateMediaFeatures(
      [{name: 'prefers-color-scheme', value: 'dark'}]);
  assert.equal(
      await shared.evaluate(
          () => getComputedStyle(document.documentElement).backgroundColor),
      'rgb(16, 20, 28)');
  const dark = await gradeColours();
  assert.equal(new Set(Object.values(dark)).size, 5);
  assert.notDeepEqual(dark, light);
  assert.deepEqual(await axeViolations(shared, 'dark theme'), []);
  await shared.screenshot({path: screenshot.replace(/\.png$/, '-dark.png')});

  // On a phone the panels stack, nothing is wider than the window (the
  // compared table scrolls in its card), the pad's seven dice keep one row,
  // and the chart's labels keep their size.
  await shared.emulateMediaFeatures([]);
  await shared.setViewport({width: 390, height: 844});
  assert.ok(await shared.evaluate(
      () => document.documentElement.scrollWidth <= window.innerWidth));
  assert.deepEqual(
      await shared.$$eval(
          '.pad-dice button',
          (dice) =>
              [new Set(dice.map((d) => d.getBoundingClientRect().top)).size,
               dice.filter((d) => d.scrollWidth > d.clientWidth).length]),
      [1, 0], 'the pad\'s dice in one row, each holding its name');
  await shared.waitForFunction(
      () => Math.min(...[...document.querySelectorAll('#odds-chart text')].map(
                (t) => t.getBoundingClientRect().height)) >= 11);
  assert.deepEqual(await axeViolations(shared, 'phone width'), []);
  await shared.screenshot(
      {path: screenshot.replace(/\.png$/, '-phone.png'), fullPage: true});
  // Removing the comparison leaves one series.
  await shared.click('::-p-aria(Remove comparison)');
  assert.deepEqual(
      await shared.$$eval(
          '#odds-chart rect, #odds-chart .legend',
          (shown) => shown.map((e) => e.getAttribute('class'))),
      Array(39).fill('bar'));
  // At the table on a phone, with the pad open: the newest reply comes into
  // view after d6, d6, d6 and Roll, and after Enter.
  await shared.evaluate(() => window.scrollTo(0, 0));
  await shared.$eval('#request', (i) => {
    i.value = '';
  });
  for (let i = 0; i < 3; ++i) await shared.click('::-p-aria(d6)');
  await shared.click('#roll');
  await newestReplyInView(shared, 'the pad and Roll');
  await shared.screenshot(
      {path: screenshot.replace(/\.png$/, '-phone-roll.png')});
  await shared.evaluate(() => window.scrollTo(0, 0));
  await rollAtField(shared, '2d6');
  console.log(
      `screenshots: ${screenshot}, -dark.png, -phone.png, -phone-roll.png`);

  // Installable: the manifest names its icons, which load. Offline: once
  // visited, the page loads, rolls and shows odds with the network gone.
  assert.deepEqual(
      await shared.evaluate(async () => {
        const link = document.querySelector('link[rel=manifest]');
        const {icons} = await (await fetch(link.href)).json();
        return Promise.all(icons.map(async ({src, sizes}) => {
          const image = new Image();
          image.src = src;
          await image.decode();
          return `${sizes} ${image.naturalWidth}x${image.naturalHeight}`;
        }));
      }),
      ['192x192 192x192', '512x512 512x512', 'any 512x512']);
  // With the keyboard alone, every stop showing its focus: Space on Roll
  // rolls, Enter in «Favourite name» saves. The favourite travels in the
  // link, and is kept: after the reload (from a link without it) it rolls,
  // and the replies and the history are there.
  await shared.$eval('#request', (i) => {
    i.value = '';
    i.focus();
  });
  await shared.keyboard.type('3d6 skill 12');
  await tabTo(shared, 'roll');
  await shared.keyboard.press('Space');
  assert.equal(
      (await replies(shared))[0],
      toolReplies(
          [linked, linked, '2d6+d20', '2d6 + 3', '3d6', '2d6', '3d6 skill 12'],
          '22')[6]);
  await tabTo(shared, 'favourite-name');
  await shared.keyboard.type('attack\n');
  assert.match(
      await shared.evaluate(() => location.hash),
      /&seed=22&fav=dodge,d20&fav=attack,3d6%20skill%2012$/);
  await tabTo(shared, 'Show dice');
  await shared.keyboard.press('Enter');
  assert.ok(await shared.$eval(
      '#replies li:first-child .reply-dice', (details) => details.open));
  await shared.waitForFunction(() => navigator.serviceWorker.controller);
  const beforeReload = await replies(shared);
  await shared.evaluate(() => history.replaceState(null, '', '#&seed=22'));
  serving = false;
  await shared.setOfflineMode(true);
  await shared.reload();
  await shared.waitForSelector('body[data-ready]');
  assert.deepEqual(await replies(shared), beforeReload);
  await shared.click('::-p-aria(attack)');
  assert.deepEqual(
      await replies(shared),
      [...toolReplies(['3d6 skill 12'], '22'), ...beforeReload]);
  assert.equal(
      await shared.$eval('#replies .reply-number', (n) => n.textContent),
      `${beforeReload.length + 1}.`);
  await shared.waitForFunction(
      () => document.querySelector('section.odds').dataset.request ===
          '3d6 skill 12');
  assert.deepEqual(
      (await rowTexts(shared, '#odds-grades tbody tr'))[2].slice(0, 3),
      ['Ordinary Success', '64.82%', '']);
  await shared.focus('#request');
  for (let i = 0; i < 4; ++i) await shared.keyboard.press('ArrowUp');
  assert.equal(await shared.$eval('#request', (i) => i.value), '2d6 + 3');
  const favourites = () => shared.$$eval(
      '.favourite', (items) => items.map((i) => i.firstChild.textContent));
  await shared.click('::-p-aria(Rename attack)');
  await shared.keyboard.type('sword\n');
  assert.deepEqual(await favourites(), ['dodge', 'sword']);
  await shared.click('::-p-aria(Remove sword)');
  assert.deepEqual(await favourites(), ['dodge']);
  assert.deepEqual(outside, [], 'requests beyond 127.0.0.1');
  assert.deepEqual(scriptErrors, [], 'script errors');
  console.log('browser test passed');
} catch (error) {
  console.error(error, scriptErrors);
  status = 1;
} finally {
  await browser.close();
  server.close();
  rmSync(profile, {recursive: true, force: true});
}
process.exit(status);
