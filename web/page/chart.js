// SPDX-License-Identifier: MIT
// The chart of the odds of one set: one bar per total (or range of totals,
// all the ranges when the totals are grouped), scaled to the largest chance,
// with the chance axis in percent and the totals beneath; or, beside a
// compared request's odds (each total of both), two bars per total and a
// legend naming each request. A chance known only between bounds is drawn at
// its lower bound, with the span up to its upper one lighter above. Drawn in
// the chart's own pixels, so that its labels keep their size on a phone's
// narrow screen.

import {GroupedTotals} from './grouped_totals.js';
import {observedShare, setsRolled} from './observed_rolls.js';

const SVG_NAMESPACE = 'http://www.w3.org/2000/svg';
const CHART_FONT_PX = 12;  // as .chart text in style.css

// A chance, or one known between bounds (a number with high) as their range
// when they differ at two decimals: «12.31–12.36%».
export function percent(chance) {
  const text = (100 * chance).toFixed(2);
  if (chance?.high === undefined) return text + '%';
  const high = (100 * chance.high).toFixed(2);
  return high === text ? text + '%' : `${text}\u2013${high}%`;
}

// A total, or a range of totals as first..last.
export function totalsLabel(bar) {
  const [first, last] = bar;
  return first === last ? String(first) : `${first}..${last}`;
}

// The totals that series ([{request, odds}, ...], each odds of each total)
// span together: [lowest of all, highest of all].
export function totalsSpan(series) {
  return [
    Math.min(...series.map(({odds}) => odds.bars[0][0])),
    Math.max(...series.map(({odds}) => odds.bars.at(-1)[1]))
  ];
}

// What a bar's title says: its chance, the chance of at least its first
// total and of at most its last.
function barTitle(bar) {
  const [first, last, chance, atLeast, atMost] = bar;
  return `${totalsLabel(bar)}: ${percent(chance)}` +
      `; ${first} or more: ${percent(atLeast)}` +
      `; ${last} or less: ${percent(atMost)}`;
}

// Where the rolls of seen are laid over the bars (or, when the totals are
// grouped, over runs of consecutive buckets): each spot's totals, first
// slot and count of slots, share of the sets and the share drawn there.
function observedSpots(odds, grouped, seen) {
  if (grouped === null) {
    return odds.bars.map(([first, last], start) => {
      const share = observedShare(seen, first, last);
      return {first, last, start, count: 1, share, drawn: share};
    });
  }
  const size = Math.ceil(odds.buckets.length / odds.bars.length);
  return grouped.runs(size).map((run) => {
    const share = observedShare(seen, run.first, run.last);
    return {...run, share, drawn: grouped.drawnShare(share, run)};
  });
}

// The name under the totals' axis.
function axisName(odds, grouped) {
  if (odds.eachTotal) return 'total';
  if (grouped === null) return `totals, in ${odds.bars.length} ranges`;
  const most = grouped.unit > 1 ? `, most of ${grouped.unit}` : '';
  return `totals, in ${odds.buckets.length} ranges${most}`;
}

