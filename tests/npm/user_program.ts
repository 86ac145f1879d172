// SPDX-License-Identifier: MIT
// A user's program in TypeScript, type-checked with --strict against the
// installed package's declarations.
import {DiceError, fairness, limits, odds, oddsCsv, roll, Roller} from 'rollwright';
import type {Fairness, FailedRoll, Figure, Odds, Roll} from 'rollwright';

function describe(rolled: Roll): string {
  const faces = rolled.sets.map((set) => set.dice.map((group) => group.faces));
  const grades = rolled.sets.map((set) => set.grade ?? 'no grade');
  return `${rolled.reply} ${JSON.stringify(faces)} ${grades.join()}`;
}

try {
  console.log(describe(roll('3#d20+2 skill 14', {seed: 7})));
  roll('2D6');
} catch (error) {
  if (error instanceof DiceError) console.log(error.code, error.hint ?? '');
}
const chances: Odds = odds('3d6 skill 12');
const low = (figure: Figure): number =>
    typeof figure === 'number' ? figure : figure[0];
const first: number = chances.totals[0][1] + low(chances.grades[0]);
const check: Fairness = fairness('3d6', 1000, {seed: 1});
const shown: {roll: Roll|FailedRoll; dice: string} =
    new Roller({seed: limits.maxSeed}).rollWithDice('2d6');
console.log(
    first, check.pValue, check.grades?.pValue, shown.dice, oddsCsv('d6').length,
    new Roller().reply('d6'));
