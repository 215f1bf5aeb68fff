// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/win32/paint.h"

#include "platform/windows/wintext.h"

#include <algorithm>

namespace angoli::win32
{

namespace
{

using layout::kControls;
constexpr int kBorderWidth = 1;
constexpr int kBevel = 2;
constexpr int kPictureTop = 4;
constexpr int kIconSize = 32;

class Brush
{
public:
    explicit Brush(COLORREF colour) : m_brush(CreateSolidBrush(colour)) {}
    ~Brush() { DeleteObject(m_brush); }
    Brush(const Brush &) = delete;
    Brush &operator=(const Brush &) = delete;
    operator HBRUSH() const { return m_brush; }

private:
    HBRUSH m_brush;
};

void fill(HDC dc, const RECT &r, COLORREF colour)
{
    const Brush brush(colour);
    FillRect(dc, &r, brush);
}

// A frame `width` device pixels thick just inside r.
void frame(HDC dc, RECT r, COLORREF colour, int width)
{
    const Brush brush(colour);
    for (int i = 0; i < width; ++i) {
        FrameRect(dc, &r, brush);
        InflateRect(&r, -1, -1);
    }
}

COLORREF scaled(COLORREF c, double f)
{
    const auto part = [f](int v) { return std::clamp(int(v * f), 0, 255); };
    return RGB(part(GetRValue(c)), part(GetGValue(c)), part(GetBValue(c)));
}

COLORREF lighter(COLORREF c)
{
    // Towards white, so that a dark face still gets a visible light edge.
    const auto part = [](int v) { return std::min(255, v + (255 - v) / 2 + 32); };
    return RGB(part(GetRValue(c)), part(GetGValue(c)), part(GetBValue(c)));
}

void line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

void paintLabel(HDC dc, const layout::Control &c, const ControlState &s, RECT area, HFONT font,
                const Scale &scale)
{
    if (!(c.flags & layout::kTransparent))
        fill(dc, area, colourRef(s.back));
    if (c.flags & layout::kBorder) {
        frame(dc, area, RGB(0, 0, 0), scale.px(kBorderWidth));
        InflateRect(&area, -scale.px(kBorderWidth), -scale.px(kBorderWidth));
    }
    const std::wstring text = windows::toWide(s.caption);
    HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, colourRef(s.fore));
    UINT format = DT_NOPREFIX | DT_TOP | ((c.flags & layout::kCentred) ? DT_CENTER : DT_LEFT);
    if (!(c.flags & layout::kAutoSize))
        format |= DT_WORDBREAK;
    DrawTextW(dc, text.c_str(), int(text.size()), &area, format);
    SelectObject(dc, old);
}

void paintShape(HDC dc, const ControlState &s, const RECT &area, const Scale &scale)
{
    fill(dc, area, colourRef(s.back));
    frame(dc, area, colourRef(s.fore), scale.px(kBorderWidth));
}

} // namespace

void paintWindowless(HDC dc, const FormModel &model, const NativeControls &natives,
                     const Scale &scale, Pictures &pictures)
{
    for (std::size_t row = kControls.size(); row-- > 0;) {
        const layout::Control &c = kControls[row];
        const ControlState &s = model[row];
        if (!layout::isWindowless(c.kind) || !s.visible)
            continue;
        const RECT area = controlRect(model, row, scale);
        if (c.kind == layout::Kind::Label) {
            paintLabel(dc, c, s, area, natives[row].font, scale);
        } else if (c.kind == layout::Kind::Shape) {
            paintShape(dc, s, area, scale);
        } else if (HICON icon = pictures.icon(model.picture(row), scale.px(kIconSize))) {
            DrawIconEx(dc, area.left, area.top, icon, scale.px(kIconSize), scale.px(kIconSize), 0,
                       nullptr, DI_NORMAL);
        }
    }
}

