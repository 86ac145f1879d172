// SPDX-License-Identifier: MIT
// Favourites: requests saved under names the player chooses, kept across
// visits. Each is a button named after it that rolls it, with buttons to
// rename it (in place: Enter keeps the new name, Escape the old) and to
// remove it. A name saved again takes the new request.
import {element} from './dom.js';
import {loadStored, saveStored} from './stored.js';

const FAVOURITES_KEY = 'rollwright.favourites';

// [[name, request], ...] as stored, without anything that is not one.
function validFavourites(list) {
  if (!Array.isArray(list)) return [];
  return list.filter(
      (item) => Array.isArray(item) && item.length === 2 &&
          item.every((text) => typeof text === 'string' && text !== ''));
}

export class Favourites {
  // onRoll(request) rolls a favourite; onChange() is told of every change.
  constructor(root, onRoll, onChange) {
    this.list = root.querySelector('#favourites');
    this.name = root.querySelector('#favourite-name');
    this.status = root.querySelector('#favourite-status');
    this.onRoll = onRoll;
    this.onChange = onChange;
    this.saved = validFavourites(loadStored(FAVOURITES_KEY, []));
    this.render();
  }

  // Saves request under the name in the name field.
  save(request) {
    const name = this.name.value.trim();
    if (request.trim() === '') return this.tell('Type a request to save.');
    if (name === '') return this.tell('Type a name for the favourite.');
    const same = this.saved.find(([saved]) => saved === name);
    if (same === undefined) {
      this.saved.push([name, request]);
    } else {
      same[1] = request;
    }
    this.name.value = '';
    this.tell(`Saved ${name}: ${request}`);
    this.changed();
  }

  // Adds a link's favourites; a name already saved for another request
  // keeps its own, and the link's one gets the name with a number after it.
  merge(favourites) {
    const before = this.saved.length;
    for (const [name, request] of validFavourites(favourites)) {
      if (this.saved.some(([n, r]) => n === name && r === request)) continue;
      let unique = name;
      for (let i = 2; this.saved.some(([n]) => n === unique); ++i) {
        unique = `${name} (${i})`;
      }
      this.saved.push([unique, request]);
    }
    if (this.saved.length !== before) this.changed();
  }

  tell(message) {
    this.status.textContent = message;
    this.status.toggleAttribute('hidden', message === '');
  }

  changed() {
    saveStored(FAVOURITES_KEY, this.saved);
    this.render();
    this.onChange();
  }

  render() {
    this.list.replaceChildren(...this.saved.map((favourite) => {
      const [name, request] = favourite;
      const item = element('li', {class: 'favourite'});
      const roll = element('button', {type: 'button', title: request}, name);
      roll.addEventListener('click', () => this.onRoll(favourite[1]));
      const rename =
          element('button', {type: 'button', class: 'quiet'}, 'Rename');
      rename.setAttribute('aria-label', `Rename ${name}`);
      rename.addEventListener('click', () => this.rename(item, favourite));
      const remove =
          element('button', {type: 'button', class: 'quiet'}, 'Remove');
      remove.setAttribute('aria-label', `Remove ${name}`);
      remove.addEventListener('click', () => {
        this.saved = this.saved.filter((saved) => saved !== favourite);
        this.tell(`Removed ${name}.`);
        this.changed();
        this.name.focus();
      });
      item.append(roll, rename, remove);
      return item;
    }));
  }

  // Turns a favourite's row into a field for its new name.
  rename(item, favourite) {
    const field = element(
        'input', {type: 'text', 'aria-label': `New name of ${favourite[0]}`});
    field.value = favourite[0];
    let done = false;
    // keep: the new name, if free, replaces the old; then the row's first
    // button takes the focus back when the keyboard ended the renaming.
    const finish = (keep, refocus) => {
      if (done) return;
      done = true;
      const name = field.value.trim();
      const taken = keep &&
          this.saved.some((saved) => saved !== favourite && saved[0] === name);
      if (keep && name !== '' && !taken) favourite[0] = name;
      if (taken) this.tell(`A favourite is already named ${name}.`);
      this.changed();
      const row = this.list.children[this.saved.indexOf(favourite)];
      if (refocus) row?.querySelector('button').focus();
    };
    field.addEventListener('keydown', (event) => {
      if (event.key !== 'Enter' && event.key !== 'Escape') return;
      event.preventDefault();
      finish(event.key === 'Enter', true);
    });
    field.addEventListener('blur', () => finish(true, false));
    item.replaceChildren(field);
    field.focus();
    field.select();
  }
}
