// SPDX-License-Identifier: GPL-3.0-or-later
// Starting the page: the game's module, the fonts every label is measured in, the service
// worker that keeps the site for offline use, and the window's fit to the viewport.
var Module = {
    onRuntimeInitialized: function() { angoliPage.start(); },
};

angoliPage.start = function() {
    var page = this;
    page.dialogs.init();
    page.menu.init();
    page.input.init();
    page.byId("ended-again").addEventListener("click", function() { location.reload(); });
    page.drawing.fit();
    window.addEventListener("resize", function() { page.drawing.fit(); });
    if (window.matchMedia) {
        // A move to a screen of another density changes devicePixelRatio without a resize.
        var watchDensity = function() {
            var query = window.matchMedia("(resolution: " + window.devicePixelRatio + "dppx)");
            var changed = function() {
                page.drawing.fit();
                watchDensity();
            };
            if (query.addEventListener)
                query.addEventListener("change", changed, {once: true});
        };
        watchDensity();
    }
    var faces = ["400 16px 'Angoli Sans'", "700 16px 'Angoli Sans'", "700 16px 'Angoli Serif'",
                 "700 16px 'Angoli Black'"];
    var fonts = document.fonts ? Promise.all(faces.map(function(face) {
        return document.fonts.load(face);
    })) : Promise.resolve();
    var go = function() {
        document.body.dataset.state = "started";
        Module._angoli_start();
    };
    fonts.then(go, go);
};

document.body.dataset.state = "loading";
if ("serviceWorker" in navigator && window.isSecureContext) {
    window.addEventListener("load", function() {
        navigator.serviceWorker.register("sw.js").catch(function() {
            // Without it the game still plays; it only does not load offline.
        });
    });
}
