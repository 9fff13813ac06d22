// What README.md says of the browser front holds: the engine's size, "a 149
// KB `.wasm` (60 KB gzipped)", is the built one's to within 3%, so that a
// figure that drifted fails here; and the folder its example builds the site
// into ("scripts/web.sh build site/") is one git ignores, where the checkout
// is a git one.
//   node readme_web_test.mjs SITE README
import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { existsSync, readFileSync } from 'node:fs';
import { dirname, resolve } from 'node:path';

import { engineSize } from './engine_size.mjs';

const [site, readme] = process.argv.slice(2);
const text = readFileSync(readme, 'utf8');

const stated = /(\d+) KB `\.wasm` \((\d+) KB gzipped/.exec(text.replace(/\s+/g, ' '));
assert.ok(stated, 'README.md gives the engine\'s size as "N KB `.wasm` (M KB gzipped"');
const built = engineSize(resolve(site, 'velmoro_core.wasm'));
const near = (kb, bytes) => Math.abs(kb * 1000 - bytes) <= 0.03 * bytes;
const measured = `${Math.round(built.bytes / 1000)} KB (${Math.round(built.gzipped / 1000)} KB gzipped)`;
assert.ok(near(Number(stated[1]), built.bytes) && near(Number(stated[2]), built.gzipped),
  `README.md says ${stated[1]} KB (${stated[2]} KB gzipped); the engine is ${measured}`);
console.log(`README.md's engine size holds: ${measured}`);

const checkout = dirname(resolve(readme));
const [, out] = /scripts\/web\.sh build (\S+)/.exec(text);
if (existsSync(resolve(checkout, '.git'))) {
  const ignored = spawnSync('git', ['-C', checkout, 'check-ignore', '-q', out]);
  assert.equal(ignored.status, 0, `git does not ignore ${out}, where README.md builds the site`);
  console.log(`git ignores ${out}, where README.md builds the site`);
}
