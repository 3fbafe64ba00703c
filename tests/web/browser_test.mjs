// The game's web page in Chromium, played as a person would: keys, the
// mouse on the drawn menu, a gamepad, a hidden tab, the end of the game.
// The page is served from this process on 127.0.0.1 and Chromium may not
// reach anything else.
//
//   node browser_test.mjs PAGE_DIR PROBE_DIR [WORDS]
//
// PROBE_DIR holds the same page with the test's own program (probe.cpp):
// the loader's messages and the cost of a frame at the full load.
// WORDS runs only the tests whose names hold them. Ends with a line "N passed, N failed"; exits 1 when any failed.
import { chromium } from 'playwright-core';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const [pageDir, probeDir, only] = process.argv.slice(2);
if (!pageDir || !probeDir) {
  console.error('usage: node browser_test.mjs PAGE_DIR PROBE_DIR');
  process.exit(2);
}

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
};

// A static file server for one folder, on a free port of 127.0.0.1.
function serve(folder) {
  const root = path.resolve(folder);
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(root, name.endsWith('/') ? name + 'index.html' : name);
    if (!file.startsWith(root + path.sep) || !fs.existsSync(file)) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': TYPES[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => resolve(server));
  });
}

// Runs in the page before its scripts: counts the frames drawn on the
// game's canvas, notes when the first came, whether the page kept each key
// from the browser, and reads the picture's pixels.
function instrument() {
  const probe = { frames: 0, firstFrame: null, prevented: {} };
  window.__probe = probe;
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    if (this.canvas.id === 'screen') {
      probe.frames += 1;
      if (probe.firstFrame === null) probe.firstFrame = performance.now();
    }
    return put.apply(this, args);
  };
  // Last on the way out of the event, after the page's own listeners.
  window.addEventListener('keydown', (e) => {
    probe.prevented[e.code] = e.defaultPrevented;
  });
  let reader = null;
  probe.pixels = (id) => {
    const canvas = document.getElementById(id || 'screen');
    if (!reader) reader = document.createElement('canvas').getContext('2d', { willReadFrequently: true });
    reader.canvas.width = canvas.width;
    reader.canvas.height = canvas.height;
    reader.drawImage(canvas, 0, 0);
    return reader.getImageData(0, 0, canvas.width, canvas.height).data;
  };
  probe.hash = (id) => {
    let h = 2166136261;
    for (const byte of probe.pixels(id)) h = Math.imul(h ^ byte, 16777619);
    return h >>> 0;
  };
  // Pixels of exactly (r, g, b) in the picture's rows y0..y1-1, columns x0..x1-1.
  probe.count = (r, g, b, x0, y0, x1, y1) => {
    const d = probe.pixels();
    let n = 0;
    for (let y = y0; y < y1; y++) {
      for (let x = x0; x < x1; x++) {
        const i = (y * 320 + x) * 4;
        if (d[i] === r && d[i + 1] === g && d[i + 2] === b) n++;
      }
    }
    return n;
  };
  // The mean row of the first witch's pink above the panels, or null.
  probe.witchRow = () => {
    const d = probe.pixels();
    let sum = 0;
    let n = 0;
    for (let y = 0; y < 215; y++) {
      for (let x = 0; x < 320; x++) {
        const i = (y * 320 + x) * 4;
        if (d[i] === 255 && d[i + 1] === 120 && d[i + 2] === 196) {
          sum += y;
          n++;
        }
      }
    }
    return n > 0 ? sum / n : null;
  };
}

// A gamepad that the test steers: window.__pad.axes, .buttons, .present.
function fakeGamepad(presentAtStart) {
  const pad = {
    present: presentAtStart,
    axes: [0, 0, 0, 0],
    buttons: Array.from({ length: 17 }, () => ({ pressed: false, value: 0 })),
  };
  window.__pad = pad;
  navigator.getGamepads = () => [
    pad.present
      ? { id: 'test pad', index: 0, connected: true, mapping: 'standard', axes: pad.axes.slice(), buttons: pad.buttons.map((b) => ({ ...b })), timestamp: performance.now() }
      : null,
  ];
}

const PEACH = [250, 200, 180];
const MINT = [200, 250, 180];

