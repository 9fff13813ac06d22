// The browser front's speed: compare and compareExplained called from
// JavaScript (node) on the cases of the native BM_SamplePairA and
// BM_Paragraphs, in microseconds a call (wall) and calls per CPU second.
//   node bench/web_compare.mjs SITE
import { readFileSync } from 'node:fs';
import { resolve } from 'node:path';
import { pathToFileURL } from 'node:url';

const here = new URL('.', import.meta.url);
const velmoro = await import(pathToFileURL(resolve(process.argv[2], 'velmoro.js')).href);
const read = (path) => readFileSync(new URL(path, here), 'utf8');

const samplePair = JSON.parse(read('../tests/fixtures/sample_pair.json'));
const cases = {
  SamplePairA: [samplePair.text1, samplePair.text2],
  Paragraphs: [read('paragraphs/text1.txt').trimEnd(), read('paragraphs/text2.txt').trimEnd()],
};

// One round: call called for about 0.3 s; its wall and CPU microseconds a call.
function round(call) {
  let calls = 0;
  const cpuStart = process.cpuUsage();
  const start = process.hrtime.bigint();
  let elapsed = 0n;
  while (elapsed < 300_000_000n) {
    for (let i = 0; i < 200; ++i) call();
    calls += 200;
    elapsed = process.hrtime.bigint() - start;
  }
  const cpu = process.cpuUsage(cpuStart);
  return { wall: Number(elapsed) / 1e3 / calls, cpu: (cpu.user + cpu.system) / calls };
}

// Five rounds after a warm-up; the best of each, as other work on the machine
// only ever slows a round down.
function measure(name, call) {
  round(call);
  const rounds = Array.from({ length: 5 }, () => round(call));
  const wall = Math.min(...rounds.map((r) => r.wall));
  const cpu = Math.min(...rounds.map((r) => r.cpu));
  console.log(`${name.padEnd(32)} ${wall.toFixed(2).padStart(8)} us/call  ` +
    `${Math.round(1e6 / cpu).toLocaleString('en-US').padStart(9)} calls per CPU second`);
}

for (const [name, [text1, text2]] of Object.entries(cases)) {
  console.log(`${name}: ${velmoro.compare(text1, text2).result}`);
  measure(`compare ${name}`, () => velmoro.compare(text1, text2));
  measure(`compareExplained ${name}`, () => velmoro.compareExplained(text1, text2));
}
