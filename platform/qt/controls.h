// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qt/graphicbutton.h"
#include "resources/handles.h"

#include <QList>
#include <array>

class QWidget;

namespace angoli
{

class CaptionLabel;

// The window's controls, made from the layout table and kept by their row in it, so a handle
// reaches its widget without a lookup.
class ControlSet
{
public:
    // Creates every control on parent with its properties, stacking and tab order.
    explicit ControlSet(QWidget *parent);

    CaptionLabel &label(Label label) const;
    OptionControl &option(OptionButton button) const;
    // A control by its row in layout::kControls; nullptr for the timer, which has no widget.
    QWidget *widget(std::size_t row) const { return m_widgets.at(row); }
    // A graphical button by its row (a value button, Verifica, Esci or Nuova nota).
    template <std::size_t Row> GraphicButton &graphicButton() const
    {
        constexpr layout::Kind kind = layout::kControls[Row].kind;
        static_assert(kind == layout::Kind::GraphicButton || kind == layout::Kind::GraphicOption);
        return static_cast<GraphicButton &>(*m_widgets[Row]);
    }
    // Focusable controls in tab order.
    const QList<QWidget *> &tabOrder() const { return m_tabOrder; }

private:
    std::array<QWidget *, layout::kControls.size()> m_widgets{};
    std::array<OptionControl *, layout::kControls.size()> m_options{};
    QList<QWidget *> m_tabOrder;
};

} // namespace angoli
