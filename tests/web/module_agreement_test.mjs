// The ES module gives, for every generated pair, what velmoro-cli --json
// --explain prints: the same keys and values, explanation included; and it
// takes nothing but strings.
//   node module_agreement_test.mjs SITE VELMORO_CLI [PAIRS]
import assert from 'node:assert/strict';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

import { cliRecords, textPairs } from './text_pairs.mjs';

const [site, cli, count = '20000'] = process.argv.slice(2);
const velmoro = await import(pathToFileURL(resolve(site, 'velmoro.js')).href);
// A text that is not a string is refused, not read as a word ("null",
// "undefined", "1"), by every function of the module.
for (const name of ['compare', 'explain', 'compareExplained']) {
  for (const args of [[null, 'a'], ['a'], ['a', 1], [{}, 'a'], [['a'], 'a']]) {
    assert.throws(() => velmoro[name](...args), TypeError, `${name}(${args.map(String).join(', ')})`);
  }
  assert.doesNotThrow(() => velmoro[name]('', 'a'));
}

const pairs = textPairs(Number(count), 20261209);
const expected = cliRecords(cli, pairs);
assert.equal(expected.length, pairs.length);

const errors = new Set();
pairs.forEach(([text1, text2], i) => {
  const record = velmoro.compareExplained(text1, text2);
  assert.deepEqual(record, expected[i], `pair ${i}: ${JSON.stringify([text1, text2])}`);
  const { explain, ...comparison } = record;
  assert.deepEqual(velmoro.compare(text1, text2), comparison, `compare, pair ${i}`);
  assert.deepEqual(velmoro.explain(text1, text2), explain, `explain, pair ${i}`);
  errors.add(record.error);
});
// The pairs reach the errors too, not only completed comparisons.
assert.ok(['FPException', 'Overflow', null].every((kind) => errors.has(kind)), [...errors].join());
console.log(`${pairs.length} pairs agree with ${cli}; outcomes: ${[...errors].map((kind) => kind || 'completed').join(', ')}`);
