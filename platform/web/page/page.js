// SPDX-License-Identifier: GPL-3.0-or-later
// The page's side of the browser face. The game (angoli.js, angoli.wasm) calls angoliPage to
// draw its window and to show its dialogs; the page calls the game's exported functions
// (Module._angoli_*) for the pupil's input and the clock. make_site.py joins this file and the
// others of page/ into the site's page.js, in the order of its list.
"use strict";

var angoliPage = {
    controls: [],      // by layout row: {row, kind, name, element, ...}
    ended: false,
    windowShown: false,
    lastFocused: null, // the control that had the focus before a dialog or the menu
    kinds: {GraphicOption: 0, RadioOption: 1, GraphicButton: 2, PushButton: 3, Label: 4, Shape: 5,
            Image: 6, PictureBox: 7, Timer: 8},

    byId: function(id) { return document.getElementById(id); },

    // A call of the game waits (a box is up, or the records' lock is awaited): the pupil's
    // input waits too. Only the clock's ticks go in meanwhile.
    busy: function() {
        return typeof Asyncify !== "undefined" && !!Asyncify.currData;
    },

    makeWindowAfter: function(delayMs) {
        setTimeout(function() { Module._angoli_make_window_now(); }, delayMs);
    },

    showWindow: function(focusRow) {
        this.windowShown = true;
        this.byId("frame").hidden = false;
        document.body.dataset.state = "playing";
        this.focusRow(focusRow);
    },

    focusRow: function(row) {
        var c = this.controls[row];
        if (c && c.element)
            c.element.focus({preventScroll: true});
    },

    // Forgets the call that waits: its dialog closes or its lock request ends, and it is never
    // resumed (the game's end follows).
    dropWaiting: function() {
        this.dialogs.drop();
        this.locks.drop();
    },

    end: function() {
        this.ended = true;
        this.clock.run(false, 0);
        this.dialogs.drop();
        this.menu.close(false);
        document.body.dataset.state = "ended";
        this.byId("frame").inert = true;
        var ended = this.byId("ended");
        ended.hidden = false;
        this.byId("ended-again").focus();
    },

    beep: function() {
        try {
            var Context = window.AudioContext || window.webkitAudioContext;
            if (!Context)
                return;
            var audio = this.audio || (this.audio = new Context());
            var tone = audio.createOscillator();
            var gain = audio.createGain();
            gain.gain.value = 0.1;
            tone.frequency.value = 880;
            tone.connect(gain).connect(audio.destination);
            tone.start();
            tone.stop(audio.currentTime + 0.12);
        } catch (e) {
            // A page without sound simply stays silent.
        }
    },

    // The clock: Timer1's ticks. It counts ticks, not time: a tab the browser throttles or
    // freezes gets its ticks late, and each one still takes one second off.
    clock: {
        id: null,
        ticks: 0,
        run: function(enabled, intervalMs) {
            if (this.id !== null)
                clearInterval(this.id);
            this.id = null;
            if (enabled)
                this.id = setInterval(this.tick.bind(this), intervalMs);
        },
        tick: function() {
            if (angoliPage.ended)
                return;
            this.ticks++;
            Module._angoli_tick();
        },
    },
};
