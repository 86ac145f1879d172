// The playground: rolls requests through the module's own DiceMain, compiled
// to WebAssembly (rollwright.js), and draws the exact odds of one set of the
// request as it is typed. Nothing is fetched but this page's own files.
'use strict';

const REPLY_CAPACITY = 900;  // ROLLWRIGHT_REPLY_CAPACITY of the module
const MAX_SEED = 4294967295;
const ODDS_DELAY_MS = 200;   // after the last key, before the odds are drawn
const MAX_REPLIES = 200;
const GRADE_WORDS = ['Amazing Success', 'Good Success', 'Ordinary Success',
                     'Failing'];
const SVG = 'http://www.w3.org/2000/svg';

function percent(chance) {
  return (100 * chance).toFixed(2) + '%';
}

// The module's exports, with the request buffer a host would hand in.
class Engine {
  constructor(module) {
    this.module = module;
  }

  // Runs proc on a buffer holding text: at least REPLY_CAPACITY bytes and at
  // least the text's length plus one, as the module's contract asks.
  withBuffer(text, proc) {
    const m = this.module;
    const size = Math.max(REPLY_CAPACITY, m.lengthBytesUTF8(text) + 1);
    const buffer = m._malloc(size);
    try {
      m.stringToUTF8(text, buffer, size);
      return proc(buffer);
    } finally {
      m._free(buffer);
    }
  }

  roll(request) {
    return this.withBuffer(request, (buffer) => {
      this.module._DiceMain(0, 0, buffer, 0, 0, 0);
      return this.module.UTF8ToString(buffer);
    });
  }

  // A number seeds the generator as rollwright --seed does; null seeds it
  // from the clock, as a host's LoadDll does.
  seed(value) {
    if (value === null) {
      this.module._LoadDll(0);
    } else {
      this.module._RollwrightSeed(value);
    }
  }

  odds(request) {
    return this.withBuffer(request, (buffer) =>
      JSON.parse(this.module.UTF8ToString(this.module._RollwrightOdds(buffer))));
  }
}

// '' is no seed (null); a decimal number up to MAX_SEED is a seed; anything
// else is undefined.
function parseSeed(text) {
  const trimmed = text.trim();
  if (trimmed === '') return null;
  if (!/^[0-9]+$/.test(trimmed)) return undefined;
  const value = Number(trimmed);
  return value <= MAX_SEED ? value : undefined;
}

function element(name, attributes = {}, text = '') {
  const made = document.createElement(name);
  for (const [key, value] of Object.entries(attributes)) {
    made.setAttribute(key, value);
  }
  if (text) made.textContent = text;
  return made;
}

function svgElement(name, attributes = {}, text = '') {
  const made = document.createElementNS(SVG, name);
  for (const [key, value] of Object.entries(attributes)) {
    made.setAttribute(key, String(value));
  }
  if (text) made.textContent = text;
  return made;
}

function barLabel(bar) {
  const [first, last] = bar;
  return first === last ? String(first) : `${first}..${last}`;
}

// A step of 1, 2 or 5 times a power of ten that splits top into about four.
function tickStep(top) {
  const rough = top / 4;
  const power = Math.pow(10, Math.floor(Math.log10(rough)));
  for (const factor of [1, 2, 5, 10]) {
    if (factor * power >= rough) return factor * power;
  }
  return 10 * power;
}

