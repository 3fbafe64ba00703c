// The page in Chromium on displays of other rates, without a network, and
// as an app: its speed at 50, 60 and 144 Hz, offline play after one visit,
// a new build taking over, and Chromium's own verdict that it installs.
//   node offline_test.mjs PAGE_DIR
// Ends with a line "N passed, N failed"; exits 1 when any failed.
import { chromium } from 'playwright-core';
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { CHROMIUM_ARGS, check, launch, runTests, startServer, waitFor } from './harness.mjs';

const ROOT = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');

// Runs in the page before its scripts: counts the frames drawn, tells the
// title from the setup screen, and, once asked to, stands in for a display
// of a chosen rate (run()): the page's animation frames and clock are then
// simulated, so that a busy machine cannot make the count wrong.
function instrument() {
  const probe = (window.__probe = { frames: 0 });
  const put = CanvasRenderingContext2D.prototype.putImageData;
  CanvasRenderingContext2D.prototype.putImageData = function (...args) {
    if (this.canvas.id === 'screen') probe.frames++;
    return put.apply(this, args);
  };
  // Which screen by its texts, as the browser test tells them: the title's
  // name; the score line, with the setup's player names under it.
  probe.screen = () => {
    // Read through a copy: the page's own canvas is not read back.
    const copy = new OffscreenCanvas(320, 240).getContext('2d');
    copy.drawImage(document.getElementById('screen'), 0, 0);
    const d = copy.getImageData(0, 0, 320, 240).data;
    const count = ([r, g, b], x0, y0, x1, y1) => {
      let n = 0;
      for (let y = y0; y < y1; y++) {
        for (let i = (y * 320 + x0) * 4; i < (y * 320 + x1) * 4; i += 4) n += d[i] === r && d[i + 1] === g && d[i + 2] === b;
      }
      return n;
    };
    const peach = [250, 200, 180];
    if (count([200, 250, 180], 100, 3, 230, 19) < 40) return count(peach, 115, 80, 211, 96) > 40 ? 'title' : '?';
    return count(peach, 110, 80, 170, 96) > 20 ? 'setup' : 'play';
  };

  if (!location.search.includes('display')) return;
  const realNow = performance.now.bind(performance);
  const display = (window.__display = { callbacks: [], time: null });
  // Animation frames wait for the simulated display; the clock is the
  // real one until the simulation takes over, then the simulated one.
  window.requestAnimationFrame = (callback) => display.callbacks.push(callback);
  window.cancelAnimationFrame = () => {};
  performance.now = () => (display.time === null ? realNow() : display.time);
  let seed = 12345;
  const random = () => ((seed = (Math.imul(seed, 1103515245) + 12345) >>> 0) / 2 ** 32);
  // `seconds` of a display at `hertz`: at each refresh the animation
  // frames run, with the clock read a little after the refresh (0 to 4
  // ms, as a browser's callbacks start late). Returns the frames drawn.
  display.run = (hertz, seconds) => {
    const from = display.time ?? realNow();
    const before = probe.frames;
    for (let k = 1; k <= hertz * seconds; k++) {
      const refresh = from + (k * 1000) / hertz;
      display.time = refresh + 4 * random();
      const due = display.callbacks.splice(0);
      for (const callback of due) callback(refresh);
    }
    display.time = from + seconds * 1000;
    return probe.frames - before;
  };
  // A stall of the whole page: time passes with no animation frame.
  display.stall = (milliseconds) => (display.time = (display.time ?? realNow()) + milliseconds);
}

// A copy of the page in a folder of its own, to be served, changed and
// taken down.
function copyOfPage(pageDir) {
  const folder = fs.mkdtempSync(path.join(os.tmpdir(), 'sorvi-page-'));
  fs.cpSync(pageDir, folder, { recursive: true });
  return folder;
}

// The files the page's worker keeps, and its build, as the build wrote them.
function workerOf(folder) {
  const source = fs.readFileSync(path.join(folder, 'service-worker.js'), 'utf8');
  const files = [...source.match(/^const FILES = \[(.*)\];$/m)[1].matchAll(/'([^']+)'/g)].map((m) => m[1]);
  return { build: source.match(/^const BUILD = '([0-9a-f]+)';$/m)[1], files };
}

// Until the page is controlled by an active worker, whose cache (the only
// one of the page) is returned by name.
async function waitForWorker(page) {
  await waitFor(() => page.evaluate(() => navigator.serviceWorker.controller?.state === 'activated'),
    'an active service worker', 10000);
  return page.evaluate(() => caches.keys());
}

// Loads the page again with the server gone and the network off; returns
// whether the page came from its service worker.
async function reloadOffline(page, context, server) {
  await server.stop();
  await context.setOffline(true);
  const response = await page.reload();
  return response.fromServiceWorker();
}

// The game runs, and takes a key.
async function plays(page) {
  await waitFor(async () => (await page.evaluate(() => __probe.frames)) > 10 &&
    (await page.evaluate(() => __probe.screen())) === 'title', 'the title screen', 10000);
  await page.keyboard.press('Enter');
  await waitFor(async () => (await page.evaluate(() => __probe.screen())) === 'setup', 'the setup screen');
}

const tests = [];
const test = (name, run) => tests.push({ name, run });

