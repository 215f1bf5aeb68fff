// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/surface.h"

#include <cstdint>

namespace angoli
{

// Paints TheObject with 63 horizontal bands, each one 63rd of its reported Height tall and as wide
// as its reported Width, the first in the colour (Redval, Greenval, Blueval) and each next one 4
// steps darker per component (never below 0). TopToBottom puts the first band at the top and
// proceeds downwards; otherwise it starts at the bottom and proceeds upwards. The reported size is
// used as drawing coordinates unchanged. The three components are the working values: the caller
// finds them as they were after the last band.
void Gradient(DrawingSurface &TheObject, std::int32_t &Redval, std::int32_t &Greenval,
              std::int32_t &Blueval, bool &TopToBottom);

} // namespace angoli
