// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/scaledpicture.h"

#include <cmath>

namespace angoli
{

QPixmap scaledPicture(const QPixmap &picture, qreal ratio)
{
    if (picture.isNull() || ratio <= 0)
        return picture;
    const QSizeF logical = picture.deviceIndependentSize();
    const QSize pixels(int(std::lround(logical.width() * ratio)),
                       int(std::lround(logical.height() * ratio)));
    const bool whole = std::abs(ratio - std::round(ratio)) < 1e-9;
    QPixmap scaled = pixels == picture.size() ? picture
                                              : picture.scaled(pixels, Qt::IgnoreAspectRatio,
                                                               whole ? Qt::FastTransformation
                                                                     : Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    return scaled;
}

} // namespace angoli
