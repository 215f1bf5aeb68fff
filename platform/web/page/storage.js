// SPDX-License-Identifier: GPL-3.0-or-later
// The record files in the site's storage, and the records' lock shared by the site's tabs.
angoliPage.storage = {
    missing: -1,
    refused: -2,
    full: -3,

    // The site's storage, or null where the browser refuses it (reading it may throw).
    area: function() {
        try {
            return window.localStorage || null;
        } catch (e) {
            return null;
        }
    },

    length: function(key) {
        try {
            var area = this.area();
            if (!area)
                return this.refused;
            var text = area.getItem(key);
            return text === null ? this.missing : text.length;
        } catch (e) {
            return this.refused;
        }
    },

    read: function(key) {
        try {
            var area = this.area();
            return (area && area.getItem(key)) || "";
        } catch (e) {
            return "";
        }
    },

    write: function(key, text) {
        try {
            var area = this.area();
            if (!area)
                return this.refused;
            area.setItem(key, text);
            return 0;
        } catch (e) {
            var quota = e && (e.name === "QuotaExceededError" || e.code === 22 || e.code === 1014 ||
                              e.name === "NS_ERROR_DOM_QUOTA_REACHED");
            return quota ? this.full : this.refused;
        }
    },
};

// Web Locks: one holder at a time among the site's tabs; a closed tab lets go of its lock.
angoliPage.locks = {
    held: new Map(),
    next: 1,
    pending: null,

    // Calls wake(id) once the lock is held, wake(0) when waitMs passed first, wake(-1) when the
    // page has no Web Locks (they need HTTPS, or localhost).
    request: function(name, waitMs, wake) {
        if (!navigator.locks || typeof AbortController === "undefined") {
            wake(-1);
            return;
        }
        var self = this;
        var controller = new AbortController();
        var entry = {controller: controller, dropped: false};
        var timer = setTimeout(function() { controller.abort(); }, waitMs);
        this.pending = entry;
        navigator.locks.request(name, {signal: controller.signal}, function() {
            clearTimeout(timer);
            if (entry.dropped)
                return undefined; // let go at once
            var id = self.next++;
            return new Promise(function(release) {
                self.held.set(id, release);
                self.pending = null;
                wake(id);
            });
        }).catch(function() {
            clearTimeout(timer);
            if (self.pending === entry)
                self.pending = null;
            if (!entry.dropped)
                wake(0);
        });
    },

    release: function(id) {
        var release = this.held.get(id);
        if (release) {
            this.held.delete(id);
            release();
        }
    },

    drop: function() {
        if (!this.pending)
            return;
        this.pending.dropped = true;
        this.pending.controller.abort();
        this.pending = null;
    },
};
