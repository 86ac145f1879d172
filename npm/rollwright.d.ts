// SPDX-License-Identifier: MIT
// rollwright for JavaScript and TypeScript. Each result is the object the
// native tool prints: `rollwright --json` for a roll, `rollwright --odds
// --format=json` for odds, `rollwright --fairness N --json` for a check.

/** How the module read a request. */
export interface Reading {
  sets: number;
  expression: string;
  /** The skill level; 0 when there is no skill test. */
  skill: number;
  comment: string;
}

/** One dice group of a set: its sides and its faces in the order rolled. */
export interface DiceGroup {
  sides: number;
  faces: number[];
}

/** One set: its total, its grade (with a skill level) and its dice. */
export interface RolledSet {
  total: number;
  /** "Amazing Success", "Good Success", "Ordinary Success", "Failing". */
  grade: string|null;
  /** A Critical Failure: the first d20 group's first die showed 20. */
  critical: boolean;
  dice: DiceGroup[];
}

/** A roll whose reply is a sentence. */
export interface Roll {
  request: string;
  /** The module's reply, exactly. */
  reply: string;
  read: Reading;
  sets: RolledSet[];
  /** A word on how the request was read when it looks like a slip. */
  hint: string|null;
}

/** The stable names of the module's errors. */
export type DiceErrorCode = 'TooManySets'|'TooManyDice'|'TooManySides'|
    'IllegalCharacter'|'InvalidOperand'|'OutOfMemory';

/** A roll whose reply is an error message. */
export interface FailedRoll {
  request: string;
  reply: string;
  /** Present when the request was read before the error. */
  read?: Reading;
  /** The error's message, the same as reply. */
  error: string;
  code: DiceErrorCode;
  hint: string|null;
}

/**
 * A figure of the odds: a number, or where the work budget left it
 * undecided (`exact` false) the interval [low, high] it is known to lie in.
 */
export type Figure = number|[number, number];

/** [first, last, chance, atLeast, atMost]: totals first to last. */
export type Bar = [number, number, Figure, Figure, Figure];
/** [total, chance, atLeast, atMost]. */
export type TotalChance = [number, number, number, number];

/** The exact odds of one set of a request. */
export interface Odds {
  request: string;
  expression: string;
  comment: string;
  sets: number;
  skill: number;
  lowest: number;
  highest: number;
  mean: Figure;
  /** The chance of a Critical Failure in one set. */
  critical: number;
  /** The chance that at least one set is a Critical Failure. */
  anyCritical: Figure;
  /** Some outcome is a total, not an error. */
  anyTotal: boolean;
  /** The expression has a twenty-sided group. */
  twentySided: boolean;
  /** The bars are one per total, not ranges. */
  eachTotal: boolean;
  /** False when some figures are intervals [low, high]. */
  exact: boolean;
  /** By grade, without the critical ones. */
  grades: Figure[];
  /** Entry k: the chance that exactly k sets succeed (several sets). */
  successes: Figure[];
  bars: Bar[];
  /** About 1,000 ranges, when the totals are too many to list. */
  buckets?: Bar[];
  /** [message, chance] for each error a set can end in. */
  errors: Array<[string, number]>;
  /** Every total, in increasing order, when they are listed. */
  totals: TotalChance[];
}

/** A chi-square test of counts against their chances. */
export interface ChiSquare {
  observed: Record<string, number>;
  expected: Record<string, number>;
  chiSquare: number;
  degreesOfFreedom: number;
  pValue: number;
}

/** A check of fairness: many sets rolled, tested against the odds. */
export interface Fairness extends ChiSquare {
  request: string;
  sets: number;
  /** The same test of a skill test's grades. */
  grades?: ChiSquare;
}

export interface RollOptions {
  /** 0 to limits.maxSeed: the roll `rollwright --seed N` gives. */
  seed?: number;
}

export class DiceError extends Error {
  readonly code: DiceErrorCode;
  readonly hint: string|null;
  constructor(message: string, code: DiceErrorCode, hint?: string|null);
}

export class OddsRefused extends Error {
  constructor(message: string);
}

export const limits: Readonly<{
  maxSets: number; maxDice: number; maxSides: number; replyCapacity: number;
  maxSeed: number;
}>;

export const outcomes: Readonly<{
  errorPrefix: string;
  /** [words in a reply, name] for each grade, in order. */
  grades: ReadonlyArray<readonly[string, string]>;
  critical: readonly[string, string];
}>;

/** A generator of its own; without a seed, seeded from crypto. */
export class Roller {
  constructor(options?: RollOptions);
  /** Throws DiceError for an error reply, TypeError for a bad request. */
  roll(request: string): Roll;
  /** The module's reply, exactly; never throws for a request string. */
  reply(request: string): string;
  /** The roll and the lines of dice `rollwright --dice` prints. */
  rollWithDice(request: string): {roll: Roll|FailedRoll; dice: string};
  fairness(request: string, sets: number): Fairness;
}

export function roll(request: string, options?: RollOptions): Roll;
export function reply(request: string, options?: RollOptions): string;
export function odds(request: string): Odds;
export function oddsCsv(request: string): string;
export function oddsWithCsv(request: string): {
  odds:
      Omit<Odds, 'totals'>|{
        request: string;
        refused: string
      };
  csv: string
};
export function fairness(
    request: string, sets: number, options?: RollOptions): Fairness;
