// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/surface.h"

#include <windows.h>

#include <cstdint>
#include <functional>

namespace angoli::win32
{

// The window's persistent drawing: a bitmap in a memory DC that starts as the background and
// takes every figure the game draws, so the window repaints from it and nothing drawn is lost.
// Drawing is in logical pixels (the layout's, at 96 dpi); the bitmap holds them at the screen's
// scale.
class GdiSurface final : public DrawingSurface
{
public:
    // The window reports its size in twips while it draws in pixels.
    static constexpr int kTwipsPerPixel = 15;

    // width x height logical pixels at dpi, filled with background. outerSize gives the window's
    // outer size in logical pixels, asked at every size query.
    GdiSurface(int width, int height, int dpi, COLORREF background,
               std::function<SIZE()> outerSize);
    ~GdiSurface() override;
    GdiSurface(const GdiSurface &) = delete;
    GdiSurface &operator=(const GdiSurface &) = delete;

    Colour FillColor() const override { return m_fillColor; }
    void setFillColor(Colour c) override { m_fillColor = c; }
    void Circle(float x, float y, float radius, Colour color, double start, double end) override;
    void LineBox(int x1, int y1, int x2, int y2, Colour color) override;
    double Width() const override;
    double Height() const override;

    // Draws picture at its own size from the top-left corner, cut at the edges.
    void drawPicture(HBITMAP picture);
    // The same drawing at another dpi (the window moved to another screen).
    void rescale(int dpi);

    HDC dc() const { return m_dc; }
    int dpi() const { return m_dpi; }
    SIZE deviceSize() const { return {m_deviceWidth, m_deviceHeight}; }
    // A pixel of the bitmap, in device pixels; 0x00BBGGRR.
    Colour devicePixel(int x, int y) const;

    // Told the logical rectangle that each drawing call changed.
    std::function<void(const RECT &)> changed;

private:
    void makeBitmap(int dpi);
    void notify(const RECT &area) const;

    int m_width;
    int m_height;
    int m_dpi = 96;
    int m_deviceWidth = 0;
    int m_deviceHeight = 0;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    const std::uint32_t *m_bits = nullptr;
    std::function<SIZE()> m_outerSize;
    Colour m_fillColor = 0;
};

} // namespace angoli::win32
