// SPDX-License-Identifier: MIT
// The odds panel: the grades of a skill test (and, over several sets, the
// chance of each number of sets that succeed), or the chart and the table
// of the totals, or why there are no odds; the same odds as CSV to
// download; and, when asked, the rolls of the request made here laid over
// them. Compare keeps the odds shown as a second series, drawn beside those
// of each request typed after, until it is removed.
import {Chart, percent, totalsLabel} from './chart.js';
import {fillComparedTable} from './comparison.js';
import {element} from './dom.js';
import {observedShare, setsRolled} from './observed_rolls.js';

// Rows of a label, a chance and a bar scaled to the largest of them, and
// the share observed when a row has one.
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
    if (row.observed !== undefined) {
      line.append(element(
          'td', {class: 'observed'}, `observed ${percent(row.observed)}`));
    }
    body.append(line);
  }
  table.toggleAttribute('hidden', rows.length === 0);
}

// A row per total or range: its chance, the chance of at least its first
// total and of at most its last, and the share of the sets seen rolled
// there when seen is not null.
function fillTotalsTable(table, bars, seen) {
  const head = element('tr');
  const names = ['total', 'chance', 'at least', 'at most'];
  if (seen !== null) names.push('observed');
  for (const name of names) {
    head.append(element('th', {scope: 'col'}, name));
  }
  table.tHead.replaceChildren(head);
  const body = table.tBodies[0];
  body.replaceChildren();
  for (const bar of bars) {
    const line = element('tr');
    line.append(element('td', {}, totalsLabel(bar)));
    const chances = bar.slice(2);
    if (seen !== null) chances.push(observedShare(seen, bar[0], bar[1]));
    for (const chance of chances) {
      line.append(element('td', {}, percent(chance)));
    }
    body.append(line);
  }
}

export class OddsPanel {
  // onCompare() is told when a comparison is made or removed.
  constructor(root, facts, onCompare) {
    this.root = root;
    this.onCompare = onCompare;
    this.compared = null;  // {request, odds}
    this.shown = null;     // {request, odds, csv, seen} of the last show()
    this.compare = root.querySelector('#compare');
    this.note = root.querySelector('#odds-compare-note');
    this.compare.addEventListener('click', () => this.toggleComparison());
    this.gradeNames = facts.grades.map(([, name]) => name);
    this.criticalName = facts.critical[1];
    this.errorPrefix = facts.errorPrefix;
    this.title = root.querySelector('#odds-title');
    this.status = root.querySelector('#odds-status');
    this.grades = root.querySelector('#odds-grades');
    this.successes = root.querySelector('#odds-successes');
    this.figures = root.querySelector('#odds-figures');
    this.chart = new Chart(root.querySelector('#odds-chart'));
    this.details = root.querySelector('#odds-details');
    this.table = root.querySelector('#odds-table');
    this.errors = root.querySelector('#odds-errors');
    this.csv = root.querySelector('#odds-csv');
    this.observed = root.querySelector('#odds-observed');
    this.observedToggle = this.observed.querySelector('input');
    this.observedCount = root.querySelector('#odds-observed-count');
    this.observedToggle.addEventListener('change', () => this.showAgain());
    this.drawn = null;
    new ResizeObserver(() => this.redrawChart()).observe(this.chart.svg);
  }

  clear(message, isError) {
    this.status.textContent = message;
    this.status.className = isError ? 'status error' : 'status';
    this.status.toggleAttribute('hidden', false);
    for (const part
             of [this.grades, this.successes, this.figures, this.chart.svg,
                 this.details, this.errors, this.note, this.csv,
                 this.observed]) {
      part.toggleAttribute('hidden', true);
    }
    this.drawn = null;
    this.showCompare();
  }

  // Compares with the odds of request, or with none.
  compareWith(request, odds) {
    this.compared = odds?.eachTotal && odds.skill === 0 && odds.anyTotal ?
        {request, odds} :
        null;
    this.showAgain();
  }

  toggleComparison() {
    const {request, odds} = this.compared === null ? this.shown : {};
    this.compareWith(request, odds);
    this.onCompare();
  }

  // Compare, where the totals shown have each total; removal, where there
  // is a comparison.
  showCompare() {
    const comparing = this.compared !== null;
    this.compare.textContent = comparing ? 'Remove comparison' : 'Compare';
    this.compare.toggleAttribute(
        'hidden', !comparing && !this.drawn?.odds.eachTotal);
  }

  // The heading names the request whose odds are shown.
  name(request) {
    this.title.textContent =
        request.trim() === '' ? 'Odds' : `Odds of ${request}`;
  }

  // While the odds of request are still being computed.
  showWorking(request) {
    this.clear(`Computing the odds of ${request}…`, false);
    this.name(request);
  }

  showFailure(request, message) {
    this.clear(
        `The odds of this request could not be computed (${message}).`, true);
    this.name(request);
    this.root.dataset.request = request;
  }

  // csv: the same odds as CSV; seen: the rolls of request made here, or
  // null.
  show(request, odds, csv = '', seen = null) {
    const again = this.shown !== null && this.shown.request === request;
    this.shown = {request, odds, csv, seen};
    if (request.trim() === '') {
      this.clear('Type a request to see its odds.', false);
    } else if (odds.refused !== undefined) {
      this.clear(odds.refused, odds.refused.startsWith(this.errorPrefix));
    } else {
      this.clear(odds.sets > 1 ? `Each of ${odds.sets} sets:` : '', false);
      this.status.toggleAttribute('hidden', odds.sets <= 1);
      const laid = this.showObserved(odds, seen);
      if (odds.anyTotal && odds.skill !== 0) this.showGrades(odds, laid);
      if (odds.anyTotal && odds.skill === 0) {
        this.showTotals(request, odds, laid, again);
      }
      this.offerCsv(request, csv);
      fillChanceRows(
          this.errors,
          odds.errors.map(
              ([message, chance]) =>
                  ({kind: 'grade-critical', label: message, chance})));
    }
    if (this.compared !== null && !this.drawn?.compared) {
      this.note.textContent = this.notCompared(request, odds);
      this.note.toggleAttribute('hidden', false);
    }
    this.name(request);
    this.root.dataset.request = request;
  }

