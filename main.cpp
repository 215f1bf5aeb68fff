// SPDX-License-Identifier: GPL-3.0-or-later
// The composition root: the Qt forms runtime, the random source and the record folder, handed to
// the game.
#include "game/form1.h"
#include "platform/posix/posixrecordfolder.h"
#include "platform/qt/qtformsruntime.h"
#include "platform/qt/qtservices.h"
#include "runtime/random.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    angoli::prepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("angoli"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.angoli.Angoli"));
    QApplication::setStyle(new angoli::PlainDialogStyle);

    angoli::QtFormsRuntime ui;
    angoli::MixingRandom random;
    // The package's shared folder when it is set up, else the player's own.
    angoli::PosixRecordFolder records;
    angoli::Form1 form(ui, random, records);
    return ui.run(form);
}
