// SPDX-License-Identifier: GPL-3.0-or-later
#include "gamefixture.h"

#include "platform/qt/caption.h"
#include "platform/qt/graphicbutton.h"

#include <QTest>

namespace angoli::qttest
{

void Game::load(const QString &name)
{
    world.dialogs.names = {name};
    form.Form_Load();
}

bool Game::startShown()
{
    load();
    window().show();
    window().activateWindow();
    return QTest::qWaitForWindowActive(&window());
}

QString Game::caption(Label label) const
{
    return this->label(label).caption();
}

CaptionLabel &Game::label(Label label) const
{
    return window().controls().label(label);
}

GraphicButton &Game::option(int index) const
{
    return static_cast<GraphicButton &>(
        window().controls().option(form::Option1.at(std::size_t(index))).button());
}

GraphicButton &Game::optionFor(int value) const
{
    return option(test::optionIndexFor(value));
}

QWidget *Game::control(const QString &name, int index) const
{
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        const layout::Control &c = layout::kControls[row];
        if (name == QLatin1String(c.name) && index == c.index)
            return window().controls().widget(row);
    }
    return nullptr;
}

void Game::press(std::initializer_list<int> values)
{
    for (int v : values)
        QTest::mouseClick(&optionFor(v), Qt::LeftButton);
}

float drawFor(int angle)
{
    return (float(angle) - 0.5f) / 359.0f;
}

} // namespace angoli::qttest
