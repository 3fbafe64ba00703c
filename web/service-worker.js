// The page's service worker: it keeps one build's files, so that once the
// page has been opened the game plays without a network. The build writes
// BUILD (a hash of the page's files) and FILES into the copy beside the
// page, so every new build is a new worker: on the next visit it fetches
// its files whole and drops the old build's.
'use strict';

const BUILD = '@SORVI_BUILD@';
const FILES = [@SORVI_FILES@];
const PREFIX = 'sorvi-kadra99-';
const CACHE = PREFIX + BUILD;

self.addEventListener('install', (event) => {
  // Checked with the server, so that no stale copy of an older build from
  // the HTTP cache slips in with the new one.
  const requests = FILES.map((file) => new Request(file, { cache: 'no-cache' }));
  event.waitUntil(caches.open(CACHE)
    .then((cache) => cache.addAll(requests))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names
      .filter((name) => name.startsWith(PREFIX) && name !== CACHE)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// This build's copy of a request's file: the page for any page address.
function kept(request) {
  return caches.open(CACHE).then((cache) =>
    cache.match(request.mode === 'navigate' ? 'index.html' : request, { ignoreSearch: true }));
}

// The network first, as if there were no worker, so that a server with a
// newer build is heard at once; the kept copy when the network fails or
// the server errs.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || !request.url.startsWith(self.registration.scope)) return;
  event.respondWith(fetch(request)
    .then((response) => response.status < 500 ? response : kept(request).then((copy) => copy || response))
    .catch((failure) => kept(request).then((copy) => copy || Promise.reject(failure))));
});
