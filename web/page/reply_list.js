// SPDX-License-Identifier: MIT
// The list of replies, newest first. Each reply keeps the number it was
// given when it arrived; each outcome of a skill test is coloured by its
// grade (the terminal's colours) and marked by a sign beside the reply's
// own words; each reply has a button that copies its text, a disclosure of
// the dice behind it, and a hint when its request may be a slip. The
// replies are kept across visits, as the history is, until Clear.
import {element} from './dom.js';
import {loadStored, saveStored} from './stored.js';

const MAX_REPLIES = 200;
const REPLIES_KEY = 'rollwright.replies';

// The stored replies, newest first, without anything that is not one.
function storedReplies() {
  const stored = loadStored(REPLIES_KEY, []);
  if (!Array.isArray(stored)) return [];
  return stored
      .filter(
          (record) => record !== null && Number.isInteger(record.number) &&
              ['request', 'reply', 'dice'].every(
                  (key) => typeof record[key] === 'string') &&
              (record.hint === null || typeof record.hint === 'string'))
      .slice(0, MAX_REPLIES);
}

// The module's words that end each graded outcome, and the outcome's class.
function outcomeKinds(facts) {
  return facts.grades.map(([words], grade) => [words, `grade-${grade}`])
      .concat([[facts.critical[0], 'grade-critical']]);
}

// The reply's text as spans: the words up to " and gets ", then each
// outcome with the comma after it, kept on one line, a graded one in a span
// of its grade's class.
function replySpans(reply, kinds) {
  const gets = ' and gets ';
  const start = reply.lastIndexOf(gets);
  if (start < 0) return [document.createTextNode(reply)];
  const spans = [document.createTextNode(reply.slice(0, start + gets.length))];
  const outcomes = reply.slice(start + gets.length).split(', ');
  outcomes.forEach((outcome, i) => {
    const kind = kinds.find(([words]) => outcome.endsWith(words));
    const item = element('span', {class: 'outcome-item'});
    item.append(
        kind === undefined ?
            outcome :
            element('span', {class: `outcome ${kind[1]}`}, outcome),
        i + 1 < outcomes.length ? ',' : '');
    spans.push(item);
    if (i + 1 < outcomes.length) spans.push(document.createTextNode(' '));
  });
  return spans;
}

// Puts text on the clipboard, also where the page is not served securely.
function copyText(text) {
  if (navigator.clipboard !== undefined && window.isSecureContext) {
    return navigator.clipboard.writeText(text);
  }
  const area = element('textarea', {class: 'visually-hidden'});
  area.value = text;
  document.body.append(area);
  area.select();
  const copied = document.execCommand('copy');
  area.remove();
  return copied ? Promise.resolve() : Promise.reject(new Error('not copied'));
}

// The dice behind a reply, a line per set in the request's own shape, shut
// until asked for.
function diceDisclosure(dice) {
  const disclosure = element('details', {class: 'reply-dice'});
  disclosure.append(
      element('summary', {}, 'Show dice'), element('pre', {}, dice.trimEnd()));
  return disclosure;
}

export class ReplyList {
  constructor(list, facts) {
    this.list = list;
    this.kinds = outcomeKinds(facts);
    this.errorPrefix = facts.errorPrefix;
    this.records = storedReplies();  // {number, request, reply, dice, hint}
    this.count = this.records[0]?.number ?? 0;
    this.addedHere = 0;  // since the page was opened
    this.list.replaceChildren(
        ...this.records.map((record) => this.replyItem(record)));
  }

  // rolled: the reply with its dice and hint, as the playground gives them.
  add(request, rolled) {
    const {reply, dice, hint} = rolled;
    this.count += 1;
    this.addedHere += 1;
    const record = {number: this.count, request, reply, dice, hint};
    this.records = [record, ...this.records].slice(0, MAX_REPLIES);
    this.list.prepend(this.replyItem(record));
    while (this.list.children.length > MAX_REPLIES)
      this.list.lastChild.remove();
    this.save();
  }

  // Brings the newest reply into view: scrolled to smoothly, or at once
  // where the reader asks for less motion.
  showNewest() {
    const still = window.matchMedia('(prefers-reduced-motion: reduce)').matches;
    this.list.firstElementChild?.scrollIntoView(
        {block: 'nearest', behavior: still ? 'auto' : 'smooth'});
  }

  clear() {
    this.list.replaceChildren();
    this.records = [];
    this.count = 0;
    this.save();
  }

  // Keeps the replies; where the browser's storage is full, the newest
  // that fit.
  save() {
    let kept = this.records;
    while (!saveStored(REPLIES_KEY, kept) && kept.length > 0) {
      kept = kept.slice(0, Math.floor(kept.length / 2));
    }
  }

  replyItem({number, request, reply, dice, hint}) {
    const item = element('li', {class: 'reply', title: request});
    if (reply.startsWith(this.errorPrefix)) item.classList.add('error-reply');
    item.append(element('span', {class: 'reply-number'}, `${number}.`));
    const text = element('span', {class: 'reply-text'});
    text.append(...replySpans(reply, this.kinds));
    item.append(text);
    const copy = element(
        'button',
        {type: 'button', class: 'copy', 'aria-label': `Copy reply ${number}`},
        'Copy');
    copy.addEventListener('click', () => {
      copyText(reply).then(
          () => this.flash(copy, 'Copied'),
          () => this.flash(copy, 'Not copied'));
    });
    item.append(copy);
    if (hint !== null) {
      item.append(element('p', {class: 'reply-hint'}, `Hint: ${hint}`));
    }
    if (dice !== '') item.append(diceDisclosure(dice));
    return item;
  }

  flash(button, word) {
    button.textContent = word;
    setTimeout(() => {
      button.textContent = 'Copy';
    }, 1500);
  }
}
