// Pairs of texts made from a seed, for checking the web build against
// velmoro-cli: shared words and near-misses, punctuation, mixed case, every
// kind of line break, tabs, letters from many scripts (some that lower-case
// outside ASCII, some outside the basic plane, some not yet composed), and
// texts that end in each error: empty, nothing in common, too long.
import { spawnSync } from 'node:child_process';

const words = [
  'the', 'then', 'a', 'an', 'red', 'bag', 'tom', 'reads', 'book', 'in', 'garden', 'after',
  'lunch', 'tea', 'quiet', 'kitchen', 'Anna', 'packs', 'RIVER', 'mill', 'old', 'scar', 'car',
  'café', 'cafe\u0301', 'Straße', 'ΣΊΣΥΦΟΣ', 'İstanbul', 'ǅemal', 'Ωmega', '𐐀𐐨', '😀', '東京',
  'naïve', 'x', 'y', 'to', 'be', 'or', 'not', 'ünïcödé', 'ÅNGSTRÖM', 'Ｆｕｌｌ', '\u0958',
];
const gaps = [' ', ' ', ' ', '  ', ', ', '. ', '; ', ': ', '? ', '! ', ' - ', '*', '\t', '\n',
  '\r\n', '\r', ' \u00A0'];

// A small, seeded generator (mulberry32): the same seed gives the same pairs.
function randomFrom(seed) {
  let state = seed >>> 0;
  return () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
  };
}

function makeText(random, count) {
  const pick = (list) => list[Math.floor(random() * list.length)];
  let text = random() < 0.1 ? pick(gaps) : '';
  for (let i = 0; i < count; ++i) text += (i > 0 ? pick(gaps) : '') + pick(words);
  return random() < 0.2 ? text + pick(gaps) : text;
}

// How many words a text gets: mostly a sentence, sometimes none, sometimes
// more than the measure is made for.
function wordCount(random) {
  const roll = random();
  if (roll < 0.03) return 0;
  if (roll < 0.08) return 150 + Math.floor(random() * 100);
  return 1 + Math.floor(random() * 30);
}

export function textPairs(count, seed) {
  const random = randomFrom(seed);
  const pairs = [];
  for (let i = 0; i < count; ++i) {
    const text1 = makeText(random, wordCount(random));
    // Half the pairs share much: the second text is the first, edited.
    const text2 = random() < 0.5 ? makeText(random, wordCount(random))
      : text1.split(' ').filter(() => random() < 0.8).join(' ') + ' ' + makeText(random, 3);
    pairs.push([text1, text2]);
  }
  return pairs;
}

// A text of words and gaps units long, made from a seed; with paragraphs
// false, one paragraph without any line break.
export function longText(units, seed, { paragraphs }) {
  const random = randomFrom(seed);
  const spaced = paragraphs ? gaps : gaps.filter((gap) => !/[\r\n]/.test(gap));
  const pick = (list) => list[Math.floor(random() * list.length)];
  const parts = [];
  for (let length = 0; length < units;) {
    const part = pick(words) + pick(spaced);
    parts.push(part);
    length += part.length;
  }
  const text = parts.join('').slice(0, units);
  // Not ending inside a surrogate pair.
  return /[\ud800-\udbff]$/.test(text) ? `${text.slice(0, -1)}x` : text;
}

// What velmoro-cli --json --explain (with explain false, --json alone)
// prints for each pair, read back, without the keys that say where in the
// batch it stood.
export function cliRecords(cli, pairs, { explain = true } = {}) {
  const input = pairs.map(([text1, text2]) => JSON.stringify({ text1, text2 })).join('\n') + '\n';
  const options = explain ? ['--json', '--explain'] : ['--json'];
  const run = spawnSync(cli, ['--batch', '-', ...options, '-j', '2'], {
    input, maxBuffer: 1 << 30, encoding: 'utf8',
  });
  if (run.error) throw run.error;
  if (run.status !== 0) throw new Error(`${cli} failed (${run.status}): ${run.stderr}`);
  return run.stdout.trimEnd().split('\n').map((line) => {
    const { line: _line, ...record } = JSON.parse(line);
    return record;
  });
}
