// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/formsruntime.h"

#include <QProxyStyle>
#include <QString>
#include <QTimer>
#include <functional>

namespace angoli
{

// What the Qt runtime takes from outside the window: main() hands in the real ones below,
// tests hand in scripted dialogs, ticks on demand, a fixed time and an End that unwinds.
// Below them, what main() sets up for the whole process.

// Modal dialogs with one OK button, or a text field with OK and Annulla.
class Dialogs
{
public:
    virtual ~Dialogs() = default;
    virtual void message(const QString &prompt, MsgStyle style, const QString &title) = 0;
    // The typed text, or "" on Cancel.
    virtual QString askText(const QString &prompt, const QString &title) = 0;
};

// Timer1's ticks; the runtime sets onTick.
class TickSource
{
public:
    virtual ~TickSource() = default;
    virtual void setEnabled(bool enabled) = 0;
    virtual bool isEnabled() const = 0;
    std::function<void()> onTick;
};

// Seconds since midnight, as a Single: the system's clock unless overridden.
class TimeOfDay
{
public:
    virtual ~TimeOfDay() = default;
    virtual float secondsSinceMidnight();
};

// Ends the program at once: nothing more of the running handler runs. Unless overridden, it
// flushes what is buffered and leaves the process, from whatever nested event loop the call
// comes; record files are already closed and synced by then.
class ProgramEnd
{
public:
    virtual ~ProgramEnd() = default;
    [[noreturn]] virtual void End();
};

struct QtServices {
    Dialogs &dialogs;
    TickSource &timer;
    TimeOfDay &time;
    ProgramEnd &end;
};

// Real modal boxes: QMessageBox with one OK button, QInputDialog for text.
class QtDialogs final : public Dialogs
{
public:
    void message(const QString &prompt, MsgStyle style, const QString &title) override;
    QString askText(const QString &prompt, const QString &title) override;
};

// A QTimer: one tick per interval while enabled, also while a modal box is open.
class QtTickSource final : public TickSource
{
public:
    explicit QtTickSource(int intervalMs);
    void setEnabled(bool enabled) override;
    bool isEnabled() const override { return m_timer.isActive(); }

private:
    QTimer m_timer;
};

// Before QApplication exists: the clock repaints once a second, and with X's shared-memory
// images Qt makes an extra round trip to the server before each repaint, which wakes the game
// three times a second instead of once. Plain images cost nothing at this window's size.
// A choice made in the environment by the user is kept.
void prepareProcess();

// Once the window is up: hands the buffers freed after start-up (the decoded pictures) back
// to the system.
void trimStartupMemory();

// The desktop's style, without theme icons on dialog buttons: looking them up costs more than
// the rest of the name dialog.
class PlainDialogStyle final : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override;
};

} // namespace angoli
