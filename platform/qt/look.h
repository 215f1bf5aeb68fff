#pragma once

#include "resources/layout.h"

#include <QColor>
#include <QFont>

namespace angoli
{

// A layout colour (0x00BBGGRR, or a desktop colour) as Qt colour.
QColor colourOf(quint32 colour);

// A layout font at the pixel size its points have at 96 dpi (13.5 pt is 18 px).
QFont fontOf(const layout::Font &font);

// Stand-ins for the fonts the platform lacks, of the same pixel size.
void installFontSubstitutes();

} // namespace angoli
