// SPDX-License-Identifier: MIT
// The list of replies, newest first. Each reply keeps the number it was
// given when it arrived; each outcome of a skill test is coloured by its
// grade (the terminal's colours) and marked by a sign beside the reply's
// own words; each reply has a button that copies its text, a disclosure of
// the dice behind it, and a hint when its request may be a slip.
import {element} from './dom.js';

const MAX_REPLIES = 200;

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
    this.count = 0;
  }

  // rolled: the reply with its dice and hint, as the playground gives them.
  add(request, rolled) {
    const {reply, dice, hint} = rolled;
    this.count += 1;
    const item = element('li', {class: 'reply', title: request});
    if (reply.startsWith(this.errorPrefix)) item.classList.add('error-reply');
    item.append(element('span', {class: 'reply-number'}, `${this.count}.`));
    const text = element('span', {class: 'reply-text'});
    text.append(...replySpans(reply, this.kinds));
    item.append(text);
    const copy = element(
        'button', {
          type: 'button',
          class: 'copy',
          'aria-label': `Copy reply ${this.count}`
        },
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
    this.list.prepend(item);
    while (this.list.children.length > MAX_REPLIES)
      this.list.lastChild.remove();
  }

  clear() {
    this.list.replaceChildren();
    this.count = 0;
  }

  flash(button, word) {
    button.textContent = word;
    setTimeout(() => {
      button.textContent = 'Copy';
    }, 1500);
  }
}