function svgElement(name, attributes = {}, text = '') {
  const made = document.createElementNS(SVG_NAMESPACE, name);
  for (const [key, value] of Object.entries(attributes)) {
    made.setAttribute(key, String(value));
  }
  if (text) made.textContent = text;
  return made;
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

// About the width of text in the chart's font.
function textWidth(text) {
  return 0.62 * CHART_FONT_PX * text.length;
}

export class Chart {
  constructor(svg) {
    this.svg = svg;
    this.height = 280;
    this.top = 12;
    this.right = 12;
    this.bottom = 48;
  }

  // seen: the rolls of the request made here (observed_rolls.js) to lay
  // over the bars, or null; compared: {request, odds} drawn beside, or null
  // (then the rolls are not laid over).
  draw(odds, request, width, seen = null, compared = null) {
    const svg = this.svg;
    svg.replaceChildren();
    svg.setAttribute('viewBox', `0 0 ${width} ${this.height}`);
    const grouped = compared === null && odds.buckets !== undefined ?
        new GroupedTotals(odds.buckets) :
        null;
    const bars = grouped !== null ?
        odds.buckets :
        odds.bars.concat(compared === null ? [] : compared.odds.bars);
    const heights = bars.map((bar) => grouped?.drawn(bar[2], bar) ?? bar[2]);
    // The sets rolled, which the scale holds too.
    const spots = seen === null || compared !== null ?
        [] :
        observedSpots(odds, grouped, seen);
    const largest = Math.max(
        ...heights.map((height) => height.high ?? height),
        ...spots.map((spot) => spot.drawn));
    const step = tickStep(100 * largest);
    const ceiling = Math.ceil((100 * largest) / step - 1e-9) * step;
    const ticks = [];
    for (let tick = 0; tick <= ceiling + 1e-9; tick += step) {
      ticks.push([tick, `${Number(tick.toFixed(4))}%`]);
    }
    this.left = 10 + Math.max(...ticks.map(([, label]) => textWidth(label)));
    this.plotWidth = width - this.left - this.right;
    this.plotHeight = this.height - this.top - this.bottom;
    const y = (chance) =>
        this.top + this.plotHeight * (1 - (100 * chance) / ceiling);
    for (const [tick, label] of ticks) {
      const at = y(tick / 100);
      svg.append(svgElement('line', {
        class: 'grid',
        x1: this.left,
        x2: width - this.right,
        y1: at,
        y2: at
      }));
      svg.append(svgElement(
          'text', {x: this.left - 6, y: at + 4, 'text-anchor': 'end'}, label));
    }
    if (compared === null) {
      this.drawBars(bars, heights, odds.eachTotal, y, grouped);
      if (seen !== null) this.drawObserved(spots, bars.length, y, seen);
      const observed =
          seen === null ? '' : `, against the ${setsRolled(seen.sets)} here`;
      const spread = grouped?.spread() ?
          `; the wider ranges drawn by their chance per ${
              grouped.unit} totals` :
          '';
      svg.setAttribute(
          'aria-label',
          `Chance of each ${odds.eachTotal ? 'total' : 'range of totals'} of ${
              request}${observed}${spread}`);
    } else {
      this.drawPair([{request, odds}, compared], y);
      svg.setAttribute(
          'aria-label',
          `Chance of each total of ${request} and of ${compared.request}`);
    }
    this.drawAxes(axisName(odds, grouped), width);
  }

  // Each total from the lowest of both series to the highest: a bar for
  // each series that has it, side by side, and a legend.
  drawPair(series, y) {
    const base = this.top + this.plotHeight;
    const [low, high] = totalsSpan(series);
    const slot = this.plotWidth / (high - low + 1);
    const gap = Math.min(2, slot * 0.1);
    const half = Math.max((slot - 2 * gap) / 2, 0.5);
    series.forEach(({request, odds}, i) => {
      const kind = i === 0 ? 'bar' : 'bar bar-compared';
      for (const bar of odds.bars) {
        const rect = svgElement('rect', {
          class: kind,
          x: this.left + (bar[0] - low) * slot + gap + i * half,
          y: y(bar[2]),
          width: half,
          height: Math.max(base - y(bar[2]), 0),
          'data-series': request,
          'data-total': totalsLabel(bar),
          'data-chance': percent(bar[2])
        });
        rect.append(svgElement('title', {}, `${request}: ${barTitle(bar)}`));
        this.svg.append(rect);
      }
      const at = this.top + 4 + 16 * i;
      this.svg.append(svgElement(
          'rect',
          {class: kind, x: this.left + 8, y: at, width: 10, height: 10}));
      this.svg.append(svgElement(
          'text', {class: 'legend', x: this.left + 24, y: at + 9}, request));
    });
    const every = Math.ceil(
        (high - low + 1) /
        Math.max(
            1, Math.floor(this.plotWidth / (textWidth(String(high)) + 12))));
    for (let total = low; total <= high; total += every) {
      this.svg.append(svgElement(
          'text', {
            x: this.left + (total - low + 0.5) * slot,
            y: base + 16,
            'text-anchor': 'middle'
          },
          String(total)));
    }
  }

  // Over each spot (observedSpots) whose totals came up, a dot at the share
  // of the sets rolled there as drawn, the chart having slots slots, and a
  // legend with their count.
  drawObserved(spots, slots, y, seen) {
    const slot = this.plotWidth / slots;
    for (const {first, last, start, count, share, drawn} of spots) {
      if (share === 0) continue;
      const label = totalsLabel([first, last]);
      const dot = svgElement('circle', {
        class: 'observed',
        cx: this.left + (start + count / 2) * slot,
        cy: y(drawn),
        r: Math.max(1.5, Math.min(4, (count * slot) / 3)),
        'data-total': label,
        'data-observed': percent(share)
      });
      dot.append(svgElement(
          'title', {},
          `${label}: ${percent(share)} of ${setsRolled(seen.sets)}`));
      this.svg.append(dot);
    }
    this.svg.append(svgElement(
        'text', {
          class: 'observed-legend',
          x: this.left + this.plotWidth,
          y: this.top + 12,
          'text-anchor': 'end'
        },
        `\u25cf observed, ${setsRolled(seen.sets)}`));
  }

  // Each bar as tall as heights[i]; grouped: the buckets' GroupedTotals
  // when bars are the buckets, else null.
  drawBars(bars, heights, eachTotal, y, grouped) {
    const base = this.top + this.plotHeight;
    const slot = this.plotWidth / bars.length;
    // Bars thinner than a few pixels touch, as an area, and are at least two
    // pixels wide, so that a lone tall one shows.
    const thin = slot < 3;
    const gap = thin ? 0 : Math.min(2, slot * 0.1);
    bars.forEach((bar, i) => {
      const height = heights[i];
      const spread = height < bar[2] ?
          ` (drawn as its chance per ${grouped.unit} totals)` :
          '';
      const title = barTitle(bar) + spread;
      const box = {
        x: this.left + i * slot + gap,
        width: thin ? Math.max(slot, 2) : Math.max(slot - 2 * gap, 0.5)
      };
      if (height.high > height) {
        const upper = svgElement('rect', {
          class: 'bar-upper',
          ...box,
          y: y(height.high),
          height: y(height) - y(height.high)
        });
        upper.append(svgElement('title', {}, title));
        this.svg.append(upper);
      }
      const rect = svgElement('rect', {
        class: 'bar',
        ...box,
        y: y(height),
        height: Math.max(base - y(height), 0),
        'data-total': totalsLabel(bar),
        'data-chance': percent(bar[2])
      });
      rect.append(svgElement('title', {}, title));
      this.svg.append(rect);
    });
    this.drawTotals(bars, eachTotal, slot);
  }

  // A total under its bar; a range's first total at its left edge, but not
  // so near either end that it meets the lowest or the highest total there.
  drawTotals(bars, eachTotal, slot) {
    const base = this.top + this.plotHeight;
    const widest = Math.max(...bars.map((bar) => textWidth(String(bar[0]))));
    const everyLabel = Math.ceil(
        bars.length / Math.max(1, Math.floor(this.plotWidth / (widest + 12))));
    const highest = bars[bars.length - 1][1];
    const firstLabel = textWidth(String(bars[0][0]));
    const lastLabel = textWidth(String(highest));
    const from = this.left + firstLabel + widest / 2 + 12;
    const room = this.left + this.plotWidth - lastLabel - widest / 2 - 12;
    bars.forEach((bar, i) => {
      if (i % everyLabel !== 0) return;
      const x = eachTotal ? this.left + (i + 0.5) * slot : this.left + i * slot;
      if (!eachTotal && i > 0 && (x < from || x > room)) return;
      this.svg.append(svgElement(
          'text', {
            x,
            y: base + 16,
            'text-anchor': eachTotal || i > 0 ? 'middle' : 'start'
          },
          String(bar[0])));
    });
    if (!eachTotal) {
      this.svg.append(svgElement(
          'text',
          {x: this.left + this.plotWidth, y: base + 16, 'text-anchor': 'end'},
          String(highest)));
    }
  }

  drawAxes(name, width) {
    const base = this.top + this.plotHeight;
    this.svg.append(svgElement('line', {
      class: 'axis',
      x1: this.left,
      x2: width - this.right,
      y1: base,
      y2: base
    }));
    this.svg.append(svgElement(
        'line',
        {class: 'axis', x1: this.left, x2: this.left, y1: this.top, y2: base}));
    this.svg.append(svgElement(
        'text', {
          x: this.left + this.plotWidth / 2,
          y: this.height - 8,
          'text-anchor': 'middle'
        },
        name));
  }
}
