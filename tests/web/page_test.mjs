// The page in headless Chromium, served from 127.0.0.1: the window's numbers
// for the sample sentences, the tints, a word's and a panel's tooltip, edits
// that clear tints, an error, the keyboard, the explanation table, generated
// pairs through window.velmoro against velmoro-cli, and no request beyond
// the page's own server.
//   node page_test.mjs SITE VELMORO_CLI SAMPLES [SCREENSHOT]
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { chromium } from 'playwright-core';

import { serve } from './serve.mjs';
import { cliRecords, textPairs } from './text_pairs.mjs';

const [site, cli, samplesFile, screenshot] = process.argv.slice(2);
const samples = readFileSync(samplesFile, 'utf8').trimEnd().split('\n');
const [sample] = cliRecords(cli, [samples]);

const { server, url } = await serve(site);
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  chromiumSandbox: false,
  args: ['--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
    '--disable-component-update', '--disable-sync'],
});
const failures = [];
try {
  const page = await browser.newPage({ locale: 'en-US' });
  const elsewhere = [];
  page.on('request', (request) => {
    if (!request.url().startsWith(url)) elsewhere.push(request.url());
  });
  page.on('pageerror', (error) => failures.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') failures.push(message.text());
  });

  await page.goto(url);
  const readyAfter = await page.evaluate(async () => {
    await window.velmoro;
    await new Promise((resolve) => setTimeout(resolve));
    return performance.getEntriesByName('velmoro-ready')[0].startTime;
  });
  console.log(`page ready (engine loaded) ${readyAfter.toFixed(0)} ms after navigation`);

  const panels = (bar) => page.$$eval(`#${bar} .panel`, (spans) => spans.map((s) => s.textContent));
  const texts = () => page.$$eval('.text-box', (boxes) => boxes.map((box) => box.textContent));
  const message = () => page.$eval('#Message', (p) => (p.hidden ? null : p.textContent));
  const label2 = () => page.$eval('#Label2', (output) => output.textContent);
  // Per box, the text of every range of every tint, as "tint: text".
  const tints = () => page.evaluate(() => [...CSS.highlights].flatMap(([name, ranges]) =>
    [...ranges].map((range) => `${range.startContainer.parentElement.id} ${name}: ${range}`)).sort());

  // The sample sentences, compared with the mouse: the window's numbers.
  assert.deepEqual(await texts(), samples);
  assert.deepEqual(await tints(), []);
  await page.click('#Command1');
  assert.deepEqual(await panels('StatusBar1'), sample.status1);
  assert.deepEqual(await panels('StatusBar2'), sample.status2);
  assert.equal(await label2(), sample.result);
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
  const pointAt = async (box, start, end) => {
    const center = await page.evaluate(([id, from, to]) => {
      const range = new Range();
      range.setStart(document.getElementById(id).firstChild, from);
      range.setEnd(document.getElementById(id).firstChild, to);
      const rect = range.getBoundingClientRect();
      return { x: rect.x + rect.width / 2, y: rect.y + rect.height / 2 };
    }, [box, start, end]);
    await page.mouse.move(center.x, center.y);
  };
  const matches = async () => (await tints()).filter((tint) => tint.includes('velmoro-match'));
  await pointAt('Text1', 4, 9);
  assert.equal(await page.textContent('#WordTip'), "found in text 2 as 'reads', 2 points: following 1, preceding 1");
  assert.ok(await page.isVisible('#WordTip'));
  assert.deepEqual(await matches(), ['Text2 velmoro-match: reads']);
  await page.mouse.move(1, 1);
  assert.ok(!(await page.isVisible('#WordTip')));
  assert.deepEqual(await matches(), []);

  // The window's own wordings, on the pair its tests use: a match inside a
  // longer word is underlined with dashes, and a panel tells what it counts.
  const setTexts = (pair) => page.evaluate(([text1, text2]) => {
    document.getElementById('Text1').textContent = text1;
    document.getElementById('Text2').textContent = text2;
  }, pair);
  await setTexts(['Anna packs the red bag. She walks to the old mill by the river',
    'Anna packs the blue bag, then she runs to the mill by the lake.']);
  await page.click('#Command1');
  assert.ok((await tints()).includes('Text1 velmoro-inside-longer: the'));
  await pointAt('Text1', 37, 40);
  assert.equal(await page.textContent('#WordTip'),
    "found in text 2 inside 'then', 1 point: following 1, preceding 0");
  assert.deepEqual(await matches(), ['Text2 velmoro-match: the']);
  assert.equal(await page.getAttribute('#StatusBar1 [data-panel="3"]', 'title'),
    "#: 15: text 1's 14 words against text 2: 10 found, 10 by context, 0 single points");
  assert.match(await page.getAttribute('#StatusBar1 [data-panel="2"]', 'title'),
    /^STD: 150: text 1 against itself: 14 words, 14 found/);
  await page.mouse.move(1, 1);
  await setTexts(samples);
  await page.click('#Command1');

  // The explanation, as tables with captions and column headings.
  const captions = await page.$$eval('#Explanation caption', (all) => all.map((c) => c.textContent));
  assert.equal(captions[0], `Direction 1, text 1 against text 2: score ${sample.scores[0]}`);
  assert.equal(captions.length, 4);
  assert.equal(await page.$$eval('#Explanation table:first-of-type th[scope="col"]', (th) => th.length), 6);
  assert.equal(await page.$$eval('#Explanation table:first-of-type tbody tr', (tr) => tr.length),
    sample.explain[0].words.length);

  // An edit clears that box's tints only.
  await page.click('#Text1');
  await page.keyboard.press('End');
  await page.keyboard.type(' now');
  assert.ok((await tints()).every((tint) => tint.startsWith('Text2')));
  assert.ok((await tints()).length > 0);

  // An error: both texts stay, what this Compare did not produce is cleared.
  await page.evaluate(() => { document.getElementById('Text1').textContent = ''; });
  await page.focus('#Text2');
  await page.keyboard.press('Control+Enter');
  const [empty] = cliRecords(cli, [['', samples[1]]]);
  assert.equal(await message(), empty.message);
  assert.match(await message(), /FPException/);
  assert.deepEqual(await texts(), ['', samples[1]]);
  assert.deepEqual(await panels('StatusBar1'), empty.status1);
  assert.equal(await label2(), '');
  assert.deepEqual(await tints(), []);

  // The keyboard: Tab from Text2 reaches Compare; Enter on it compares.
  await page.evaluate((text) => { document.getElementById('Text1').textContent = text; }, samples[0]);
  await page.focus('#Text2');
  await page.keyboard.press('Tab');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'Command1');
  await page.keyboard.press('Enter');
  assert.equal(await label2(), sample.result);
  assert.equal(await message(), null);

  // Generated pairs through window.velmoro give what velmoro-cli gives.
  const pairs = textPairs(300, 7);
  const expected = cliRecords(cli, pairs);
  const actual = await page.evaluate(async (all) => {
    const velmoro = await window.velmoro;
    return all.map(([text1, text2]) => velmoro.compareExplained(text1, text2));
  }, pairs);
  pairs.forEach((pair, i) => assert.deepEqual(actual[i], expected[i], JSON.stringify(pair)));

  assert.deepEqual(elsewhere, []);
  assert.deepEqual(failures, []);
  console.log(`the page passed, ${pairs.length} generated pairs agreeing with ${cli}`);
} finally {
  await browser.close();
  server.close();
}
