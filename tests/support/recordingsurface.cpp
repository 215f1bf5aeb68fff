// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/recordingsurface.h"

namespace angoli
{

RecordingSurface::RecordingSurface(double width, double height) : m_width(width), m_height(height)
{
}

Colour RecordingSurface::FillColor() const
{
    m_events.push_back({Kind::FillColorRead, -1, m_fillColor});
    return m_fillColor;
}

void RecordingSurface::setFillColor(Colour c)
{
    m_fillColor = c;
    m_events.push_back({Kind::FillColorWrite, -1, c});
}

void RecordingSurface::Circle(float x, float y, float radius, Colour color, double start,
                              double end)
{
    m_circles.push_back({x, y, radius, color, start, end, m_fillColor});
    m_events.push_back({Kind::Circle, static_cast<int>(m_circles.size()) - 1, color});
}

void RecordingSurface::LineBox(int x1, int y1, int x2, int y2, Colour color)
{
    m_lineBoxes.push_back({x1, y1, x2, y2, color});
    m_events.push_back({Kind::LineBox, static_cast<int>(m_lineBoxes.size()) - 1, color});
}

void RecordingSurface::setReportedSize(double width, double height)
{
    m_width = width;
    m_height = height;
}

std::vector<RecordingSurface::Kind> RecordingSurface::kinds() const
{
    std::vector<Kind> result;
    for (const Event &event : m_events) {
        result.push_back(event.kind);
    }
    return result;
}

} // namespace angoli
