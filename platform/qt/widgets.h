// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/formmodel.h"

#include <array>

class QWidget;

namespace angoli
{

class ModelledRuntime;

// The window's controls, one widget for each row of the form model: each draws its row, and
// turns the player's input on it into the runtime's calls.
class WidgetSet
{
public:
    // Creates every control on parent, with its stacking and tab order.
    WidgetSet(ModelledRuntime &runtime, QWidget *parent);

    // A control by its row in layout::kControls; nullptr for the timer, which has no widget.
    QWidget *widget(std::size_t row) const { return m_widgets.at(row); }
    // Brings the control in step with its row of the model after a change.
    void show(std::size_t row, Change what) const;

private:
    const FormModel &m_model;
    std::array<QWidget *, FormModel::kRows> m_widgets{};
};

} // namespace angoli
