// SPDX-License-Identifier: MIT
// The module's exports, compiled to WebAssembly (rollwright.js), with the
// request buffer a host would hand in. The page rolls through one Engine;
// the odds worker computes through another, made from the same compiled
// module.
import createRollwright from './rollwright.js';

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

  roll(request) {
    return this.withBuffer(request, (buffer) => {
      this.module._DiceMain(0, 0, buffer, 0, 0, 0);
      return this.module.UTF8ToString(buffer);
    });
  }

  // Sets the generator's state as rollwright --seed N does.
  seed(value) {
    this.module._RollwrightSeed(value);
  }

  odds(request) {
    return this.withBuffer(
        request,
        (buffer) => JSON.parse(
            this.module.UTF8ToString(this.module._RollwrightOdds(buffer))));
  }
}
