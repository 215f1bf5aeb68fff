// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu: opening it runs its handler first (the instruction), then its list drops
// down; arrows move, Enter or Space choose, Escape closes.
angoliPage.menu = {
    items: [], // by row of the layout's menu; row 0 is the menu's title

    button: function() { return angoliPage.byId("menu-help"); },
    list: function() { return angoliPage.byId("menu-list"); },
    isOpen: function() { return !this.list().hidden; },

    makeItem: function(row, name, caption, checked) {
        if (row === 0) {
            this.button().textContent = caption;
            return;
        }
        var item = document.createElement("li");
        item.id = "menu-" + name;
        item.dataset.item = row;
        item.tabIndex = -1;
        item.setAttribute("role", checked ? "menuitemcheckbox" : "menuitem");
        if (checked)
            item.setAttribute("aria-checked", "true");
        item.textContent = caption;
        var self = this;
        item.addEventListener("click", function() { self.choose(row); });
        this.list().appendChild(item);
        this.items[row] = item;
    },

    // Opening raises the Help handler; the list shows once it has run (ready()).
    open: function() {
        var page = angoliPage;
        if (this.isOpen()) {
            this.close(true);
            return;
        }
        var active = document.activeElement;
        if (active && active !== this.button() && page.byId("window").contains(active))
            page.lastFocused = active;
        page.input.run(function() { Module._angoli_open_help_menu(); });
    },

    ready: function() {
        if (angoliPage.ended)
            return;
        this.list().hidden = false;
        this.button().setAttribute("aria-expanded", "true");
        var first = this.items[1];
        if (first)
            first.focus();
    },

    close: function(refocus) {
        if (!this.isOpen())
            return;
        this.list().hidden = true;
        this.button().setAttribute("aria-expanded", "false");
        if (refocus) {
            var back = angoliPage.lastFocused;
            (back && document.contains(back) ? back : this.button()).focus();
        }
    },

    choose: function(row) {
        this.close(true);
        angoliPage.input.run(function() { Module._angoli_choose_menu_item(row); });
    },

    move: function(step) {
        var rows = this.items.map(function(item, row) { return row; }).filter(Boolean);
        var at = rows.indexOf(Number(document.activeElement.dataset.item));
        var next = at < 0 ? 0 : (at + step + rows.length) % rows.length;
        this.items[rows[next]].focus();
    },

    init: function() {
        var self = this, button = this.button(), list = this.list();
        button.addEventListener("click", function() { self.open(); });
        button.addEventListener("keydown", function(event) {
            if (event.key === "ArrowDown") {
                event.preventDefault();
                if (!self.isOpen())
                    self.open();
            }
        });
        list.addEventListener("keydown", function(event) {
            var item = document.activeElement && document.activeElement.dataset.item;
            if (event.key === "ArrowDown" || event.key === "ArrowUp") {
                self.move(event.key === "ArrowDown" ? 1 : -1);
            } else if ((event.key === "Enter" || event.key === " ") && item) {
                self.choose(Number(item));
            } else if (event.key === "Escape" || event.key === "Tab" || event.key === "F10") {
                self.close(true);
            } else {
                return;
            }
            event.preventDefault();
            event.stopPropagation();
        });
        document.addEventListener("pointerdown", function(event) {
            if (self.isOpen() && !list.contains(event.target) && event.target !== button)
                self.close(false);
        });
    },
};

angoliPage.makeMenuItem = function(row, name, caption, checked) {
    this.menu.makeItem(row, name, caption, checked);
};
