// The page's explanation tables for generated pairs, each put into the
// boxes and compared with the button: every row holds the word, places,
// points and runs that velmoro-cli --json --explain gives for it, the
// reasons of the "why" column are those of velmoro-cli --explain's plain
// table, in the same order, and a table of a long text shows its first rows
// and says how many it leaves out.
//   node page_tables_test.mjs SITE VELMORO_CLI [PAIRS]
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

import { controls, newPage, openSite, withSite } from './browser.mjs';
import { cliRecords, longText, textPairs } from './text_pairs.mjs';

const [site, cli, count = '150'] = process.argv.slice(2);
const { kRowLimit } = await import(pathToFileURL(resolve(site, 'limits.js')).href);
const pairs = textPairs(Number(count), 20261210);
pairs.push([longText(12000, 5, { paragraphs: true }), longText(6000, 6, { paragraphs: true })]);
const records = cliRecords(cli, pairs);

// The reasons of the plain table's "why" column, per direction shown.
function plainReasons([text1, text2]) {
  const run = spawnSync(cli, ['--explain', '--', text1, text2], { encoding: 'utf8' });
  const reasons = [];
  for (const line of run.stdout.split('\n')) {
    if (line.startsWith('Direction ')) reasons.push([]);
    const reason = / {2}(not in text \d|its places in text \d were used(?: by .*)?)$/.exec(line);
    if (reason) reasons.at(-1).push(reason[1]);
  }
  return reasons;
}

// velmoro-cli's escapes for a word shown on a terminal.
const escaped = (text) => text.replace(/[\\\x00-\x1f\x7f]/g, (unit) => ({
  '\\': '\\\\', '\t': '\\t', '\n': '\\n', '\r': '\\r',
})[unit] || `\\x${unit.charCodeAt(0).toString(16).toUpperCase().padStart(2, '0')}`);

const place = (span) => (span === null ? '-' : `${span[0]}-${span[1]}`);
const run = (number) => (number === null ? '' : String(number));

const failures = [];
let rows = 0;
let capped = 0;
await withSite(site, async (browser, url) => {
  const page = await newPage(browser, url, failures);
  await openSite(page, url);
  const { setTexts, compare } = controls(page);
  await page.evaluate(() => { document.getElementById('Explanation').open = true; });
  for (const [i, pair] of pairs.entries()) {
    const { explain } = records[i];
    await setTexts(pair);
    await compare();
    const directions = explain.filter((direction) => direction !== null);
    await page.waitForFunction((tables) => document.querySelectorAll('#Explanation table').length === tables,
      directions.length);
    const tables = await page.$$eval('#Explanation table', (all) => all.map((table) => ({
      rows: [...table.tBodies[0].rows].map((row) => [...row.cells].map((cell) => cell.textContent)),
      note: table.tFoot && table.tFoot.textContent,
    })));
    const reasons = plainReasons(pair);
    directions.forEach((direction, d) => {
      const what = `pair ${i}, direction ${direction.direction}: ${JSON.stringify(pair).slice(0, 200)}`;
      const shown = direction.words.slice(0, kRowLimit);
      const expected = shown.map((word) => [word.word === '' ? '(empty word)' : word.word,
        place(word.source), place(word.target), String(word.points), run(word.following),
        run(word.preceding)]);
      assert.deepEqual(tables[d].rows.map((row) => row.slice(0, 6)), expected, what);
      const why = tables[d].rows.map((row) => row[6]).filter((reason) => reason !== '');
      const reasonsShown = shown.filter((word) => word.not_found !== undefined).length;
      assert.deepEqual(why.map(escaped), reasons[d].slice(0, reasonsShown), what);
      const left = direction.words.length - shown.length;
      assert.equal(tables[d].note, left === 0 ? null
        : `and ${left.toLocaleString('en-US')} more words, not shown here (velmoro-cli --explain lists every word)`, what);
      rows += shown.length;
      capped += left > 0 ? 1 : 0;
    });
  }
});
assert.deepEqual(failures, []);
assert.ok(capped > 0, 'a table left words out');
console.log(`the page's tables agree with ${cli} for ${pairs.length} generated pairs, ${rows} rows`);
