// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "resources/layout.h"
#include "runtime/colour.h"

#include <QColor>
#include <QFont>
#include <QString>

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

// A layout colour (0x00BBGGRR, or a desktop colour) as Qt colour.
QColor colourOf(Colour colour);

// A layout font at the pixel size its points have at 96 dpi (13.5 pt is 18 px).
QFont fontOf(const layout::Font &font);

// Stand-ins for the fonts the platform lacks, of the same pixel size.
void installFontSubstitutes();

// The resource path of a picture by its number (layout::kPictureFiles); empty for none.
QString picturePath(int number);

} // namespace angoli
