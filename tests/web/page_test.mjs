// The page in headless Chromium, served from 127.0.0.1: the window's numbers
// for the sample sentences, the focus it starts with, the result rounded to
// one line, the tints, the tooltips of found and unfound words and of the
// panels, edits that clear tints, errors, emptying a box, the keyboard, the
// explanation table, a narrow screen, the page opened from a file, generated
// pairs through window.velmoro against velmoro-cli, and no request beyond the
// page's own server.
//   node page_test.mjs SITE VELMORO_CLI SAMPLES SAMPLE_PAIR [SCREENSHOT]
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

import { controls, newPage, openSite, pointAt, waitForAnswer, withSite } from './browser.mjs';
import { cliRecords, textPairs } from './text_pairs.mjs';

const [site, cli, samplesFile, samplePairFile, screenshot] = process.argv.slice(2);
const samples = readFileSync(samplesFile, 'utf8').trimEnd().split('\n');
const samplePair = JSON.parse(readFileSync(samplePairFile, 'utf8'));
const [sample] = cliRecords(cli, [samples]);

const failures = [];
await withSite(site, async (browser, url) => {
  const page = await newPage(browser, url, failures);
  const { panels, texts, setTexts, message, result, tints, compare } = controls(page);
  const readyAfter = await openSite(page, url);
  console.log(`page ready (engine loaded) ${readyAfter.toFixed(0)} ms after navigation`);

  // The window's start: the sample sentences, focus in Text2.
  assert.deepEqual(await texts(), samples);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'Text2');
  assert.deepEqual(await tints(), []);

  // The sample sentences, compared with the mouse: the window's numbers, and
  // the button says that it compares meanwhile.
  await page.evaluate(() => {
    window.captions = [];
    new MutationObserver(() => window.captions.push(document.getElementById('Command1').textContent))
      .observe(document.getElementById('Command1'), { childList: true, characterData: true, subtree: true });
  });
  await compare();
  assert.deepEqual(await page.evaluate(() => window.captions), ['Comparing…', 'Compare']);
  assert.deepEqual(await panels('StatusBar1'), sample.status1);
  assert.deepEqual(await panels('StatusBar2'), sample.status2);
  assert.equal(await result(), sample.result);
  assert.equal(await message(), null);
  if (screenshot) await page.screenshot({ path: screenshot });

  // Every found word is tinted, in its box, by its credit and points.
  const expectedTints = sample.explain.slice(0, 2).flatMap((direction, box) =>
    direction.words.filter((word) => word.target !== null).map((word) => {
      const credit = word.following === null ? 'single' : 'context';
      const text = samples[box].slice(word.source[0], word.source[1]);
      return `Text${box + 1} velmoro-${credit}-${Math.min(word.points, 4)}: ${text}`;
    }));
  assert.deepEqual(await tints(), expectedTints.sort());
  assert.ok(expectedTints.some((tint) => tint.includes('context')));
  assert.ok(expectedTints.some((tint) => tint.includes('single')));

  // A word's tooltip, and its match selected in the other box.
  const matches = async () => (await tints()).filter((tint) => tint.includes('velmoro-match'));
  await pointAt(page, 'Text1', 4, 9);
  assert.equal(await page.textContent('#WordTip'), "found in text 2 as 'reads', 2 points: following 1, preceding 1");
  assert.ok(await page.isVisible('#WordTip'));
  assert.deepEqual(await matches(), ['Text2 velmoro-match: reads']);
  await page.mouse.move(1, 1);
  assert.ok(!(await page.isVisible('#WordTip')));
  assert.deepEqual(await matches(), []);

  // The window's own wordings, on the pair its tests use: a match inside a
  // longer word is underlined with dashes, and a panel tells what it counts.
  // The result, 15 digits, does not fit Label2: rounded, on one line, whole
  // in its tooltip.
  await setTexts([samplePair.text1, samplePair.text2]);
  await compare();
  assert.ok((await tints()).includes('Text1 velmoro-inside-longer: the'));
  await pointAt(page, 'Text1', 37, 40);
  assert.equal(await page.textContent('#WordTip'),
    "found in text 2 inside 'then', 1 point: following 1, preceding 0");
  assert.deepEqual(await matches(), ['Text2 velmoro-match: the']);
  assert.equal(await page.getAttribute('#StatusBar1 [data-panel="3"]', 'title'),
    `${samplePair.status1[2]}: text 1's 14 words against text 2: 10 found, 10 by context, 0 single points`);
  assert.ok((await page.getAttribute('#StatusBar1 [data-panel="2"]', 'title'))
    .startsWith(`${samplePair.status1[1]}: text 1 against itself: 14 words, 14 found`));
  assert.equal(await result(), samplePair.result);
  const shown = await page.textContent('#Label2');
  assert.ok(shown.length < samplePair.result.length, shown);
  const digits = shown.split('.')[1].length;
  assert.equal(shown, Number(samplePair.result).toFixed(digits));
  const label = await page.$eval('#Label2', (output) => {
    const range = document.createRange();
    range.selectNodeContents(output);
    return { lines: range.getClientRects().length, fits: output.scrollWidth <= output.clientWidth };
  });
  assert.deepEqual(label, { lines: 1, fits: true });
  await page.mouse.move(1, 1);

  // A word that earned nothing says why, as the window's tooltip does: its
  // places used by an earlier word, or not in the other text at all.
  await setTexts(['red red bag short', 'a red bag']);
  await compare();
  await pointAt(page, 'Text1', 4, 7);
  assert.equal(await page.textContent('#WordTip'),
    "not found in text 2: it occurs there only where earlier words were found; 'red' took its first place");
  await pointAt(page, 'Text1', 12, 17);
  assert.equal(await page.textContent('#WordTip'), 'not found in text 2: it does not occur there');
  // The empty word of a leading mark is found too, and shows nowhere: the
  // word named is still the one that took the place.
  await setTexts(['.a bag', 'x bag']);
  await compare();
  await pointAt(page, 'Text1', 3, 6);
  assert.equal(await page.textContent('#WordTip'),
    "not found in text 2: it occurs there only where earlier words were found; 'a' took its first place");
  await page.mouse.move(1, 1);

  // Direction 1 ends in an overflow, so directions 2 to 4 never run: Text1 is
  // underlined with dashes exactly where velmoro-cli --explain marks a match
  // inside a longer word, and Text2 is not tinted.
  const letters = [...'bcdfghjk'];
  const words = letters.flatMap((a) => letters.flatMap((b) => letters.map((c) => a + b + c)))
    .slice(0, 260);
  const overflowing = [words.join(' '),
    words.map((word, i) => [`z${word}`, `${word}q`, word][i % 3]).join(' ')];
  const table = spawnSync(cli, ['--explain', '--', ...overflowing], { encoding: 'utf8' }).stdout;
  assert.match(table, /^Direction 1, .*when an error ended it$/m);
  assert.doesNotMatch(table, /^Direction 2/m);
  const markedInside = table.split('\n').map((row) => row.trim().split(/ +/))
    .filter((cells) => cells.length > 2 && cells[2].endsWith('*')).map((cells) => cells[0]);
  await setTexts(overflowing);
  await compare();
  const shownInside = (await tints()).filter((tint) => tint.startsWith('Text1 velmoro-inside-longer: '))
    .map((tint) => tint.split(': ')[1]);
  assert.ok(markedInside.length > 0);
  assert.deepEqual(shownInside.sort(), markedInside.sort());
  assert.ok((await tints()).every((tint) => tint.startsWith('Text1 ')));

  // The explanation, as tables with captions and the plain table's columns.
  await setTexts(samples);
  await compare();
  await page.click('#Explanation summary');
  await page.waitForFunction(() => document.querySelectorAll('#Explanation table').length === 4);
  const captions = await page.$$eval('#Explanation caption', (all) => all.map((c) => c.textContent));
  assert.equal(captions[0], `Direction 1, text 1 against text 2: score ${sample.scores[0]}`);
  const first = await page.$eval('#Explanation table', (table) => ({
    headings: [...table.querySelectorAll('th[scope="col"]')].map((heading) => heading.textContent),
    rows: table.tBodies[0].rows.length,
  }));
  assert.deepEqual(first, {
    headings: ['word', 'source', 'target', 'points', 'following', 'preceding', 'why'],
    rows: sample.explain[0].words.length,
  });
  await page.click('#Explanation summary');

  // An edit clears that box's tints only.
  await page.click('#Text1');
  await page.keyboard.press('Control+End');
  await page.keyboard.type(' now');
  assert.ok((await tints()).every((tint) => tint.startsWith('Text2')));
  assert.ok((await tints()).length > 0);

  // An error: both texts stay, what this Compare did not produce is cleared.
  await setTexts(['', samples[1]]);
  await page.focus('#Text2');
  await page.keyboard.press('Control+Enter');
  await waitForAnswer(page);
  const [empty] = cliRecords(cli, [['', samples[1]]]);
  assert.equal(await message(), empty.message);
  assert.match(await message(), /FPException/);
  assert.deepEqual(await texts(), ['', samples[1]]);
  assert.deepEqual(await panels('StatusBar1'), empty.status1);
  assert.equal(await result(), '');
  assert.deepEqual(await tints(), []);

  // Emptying Text2 with the keyboard leaves it empty, whichever key empties it.
  const [noText2] = cliRecords(cli, [[samples[0], '']]);
  for (const key of ['Delete', 'Backspace', 'Control+X']) {
    await setTexts(samples);
    await page.click('#Text2');
    await page.keyboard.press('Control+A');
    await page.keyboard.press(key);
    assert.deepEqual(await texts(), [samples[0], ''], key);
    await compare();
    assert.equal(await message(), noText2.message, key);
  }

  // The keyboard: Tab from Text2 reaches Compare; Enter on it compares.
  await setTexts(samples);
  await page.focus('#Text2');
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'Command1');
  await page.keyboard.press('Enter');
  await waitForAnswer(page);
  assert.equal(await result(), sample.result);
  assert.equal(await message(), null);

  // Generated pairs through window.velmoro give what velmoro-cli gives.
  const pairs = textPairs(300, 7);
  const expected = cliRecords(cli, pairs);
  const actual = await page.evaluate(async (all) => {
    const velmoro = await window.velmoro;
    return all.map(([text1, text2]) => velmoro.compareExplained(text1, text2));
  }, pairs);
  pairs.forEach((pair, i) => assert.deepEqual(actual[i], expected[i], JSON.stringify(pair)));

  // A phone's narrow screen: the controls and the explanation fit its width.
  const narrow = await newPage(browser, url, failures, { viewport: { width: 380, height: 700 } });
  await openSite(narrow, url);
  await controls(narrow).compare();
  await narrow.click('#Explanation summary');
  await narrow.waitForFunction(() => document.querySelectorAll('#Explanation table').length === 4);
  assert.ok(await narrow.evaluate(() => document.documentElement.scrollWidth <= window.innerWidth));
  assert.equal(await controls(narrow).result(), sample.result);

  // Opened from a file, the page says what to do instead.
  const fromFile = await newPage(browser, url, []);
  await fromFile.goto(pathToFileURL(resolve(site, 'index.html')).href);
  assert.match(await controls(fromFile).message(), /over HTTP.*scripts\/web\.sh serve/);
  assert.ok(!(await fromFile.isVisible('#Loading')));

  assert.deepEqual(failures, []);
  console.log(`the page passed, ${pairs.length} generated pairs agreeing with ${cli}`);
});
