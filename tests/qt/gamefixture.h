#pragma once

#include "game/form1.h"
#include "support/fakes.h"

#include <QTemporaryDir>
#include <memory>

namespace angoli::test
{

// A window on fakes with its own record directory.
struct Game {
    Game();
    FakeWorld world;
    QTemporaryDir records;
    std::unique_ptr<Form1> form;

    // Runs start-up with the given name typed into the name dialog.
    void load(const QString &name = QStringLiteral("Dode"));
    QString caption(const char *label, int index = -1) const;
    QByteArray fileBytes(const char *fileName) const;
    void writeFile(const char *fileName, const QByteArray &bytes) const;
    // Presses value buttons by caption, as the player would.
    void press(std::initializer_list<int> values);
};

// The index of the value button showing this value.
int optionIndexFor(int value);

} // namespace angoli::test
