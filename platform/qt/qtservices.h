// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/formsruntime.h"

#include <QString>
#include <QTimer>
#include <functional>

namespace angoli
{

// What the Qt runtime takes from outside the window: main() hands in the real ones below,
// tests hand in scripted dialogs, ticks on demand, a fixed time and an End that unwinds.

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

// Seconds since midnight, as a Single.
class TimeOfDay
{
public:
    virtual ~TimeOfDay() = default;
    virtual float secondsSinceMidnight() = 0;
};

// Ends the program at once: nothing more of the running handler runs.
class ProgramEnd
{
public:
    virtual ~ProgramEnd() = default;
    [[noreturn]] virtual void End() = 0;
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

class SystemTimeOfDay final : public TimeOfDay
{
public:
    float secondsSinceMidnight() override;
};

// Flushes what is buffered and leaves at once, from whatever nested event loop the call comes;
// record files are already closed and synced by then.
class ProcessEnd final : public ProgramEnd
{
public:
    [[noreturn]] void End() override;
};

} // namespace angoli
