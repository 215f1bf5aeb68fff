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

CaptionLabel &Game::label(Label label) const
{
    return static_cast<CaptionLabel &>(*widget(label.row));
}

GraphicButton &Game::option(int index) const
{
    return static_cast<GraphicButton &>(*widget(form::Option1.at(std::size_t(index)).row));
}

GraphicButton &Game::optionFor(int value) const
{
    return option(test::optionIndexFor(value));
}

QWidget *Game::control(const QString &name, int index) const
{
    const std::size_t row = rowNamed(name, index);
    return row < layout::kControls.size() ? widget(row) : nullptr;
}

std::size_t Game::rowOf(const QWidget *w) const
{
    std::size_t row = 0;
    while (row < layout::kControls.size() && widget(row) != w)
        ++row;
    return row;
}

void Game::press(std::initializer_list<int> values)
{
    for (int v : values)
        QTest::mouseClick(&optionFor(v), Qt::LeftButton);
}

QImage paintedAlone(QWidget &w)
{
    QImage image(w.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    w.render(&image, QPoint(), QRegion(), QWidget::RenderFlags());
    return image;
}

std::size_t rowNamed(const QString &name, int index)
{
    std::size_t row = 0;
    while (row < layout::kControls.size() && !(name == QLatin1String(layout::kControls[row].name) &&
                                               index == layout::kControls[row].index))
        ++row;
    return row;
}

} // namespace angoli::qttest
