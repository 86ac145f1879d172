// SPDX-License-Identifier: MIT
// The requests rolled so far, walked with Up and Down in the request field
// as a shell's history is: Up goes back, Down comes forward again to the
// line being typed before. The last MAX_HISTORY requests are kept across
// visits, shared by the page's windows.
import {loadStored, saveStored} from './stored.js';

const HISTORY_KEY = 'rollwright.history';
const MAX_HISTORY = 100;

export class RequestHistory {
  // onRecall(request) is told of each request put into the field.
  constructor(field, onRecall) {
    this.field = field;
    this.onRecall = onRecall;
    this.requests = RequestHistory.stored();
    this.at = this.requests.length;
    this.draft = '';
    field.addEventListener('keydown', (event) => this.onKey(event));
  }

  // The stored requests; fallback where the browser stores nothing.
  static stored(fallback = []) {
    const requests = loadStored(HISTORY_KEY, fallback);
    return Array.isArray(requests) ?
        requests.filter((request) => typeof request === 'string') :
        [];
  }

  add(request) {
    const requests = RequestHistory.stored(this.requests.slice());
    if (request !== '' && request !== requests[requests.length - 1]) {
      requests.push(request);
      saveStored(HISTORY_KEY, requests.slice(-MAX_HISTORY));
    }
    this.requests = requests.slice(-MAX_HISTORY);
    this.at = this.requests.length;
  }

  onKey(event) {
    if (event.altKey || event.ctrlKey || event.metaKey || event.shiftKey)
      return;
    const step = {ArrowUp: -1, ArrowDown: 1}[event.key];
    if (step === undefined) return;
    const to = this.at + step;
    if (to < 0 || to > this.requests.length) return;
    event.preventDefault();
    if (this.at === this.requests.length) this.draft = this.field.value;
    this.at = to;
    this.field.value =
        to === this.requests.length ? this.draft : this.requests[to];
    this.field.setSelectionRange(
        this.field.value.length, this.field.value.length);
    this.onRecall(this.field.value);
  }
}
