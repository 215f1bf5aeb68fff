// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/win32/formwindow.h"

// How the controls look: the windowless ones painted on the window, the graphical buttons
// owner-drawn. Everything in device pixels of the window's screen.
namespace angoli::win32
{

// Labels, shapes and the image, back to front, over what dc already holds.
void paintWindowless(HDC dc, const ControlStates &controls, const Scale &scale, Pictures &pictures);

// A graphical button or value button: picture above caption, pressed in while held down or
// while its Value is True.
void paintGraphicButton(const DRAWITEMSTRUCT &item, int row, const ControlState &state,
                        const Scale &scale, Pictures &pictures);

// The size in logical pixels that an auto-size label takes for its caption.
SIZE captionSize(int row, const ControlState &state, const Scale &scale);

} // namespace angoli::win32
