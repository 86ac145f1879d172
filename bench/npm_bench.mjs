// SPDX-License-Identifier: MIT
// Times the npm package in Node, as its users call it: microseconds per
// call of roll (with its whole result) and reply for «3d6» and for an
// everyday mix, and the seconds of odds and of a check of fairness. Not a
// timed test: the test command runs it once with a scale of 0.001.
//
//   node npm_bench.mjs PACKAGE_FOLDER [SCALE]
import path from 'node:path';
import {pathToFileURL} from 'node:url';

const [folder, scale = '1'] = process.argv.slice(2);
const rollwright =
    await import(pathToFileURL(path.join(folder, 'rollwright.js')).href);
const calls = Math.max(1, Math.round(1000000 * Number(scale)));
// Everyday requests of players' tools: the module benchmark's mix without
// its hosts' extremes.
const mix = [
  '3d6', '3d6 skill 12 sword', '2#d20+2 skill 14 dodge', '4d6', 'd20+5',
  '2d8+1d6+3', 'd100', '3#2d6+1 fire'
];

function perCall(name, call, requests) {
  for (let i = 0; i < Math.min(calls, 10000); ++i)
    call(requests[i % requests.length]);
  const started = process.hrtime.bigint();
  for (let i = 0; i < calls; ++i) call(requests[i % requests.length]);
  const nanoseconds = Number(process.hrtime.bigint() - started) / calls;
  console.log(`${name.padEnd(28)} ${(nanoseconds / 1000).toFixed(3)} us`);
}

function seconds(name, call) {
  const started = process.hrtime.bigint();
  call();
  const elapsed = Number(process.hrtime.bigint() - started) / 1e9;
  console.log(`${name.padEnd(28)} ${elapsed.toFixed(3)} s`);
}

const roller = new rollwright.Roller({seed: 1});
perCall('roll 3d6', (request) => rollwright.roll(request), ['3d6']);
perCall('reply 3d6', (request) => rollwright.reply(request), ['3d6']);
perCall('Roller.roll 3d6', (request) => roller.roll(request), ['3d6']);
perCall('roll, everyday mix', (request) => rollwright.roll(request), mix);
perCall('reply, everyday mix', (request) => rollwright.reply(request), mix);
const oddsRequest = Number(scale) >= 1 ? '100d500+100d500' : '10d50+10d50';
seconds(`odds ${oddsRequest}`, () => rollwright.odds(oddsRequest));
seconds(
    `fairness 3d6, ${Math.round(10000000 * Number(scale))} sets`,
    () => rollwright.fairness(
        '3d6', Math.max(1, Math.round(10000000 * Number(scale)))));
