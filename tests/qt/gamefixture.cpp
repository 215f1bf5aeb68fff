#include "support/gamefixture.h"

#include "game/caption.h"
#include "game/graphicbutton.h"
#include "support/files.h"

#include <QTest>

namespace angoli::test
{

Game::Game()
{
    world.dir = records.path() + QLatin1Char('/');
    form = std::make_unique<Form1>(world.services());
}

void Game::load(const QString &name)
{
    world.dialogs.names = {name};
    form->Form_Load();
}

QString Game::caption(const char *label, int index) const
{
    return form->lbl(label, index)->caption();
}

QByteArray Game::fileBytes(const char *fileName) const
{
    return bytesOf(records.filePath(QString::fromLatin1(fileName)));
}

void Game::writeFile(const char *fileName, const QByteArray &bytes) const
{
    writeBytes(records.filePath(QString::fromLatin1(fileName)), bytes);
}

int optionIndexFor(int value)
{
    constexpr int kValues[] = {0, 1, 2, 5, 9, 10, 30, 50, 100, 90, 180, 270};
    for (int i = 1; i < 12; ++i) {
        if (kValues[i] == value)
            return i;
    }
    return -1;
}

void Game::press(std::initializer_list<int> values)
{
    for (int v : values) {
        GraphicButton *b = form->controls().option(optionIndexFor(v));
        QTest::mouseClick(b, Qt::LeftButton);
    }
}

} // namespace angoli::test
