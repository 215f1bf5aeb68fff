// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/surface.h"

#include <vector>

namespace angoli
{

// A drawing surface that draws nothing and remembers every call made on it, in order.
class RecordingSurface : public DrawingSurface
{
public:
    struct CircleCall {
        float x;
        float y;
        float radius;
        Colour color;
        double start;
        double end;
        Colour fillColor; // the surface's FillColor at the moment of the call
    };
    struct LineBoxCall {
        int x1;
        int y1;
        int x2;
        int y2;
        Colour color;
    };
    enum class Kind { FillColorRead, FillColorWrite, Circle, LineBox };
    struct Event {
        Kind kind;
        int index;     // into circles() or lineBoxes(); -1 for FillColor events
        Colour colour; // the colour read or written; the call's colour otherwise
    };

    explicit RecordingSurface(double width = 0, double height = 0);

    Colour FillColor() const override;
    void setFillColor(Colour c) override;
    void Circle(float x, float y, float radius, Colour color, double start, double end) override;
    void LineBox(int x1, int y1, int x2, int y2, Colour color) override;
    double Width() const override { return m_width; }
    double Height() const override { return m_height; }

    void setReportedSize(double width, double height);

    const std::vector<CircleCall> &circles() const { return m_circles; }
    const std::vector<LineBoxCall> &lineBoxes() const { return m_lineBoxes; }
    const std::vector<Event> &events() const { return m_events; }
    // The kinds of all events in order, for checking interleaving at a glance.
    std::vector<Kind> kinds() const;

private:
    double m_width;
    double m_height;
    Colour m_fillColor = 0;
    std::vector<CircleCall> m_circles;
    std::vector<LineBoxCall> m_lineBoxes;
    mutable std::vector<Event> m_events; // reads of FillColor are recorded too
};

} // namespace angoli
