// The game's web page in Chromium, played as a person would. Chromium may
// reach nothing but the pages this process serves on 127.0.0.1.
//   node browser_test.mjs PAGE_DIR PROBE_DIR    (PROBE_DIR: the page of probe.cpp)
// Ends with a line "N passed, N failed"; exits 1 when any failed.
import { chromium } from 'playwright-core';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const TYPES = { '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm' };
const serve = (folder) => new Promise((resolve) => {
  const server = http.createServer((request, response) => {
    const file = path.join(folder, new URL(request.url, 'http://x').pathname.replace(/\/$/, '/index.html'));
    if (!fs.existsSync(file)) return response.writeHead(404).end();
    response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] });
    fs.createReadStream(file).pipe(response);
  }).listen(0, '127.0.0.1', () => resolve(`http://127.0.0.1:${server.address().port}`));
});

// Runs in the page before its scripts: counts the frames drawn, notes
// whether the page kept each key from the browser, reads the picture, and
// stands in for a gamepad and for the tab's visibility.
function instrument() {
  const probe = (window.__probe = { frames: 0, firstFrame: null, prevented: {} });
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    if (this.canvas.id === 'screen') probe.firstFrame ??= performance.now(), probe.frames++;
    return put.apply(this, args);
  };
  // Last on the way out of the event, after the page's own listeners.
  addEventListener('keydown', (e) => (probe.prevented[e.code] = e.defaultPrevented));
  const read = (id = 'screen') => {
    const canvas = document.getElementById(id), copy = new OffscreenCanvas(canvas.width, canvas.height).getContext('2d');
    copy.drawImage(canvas, 0, 0);
    return copy.getImageData(0, 0, canvas.width, canvas.height).data;
  };
  probe.hash = (id) => read(id).reduce((h, byte) => Math.imul(h ^ byte, 16777619), 2166136261);
  // The pixels of colour rgb in columns x0..x1-1 of rows y0..y1-1: how many, and their mean row.
  probe.find = ([r, g, b], x0, y0, x1, y1, d = read()) => {
    let n = 0, rows = 0;
    for (let y = y0; y < y1; y++) {
      for (let i = (y * 320 + x0) * 4; i < (y * 320 + x1) * 4; i += 4) {
        if (d[i] === r && d[i + 1] === g && d[i + 2] === b) n++, (rows += y);
      }
    }
    return { n, row: n ? rows / n : null };
  };
  // By its texts: the title's name; the score line, with the setup's names under it.
  probe.screen = (peach = [250, 200, 180]) => {
    if (probe.find([200, 250, 180], 100, 3, 230, 19).n < 40) return probe.find(peach, 115, 80, 211, 96).n > 40 ? 'title' : '?';
    return probe.find(peach, 110, 80, 170, 96).n > 20 ? 'setup' : 'play';
  };
  // The first witch's pink above the panels.
  probe.witchRow = () => probe.find([255, 120, 196], 0, 0, 320, 215).row;
  probe.hide = (value) => {
    Object.defineProperty(document, 'hidden', { value, configurable: true });
    document.dispatchEvent(new Event('visibilitychange'));
  };
  const pad = (window.__pad = { present: false, axes: [0, 0, 0, 0] });
  const buttons = Array.from({ length: 17 }, () => ({ pressed: false, value: 0 }));
  navigator.getGamepads = () => [pad.present ? { index: 0, connected: true, mapping: 'standard', axes: pad.axes, buttons } : null];
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
function check(ok, what) {
  if (!ok) throw new Error(what);
}
// The page's __probe[name], called with `args` when a function.
const probe = (page, name, ...args) => page.evaluate(([n, a]) => (typeof __probe[n] === 'function' ? __probe[n](...a) : __probe[n]), [name, args]);
async function waitFor(test, what, timeout = 3000) {
  for (const until = Date.now() + timeout; !(await test()); await sleep(25)) {
    if (Date.now() > until) throw new Error('timed out waiting for ' + what);
  }
}
const waitForScreen = (page, name) => waitFor(async () => (await probe(page, 'screen')) === name, name);
async function framesOver(page, ms = 300) {
  const before = await probe(page, 'frames');
  await sleep(ms);
  return (await probe(page, 'frames')) - before;
}
// Real key presses, one after another.
async function press(page, ...keys) {
  for (const key of keys) await page.keyboard.press(key), await sleep(150);
}
// How many rows the witch moves in the 500 ms after `act`.
async function witchMoves(page, act) {
  const from = await probe(page, 'witchRow');
  await act();
  await sleep(500);
  return (await probe(page, 'witchRow')) - from;
}
const boxOf = (page, id) => page.locator(id).boundingBox();