// Which screen the picture shows, by its texts: the title's name, the
// setup screen's player names under the score line, or play (the score
// line alone).
async function screenOf(page) {
  return page.evaluate(
    ([peach, mint]) => {
      const p = window.__probe;
      const title = p.count(...peach, 115, 80, 211, 96);
      const score = p.count(...mint, 100, 3, 230, 19);
      const names = p.count(...peach, 110, 80, 170, 96);
      if (score === 0 && title > 40) return 'title';
      if (score > 40 && names > 20) return 'setup';
      if (score > 40) return 'play';
      return 'other';
    },
    [PEACH, MINT]
  );
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

function check(condition, what) {
  if (!condition) throw new Error(what);
}

async function waitFor(page, test, what, timeout = 3000) {
  const until = Date.now() + timeout;
  for (;;) {
    if (await test()) return;
    if (Date.now() > until) throw new Error('timed out waiting for ' + what);
    await sleep(25);
  }
}

async function frames(page) {
  return page.evaluate(() => window.__probe.frames);
}

// Frames drawn over `ms` milliseconds.
async function framesOver(page, ms) {
  const before = await frames(page);
  await sleep(ms);
  return (await frames(page)) - before;
}

async function waitForScreen(page, name) {
  await waitFor(page, async () => (await screenOf(page)) === name, 'the ' + name + ' screen');
}

async function witchRow(page) {
  return page.evaluate(() => window.__probe.witchRow());
}

// A click at (x, y) of the game's window: its bar's top-left corner is 0, 0.
async function clickWindow(page, x, y) {
  const box = await page.locator('#window').boundingBox();
  await page.mouse.click(box.x + x, box.y + y);
}

// Presses Enter (title to setup) and Enter (setup to play), waiting for each.
async function startGame(page) {
  await page.keyboard.press('Enter');
  await waitForScreen(page, 'setup');
  await page.keyboard.press('Enter');
  await waitForScreen(page, 'play');
}

function median(values) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.floor(sorted.length / 2)];
}

function percentile(values, p) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(sorted.length * p))];
}

const tests = [];
const test = (name, run, options) => tests.push({ name, run, options });

test('the page loads with nothing on the console and no request off its origin', async ({ page, origin, seen }) => {
  await waitFor(page, async () => (await frames(page)) > 0, 'the first frame');
  await sleep(300);
  check((await page.title()) === 'Sorvi Kadra99 ver0.8', 'title is ' + (await page.title()));
  const icon = await page.evaluate(() => document.querySelector('link[rel=icon]').href);
  check(icon.startsWith('data:image/png;base64,'), 'the icon is not the game icon: ' + icon.slice(0, 40));
  const first = await page.evaluate(() => window.__probe.firstFrame);
  console.log(`  first frame ${first.toFixed(0)} ms after the page began loading`);
  check(first < 1000, `the first frame came after ${first.toFixed(0)} ms`);
  check(seen.requests.length >= 4, 'too few requests seen: ' + seen.requests.join(' '));
  const away = seen.requests.filter((url) => !url.startsWith(origin + '/'));
  check(away.length === 0, 'requests off the origin: ' + away.join(' '));
});

test('the title screen animates', async ({ page }) => {
  await waitForScreen(page, 'title');
  const a = await page.evaluate(() => window.__probe.hash());
  await sleep(200);
  const b = await page.evaluate(() => window.__probe.hash());
  check(a !== b, 'the picture did not change in 200 ms');
  check((await screenOf(page)) === 'title', 'left the title screen by itself');
  const n = await framesOver(page, 1000);
  console.log(`  ${n} frames in a second`);
  check(n >= 20 && n <= 35, `${n} frames in a second, not 30 or so`);
});

test('a tap of Enter with no hold reaches the setup screen', async ({ page }) => {
  await waitForScreen(page, 'title');
  // Down and up in one task: no animation frame can run between them.
  await page.evaluate(() => {
    for (const type of ['keydown', 'keyup']) {
      window.dispatchEvent(new KeyboardEvent(type, { code: 'Enter', key: 'Enter', bubbles: true, cancelable: true }));
    }
  });
  await waitForScreen(page, 'setup');
});

test('Enter, Enter, Enter starts a game and holding Up moves the witch', async ({ page }) => {
  await waitForScreen(page, 'title');
  for (let i = 0; i < 3; i++) {
    await page.keyboard.press('Enter');
    await sleep(150);
  }
  await waitForScreen(page, 'play');
  const start = await witchRow(page);
  check(start !== null, 'no witch on the field');
  await page.keyboard.down('ArrowUp');
  await sleep(500);
  const climbed = await witchRow(page);
  await page.keyboard.up('ArrowUp');
  check(climbed < start - 10, `the witch went from row ${start} to ${climbed}`);
  const kept = await page.evaluate(() => window.__probe.prevented);
  check(kept.ArrowUp === true && kept.Enter === true, 'arrow or Enter reached the browser');
});

