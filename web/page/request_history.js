// SPDX-License-Identifier: MIT
// The requests rolled so far, walked with Up and Down in the request field
// as a shell's history is: Up goes back, Down comes forward again to the
// line being typed before.

export class RequestHistory {
  // onRecall(request) is told of each request put into the field.
  constructor(field, onRecall) {
    this.field = field;
    this.onRecall = onRecall;
    this.requests = [];
    this.at = 0;
    this.draft = '';
    field.addEventListener('keydown', (event) => this.onKey(event));
  }

  add(request) {
    if (request !== '' && request !== this.requests[this.requests.length - 1]) {
      this.requests.push(request);
    }
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
