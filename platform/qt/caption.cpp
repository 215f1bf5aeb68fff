// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/caption.h"

#include "resources/layout.h"

#include <QAccessibleWidget>
#include <QEvent>
#include <QPainter>

namespace angoli
{

namespace
{
constexpr int kBorderWidth = 1;
constexpr char kCaptionMark[] = "%1";

// A label reads as static text; a decorative one says it cannot be seen, which makes screen
// readers skip it.
class CaptionLabelAccessible : public QAccessibleWidget
{
public:
    explicit CaptionLabelAccessible(CaptionLabel *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        if (static_cast<const CaptionLabel *>(widget())->isDecorative())
            s.invisible = true;
        return s;
    }
};

QAccessibleInterface *captionLabelAccessible(const QString &className, QObject *object)
{
    if (className != QLatin1String(CaptionLabel::staticMetaObject.className()))
        return nullptr;
    auto *label = qobject_cast<CaptionLabel *>(object);
    return label ? new CaptionLabelAccessible(label) : nullptr;
}
} // namespace

CaptionLabel::CaptionLabel(unsigned flags, QWidget *parent) : QWidget(parent), m_flags(flags)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(captionLabelAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    // Labels never take a click or the focus: they are part of the surface.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    updateAccessibleTexts();
}

bool CaptionLabel::isTransparent() const
{
    return m_flags & layout::kTransparent;
}
bool CaptionLabel::hasBorder() const
{
    return m_flags & layout::kBorder;
}
bool CaptionLabel::isCentred() const
{
    return m_flags & layout::kCentred;
}
bool CaptionLabel::isAutoSize() const
{
    return m_flags & layout::kAutoSize;
}
bool CaptionLabel::isDecorative() const
{
    return m_flags & layout::kDecorative;
}

void CaptionLabel::setAccessibleTexts(const QString &name, const QString &description)
{
    m_accessibleName = name;
    m_accessibleDescription = description;
    updateAccessibleTexts();
}

void CaptionLabel::updateAccessibleTexts()
{
    // A record file's CR LF and a label's line breaks read as blanks.
    const QString spoken = m_caption.simplified();
    const auto filled = [&spoken](const QString &text) {
        return QString(text).replace(QLatin1String(kCaptionMark), spoken).simplified();
    };
    const QString name = m_accessibleName.isEmpty() ? spoken : filled(m_accessibleName);
    const QString description = filled(m_accessibleDescription);
    // Each change is announced to screen readers: only announce real ones.
    if (name != accessibleName())
        setAccessibleName(name);
    if (description != accessibleDescription())
        setAccessibleDescription(description);
}

void CaptionLabel::setCaption(const QString &caption)
{
    if (caption == m_caption)
        return;
    m_caption = caption;
    if (isAutoSize())
        fitToText();
    updateAccessibleTexts();
    update();
}

void CaptionLabel::setForeColor(const QColor &colour)
{
    m_fore = colour;
    update();
}

void CaptionLabel::setBackColor(const QColor &colour)
{
    m_back = colour;
    update();
}

void CaptionLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange && isAutoSize())
        fitToText();
    QWidget::changeEvent(event);
}

QString CaptionLabel::displayText() const
{
    // Plain replacements: a regular expression here would load and compile PCRE at start-up.
    QString text = m_caption;
    return text.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
}

void CaptionLabel::fitToText()
{
    const QFontMetrics fm(font());
    const QStringList lines = displayText().split(QLatin1Char('\n'));
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, fm.horizontalAdvance(line));
    const int frame = hasBorder() ? 2 * kBorderWidth : 0;
    const int height = m_caption.isEmpty() ? fm.height() : int(lines.size()) * fm.lineSpacing();
    resize(width + frame, height + frame);
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    QRect area = rect();
    if (!isTransparent())
        p.fillRect(area, m_back);
    if (hasBorder()) {
        p.setPen(Qt::black);
        p.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(kBorderWidth, kBorderWidth, -kBorderWidth, -kBorderWidth);
    }
    p.setPen(m_fore);
    const int align = (isCentred() ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
    const int wrap = isAutoSize() ? 0 : int(Qt::TextWordWrap);
    p.drawText(area, align | wrap, displayText());
}

ShapeBox::ShapeBox(const QColor &border, const QColor &inside, QWidget *parent)
    : QWidget(parent), m_border(border), m_inside(inside)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void ShapeBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), m_inside);
    p.setPen(m_border);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace angoli
