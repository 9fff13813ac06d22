// Headless Chromium on the built site, served from 127.0.0.1, for the page's
// tests: a page that records its errors and any request beyond its server,
// and the page's controls as a user and a script reach them.
import { chromium } from 'playwright-core';

import { serve } from './serve.mjs';

export async function openBrowser() {
  return chromium.launch({
    executablePath: '/usr/bin/chromium',
    chromiumSandbox: false,
    args: ['--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
      '--disable-component-update', '--disable-sync'],
  });
}

// Runs test(browser, url) against site served, then closes both.
export async function withSite(site, test) {
  const { server, url } = await serve(site);
  const browser = await openBrowser();
  try {
    await test(browser, url);
  } finally {
    await browser.close();
    server.close();
  }
}

// A page of browser; failures gathers its errors and requests elsewhere
// than url. options go to browser.newContext.
export async function newPage(browser, url, failures, options = {}) {
  const context = await browser.newContext({ locale: 'en-US', ...options });
  const page = await context.newPage();
  page.on('request', (request) => {
    if (!request.url().startsWith(url)) failures.push(`request to ${request.url()}`);
  });
  page.on('pageerror', (error) => failures.push(error.message));
  page.on('console', (message) => {
    if (message.type() === 'error') failures.push(message.text());
  });
  return page;
}

// Goes to url and waits for the engine; resolves to the time it took, in ms.
export async function openSite(page, url) {
  await page.goto(url);
  await page.waitForSelector('#Command1:not([disabled])');
  return page.evaluate(() => performance.getEntriesByName('velmoro-ready')[0].startTime);
}

// The page's controls, read and driven.
export function controls(page) {
  const panels = (bar) => page.$$eval(`#${bar} .panel`, (spans) => spans.map((s) => s.textContent));
  return {
    panels,
    texts: () => page.$$eval('.text-box', (boxes) => boxes.map((box) => box.value)),
    setTexts: (pair) => page.evaluate(([text1, text2]) => {
      document.getElementById('Text1').value = text1;
      document.getElementById('Text2').value = text2;
    }, pair),
    message: () => page.$eval('#Message', (p) => (p.hidden ? null : p.textContent)),
    // The result whole, as Label2's tooltip holds it.
    result: () => page.$eval('#Label2', (output) => output.title),
    // Per box, the text of every range of every tint, as "Text1 tint: text".
    tints: () => page.evaluate(() => [...CSS.highlights].flatMap(([name, ranges]) =>
      [...ranges].map((range) =>
        `${range.startContainer.parentElement.closest('.text-box').id} ${name}: ${range}`)).sort()),
    // Compares with a click and waits until the page has shown the answer.
    compare: async () => {
      await page.click('#Command1');
      await waitForAnswer(page);
    },
  };
}

// Waits until no Compare runs and the page has shown what the last gave.
export async function waitForAnswer(page, timeout = 30000) {
  await page.waitForFunction(() => document.getElementById('Command1').textContent === 'Compare' &&
    !document.body.classList.contains('busy'), null, { timeout });
  await page.evaluate(() => new Promise((resolve) => { setTimeout(resolve, 50); }));
}

// Rests the pointer on the units from start to end of box (an id), which
// holds text nodes only.
export async function pointAt(page, box, start, end) {
  const center = await page.evaluate(([id, from, to]) => {
    const range = new Range();
    const walker = document.createTreeWalker(document.getElementById(id), NodeFilter.SHOW_TEXT);
    let at = 0;
    for (let node = walker.nextNode(); node; node = walker.nextNode()) {
      if (from >= at && from <= at + node.length) range.setStart(node, from - at);
      if (to >= at && to <= at + node.length) range.setEnd(node, to - at);
      at += node.length;
    }
    const rect = range.getBoundingClientRect();
    return { x: rect.x + rect.width / 2, y: rect.y + rect.height / 2 };
  }, [box, start, end]);
  await page.mouse.move(center.x, center.y);
}