test('F10 opens the menu and the picture stays still until Escape closes it', async ({ page }) => {
  await waitForScreen(page, 'title');
  const barBefore = await page.evaluate(() => window.__probe.hash('bar'));
  await page.keyboard.press('F10');
  await sleep(100);
  check((await page.evaluate(() => window.__probe.hash('bar'))) !== barBefore, 'the bar did not change');
  const still = await page.evaluate(() => window.__probe.hash());
  check((await framesOver(page, 400)) === 0, 'frames ran with the menu open');
  check((await page.evaluate(() => window.__probe.hash())) === still, 'the picture changed with the menu open');
  await page.keyboard.press('Escape');
  check((await framesOver(page, 300)) > 3, 'frames did not resume after Escape');
  check(await page.locator('#ended').isHidden(), 'Escape in the menu ended the game');
  // Alt alone opens the bar too; F11 and F12 size the window.
  await page.keyboard.press('Alt');
  check((await framesOver(page, 300)) === 0, 'frames ran after Alt opened the bar');
  await page.keyboard.press('Escape');
  await page.keyboard.press('F12');
  await sleep(100);
  const wide = await page.locator('#screen').boundingBox();
  await page.keyboard.press('F11');
  await sleep(100);
  const normal = await page.locator('#screen').boundingBox();
  check(wide.width === 640 && normal.width === 320, `F12 and F11 gave ${wide.width} and ${normal.width}`);
  const kept = await page.evaluate(() => window.__probe.prevented);
  for (const code of ['F10', 'F11', 'F12', 'AltLeft', 'Escape']) {
    check(kept[code] === true, code + ' reached the browser');
  }
});

test('Size 2x from the menu doubles the canvas', async ({ page }) => {
  await waitForScreen(page, 'title');
  await clickWindow(page, 100, 10); // the second title, ｻｲｽﾞ
  await sleep(100);
  check((await framesOver(page, 200)) === 0, 'frames ran with the pop-up open');
  await clickWindow(page, 110, 50); // its second item, ２倍
  await sleep(150);
  const screen = await page.locator('#screen').boundingBox();
  const bar = await page.locator('#bar').boundingBox();
  check(screen.width === 640 && screen.height === 480, `the picture is ${screen.width} by ${screen.height}`);
  check(bar.width === 640 && screen.y - bar.y === 20, 'the bar is not 640 wide above the picture');
  const own = await page.evaluate(() => [document.getElementById('screen').width, document.getElementById('screen').height]);
  check(own[0] === 320 && own[1] === 240, 'the canvas itself is ' + own.join(' by '));
  check((await framesOver(page, 300)) > 3, 'frames did not resume after the command');
  await page.keyboard.press('F11');
  await sleep(100);
  check((await page.locator('#screen').boundingBox()).width === 320, 'F11 did not return to 320');
});

test('a stubbed navigator.getGamepads steers a joystick slot', async ({ page }) => {
  await waitForScreen(page, 'title');
  await startGame(page);
  const start = await witchRow(page);
  await page.evaluate(() => (window.__pad.axes[1] = -1));
  await sleep(500);
  const up = await witchRow(page);
  check(up < start - 10, `stick up: the witch went from row ${start} to ${up}`);
  // At rest again, then down.
  await page.evaluate(() => (window.__pad.axes[1] = 0));
  await sleep(400);
  const rest = await witchRow(page);
  await page.evaluate(() => (window.__pad.axes[1] = 1));
  await sleep(500);
  const down = await witchRow(page);
  check(down > rest + 10, `stick down: the witch went from row ${rest} to ${down}`);
}, { gamepad: true });

test('a gamepad that appears on the title screen steers player 1', async ({ page }) => {
  await waitForScreen(page, 'title');
  await page.evaluate(() => {
    window.__pad.present = true;
    window.dispatchEvent(new Event('gamepadconnected'));
  });
  await startGame(page);
  const start = await witchRow(page);
  await page.evaluate(() => (window.__pad.axes[1] = -1));
  await sleep(500);
  const up = await witchRow(page);
  check(up < start - 10, `stick up: the witch went from row ${start} to ${up}`);
}, { gamepad: false });

test('a hidden page runs no frame and releases every key', async ({ page }) => {
  const setHidden = (hidden) =>
    page.evaluate((h) => {
      Object.defineProperty(document, 'hidden', { value: h, configurable: true });
      Object.defineProperty(document, 'visibilityState', { value: h ? 'hidden' : 'visible', configurable: true });
      document.dispatchEvent(new Event('visibilitychange'));
    }, hidden);
  await waitForScreen(page, 'title');
  await startGame(page);
  await page.keyboard.down('ArrowUp');
  await sleep(60);
  await setHidden(true);
  check((await framesOver(page, 400)) === 0, 'frames ran while hidden');
  await setHidden(false);
  check((await framesOver(page, 300)) > 3, 'frames did not resume');
  // Up is still down as far as the keyboard knows, but the page saw no
  // release while hidden: once her speed has died down the witch must not
  // climb on.
  await sleep(300);
  const a = await witchRow(page);
  await sleep(400);
  const b = await witchRow(page);
  await page.keyboard.up('ArrowUp');
  check(a > 40 && b >= a - 1, `the witch went from row ${a} to ${b}: Up stuck`);
});