void paintGraphicButton(const DRAWITEMSTRUCT &item, const FormModel &model, std::size_t row,
                        HFONT font, const Scale &scale, Pictures &pictures)
{
    const ControlState &state = model[row];
    const int number = model.picture(row);
    HDC dc = item.hDC;
    const RECT r = item.rcItem;
    const bool disabled = item.itemState & ODS_DISABLED;
    const bool sunken = (item.itemState & ODS_SELECTED) || state.value;
    const COLORREF back = colourRef(state.back);
    fill(dc, r, back);

    // Classic two-pixel bevel: light top-left and dark bottom-right, swapped when pressed in.
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0);
    const COLORREF light = lighter(back), dark = scaled(back, 0.5);
    const int right = r.right - 1, bottom = r.bottom - 1;
    for (int i = 0; i < kBevel; ++i) {
        const COLORREF topLeft = i == 0 ? (sunken ? black : white) : (sunken ? dark : light);
        const COLORREF bottomRight = i == 0 ? (sunken ? white : black) : (sunken ? light : dark);
        line(dc, r.left + i, r.top + i, right - i + 1, r.top + i, topLeft);
        line(dc, r.left + i, r.top + i, r.left + i, bottom - i + 1, topLeft);
        line(dc, r.left + i, bottom - i, right - i + 1, bottom - i, bottomRight);
        line(dc, right - i, r.top + i, right - i, bottom - i + 1, bottomRight);
    }

    const int shift = sunken ? 1 : 0;
    RECT inner{r.left + kBevel + shift, r.top + kBevel + shift, r.right - kBevel + shift,
               r.bottom - kBevel + shift};
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, inner.left, inner.top, inner.right, inner.bottom);
    const int pictureTop = inner.top + scale.px(kPictureTop) - kBevel;
    if (HICON icon = pictures.icon(number, scale.px(kIconSize))) {
        const int size = scale.px(kIconSize);
        DrawIconEx(dc, inner.left + (inner.right - inner.left - size) / 2, pictureTop, icon, size,
                   size, 0, nullptr, DI_NORMAL);
    } else if (HBITMAP picture = pictures.bitmap(number)) {
        BITMAP info{};
        GetObjectW(picture, sizeof info, &info);
        const int w = scale.px(info.bmWidth), h = scale.px(info.bmHeight);
        drawBitmap(dc, picture, inner.left + (inner.right - inner.left - w) / 2, pictureTop, w, h);
    }

    const std::wstring text = windows::toWide(state.caption);
    HGDIOBJ oldFont = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    RECT textRect{inner.left, inner.bottom - metrics.tmHeight - 1, inner.right, inner.bottom - 1};
    SetBkMode(dc, TRANSPARENT);
    const UINT format = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
    if (disabled) {
        // Embossed: a white shadow under a grey text.
        RECT shadow = textRect;
        OffsetRect(&shadow, 1, 1);
        SetTextColor(dc, white);
        DrawTextW(dc, text.c_str(), int(text.size()), &shadow, format);
        SetTextColor(dc, scaled(back, 0.6));
    } else {
        SetTextColor(dc, colourRef(state.fore));
    }
    DrawTextW(dc, text.c_str(), int(text.size()), &textRect, format);
    SelectObject(dc, oldFont);
    RestoreDC(dc, saved);
    if (item.itemState & ODS_FOCUS) {
        RECT focus = inner;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
}

SIZE captionSize(std::size_t row, std::string_view caption, HFONT font, const Scale &scale)
{
    const layout::Control &c = kControls[row];
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const std::wstring text = windows::toWide(caption);
    RECT r{0, 0, 0, 0};
    int width = 0, height = metrics.tmHeight;
    if (!text.empty()) {
        DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_NOPREFIX);
        width = r.right - r.left;
        height = std::max<int>(r.bottom - r.top, metrics.tmHeight);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    const int frameWidth = (c.flags & layout::kBorder) ? 2 * kBorderWidth : 0;
    // Back to logical pixels, rounding up so that nothing is cut.
    const auto logical = [&scale](int device) { return (device * 96 + scale.dpi - 1) / scale.dpi; };
    return {logical(width) + frameWidth, logical(height) + frameWidth};
}

} // namespace angoli::win32
