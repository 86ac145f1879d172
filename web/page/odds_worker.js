// SPDX-License-Identifier: MIT
// Computes the odds of a request away from the page's thread. The page
// first posts the compiled module, then {id, request} messages; each gets
// {id, odds, csv} back, or {id, failure} when the engine trapped (after which
// the page ends this worker: its memory may be in any state).
import {Engine} from './engine.js';

let engine = null;

self.onmessage = async ({data}) => {
  if (data.wasm !== undefined) {
    engine = Engine.create(data.wasm);
    return;
  }
  try {
    self.postMessage({id: data.id, ...(await engine).odds(data.request)});
  } catch (error) {
    self.postMessage({id: data.id, failure: String(error?.message ?? error)});
  }
};