test('at 50, 60 and 144 Hz the title runs 32.8 to 33.9 frames a second; after a stall no burst', async ({ open, origin }) => {
  const page = await open(origin + '/?display');
  await waitFor(() => page.evaluate(() => __display.callbacks.length > 0), 'the game\'s animation frames', 10000);
  const rates = [];
  for (const hertz of [50, 60, 144]) {
    await page.evaluate((h) => __display.run(h, 0.5), hertz);
    const frames = await page.evaluate((h) => __display.run(h, 6), hertz);
    rates.push(frames / 6);
  }
  console.log(`  frames a second at 50, 60 and 144 Hz: ${rates.map((r) => r.toFixed(2)).join(', ')}`);
  check(rates.every((r) => r >= 32.8 && r <= 33.9), 'frames a second: ' + rates.join(', '));
  check((await page.evaluate(() => __probe.screen())) === 'title', 'left the title screen');
  // A second lost to a busy machine is not made up for by a burst of
  // frames: the half second after it holds a half second's worth.
  await page.evaluate(() => __display.stall(1000));
  const after = await page.evaluate(() => __display.run(60, 0.5));
  check(after >= 15 && after <= 18, `${after} frames in the half second after a stall`);
});

test('after one visit the page plays offline; a new build shows at the next and replaces the kept files', async ({ browser, pageDir, watch }) => {
  const folder = copyOfPage(pageDir);
  let server = await startServer(folder);
  const context = await browser.newContext();
  try {
    const page = await watch(await context.newPage());
    await page.goto(server.origin + '/');
    const { build, files } = workerOf(folder);
    check((await waitForWorker(page)).join() === 'sorvi-kadra99-' + build, 'not this build\'s cache');
    const kept = await page.evaluate(async (name) => (await (await caches.open(name)).keys()).length, 'sorvi-kadra99-' + build);
    check(kept === files.length && files.includes('sorvi-kadra99.wasm'), `${kept} files kept of ${files}`);
    check(await reloadOffline(page, context, server), 'the page did not come from its service worker');
    await plays(page);

    // The new build: a page file changed, and the worker the build makes.
    const index = path.join(folder, 'index.html');
    fs.writeFileSync(index, fs.readFileSync(index, 'utf8').replace('<head>', '<head>\n<meta name="build" content="new">'));
    execFileSync('cmake', [`-DDIR=${folder}`, `-DFILES=${files.join(',')}`, `-DTEMPLATE=${ROOT}/web/service-worker.js`,
      '-P', `${ROOT}/src/platform/web/service_worker.cmake`]);
    const next = workerOf(folder).build;
    check(next !== build, 'the new build has the old build\'s name');
    server = await startServer(folder, new URL(server.origin).port);
    await context.setOffline(false);
    await page.goto(server.origin + '/');
    const isNew = () => page.evaluate(() => !!document.querySelector('meta[name=build]'));
    check(await isNew(), 'the next visit showed the old build');
    await waitFor(async () => (await page.evaluate(() => caches.keys())).join() === 'sorvi-kadra99-' + next,
      'the new build\'s cache alone', 10000);
    check(await reloadOffline(page, context, server), 'the page did not come from its service worker');
    check(await isNew(), 'offline, the page is the old build');
    await plays(page);
  } finally {
    await context.close();
    await server.stop();
    fs.rmSync(folder, { recursive: true });
  }
});

test('Chromium finds the page installable: its manifest, icons and worker', async ({ origin }) => {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'sorvi-profile-'));
  // Apps are not installed from a private window: a profile of its own.
  const context = await chromium.launchPersistentContext(profile, { executablePath: '/usr/bin/chromium', args: CHROMIUM_ARGS });
  try {
    const page = await context.newPage();
    await page.goto(origin + '/');
    await waitForWorker(page);
    const cdp = await context.newCDPSession(page);
    const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
    check(installabilityErrors.length === 0, 'not installable: ' + JSON.stringify(installabilityErrors));
    const manifest = JSON.parse((await cdp.send('Page.getAppManifest')).data);
    check(manifest.display === 'fullscreen' && manifest.background_color === '#000000' && manifest.short_name,
      'manifest: ' + JSON.stringify(manifest));
    // Each icon a PNG of the size it claims.
    const sizes = await page.evaluate((icons) => Promise.all(icons.map(async ({ src }) => {
      const picture = await createImageBitmap(await (await fetch(src)).blob());
      return `${picture.width}x${picture.height}`;
    })), manifest.icons);
    check(sizes.join() === manifest.icons.map((icon) => icon.sizes).join() && sizes.join() === '192x192,512x512',
      'icons: ' + sizes);
  } finally {
    await context.close();
    fs.rmSync(profile, { recursive: true });
  }
});

const [pageDir] = process.argv.slice(2);
if (!pageDir) {
  console.error('usage: node offline_test.mjs PAGE_DIR');
  process.exit(2);
}
const server = await startServer(pageDir);
const browser = await launch();
setTimeout(() => (console.log('FAIL - stuck for 5 minutes'), process.exit(1)), 300000).unref();

const ok = await runTests(tests, () => {
  const noise = [];
  const contexts = [];
  // Every page a test opens: the probe in it, and what it says kept.
  const watch = async (page) => {
    await page.addInitScript(instrument);
    page.on('console', (m) => noise.push(m.type() + ': ' + m.text())).on('pageerror', (e) => noise.push(String(e)));
    return page;
  };
  const open = async (address) => {
    const page = await watch(await browser.newPage({ viewport: { width: 900, height: 700 } }));
    contexts.push(page.context());
    await page.goto(address);
    return page;
  };
  return {
    browser, origin: server.origin, pageDir, watch, open,
    finish: () => check(noise.length === 0, 'console noise: ' + noise.join(' | ')),
    close: () => Promise.all(contexts.map((context) => context.close())),
  };
});
await browser.close();
await server.stop();
process.exit(ok ? 0 : 1);
