// SPDX-License-Identifier: MIT
// Keeps the page whole offline: on its first visit every file of the page
// (its scripts, styles, the odds worker and the wasm module) goes into a
// cache named after this build, and is served from there. The build writes
// the name and the files below; a new build is a new worker, which fills its
// own cache and, once active, deletes every older one.
const CACHE = 'rollwright-@ROLLWRIGHT_PAGE_BUILD@';
const PAGE_FILES = ['./', ...'@ROLLWRIGHT_PAGE_FILES@'.split(' ')];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE)
                      .then(
                          (cache) => cache.addAll(PAGE_FILES.map(
                              (file) => new Request(file, {cache: 'reload'}))))
                      .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
      caches.keys()
          .then(
              (names) => Promise.all(
                  names
                      .filter(
                          (name) =>
                              name.startsWith('rollwright-') && name !== CACHE)
                      .map((name) => caches.delete(name))))
          .then(() => self.clients.claim()));
});

// The page's own files from the cache (the page itself whatever its query),
// anything else from the network.
async function respond(request) {
  const cache = await caches.open(CACHE);
  const cached = await cache.match(request, {ignoreSearch: true}) ??
      (request.mode === 'navigate' ? await cache.match('./') : undefined);
  return cached ?? fetch(request);
}

self.addEventListener('fetch', (event) => {
  const {request} = event;
  if (request.method !== 'GET' ||
      new URL(request.url).origin !== self.location.origin)
    return;
  event.respondWith(respond(request));
});
