// SPDX-License-Identifier: GPL-3.0-or-later
// The window's controls as elements over the drawing, in the layout's stacking order: labels
// and shapes are text and boxes, value buttons, Verifica and Esci real buttons.
angoliPage.fonts = {"MS Sans Serif": "Angoli Sans", "Times New Roman": "Angoli Serif",
                    "Arial Black": "Angoli Black"};

// Layout flags (resources/layout.h).
angoliPage.flags = {transparent: 1, border: 2, centred: 4, autoSize: 8, filled: 16, decorative: 32};

angoliPage.pictureUrl = function(number) {
    return "pictures/p" + number + ".png";
};

// laid: the control as the layout table lays it out (pagebridge.cpp hands it over row by row).
angoliPage.makeControl = function(laid) {
    var k = this.kinds, f = this.flags;
    var el;
    if (laid.kind === k.GraphicOption || laid.kind === k.GraphicButton || laid.kind === k.PushButton) {
        el = document.createElement("button");
        el.type = "button";
    } else if (laid.kind === k.RadioOption) {
        el = document.createElement("label");
        var radio = document.createElement("input");
        radio.type = "radio";
        radio.tabIndex = -1;
        el.appendChild(radio);
    } else if (laid.kind === k.Image) {
        el = document.createElement("img");
        el.alt = "";
    } else {
        el = document.createElement("div");
    }
    if (laid.kind === k.Timer)
        return;
    el.id = "c-" + laid.name + (laid.index >= 0 ? "-" + laid.index : "");
    el.dataset.row = laid.row;
    el.className = "control";
    var s = el.style;
    s.left = laid.left + "px";
    s.top = laid.top + "px";
    s.width = laid.width + "px";
    s.height = laid.height + "px";
    s.zIndex = String(laid.z);
    s.fontFamily = '"' + (this.fonts[laid.family] || "Angoli Sans") + '", sans-serif';
    s.fontSize = laid.fontPx + "px";
    s.fontWeight = laid.bold ? "700" : "400";
    if (laid.tooltip)
        el.title = laid.tooltip;
    var control = {row: laid.row, kind: laid.kind, name: laid.name, element: el, laid: laid};

    if (laid.kind === k.GraphicOption || laid.kind === k.GraphicButton) {
        el.classList.add("graphic");
        control.picture = document.createElement("img");
        control.picture.alt = "";
        el.appendChild(control.picture);
        control.caption = document.createElement("span");
        control.caption.className = "caption";
        el.appendChild(control.caption);
        this.input.attachButton(control);
    } else if (laid.kind === k.PushButton || laid.kind === k.RadioOption) {
        el.classList.add("push");
        control.caption = document.createElement("span");
        el.appendChild(control.caption);
    } else if (laid.kind === k.Label) {
        el.classList.add("label");
        if (laid.flags & f.border) el.classList.add("border");
        if (laid.flags & f.centred) el.classList.add("centred");
        if (laid.flags & f.autoSize) {
            el.classList.add("autosize");
            s.width = "auto";
            s.height = "auto";
            s.minWidth = "0";
        }
        control.spoken = document.createElement("span");
        control.spoken.className = "sr";
        el.appendChild(control.spoken);
        control.caption = document.createElement("span");
        control.caption.className = "text";
        control.caption.setAttribute("aria-hidden", "true");
        el.appendChild(control.caption);
        if (!laid.spoken)
            el.setAttribute("aria-hidden", "true");
        if (laid.announced) {
            el.setAttribute("role", "status");
            el.setAttribute("aria-atomic", "true");
            // A status takes its name only from its author: the spoken text, not the tooltip.
            control.spoken.id = el.id + "-spoken";
            el.setAttribute("aria-labelledby", control.spoken.id);
        }
    } else if (laid.kind === k.Shape) {
        el.classList.add("shape");
        el.setAttribute("aria-hidden", "true");
        s.borderColor = this.colours.css(laid.fore);
        s.background = this.colours.css(laid.back);
    } else if (laid.kind === k.Image) {
        el.src = this.pictureUrl(laid.picture);
        el.setAttribute("aria-hidden", "true");
    } else if (laid.kind === k.PictureBox) {
        el.classList.add("picture");
        el.setAttribute("role", "img");
        el.tabIndex = 0;
        var img = document.createElement("img");
        img.alt = "";
        img.src = this.pictureUrl(laid.picture);
        el.appendChild(img);
        this.input.attachFocus(control);
    }
    if (laid.kind === k.Label || laid.kind === k.PictureBox || laid.kind === k.GraphicOption ||
        laid.kind === k.GraphicButton) {
        control.description = document.createElement("span");
        control.description.id = el.id + "-description";
        control.description.hidden = true;
        document.body.appendChild(control.description);
    }
    this.controls[laid.row] = control;
    this.byId("window").appendChild(el);
};

// Shows a control's state; a label's text size comes back as width << 16 | height.
angoliPage.updateControl = function(row, state) {
    var control = this.controls[row];
    if (!control)
        return 0;
    var el = control.element, k = this.kinds, laid = control.laid;
    el.classList.toggle("hidden", !state.visible);
    if ("disabled" in el)
        el.disabled = !state.enabled;
    var text = state.caption.replace(/\r\n?/g, "\n");
    if (control.caption && control.caption.textContent !== text)
        control.caption.textContent = text;
    if (control.description) {
        control.description.textContent = state.description;
        if (state.description)
            el.setAttribute("aria-describedby", control.description.id);
        else
            el.removeAttribute("aria-describedby");
    }
    if (laid.kind === k.GraphicOption || laid.kind === k.GraphicButton) {
        el.style.background = this.colours.css(state.back);
        el.style.color = state.enabled ? this.colours.css(state.fore) : this.colours.scaled(state.back, 1 / 1.7);
        this.colours.bevel(el, state.back);
        el.classList.toggle("sunken", state.value);
        if (laid.kind === k.GraphicOption)
            el.setAttribute("aria-pressed", state.value ? "true" : "false");
        var url = state.picture ? this.pictureUrl(state.picture) : "";
        if (control.picture.getAttribute("src") !== url)
            control.picture.src = url;
        control.picture.hidden = !url;
        if (state.name !== text)
            el.setAttribute("aria-label", state.name);
    } else if (laid.kind === k.PictureBox) {
        el.setAttribute("aria-label", state.name);
    } else if (laid.kind === k.Label) {
        el.style.color = this.colours.css(state.fore);
        el.style.background =
            laid.flags & this.flags.transparent ? "transparent" : this.colours.css(state.back);
        if (control.spoken.textContent !== state.name)
            control.spoken.textContent = state.name;
        if (laid.flags & this.flags.autoSize)
            return (Math.ceil(el.offsetWidth) << 16) | Math.ceil(el.offsetHeight);
    } else if (laid.kind === k.PushButton || laid.kind === k.RadioOption) {
        el.style.color = this.colours.css(state.fore);
    }
    return 0;
};
