#pragma once

#include "resources/layout.h"

#include <QHash>
#include <QList>
#include <QString>

class QWidget;

namespace angoli
{

class CaptionLabel;
class GraphicButton;

// The window's controls, made from the layout table and found by name.
class ControlSet
{
public:
    // Creates every control on parent with its properties, stacking and tab order.
    explicit ControlSet(QWidget *parent);

    QWidget *widget(const QString &name, int index = -1) const;
    CaptionLabel *label(const QString &name, int index = -1) const;
    GraphicButton *button(const QString &name, int index = -1) const;
    GraphicButton *option(int index) const { return button(QStringLiteral("Option1"), index); }
    // Focusable controls in tab order.
    const QList<QWidget *> &tabOrder() const { return m_tabOrder; }

    static QString key(const QString &name, int index);

private:
    QWidget *create(const layout::Control &control, QWidget *parent);
    QHash<QString, QWidget *> m_widgets;
    QList<QWidget *> m_tabOrder;
};

} // namespace angoli