test('Escape ends the game and the page says so', async ({ page }) => {
  await waitForScreen(page, 'title');
  await page.keyboard.press('Escape');
  await waitFor(page, () => page.locator('#ended').isVisible(), 'the end of the game');
  check((await page.locator('#ended').innerText()).includes('The game has ended.'), 'no word of the end');
  check(await page.locator('#window').isHidden(), 'the game window is still shown');
  check((await framesOver(page, 300)) === 0, 'frames ran after the end');
  // The keys are the page's again: Enter presses the focused button.
  await Promise.all([page.waitForEvent('load'), page.keyboard.press('Enter')]);
  await waitForScreen(page, 'title');
});

test("the loader's messages show one after another and hold the frames", async ({ page }) => {
  const dialog = page.locator('#message');
  await waitFor(page, () => dialog.isVisible(), 'the first message');
  check((await page.locator('#message-caption').textContent()) === 'Sorvi Kadra99 ', 'caption');
  check((await page.locator('#message-text').textContent()) === 'FindResource Error', 'first text');
  check((await framesOver(page, 300)) === 0, 'frames ran under the message');
  await page.locator('#message button').click();
  await waitFor(page, async () => (await page.locator('#message-text').innerText()) === 'LoadResource Error', 'the second message');
  check(await dialog.isVisible(), 'the second message is not shown');
  check((await framesOver(page, 200)) === 0, 'frames ran under the second message');
  await page.keyboard.press('Enter');
  await waitFor(page, async () => !(await dialog.isVisible()), 'the message to close');
  check((await framesOver(page, 300)) > 3, 'no frames after the messages');
}, { probe: '?broken' });

test('a frame at the full load costs little', async ({ page }) => {
  await waitFor(page, () => page.evaluate(() => !!window.sorviProbeCosts), 'the measured frames', 20000);
  const costs = await page.evaluate(() => window.sorviProbeCosts);
  const ms = (v) => v.toFixed(3) + ' ms';
  console.log(
    `  full-load frame (clear, game, present) over ${costs.frame.length} animation frames: ` +
      `median ${ms(median(costs.frame))}, 95th percentile ${ms(percentile(costs.frame, 0.95))}, ` +
      `worst ${ms(Math.max(...costs.frame))}`
  );
  console.log(
    `  timed in batches: median ${ms(median(costs.batched))}; ` +
      `present alone: median ${ms(median(costs.present))}`
  );
  const frame = median(costs.batched);
  check(frame <= 4, `the median frame costs ${ms(frame)}`);
}, { probe: '?cost' });

async function main() {
  const chosen = tests.filter((t) => !only || t.name.includes(only));
  if (chosen.length === 0) {
    console.error('no test is named with: ' + only);
    process.exit(2);
  }
  const page = await serve(pageDir);
  const probe = await serve(probeDir);
  const browser = await chromium.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    args: [
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--no-first-run',
      '--disable-gpu',
      '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1',
    ],
  });
  let passed = 0;
  let failed = 0;
  try {
    // A first page in a fresh browser pays for the browser's own start
    // (its renderer, its fonts); a player's browser is already running.
    const warm = await browser.newContext();
    await (await warm.newPage()).goto(`http://127.0.0.1:${page.address().port}/`);
    await warm.close();
    for (const { name, run, options = {} } of chosen) {
      const server = options.probe !== undefined ? probe : page;
      const origin = `http://127.0.0.1:${server.address().port}`;
      const context = await browser.newContext({ viewport: { width: 900, height: 700 } });
      const seen = { errors: [], requests: [] };
      try {
        const tab = await context.newPage();
        tab.on('console', (m) => seen.errors.push(m.type() + ': ' + m.text()));
        tab.on('pageerror', (e) => seen.errors.push(String(e)));
        tab.on('request', (r) => seen.requests.push(r.url()));
        await tab.addInitScript(instrument);
        if (options.gamepad !== undefined) await tab.addInitScript(fakeGamepad, options.gamepad);
        await tab.goto(origin + '/' + (options.probe || ''));
        let timer;
        const limit = new Promise((_, reject) => {
          timer = setTimeout(() => reject(new Error('took over 30 s')), 30000);
        });
        await Promise.race([run({ page: tab, origin, seen }), limit]).finally(() => clearTimeout(timer));
        check(seen.errors.length === 0, 'console noise: ' + seen.errors.join(' | '));
        console.log('ok - ' + name);
        passed++;
      } catch (error) {
        console.log('FAIL - ' + name + ': ' + error.message);
        failed++;
      } finally {
        await context.close();
      }
    }
  } finally {
    await browser.close();
    page.close();
    probe.close();
  }
  console.log(`${passed} passed, ${failed} failed`);
  process.exitCode = failed === 0 ? 0 : 1;
}

await main();
