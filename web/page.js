// The page: the window's controls on the engine, which compares in a worker
// (compare_worker.js) so that the page answers while a long text is
// compared. Compare with the button (click, Enter or Space on it) or
// Ctrl+Return anywhere; Escape drops a running Compare. The panels, the
// result rounded to fit as the window rounds it, the words tinted as the
// window tints them, with the window's tooltips, and the explanation's tables.

import { ExplanationTables } from './explanation_table.js';
import { kRowLimit } from './limits.js';
import { TextBox } from './text_box.js';
import { WordTints, panelToolTip } from './word_tints.js';

// The engine's ES module for scripts in the page, loaded when first asked for.
let velmoroModule = null;
Object.defineProperty(window, 'velmoro', {
  get: () => {
    velmoroModule ||= import('./velmoro.js');
    return velmoroModule;
  },
});

const $ = (id) => document.getElementById(id);
const bars = [$('StatusBar1'), $('StatusBar2')];
const panelOf = (bar, number) => bars[bar].querySelector(`[data-panel="${number}"]`);

// The score panels, as the engine lays the bars out once it is loaded: panel
// 2 of each bar shows a self-score, panel 3 a cross-score.
let scorePanels = [];

// Labels the bars and says which direction each score panel shows.
function layOutBars(statusBars) {
  statusBars.forEach((shape, bar) => { panelOf(bar, 1).textContent = shape.label; });
  scorePanels = statusBars.flatMap((shape, bar) => [
    { bar, panel: 2, direction: shape.selfDirection },
    { bar, panel: 3, direction: shape.crossDirection },
  ]);
}

// --- A long paste asks first ------------------------------------------------

// Resolves to whether the text of units units goes into a box.
function askToInsert(units) {
  const question = $('InsertQuestion');
  $('InsertQuestionText').textContent = `The text to insert holds ${units.toLocaleString()} ` +
    'characters. Comparing so much text can take many seconds and much memory. Insert it anyway?';
  question.showModal();
  $('InsertCancel').focus();
  return new Promise((resolve) => {
    const answer = (yes) => {
      question.close();
      resolve(yes);
    };
    $('InsertYes').onclick = () => answer(true);
    $('InsertCancel').onclick = () => answer(false);
    question.oncancel = () => resolve(false);
  });
}

// --- The boxes ----------------------------------------------------------------

const boxes = ['Text1', 'Text2'].map((id, index) =>
  new TextBox($(id), { onEdit: () => edited(index), askToInsert }));
// Filled once the engine tells which units part words.
let isWordUnit = () => false;
const tints = new WordTints(boxes, $('WordTip'), (unit) => isWordUnit(unit));
const tables = new ExplanationTables($('Explanation'), $('ExplanationTables'));

// Each box's count of edits, to tell whether it still holds the text that a
// Compare was given.
const edits = [0, 0];

function edited(index) {
  ++edits[index];
  tints.clear(index);
}

// --- The result, rounded to fit -----------------------------------------------

const decimalSeparator = new Intl.NumberFormat().formatToParts(1.5)
  .find((part) => part.type === 'decimal').value;

// A result text: sign, whole digits, decimal separator, fraction, exponent.
const resultParts = /^(-?)(\d*)([^\dE]*)(\d*)(E.*)?$/;

// text rounded half away from zero to fractionDigits digits behind its
// separator, keeping its sign and exponent: "6.6973953762657" to 3 gives
// "6.697", "9.96E-05" to 1 "10.0E-05"; a text with no more digits comes back
// as it is.
function roundedResult(text, fractionDigits) {
  const [, sign, whole, separator, fraction, exponent = ''] = resultParts.exec(text);
  if (fractionDigits >= fraction.length) return text;
  let digits = whole + fraction.slice(0, fractionDigits);
  if (fraction[fractionDigits] >= '5') {
    digits = (BigInt(digits) + 1n).toString().padStart(digits.length, '0');
  }
  const wholeSize = digits.length - fractionDigits;
  const rounded = sign + digits.slice(0, wholeSize) +
    (fractionDigits > 0 ? separator + digits.slice(wholeSize) : '');
  return rounded + exponent;
}

// The result in Label2 with as many decimals as fit its width; the whole of
// it in its tooltip, as the window shows it.
function showResult(text) {
  const label = $('Label2');
  label.title = text;
  const fits = (shown) => {
    label.textContent = shown;
    return label.scrollWidth <= label.clientWidth;
  };
  if (text === '' || fits(text)) return;
  for (let digits = resultParts.exec(text)[4].length - 1; digits > 0; --digits) {
    if (fits(roundedResult(text, digits))) return;
  }
  label.textContent = roundedResult(text, 0);
}

// --- Showing a Compare ----------------------------------------------------------

