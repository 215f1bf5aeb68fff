#include "game/controls.h"

#include "game/caption.h"
#include "game/graphicbutton.h"
#include "game/look.h"

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

QPixmap picture(const char *path)
{
    return path ? QPixmap(QString::fromLatin1(path)) : QPixmap();
}

bool isWindowless(Kind kind)
{
    return kind == Kind::Label || kind == Kind::Shape || kind == Kind::Image;
}

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
} // namespace

QString ControlSet::key(const QString &name, int index)
{
    return index < 0 ? name : QStringLiteral("%1(%2)").arg(name).arg(index);
}

ControlSet::ControlSet(QWidget *parent)
{
    std::map<int, QWidget *> byTabIndex;
    QList<QWidget *> windowed;
    QList<QWidget *> windowless;
    for (const layout::Control &c : layout::controls()) {
        QWidget *w = create(c, parent);
        if (!w)
            continue;
        m_widgets.insert(key(QString::fromLatin1(c.name), c.index), w);
        (isWindowless(c.kind) ? windowless : windowed).append(w);
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

QWidget *ControlSet::create(const layout::Control &c, QWidget *parent)
{
    QWidget *w = nullptr;
    const QString caption = QString::fromUtf8(c.caption ? c.caption : "");
    switch (c.kind) {
    case Kind::GraphicOption:
    case Kind::GraphicButton: {
        auto *b = new GraphicButton(c.kind == Kind::GraphicOption, parent);
        b->setText(caption);
        b->setPicture(picture(c.picture));
        b->setBackColor(colourOf(c.backColor));
        b->setForeColor(colourOf(c.foreColor));
        w = b;
        break;
    }
    case Kind::RadioOption:
        w = new QRadioButton(caption, parent);
        break;
    case Kind::PushButton:
        w = new QPushButton(caption, parent);
        break;
    case Kind::Label: {
        auto *l = new CaptionLabel(c.flags, parent);
        l->setForeColor(colourOf(c.foreColor));
        l->setBackColor(colourOf(c.backColor));
        l->setAccessibleTexts(text(c.accessible.name), text(c.accessible.description));
        w = l;
        break;
    }
    case Kind::Shape:
        w = new ShapeBox(colourOf(c.foreColor), colourOf(c.backColor), parent);
        break;
    case Kind::Image:
    case Kind::PictureBox: {
        auto *l = new QLabel(parent);
        l->setPixmap(picture(c.picture));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        // A picture box can take the focus; the image cannot.
        l->setFocusPolicy(c.kind == Kind::PictureBox ? Qt::TabFocus : Qt::NoFocus);
        w = l;
        break;
    }
    case Kind::Timer:
        return nullptr;
    }
    w->setObjectName(key(QString::fromLatin1(c.name), c.index));
    w->setGeometry(c.left, c.top, c.width, c.height);
    w->setFont(fontOf(c.font));
    if (auto *l = qobject_cast<CaptionLabel *>(w))
        l->setCaption(caption); // after the font, so auto-size measures the right text
    if (c.tooltip)
        w->setToolTip(QString::fromUtf8(c.tooltip));
    if (!qobject_cast<CaptionLabel *>(w))
        describeOnce(w, c.accessible, caption);
    w->setEnabled(c.enabled);
    w->setVisible(c.visible);
    return w;
}

QWidget *ControlSet::widget(const QString &name, int index) const
{
    return m_widgets.value(key(name, index));
}

CaptionLabel *ControlSet::label(const QString &name, int index) const
{
    return qobject_cast<CaptionLabel *>(widget(name, index));
}

GraphicButton *ControlSet::button(const QString &name, int index) const
{
    return qobject_cast<GraphicButton *>(widget(name, index));
}

} // namespace angoli