// One bar per total (or range of totals), scaled to the largest chance, with
// the chance axis in percent and the totals beneath.
function drawChart(svg, odds, request) {
  svg.replaceChildren();
  const width = 640;
  const height = 300;
  const left = 52;
  const right = 12;
  const top = 12;
  const bottom = 48;
  const plotWidth = width - left - right;
  const plotHeight = height - top - bottom;
  const bars = odds.bars;
  const largest = Math.max(...bars.map((bar) => bar[2]));
  const step = tickStep(100 * largest);
  const ceiling = Math.ceil((100 * largest) / step - 1e-9) * step;
  const y = (chance) => top + plotHeight * (1 - (100 * chance) / ceiling);

  for (let tick = 0; tick <= ceiling + 1e-9; tick += step) {
    const at = y(tick / 100);
    svg.append(svgElement('line', {class: 'grid', x1: left, x2: width - right,
                                   y1: at, y2: at}));
    svg.append(svgElement('text', {x: left - 6, y: at + 4,
                                   'text-anchor': 'end'},
                          `${Number(tick.toFixed(4))}%`));
  }
  const slot = plotWidth / bars.length;
  const gap = Math.min(2, slot * 0.1);
  const everyLabel = Math.ceil(bars.length / Math.floor(plotWidth / 56));
  bars.forEach((bar, i) => {
    const rect = svgElement('rect', {
      class: 'bar', x: left + i * slot + gap, y: y(bar[2]),
      width: Math.max(slot - 2 * gap, 0.5),
      height: Math.max(top + plotHeight - y(bar[2]), 0),
      'data-total': barLabel(bar), 'data-chance': percent(bar[2])});
    rect.append(svgElement('title', {}, `${barLabel(bar)}: ${percent(bar[2])}`));
    svg.append(rect);
    // A total under its bar; a range's first total at its left edge, but
    // not so near the right edge that it meets the highest total there.
    const x = odds.eachTotal ? left + (i + 0.5) * slot : left + i * slot;
    if (i % everyLabel !== 0) return;
    if (!odds.eachTotal && x > width - right - 80) return;
    svg.append(svgElement('text', {x, y: top + plotHeight + 16,
                                   'text-anchor': 'middle'}, String(bar[0])));
  });
  if (!odds.eachTotal) {
    svg.append(svgElement('text', {x: width - right, y: top + plotHeight + 16,
                                   'text-anchor': 'end'},
                          String(bars[bars.length - 1][1])));
  }
  svg.append(svgElement('line', {class: 'axis', x1: left, x2: width - right,
                                 y1: top + plotHeight, y2: top + plotHeight}));
  svg.append(svgElement('line', {class: 'axis', x1: left, x2: left, y1: top,
                                 y2: top + plotHeight}));
  const axisName = odds.eachTotal ? 'total' : `totals, in ${bars.length} ranges`;
  svg.append(svgElement('text', {x: left + plotWidth / 2, y: height - 8,
                                 'text-anchor': 'middle'}, axisName));
  svg.setAttribute('aria-label',
                   `Chance of each ${odds.eachTotal ? 'total' : 'range of totals'} of ${request}`);
}

// Rows of a label, a chance and a bar scaled to the largest of them.
function fillChanceRows(table, rows) {
  const body = table.tBodies[0];
  body.replaceChildren();
  const largest = Math.max(...rows.map((row) => row.chance));
  for (const row of rows) {
    const line = element('tr', {class: row.kind});
    line.append(element('th', {scope: 'row'}, row.label));
    line.append(element('td', {class: 'chance'}, percent(row.chance)));
    const bar = element('td', {class: 'bar'});
    const fill = element('span', {class: 'fill'});
    fill.style.width = largest > 0 ? `${(100 * row.chance) / largest}%` : '0';
    bar.append(fill);
    line.append(bar);
    body.append(line);
  }
  table.toggleAttribute('hidden', rows.length === 0);
}

function fillTotalsTable(table, bars) {
  const body = table.tBodies[0];
  body.replaceChildren();
  for (const bar of bars) {
    const line = element('tr');
    line.append(element('td', {}, barLabel(bar)));
    line.append(element('td', {}, percent(bar[2])));
    body.append(line);
  }
}

class OddsPanel {
  constructor(root) {
    this.root = root;
    this.status = root.querySelector('#odds-status');
    this.grades = root.querySelector('#odds-grades');
    this.figures = root.querySelector('#odds-figures');
    this.chart = root.querySelector('#odds-chart');
    this.details = root.querySelector('#odds-details');
    this.table = root.querySelector('#odds-table');
    this.errors = root.querySelector('#odds-errors');
  }

