// SPDX-License-Identifier: GPL-3.0-or-later
// The service worker: keeps every file of the site, so that after the first visit the game
// loads and plays without the network. make_site.py fills in the list and its version.
"use strict";
var CACHE = "angoli-@VERSION@";
var FILES = @FILES@;

self.addEventListener("install", function(event) {
    event.waitUntil(caches.open(CACHE).then(function(cache) {
        return cache.addAll(FILES);
    }).then(function() { return self.skipWaiting(); }));
});

self.addEventListener("activate", function(event) {
    event.waitUntil(caches.keys().then(function(keys) {
        return Promise.all(keys.filter(function(key) {
            return key.indexOf("angoli-") === 0 && key !== CACHE;
        }).map(function(key) { return caches.delete(key); }));
    }).then(function() { return self.clients.claim(); }));
});

self.addEventListener("fetch", function(event) {
    var request = event.request;
    if (request.method !== "GET" || new URL(request.url).origin !== self.location.origin)
        return;
    event.respondWith(caches.open(CACHE).then(function(cache) {
        return cache.match(request, {ignoreSearch: true}).then(function(hit) {
            return hit || fetch(request);
        });
    }));
});
