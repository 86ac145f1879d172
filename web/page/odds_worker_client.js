// SPDX-License-Identifier: MIT
// The page's side of the odds worker: one computation at a time, away from
// the page's thread, so that no request can hold up typing or rolling. A
// new computation supersedes one still running (its worker is ended and a
// fresh one started); a worker that fails is ended too, and the next
// computation starts a fresh one.

import {boundedFigures} from './bounded_figures.js';

export class OddsWorkerClient {
  constructor() {
    this.worker = null;
    this.pending = null;
    this.nextId = 1;
  }

  // Calls onAnswer(odds, csv) or onFailure(message) once, unless a later
  // compute or cancel supersedes this one first.
  compute(request, onAnswer, onFailure) {
    this.cancel();
    const id = this.nextId++;
    this.pending = {id, onAnswer, onFailure};
    this.startedWorker().postMessage({id, request});
  }

  // Ends the computation still running, if any, and readies a fresh worker.
  cancel() {
    if (this.pending === null) return;
    this.pending = null;
    this.endWorker();
    this.startedWorker();
  }

  startedWorker() {
    if (this.worker === null) {
      this.worker = new Worker(
          new URL('odds_worker.js', import.meta.url), {type: 'module'});
      this.worker.onmessage = ({data}) => this.receive(data);
      this.worker.onerror = (event) => {
        event.preventDefault();
        this.fail(event.message || 'the worker stopped');
      };
      this.worker.onmessageerror = () => this.fail('an unreadable answer');
    }
    return this.worker;
  }

  receive(data) {
    if (this.pending === null || data.id !== this.pending.id) return;
    if (data.failure !== undefined) {
      this.fail(data.failure);
      return;
    }
    const {onAnswer} = this.pending;
    this.pending = null;
    onAnswer(boundedFigures(data.odds), data.csv);
  }

  fail(message) {
    const pending = this.pending;
    this.pending = null;
    this.endWorker();
    if (pending !== null) pending.onFailure(message);
  }

  endWorker() {
    if (this.worker !== null) this.worker.terminate();
    this.worker = null;
  }
}
