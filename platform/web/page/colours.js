// SPDX-License-Identifier: GPL-3.0-or-later
// Colours as the game writes them (0x00BBGGRR; a set top bit names a desktop colour), and the
// bevel of a graphical button as the Linux face paints it.
angoliPage.colours = {
    // The desktop colours of the Linux face's default palette.
    system: {0x8000000F: [0xef, 0xef, 0xef], 0x80000012: [0, 0, 0], 0x80000005: [0xff, 0xff, 0xff],
             0x80000008: [0, 0, 0]},

    rgb: function(colour) {
        if (colour >= 0x80000000)
            return this.system[colour] || [0, 0, 0];
        return [colour & 0xFF, (colour >>> 8) & 0xFF, (colour >>> 16) & 0xFF];
    },

    css: function(colour) {
        return this.cssOf(this.rgb(colour));
    },

    cssOf: function(c) {
        return "rgb(" + c[0] + "," + c[1] + "," + c[2] + ")";
    },

    // Qt's QColor::lighter and darker: the value scaled in HSV; a value past the top takes
    // saturation away instead.
    scaled: function(colour, factor) {
        var c = this.rgb(colour).map(function(v) { return v / 255; });
        var max = Math.max(c[0], c[1], c[2]), min = Math.min(c[0], c[1], c[2]);
        var delta = max - min, h = 0;
        if (delta > 0) {
            if (max === c[0])
                h = ((c[1] - c[2]) / delta) % 6;
            else if (max === c[1])
                h = (c[2] - c[0]) / delta + 2;
            else
                h = (c[0] - c[1]) / delta + 4;
        }
        var s = max > 0 ? delta / max : 0;
        var v = max * factor;
        if (v > 1) {
            s = Math.max(0, s - (v - 1));
            v = 1;
        }
        var chroma = v * s, x = chroma * (1 - Math.abs(((h % 2) + 2) % 2 - 1)), m = v - chroma;
        var sector = Math.floor(((h % 6) + 6) % 6);
        var parts = [[chroma, x, 0], [x, chroma, 0], [0, chroma, x], [0, x, chroma], [x, 0, chroma],
                     [chroma, 0, x]][sector];
        return this.cssOf(parts.map(function(p) { return Math.round((p + m) * 255); }));
    },

    bevel: function(element, back) {
        element.style.setProperty("--outer", "#fff");
        element.style.setProperty("--outer-shadow", "#000");
        element.style.setProperty("--light", this.scaled(back, 1.6));
        element.style.setProperty("--dark", this.scaled(back, 0.5));
    },
};
