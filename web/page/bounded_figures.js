// SPDX-License-Identifier: MIT
// Odds past the work budget give some figures as [low, high]: each becomes
// its lower bound, a number that carries its upper one as high, so that the
// chart and tables draw it and percent() shows the range. On the page's
// side: a worker's message would not carry high.
export function boundedFigures(odds) {
  if (odds.exact !== false) return odds;
  const figure = (value) => Array.isArray(value) ?
      Object.assign(Object(value[0]), {high: value[1]}) :
      value;
  odds.mean = figure(odds.mean);
  odds.anyCritical = figure(odds.anyCritical);
  odds.grades = odds.grades.map(figure);
  odds.successes = odds.successes.map(figure);
  for (const bar of odds.bars.concat(odds.buckets ?? [])) {
    bar.splice(2, 3, ...bar.slice(2).map(figure));
  }
  return odds;
}
