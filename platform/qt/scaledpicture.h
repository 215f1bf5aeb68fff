// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>

namespace angoli
{

// picture at the given device pixel ratio, for painting one device pixel per pixel. Whole
// ratios repeat every pixel, so a small icon keeps its sharp edges; other ratios are smoothed.
// The result carries the ratio and keeps the picture's size in logical pixels.
QPixmap scaledPicture(const QPixmap &picture, qreal ratio);

} // namespace angoli
