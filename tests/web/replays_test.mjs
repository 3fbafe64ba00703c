// The golden replays through the game built for the browser's engine:
// each script's trace from sorvi-replay.js under node must be the
// committed trace, byte for byte, as the native build's is.
//
//   node replays_test.mjs SORVI_REPLAY_JS REPLAYS_DIR
//
// Ends with a line "N passed, N failed"; exits 1 when any failed.
import { execFile } from 'node:child_process';
import fs from 'node:fs';
import path from 'node:path';
import { promisify } from 'node:util';

const run = promisify(execFile);
const [replay, folder] = process.argv.slice(2);
if (!replay || !folder) {
  console.error('usage: node replays_test.mjs SORVI_REPLAY_JS REPLAYS_DIR');
  process.exit(2);
}

// The runner's options are the script's first line: "#! OPTIONS".
function optionsOf(script) {
  const first = fs.readFileSync(script, 'utf8').split('\n', 1)[0];
  return first.startsWith('#!') ? first.slice(2).trim().split(/\s+/).filter(Boolean) : [];
}

async function check(file) {
  const script = path.join(folder, file);
  const name = path.parse(file).name;
  const expected = fs.readFileSync(path.join(folder, name + '.trace'));
  // A .soak file holds only the options: the runner plays on its own input.
  const input = file.endsWith('.soak') ? [] : [script];
  const { stdout } = await run(process.execPath, [replay, ...optionsOf(script), ...input], {
    encoding: 'buffer',
    maxBuffer: 64 * 1024 * 1024,
  });
  if (stdout.equals(expected)) return null;
  const got = stdout.toString().split('\n');
  const want = expected.toString().split('\n');
  let line = 0;
  while (line < want.length && got[line] === want[line]) line++;
  const a = want[line] ?? '(end)';
  const b = got[line] ?? '(end)';
  let column = 0;
  while (column < a.length && a[column] === b[column]) column++;
  const from = Math.max(0, column - 40);
  return `line ${line + 1} differs at column ${column + 1}:\n    want ...${a.slice(from, column + 80)}\n    got  ...${b.slice(from, column + 80)}`;
}

const names = fs
  .readdirSync(folder)
  .filter((file) => file.endsWith('.script') || file.endsWith('.soak'))
  .sort();
if (names.length === 0) {
  console.error('no scripts in ' + folder);
  process.exit(2);
}
let passed = 0;
let failed = 0;
// Two at a time, one per core.
const queue = [...names];
async function worker() {
  while (queue.length > 0) {
    const name = queue.shift();
    let problem;
    try {
      problem = await check(name);
    } catch (error) {
      problem = 'sorvi-replay failed: ' + String(error.stderr || error.message).trim();
    }
    if (problem === null) {
      console.log('ok - replay ' + name);
      passed++;
    } else {
      console.log('FAIL - replay ' + name + ': ' + problem);
      failed++;
    }
  }
}
await Promise.all([worker(), worker()]);
console.log(`${passed} passed, ${failed} failed`);
process.exitCode = failed === 0 ? 0 : 1;