const tests = [];
const test = (name, run, address = '') => tests.push({ name, run, address });

test('the page loads clean and fast, and its title screen animates at 30 frames a second', async ({ page, origin, requests }) => {
  await waitForScreen(page, 'title');
  check((await page.evaluate(() => document.querySelector('link[rel=icon]').href)).startsWith('data:image/png'), 'no icon');
  const [first, picture] = [await probe(page, 'firstFrame'), await probe(page, 'hash')];
  const n = await framesOver(page, 1000);
  console.log(`  first frame ${first.toFixed(0)} ms after the page began loading; ${n} frames in a second`);
  check(first < 1000 && n >= 20 && n <= 35, 'the first frame came late, or not 30 frames a second');
  check((await probe(page, 'hash')) !== picture, 'the picture did not change');
  check((await probe(page, 'screen')) === 'title', 'left the title screen by itself');
  check(requests.length >= 4 && requests.every((url) => url.startsWith(origin + '/')), 'requests: ' + requests);
});

test('Enter (a tap), Enter, Enter starts a game; a hidden page runs no frame and forgets Up; held, Up moves the witch', async ({ page }) => {
  await waitForScreen(page, 'title');
  // Down and up in one task: no animation frame can run between them.
  await page.evaluate(() => ['keydown', 'keyup'].forEach((type) =>
    dispatchEvent(new KeyboardEvent(type, { code: 'Enter', key: 'Enter', bubbles: true, cancelable: true }))));
  await waitForScreen(page, 'setup');
  await press(page, 'Enter', 'Enter');
  await waitForScreen(page, 'play');
  await page.keyboard.down('ArrowUp');
  await sleep(60);
  await probe(page, 'hide', true);
  check((await framesOver(page, 400)) === 0, 'frames ran while hidden');
  await probe(page, 'hide', false);
  // Up is still down, but its release could not reach a hidden page: once
  // her speed has died down the witch must not climb on.
  check((await framesOver(page, 600)) > 3, 'frames did not resume');
  const drift = await witchMoves(page, () => {});
  await page.keyboard.up('ArrowUp');
  const climb = await witchMoves(page, () => page.keyboard.down('ArrowUp'));
  check(drift >= -1 && climb < -10, `the witch moved ${drift} rows with Up forgotten, ${climb} with Up held`);
  const kept = await probe(page, 'prevented');
  check(kept.ArrowUp && kept.Enter, 'an arrow or Enter reached the browser');
});

test('F10 opens the menu and the picture stays still until Escape; Alt opens it too; Size 2x doubles the canvas; Escape ends the game', async ({ page }) => {
  await waitForScreen(page, 'title');
  const bar = await probe(page, 'hash', 'bar');
  await press(page, 'F10');
  const [menu, still] = [await probe(page, 'hash', 'bar'), await probe(page, 'hash')];
  check(menu !== bar && (await framesOver(page, 400)) === 0, 'the bar did not change, or frames ran with the menu open');
  check((await probe(page, 'hash')) === still, 'the picture changed with the menu open');
  await press(page, 'Escape');
  check((await framesOver(page)) > 3, 'frames did not resume after Escape');
  await press(page, 'Alt');
  check((await framesOver(page)) === 0, 'frames ran after Alt opened the bar');
  await press(page, 'Escape');
  // The second title (ｻｲｽﾞ), then its second item (２倍).
  const corner = await boxOf(page, '#window');
  await page.mouse.click(corner.x + 100, corner.y + 10);
  check((await framesOver(page)) === 0, 'frames ran with the pop-up open');
  await page.mouse.click(corner.x + 110, corner.y + 50);
  check((await framesOver(page)) > 3, 'frames did not resume after the command');
  const [screen, strip] = [await boxOf(page, '#screen'), await boxOf(page, '#bar')];
  const own = await page.evaluate(() => ['width', 'height'].map((side) => document.getElementById('screen')[side]));
  check([screen.width, screen.height, strip.width, screen.y - strip.y, ...own].join() === '640,480,640,20,320,240',
    `the picture ${screen.width} by ${screen.height} (its canvas ${own}), the bar ${strip.width} wide`);
  await press(page, 'F12', 'F11');
  const kept = await probe(page, 'prevented');
  for (const code of ['F10', 'F11', 'F12', 'AltLeft', 'Escape']) check(kept[code], code + ' reached the browser');
  // The end: the page says so, and its keys are its own again.
  await press(page, 'Escape');
  check(await page.locator('#ended').isVisible() && await page.locator('#window').isHidden(), 'no word of the end');
  check((await framesOver(page)) === 0, 'frames ran after the end');
  await Promise.all([page.waitForEvent('load'), page.keyboard.press('Enter')]);
  await waitForScreen(page, 'title');
});

