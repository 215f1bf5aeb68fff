// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/look.h"

#include <QApplication>
#include <QPalette>
#include <cmath>

namespace angoli
{

namespace
{
constexpr double kPixelsPerPoint = 96.0 / 72.0;
constexpr layout::Font kDialogFont{"MS Sans Serif", 8, false};
// Where platform/qt/CMakeLists.txt compiles the pictures in.
constexpr char kPictureFolder[] = ":/pictures/";
} // namespace

QColor colourOf(Colour colour)
{
    const QPalette palette = QApplication::palette();
    switch (colour) {
    case layout::kSysButtonFace:
        return palette.color(QPalette::Button);
    case layout::kSysButtonText:
        return palette.color(QPalette::ButtonText);
    case layout::kSysWindow:
        return palette.color(QPalette::Base);
    case layout::kSysWindowText:
        return palette.color(QPalette::Text);
    default:
        return toQColor(colour);
    }
}

QFont fontOf(const layout::Font &font)
{
    const layout::Font &f = font.family ? font : kDialogFont;
    QFont result(QString::fromLatin1(f.family));
    result.setPixelSize(int(std::lround(f.points * kPixelsPerPoint)));
    result.setWeight(f.bold ? QFont::Bold : QFont::Normal);
    result.setStyleStrategy(QFont::PreferDefault);
    return result;
}

void installFontSubstitutes()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    // No free Arial Black: DejaVu Sans Bold is the closest heavy, wide face.
    QFont::insertSubstitutions(QStringLiteral("Arial Black"),
                               {QStringLiteral("DejaVu Sans"), QStringLiteral("Liberation Sans")});
}

QString picturePath(int number)
{
    const char *file = layout::pictureFile(number);
    return file ? QLatin1String(kPictureFolder) + QLatin1String(file) : QString();
}

} // namespace angoli
