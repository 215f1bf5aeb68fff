// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/qt/qtservices.h"
#include "support/fakeruntime.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace angoli::qttest
{

// One dialog as the player saw it.
struct Shown {
    QString prompt;
    int style;
    QString title;
};

// Dialogs that answer from a script and record what they showed. onMessage runs while a message
// box is "open", to deliver events under it.
class ScriptedDialogs final : public Dialogs
{
public:
    void message(const QString &prompt, MsgStyle style, const QString &title) override;
    QString askText(const QString &prompt, const QString &title) override;

    QStringList names;     // answers to the input box, in order; "" is Cancel
    QList<Shown> messages; // every message box shown
    QList<Shown> inputs;   // every input box shown
    std::function<void(const Shown &)> onMessage;
};

class FakeTicks final : public TickSource
{
public:
    void setEnabled(bool enabled) override { m_enabled = enabled; }
    bool isEnabled() const override { return m_enabled; }
    // Delivers n ticks as the timer would while enabled.
    void fire(int n = 1);

private:
    bool m_enabled = false;
};

class FakeTime final : public TimeOfDay
{
public:
    float seconds = 43200.0f;
    float secondsSinceMidnight() override { return seconds; }
};

// End unwinds the running handler by throwing; tests catch ProgramEnded.
using test::ProgramEnded;

class ThrowingEnd final : public ProgramEnd
{
public:
    int calls = 0;
    [[noreturn]] void End() override
    {
        ++calls;
        throw ProgramEnded{};
    }
};

// Everything the Qt runtime takes from outside, faked.
struct FakeServices {
    ScriptedDialogs dialogs;
    FakeTicks timer;
    FakeTime time;
    ThrowingEnd end;
    QtServices services() { return {dialogs, timer, time, end}; }
};

} // namespace angoli::qttest
