// SPDX-License-Identifier: MIT
// Totals too many to list, in about a thousand consecutive ranges, as the
// chart draws them: each range in a slot of its own, as tall as its chance
// would be over a range of the usual width (most ranges have it). The ranges
// at each end hold the rare totals beyond and are often far wider: drawn by
// their whole chance they would stand out as tall as the common ones, so
// their chance is spread over their width; a narrower range is drawn by its
// own chance. The rolls laid over them are shared among a few runs of
// consecutive ranges of one width, each drawn on the same scale.

const widthOf = ([first, last]) => last - first + 1;

export class GroupedTotals {
  // buckets: [[first, last, chance, atLeast, atMost], ...] in order.
  constructor(buckets) {
    this.buckets = buckets;
    this.unit = widthOf(buckets[Math.floor(buckets.length / 2)]);
  }

  // What a chance over the totals of bucket is drawn as; a chance known
  // between bounds (a number with high) keeps its upper bound as high.
  drawn(chance, bucket) {
    const scale = Math.min(1, this.unit / widthOf(bucket));
    const low = scale * chance;
    if (chance?.high === undefined) return low;
    return Object.assign(Object(low), {high: scale * chance.high});
  }

  // Whether some bucket is drawn by less than its chance.
  spread() {
    return this.buckets.some((bucket) => widthOf(bucket) > this.unit);
  }

  // Runs of at most size consecutive buckets of one width, each {first,
  // last, start (its first bucket's index), count}.
  runs(size) {
    const runs = [];
    this.buckets.forEach((bucket, i) => {
      const run = runs.at(-1);
      if (run !== undefined && run.count < size &&
          widthOf(bucket) === widthOf(this.buckets[run.start])) {
        run.last = bucket[1];
        run.count += 1;
      } else {
        runs.push({first: bucket[0], last: bucket[1], start: i, count: 1});
      }
    });
    return runs;
  }

  // A share of the rolls in run, drawn as the chance of one of its buckets
  // would be if the share were spread evenly over them.
  drawnShare(share, run) {
    return this.drawn(share / run.count, this.buckets[run.start]);
  }
}
