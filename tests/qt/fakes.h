#pragma once

#include "platform/services.h"

#include <QList>
#include <QStringList>
#include <functional>

namespace angoli::test
{

// One message box as the player saw it.
struct Shown {
    QString prompt;
    int style;
    QString title;
};

// Dialogs that answer from a script and record what they showed. onMessage
// runs while a message box is "open", to deliver events under it.
class ScriptedDialogs final : public Dialogs
{
public:
    QStringList names;     // answers to the input box, in order; "" is Cancel
    QList<Shown> messages; // every message box shown
    QList<Shown> inputs;   // every input box shown
    std::function<void(const Shown &)> onMessage;

protected:
    void showMessage(const QString &prompt, int style, const QString &title) override;
    QString askText(const QString &prompt, const QString &title) override;
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

// Draws from a queue when one is given, else from a fixed value; records seeds.
class FakeRandom final : public RandomSource
{
public:
    QList<float> draws;
    float fallback = 0.5f;
    QList<float> seeds;
    void Randomize(float seed) override { seeds.append(seed); }
    float Rnd() override { return draws.isEmpty() ? fallback : draws.takeFirst(); }
};

// End unwinds the running handler by throwing; tests catch ProgramEnded.
struct ProgramEnded {
};

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

// A complete set of fakes with a record directory of the test's choosing.
struct FakeWorld {
    ScriptedDialogs dialogs;
    FakeTicks timer;
    FakeTime time;
    FakeRandom random;
    ThrowingEnd end;
    QString dir;
    Services services()
    {
        return {dialogs, timer, time, random, end, [this] { return dir; }};
    }
};

} // namespace angoli::test
