// Reedshot's service worker: keeps the game for offline play, and gives
// every response the headers that isolate the page from other sites (the
// game's threads share memory), so that any static host will do.
'use strict';
var CACHE = 'reedshot-1';
var FILES = ['./', 'index.html', 'reedshot.js', 'reedshot.wasm', 'reedshot.worker.js',
             'manifest.webmanifest', 'icon.png', 'icon-192.png', 'icon-512.png'];

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) { return cache.addAll(FILES); })
                      .then(function () { return self.skipWaiting(); }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (keys) {
    return Promise.all(keys.filter(function (key) { return key !== CACHE; })
                           .map(function (key) { return caches.delete(key); }));
  }).then(function () { return self.clients.claim(); }));
});

function isolated(response) {
  if (!response || response.status === 0 || response.type === 'opaque') return response;
  var headers = new Headers(response.headers);
  headers.set('Cross-Origin-Opener-Policy', 'same-origin');
  headers.set('Cross-Origin-Embedder-Policy', 'require-corp');
  return new Response(response.body,
                      {status: response.status, statusText: response.statusText, headers: headers});
}

// The network first, so that a new version is seen at once; the cache
// when there is no network.
self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  event.respondWith(fetch(request).then(function (response) {
    if (response.ok) {
      var copy = response.clone();
      caches.open(CACHE).then(function (cache) { cache.put(request, copy); });
    }
    return isolated(response);
  }, function () {
    return caches.match(request, {ignoreSearch: true}).then(isolated);
  }));
});
