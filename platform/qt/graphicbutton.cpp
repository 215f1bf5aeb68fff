// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/graphicbutton.h"

#include "platform/qt/scaledpicture.h"

#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace angoli
{

namespace
{
constexpr int kBevel = 2;
constexpr int kPictureTop = 4;
} // namespace

GraphicButton::GraphicButton(bool isOption, QWidget *parent)
    : QAbstractButton(parent), m_isOption(isOption)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(this, &QAbstractButton::clicked, this, &GraphicButton::onClicked);
}

void GraphicButton::setValue(bool value)
{
    if (m_value == value)
        return;
    m_value = value;
    update();
}

void GraphicButton::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    m_shownPicture = QPixmap();
    update();
}

const QPixmap &GraphicButton::pictureAt(qreal ratio)
{
    if (m_shownPicture.isNull() || m_shownPicture.devicePixelRatio() != ratio)
        m_shownPicture = scaledPicture(m_picture, ratio);
    return m_shownPicture;
}

void GraphicButton::setBackColor(const QColor &colour)
{
    m_back = colour;
    update();
}

void GraphicButton::setForeColor(const QColor &colour)
{
    m_fore = colour;
    update();
}

void GraphicButton::onClicked()
{
    if (!m_isOption)
        return;
    setValue(true);
    Q_EMIT selected();
}

void GraphicButton::focusInEvent(QFocusEvent *event)
{
    QAbstractButton::focusInEvent(event);
    Q_EMIT focusGained();
}

void GraphicButton::keyPressEvent(QKeyEvent *event)
{
    // Enter presses a focused command button as Space does. A value button takes Space only:
    // pupils press Enter to close a message, and one that lands after the box has gone must not
    // add a value to the next answer.
    if (!m_isOption && !event->isAutoRepeat() &&
        (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        click();
        return;
    }
    QAbstractButton::keyPressEvent(event);
}

void GraphicButton::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const QRect r = rect();
    const bool sunken = isDown() || m_value;
    p.fillRect(r, m_back);

    // Classic two-pixel bevel: light top-left and dark bottom-right, swapped when pressed in.
    const QColor light = m_back.lighter(160);
    const QColor dark = m_back.darker(200);
    const QColor outer = sunken ? Qt::black : QColor(Qt::white);
    const QColor outerShadow = sunken ? QColor(Qt::white) : Qt::black;
    p.setPen(outer);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(outerShadow);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
    p.setPen(sunken ? dark : light);
    p.drawLine(r.left() + 1, r.top() + 1, r.right() - 1, r.top() + 1);
    p.drawLine(r.left() + 1, r.top() + 1, r.left() + 1, r.bottom() - 1);
    p.setPen(sunken ? light : dark);
    p.drawLine(r.left() + 1, r.bottom() - 1, r.right() - 1, r.bottom() - 1);
    p.drawLine(r.right() - 1, r.top() + 1, r.right() - 1, r.bottom() - 1);

    const int shift = sunken ? 1 : 0;
    const QRect inner = r.adjusted(kBevel + shift, kBevel + shift, shift - kBevel, shift - kBevel);
    p.setClipRect(inner);
    const QFontMetrics fm(font());
    const int textHeight = fm.height();
    if (!m_picture.isNull()) {
        const QPixmap &picture = pictureAt(devicePixelRatioF());
        const QSize size = picture.deviceIndependentSize().toSize();
        const int x = inner.left() + (inner.width() - size.width()) / 2;
        p.drawPixmap(QPoint(x, inner.top() + kPictureTop - kBevel), picture);
    }
    const QRect textRect(inner.left(), inner.bottom() - textHeight - 1, inner.width(), textHeight);
    if (isEnabled()) {
        p.setPen(m_fore);
        p.drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, text());
    } else {
        // Disabled captions are embossed: white shadow under a grey text.
        p.setPen(Qt::white);
        p.drawText(textRect.translated(1, 1), Qt::AlignHCenter | Qt::AlignVCenter, text());
        p.setPen(m_back.darker(170));
        p.drawText(textRect, Qt::AlignHCenter | Qt::AlignVCenter, text());
    }
    if (hasFocus()) {
        QStyleOptionFocusRect option;
        option.initFrom(this);
        option.rect = inner.adjusted(1, 1, -1, -1);
        option.backgroundColor = m_back;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &option, &p, this);
    }
}

} // namespace angoli
