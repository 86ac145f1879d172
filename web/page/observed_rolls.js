// SPDX-License-Identifier: MIT
// The rolls of each request made since the page opened, to lay over its
// exact odds: how many sets came up, how often each total, and for a skill
// test how often each grade (the Critical Failure last).

// «1 set rolled», «4 sets rolled».
export function setsRolled(count) {
  return `${count} ${count === 1 ? 'set' : 'sets'} rolled`;
}

// The share of seen's sets whose total lies in first..last.
export function observedShare(seen, first, last) {
  let count = 0;
  for (const [total, times] of seen.totals) {
    if (total >= first && total <= last) count += times;
  }
  return count / seen.sets;
}

export class ObservedRolls {
  // gradeNames: the grades' names, in grade order, as a roll names them.
  constructor(gradeNames) {
    this.gradeNames = gradeNames;
    this.byRequest = new Map();
  }

  // sets: each set of one roll of request, {total, grade, critical}.
  add(request, sets) {
    if (sets.length === 0) return;
    let seen = this.byRequest.get(request);
    if (seen === undefined) {
      const grades = new Array(this.gradeNames.length + 1).fill(0);
      seen = {sets: 0, totals: new Map(), grades};
      this.byRequest.set(request, seen);
    }
    for (const {total, grade, critical} of sets) {
      seen.sets += 1;
      seen.totals.set(total, (seen.totals.get(total) ?? 0) + 1);
      const index =
          critical ? this.gradeNames.length : this.gradeNames.indexOf(grade);
      if (index >= 0) seen.grades[index] += 1;
    }
  }

  // What came up for request: {sets, totals: Map of total to count,
  // grades: [count, ...]}, or null before its first roll.
  of(request) {
    return this.byRequest.get(request) ?? null;
  }
}
