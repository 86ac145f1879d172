// SPDX-License-Identifier: MIT
// rollwright for JavaScript: the dice module's engine compiled to
// WebAssembly (embedded in rollwright_wasm.js, so nothing is fetched), with
// the results of the native tool's --json, --odds --format=json and
// --fairness --json as plain objects. Works unchanged in Node 18 and later,
// in a page, in a worker and through a bundler. The types are in
// rollwright.d.ts.
import createRollwright from './rollwright_wasm.js';

const engine = await createRollwright();

function textAt(pointer) {
  return engine.UTF8ToString(pointer);
}

const facts = JSON.parse(textAt(engine._RollwrightFacts()));

// The limits of a request and of a seed.
export const limits = Object.freeze({
  maxSets: facts.maxSets,
  maxDice: facts.maxDice,
  maxSides: facts.maxSides,
  replyCapacity: facts.replyCapacity,
  maxSeed: facts.maxSeed,
});

// The start of every error reply, and each outcome's words in a reply and
// its name: the grades in order, then the Critical Failure.
export const outcomes = Object.freeze({
  errorPrefix: facts.errorPrefix,
  grades: Object.freeze(facts.grades.map((pair) => Object.freeze(pair))),
  critical: Object.freeze(facts.critical),
});

// An error reply of the module: message is its exact text, code its stable
// name, hint a word on how the request was read (or null).
export class DiceError extends Error {
  constructor(message, code, hint = null) {
    super(message);
    this.name = 'DiceError';
    this.code = code;
    this.hint = hint;
  }
}

// The odds (or a check of fairness, which needs them) refused a request:
// message is the refusal's text.
export class OddsRefused extends Error {
  constructor(message) {
    super(message);
    this.name = 'OddsRefused';
  }
}

const encoder = new TextEncoder();
let buffer = 0;
let bufferSize = 0;
let bufferView = null;  // its bytes but the last, while memory stays put

// The request, NUL-terminated, in a buffer of the module's: at least the
// reply's capacity and the request's length plus one, as DiceMain asks.
function requestBuffer(request) {
  if (typeof request !== 'string') {
    throw new TypeError(`a request is a string, not ${typeof request}`);
  }
  if (request.includes('\0')) {
    throw new TypeError('a request cannot hold a NUL character');
  }
  const most = Math.max(limits.replyCapacity, request.length * 3 + 1);
  if (bufferSize < most) {
    if (buffer !== 0) engine._free(buffer);
    bufferSize = 0;
    buffer = engine._malloc(most);
    if (buffer === 0) throw new RangeError('out of memory for the request');
    bufferSize = most;
    bufferView = null;
  }
  const heap = engine.HEAPU8;
  if (bufferView === null || bufferView.buffer !== heap.buffer) {
    bufferView = heap.subarray(buffer, buffer + bufferSize - 1);
  }
  const {written} = encoder.encodeInto(request, bufferView);
  heap[buffer + written] = 0;
  return buffer;
}

function checkedSeed(seed) {
  if (!Number.isInteger(seed) || seed < 0 || seed > limits.maxSeed) {
    throw new RangeError(
        `a seed is a whole number from 0 to ${limits.maxSeed}, not ${seed}`);
  }
  return seed;
}

const randomSource = globalThis.crypto ??
    (await import(/* webpackIgnore: true */ /* @vite-ignore */ 'node:crypto'))
        .webcrypto;

function randomSeed() {
  return randomSource.getRandomValues(new Uint32Array(1))[0];
}

const decoder = new TextDecoder();

// The UTF-8 text of length bytes at start.
function textIn(heap, start, length) {
  return decoder.decode(heap.subarray(start, start + length));
}

function outOfMemory(request) {
  return {
    request,
    reply: facts.outOfMemory,
    error: facts.outOfMemory,
    code: 'OutOfMemory',
    hint: null
  };
}

// The sets of a roll laid out from word at on (npm/roll_layout.h).
function setsIn(words, at) {
  const count = words[at++];
  const sets = new Array(count);
  for (let set = 0; set < count; ++set) {
    const total = words[at++];
    const critical = words[at++] === 1;
    const grade = words[at++];
    const groups = words[at++];
    const dice = new Array(groups);
    for (let group = 0; group < groups; ++group) {
      const sides = words[at++];
      const faces = new Array(words[at++]);
      for (let face = 0; face < faces.length; ++face) faces[face] = words[at++];
      dice[group] = {sides, faces};
    }
    sets[set] = {
      total,
      grade: grade < 0 ? null : outcomes.grades[grade][1],
      critical,
      dice
    };
  }
  return sets;
}

// The texts of a roll laid out at word at: decoded once, and cut by offset
// where every one is ASCII.
class LaidOutTexts {
  constructor(heap, words, at) {
    this.heap = heap;
    this.words = words;
    this.start = engine._RollwrightRollTexts();
    this.whole =
        words[at + 1] === 1 ? textIn(heap, this.start, words[at]) : null;
  }

