// SPDX-License-Identifier: MIT
// The npm package as a user installs it (check_npm_package.sh runs this from
// a scratch project), against the native tool in ROLLWRIGHT_TOOL: its rolls,
// replies, odds and checks of fairness are the tool's, seeded alike.
import assert from 'node:assert/strict';
import {execFileSync} from 'node:child_process';
import {test} from 'node:test';
import * as rollwright from 'rollwright';

const {roll, reply, odds, oddsCsv, fairness, Roller, DiceError, OddsRefused} =
    rollwright;

function tool(...args) {
  try {
    return execFileSync(process.env.ROLLWRIGHT_TOOL, args, {encoding: 'utf8'});
  } catch (error) {
    if (error.status === 1) return error.stdout;  // an error reply
    throw error;
  }
}

function toolJson(...args) {
  return tool(...args).trimEnd().split('\n').map((line) => JSON.parse(line));
}

// The same JSON, but for the last bits of a figure that the engine's
// floating point and the platform's libm may round apart.
function assertSameData(actual, expected, where) {
  if (typeof expected === 'number' && !Number.isInteger(expected)) {
    assert.ok(
        Math.abs(actual - expected) <= 1e-12 * Math.max(1, Math.abs(expected)),
        `${where}: ${actual} != ${expected}`);
  } else if (expected !== null && typeof expected === 'object') {
    assert.deepEqual(Object.keys(actual), Object.keys(expected), where);
    for (const key of Object.keys(expected)) {
      assertSameData(actual[key], expected[key], `${where}.${key}`);
    }
  } else {
    assert.equal(actual, expected, where);
  }
}

// Requests of every shape, each with a seed.
const requests = [
  ['3d6 skill 12 sword', 1],
  ['2d6+1d4-3*2', 2],
  ['30#d20', 3],
  ['d20+2 skill 14', 19],  // its first d20 shows 20: a Critical Failure
  ['2#d20+2 skill 14 dodge', 4],
  ['2d6 + 3', 5],  // with a hint
  [
    '3d6 ' +
        'a long comment '.repeat(70),
    6
  ],
  ['3#d6 épée ⚔ «fire»', 7],
  ['', 8],
  ['2D6', 9],
  ['31#d6', 10],
  ['101d6', 11],
  ['d501', 12],
  ['2d6d4', 13],
];

test('roll gives the tool\'s --json object, or throws its error', () => {
  for (const [request, seed] of requests) {
    const [expected] = toolJson('--seed', String(seed), '--json', request);
    if (expected.error === undefined) {
      assert.deepEqual(roll(request, {seed}), expected, request);
      continue;
    }
    assert.throws(() => roll(request, {seed}), (error) => {
      assert.ok(error instanceof DiceError && error instanceof Error);
      assert.deepEqual(
          [error.message, error.code, error.hint],
          [expected.error, expected.code, expected.hint]);
      return true;
    }, request);
    assert.deepEqual(
        new Roller({seed}).rollWithDice(request).roll, expected, request);
  }
});

test('a seeded Roller and reply give the tool\'s sequence', () => {
  const sequence = requests.map(([request]) => request);
  const expected = toolJson('--seed', '42', '--json', ...sequence);
  const roller = new Roller({seed: 42});
  assert.deepEqual(
      sequence.map((request) => roller.rollWithDice(request).roll), expected);
  const replies = tool('--seed', '42', ...sequence).trimEnd().split('\n');
  const again = new Roller({seed: 42});
  assert.deepEqual(sequence.map((request) => again.reply(request)), replies);
  assert.equal(reply('3d6', {seed: 42}), tool('--seed', '42', '3d6').trimEnd());
});

test('odds, oddsCsv and fairness give the tool\'s data', () => {
  for (const request
           of ['3d6 skill 12', '2#d20+2 skill 14', '2d6-1d4', 'd41']) {
    const [expected] = toolJson('--odds', '--format=json', request);
    assertSameData(odds(request), expected, request);
    assert.equal(
        oddsCsv(request), tool('--odds', '--format=csv', request), request);
    const [check] =
        toolJson('--seed', '5', '--fairness', '2000', '--json', request);
    assertSameData(fairness(request, 2000, {seed: 5}), check, request);
  }
  // Past the budget: figures as intervals, too loose to test against.
  const bounded = '100d500*100d500*100d500';
  assertSameData(
      odds(bounded), toolJson('--odds', '--format=json', bounded)[0], bounded);
  assert.throws(() => fairness(bounded, 10), OddsRefused);
  assert.throws(() => odds('2D6'), OddsRefused);
  assert.throws(() => fairness('3d6', 0), RangeError);
});

test('requests that are not text are refused, long ones answered', () => {
  for (const request of ['3d6\0skill 12', 42, null, undefined]) {
    assert.throws(() => reply(request), TypeError, String(request));
    assert.throws(() => roll(request), TypeError, String(request));
  }
  const long = '2d6 ' +
      'x'.repeat(5000);
  assert.equal(reply(long, {seed: 1}), tool('--seed', '1', long).trimEnd());
  assert.throws(() => new Roller({seed: -1}), RangeError);
  assert.deepEqual(rollwright.limits, {
    maxSets: 30,
    maxDice: 100,
    maxSides: 500,
    replyCapacity: 900,
    maxSeed: 4294967295
  });
});

test('unseeded Rollers differ from each other', () => {
  const rolled = (roller) => roller.reply('10#d500');
  assert.notEqual(rolled(new Roller()), rolled(new Roller()));
});
