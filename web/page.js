// The page: the window's controls on the engine's ES module. Compare with the
// button (click, Enter or Space on it) or Ctrl+Return anywhere; the panels,
// the result, the words tinted as the window tints them, with the window's
// tooltips, and an explanation table.

window.velmoro = import('./velmoro.js');

const $ = (id) => document.getElementById(id);
const boxes = [$('Text1'), $('Text2')];
const bars = [$('StatusBar1'), $('StatusBar2')];

// The score panels: panel 2 of each bar shows a self-score (directions 3 and
// 4), panel 3 a cross-score (directions 1 and 2).
const scorePanels = [
  { bar: 0, panel: 2, direction: 3 }, { bar: 1, panel: 2, direction: 4 },
  { bar: 0, panel: 3, direction: 1 }, { bar: 1, panel: 3, direction: 2 },
];

const panelOf = (bar, number) => bars[bar].querySelector(`[data-panel="${number}"]`);

// --- The window's words ---------------------------------------------------

const points = (n) => (n === 1 ? '1 point' : `${n} points`);
const wordCount = (n) => (n === 1 ? '1 word' : `${n} words`);
const textName = (text) => `text ${text}`;
const textNumber = (name) => Number(name.slice(-1));

function wordToolTip(word, sourceText, found, targetText) {
  if (!found) return `not found in ${textName(targetText)}`;
  const where = found.insideLonger
    ? `found in ${textName(found.text)} inside '${found.enclosingWord}'`
    : `found in ${textName(found.text)} as '${found.enclosingWord}'`;
  if (word.following === null) {
    return `${where}, ${points(word.points)}: a single point, as the rest of ` +
      `${textName(sourceText)} is not longer than the word`;
  }
  return `${where}, ${points(word.points)}: following ${word.following}, preceding ${word.preceding}`;
}

function panelToolTip(panelText, direction) {
  const found = direction.words.filter((word) => word.target !== null).length;
  const byContext = direction.words.filter((word) => word.following !== null).length;
  const singles = found - byContext;
  const counts = `${found} found, ${byContext} by context, ` +
    (singles === 1 ? '1 single point' : `${singles} single points`);
  const source = textNumber(direction.source);
  const target = textNumber(direction.target);
  const words = wordCount(direction.words.length);
  if (source === target) return `${panelText}: ${textName(source)} against itself: ${words}, ${counts}`;
  return `${panelText}: ${textName(source)}'s ${words} against ${textName(target)}: ${counts}`;
}

// --- Texts and places -----------------------------------------------------

// The text of a box, kept as one text node so that places map onto it.
function boxText(box) {
  box.normalize();
  if (box.childNodes.length > 1 || (box.firstChild && box.firstChild.nodeType !== Node.TEXT_NODE)) {
    box.textContent = box.innerText;
  }
  return box.textContent;
}

// The unit offset of each code point place of text, and of its end; a lone
// surrogate is a code point of its own.
function codePointOffsets(text) {
  const offsets = [];
  for (let at = 0; at < text.length; ++at) {
    offsets.push(at);
    const unit = text.charCodeAt(at);
    const next = text.charCodeAt(at + 1);
    if (unit >= 0xd800 && unit < 0xdc00 && next >= 0xdc00 && next < 0xe000) ++at;
  }
  offsets.push(text.length);
  return offsets;
}

function rangeIn(box, start, end) {
  const range = new Range();
  range.setStart(box.firstChild, start);
  range.setEnd(box.firstChild, end);
  return range;
}

// --- Tints and word tooltips ------------------------------------------------

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

// Per box: its words in units of that box, by start, each with its tooltip,
// its match in the other box and the ranges that tint it.
const shownWords = [[], []];
let hovered = null;

// The words of text that the directions whose source it is walked: each
// word's place, in code points.
function wordPlacesOf(explanation, text) {
  const directions = explanation.filter((d) => d !== null && d.source === text);
  const longest = directions.sort((a, b) => b.words.length - a.words.length)[0];
  return longest ? longest.words.map((word) => word.source) : [];
}

// The word of the other text that holds a match, in code points.
function enclosingPlace(wordPlaces, match) {
  const holder = wordPlaces.find(([start, end]) => start <= match[0] && match[1] <= end);
  return holder || match;
}

function clearBox(index) {
  hover(null);
  for (const word of shownWords[index]) {
    for (const [name, range] of word.tints) highlight(name).delete(range);
  }
  shownWords[index] = [];
}

function showTints(explanation, texts) {
  for (let index = 0; index < 2; ++index) {
    clearBox(index);
    const direction = explanation[index];
    if (direction === null || !boxes[index].firstChild) continue;
    const other = 1 - index;
    const offsets = codePointOffsets(texts[index]);
    const otherOffsets = codePointOffsets(texts[other]);
    const otherWords = wordPlacesOf(explanation, `text${other + 1}`);
    for (const word of direction.words) {
      // The empty word of a leading mark stands nowhere a pointer can rest.
      if (word.source[0] === word.source[1]) continue;
      const shown = { start: offsets[word.source[0]], end: offsets[word.source[1]], tints: [] };
      let found = null;
      if (word.target !== null) {
        const [start, end] = enclosingPlace(otherWords, word.target);
        shown.match = [otherOffsets[word.target[0]], otherOffsets[word.target[1]]];
        found = {
          text: other + 1,
          enclosingWord: texts[other].slice(otherOffsets[start], otherOffsets[end]),
          insideLonger: start !== word.target[0] || end !== word.target[1],
        };
        const credit = word.following !== null ? 'context' : 'single';
        const level = Math.min(Math.max(word.points, 1), 4);
        shown.tints.push([`velmoro-${credit}-${level}`, rangeIn(boxes[index], shown.start, shown.end)]);
        if (found.insideLonger) {
          shown.tints.push(['velmoro-inside-longer', rangeIn(boxes[index], shown.start, shown.end)]);
        }
        for (const [name, range] of shown.tints) highlight(name).add(range);
      }
      shown.toolTip = wordToolTip(word, index + 1, found, other + 1);
      shownWords[index].push(shown);
    }
  }
}

