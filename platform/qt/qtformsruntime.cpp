// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/qtformsruntime.h"

#include "platform/qt/caption.h"
#include "platform/qt/gamewindow.h"
#include "platform/qt/process.h"
#include "platform/qt/qtcolour.h"
#include "runtime/processend.h"

#include <QApplication>
#include <QMenu>
#include <QTimer>

namespace angoli
{

namespace
{
constexpr std::size_t kVerifica = layout::rowOf("cmdverifica", -1);
constexpr std::size_t kEsci = layout::rowOf("Cmdexit1", -1);
constexpr std::size_t kTimer1 = layout::rowOf("Timer1", -1);
// Long enough for the name dialog's first paint to reach the screen before the window is made.
constexpr int kMakeWindowDelayMs = 100;

QString qs(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), qsizetype(utf8.size()));
}

// Where the window's events go while no game is attached.
class NoEvents final : public FormEvents
{
public:
    void Form_Load() override {}
    void Option1_Click(int) override {}
    void Option1_GotFocus(int) override {}
    void cmdverifica_Click() override {}
    void Cmdexit1_Click() override {}
    void help_Click() override {}
    void Menu_Click(MenuCommand) override {}
    void Timer1_Timer() override {}
};
NoEvents g_noEvents;
} // namespace

struct QtFormsRuntime::SystemServices {
    QtDialogs dialogs;
    QtTickSource timer{layout::kTimerIntervalMs};
    SystemTimeOfDay time;
    ProcessEnd end;
};

QtFormsRuntime::QtFormsRuntime()
    : m_system(std::make_unique<SystemServices>()), m_services{m_system->dialogs, m_system->timer,
                                                               m_system->time, m_system->end},
      m_events(&g_noEvents)
{
    startTimer1();
}

QtFormsRuntime::QtFormsRuntime(const QtServices &services, MakeWindow when)
    : m_services(services), m_events(&g_noEvents)
{
    startTimer1();
    if (when == MakeWindow::Now)
        makeWindow();
}

QtFormsRuntime::~QtFormsRuntime()
{
    m_services.timer.setEnabled(false);
    m_services.timer.onTick = nullptr;
}

// Timer1 is enabled when the window is created, as laid out; start-up stops it at once.
void QtFormsRuntime::startTimer1()
{
    m_services.timer.onTick = [this] {
        // Start-up stops the timer before it asks the name, so a tick without a window could
        // only come from an event loop run before start-up: there is nothing to count then.
        if (m_window)
            m_events->Timer1_Timer();
    };
    m_services.timer.setEnabled(layout::kControls[kTimer1].enabled);
}

void QtFormsRuntime::makeWindow()
{
    m_window = std::make_unique<GameWindow>();
    connectWindow();
}

void QtFormsRuntime::connectWindow()
{
    const ControlSet &controls = m_window->controls();
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        const layout::Control &c = layout::kControls[row];
        if (c.kind != layout::Kind::GraphicOption)
            continue;
        auto &b = static_cast<GraphicButton &>(*controls.widget(row));
        const int index = c.index;
        QObject::connect(&b, &GraphicButton::selected, &b,
                         [this, index] { m_events->Option1_Click(index); });
        QObject::connect(&b, &GraphicButton::focusGained, &b,
                         [this, index] { m_events->Option1_GotFocus(index); });
    }
    QObject::connect(&controls.graphicButton<kVerifica>(), &QAbstractButton::clicked,
                     m_window.get(), [this] { m_events->cmdverifica_Click(); });
    QObject::connect(&controls.graphicButton<kEsci>(), &QAbstractButton::clicked, m_window.get(),
                     [this] { m_events->Cmdexit1_Click(); });
    // Opening the menu shows the instruction before the list drops down.
    QObject::connect(&m_window->helpMenu(), &QMenu::aboutToShow, m_window.get(),
                     [this] { m_events->help_Click(); });
    for (std::uint8_t row = 1; row < layout::kMenu.size(); ++row) {
        QObject::connect(&m_window->menuItem(MenuCommand{row}), &QAction::triggered, m_window.get(),
                         [this, row] { m_events->Menu_Click(MenuCommand{row}); });
    }
}

void QtFormsRuntime::attach(FormEvents &events)
{
    m_events = &events;
}

int QtFormsRuntime::run(FormEvents &events)
{
    attach(events);
    events.Form_Load();
    m_window->show();
    QTimer::singleShot(0, &trimStartupMemory);
    return QApplication::exec();
}

std::string QtFormsRuntime::Caption(Label label) const
{
    return m_window->controls().label(label).caption().toStdString();
}

void QtFormsRuntime::setCaption(Label label, std::string_view text)
{
    m_window->controls().label(label).setCaption(qs(text));
}

std::string QtFormsRuntime::Caption(OptionButton button) const
{
    return m_window->controls().option(button).button().text().toStdString();
}

void QtFormsRuntime::setValue(OptionButton button, bool value)
{
    m_window->controls().option(button).setValue(value);
}

void QtFormsRuntime::setBackColor(OptionButton button, Colour colour)
{
    m_window->controls().option(button).setBackColor(toQColor(colour));
}

void QtFormsRuntime::setForeColor(OptionButton button, Colour colour)
{
    m_window->controls().option(button).setForeColor(toQColor(colour));
}

void QtFormsRuntime::setVisible(OptionButton button, bool visible)
{
    m_window->controls().option(button).button().setVisible(visible);
}

void QtFormsRuntime::setEnabled(OptionButton button, bool enabled)
{
    m_window->controls().option(button).button().setEnabled(enabled);
}

DrawingSurface &QtFormsRuntime::surface()
{
    return m_window->surface();
}

void QtFormsRuntime::MsgBox(std::string_view prompt, MsgStyle style, std::string_view title)
{
    m_services.dialogs.message(qs(prompt), style, qs(title));
}

std::string QtFormsRuntime::InputBox(std::string_view prompt, std::string_view title)
{
    if (m_window)
        return m_services.dialogs.askText(qs(prompt), qs(title)).toStdString();
    // The window is made while the player types; for a player quicker than that, right after.
    QTimer whileAsking;
    whileAsking.setSingleShot(true);
    QObject::connect(&whileAsking, &QTimer::timeout, [this] { makeWindow(); });
    whileAsking.start(kMakeWindowDelayMs);
    const QString answer = m_services.dialogs.askText(qs(prompt), qs(title));
    if (!m_window)
        makeWindow();
    return answer.toStdString();
}

void QtFormsRuntime::setTimerEnabled(bool enabled)
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
