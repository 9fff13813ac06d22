// What the boxes show of a Compare, as the window shows it: each box tints
// the words found in the other text (Text1 by direction 1, Text2 by direction
// 2), blue for a word credited by its context, orange for a single point,
// stronger the more points it earned, underlined with dashes where the match
// is only part of a longer word; words not found stay plain. Resting the
// pointer on a word shows what it earned, or why it earned nothing, and
// selects its match in the other box. Editing a box clears it. A box holding
// a paragraph longer than kAskUnits is not tinted (the worker tells), and
// tints go in a slice at a time, so that a long text never holds the page.

import { kExplanationTexts as texts } from './explanation_texts.js';
import { caretAt } from './text_box.js';

// --- The window's words ---------------------------------------------------

// template with its markers %1, %2... replaced by values, in one pass: what a
// value holds is never read for markers.
const fill = (template, ...values) => template.replace(/%(\d)/g, (marker, n) => String(values[n - 1]));

const points = (n) => (n === 1 ? texts.OnePoint : fill(texts.Points, n));
const wordCount = (n) => (n === 1 ? texts.OneWord : fill(texts.Words, n));
export const textName = (text) => fill(texts.TextName, text);
export const textNumber = (name) => Number(name.slice(-1));

// found: { text, enclosingWord, insideLonger }.
function wordToolTip(word, sourceText, found) {
  const where = fill(found.insideLonger ? texts.FoundInside : texts.FoundAs, textName(found.text),
    found.enclosingWord);
  if (word.following === null) {
    return fill(texts.SinglePoint, where, points(word.points), textName(sourceText));
  }
  return fill(texts.ByContext, where, points(word.points), word.following, word.preceding);
}

// why: 'absent', 'used' or undefined (not known); usedBy: the earlier word
// that took its first place, or ''.
export function notFoundToolTip(targetText, why, usedBy) {
  const notFound = fill(texts.NotFound, textName(targetText));
  if (why === undefined) return notFound;
  if (why === 'absent') return fill(texts.Absent, notFound);
  if (usedBy === '') return fill(texts.Used, notFound);
  return fill(texts.UsedBy, notFound, usedBy);
}

// counts: { words, found, byContext } of direction.
export function panelToolTip(panelText, direction, counts) {
  const singles = counts.found - counts.byContext;
  const found = fill(texts.PanelFound, counts.found, counts.byContext,
    singles === 1 ? texts.OneSinglePoint : fill(texts.SinglePoints, singles));
  const source = textNumber(direction.source);
  const target = textNumber(direction.target);
  const words = wordCount(counts.words);
  if (source === target) return fill(texts.PanelItself, panelText, textName(source), words, found);
  return fill(texts.PanelAgainst, panelText, textName(source), words, textName(target), found);
}

// --- The words of a box -----------------------------------------------------

// Per found word, in foundWords: its start and end, its match's, the start
// and end of the word that holds the match, how the match stands there (0 the
// whole word), points, following and preceding (-1: none); per used word, in
// usedWords: its start and end and the start and end of the found word that
// took its first place (-1: none named). See web/binding.cpp.
const kFoundFields = 10;
const kUsedFields = 4;
const kWholeWord = 0;

function foundWord(words, index) {
  const at = index * kFoundFields;
  const field = (offset) => words[at + offset];
  const run = (offset) => (field(offset) < 0 ? null : field(offset));
  return {
    start: field(0), end: field(1), match: [field(2), field(3)], enclosing: [field(4), field(5)],
    insideLonger: field(6) !== kWholeWord, points: field(7), following: run(8), preceding: run(9),
  };
}

// The last of count records, each fields long, whose start is at most offset.
function lastStartingBy(records, fields, offset) {
  let low = 0;
  let high = records.length / fields;
  while (low < high) {
    const middle = (low + high) >> 1;
    if (records[middle * fields] <= offset) low = middle + 1; else high = middle;
  }
  return low - 1;
}

// A tooltip shows at most this much of a word.
const kShownWordUnits = 80;
const shown = (word) => (word.length > kShownWordUnits ? `${word.slice(0, kShownWordUnits)}…` : word);

// --- Tints ------------------------------------------------------------------

const tintNames = [];
for (const credit of ['context', 'single']) {
  for (let level = 1; level <= 4; ++level) tintNames.push(`velmoro-${credit}-${level}`);
}
tintNames.push('velmoro-inside-longer', 'velmoro-match');
// A browser without the CSS Custom Highlight API compares all the same,
// without tints.
const tintRegistry = 'highlights' in CSS ? CSS.highlights : new Map();
for (const name of tintNames) {
  tintRegistry.set(name, typeof Highlight === 'function' ? new Highlight() : new Set());
}
const highlight = (name) => tintRegistry.get(name);

