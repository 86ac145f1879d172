// SPDX-License-Identifier: MIT
// The dice pad builds a request in the request field from taps, in one form:
// [SETS#]DICE[+N|-N][ skill LEVEL][ COMMENT], where DICE is dice groups
// joined by + (2d6+d20). A die's button adds one such die: to the group of
// its sides if there is one (d6, d6: 2d6), else as a new group (then d20:
// 2d6+d20). +1 and −1 change the number added at the end; the set count
// and the skill level are fields of the pad (a skill level left empty is no
// skill test). The field stays free to edit: the pad reads it again before
// each tap, and tells, rather than builds, a request the module would
// refuse or one it cannot read.

export const PAD_SIDES = [4, 6, 8, 10, 12, 20, 100];

const PAD_FORM =
    /^(?:(\d+)#)?((?:\d*d\d+)(?:\+\d*d\d+)*)?(?:([+-]\d+))?(?: skill (\d+))?(?: (.*))?$/;

// The pad's parts of request, or null when it is not of the pad's form.
export function readPadRequest(request) {
  const found = PAD_FORM.exec(request);
  if (found === null) return null;
  const [, sets, dice, modifier, skill, comment] = found;
  return {
    sets: sets === undefined ? 1 : Number(sets),
    dice: dice === undefined ? [] : dice.split('+').map((group) => {
      const [count, sides] = group.split('d');
      return [count === '' ? 1 : Number(count), Number(sides)];
    }),
    modifier: modifier === undefined ? 0 : Number(modifier),
    skill: skill ?? '',
    comment: comment ?? ''
  };
}

export function writePadRequest({sets, dice, modifier, skill, comment}) {
  let request = sets > 1 ? `${sets}#` : '';
  request +=
      dice.map(([count, sides]) => `${count === 1 ? '' : count}d${sides}`)
          .join('+');
  if (modifier !== 0) request += (modifier > 0 ? '+' : '') + String(modifier);
  if (skill !== '') request += ` skill ${skill}`;
  if (comment !== '') request += ` ${comment}`;
  return request;
}

export class DicePad {
  // onBuilt(request) is told of each request the pad puts into the field.
  constructor(root, field, facts, onBuilt) {
    this.field = field;
    this.facts = facts;
    this.onBuilt = onBuilt;
    this.sets = root.querySelector('#pad-sets');
    this.skill = root.querySelector('#pad-skill');
    this.status = root.querySelector('#pad-status');
    this.sets.max = String(facts.maxSets);
    const dice = root.querySelector('.pad-dice');
    for (const sides of PAD_SIDES) {
      const button = document.createElement('button');
      button.type = 'button';
      button.textContent = `d${sides}`;
      button.addEventListener(
          'click', () => this.change((parts) => this.addDie(parts, sides)));
      dice.append(button);
    }
    for (const button of root.querySelectorAll('[data-add]')) {
      const step = Number(button.dataset.add);
      button.addEventListener(
          'click', () => this.change((parts) => this.addNumber(parts, step)));
    }
    this.sets.addEventListener(
        'input', () => this.change((parts) => this.setSets(parts)));
    this.skill.addEventListener(
        'input', () => this.change((parts) => this.setSkill(parts)));
  }

  // Shows the field's set count and skill level in the pad's fields.
  show() {
    const parts = readPadRequest(this.field.value);
    if (parts === null) return;
    this.sets.value = String(parts.sets);
    this.skill.value = parts.skill;
    this.tell('');
  }

  // Applies edit to the field's parts: edit returns why it cannot, or ''.
  change(edit) {
    const parts = readPadRequest(this.field.value);
    if (parts === null) {
      this.tell(
          'The pad cannot read this request: clear the field or ' +
          'write it as dice joined by +, then +N or -N.');
      return;
    }
    const refusal = edit(parts) || this.brokenLimit(parts);
    this.tell(refusal);
    if (refusal !== '') return;
    this.field.value = writePadRequest(parts);
    this.onBuilt(this.field.value);
  }

  tell(message) {
    this.status.textContent = message;
    this.status.toggleAttribute('hidden', message === '');
  }

  // Why the module would refuse the request of parts, or ''.
  brokenLimit(parts) {
    const {maxSets, maxDice, maxSides} = this.facts;
    if (!Number.isInteger(parts.sets) || parts.sets < 1 ||
        parts.sets > maxSets) {
      return `Sets: a whole number from 1 to ${maxSets}.`;
    }
    if (parts.dice.some(([count]) => count > maxDice)) {
      return `A dice group has at most ${maxDice} dice.`;
    }
    if (parts.dice.some(([, sides]) => sides > maxSides)) {
      return `A die has at most ${maxSides} sides.`;
    }
    return '';
  }

  addDie(parts, sides) {
    const group = parts.dice.find(([, groupSides]) => groupSides === sides);
    if (group === undefined) {
      parts.dice.push([1, sides]);
    } else {
      group[0] += 1;
    }
    return '';
  }

  addNumber(parts, step) {
    if (parts.dice.length === 0) return 'Add a die first, then a number.';
    parts.modifier += step;
    return '';
  }

  setSets(parts) {
    parts.sets = this.sets.value.trim() === '' ? 0 : Number(this.sets.value);
    return '';
  }

  setSkill(parts) {
    const skill = this.skill.value.trim();
    if (skill !== '' && !/^0*[1-9]\d*$/.test(skill)) {
      return 'Skill level: a whole number from 1, or empty for no skill test.';
    }
    parts.skill = skill === '' ? '' : String(Number(skill));
    return '';
  }
}
