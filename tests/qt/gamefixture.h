// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/controls.h"
#include "platform/qt/gamewindow.h"
#include "platform/qt/qtformsruntime.h"
#include "qtfakes.h"
#include "support/game.h"

#include <QImage>
#include <initializer_list>

namespace angoli
{
class CaptionLabel;
class GraphicButton;
} // namespace angoli

namespace angoli::qttest
{

using test::drawFor;

// Everything the Qt runtime takes from outside, made before the runtime that uses it.
struct World {
    FakeServices world;
};

// The game in its Qt window, on scripted dialogs, fake ticks and records in memory.
struct Game : World, test::GameOn<QtFormsRuntime> {
    Game() : GameOn(world.services()) {}

    GameWindow &window() const { return ui.window(); }
    // Runs start-up with the given name typed into the name dialog.
    void load(const QString &name = QStringLiteral("Dode"));
    // Start-up, then the window shown and active, as the player first sees it.
    bool startShown();
    QString caption(Label label) const { return QString::fromStdString(ui.Caption(label)); }
    // A control's widget by its row; nullptr for the timer.
    QWidget *widget(std::size_t row) const { return window().widgets().widget(row); }
    // What the window draws a control from.
    const ControlState &state(std::size_t row) const { return ui.model()[row]; }
    CaptionLabel &label(Label label) const;
    // Option1(index).
    GraphicButton &option(int index) const;
    // The value button showing this value.
    GraphicButton &optionFor(int value) const;
    // A control by its layout name; nullptr when there is none.
    QWidget *control(const QString &name, int index = -1) const;
    // The row of a control's widget; layout::kControls.size() for none.
    std::size_t rowOf(const QWidget *w) const;
    // Clicks value buttons by their values with the mouse, as the player would.
    void press(std::initializer_list<int> values);
};

// What a widget paints itself, over nothing (ARGB32): where it paints nothing, what lies
// beneath it would show.
QImage paintedAlone(QWidget &w);

// The row of a control by its layout name; layout::kControls.size() when there is none.
std::size_t rowNamed(const QString &name, int index = -1);

} // namespace angoli::qttest
