// Reedshot's service worker: keeps the game for the next visit and offline
// play, and gives every response the headers that isolate the page from
// other sites (the game's threads share memory), so that any static host
// will do.
//
// The page is asked of the host at each visit (one small request; the
// copy kept here when the host cannot be reached), so a new version is
// played as soon as it is on the host. The program's files carry their
// version in their address (?v=), so they are answered from the cache
// without asking the host, and a page never mixes two versions. A new
// version of this file (the build writes the version in) fetches the new
// program in the background and drops the old one.
'use strict';
var SITE = /*site*/{"version": "", "sizes": {}}/*site*/;
var CACHE = 'reedshot-' + SITE.version;
var PAGE = ['./', 'manifest.webmanifest', 'icon.png', 'icon-192.png', 'icon-512.png'];
var PROGRAM = Object.keys(SITE.sizes).map(function (name) {
  return name + '?v=' + SITE.version;
});

function keep(cache, url, options) {
  return fetch(url, options).then(function (response) {
    if (!response.ok) throw new Error(url + ': ' + response.status);
    return cache.put(url, response);
  });
}

// The page, and the program: on an update in full (the player is still
// playing the old version), otherwise from what the browser has just
// loaded, if it has; the rest is kept as the page asks for it.
self.addEventListener('install', function (event) {
  var update = self.registration.active !== null;
  event.waitUntil(caches.open(CACHE).then(function (cache) {
    return Promise.all(PAGE.map(function (url) {
      return keep(cache, url, {cache: 'no-cache'});
    }).concat(PROGRAM.map(function (url) {
      if (update) return keep(cache, url);
      return keep(cache, url, {cache: 'only-if-cached', mode: 'same-origin'}).catch(function () {});
    })));
  }).then(function () { return self.skipWaiting(); }));
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

self.addEventListener('fetch', function (event) {
  var request = event.request;
  var url = new URL(request.url);
  if (request.method !== 'GET' || url.origin !== self.location.origin) return;
  if (request.mode === 'navigate') {
    event.respondWith(fetch(request.url, {cache: 'no-cache', credentials: 'same-origin'})
                          .catch(function () {
                            return caches.open(CACHE).then(function (cache) {
                              return cache.match('./');
                            });
                          })
                          .then(isolated));
    return;
  }
  event.respondWith(caches.match(request).then(function (kept) {
    if (kept) return kept;
    return fetch(request).then(function (response) {
      if (response.ok && url.searchParams.get('v') === SITE.version) {
        var copy = response.clone();
        caches.open(CACHE).then(function (cache) { cache.put(request, copy); });
      }
      return response;
    });
  }).then(isolated));
});
