// The game's web page in Chromium, played as a person would. Chromium may
// reach nothing but the pages this process serves on 127.0.0.1.
//   node browser_test.mjs PAGE_DIR PROBE_DIR [SHOTS_DIR]
// (PROBE_DIR: the page of probe.cpp; SHOTS_DIR: where the pictures of the
// page on a phone, upright and sideways, are saved.)
// Ends with a line "N passed, N failed"; exits 1 when any failed.
import path from 'node:path';
import { check, launch, serve, sleep, waitFor } from './harness.mjs';

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

// The page's __probe[name], called with `args` when a function.
const probe = (page, name, ...args) => page.evaluate(([n, a]) => (typeof __probe[n] === 'function' ? __probe[n](...a) : __probe[n]), [name, args]);
const waitForScreen = (page, name) => waitFor(async () => (await probe(page, 'screen')) === name, name);
async function framesOver(page, ms = 300) {
  const before = await probe(page, 'frames');
  await sleep(ms);
  return (await probe(page, 'frames')) - before;
}
// Waits until `n` more frames are drawn: input waiting before them was taken.
async function framesDrawn(page, n) {
  const until = (await probe(page, 'frames')) + n;
  await waitFor(async () => (await probe(page, 'frames')) >= until, n + ' frames');
}
// Real key presses, one after another.
async function press(page, ...keys) {
  for (const key of keys) await page.keyboard.press(key), await sleep(150);
}
// How many rows the witch moves in the `ms` after `act`.
async function witchMoves(page, act, ms = 500) {
  const from = await probe(page, 'witchRow');
  await act();
  await sleep(ms);
  return (await probe(page, 'witchRow')) - from;
}
const boxOf = (page, id) => page.locator(id).boundingBox();

const tests = [];
// options: the address after the origin ('?...': the probe's page), the
// device (a context's viewport, deviceScaleFactor, isMobile, hasTouch),
// and noisy: the console may speak (a page that fails on purpose).
const test = (name, run, options = {}) =>
  tests.push({ name, run, ...(typeof options === 'string' ? { address: options } : options) });
