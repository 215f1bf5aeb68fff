// SPDX-License-Identifier: GPL-3.0-or-later
#include "benchwindow.h"

#include "paintmeter.h"
#include "platform/qt/gamewindow.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

namespace angoli::bench
{

namespace
{
constexpr int kPaintTimeoutMs = 5000;
} // namespace

void BenchWindow::load()
{
    world.dialogs.names = {QStringLiteral("Bench")};
    form.Form_Load();
}

void BenchWindow::showAndPaint()
{
    const PaintMeter meter(&window());
    window().show();
    const QDeadlineTimer deadline(kPaintTimeoutMs);
    while (meter.paints() == 0 && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

} // namespace angoli::bench
