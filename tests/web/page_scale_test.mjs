// The page with long texts, in headless Chromium: a 1 MiB and a 16 MiB text
// in each box, the first pasted (the 16 MiB one asks first), the second set
// by a script; then Compare, pointing at a word, the explanation's tables,
// scrolling, typing, and emptying a box. Meanwhile no task of the page may run
// longer than 100 ms (a long-task observer). Printed: the longest task, the
// longest the page's timers waited and the longest an input event waited for
// its frame (probes that also see layout and painting), and the peak memory of
// the page's process.
//   node page_scale_test.mjs SITE
import assert from 'node:assert/strict';
import { readFileSync, readdirSync } from 'node:fs';

import { controls, newPage, openSite, waitForAnswer, withSite } from './browser.mjs';
import { longText } from './text_pairs.mjs';

const [site] = process.argv.slice(2);
const kLongestTask = 100;
const MiB = 1 << 20;

// The probes, installed before the page's own scripts run.
function installProbes() {
  window.probes = { longestTask: 0, longestGap: 0, longestEvent: 0 };
  new PerformanceObserver((list) => {
    for (const task of list.getEntries()) window.probes.longestTask = Math.max(window.probes.longestTask, task.duration);
  }).observe({ type: 'longtask', buffered: true });
  new PerformanceObserver((list) => {
    for (const event of list.getEntries()) window.probes.longestEvent = Math.max(window.probes.longestEvent, event.duration);
  }).observe({ type: 'event', durationThreshold: 16, buffered: true });
  let last = performance.now();
  const tick = () => {
    const now = performance.now();
    window.probes.longestGap = Math.max(window.probes.longestGap, now - last - 10);
    last = now;
    setTimeout(tick, 10);
  };
  tick();
}

// The peak resident memory of the browser's renderers under this process, in MiB.
function rendererPeakMiB() {
  const parents = new Map();
  const commands = new Map();
  for (const pid of readdirSync('/proc').filter((name) => /^\d+$/.test(name))) {
    try {
      const stat = readFileSync(`/proc/${pid}/stat`, 'utf8');
      parents.set(pid, stat.slice(stat.lastIndexOf(')') + 2).split(' ')[1]);
      commands.set(pid, readFileSync(`/proc/${pid}/cmdline`, 'utf8'));
    } catch {
      // The process ended meanwhile.
    }
  }
  const ours = (pid) => {
    for (let at = pid; at && at !== '0' && at !== '1'; at = parents.get(at)) {
      if (at === String(process.pid)) return true;
    }
    return false;
  };
  const peaks = [...commands].filter(([pid, command]) => command.includes('--type=renderer') && ours(pid))
    .map(([pid]) => Number(/VmHWM:\s+(\d+)/.exec(readFileSync(`/proc/${pid}/status`, 'utf8'))[1]));
  return Math.round(Math.max(...peaks) / 1024);
}

const tintCount = (page, box) => page.evaluate((id) => [...CSS.highlights]
  .flatMap(([, ranges]) => [...ranges])
  .filter((range) => range.startContainer.parentElement.closest('.text-box').id === id).length, box);

// Runs step, then waits for the page to settle; resolves to what the probes
// saw meanwhile.
async function phase(page, step) {
  await page.evaluate(() => { window.probes = { longestTask: 0, longestGap: 0, longestEvent: 0 }; });
  await step();
  await page.evaluate(() => new Promise((resolve) => { setTimeout(resolve, 300); }));
  return page.evaluate(() => window.probes);
}