  // Why the request kept for comparison is not drawn beside request.
  notCompared(request, odds) {
    const kept = this.compared.request;
    if (request.trim() === '') {
      return `${kept} is kept for comparison: type a request to compare.`;
    }
    const not = `${kept} is not compared with ${request}: `;
    if (odds.refused !== undefined || !odds.anyTotal) {
      return `${not}${request} has no totals.`;
    }
    if (odds.skill !== 0) {
      return `${not}a skill test's odds are grades, not totals.`;
    }
    return `${not}its totals, ${odds.lowest} to ${odds.highest}, are too ` +
        'many for a bar each and are drawn in ranges; requests are drawn ' +
        'side by side only with a bar for each total.';
  }

  // The rolls of request made here, when there are some: shown when they
  // are to be laid over the odds.
  observe(request, seen) {
    if (this.shown === null || this.shown.request !== request) return;
    const {odds, csv} = this.shown;
    this.show(request, odds, csv, seen);
  }

  showAgain() {
    if (this.shown === null) return;
    const {request, odds, csv, seen} = this.shown;
    this.show(request, odds, csv, seen);
  }

  // Offers the choice to lay seen over the odds; seen when it is chosen,
  // else null.
  showObserved(odds, seen) {
    const offered = seen !== null && odds.anyTotal;
    this.observed.toggleAttribute('hidden', !offered);
    if (!offered) return null;
    this.observedCount.textContent = `${setsRolled(seen.sets)} here`;
    return this.observedToggle.checked ? seen : null;
  }

  offerCsv(request, csv) {
    if (this.csv.href.startsWith('blob:')) URL.revokeObjectURL(this.csv.href);
    this.csv.removeAttribute('href');
    if (csv === '') return;
    this.csv.href = URL.createObjectURL(new Blob([csv], {type: 'text/csv'}));
    this.csv.download =
        `odds of ${request.replace(/[^A-Za-z0-9#+\- ]+/g, '_')}.csv`;
    this.csv.toggleAttribute('hidden', false);
  }

  showGrades(odds, seen) {
    const rows = odds.grades.map(
        (chance, grade) =>
            ({kind: `grade-${grade}`, label: this.gradeNames[grade], chance}));
    rows.push({
      kind: 'grade-critical',
      label: this.criticalName,
      chance: odds.critical
    });
    if (seen !== null) {
      rows.forEach((row, i) => {
        row.observed = seen.grades[i] / seen.sets;
      });
    }
    fillChanceRows(this.grades, rows);
    this.showSuccesses(odds);
  }

  // Over several sets: the chance that exactly k of them succeed (any
  // success grade), and that at least one is a Critical Failure.
  showSuccesses(odds) {
    const rows = odds.successes.map((chance, count) => ({
                                      kind: 'successes',
                                      label: `${count} of ${odds.sets} succeed`,
                                      chance
                                    }));
    if (rows.length > 0) {
      rows.push({
        kind: 'grade-critical',
        label: `at least one ${this.criticalName}`,
        chance: odds.anyCritical
      });
    }
    this.successes.caption.textContent = `All ${odds.sets} sets`;
    fillChanceRows(this.successes, rows);
  }

  // again: the same request's odds shown anew, the table left open or
  // closed as the reader left it.
  showTotals(request, odds, seen, again) {
    const mean = odds.mean.toFixed(2);
    const high = odds.mean.high?.toFixed(2) ?? mean;
    let figures = `lowest ${odds.lowest}, highest ${odds.highest}, ` +
        `mean ${high === mean ? mean : `${mean}\u2013${high}`}`;
    if (odds.twentySided) {
      figures += `; ${this.criticalName} ${percent(odds.critical)}`;
    }
    // Too many totals to list one by one: the data (and its CSV) has them
    // in ranges, which the chart draws; the table has fewer, wider ones.
    if (odds.buckets !== undefined) {
      figures += `; totals grouped in ${odds.buckets.length} ranges`;
    }
    this.figures.textContent = figures;
    this.figures.toggleAttribute('hidden', false);
    this.chart.svg.toggleAttribute('hidden', false);
    const compared = odds.eachTotal ? this.compared : null;
    this.drawn = {odds, request, seen, width: 0, compared};
    this.showCompare();
    this.redrawChart();
    if (compared === null) {
      fillTotalsTable(this.table, odds.bars, seen);
    } else {
      fillComparedTable(this.table, [{request, odds}, compared]);
    }
    this.details.querySelector('summary').textContent = odds.eachTotal ?
        'Chance of each total' :
        odds.buckets === undefined ?
        'Chance of each range of totals' :
        `Chance of the totals in ${odds.bars.length} wider ranges`;
    if (!again) this.details.open = odds.eachTotal && odds.bars.length <= 16;
    this.details.toggleAttribute('hidden', false);
  }

  // Draws the chart again when the panel's width has changed.
  redrawChart() {
    const width = Math.round(this.chart.svg.getBoundingClientRect().width);
    if (this.drawn === null || width === this.drawn.width || width === 0)
      return;
    this.drawn.width = width;
    const {odds, request, seen, compared} = this.drawn;
    this.chart.draw(odds, request, width, seen, compared);
  }
}