test('the page loads clean and fast, and its title screen animates at the game\'s speed', async ({ page, origin, requests }) => {
  await waitForScreen(page, 'title');
  const icon = await page.evaluate(async () => {
    const image = new Image();
    image.src = document.querySelector('link[rel=icon]').href;
    await image.decode();
    return [image.src.replace(/^.*\//, ''), image.naturalWidth, image.naturalHeight].join();
  });
  check(icon === 'icon-32.png,32,32', 'the icon: ' + icon);
  const [first, picture] = [await probe(page, 'firstFrame'), await probe(page, 'hash')];
  // Counted against the page's own clock: a loaded machine's sleep overshoots.
  const at = () => page.evaluate(() => [__probe.frames, performance.now()]);
  const [frames0, time0] = await at();
  await sleep(1000);
  const [frames1, time1] = await at();
  const rate = ((frames1 - frames0) * 1000) / (time1 - time0);
  console.log(`  first frame ${first.toFixed(0)} ms after the page began loading; ${rate.toFixed(1)} frames a second`);
  check(first < 1000 && rate >= 20 && rate <= 36, 'the first frame came late, or not about 33 frames a second');
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
  await framesDrawn(page, 20); // game time for her speed to die down, however slow the machine
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

// --- The page on every screen --------------------------------------------

// The picture's place on the screen in device pixels, and its factor.
const pictureBox = (page, id = 'screen') => page.evaluate((id) => {
  const r = document.getElementById(id).getBoundingClientRect(), ratio = devicePixelRatio;
  return { x: r.x * ratio, y: r.y * ratio, width: r.width * ratio, height: r.height * ratio, ratio,
    right: innerWidth * ratio, bottom: innerHeight * ratio };
}, id);
// The picture lies on whole device pixels, wholly on the page (with the
// bar above it), and on the screen every game pixel is a square of
// factor by factor device pixels of one colour. Returns the factor.
async function checkCrisp(page) {
  const [box, frame] = [await pictureBox(page), await pictureBox(page, 'window')];
  const whole = ['x', 'y', 'width', 'height'].map((side) => Math.round(box[side]));
  const [x, y, width, height] = whole;
  const factor = width / 320;
  check(['x', 'y', 'width', 'height'].every((side, i) => Math.abs(box[side] - whole[i]) < 0.05) &&
    Number.isInteger(factor) && factor >= 1 && height === 240 * factor, 'the picture is not on whole device pixels: ' + JSON.stringify(box));
  check(frame.x > -0.05 && frame.y > -0.05 && frame.x + frame.width < box.right + 0.05 && frame.y + frame.height < box.bottom + 0.05,
    'the window is not wholly on the page: ' + JSON.stringify(frame));
  // The whole page, so that its pixels are the screen's own.
  const shot = await page.screenshot();
  const uneven = await page.evaluate(async ([png, x0, y0, f]) => {
    const bitmap = await createImageBitmap(new Blob([Uint8Array.from(atob(png), (c) => c.charCodeAt(0))], { type: 'image/png' }));
    const context = new OffscreenCanvas(bitmap.width, bitmap.height).getContext('2d');
    context.drawImage(bitmap, 0, 0);
    const d = new Uint32Array(context.getImageData(0, 0, bitmap.width, bitmap.height).data.buffer);
    const at = (x, y) => d[(y0 + y) * bitmap.width + x0 + x];
    let blocks = 0;
    for (let gy = 0; gy < 240; gy++) {
      for (let gx = 0; gx < 320; gx++) {
        const first = at(gx * f, gy * f);
        let even = true;
        for (let dy = 0; dy < f && even; dy++) {
          for (let dx = 0; dx < f; dx++) even &&= at(gx * f + dx, gy * f + dy) === first;
        }
        blocks += even ? 0 : 1;
      }
    }
    return blocks === 0 ? '' : `${blocks} game pixels are not of one colour`;
  }, [shot.toString('base64'), x, y, factor]);
  check(uneven === '', 'the picture on the screen at ' + factor + 'x: ' + uneven);
  return factor;
}

const phone = (width, height, ratio) => ({ width, height, ratio, touch: true });
const desktop = (width, height, ratio = 1) => ({ width, height, ratio, touch: false });
const SCREENS = [
  ...[[360, 640], [390, 844], [844, 390], [768, 1024]].flatMap(([w, h]) => [2, 3].map((ratio) => phone(w, h, ratio))),
  desktop(1366, 768), desktop(1280, 720, 1.25), desktop(1920, 1080), desktop(2560, 1440, 2),
];
for (const device of SCREENS) {
  const { width, height, ratio } = device;
  test(`${width}x${height} at ${ratio}${device.touch ? ', touch' : ''}: the picture is whole and crisp at both sizes`, async ({ page }) => {
    await waitForScreen(page, 'title');
    // Normal size: the factor nearest the display's scale, which fits everywhere here.
    const normal = await checkCrisp(page);
    check(normal === Math.round(ratio), `${normal}x at normal size`);
    const buttons = await page.locator('.touch-buttons button').evaluateAll((all) => all.filter((b) => b.checkVisibility()).length);
    check(buttons === (device.touch ? 8 : 0), `${buttons} touch buttons show`);
    // Double size, from the keyboard (which takes the touch buttons away).
    await press(page, 'F12');
    await framesDrawn(page, 3);
    const double = await checkCrisp(page);
    console.log(`  ${normal}x at normal size, ${double}x at double size`);
    check(double <= Math.round(2 * ratio) && double >= normal, `${double}x at double size`);
    check(await page.locator('.touch-buttons').first().isHidden(), 'the touch buttons stayed after a key press');
    if (shotsDir && width === 1366) await page.screenshot({ path: path.join(shotsDir, 'web-page.png') });
  }, { device });
}

test('the window follows a rotation and a change of zoom', async ({ page }) => {
  await waitForScreen(page, 'title');
  const session = await page.context().newCDPSession(page);
  const screen = (width, height, deviceScaleFactor = 0) =>
    session.send('Emulation.setDeviceMetricsOverride', { width, height, deviceScaleFactor, mobile: true });
  // Turned sideways: the pad goes to the left of the picture, the keys to its right.
  await screen(844, 390);
  await waitFor(async () => (await boxOf(page, '#pad')).x + 10 < (await boxOf(page, '#screen')).x, 'the sideways layout');
  check((await boxOf(page, '#keys')).x > (await boxOf(page, '#screen')).x, 'the keys are not right of the picture');
  await checkCrisp(page);
  // Zoomed to 3 device pixels a CSS pixel (emulated, so only the sizes are read).
  await screen(844, 390, 3);
  await waitFor(async () => Math.round((await pictureBox(page)).width) === 960, 'the picture at 3x');
  const box = await pictureBox(page, 'window');
  check(box.x >= 0 && box.y >= 0 && box.x + box.width <= box.right && box.y + box.height <= box.bottom, 'the window is not on the page');
}, { device: phone(390, 844, 2) });

// --- Fullscreen -------------------------------------------------------

const fullscreenId = (page) => page.evaluate(() => document.fullscreenElement?.id ?? null);
test('Alt+Enter: fullscreen without reaching the game, the bar only with a menu; Escape and F12 leave it, the game goes on', async ({ page }) => {
  await waitForScreen(page, 'title');
  await press(page, 'Alt+Enter');
  await waitFor(async () => (await fullscreenId(page)) === 'game', 'fullscreen');
  await waitFor(async () => (await pictureBox(page)).width === 1280, 'the picture at 4x');
  const box = await pictureBox(page);
  check([box.x, box.y].join() === '320,60', `the picture at ${box.x}, ${box.y}, not centred`);
  check(await checkCrisp(page) === 4, 'not 4x');
  check((await probe(page, 'screen')) === 'title' && (await framesOver(page)) > 3, 'the Enter of Alt+Enter reached the game');
  check(await page.locator('#bar').isHidden() && await page.locator('#foot').isHidden(), 'the bar or the footer shows in fullscreen');
  await press(page, 'F10');
  await waitFor(() => page.locator('#bar').isVisible(), 'F10 to show the bar');
  check((await framesOver(page)) === 0, 'frames ran under the menu');
  const bar = await pictureBox(page, 'bar');
  check(bar.x === 0 && bar.y === 0 && bar.width === 1920, 'the bar is not across the top: ' + JSON.stringify(bar));
  await press(page, 'F10');
  await waitFor(() => page.locator('#bar').isHidden(), 'F10 to hide the bar');
  check((await framesOver(page)) > 3, 'frames did not resume');
  // A click along the top opens the first menu; one outside it closes it.
  await page.mouse.click(1500, 6);
  await waitFor(() => page.locator('#bar').isVisible(), 'a click along the top to open the menu');
  check((await framesOver(page)) === 0, 'frames ran with the menu open');
  await page.mouse.click(1500, 600);
  await waitFor(() => page.locator('#bar').isHidden(), 'a click outside to close the menu');
  check((await framesOver(page)) > 3, 'frames did not resume');
  // The browser's own Escape leaves fullscreen, and only that.
  await press(page, 'Escape');
  await waitFor(async () => (await fullscreenId(page)) === null, 'leaving with Escape');
  check(await page.locator('#ended').isHidden() && (await framesOver(page)) > 3, 'Escape in fullscreen ended the game');
  check((await pictureBox(page)).width === 320 && await page.locator('#bar').isVisible(), 'not the window again');
  // The button goes the same way; F12 leaves, at double size.
  await page.getByRole('button', { name: 'Fullscreen', exact: true }).click();
  await waitFor(async () => (await fullscreenId(page)) === 'game', 'fullscreen from the button');
  await press(page, 'F12');
  await waitFor(async () => (await fullscreenId(page)) === null, 'leaving with F12');
  await waitFor(async () => (await pictureBox(page)).width === 640, 'the double size');
  check((await probe(page, 'screen')) === 'title', 'left the title screen');
  check((await probe(page, 'prevented')).Enter, 'the Enter of Alt+Enter reached the browser');
}, { device: desktop(1920, 1080) });

// --- Touch --------------------------------------------------------------

// Fingers on the touch screen, by number, as the browser's input sees them.
async function fingers(page) {
  const session = await page.context().newCDPSession(page);
  const on = new Map();
  // A start or a move lists every finger on the screen, an end the one lifted.
  const send = (type, points = [...on]) => session.send('Input.dispatchTouchEvent',
    { type, touchPoints: points.map(([id, [x, y]]) => ({ id, x, y })) });
  const centre = async (name) => {
    const b = await page.getByRole('button', { name, exact: true }).boundingBox();
    return [b.x + b.width / 2, b.y + b.height / 2];
  };
  const self = {
    down: async (id, at) => (on.set(id, typeof at === 'string' ? await centre(at) : at), send('touchStart')),
    move: async (id, at) => (on.set(id, typeof at === 'string' ? await centre(at) : at), send('touchMove')),
    up: async (id) => {
      const lifted = [[id, on.get(id)]];
      on.delete(id);
      await send('touchEnd', lifted);
    },
    cancel: async () => (await send('touchCancel', []), on.clear()),
    tap: async (name) => (await self.down(9, name), await sleep(80), await self.up(9), await sleep(150)),
    // A finger drawn from one point to another in steps.
    swipe: async (id, [x0, y0], [x1, y1]) => {
      await self.down(id, [x0, y0]);
      for (let i = 1; i <= 8; i++) await self.move(id, [x0 + ((x1 - x0) * i) / 8, y0 + ((y1 - y0) * i) / 8]), await sleep(16);
      await self.up(id);
    },
  };
  return self;
}
const unmoved = (page) => page.evaluate(() => [scrollX, scrollY, visualViewport.scale, visualViewport.offsetTop,
  getSelection().toString()].join() === '0,0,1,0,');

for (const [device, shot] of [[phone(390, 844, 3), 'web-phone-upright.png'], [phone(844, 390, 2), 'web-phone-sideways.png']]) {
  const { width, height } = device;
  test(`a ${width}x${height} phone: the eight buttons play by touch alone, with no scroll and no zoom`, async ({ page }) => {
    await waitForScreen(page, 'title');
    for (const name of ['Up', 'Down', 'Left', 'Right', 'Enter', 'Shift', 'Space', 'Menu']) {
      const b = await page.getByRole('button', { name, exact: true }).boundingBox();
      check(b && b.x >= 0 && b.y >= 0 && b.x + b.width <= width && b.y + b.height <= height && b.width >= 40, name + ' is not on the screen: ' + JSON.stringify(b));
    }
    const touch = await fingers(page);
    // Menu opens the bar as F10 does (no click of the tap closes it) and closes it again.
    const bar = await probe(page, 'hash', 'bar');
    await touch.tap('Menu');
    await waitFor(async () => (await probe(page, 'hash', 'bar')) !== bar, 'Menu to open the bar');
    check((await framesOver(page)) === 0, 'frames ran with the menu open');
    await touch.tap('Menu');
    await waitFor(async () => (await framesOver(page, 200)) > 3, 'Menu to close the bar');
    // Swipes and a pinch over the picture and the buttons: the page stays put.
    const picture = await page.locator('#screen').boundingBox();
    const mid = [picture.x + picture.width / 2, picture.y + picture.height / 2];
    await touch.swipe(1, mid, [mid[0], mid[1] - 150]);
    const pad = await page.locator('#pad').boundingBox();
    await touch.swipe(1, [pad.x + 5, pad.y + 5], [width / 2, 5]);
    await touch.down(1, [mid[0] - 10, mid[1]]);
    await touch.down(2, [mid[0] + 10, mid[1]]);
    for (let i = 1; i <= 8; i++) await touch.move(1, [mid[0] - 10 - 8 * i, mid[1]]), await touch.move(2, [mid[0] + 10 + 8 * i, mid[1]]);
    await touch.up(2), await touch.up(1);
    await touch.down(1, 'Space'), await sleep(900), await touch.up(1);
    await sleep(300);
    check(await unmoved(page), 'the page scrolled, zoomed or selected text');
    check((await probe(page, 'screen')) === 'title', 'left the title screen by itself');
    // Enter to the setup screen (Space there changes the witch), Enter to play.
    await touch.tap('Enter');
    await waitForScreen(page, 'setup');
    await touch.tap('Enter');
    await touch.tap('Enter');
    await waitForScreen(page, 'play');
    // Up held climbs; let go, she stops climbing.
    const climb = await witchMoves(page, () => touch.down(1, 'Up'));
    await touch.up(1);
    await sleep(1000);
    const drift = await witchMoves(page, () => {});
    check(climb < -10 && drift >= -1, `the witch moved ${climb} rows with Up held, ${drift} once let go`);
    // Down held while another finger taps Enter; then the finger slides up to Up.
    const fall = await witchMoves(page, async () => {
      await touch.down(1, 'Down');
      await sleep(150);
      await touch.down(2, 'Enter'), await sleep(80), await touch.up(2);
    });
    if (shotsDir) await page.screenshot({ path: path.join(shotsDir, shot) });
    // Falling fast, she needs a while to turn.
    const slide = await witchMoves(page, () => touch.move(1, 'Up'), 1200);
    await touch.up(1);
    await sleep(1000);
    const after = await witchMoves(page, () => {});
    check(fall > 10 && slide < -10 && after >= -1, `the witch moved ${fall} rows with Down held, ${slide} after sliding to Up, ${after} once let go`);
    // A touch the browser cancels lets go as well.
    await touch.down(1, 'Up');
    await sleep(300);
    await touch.cancel();
    await sleep(1000);
    const cancelled = await witchMoves(page, () => {});
    check(cancelled >= -1, `the witch moved ${cancelled} rows after the touch on Up was cancelled`);
    check(await unmoved(page), 'the page scrolled or zoomed');
  }, { device });
}

// --- Game sites and loading -----------------------------------------------

const framed = (origin) => `<!DOCTYPE html><title>A game site</title><link rel="icon" href="data:,">` +
  `<body style="height:3000px"><h1>Games</h1><iframe src="${origin}/" width="720" height="540" allow="fullscreen"></iframe>`;
for (const device of [desktop(1000, 800), phone(390, 844, 3)]) {
  const [word, act] = device.touch ? ['Tap', 'tap'] : ['Click', 'click'];
  test(`in an <iframe>, "${word} to play" shows until a ${act} gives the page the keyboard`, async ({ page, origins }) => {
    const frame = page.frames().find((f) => f.url().startsWith(origins[''] + '/'));
    await waitForScreen(frame, 'title');
    const prompt = frame.locator('#prompt');
    check(await prompt.isVisible() && (await prompt.innerText()).trim() === word + ' to play', 'the prompt: ' + (await prompt.innerText()));
    const box = await frame.locator('#screen').boundingBox();
    if (device.touch) {
      await (await fingers(page)).swipe(1, [box.x + 100, box.y + 100], [box.x + 101, box.y + 100]);
    } else {
      await page.mouse.click(box.x + 100, box.y + 100);
    }
    await waitFor(() => prompt.isHidden(), 'the prompt to go');
    await press(page, 'ArrowDown', 'ArrowDown', 'Enter');
    await waitForScreen(frame, 'setup');
    check(await page.evaluate(() => scrollY) === 0, 'the arrows scrolled the game site');
  }, { device, address: 'host/framed.html' });
}

test('a loading indicator until the first frame; a failure says what went wrong', async ({ page, origin }) => {
  // A slow link: the game's WebAssembly comes once the indicator was seen.
  let arrive;
  const held = new Promise((resolve) => (arrive = resolve));
  await page.route('**/sorvi-kadra99.wasm', async (route) => (await held, route.continue()));
  await page.goto(origin + '/', { waitUntil: 'domcontentloaded' });
  check(await page.locator('#loading').isVisible() && await page.locator('#window').isHidden(), 'no loading indicator');
  arrive();
  await waitForScreen(page, 'title');
  check(await page.locator('#loading').isHidden(), 'the loading indicator stayed');
  await page.unroute('**/sorvi-kadra99.wasm');
  const says = async (text) => {
    await waitFor(() => page.locator('#failed').isVisible(), 'the failure: ' + text);
    const shown = await page.locator('#failed').innerText();
    check(shown.includes(text) && await page.locator('#loading').isHidden(), 'the failure says: ' + shown);
  };
  for (const name of ['sorvi-kadra99.wasm', 'sorvi-kadra99.js']) {
    await page.route('**/' + name, (route) => route.fulfill({ status: 404 }));
    await page.goto(origin + '/');
    await says(`The game could not load ${name} (HTTP 404).`);
    await page.unroute('**/' + name);
  }
  await page.goto('file://' + path.resolve(pageDir, 'index.html'));
  await says('open it through a web server, for example `tools/web --serve`');
  await page.addInitScript(() => delete window.WebAssembly);
  await page.goto(origin + '/');
  await says('This browser cannot run WebAssembly');
}, { address: false, noisy: true });

const [pageDir, probeDir, shotsDir] = process.argv.slice(2);
const origins = { '': await serve(pageDir), '?': await serve(probeDir) };
origins.host = await serve(pageDir, { '/framed.html': framed(origins['']) });
// One browser for each device pixel ratio, a real one: Chromium's
// emulated ratio draws a picture placed between two CSS pixels a device
// pixel off, as no real screen does.
const browsers = new Map();
const browserAt = async (ratio) => {
  if (!browsers.has(ratio)) {
    browsers.set(ratio, await launch({}, [`--force-device-scale-factor=${ratio}`]));
  }
  return browsers.get(ratio);
};
// A page on a screen of the device's size and ratio, a phone's (touch,
// the page laid out as on a phone) or a desktop's. Its service worker is
// offline_test's: here every request reaches the server, or a route.
async function open({ width, height, ratio, touch }) {
  const context = await (await browserAt(ratio)).newContext({ viewport: null, hasTouch: touch, serviceWorkers: 'block' });
  const page = await context.newPage();
  await (await context.newCDPSession(page)).send('Emulation.setDeviceMetricsOverride',
    { width, height, deviceScaleFactor: 0, mobile: touch });
  return page;
}
setTimeout(() => (console.log('FAIL - stuck for 10 minutes'), process.exit(1)), 600000).unref();
// A first page pays for the browser's own start; a player's browser runs already.
const warm = await open(desktop(900, 700));
await warm.goto(origins['']);
await warm.context().close();
let [passed, failed] = [0, 0];
// ONLY=text in the environment runs only the tests whose names hold it.
for (const { name, run, address = '', device = desktop(900, 700), noisy = false } of
  tests.filter((t) => t.name.includes(process.env.ONLY ?? ''))) {
  const where = address === false ? '' : address.startsWith('host/') ? 'host' : address.slice(0, 1);
  const [origin, noise, requests] = [origins[where === 'host' ? '' : where], [], []];
  const page = await open(device);
  page.on('console', (m) => noise.push(m.type() + ': ' + m.text())).on('pageerror', (e) => noise.push(String(e)));
  page.on('request', (r) => requests.push(r.url()));
  await page.addInitScript(instrument);
  try {
    if (address !== false) await page.goto(where === 'host' ? origins.host + address.slice(4) : origin + '/' + address);
    await run({ page, origin, origins, requests });
    check(noisy || noise.length === 0, 'console noise: ' + noise.join(' | '));
    console.log('ok - ' + name), passed++;
  } catch (error) {
    console.log(`FAIL - ${name}: ${error.message}`), failed++;
  }
  await page.context().close();
}
for (const browser of browsers.values()) await browser.close();
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed === 0 ? 0 : 1);