// A value this Compare did not produce is shown empty, so that nothing of an
// earlier Compare stays beside the new ones.
function showComparison(record, explain, outlines) {
  for (let number = 2; number <= 3; ++number) {
    panelOf(0, number).textContent = record.status1[number - 1];
    panelOf(1, number).textContent = record.status2[number - 1];
  }
  showResult(record.result === null ? '' : record.result.replace('.', decimalSeparator));
  for (const { bar, panel, direction } of scorePanels) {
    const text = (bar === 0 ? record.status1 : record.status2)[panel - 1];
    const explained = explain[direction - 1];
    if (text === '' || explained === null) {
      panelOf(bar, panel).removeAttribute('title');
    } else {
      panelOf(bar, panel).title = panelToolTip(text, explained, outlines[direction - 1]);
    }
  }
  showMessage(record.error === null ? null : record.message);
}

function showMessage(text) {
  const message = $('Message');
  message.textContent = text || '';
  message.hidden = text === null;
}

// Only the score panels are shown, so the labels are left out.
const noComparison = { status1: ['', '', ''], status2: ['', '', ''], result: null, error: null };

// The answer to request: Text1 shows direction 1, Text2 direction 2, each
// only when unchanged since.
function showAnswer(request, answer) {
  if (answer.failure) {
    showComparison(noComparison, [null, null, null, null], []);
    showMessage(answer.failure);
    boxes.forEach((_, index) => tints.clear(index));
    tables.show(null);
    return;
  }
  const { record, explain, outlines } = answer;
  showComparison(record, explain, outlines);
  boxes.forEach((_, index) => {
    const outline = outlines[index];
    if (outline && outline.foundWords && request.stamps[index] === edits[index]) {
      tints.show(index, explain[index], outline, request.texts);
    } else {
      tints.clear(index);
    }
  });
  tables.show(explain, outlines);
}

// --- Compares in the worker ---------------------------------------------------------

// A Compare asked for while one runs waits for it; asked for again meanwhile,
// the later texts replace the waiting ones, as in the window.
let worker = null;
let ready = false;
let running = null;
let waiting = null;

function setBusy(busy) {
  const button = $('Command1');
  button.textContent = busy ? 'Comparing…' : 'Compare';
  if (busy) button.title = 'Press Escape to cancel'; else button.removeAttribute('title');
  document.body.classList.toggle('busy', busy);
}

// Each text crosses to the worker in a task of its own: a long one takes tens
// of milliseconds to copy.
async function run(request) {
  running = request;
  setBusy(true);
  worker.postMessage({ index: 0, text: request.texts[0] });
  await new Promise((resolve) => { setTimeout(resolve); });
  if (running === request) worker.postMessage({ index: 1, text: request.texts[1], rows: kRowLimit });
}

function compare() {
  if (!ready) return;
  const request = { stamps: [...edits], texts: boxes.map((box) => box.text) };
  if (running) {
    waiting = request;
  } else {
    run(request);
  }
}

function loaded(wordBreaks, statusBars) {
  layOutBars(statusBars);
  const breaks = new Set(wordBreaks);
  isWordUnit = (unit) => unit !== '' && !breaks.has(unit);
  ready = true;
  $('Command1').disabled = false;
  $('Loading').hidden = true;
  performance.mark('velmoro-ready');
}

function notLoaded(reason) {
  $('Loading').hidden = true;
  showMessage(reason);
}

function answered(answer) {
  if (answer.ready) {
    loaded(answer.wordBreaks, answer.statusBars);
    return;
  }
  if (!ready) {
    notLoaded(answer.failure);
    return;
  }
  const request = running;
  running = null;
  if (waiting) {
    run(waiting);
    waiting = null;
  } else {
    setBusy(false);
  }
  showAnswer(request, answer);
  // The engine does not recover from running out of memory: a new one takes over.
  if (answer.failure) restartWorker();
}

function startWorker() {
  worker = new Worker(new URL('./compare_worker.js', import.meta.url), { type: 'module' });
  worker.addEventListener('message', ({ data }) => answered(data));
  worker.addEventListener('error', (event) => {
    event.preventDefault();
    notLoaded(`The engine could not be loaded: ${event.message || 'its worker did not start'}`);
  });
}

// The engine cannot be stopped inside a Compare, but its worker can: a new
// one, with a new engine, takes over.
function restartWorker() {
  worker.terminate();
  ready = false;
  $('Command1').disabled = true;
  startWorker();
}

function cancel() {
  if (!running) return;
  running = null;
  waiting = null;
  setBusy(false);
  restartWorker();
}

// --- Wiring ---------------------------------------------------------------------

$('Command1').addEventListener('click', compare);
document.addEventListener('keydown', (event) => {
  if (event.ctrlKey && event.key === 'Enter') {
    event.preventDefault();
    compare();
  } else if (event.key === 'Escape' && running) {
    cancel();
  }
});
// Focus starts in Text2, as in the window.
boxes[1].element.focus();
startWorker();