test('a stubbed navigator.getGamepads, connected on the title screen, steers player 1', async ({ page }) => {
  await waitForScreen(page, 'title');
  await page.evaluate(() => (__pad.present = true) && dispatchEvent(new Event('gamepadconnected')));
  await press(page, 'Enter', 'Enter');
  await waitForScreen(page, 'play');
  const stick = (y) => () => page.evaluate((value) => (__pad.axes = [0, value, 0, 0]), y);
  const up = await witchMoves(page, stick(-1));
  await stick(0)();
  await sleep(400);
  const down = await witchMoves(page, stick(1));
  check(up < -10 && down > 10, `the witch moved ${up} rows with the stick up, ${down} with it down`);
});

test("the loader's messages show one after another and hold the frames", async ({ page }) => {
  const shows = (text) => waitFor(async () => (await page.locator('#message').isVisible()) &&
    (await page.locator('#message-text').textContent()) === text, text);
  await shows('FindResource Error');
  check((await page.locator('#message-caption').textContent()) === 'Sorvi Kadra99 ', 'caption');
  check((await framesOver(page)) === 0, 'frames ran under the message');
  await page.locator('#message button').click();
  await shows('LoadResource Error');
  check((await framesOver(page, 200)) === 0, 'frames ran under the second message');
  await page.keyboard.press('Enter');
  check((await framesOver(page)) > 3, 'no frames after the messages');
}, '?broken');

test('a frame at the full load costs little', async ({ page }) => {
  await waitFor(() => page.evaluate(() => !!window.sorviProbeCosts), 'the measured frames', 20000);
  const costs = (await page.evaluate(() => sorviProbeCosts)).sort((a, b) => a - b);
  const at = (p) => costs[Math.floor((costs.length - 1) * p)];
  console.log(`  full-load frame (clear, game, present) in ${costs.length} batches: median ${at(0.5).toFixed(3)} ms, ` +
    `95th percentile ${at(0.95).toFixed(3)} ms, worst ${at(1).toFixed(3)} ms`);
  check(at(0.5) <= 4, `the median frame costs ${at(0.5)} ms`);
}, '?cost');

const [pageDir, probeDir] = process.argv.slice(2);
const origins = { '': await serve(pageDir), '?': await serve(probeDir) };
const browser = await chromium.launch({
  executablePath: '/usr/bin/chromium',
  args: ['--disable-background-networking', '--disable-component-update', '--disable-sync', '--no-first-run',
    '--disable-gpu', '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1'],
});
setTimeout(() => (console.log('FAIL - stuck for 5 minutes'), process.exit(1)), 300000).unref();
// A first page pays for the browser's own start; a player's browser runs already.
const warm = await browser.newPage();
await warm.goto(origins['']);
await warm.close();
let [passed, failed] = [0, 0];
for (const { name, run, address } of tests) {
  const [origin, noise, requests] = [origins[address.slice(0, 1)], [], []];
  const page = await browser.newPage({ viewport: { width: 900, height: 700 } });
  page.on('console', (m) => noise.push(m.type() + ': ' + m.text())).on('pageerror', (e) => noise.push(String(e)));
  page.on('request', (r) => requests.push(r.url()));
  await page.addInitScript(instrument);
  try {
    await page.goto(origin + '/' + address);
    await run({ page, origin, requests });
    check(noise.length === 0, 'console noise: ' + noise.join(' | '));
    console.log('ok - ' + name), passed++;
  } catch (error) {
    console.log(`FAIL - ${name}: ${error.message}`), failed++;
  }
  await page.close();
}
await browser.close();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
