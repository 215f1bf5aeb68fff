// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/win32/formwindow.h"

#include <cstddef>
#include <string_view>

// How the controls look: the windowless ones painted on the window, the graphical buttons
// owner-drawn. Everything in device pixels of the window's screen.
namespace angoli::win32
{

// Labels, shapes and the image, back to front, over what dc already holds.
void paintWindowless(HDC dc, const FormModel &model, const NativeControls &natives,
                     const Scale &scale, Pictures &pictures);

// A graphical button or value button: the model's picture above its caption, pressed in while
// held down or while its Value is True.
void paintGraphicButton(const DRAWITEMSTRUCT &item, const FormModel &model, std::size_t row,
                        HFONT font, const Scale &scale, Pictures &pictures);

// The size in logical pixels that an auto-size label takes for caption.
SIZE captionSize(std::size_t row, std::string_view caption, HFONT font, const Scale &scale);

} // namespace angoli::win32
