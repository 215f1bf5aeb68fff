// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/webformsruntime.h"

#include "platform/web/pagebridge.h"
#include "resources/layout.h"

#include <cmath>
#include <cstdlib>
#include <string>

namespace angoli
{

namespace
{
// The outer size the Linux face reports (frame, title and menu bar included), so that the
// gradient's bands fall where they fall there.
constexpr WindowSurface::Size kOuterSize{750, 593};
constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr double kDialogFontPoints = 8; // the default font: MS Sans Serif 8

int fontPixels(const layout::Font &font)
{
    return int(std::lround((font.family ? font.points : kDialogFontPoints) * kPixelsPerPoint));
}

std::string text(std::string_view view)
{
    return std::string(view);
}
} // namespace

CanvasSurface::CanvasSurface() : WindowSurface(layout::kClientWidth, layout::kClientHeight) {}

void CanvasSurface::drawArc(const ArcFigure &figure, Colour pen)
{
    page_draw_arc(figure.x, figure.y, figure.radius, figure.from, figure.sweep,
                  figure.radiusAtStart, figure.radiusAtEnd, pen, FillColor());
}

void CanvasSurface::fillBox(const PixelBox &box, Colour colour)
{
    page_fill_box(box.left, box.top, box.right, box.bottom, colour);
}

WindowSurface::Size CanvasSurface::outerSize() const
{
    return kOuterSize;
}

void WebFormsRuntime::MsgBox(std::string_view prompt, MsgStyle style, std::string_view title)
{
    const web::WaitGuard wait;
    page_message(text(prompt).c_str(), style, text(title).c_str());
}

std::string WebFormsRuntime::askText(std::string_view prompt, std::string_view title)
{
    char *typed = nullptr;
    {
        const web::WaitGuard wait;
        typed = page_ask_text(text(prompt).c_str(), text(title).c_str());
    }
    std::string answer = typed ? typed : "";
    std::free(typed);
    return answer;
}

void WebFormsRuntime::Beep()
{
    page_beep();
}

float WebFormsRuntime::secondsSinceMidnight()
{
    return float(page_seconds_since_midnight());
}

void WebFormsRuntime::End()
{
    const web::WaitGuard wait;
    page_end();
    std::abort(); // never reached: the page never resumes the end
}

void WebFormsRuntime::runTimer(bool enabled)
{
    page_run_timer(enabled, layout::kTimerIntervalMs);
}

void WebFormsRuntime::makeWindowAfter(std::chrono::milliseconds delay)
{
    page_make_window_after(int(delay.count()));
}

void WebFormsRuntime::makeWindow()
{
    // Rows are front to back, windowed controls first: the first row lies on top.
    const int rows = int(layout::kControls.size());
    for (int row = 0; row < rows; ++row) {
        const layout::Control &c = layout::kControls[std::size_t(row)];
        page_make_control(row, int(c.kind), c.name, c.index, c.left, c.top, c.width, c.height,
                          c.foreColor, c.backColor, c.font.family, fontPixels(c.font), c.font.bold,
                          c.flags, c.picture, c.tooltip, form::isFocusable(std::size_t(row)),
                          form::isSpokenLabel(std::size_t(row)),
                          form::isAnnounced(std::size_t(row)), rows - row);
        show(std::size_t(row));
    }
    for (std::size_t row = 0; row < layout::kMenu.size(); ++row) {
        const layout::MenuItem &item = layout::kMenu[row];
        page_make_menu(int(row), item.name, item.caption, item.checked);
    }
}

void WebFormsRuntime::show(std::size_t row)
{
    const ControlState &s = model()[row];
    const SpokenTexts spoken = model().spoken(row);
    const int size = page_update_control(int(row), s.caption.c_str(), s.fore, s.back, s.visible,
                                         s.enabled, s.value, spoken.name.c_str(),
                                         spoken.description.c_str(), model().picture(row));
    if (layout::kControls[row].flags & layout::kAutoSize)
        fitTo(row, size >> 16, size & 0xFFFF);
}

void WebFormsRuntime::changed(std::size_t row, Change what)
{
    // The page sizes an auto-size label itself; the model only hears of it.
    if (what != Change::Size && windowMade())
        show(row);
}

void WebFormsRuntime::showWindow()
{
    const std::optional<std::size_t> first = model().firstFocus();
    page_show_window(first ? int(*first) : -1);
}

int WebFormsRuntime::nextFocus(int row, bool backwards) const
{
    // A row outside the tab order (the menu button passes -1) leads to its first control, or
    // backwards to its last.
    constexpr std::size_t kOutside = layout::rowOf("Timer1", -1);
    const bool inTable = row >= 0 && row < int(layout::kControls.size());
    const std::optional<std::size_t> next =
        model().nextFocus(inTable ? std::size_t(row) : kOutside, backwards);
    return next ? int(*next) : -1;
}

} // namespace angoli
