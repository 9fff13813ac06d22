// The explanation under the window: a table per direction that ran, the
// columns of velmoro-cli --explain, made when the explanation is opened. A
// long text walks millions of words; a table shows the first kRowLimit (the
// worker sends no more) and says how many it leaves out.

import { textName, textNumber } from './word_tints.js';

const place = (span) => `${span[0]}-${span[1]}`;
const shownWord = (word) => (word.word === '' ? '(empty word)' : word.word);

// Why a word earned nothing, in velmoro-cli's words; usedBy names the earlier
// word that used its places, or is null.
function whyNothing(word, usedBy, target) {
  if (word.not_found === undefined) return '';
  if (word.not_found === 'absent') return `not in ${textName(target)}`;
  const why = `its places in ${textName(target)} were used`;
  return usedBy === null ? why : `${why} by ${usedBy}`;
}

function cell(row, text, kind = 'td') {
  const element = document.createElement(kind);
  element.textContent = text;
  if (kind === 'th') element.scope = 'col';
  row.append(element);
  return element;
}

// direction: its record with its first rows; outline: its counts and
// rowUsedBy (see web/binding.cpp).
function directionTable(direction, outline) {
  const table = document.createElement('table');
  const source = textNumber(direction.source);
  const target = textNumber(direction.target);
  table.createCaption().textContent =
    `Direction ${direction.direction}, ${textName(source)} against ` +
    `${source === target ? 'itself' : textName(target)}: score ${direction.score}` +
    (direction.complete ? '' : ', when an error ended it');
  const heading = table.createTHead().insertRow();
  for (const name of ['word', 'source', 'target', 'points', 'following', 'preceding', 'why']) {
    cell(heading, name, 'th');
  }
  const body = table.createTBody();
  direction.words.forEach((word, index) => {
    const row = body.insertRow();
    cell(row, shownWord(word));
    cell(row, place(word.source));
    cell(row, word.target === null ? '-' : place(word.target));
    for (const number of [word.points, word.following, word.preceding]) {
      cell(row, number === null ? '' : String(number)).className = 'number';
    }
    const usedBy = outline.rowUsedBy[index];
    cell(row, whyNothing(word, usedBy < 0 ? null : shownWord(direction.words[usedBy]), target));
  });
  const left = outline.words - direction.words.length;
  if (left > 0) {
    table.createTFoot().insertRow().insertCell().append(
      `and ${left.toLocaleString()} more ${left === 1 ? 'word' : 'words'}, not shown here ` +
      '(velmoro-cli --explain lists every word)');
    table.tFoot.rows[0].cells[0].colSpan = 7;
  }
  const scroller = document.createElement('div');
  scroller.className = 'table-scroller';
  scroller.append(table);
  return scroller;
}

const nextTask = () => new Promise((resolve) => { setTimeout(resolve); });

export class ExplanationTables {
  // details: the <details> that holds the tables in container.
  constructor(details, container) {
    this.details = details;
    this.container = container;
    this.shown = null;
    this.made = null;
    details.addEventListener('toggle', () => this.make());
  }

  // explain and outlines of the last Compare, or null for none.
  show(explain, outlines) {
    this.shown = explain && { explain, outlines };
    this.made = null;
    this.container.replaceChildren();
    this.details.hidden = !explain || explain.every((direction) => direction === null);
    this.make();
  }

  // The tables of what is shown, a task each, once the explanation is open.
  async make() {
    const shown = this.shown;
    if (!this.details.open || !shown || this.made === shown) return;
    this.made = shown;
    for (const [index, direction] of shown.explain.entries()) {
      if (direction === null) continue;
      if (this.shown !== shown) return;
      this.container.append(directionTable(direction, shown.outlines[index]));
      await nextTask();
    }
  }
}
