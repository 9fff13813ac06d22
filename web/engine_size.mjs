// The engine's size as a server sends it: its .wasm's bytes, and gzipped.
//   node engine_size.mjs WASM    prints them (the web build does, after linking)
import { readFileSync } from 'node:fs';
import { basename } from 'node:path';
import { pathToFileURL } from 'node:url';
import { gzipSync } from 'node:zlib';

export function engineSize(wasm) {
  const bytes = readFileSync(wasm);
  return { bytes: bytes.length, gzipped: gzipSync(bytes, { level: 9 }).length };
}

if (import.meta.url === pathToFileURL(process.argv[1]).href) {
  const wasm = process.argv[2];
  const { bytes, gzipped } = engineSize(wasm);
  console.log(`${basename(wasm)}: ${bytes.toLocaleString('en-US')} bytes, ` +
    `${gzipped.toLocaleString('en-US')} gzipped`);
}
