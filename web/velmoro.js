// Velmoro's engine for pages and for Node, as an ES module: import it (its
// promise resolves once the engine is loaded), then call compare and explain.
// Everything runs here: nothing is sent anywhere.
import createVelmoroCore from './velmoro_core.js';

const wasmUrl = new URL('./velmoro_core.wasm', import.meta.url);

// A browser fetches the engine itself; Node is handed its bytes, as it cannot
// fetch a file.
async function wasmBinaryInNode() {
  if (typeof process === 'undefined' || !process.versions || !process.versions.node) {
    return undefined;
  }
  const { readFile } = await import('node:fs/promises');
  return readFile(wasmUrl);
}

const core = await createVelmoroCore({ wasmBinary: await wasmBinaryInNode() });

// The texts as the engine takes them: two strings, or a TypeError that names
// what came instead (a missing text is not the word "undefined").
function texts(call, text1, text2) {
  [text1, text2].forEach((text, index) => {
    if (typeof text !== 'string') {
      throw new TypeError(`${call}: text${index + 1} must be a string, not ${text === null ? 'null' : typeof text}`);
    }
  });
  return [text1, text2];
}

// The engine answers in JSON, which is read back here as objects.
export function compare(text1, text2) {
  return JSON.parse(core.compare(...texts('compare', text1, text2)));
}

export function explain(text1, text2) {
  return JSON.parse(core.explain(...texts('explain', text1, text2))).explain;
}

export function compareExplained(text1, text2) {
  return JSON.parse(core.compareExplained(...texts('compareExplained', text1, text2)));
}
