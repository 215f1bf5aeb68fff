// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/gdisurface.h"

#include "platform/win32/look.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace angoli::win32
{

namespace
{

constexpr double kFullTurn = 2 * std::numbers::pi;
// Spans closer than this to nothing or to a whole turn are taken as exactly that.
constexpr double kAngleEpsilon = 1e-7;
// Pie and Arc take their ends as directions through far points: far enough to keep the angle.
constexpr double kDirectionReach = 64;
constexpr int kLineWidth = 1;

POINT along(double cx, double cy, double distance, double angle)
{
    // Anticlockwise as seen, with y growing downwards.
    return {LONG(std::lround(cx + distance * std::cos(angle))),
            LONG(std::lround(cy - distance * std::sin(angle)))};
}

// A GDI object selected into dc for as long as it lives.
class Selected
{
public:
    Selected(HDC dc, HGDIOBJ object) : m_dc(dc), m_object(object), m_old(SelectObject(dc, object))
    {
    }
    ~Selected()
    {
        SelectObject(m_dc, m_old);
        DeleteObject(m_object);
    }
    Selected(const Selected &) = delete;
    Selected &operator=(const Selected &) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_object;
    HGDIOBJ m_old;
};

// Logical pixels in, device pixels out, while it lives: outside a drawing call the DC maps one
// to one, so the window copies device pixels out of it.
class Scaled
{
public:
    Scaled(HDC dc, int dpi) : m_dc(dc)
    {
        const float s = float(dpi) / 96.0f;
        const XFORM scale{s, 0, 0, s, 0, 0};
        SetWorldTransform(m_dc, &scale);
    }
    ~Scaled() { ModifyWorldTransform(m_dc, nullptr, MWT_IDENTITY); }
    Scaled(const Scaled &) = delete;
    Scaled &operator=(const Scaled &) = delete;

private:
    HDC m_dc;
};

} // namespace

GdiSurface::GdiSurface(int width, int height, int dpi, COLORREF background,
                       std::function<SIZE()> outerSize)
    : WindowSurface(width, height), m_outerSize(std::move(outerSize))
{
    m_dc = CreateCompatibleDC(nullptr);
    SetGraphicsMode(m_dc, GM_ADVANCED);
    makeBitmap(dpi);
    HBRUSH brush = CreateSolidBrush(background);
    const RECT all{0, 0, m_deviceWidth, m_deviceHeight};
    FillRect(m_dc, &all, brush);
    DeleteObject(brush);
}

GdiSurface::~GdiSurface()
{
    if (m_oldBitmap != nullptr)
        SelectObject(m_dc, m_oldBitmap);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

void GdiSurface::makeBitmap(int dpi)
{
    m_dpi = dpi;
    m_deviceWidth = MulDiv(drawingSize().width, dpi, 96);
    m_deviceHeight = MulDiv(drawingSize().height, dpi, 96);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = m_deviceWidth;
    info.bmiHeader.biHeight = -m_deviceHeight; // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    m_bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<const std::uint32_t *>(bits);
    HGDIOBJ old = SelectObject(m_dc, m_bitmap);
    if (m_oldBitmap == nullptr)
        m_oldBitmap = old;
}

void GdiSurface::rescale(int dpi)
{
    if (dpi == m_dpi)
        return;
    // The drawing so far, kept: copied over at the new size.
    HDC old = CreateCompatibleDC(m_dc);
    HBITMAP oldBitmap = m_bitmap;
    const int oldWidth = m_deviceWidth, oldHeight = m_deviceHeight;
    HGDIOBJ previous = SelectObject(old, oldBitmap);
    SelectObject(m_dc, m_oldBitmap);
    m_oldBitmap = nullptr;
    makeBitmap(dpi);
    SetStretchBltMode(m_dc, HALFTONE);
    StretchBlt(m_dc, 0, 0, m_deviceWidth, m_deviceHeight, old, 0, 0, oldWidth, oldHeight, SRCCOPY);
    SelectObject(old, previous);
    DeleteDC(old);
    DeleteObject(oldBitmap);
}

void GdiSurface::drawPicture(HBITMAP picture)
{
    BITMAP info{};
    if (picture == nullptr || GetObjectW(picture, sizeof info, &info) == 0)
        return;
    HDC source = CreateCompatibleDC(m_dc);
    HGDIOBJ old = SelectObject(source, picture);
    const Scaled scaled(m_dc, m_dpi);
    SetStretchBltMode(m_dc, HALFTONE);
    StretchBlt(m_dc, 0, 0, info.bmWidth, info.bmHeight, source, 0, 0, info.bmWidth, info.bmHeight,
               SRCCOPY);
    SelectObject(source, old);
    DeleteDC(source);
    notify({0, 0, drawingSize().width, drawingSize().height});
}

void GdiSurface::drawArc(const ArcFigure &figure, Colour color)
{
    // The call's own Singles: the box is formed in their arithmetic.
    const float x = float(figure.x), y = float(figure.y), radius = float(figure.radius);
    const double from = figure.from, to = figure.to, sweep = figure.sweep;
    const RECT box{LONG(std::lround(x - radius)), LONG(std::lround(y - radius)),
                   LONG(std::lround(x + radius)), LONG(std::lround(y + radius))};
    const double reach = std::max<double>(radius, 1) * kDirectionReach;
    const POINT startFar = along(x, y, reach, from);
    const POINT endFar = along(x, y, reach, to);
    const POINT centre{LONG(std::lround(x)), LONG(std::lround(y))};

    const Scaled scaled(m_dc, m_dpi);
    Selected pen(m_dc, CreatePen(PS_SOLID, kLineWidth, colourRef(color)));
    SetArcDirection(m_dc, AD_COUNTERCLOCKWISE);
    if (sweep < kAngleEpsilon || kFullTurn - sweep < kAngleEpsilon) {
        // GDI draws a whole circle for equal ends: right for a whole turn, wrong for none,
        // where only the radii show.
        const bool whole = sweep >= kAngleEpsilon;
        if (whole && figure.pie()) {
            Selected brush(m_dc, CreateSolidBrush(colourRef(FillColor())));
            Ellipse(m_dc, box.left, box.top, box.right, box.bottom);
        } else if (whole) {
            Arc(m_dc, box.left, box.top, box.right, box.bottom, startFar.x, startFar.y, startFar.x,
                startFar.y);
        }
        if (figure.radiusAtStart || figure.radiusAtEnd) {
            const POINT rim = along(x, y, radius, from);
            MoveToEx(m_dc, centre.x, centre.y, nullptr);
            LineTo(m_dc, rim.x, rim.y);
        }
    } else if (figure.pie()) {
        Selected brush(m_dc, CreateSolidBrush(colourRef(FillColor())));
        Pie(m_dc, box.left, box.top, box.right, box.bottom, startFar.x, startFar.y, endFar.x,
            endFar.y);
    } else {
        Arc(m_dc, box.left, box.top, box.right, box.bottom, startFar.x, startFar.y, endFar.x,
            endFar.y);
        for (const auto &[wanted, angle] :
             {std::pair{figure.radiusAtStart, from}, std::pair{figure.radiusAtEnd, to}}) {
            if (!wanted)
                continue;
            const POINT rim = along(x, y, radius, angle);
            MoveToEx(m_dc, centre.x, centre.y, nullptr);
            LineTo(m_dc, rim.x, rim.y);
        }
    }
    GdiFlush();
    const LONG margin = kLineWidth + 1;
    notify({box.left - margin, box.top - margin, box.right + margin, box.bottom + margin});
}

void GdiSurface::fillBox(const PixelBox &box, Colour colour)
{
    const RECT area{box.left, box.top, box.right + 1, box.bottom + 1};
    const Scaled scaled(m_dc, m_dpi);
    HBRUSH brush = CreateSolidBrush(colourRef(colour));
    FillRect(m_dc, &area, brush);
    DeleteObject(brush);
    GdiFlush();
    notify(area);
}

WindowSurface::Size GdiSurface::outerSize() const
{
    if (!m_outerSize)
        return {};
    const SIZE size = m_outerSize();
    return {int(size.cx), int(size.cy)};
}

Colour GdiSurface::devicePixel(int x, int y) const
{
    if (m_bits == nullptr || x < 0 || y < 0 || x >= m_deviceWidth || y >= m_deviceHeight)
        return 0xFFFFFFFF;
    GdiFlush();
    const std::uint32_t p = m_bits[std::size_t(y) * std::size_t(m_deviceWidth) + std::size_t(x)];
    // The DIB holds 0x00RRGGBB.
    return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
}

void GdiSurface::notify(const RECT &area) const
{
    if (changed)
        changed(area);
}

} // namespace angoli::win32
