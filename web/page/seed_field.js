// SPDX-License-Identifier: MIT
// The seed field: a number makes a generator seeded as rollwright --seed N
// seeds it (and starts that sequence again whenever it changes); an empty
// field one seeded from the browser's cryptographic randomness. Anything else
// is refused with a message next to the field, and rolling waits for a valid
// seed or an empty field.

// '' is no seed (null); a decimal number up to maxSeed is a seed; anything
// else is undefined.
function parseSeed(text, maxSeed) {
  const trimmed = text.trim();
  if (trimmed === '') return null;
  if (!/^[0-9]+$/.test(trimmed)) return undefined;
  const value = Number(trimmed);
  return value <= maxSeed ? value : undefined;
}

export class SeedField {
  // Roller: the package's generator class; maxSeed: the largest seed.
  constructor(input, message, Roller, maxSeed) {
    this.input = input;
    this.message = message;
    this.Roller = Roller;
    this.maxSeed = maxSeed;
    this.valid = true;
    this.roller = new Roller();
  }

  // Makes the roller from the field's text; says whether the text is valid.
  apply() {
    const maxSeed = this.maxSeed;
    const value = parseSeed(this.input.value, maxSeed);
    this.valid = value !== undefined;
    this.input.setAttribute('aria-invalid', String(!this.valid));
    this.message.textContent = this.valid ?
        '' :
        `Not a seed: a whole number from 0 to ${maxSeed}, or empty for ` +
            'random rolls. Nothing is rolled until it is one.';
    this.message.toggleAttribute('hidden', this.valid);
    if (value === null) this.roller = new this.Roller();
    if (typeof value === 'number') this.roller = new this.Roller({seed: value});
    return this.valid;
  }
}
