// One game that ends the way the real program ends: scripted dialogs and a
// scripted clock, but the real ProcessEnd, so the end of the game is the end
// of this process. tst_endprocess runs it and checks what it printed, its
// exit status and the record files it left.
//
// Usage: endprocess_child UNDER DIR
//   UNDER: the box under which the clock runs out: "verdict", "farewell" or
//          "record" (the record message)
//   DIR:   the record directory
// Every message box is printed as a line "box: PROMPT" when it opens.

#include "game/form1.h"
#include "game/graphicbutton.h"
#include "platform/qtservices.h"
#include "support/fakes.h"
#include "support/gamefixture.h"

#include <QApplication>

#include <cstdio>

using namespace angoli;
using namespace angoli::test;

namespace
{

constexpr int kRightAnswers = 3; // the score the game reaches before the clock runs out
constexpr int kTicksToTheEnd = 901;
constexpr int kTicksPastTheEnd = 1000; // more than enough to end the game twice over
constexpr int kWentOn = 3;             // exit status: something ran after the exit
constexpr int kUsage = 2;
constexpr float kAngleDraw = 136.5f / 359.0f; // every question shows 137: the answer is 223
// The value buttons from the largest down, to build any answer greedily.
constexpr int kValues[] = {270, 180, 100, 90, 50, 30, 10, 9, 5, 2, 1};

void print(const QString &line)
{
    std::fputs(qPrintable(line + u'\n'), stdout); // buffered: End must flush it
}

// Clicks value buttons up to the expected answer, then "Verifica".
void answerRight(Form1 &form)
{
    int left = form.state().esplementare;
    for (const int value : kValues) {
        while (left >= value) {
            form.Option1_Click(optionIndexFor(value));
            left -= value;
        }
    }
    form.cmdverifica_Click();
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 3)
        return kUsage;
    const QString under = QString::fromLocal8Bit(argv[1]);
    const QString dir = QString::fromLocal8Bit(argv[2]) + u'/';

    ScriptedDialogs dialogs;
    FakeTicks timer;
    FakeTime time;
    FakeRandom random;
    random.fallback = kAngleDraw;
    ProcessEnd end;
    const Services services{dialogs, timer, time, random, end, [&] { return dir; }};
    Form1 form(services);

    bool armed = false;
    dialogs.onMessage = [&](const Shown &shown) {
        print(QStringLiteral("box: ") + shown.prompt);
        if (!armed)
            return;
        const bool verdict = shown.prompt.startsWith(QLatin1String("Fai attenzione"));
        const bool farewell = shown.prompt.startsWith(QLatin1String("Ciao a presto"));
        const bool record = shown.prompt.startsWith(QLatin1String("Ok ho registrato"));
        if ((under == QLatin1String("verdict") && verdict) ||
            (under == QLatin1String("farewell") && farewell) ||
            (under == QLatin1String("record") && record)) {
            armed = false; // the ticks come under this one box only
            timer.fire(verdict ? kTicksToTheEnd : kTicksPastTheEnd);
            print(QStringLiteral("ticks delivered"));
        }
    };

    dialogs.names = {QStringLiteral("Dode")};
    form.Form_Load();
    for (int i = 0; i < kRightAnswers; ++i)
        answerRight(form);
    armed = true;
    if (under == QLatin1String("verdict")) {
        // A wrong answer: its verdict box is open when the clock runs out.
        form.cmdverifica_Click();
    } else {
        form.Cmdexit1_Click();
    }
    print(QStringLiteral("the game went on after the exit"));
    return kWentOn;
}
