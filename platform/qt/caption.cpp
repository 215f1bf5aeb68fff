// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/caption.h"

#include "platform/qt/look.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace angoli
{

namespace
{
constexpr int kBorderWidth = 1;

// A label reads as static text; one that screen readers leave out says it cannot be seen,
// which makes them skip it.
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
        if (!static_cast<const CaptionLabel *>(widget())->isSpoken())
            s.invisible = true;
        return s;
    }
};

QAccessibleInterface *captionLabelAccessible(const QString &className, QObject *object)
{
    auto *label = qobject_cast<CaptionLabel *>(object);
    const bool mine = className == QLatin1String(CaptionLabel::staticMetaObject.className());
    return label && mine ? new CaptionLabelAccessible(label) : nullptr;
}
} // namespace

CaptionLabel::CaptionLabel(const FormModel &model, std::size_t row, QWidget *parent)
    : QWidget(parent), m_model(model), m_row(row), m_flags(layout::kControls[row].flags)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(captionLabelAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    // Labels never take a click or the focus: they are part of the surface.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

QString CaptionLabel::text() const
{
    // Plain replacements: a regular expression here would load and compile PCRE at start-up.
    return QString::fromStdString(m_model[m_row].caption)
        .replace(QLatin1String("\r\n"), QLatin1String("\n"))
        .replace(u'\r', u'\n');
}

QSize CaptionLabel::fittedSize() const
{
    const QFontMetrics fm(font());
    const QStringList lines = text().split(QLatin1Char('\n'));
    int width = 0;
    for (const QString &line : lines)
        width = std::max(width, fm.horizontalAdvance(line));
    const int frame = (m_flags & layout::kBorder) ? 2 * kBorderWidth : 0;
    const int height =
        m_model[m_row].caption.empty() ? fm.height() : int(lines.size()) * fm.lineSpacing();
    return {width + frame, height + frame};
}

void CaptionLabel::paintEvent(QPaintEvent *)
{
    const ControlState &state = m_model[m_row];
    QPainter p(this);
    QRect area = rect();
    if (!(m_flags & layout::kTransparent))
        p.fillRect(area, colourOf(state.back));
    if (m_flags & layout::kBorder) {
        p.setPen(Qt::black);
        p.drawRect(area.adjusted(0, 0, -1, -1));
        area.adjust(kBorderWidth, kBorderWidth, -kBorderWidth, -kBorderWidth);
    }
    p.setPen(colourOf(state.fore));
    const int align =
        ((m_flags & layout::kCentred) ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop;
    const int wrap = isAutoSize() ? 0 : int(Qt::TextWordWrap);
    p.drawText(area, align | wrap, text());
}

ShapeBox::ShapeBox(const FormModel &model, std::size_t row, QWidget *parent)
    : QWidget(parent), m_model(model), m_row(row)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void ShapeBox::paintEvent(QPaintEvent *)
{
    const ControlState &state = m_model[m_row];
    QPainter p(this);
    p.fillRect(rect(), colourOf(state.back));
    p.setPen(colourOf(state.fore));
    p.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace angoli
