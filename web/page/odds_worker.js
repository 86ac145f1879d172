// SPDX-License-Identifier: MIT
// Computes the odds of a request away from the page's thread, with the npm
// package's engine of its own. The page posts {id, request} messages; each
// gets {id, odds, csv} back, or {id, failure} when the engine trapped (after
// which the page ends this worker: its memory may be in any state).
const rollwright = import('./rollwright.js');

self.onmessage = async ({data}) => {
  try {
    self.postMessage(
        {id: data.id, ...(await rollwright).oddsWithCsv(data.request)});
  } catch (error) {
    self.postMessage({id: data.id, failure: String(error?.message ?? error)});
  }
};
