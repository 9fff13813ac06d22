// The page's Compares, away from the page's own thread, so that the page
// answers while a long text is compared. It posts {ready, wordBreaks,
// statusBars} once the engine is loaded, or {failure}; then, given {index: 0,
// text} and {index: 1, text, rows}, Text1 and Text2, compares them and answers
// with {record, explain, outlines} (see web/binding.cpp) or {failure}.
import createVelmoroCore from './velmoro_core.js';
import { kAskUnits } from './limits.js';

const core = createVelmoroCore();

const ready = (engine) => ({ ready: true, wordBreaks: engine.wordBreaks(), statusBars: engine.statusBars() });

core.then((engine) => postMessage(ready(engine)),
  (error) => postMessage({ failure: `The engine could not be loaded: ${error.message}` }));

// Whether a text holds no paragraph longer than kAskUnits: the window tints
// no longer one.
function tinted(text) {
  let start = 0;
  for (const lineBreak of text.matchAll(/\r\n?|\n/g)) {
    if (lineBreak.index - start > kAskUnits) return false;
    start = lineBreak.index + lineBreak[0].length;
  }
  return text.length - start <= kAskUnits;
}

function failure(error) {
  const memory = error instanceof RangeError || /OOM|memory/i.test(String(error.message));
  return memory ? 'Not enough memory to compare these texts: compare shorter pieces.'
    : `The comparison failed: ${error.message}`;
}

const texts = [];

onmessage = async ({ data: { index, text, rows } }) => {
  texts[index] = text;
  if (rows === undefined) return;
  const engine = await core;
  try {
    const [text1, text2] = texts.splice(0);
    const outline = engine.outline(text1, text2, rows, tinted(text1), tinted(text2));
    const arrays = outline.directions.flatMap((direction) => (direction === null ? []
      : [direction.rowUsedBy, direction.foundWords, direction.usedWords].filter(Boolean)));
    postMessage({
      record: JSON.parse(outline.record),
      explain: JSON.parse(outline.explain),
      outlines: outline.directions,
    }, arrays.map((array) => array.buffer));
  } catch (error) {
    postMessage({ failure: failure(error) });
  }
};