  clear(message, isError) {
    this.status.textContent = message;
    this.status.className = isError ? 'status error' : 'status';
    this.status.toggleAttribute('hidden', false);
    for (const part of [this.grades, this.figures, this.chart, this.details,
                        this.errors]) {
      part.toggleAttribute('hidden', true);
    }
  }

  show(request, odds) {
    if (request.trim() === '') {
      this.clear('Type a request to see its odds.', false);
    } else if (odds.refused !== undefined) {
      this.clear(odds.refused, odds.refused.startsWith('Dice Error:'));
    } else {
      this.clear(odds.sets > 1 ? `Each of ${odds.sets} sets:` : '', false);
      this.status.toggleAttribute('hidden', odds.sets <= 1);
      if (odds.anyTotal && odds.skill !== 0) this.showGrades(odds);
      if (odds.anyTotal && odds.skill === 0) this.showTotals(request, odds);
      fillChanceRows(this.errors, odds.errors.map(([message, chance]) => ({
        kind: 'grade-critical', label: message, chance})));
    }
    this.root.dataset.request = request;
  }

  showGrades(odds) {
    const rows = odds.grades.map((chance, grade) => ({
      kind: `grade-${grade}`, label: GRADE_WORDS[grade], chance}));
    rows.push({kind: 'grade-critical', label: 'Critical Failure',
               chance: odds.critical});
    fillChanceRows(this.grades, rows);
  }

  showTotals(request, odds) {
    let figures = `lowest ${odds.lowest}, highest ${odds.highest}, ` +
                  `mean ${odds.mean.toFixed(2)}`;
    if (odds.twentySided) {
      figures += `; Critical Failure ${percent(odds.critical)}`;
    }
    this.figures.textContent = figures;
    this.figures.toggleAttribute('hidden', false);
    drawChart(this.chart, odds, request);
    this.chart.toggleAttribute('hidden', false);
    fillTotalsTable(this.table, odds.bars);
    this.details.querySelector('summary').textContent =
        odds.eachTotal ? 'Chance of each total' : 'Chance of each range of totals';
    this.details.open = odds.eachTotal && odds.bars.length <= 16;
    this.details.toggleAttribute('hidden', false);
  }
}

function start(engine) {
  const form = document.getElementById('roll-form');
  const request = document.getElementById('request');
  const seed = document.getElementById('seed');
  const replies = document.getElementById('replies');
  const panel = new OddsPanel(document.querySelector('section.odds'));
  let pending = 0;

  const showOdds = () => {
    const began = performance.now();
    panel.show(request.value, engine.odds(request.value));
    panel.root.dataset.millis = String(Math.round(performance.now() - began));
  };
  const seedFromField = () => {
    const value = parseSeed(seed.value);
    seed.setAttribute('aria-invalid', String(value === undefined));
    if (value !== undefined) engine.seed(value);
  };

  form.addEventListener('submit', (event) => {
    event.preventDefault();
    const reply = element('li', {}, engine.roll(request.value));
    reply.title = request.value;
    replies.prepend(reply);
    while (replies.children.length > MAX_REPLIES) replies.lastChild.remove();
    request.focus();
  });
  request.addEventListener('input', () => {
    clearTimeout(pending);
    pending = setTimeout(showOdds, ODDS_DELAY_MS);
  });
  seed.addEventListener('input', seedFromField);
  for (const example of document.querySelectorAll('.examples button')) {
    example.addEventListener('click', () => {
      request.value = example.textContent;
      request.focus();
      clearTimeout(pending);
      showOdds();
    });
  }

  seedFromField();
  request.disabled = false;
  document.getElementById('roll').disabled = false;
  document.getElementById('loading').toggleAttribute('hidden', true);
  request.focus();
  if (request.value !== '') showOdds();
  document.body.dataset.ready = String(Math.round(performance.now()));
}

createRollwright().then((module) => start(new Engine(module)), (error) => {
  const loading = document.getElementById('loading');
  loading.textContent = `The module could not be loaded: ${error}`;
  loading.className = 'status error';
});
