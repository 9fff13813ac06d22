#!/usr/bin/env bash
# The npm package as a JavaScript project takes it: npm pack makes its
# tarball, npm installs it offline into an empty project, and Node imports it
# by name and compares the sample pair, whose record must be the fixture's.
# Usage: npm_package_test.sh PACKAGE_FOLDER SAMPLE_PAIR_JSON
set -euo pipefail
readonly package="$1" fixture="$2"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

tarball=$(cd "$package" && npm pack --silent --pack-destination "$work")
echo "packed $tarball"
mkdir "$work/app"
cd "$work/app"
echo '{"name": "app", "private": true, "type": "module"}' > package.json
npm install --offline --no-audit --no-fund --silent "$work/$tarball"

cat > check.js <<'SCRIPT'
import assert from 'node:assert/strict';
import { readFileSync } from 'node:fs';
import { compare } from 'velmoro';

const sample = JSON.parse(readFileSync(process.argv[2], 'utf8'));
const record = compare(sample.text1, sample.text2);
assert.deepEqual(record.scores, sample.scores);
assert.equal(record.result, sample.result);
assert.deepEqual([record.status1, record.status2], [sample.status1, sample.status2]);
const types = JSON.parse(readFileSync('node_modules/velmoro/package.json', 'utf8')).types;
assert.ok(readFileSync(`node_modules/velmoro/${types}`, 'utf8').includes('export function compare'));
console.log(`velmoro from npm: ${record.result}`);
SCRIPT
node check.js "$fixture"
