// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/colour.h"

#include <QColor>

namespace angoli
{

// Opaque; the top byte of |c| is ignored.
inline QColor toQColor(Colour c)
{
    return QColor(redOf(c), greenOf(c), blueOf(c));
}

// Drops the alpha channel.
inline Colour fromQColor(const QColor &c)
{
    return rgbColour(c.red(), c.green(), c.blue());
}

} // namespace angoli
