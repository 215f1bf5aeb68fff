// SPDX-License-Identifier: GPL-3.0-or-later
// The pupil's input: a click, tap or pen press on a button presses it once; the keyboard as on
// the Linux face: Tab goes round the controls in the window's tab order (and the Help menu's
// button), Space presses, Enter presses Verifica and Esci but never a value button, F10 opens
// the Help menu.
angoliPage.input = {
    attachButton: function(control) {
        var el = control.element;
        el.addEventListener("click", function(event) {
            event.preventDefault();
            angoliPage.input.press(control.row);
        });
        el.addEventListener("keydown", function(event) {
            if (event.key !== "Enter")
                return;
            // An Enter meant for a box that has just closed must not add a value.
            if (event.repeat || !Module._angoli_takes_enter(control.row))
                event.preventDefault();
        });
        this.attachFocus(control);
    },

    attachFocus: function(control) {
        control.element.addEventListener("focus", function() {
            angoliPage.input.run(function() { Module._angoli_got_focus(control.row); });
        });
    },

    press: function(row) {
        this.run(function() { Module._angoli_press(row); });
    },

    // Runs an input of the pupil in the game, unless the game waits or has ended.
    run: function(call) {
        var page = angoliPage;
        if (page.ended || page.busy() || !page.windowShown)
            return false;
        call();
        return true;
    },

    // The control after the focused one in the window's tab order; the menu button stands
    // between the last control and the first.
    tab: function(backwards) {
        var page = angoliPage;
        var menu = page.menu.button();
        var active = document.activeElement;
        var row = active && active.dataset && active.dataset.row !== undefined ?
            Number(active.dataset.row) : -1;
        var next = Module._angoli_next_focus(row, backwards ? 1 : 0);
        var first = Module._angoli_next_focus(-1, 0), last = Module._angoli_next_focus(-1, 1);
        if (active !== menu && row >= 0 && next === (backwards ? last : first))
            menu.focus();
        else
            page.focusRow(next);
    },

    init: function() {
        var self = this, page = angoliPage;
        document.addEventListener("keydown", function(event) {
            if (page.ended || !page.windowShown || page.byId("dialog").open)
                return;
            if (event.key === "F10") {
                event.preventDefault();
                page.menu.button().focus();
                page.menu.open();
            } else if (event.key === "Tab" && !page.menu.isOpen()) {
                event.preventDefault();
                self.tab(event.shiftKey);
            }
        });
        // Dialogs and the menu give the focus back to the control that had it last.
        page.byId("window").addEventListener("focusin", function(event) {
            page.lastFocused = event.target;
        });
        // No scrolling or zooming the window by dragging on it.
        page.byId("frame").addEventListener("touchmove", function(event) {
            if (event.cancelable)
                event.preventDefault();
        }, {passive: false});
    },
};
