// The page as assistive technology and a keyboard-only user meet it: axe-core
// finds no violation of WCAG 2.1 AA or best practice at start, after a
// Compare with its tints, with the explanation open, after an error and at a
// phone's width; and the whole task is done with the keyboard alone, giving
// what velmoro-cli gives.
//   node page_accessibility_test.mjs SITE VELMORO_CLI
import assert from 'node:assert/strict';
import { createRequire } from 'node:module';

import { controls, newPage, openSite, waitForAnswer, withSite } from './browser.mjs';
import { cliRecords } from './text_pairs.mjs';

const [site, cli] = process.argv.slice(2);
const axeScript = createRequire(import.meta.url).resolve('axe-core/axe.min.js');
const failures = [];

// axe's violations on page as it stands, each as "rule: the nodes it names".
async function violations(page) {
  await page.addScriptTag({ path: axeScript });
  const found = await page.evaluate(async () => (await window.axe.run(document, {
    runOnly: { type: 'tag', values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'best-practice'] },
  })).violations);
  return found.map((rule) => `${rule.id}: ${rule.nodes.map((node) => node.target).join(', ')}`);
}

async function expectNoViolation(page, when) {
  assert.deepEqual(await violations(page), [], `axe-core, ${when}`);
}

await withSite(site, async (browser, url) => {
  // The page's own content security policy would refuse axe's script tag.
  const page = await newPage(browser, url, failures, { bypassCSP: true });
  await openSite(page, url);
  const { setTexts, compare, result, message } = controls(page);
  await expectNoViolation(page, 'at start');

  await compare();
  await expectNoViolation(page, 'after a Compare');
  await page.click('#Explanation summary');
  await page.waitForFunction(() => document.querySelectorAll('#Explanation table').length === 4);
  await expectNoViolation(page, 'with the explanation open');
  await page.click('#Explanation summary');

  await setTexts(['', 'a red bag']);
  await compare();
  assert.notEqual(await message(), null);
  await expectNoViolation(page, 'after an error');

  // The keyboard alone: into each box in turn, replace its text, then to
  // Compare, and Enter on it.
  const pair = ['the red bag', 'a red bag, then'];
  const [expected] = cliRecords(cli, [pair]);
  await page.reload();
  await page.waitForSelector('#Command1:not([disabled])');
  await page.keyboard.press('Shift+Tab');
  assert.equal(await page.evaluate(() => document.activeElement.id), 'Text1');
  for (const text of pair) {
    await page.keyboard.press('Control+A');
    await page.keyboard.type(text);
    await page.keyboard.press('Tab');
  }
  assert.equal(await page.evaluate(() => document.activeElement.id), 'Command1');
  await page.keyboard.press('Enter');
  await waitForAnswer(page);
  assert.equal(await result(), expected.result);
  assert.deepEqual(await controls(page).panels('StatusBar1'), expected.status1);

  const narrow = await newPage(browser, url, failures, {
    bypassCSP: true, viewport: { width: 380, height: 700 },
  });
  await openSite(narrow, url);
  await controls(narrow).compare();
  await expectNoViolation(narrow, 'at 380 px wide');
});

assert.deepEqual(failures, []);
console.log('the page passed axe-core and the keyboard-only task');
