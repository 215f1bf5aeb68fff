// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "drawing/windowsurface.h"

#include <windows.h>

#include <cstdint>
#include <functional>

namespace angoli::win32
{

// The window's persistent drawing: a bitmap in a memory DC that starts as the background and
// takes every figure the game draws, so the window repaints from it and nothing drawn is lost.
// Drawing is in logical pixels (the layout's, at 96 dpi); the bitmap holds them at the screen's
// scale.
class GdiSurface final : public WindowSurface
{
public:
    // width x height logical pixels at dpi, filled with background. outerSize gives the window's
    // outer size in logical pixels, asked at every size query.
    GdiSurface(int width, int height, int dpi, COLORREF background,
               std::function<SIZE()> outerSize);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface &) = delete;
    GdiSurface &operator=(const GdiSurface &) = delete;

    // Draws picture at its own size from the top-left corner, cut at the edges.
    void drawPicture(HBITMAP picture);
    // The same drawing at another dpi (the window moved to another screen).
    void rescale(int dpi);

    HDC dc() const { return m_dc; }
    int dpi() const { return m_dpi; }
    // A pixel of the bitmap, in device pixels; 0x00BBGGRR.
    Colour devicePixel(int x, int y) const;

    // Told the logical rectangle that each drawing call changed.
    std::function<void(const RECT &)> changed;

private:
    void drawArc(const ArcFigure &figure, Colour pen) override;
    void fillBox(const PixelBox &box, Colour colour) override;
    Size outerSize() const override;

    void makeBitmap(int dpi);
    void notify(const RECT &area) const;

    int m_dpi = 96;
    int m_deviceWidth = 0;
    int m_deviceHeight = 0;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    const std::uint32_t *m_bits = nullptr;
    std::function<SIZE()> m_outerSize;
};

} // namespace angoli::win32
