// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/controls.h"

#include "platform/qt/caption.h"
#include "platform/qt/graphicbutton.h"
#include "platform/qt/look.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>
#include <map>

namespace angoli
{

namespace
{
using layout::Kind;

QString text(const char *utf8)
{
    return QString::fromUtf8(utf8 ? utf8 : "");
}

// Only labels change their caption: the spoken texts of every other control are filled in once.
void describeOnce(QWidget *w, const layout::Accessible &a, const QString &caption)
{
    const QString mark = QStringLiteral("%1");
    if (a.name)
        w->setAccessibleName(text(a.name).replace(mark, caption));
    if (a.description)
        w->setAccessibleDescription(text(a.description).replace(mark, caption));
}

// The hidden "0": a plain option button.
class PlainOption final : public QRadioButton, public OptionControl
{
public:
    PlainOption(const QString &caption, QWidget *parent) : QRadioButton(caption, parent) {}
    QAbstractButton &button() override { return *this; }
    void setValue(bool value) override { setChecked(value); }
    void setBackColor(const QColor &colour) override { recolour(QPalette::Window, colour); }
    void setForeColor(const QColor &colour) override { recolour(QPalette::WindowText, colour); }

private:
    void recolour(QPalette::ColorRole role, const QColor &colour)
    {
        QPalette p = palette();
        p.setColor(role, colour);
        setPalette(p);
    }
};

QWidget *create(const layout::Control &c, QWidget *parent, OptionControl *&option)
{
    const QString caption = text(c.caption);
    switch (c.kind) {
    case Kind::GraphicOption:
    case Kind::GraphicButton: {
        auto *b = new GraphicButton(c.kind == Kind::GraphicOption, parent);
        b->setText(caption);
        b->setPicture(QPixmap(picturePath(c.picture)));
        b->setBackColor(colourOf(c.backColor));
        b->setForeColor(colourOf(c.foreColor));
        if (c.kind == Kind::GraphicOption)
            option = b;
        return b;
    }
    case Kind::RadioOption: {
        auto *b = new PlainOption(caption, parent);
        option = b;
        return b;
    }
    case Kind::PushButton:
        return new QPushButton(caption, parent);
    case Kind::Label: {
        auto *l = new CaptionLabel(c.flags, parent);
        l->setForeColor(colourOf(c.foreColor));
        l->setBackColor(colourOf(c.backColor));
        l->setAccessibleTexts(text(c.accessible.name), text(c.accessible.description));
        return l;
    }
    case Kind::Shape:
        return new ShapeBox(colourOf(c.foreColor), colourOf(c.backColor), parent);
    case Kind::Image:
    case Kind::PictureBox: {
        auto *l = new QLabel(parent);
        l->setPixmap(QPixmap(picturePath(c.picture)));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // A picture box can take the focus; the image cannot.
        l->setFocusPolicy(c.kind == Kind::PictureBox ? Qt::TabFocus : Qt::NoFocus);
        return l;
    }
    case Kind::Timer:
        break;
    }
    return nullptr;
}

void setUp(QWidget *w, const layout::Control &c)
{
    const QString caption = text(c.caption);
    w->setObjectName(c.index < 0
                         ? QLatin1String(c.name)
                         : QStringLiteral("%1(%2)").arg(QLatin1String(c.name)).arg(c.index));
    w->setGeometry(c.left, c.top, c.width, c.height);
    w->setFont(fontOf(c.font));
    auto *label = qobject_cast<CaptionLabel *>(w);
    if (label)
        label->setCaption(caption); // after the font, so auto-size measures the right text
    else
        describeOnce(w, c.accessible, caption);
    if (c.tooltip)
        w->setToolTip(QString::fromUtf8(c.tooltip));
    w->setEnabled(c.enabled);
    w->setVisible(c.visible);
}
} // namespace

ControlSet::ControlSet(QWidget *parent)
{
    std::map<int, QWidget *> byTabIndex;
    QList<QWidget *> windowed;
    QList<QWidget *> windowless;
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        const layout::Control &c = layout::kControls[row];
        QWidget *w = create(c, parent, m_options[row]);
        if (!w)
            continue; // the timer
        setUp(w, c);
        m_widgets[row] = w;
        (layout::isWindowless(c.kind) ? windowless : windowed).append(w);
        if (c.tabIndex >= 0 && w->focusPolicy() != Qt::NoFocus)
            byTabIndex[c.tabIndex] = w;
    }
    // The table lists each group front to back: raise from the back, windowless first,
    // so every button lies in front of every label and shape.
    std::for_each(windowless.rbegin(), windowless.rend(), [](QWidget *w) { w->raise(); });
    std::for_each(windowed.rbegin(), windowed.rend(), [](QWidget *w) { w->raise(); });

    for (const auto &[tab, w] : byTabIndex)
        m_tabOrder.append(w);
    for (qsizetype i = 1; i < m_tabOrder.size(); ++i)
        QWidget::setTabOrder(m_tabOrder[i - 1], m_tabOrder[i]);
}

// Handles are rows of controls of their kind (resources/handles.h), so these casts hold.
CaptionLabel &ControlSet::label(Label label) const
{
    return static_cast<CaptionLabel &>(*m_widgets[label.row]);
}

OptionControl &ControlSet::option(OptionButton button) const
{
    return *m_options[button.row];
}

} // namespace angoli
