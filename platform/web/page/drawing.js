// SPDX-License-Identifier: GPL-3.0-or-later
// The window's persistent drawing: a canvas that keeps what the game drew on it. Its backing
// store has as many pixels as the screen gives the window (the window's scale times the
// device pixel ratio), so a figure stays sharp at any size; when that changes, the figures
// drawn so far are drawn again at the new size.
angoliPage.drawing = {
    width: 744,
    height: 552,
    frameHeight: 574, // the menu bar and the window
    figures: [],
    density: 0,

    canvas: function() { return angoliPage.byId("drawing"); },

    // Fits the window to the viewport, keeping its proportions.
    fit: function() {
        var scale = Math.min(window.innerWidth / this.width, window.innerHeight / this.frameHeight);
        if (!(scale > 0))
            scale = 1;
        angoliPage.byId("frame").style.setProperty("--scale", String(scale));
        var density = scale * (window.devicePixelRatio || 1);
        if (Math.abs(density - this.density) < 1e-6)
            return;
        this.density = density;
        var canvas = this.canvas();
        canvas.width = Math.round(this.width * density);
        canvas.height = Math.round(this.height * density);
        var context = canvas.getContext("2d");
        var self = this;
        this.figures.forEach(function(figure) { self.paint(context, figure); });
    },

    arc: function(x, y, radius, from, sweep, radiusAtStart, radiusAtEnd, pen, fill) {
        this.add({arc: true, x: x, y: y, radius: radius, from: from, sweep: sweep,
                  radiusAtStart: radiusAtStart, radiusAtEnd: radiusAtEnd, pen: pen, fill: fill});
    },

    box: function(left, top, right, bottom, colour) {
        // A box over the whole drawing hides everything drawn before it.
        if (left <= 0 && top <= 0 && right >= this.width - 1 && bottom >= this.height - 1)
            this.figures = [];
        this.add({arc: false, left: left, top: top, right: right, bottom: bottom, colour: colour});
    },

    add: function(figure) {
        this.figures.push(figure);
        this.paint(this.canvas().getContext("2d"), figure);
    },

    paint: function(context, f) {
        var colours = angoliPage.colours;
        context.setTransform(this.density, 0, 0, this.density, 0, 0);
        if (!f.arc) {
            context.fillStyle = colours.css(f.colour);
            context.fillRect(f.left, f.top, f.right - f.left + 1, f.bottom - f.top + 1);
            return;
        }
        // A pixel's centre lies half a pixel right of and below its coordinates.
        var x = f.x + 0.5, y = f.y + 0.5;
        // Angles grow anticlockwise as seen; the canvas's grow clockwise.
        var startX = x + f.radius * Math.cos(f.from), startY = y - f.radius * Math.sin(f.from);
        context.beginPath();
        if (f.radiusAtStart) {
            context.moveTo(x, y);
            context.lineTo(startX, startY);
        } else {
            context.moveTo(startX, startY);
        }
        context.arc(x, y, f.radius, -f.from, -(f.from + f.sweep), true);
        var pie = f.radiusAtStart && f.radiusAtEnd;
        if (pie)
            context.closePath();
        else if (f.radiusAtEnd)
            context.lineTo(x, y);
        if (pie) {
            context.fillStyle = colours.css(f.fill);
            context.fill();
        }
        context.lineWidth = 1;
        context.strokeStyle = colours.css(f.pen);
        context.stroke();
    },
};
