// SPDX-License-Identifier: MIT
// Two requests' odds side by side: the table of each total from the lowest
// of both to the highest, with each request's chance, at least and at most.
import {percent, totalsSpan} from './chart.js';
import {element} from './dom.js';

// [chance, at least, at most] of total in bars, also where bars lack it.
function chancesAt(bars, total) {
  const bar = bars.find(([first, last]) => first <= total && total <= last);
  if (bar !== undefined) return bar.slice(2);
  const above = bars.find(([first]) => first > total);
  const below = bars.findLast(([, last]) => last < total);
  return [
    0, above === undefined ? 0 : above[3], below === undefined ? 0 : below[4]
  ];
}

// series: [{request, odds}, {request, odds}], each odds of each total.
export function fillComparedTable(table, series) {
  const names = element('tr');
  names.append(element('td'));
  const columns = element('tr');
  columns.append(element('th', {scope: 'col'}, 'total'));
  for (const {request} of series) {
    names.append(element('th', {scope: 'colgroup', colspan: '3'}, request));
    for (const name of ['chance', 'at least', 'at most']) {
      columns.append(element('th', {scope: 'col'}, name));
    }
  }
  table.tHead.replaceChildren(names, columns);
  const [low, high] = totalsSpan(series);
  const body = table.tBodies[0];
  body.replaceChildren();
  for (let total = low; total <= high; ++total) {
    const line = element('tr');
    line.append(element('td', {}, String(total)));
    for (const {odds} of series) {
      for (const chance of chancesAt(odds.bars, total)) {
        line.append(element('td', {}, percent(chance)));
      }
    }
    body.append(line);
  }
}
