// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/widgets.h"

#include "game/modelledruntime.h"
#include "platform/qt/caption.h"
#include "platform/qt/graphicbutton.h"
#include "platform/qt/look.h"

#include <QLabel>
#include <algorithm>

namespace angoli
{

namespace
{
using layout::Kind;

// Screen readers announce every change of these texts: make only real ones.
void speak(QWidget &w, const SpokenTexts &texts)
{
    const QString name = QString::fromStdString(texts.name);
    const QString description = QString::fromStdString(texts.description);
    if (name != w.accessibleName())
        w.setAccessibleName(name);
    if (description != w.accessibleDescription())
        w.setAccessibleDescription(description);
}

QWidget *create(ModelledRuntime &runtime, std::size_t row, QWidget *parent)
{
    const FormModel &model = runtime.model();
    switch (layout::kControls[row].kind) {
    case Kind::GraphicOption:
    case Kind::RadioOption:
    case Kind::GraphicButton:
    case Kind::PushButton: {
        // Every button draws its row; those the player never sees (the hidden "0", the buttons
        // behind the value buttons) need no look of their own.
        auto *b = new GraphicButton(model, row, parent);
        QObject::connect(b, &QAbstractButton::clicked, b, [&runtime, row] { runtime.press(row); });
        QObject::connect(b, &GraphicButton::focusGained, b,
                         [&runtime, row] { runtime.gotFocus(row); });
        return b;
    }
    case Kind::Label:
        return new CaptionLabel(model, row, parent);
    case Kind::Shape:
        return new ShapeBox(model, row, parent);
    case Kind::Image:
    case Kind::PictureBox: {
        auto *l = new QLabel(parent);
        l->setPixmap(QPixmap(picturePath(model.picture(row))));
        l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        l->setFocusPolicy(form::isFocusable(row) ? Qt::TabFocus : Qt::NoFocus);
        return l;
    }
    case Kind::Timer:
        break;
    }
    return nullptr;
}

void setUp(QWidget &w, std::size_t row, const FormModel &model)
{
    const layout::Control &c = layout::kControls[row];
    const ControlState &state = model[row];
    w.setObjectName(c.index < 0 ? QLatin1String(c.name)
                                : QStringLiteral("%1(%2)").arg(QLatin1String(c.name)).arg(c.index));
    w.setGeometry(c.left, c.top, state.width, state.height);
    w.setFont(fontOf(c.font));
    if (c.tooltip)
        w.setToolTip(QString::fromUtf8(c.tooltip));
    if (const int pointer = form::cursor(row))
        w.setCursor(QCursor(QPixmap(picturePath(pointer))));
    speak(w, model.spoken(row));
    w.setEnabled(state.enabled);
    w.setVisible(state.visible);
}
} // namespace

WidgetSet::WidgetSet(ModelledRuntime &runtime, QWidget *parent) : m_model(runtime.model())
{
    QList<QWidget *> windowed;
    QList<QWidget *> windowless;
    for (std::size_t row = 0; row < FormModel::kRows; ++row) {
        QWidget *w = create(runtime, row, parent);
        if (!w)
            continue; // the timer
        setUp(*w, row, m_model);
        m_widgets[row] = w;
        (layout::isWindowless(layout::kControls[row].kind) ? windowless : windowed).append(w);
    }
    // The table lists each group front to back: raise from the back, windowless first,
    // so every button lies in front of every label and shape.
    std::for_each(windowless.rbegin(), windowless.rend(), [](QWidget *w) { w->raise(); });
    std::for_each(windowed.rbegin(), windowed.rend(), [](QWidget *w) { w->raise(); });
    for (std::size_t i = 1; i < form::kTabOrder.size(); ++i)
        QWidget::setTabOrder(m_widgets[form::kTabOrder[i - 1]], m_widgets[form::kTabOrder[i]]);
}

void WidgetSet::show(std::size_t row, Change what) const
{
    QWidget *w = m_widgets[row];
    if (!w)
        return;
    const ControlState &state = m_model[row];
    switch (what) {
    case Change::Visible:
        w->setVisible(state.visible);
        break;
    case Change::Enabled:
        w->setEnabled(state.enabled); // repaints: the picture may follow (Command2's)
        break;
    case Change::Size:
        w->resize(state.width, state.height);
        break;
    case Change::Caption:
        speak(*w, m_model.spoken(row));
        w->update();
        break;
    case Change::Colours:
    case Change::Value:
        w->update();
        break;
    }
}

} // namespace angoli
