// What the page's Chromium tests share: a server for a folder of the page on
// 127.0.0.1, Debian's Chromium that may reach nothing else, and waiting.
import { chromium } from 'playwright-core';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const TYPES = {
  '.html': 'text/html', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.png': 'image/png', '.webmanifest': 'application/manifest+json',
};

// Serves `folder`, and `pages` of its own by path, on a port of its own or
// on `port`: { origin, stop() }. stop() also cuts the connections a browser
// keeps open, so the origin is then gone as a server that went down would be.
export function startServer(folder, port = 0, pages = {}) {
  return new Promise((resolve) => {
    const server = http.createServer((request, response) => {
      const name = new URL(request.url, 'http://x').pathname;
      if (name in pages) return response.writeHead(200, { 'Content-Type': 'text/html' }).end(pages[name]);
      const file = path.join(folder, name.replace(/\/$/, '/index.html'));
      if (!fs.existsSync(file) || !fs.statSync(file).isFile()) return response.writeHead(404).end();
      response.writeHead(200, {
        'Content-Type': TYPES[path.extname(file)] ?? 'application/octet-stream',
        'Content-Length': fs.statSync(file).size,
      });
      fs.createReadStream(file).pipe(response);
    });
    server.listen(port, '127.0.0.1', () => resolve({
      origin: `http://127.0.0.1:${server.address().port}`,
      stop: () => new Promise((done) => (server.close(done), server.closeAllConnections())),
    }));
  });
}

// The origin of a server for `folder` (and `pages`).
export const serve = async (folder, pages = {}) => (await startServer(folder, 0, pages)).origin;

// Chromium's switches: no traffic but to the pages this process serves.
export const CHROMIUM_ARGS = ['--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--no-first-run', '--disable-gpu', '--host-resolver-rules=MAP * ~NOTFOUND, EXCLUDE 127.0.0.1'];

export const launch = (options = {}, extraArgs = []) =>
  chromium.launch({ executablePath: '/usr/bin/chromium', args: [...CHROMIUM_ARGS, ...extraArgs], ...options });

export const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

export function check(ok, what) {
  if (!ok) throw new Error(what);
}

// Polls `test` until it is true; a loaded machine may take its time.
export async function waitFor(test, what, timeout = 3000) {
  for (const until = Date.now() + timeout; !(await test()); await sleep(25)) {
    if (Date.now() > until) throw new Error('timed out waiting for ' + what);
  }
}

// Runs the named tests one after another, each with what `setUp` gives it:
// after the test its finish() is checked too, and its close() always runs.
// Prints "ok - NAME" or "FAIL - NAME: why" and ends with "N passed, N
// failed". Returns whether all passed.
export async function runTests(tests, setUp) {
  let [passed, failed] = [0, 0];
  for (const { name, run } of tests) {
    const context = await setUp();
    try {
      await run(context);
      await context.finish?.();
      console.log('ok - ' + name), passed++;
    } catch (error) {
      console.log(`FAIL - ${name}: ${error.message}`), failed++;
    } finally {
      await context.close?.();
    }
  }
  console.log(`${passed} passed, ${failed} failed`);
  return failed === 0;
}
