// SPDX-License-Identifier: GPL-3.0-or-later
// The modal boxes: a message with one OK button, and the input box with OK and Annulla. Texts
// are only ever set as text, never as markup. The focus stays in the box until it closes.
angoliPage.dialogs = {
    pending: null, // {kind, done}: the box that is up, and what answers it

    element: function() { return angoliPage.byId("dialog"); },

    open: function(kind, prompt, style, title, done) {
        var page = angoliPage;
        var dialog = this.element();
        // The control to give the focus back to: one of the window's, not the menu's.
        if (document.activeElement && page.byId("window").contains(document.activeElement))
            page.lastFocused = document.activeElement;
        page.menu.close(false);
        this.pending = {kind: kind, done: done};
        dialog.dataset.kind = kind;
        dialog.dataset.style = String(style);
        page.byId("dialog-title").textContent = title;
        page.byId("dialog-text").textContent = prompt;
        var input = page.byId("dialog-input");
        input.value = "";
        if (!dialog.open)
            dialog.showModal();
        (kind === "input" ? input : page.byId("dialog-ok")).focus();
    },

    message: function(prompt, style, title, done) {
        this.open("message", prompt, style, title, done);
    },

    askText: function(prompt, title, done) {
        this.open("input", prompt, 0, title, done);
    },

    // Closes the box and answers the waiting call: the typed text, "" for Annulla.
    answer: function(accepted) {
        var pending = this.pending;
        if (!pending)
            return;
        var text = accepted ? angoliPage.byId("dialog-input").value : "";
        this.close();
        pending.done(text);
    },

    close: function() {
        this.pending = null;
        var dialog = this.element();
        if (dialog.open)
            dialog.close();
        var back = angoliPage.lastFocused;
        if (back && document.contains(back) && !angoliPage.ended)
            back.focus({preventScroll: true});
    },

    // The box goes without an answer: its call is never resumed.
    drop: function() {
        if (this.pending)
            this.close();
    },

    init: function() {
        var self = this, page = angoliPage, dialog = this.element();
        page.byId("dialog-ok").addEventListener("click", function() { self.answer(true); });
        page.byId("dialog-cancel").addEventListener("click", function() { self.answer(false); });
        // Escape: Annulla in the input box, OK in a message (its only button).
        dialog.addEventListener("cancel", function(event) {
            event.preventDefault();
            if (self.pending)
                self.answer(self.pending.kind !== "input");
        });
        dialog.addEventListener("keydown", function(event) {
            if (event.key === "Enter" && event.target === page.byId("dialog-input")) {
                event.preventDefault();
                self.answer(true);
            } else if (event.key === "Tab") {
                // The focus goes round the box's own controls only.
                var stops = [page.byId("dialog-input"), page.byId("dialog-ok"),
                             page.byId("dialog-cancel")].filter(function(e) {
                    return e.offsetParent !== null;
                });
                var at = stops.indexOf(document.activeElement);
                var next = (at + (event.shiftKey ? stops.length - 1 : 1)) % stops.length;
                event.preventDefault();
                stops[at < 0 ? 0 : next].focus();
            }
        });
    },
};
