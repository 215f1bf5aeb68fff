#include "support/recordingsurface.h"

namespace angoli
{

RecordingSurface::RecordingSurface(double width, double height) : m_width(width), m_height(height)
{
}

Colour RecordingSurface::FillColor() const
{
    m_events.append({Kind::FillColorRead, -1, m_fillColor});
    return m_fillColor;
}

void RecordingSurface::setFillColor(Colour c)
{
    m_fillColor = c;
    m_events.append({Kind::FillColorWrite, -1, c});
}

void RecordingSurface::Circle(float x, float y, float radius, Colour color, double start,
                              double end)
{
    m_circles.append({x, y, radius, color, start, end, m_fillColor});
    m_events.append({Kind::Circle, static_cast<int>(m_circles.size()) - 1, color});
}

void RecordingSurface::LineBox(int x1, int y1, int x2, int y2, Colour color)
{
    m_lineBoxes.append({x1, y1, x2, y2, color});
    m_events.append({Kind::LineBox, static_cast<int>(m_lineBoxes.size()) - 1, color});
}

void RecordingSurface::setReportedSize(double width, double height)
{
    m_width = width;
    m_height = height;
}

QList<RecordingSurface::Kind> RecordingSurface::kinds() const
{
    QList<Kind> result;
    for (const Event &event : m_events) {
        result.append(event.kind);
    }
    return result;
}

} // namespace angoli