// The word of box index that holds offset, or that offset directly follows.
function wordAt(index, offset) {
  return shownWords[index].find((word) => word.start <= offset && offset <= word.end) || null;
}

function hover(target) {
  if (hovered === target) return;
  highlight('velmoro-match').clear();
  hovered = target;
  const tip = $('WordTip');
  tip.hidden = target === null;
  if (target === null) return;
  tip.textContent = target.word.toolTip;
  const other = boxes[1 - target.index];
  if (target.word.match && shownWords[1 - target.index].length > 0) {
    highlight('velmoro-match').add(rangeIn(other, ...target.word.match));
  }
}

function caretOffset(x, y) {
  if (document.caretPositionFromPoint) {
    const position = document.caretPositionFromPoint(x, y);
    return position && { node: position.offsetNode, offset: position.offset };
  }
  const range = document.caretRangeFromPoint(x, y);
  return range && { node: range.startContainer, offset: range.startOffset };
}

function followPointer(index, event) {
  const caret = caretOffset(event.clientX, event.clientY);
  const word = caret && caret.node === boxes[index].firstChild ? wordAt(index, caret.offset) : null;
  hover(word && { index, word });
  if (word) {
    const tip = $('WordTip');
    tip.style.left = `${event.pageX + 12}px`;
    tip.style.top = `${event.pageY + 18}px`;
  }
}

// --- The explanation table ----------------------------------------------------

function cell(row, text, kind = 'td') {
  const element = document.createElement(kind);
  element.textContent = text;
  if (kind === 'th') element.scope = 'col';
  row.append(element);
  return element;
}

const place = (span) => `${span[0]}-${span[1]}`;

function directionTable(direction) {
  const table = document.createElement('table');
  const source = textNumber(direction.source);
  const target = textNumber(direction.target);
  table.createCaption().textContent =
    `Direction ${direction.direction}, ${textName(source)} against ` +
    `${source === target ? 'itself' : textName(target)}: score ${direction.score}` +
    (direction.complete ? '' : ', when an error ended it');
  const heading = table.createTHead().insertRow();
  for (const name of ['word', 'source', 'target', 'points', 'following', 'preceding']) {
    cell(heading, name, 'th');
  }
  const body = table.createTBody();
  for (const word of direction.words) {
    const row = body.insertRow();
    cell(row, word.word === '' ? '(empty word)' : word.word);
    cell(row, place(word.source));
    cell(row, word.target === null ? '-' : place(word.target));
    for (const number of [word.points, word.following, word.preceding]) {
      cell(row, number === null ? '' : String(number)).className = 'number';
    }
  }
  return table;
}

function showExplanation(explanation) {
  const tables = explanation.filter((direction) => direction !== null).map(directionTable);
  $('ExplanationTables').replaceChildren(...tables);
  $('Explanation').hidden = tables.length === 0;
}

// --- Compare ------------------------------------------------------------------

const decimalSeparator = new Intl.NumberFormat().formatToParts(1.5)
  .find((part) => part.type === 'decimal').value;

// A value this Compare did not produce is shown empty, so that nothing of an
// earlier Compare stays beside the new ones.
function showComparison(record) {
  for (let number = 2; number <= 3; ++number) {
    panelOf(0, number).textContent = record.status1[number - 1];
    panelOf(1, number).textContent = record.status2[number - 1];
  }
  $('Label2').textContent = record.result === null ? '' : record.result.replace('.', decimalSeparator);
  for (const { bar, panel, direction } of scorePanels) {
    const text = (bar === 0 ? record.status1 : record.status2)[panel - 1];
    const explained = record.explain[direction - 1];
    const toolTip = text === '' || explained === null ? '' : panelToolTip(text, explained);
    if (toolTip === '') {
      panelOf(bar, panel).removeAttribute('title');
    } else {
      panelOf(bar, panel).title = toolTip;
    }
  }
  const message = $('Message');
  message.textContent = record.message || '';
  message.hidden = record.error === null;
}

async function compare() {
  const velmoro = await window.velmoro;
  const texts = boxes.map(boxText);
  const record = velmoro.compareExplained(texts[0], texts[1]);
  showComparison(record);
  showTints(record.explain, texts);
  showExplanation(record.explain);
}

// --- Wiring -------------------------------------------------------------------

$('Command1').addEventListener('click', compare);
document.addEventListener('keydown', (event) => {
  if (event.ctrlKey && event.key === 'Enter') {
    event.preventDefault();
    compare();
  }
});
boxes.forEach((box, index) => {
  box.addEventListener('input', () => clearBox(index));
  box.addEventListener('mousemove', (event) => followPointer(index, event));
  box.addEventListener('mouseleave', () => hover(null));
});
boxes[1].focus();

window.velmoro.then(() => {
  performance.mark('velmoro-ready');
  $('Command1').disabled = false;
  $('Loading').hidden = true;
}, (error) => {
  $('Loading').hidden = true;
  const message = $('Message');
  message.textContent = `The engine could not be loaded: ${error.message}`;
  message.hidden = false;
});