// Tints go in this many words a task.
const kTintSlice = 2000;
const nextTask = () => new Promise((resolve) => { setTimeout(resolve); });

export class WordTints {
  // boxes: the two TextBox; tip: the tooltip element; isWordUnit(unit):
  // whether a unit is part of a word.
  constructor(boxes, tip, isWordUnit) {
    this.boxes = boxes;
    this.tip = tip;
    this.isWordUnit = isWordUnit;
    this.shown = [null, null];
    this.hovered = null;
    boxes.forEach((box, index) => {
      box.element.addEventListener('mousemove', (event) => this.follow(index, event));
      box.element.addEventListener('mouseleave', () => this.hover(null));
    });
  }

  // Shows in box index what outline, the tinted outline of the direction
  // whose source it holds, says of the words of texts, the texts the Compare
  // was given.
  async show(index, direction, outline, texts) {
    this.clear(index);
    const words = { direction, outline, texts, tints: [] };
    this.shown[index] = words;
    const found = outline.foundWords.length / kFoundFields;
    for (let first = 0; first < found; first += kTintSlice) {
      if (first > 0) await nextTask();
      if (this.shown[index] !== words) return;
      for (let i = first; i < Math.min(first + kTintSlice, found); ++i) this.tint(index, words, foundWord(outline.foundWords, i));
    }
  }

  tint(index, words, word) {
    const credit = word.following !== null ? 'context' : 'single';
    const level = Math.min(Math.max(word.points, 1), 4);
    const names = [`velmoro-${credit}-${level}`];
    if (word.insideLonger) names.push('velmoro-inside-longer');
    for (const name of names) {
      const range = this.boxes[index].range(word.start, word.end);
      highlight(name).add(range);
      words.tints.push([name, range]);
    }
  }

  clear(index) {
    this.hover(null);
    const words = this.shown[index];
    if (!words) return;
    for (const [name, range] of words.tints) highlight(name).delete(range);
    this.shown[index] = null;
  }

  // The tooltip of the word of box index at offset, with the match to select
  // in the other box, or null.
  wordAt(index, offset) {
    const words = this.shown[index];
    if (!words) return null;
    const { direction, outline, texts } = words;
    const other = 1 - index;
    const source = texts[index];
    const target = texts[other];
    const last = lastStartingBy(outline.foundWords, kFoundFields, offset);
    const word = last >= 0 ? foundWord(outline.foundWords, last) : null;
    if (word && offset <= word.end) {
      const enclosingWord = shown(target.slice(...word.enclosing));
      const toolTip = wordToolTip(word, index + 1, { text: other + 1, enclosingWord, insideLonger: word.insideLonger });
      return { toolTip, match: word.match };
    }
    const inWord = this.isWordUnit(source.charAt(offset)) || this.isWordUnit(source.charAt(offset - 1));
    if (offset > outline.walkedEnd || !inWord) return null;
    return { toolTip: this.whyNotFound(direction, outline, source, offset), match: null };
  }

  // A word of a completed direction that earned nothing either had its
  // places used, by the found word named, or does not occur at all.
  whyNotFound(direction, outline, source, offset) {
    const target = textNumber(direction.target);
    if (!direction.complete) return notFoundToolTip(target);
    const used = lastStartingBy(outline.usedWords, kUsedFields, offset);
    if (used < 0 || offset > outline.usedWords[used * kUsedFields + 1]) return notFoundToolTip(target, 'absent');
    const by = outline.usedWords.slice(used * kUsedFields + 2, (used + 1) * kUsedFields);
    const usedBy = by[0] < 0 ? '' : shown(source.slice(...by));
    return notFoundToolTip(target, 'used', usedBy);
  }

  follow(index, event) {
    const caret = caretAt(event.clientX, event.clientY);
    const offset = caret ? this.boxes[index].offsetOf(caret.node, caret.offset) : null;
    const word = offset === null ? null : this.wordAt(index, offset);
    this.hover(word && { index, word });
    if (!word) return;
    const room = document.documentElement.clientWidth - this.tip.offsetWidth - 4;
    this.tip.style.left = `${Math.max(0, Math.min(event.pageX + 12, room + scrollX))}px`;
    this.tip.style.top = `${event.pageY + 18}px`;
  }

  hover(target) {
    const same = (a, b) => a === b || (a !== null && b !== null && a.index === b.index &&
      a.word.toolTip === b.word.toolTip && String(a.word.match) === String(b.word.match));
    if (same(this.hovered, target)) return;
    highlight('velmoro-match').clear();
    this.hovered = target;
    this.tip.hidden = target === null;
    if (target === null) return;
    this.tip.textContent = target.word.toolTip;
    // A box edited since holds no explanation, and no match fits it.
    const other = 1 - target.index;
    if (target.word.match && this.shown[other]) {
      highlight('velmoro-match').add(this.boxes[other].range(...target.word.match));
    }
  }
}
