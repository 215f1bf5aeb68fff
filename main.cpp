// The composition root: the real services, handed to the window.
#include "game/form1.h"
#include "platform/process.h"
#include "platform/qtservices.h"
#include "platform/random.h"
#include "records/systemdir.h"

#include <QApplication>
#include <QTimer>

int main(int argc, char *argv[])
{
    angoli::prepareProcess();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("angoli"));
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.angoli.Angoli"));
    QApplication::setStyle(new angoli::PlainDialogStyle);

    angoli::QtDialogs dialogs;
    angoli::QtTickSource timer;
    angoli::SystemTimeOfDay time;
    angoli::MixingRandom random;
    angoli::ProcessEnd end;
    const angoli::Services services{dialogs, timer, time, random, end, &angoli::GetSystemDir};

    angoli::Form1 form(services);
    form.Form_Load();
    form.show();
    QTimer::singleShot(0, &angoli::trimStartupMemory);
    return app.exec();
}
