// SPDX-License-Identifier: MIT
// The module's exports, compiled to WebAssembly (rollwright.js), with the
// request buffer a host would hand in. The page rolls through one Engine;
// the odds worker computes through another, made from the same compiled
// module.
import createRollwright from './rollwright.js';

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

export class Engine {
  // The compiled rollwright.wasm, fetched once for the page and its workers.
  static compile() {
    return fetch('rollwright.wasm')
        .then((response) => {
          if (!response.ok)
            throw new Error(`rollwright.wasm: ${response.status}`);
          return response.arrayBuffer();
        })
        .then((bytes) => WebAssembly.compile(bytes));
  }

  // An Engine on a fresh instance of the compiled module wasm.
  static create(wasm) {
    return createRollwright({
             instantiateWasm(imports, receive) {
               WebAssembly.instantiate(wasm, imports)
                   .then((instance) => receive(instance, wasm));
               return {};
             },
           })
        .then((module) => new Engine(module));
  }

  constructor(module) {
    this.module = module;
    // The limits of a request and of a seed, the start of every error reply
    // and the words of each outcome, as the engine holds them: {maxSets,
    // maxDice, maxSides, replyCapacity, maxSeed, errorPrefix, grades: [[words
    // in a reply, name], ...], critical: [words, name]}.
    this.facts = JSON.parse(module.UTF8ToString(module._RollwrightFacts()));
  }

  // Runs proc on a buffer holding text: at least the reply's capacity and at
  // least the text's length plus one, as the module's contract asks.
  withBuffer(text, proc) {
    const m = this.module;
    const size =
        Math.max(this.facts.replyCapacity, m.lengthBytesUTF8(text) + 1);
    const buffer = m._malloc(size);
    try {
      m.stringToUTF8(text, buffer, size);
      return proc(buffer);
    } finally {
      m._free(buffer);
    }
  }

  // Rolls request as DiceMain does and returns {reply, dice, hint, sets}:
  // the module's reply, the lines of dice behind it (empty for an error),
  // a word on how the request was read when it looks like a slip (or null),
  // and each set's {total, grade, critical, dice}, all from that one roll.
  roll(request) {
    const report = this.withBuffer(
        request,
        (buffer) => JSON.parse(
            this.module.UTF8ToString(this.module._RollwrightRoll(buffer))));
    if (report.roll === undefined) {
      return {reply: report.error, dice: '', hint: null, sets: []};
    }
    return {
      reply: report.roll.reply,
      dice: report.dice,
      hint: report.hint,
      sets: report.roll.sets ?? []
    };
  }

  // Sets the generator's state as rollwright --seed N does.
  seed(value) {
    this.module._RollwrightSeed(value);
  }

  // The odds of one set of request, and the same odds as CSV (empty when
  // they are refused): {odds, csv}.
  odds(request) {
    const odds = this.withBuffer(
        request,
        (buffer) => JSON.parse(
            this.module.UTF8ToString(this.module._RollwrightOdds(buffer))));
    return {
      odds,
      csv: this.module.UTF8ToString(this.module._RollwrightOddsCsv())
    };
  }
}