async function measure(browser, url, units, text1, text2) {
  const failures = [];
  const page = await newPage(browser, url, failures, { permissions: ['clipboard-read', 'clipboard-write'] });
  await page.addInitScript(installProbes);
  await openSite(page, url);
  const { texts, message } = controls(page);
  const [sample1] = await texts();
  const seen = {};

  // Text1 pasted: a paste past 1 MiB asks first, and Cancel keeps the text.
  await page.evaluate((text) => navigator.clipboard.writeText(text), text1);
  const paste = async (answer) => {
    await page.click('#Text1');
    await page.keyboard.press('Control+A');
    await page.keyboard.press('Control+V');
    if (answer) await page.click(answer);
  };
  seen.paste = await phase(page, async () => {
    if (text1.length > MiB) {
      await paste('#InsertCancel');
      assert.equal((await texts())[0], sample1);
      await paste('#InsertYes');
    } else {
      await paste(null);
      assert.ok(!(await page.isVisible('#InsertQuestion')));
    }
  });
  // Text2 set by a script, as a <textarea>'s value.
  await page.evaluate((text) => { window.text2 = text; }, text2);
  seen.script = await phase(page, () => page.evaluate(() => {
    document.getElementById('Text2').value = window.text2;
  }));
  assert.deepEqual((await texts()).map((text) => text.length), [text1.length, text2.length]);

  // Compare; the page answers meanwhile.
  let answer;
  seen.compare = await phase(page, async () => {
    await page.click('#Command1');
    assert.equal(await page.textContent('#Command1'), 'Comparing…');
    await page.mouse.move(300, 60);
    await page.mouse.move(300, 180);
    await waitForAnswer(page, 120000);
    answer = await page.evaluate(() => [...document.querySelectorAll('.panel')]
      .map((panel) => panel.textContent).concat(document.getElementById('Label2').title));
  });
  const tints = [await tintCount(page, 'Text1'), await tintCount(page, 'Text2')];

  // Pointing at words, the tables, scrolling, typing.
  seen.pointing = await phase(page, async () => {
    for (let y = 30; y < 130; y += 10) await page.mouse.move(300, y);
  });
  let notes;
  seen.tables = await phase(page, async () => {
    await page.click('#Explanation summary');
    await page.waitForFunction(() => document.querySelectorAll('#Explanation table').length > 0);
    notes = await page.$$eval('#Explanation tfoot', (all) => all.map((note) => note.textContent));
  });
  seen.editing = await phase(page, async () => {
    await page.evaluate(() => {
      for (const box of document.querySelectorAll('.text-box')) box.scrollTop = box.scrollHeight;
    });
    await page.click('#Text2');
    await page.keyboard.press('Control+End');
    await page.keyboard.type(' more');
    await page.keyboard.press('Control+Home');
    await page.keyboard.type('Some ');
  });
  // Emptying a long text.
  seen.emptying = await phase(page, async () => {
    await page.click('#Text1');
    await page.keyboard.press('Control+A');
    await page.keyboard.press('Delete');
  });
  assert.equal((await texts())[0], '');

  const client = await page.context().newCDPSession(page);
  await client.send('Performance.enable');
  const { metrics } = await client.send('Performance.getMetrics');
  const heap = metrics.find((metric) => metric.name === 'JSHeapTotalSize').value;
  const peak = rendererPeakMiB();

  // What the page showed is what the engine's module gives.
  const expected = await page.evaluate(async ([first, second]) => {
    const record = (await window.velmoro).compare(first, second);
    return [...record.status1, ...record.status2, record.result || ''];
  }, [text1, text2]);
  assert.deepEqual(answer, expected);
  if (answer.at(-1) === '') assert.notEqual(await message(), null);

  console.log(`${units}: peak memory of the page's process ${peak} MiB (main ` +
    `thread's JS heap ${Math.round(heap / MiB)} MiB); tints ${tints.join(' and ')}; ` +
    `tables: ${notes.join('; ') || 'whole'}`);
  console.log('  ms at most:   task  timers  input');
  for (const [name, probes] of Object.entries(seen)) {
    const numbers = [probes.longestTask, probes.longestGap, probes.longestEvent]
      .map((ms) => String(Math.round(ms)).padStart(7)).join('');
    console.log(`  ${name.padEnd(12)}${numbers}`);
    assert.ok(probes.longestTask <= kLongestTask, `${units}, ${name}: a task took ${probes.longestTask} ms`);
  }
  assert.deepEqual(failures, []);
  await page.context().close();
  return tints;
}

// 1 MiB in paragraphs against a page of text: direction 1 finds thousands
// of words (a long Text2 holds them further in than a score can count), and
// Text1 is tinted. 16 MiB each, Text1 one paragraph: too long to tint.
const cases = [
  ['1 MiB and 32 KiB texts', MiB, true, 32 << 10],
  ['16 MiB texts', 16 * MiB, false, 16 * MiB],
];
for (const [units, length, paragraphs, length2] of cases) {
  const text1 = longText(length, 11, { paragraphs });
  const text2 = longText(length2, 12, { paragraphs: true });
  await withSite(site, async (browser, url) => {
    const tints = await measure(browser, url, units, text1, text2);
    if (paragraphs) assert.ok(tints[0] > 0, 'Text1 is tinted');
    if (!paragraphs) assert.equal(tints[0], 0, 'Text1 holds a paragraph too long to tint');
  });
}
