// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qtformsruntime.h"

#include "platform/qt/caption.h"
#include "platform/qt/gamewindow.h"
#include "runtime/processend.h"

#include <QApplication>

namespace angoli
{

struct QtFormsRuntime::SystemServices {
    QtDialogs dialogs;
    QtTickSource timer{layout::kTimerIntervalMs};
    TimeOfDay time;
    ProgramEnd end;
};

QtFormsRuntime::QtFormsRuntime()
    : m_system(std::make_unique<SystemServices>()), m_services{m_system->dialogs, m_system->timer,
                                                               m_system->time, m_system->end}
{
    start();
}

QtFormsRuntime::QtFormsRuntime(const QtServices &services, MakeWindow when) : m_services(services)
{
    start();
    if (when == MakeWindow::Now)
        makeWindowNow();
}

QtFormsRuntime::~QtFormsRuntime()
{
    m_services.timer.setEnabled(false);
    m_services.timer.onTick = nullptr;
}

void QtFormsRuntime::start()
{
    m_services.timer.onTick = [this] { tick(); };
    runTimer(model().timerEnabled()); // as laid out; start-up stops it at once
    m_makeWindowSoon.setSingleShot(true);
    QObject::connect(&m_makeWindowSoon, &QTimer::timeout, [this] { makeWindowNow(); });
}

int QtFormsRuntime::run(FormEvents &events)
{
    attach(events);
    events.Form_Load();
    makeWindowNow(); // start-up made it while asking the name; had it not asked, now
    m_window->show();
    QTimer::singleShot(0, &trimStartupMemory);
    return QApplication::exec();
}

void QtFormsRuntime::makeWindow()
{
    m_window = std::make_unique<GameWindow>(*this);
    for (std::size_t row = 0; row < FormModel::kRows; ++row)
        fit(row);
}

void QtFormsRuntime::makeWindowAfter(std::chrono::milliseconds delay)
{
    m_makeWindowSoon.start(delay);
}

void QtFormsRuntime::fit(std::size_t row)
{
    const auto *label = qobject_cast<const CaptionLabel *>(m_window->widgets().widget(row));
    if (label && label->isAutoSize()) {
        const QSize size = label->fittedSize();
        fitTo(row, size.width(), size.height());
    }
}

void QtFormsRuntime::changed(std::size_t row, Change what)
{
    if (!m_window)
        return; // it is made from the model as it is then
    if (what == Change::Caption)
        fit(row);
    m_window->widgets().show(row, what);
}

DrawingSurface &QtFormsRuntime::surface()
{
    return m_window->surface();
}

void QtFormsRuntime::MsgBox(std::string_view prompt, MsgStyle style, std::string_view title)
{
    m_services.dialogs.message(QString::fromUtf8(prompt), style, QString::fromUtf8(title));
}

std::string QtFormsRuntime::askText(std::string_view prompt, std::string_view title)
{
    return m_services.dialogs.askText(QString::fromUtf8(prompt), QString::fromUtf8(title))
        .toStdString();
}

void QtFormsRuntime::runTimer(bool enabled)
{
    m_services.timer.setEnabled(enabled);
}

void QtFormsRuntime::Beep()
{
    QApplication::beep();
}

float QtFormsRuntime::secondsSinceMidnight()
{
    return m_services.time.secondsSinceMidnight();
}

void QtFormsRuntime::End()
{
    m_services.end.End();
    endProcess(); // a virtual call is not known not to return
}

} // namespace angoli
