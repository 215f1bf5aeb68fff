// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/graphicbutton.h"

#include "platform/qt/look.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <cmath>

namespace angoli
{

namespace
{
constexpr int kBevel = 2;
constexpr int kPictureTop = 4;

// picture at the given device pixel ratio, for painting one device pixel per pixel. Whole
// ratios repeat every pixel, so a small icon keeps its sharp edges; other ratios are smoothed.
// The result carries the ratio and keeps the picture's size in logical pixels.
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
} // namespace

GraphicButton::GraphicButton(const FormModel &model, std::size_t row, QWidget *parent)
    : QAbstractButton(parent), m_model(model), m_row(row)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    loadPicture(); // decoded with the window, before the first paint
}

void GraphicButton::loadPicture()
{
    if (const int number = m_model.picture(m_row); number != m_pictureNumber) {
        m_pictureNumber = number;
        m_picture = QPixmap(picturePath(number));
        m_shownPicture = QPixmap();
    }
}

const QPixmap &GraphicButton::pictureAt(qreal ratio)
{
    loadPicture();
    if (m_shownPicture.isNull() || m_shownPicture.devicePixelRatio() != ratio)
        m_shownPicture = scaledPicture(m_picture, ratio);
    return m_shownPicture;
}

void GraphicButton::focusInEvent(QFocusEvent *event)
{
    QAbstractButton::focusInEvent(event);
    Q_EMIT focusGained();
}

void GraphicButton::keyPressEvent(QKeyEvent *event)
{
    // Enter presses Verifica and Esci as Space does, never a value button (the model says which).
    if (form::takesEnter(m_row) && !event->isAutoRepeat() &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void GraphicButton::paintEvent(QPaintEvent *)
{
    const ControlState &state = m_model[m_row];
    const QColor back = colourOf(state.back);
    const QString caption = QString::fromStdString(state.caption);
    QPainter p(this);
    const QRect r = rect();
    const bool sunken = isDown() || state.value;
    p.fillRect(r, back);

    // Classic two-pixel bevel: light top-left and dark bottom-right, swapped when pressed in.
    const QColor light = back.lighter(160);
    const QColor dark = back.darker(200);
    const auto frame = [&p, &r](int inset, const QColor &topLeft, const QColor &bottomRight) {
        const QRect f = r.adjusted(inset, inset, -inset, -inset);
        p.setPen(topLeft);
        p.drawLine(f.topLeft(), f.topRight());
        p.drawLine(f.topLeft(), f.bottomLeft());
        p.setPen(bottomRight);
        p.drawLine(f.bottomLeft(), f.bottomRight());
        p.drawLine(f.topRight(), f.bottomRight());
    };
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    frame(0, sunken ? black : white, sunken ? white : black);
    frame(1, sunken ? dark : light, sunken ? light : dark);

    const int shift = sunken ? 1 : 0;
    const QRect inner = r.adjusted(kBevel + shift, kBevel + shift, shift - kBevel, shift - kBevel);
    p.setClipRect(inner);
    const QFontMetrics fm(font());
    const int textHeight = fm.height();
    if (const QPixmap &picture = pictureAt(devicePixelRatioF()); !picture.isNull()) {
        const QSize size = picture.deviceIndependentSize().toSize();
        const int x = inner.left() + (inner.width() - size.width()) / 2;
        p.drawPixmap(QPoint(x, inner.top() + kPictureTop - kBevel), picture);
    }
    const QRect textRect(inner.left(), inner.bottom() - textHeight - 1, inner.width(), textHeight);
    if (isEnabled()) {
        p.setPen(colourOf(state.fore));
        p.drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, caption);
    } else {
        // Disabled captions are embossed: white shadow under a grey text.
        p.setPen(Qt::white);
        p.drawText(textRect.translated(1, 1), Qt::AlignHCenter | Qt::AlignVCenter, caption);
        p.setPen(back.darker(170));
        p.drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, caption);
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = inner.adjusted(1, 1, -1, -1);
        option.backgroundColor = back;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

} // namespace angoli
