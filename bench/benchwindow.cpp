#include "benchwindow.h"

#include "paintmeter.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace angoli::bench
{

namespace
{
constexpr int kPaintTimeoutMs = 5000;
} // namespace

BenchWindow::BenchWindow(const QString &recordDir)
{
    world.dir = recordDir;
    form = std::make_unique<Form1>(world.services());
}

void BenchWindow::load()
{
    world.dialogs.names = {QStringLiteral("Bench")};
    form->Form_Load();
}

void BenchWindow::showAndPaint()
{
    const PaintMeter meter(form.get());
    form->show();
    const QDeadlineTimer deadline(kPaintTimeoutMs);
    while (meter.paints() == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace angoli::bench