  // The text whose offset and length are at word; null for none.
  at(word) {
    const offset = this.words[word];
    if (offset < 0) return null;
    const length = this.words[word + 1];
    return this.whole !== null ? this.whole.slice(offset, offset + length) :
                                 textIn(this.heap, this.start + offset, length);
  }
}

// The --json object of the roll whose layout starts at the address
// laidOut, in the keys' order.
function rollIn(request, laidOut) {
  if (laidOut === 0) return outOfMemory(request);
  const words = engine.HEAP32;
  const at = laidOut >> 2;
  const texts = new LaidOutTexts(engine.HEAPU8, words, at);
  const roll = {request, reply: texts.at(at + 2)};
  if (words[at + 4] === 1) {
    roll.read = {
      sets: words[at + 5],
      expression: texts.at(at + 7),
      skill: words[at + 6],
      comment: texts.at(at + 9)
    };
  }
  const hint = texts.at(at + 11);
  if (words[at + 13] >= 0) {
    roll.error = roll.reply;
    roll.code = texts.at(at + 13);
  } else {
    roll.sets = setsIn(words, at + 15);
  }
  roll.hint = hint;
  return roll;
}

function sentenceOf(roll) {
  if (roll.error !== undefined) {
    throw new DiceError(roll.error, roll.code, roll.hint);
  }
  return roll;
}

function answeredOf(json) {
  const answer = JSON.parse(json);
  if (answer.refused !== undefined) throw new OddsRefused(answer.refused);
  return answer;
}

// A generator of its own: a Roller seeded N gives for successive requests
// what `rollwright --seed N R1 R2 ...` gives, whatever else rolls.
export class Roller {
  #state;

  constructor({seed} = {}) {
    this.#state = seed === undefined ? randomSeed() : checkedSeed(seed);
  }

  // Rolls request: the --json object; an error reply throws DiceError.
  roll(request) {
    return sentenceOf(this.#rolled(request));
  }

  // The module's reply, exactly; an error's message too.
  reply(request) {
    return this.#withState(() => {
      const pointer = requestBuffer(request);
      engine._DiceMain(0, 0, pointer, 0, 0, 0);
      return textAt(pointer);
    });
  }

  // The roll (the --json object, an error reply's too) with the lines of
  // dice that `rollwright --dice` prints under its reply (empty for an
  // error): {roll, dice}.
  rollWithDice(request) {
    return this.#withState(() => {
      const pointer = requestBuffer(request);
      const shown = JSON.parse(textAt(engine._RollwrightRollWithDice(pointer)));
      return shown.roll !== undefined ? shown :
                                        {roll: outOfMemory(request), dice: ''};
    });
  }

  // The --fairness --json object for sets sets of request.
  fairness(request, sets) {
    if (!Number.isInteger(sets) || sets < 1 || sets > 100000000) {
      throw new RangeError(`sets is a whole number from 1 to 100000000`);
    }
    return this.#withState(() => {
      const pointer = requestBuffer(request);
      return answeredOf(textAt(engine._RollwrightFairness(pointer, sets)));
    });
  }

  #rolled(request) {
    return this.#withState(() => {
      const pointer = requestBuffer(request);
      return rollIn(request, engine._RollwrightRollLaidOut(pointer));
    });
  }

  #withState(call) {
    engine._RollwrightSeed(this.#state);
    try {
      return call();
    } finally {
      this.#state = engine._RollwrightState();
    }
  }
}

// Without a seed, every call shares one generator, seeded once from the
// platform's cryptographic randomness.
const shared = new Roller();

function rollerFor(options) {
  return options?.seed === undefined ? shared :
                                       new Roller({seed: options.seed});
}

export function roll(request, options) {
  return rollerFor(options).roll(request);
}

export function reply(request, options) {
  return rollerFor(options).reply(request);
}

export function fairness(request, sets, options) {
  return rollerFor(options).fairness(request, sets);
}

// The exact odds of one set of request: the --odds --format=json object.
export function odds(request) {
  return answeredOf(textAt(engine._RollwrightOdds(requestBuffer(request), 1)));
}

// The same odds as the CSV of --odds --format=csv.
export function oddsCsv(request) {
  answeredOf(textAt(engine._RollwrightOdds(requestBuffer(request), 0)));
  return textAt(engine._RollwrightOddsCsv());
}

// The odds as a page draws them, in one computation: {odds: the
// --odds --format=json object without "totals" ({request, refused} when
// refused), csv: the CSV (empty when refused)}. Never throws for a request.
export function oddsWithCsv(request) {
  const drawn =
      JSON.parse(textAt(engine._RollwrightOdds(requestBuffer(request), 0)));
  return {odds: drawn, csv: textAt(engine._RollwrightOddsCsv())};
}
