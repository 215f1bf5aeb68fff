#include "drawing/colour.h"

namespace angoli
{

QColor toQColor(Colour c)
{
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

Colour fromQColor(const QColor &c)
{
    return rgbColour(c.red(), c.green(), c.blue());
}

} // namespace angoli
