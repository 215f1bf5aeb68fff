// SPDX-License-Identifier: GPL-3.0-or-later
// Wall time of the game's handlers in the Qt window, in process on the offscreen platform, once
// per scale factor (see scaleruns.h).
#include "benchwindow.h"
#include "paintmeter.h"
#include "samples.h"
#include "scaleruns.h"

#include "game/controls.h"
#include "platform/qt/gamewindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace angoli;
using namespace angoli::bench;

namespace
{

// The offscreen platform says so at every show of a fixed-size window.
constexpr char kOffscreenNoise[] = "This plugin does not support propagateSizeHints()";
QtMessageHandler g_testLog = nullptr;

void dropOffscreenNoise(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message == QLatin1String(kOffscreenNoise))
        return;
    g_testLog(type, context, message);
}

enum class Step { Construct, Load, FirstPaint };
enum class Handler { Option1, Verifica, Command1, Timer };

// The median needs more calls than QBENCHMARK may make for the slow rows.
constexpr int kMinSamples = 31;
constexpr int kValueButtons = 11;
// Totals are 16-bit: start again well before a click would be refused.
constexpr std::int16_t kTotalLimit = 30000;
// The tick that finds the clock at zero ends the game: start again well before.
constexpr std::int16_t kMinutesLeft = 2;
constexpr int kMessagesKept = 1000;
constexpr int kTicksChecked = 5;

} // namespace

Q_DECLARE_METATYPE(Step)
Q_DECLARE_METATYPE(Handler)

class BenchHandlers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void startUp_data();
    void startUp();
    void handlers_data();
    void handlers();
    void clockTickRepaintsOnlyTheClock();
    void cleanupTestCase();

private:
    void prepare(Handler handler, BenchWindow &w);
    void call(Handler handler, BenchWindow &w);

    QTemporaryDir m_records;
    double m_scale = 1;
    int m_nextOption = 1;
    Summary m_summary;
};

void BenchHandlers::initTestCase()
{
    // QtTest's own handler is in place by now: pass everything else on to it.
    g_testLog = qInstallMessageHandler(dropOffscreenNoise);
    QVERIFY(m_records.isValid());
    // The game's private record folder lands in it.
    qputenv("XDG_DATA_HOME", QFile::encodeName(m_records.path()));
    m_scale = qApp->devicePixelRatio();
    std::printf("scale factor %g (QT_SCALE_FACTOR=%s), platform %s\n", m_scale,
                qgetenv("QT_SCALE_FACTOR").constData(), qPrintable(qApp->platformName()));
    // The first window pays for fonts, pictures and styles once; the rows measure what follows.
    BenchWindow warmUp;
    warmUp.load();
    warmUp.showAndPaint();
}

void BenchHandlers::startUp_data()
{
    QTest::addColumn<Step>("step");
    QTest::addRow("window creation: the runtime, its window and Form1 @%gx", m_scale)
        << Step::Construct;
    QTest::addRow("Form_Load, scripted dialogs @%gx", m_scale) << Step::Load;
    QTest::addRow("first paint: show until flushed @%gx", m_scale) << Step::FirstPaint;
}

void BenchHandlers::startUp()
{
    // Each call needs a window that has not started yet: QBENCHMARK's own figure covers the
    // whole cycle (build, start, show, destroy) up to the step of the row, while the median
    // printed at the end times that step alone.
    QFETCH(Step, step);
    Samples samples;
    QElapsedTimer clock;
    const auto once = [&] {
        clock.start();
        BenchWindow w;
        if (step == Step::Construct) {
            samples.add(clock.nsecsElapsed());
            return;
        }
        clock.start();
        w.load();
        if (step == Step::Load) {
            samples.add(clock.nsecsElapsed());
            return;
        }
        clock.start();
        w.showAndPaint();
        samples.add(clock.nsecsElapsed());
        QVERIFY(w.window().isVisible());
    };
    QBENCHMARK
    {
        once();
    }
    while (samples.count() < kMinSamples)
        once();
    m_summary.add({QString::fromLatin1(QTest::currentDataTag()), m_scale, samples, {}});
}

void BenchHandlers::handlers_data()
{
    QTest::addColumn<Handler>("handler");
    QTest::addRow("Option1_Click @%gx", m_scale) << Handler::Option1;
    QTest::addRow("cmdverifica_Click @%gx", m_scale) << Handler::Verifica;
    QTest::addRow("Command1_Click @%gx", m_scale) << Handler::Command1;
    QTest::addRow("Timer1_Timer @%gx", m_scale) << Handler::Timer;
}

void BenchHandlers::prepare(Handler handler, BenchWindow &w)
{
    const GameState &state = w.form.state();
    if (w.world.dialogs.messages.size() > kMessagesKept)
        w.world.dialogs.messages.clear();
    switch (handler) {
    case Handler::Option1:
        // Verifica sets the total back to 0.
        if (state.somma > kTotalLimit)
            w.form.cmdverifica_Click();
        break;
    case Handler::Timer:
        // Start-up sets the clock back to 15 minutes.
        if (state.ore == 0 && state.minuti < kMinutesLeft)
            w.load();
        break;
    case Handler::Verifica:
    case Handler::Command1:
        break;
    }
}

void BenchHandlers::call(Handler handler, BenchWindow &w)
{
    switch (handler) {
    case Handler::Option1:
        w.form.Option1_Click(m_nextOption);
        m_nextOption = m_nextOption % kValueButtons + 1;
        break;
    case Handler::Verifica:
        w.form.cmdverifica_Click();
        break;
    case Handler::Command1:
        w.form.Command1_Click();
        break;
    case Handler::Timer:
        w.form.Timer1_Timer();
        break;
    }
}

void BenchHandlers::handlers()
{
    // One call on a shown, started window, timed alone and until the repaint it caused was
    // flushed; QBENCHMARK's own figure is the latter.
    QFETCH(Handler, handler);
    BenchWindow w;
    w.load();
    w.showAndPaint();
    PaintMeter meter(&w.window());
    Result result{QString::fromLatin1(QTest::currentDataTag()), m_scale, {}, {}};
    QList<qint64> flushed;
    QElapsedTimer clock;
    const auto once = [&] {
        prepare(handler, w);
        meter.reset();
        clock.start();
        call(handler, w);
        result.time.add(clock.nsecsElapsed());
        QCoreApplication::processEvents();
        result.withRepaint.add(clock.nsecsElapsed());
        flushed.append(meter.area());
    };
    QBENCHMARK
    {
        once();
    }
    while (result.time.count() < kMinSamples)
        once();
    QCOMPARE(w.world.end.calls, 0);
    std::sort(flushed.begin(), flushed.end());
    result.paintedPixels = flushed[flushed.size() / 2];
    QVERIFY2(flushed.last() > 0, "the handler's repaint was not flushed");
    m_summary.add(std::move(result));
}

void BenchHandlers::clockTickRepaintsOnlyTheClock()
{
    // A tick changes the clock's text and nothing else: the window must repaint the clock label's
    // area and no more, so that idling costs one small repaint a second.
    BenchWindow w;
    w.load();
    w.showAndPaint();
    const QWidget &clockLabel = *w.window().widgets().widget(form::lblconto.row);
    const QRect clockArea(clockLabel.mapTo(&w.window(), QPoint(0, 0)), clockLabel.size());
    PaintMeter meter(&w.window());
    for (int tick = 1; tick <= kTicksChecked; ++tick) {
        meter.reset();
        w.form.Timer1_Timer();
        QCoreApplication::processEvents();
        const QRect bounds = meter.region().boundingRect();
        std::printf("tick %d: %d paint events (%s), flushed %lld px in %d,%d %dx%d; "
                    "clock label %d,%d %dx%d = %lld px\n",
                    tick, meter.paints(), qPrintable(meter.painters().join(QLatin1Char(' '))),
                    static_cast<long long>(meter.area()), bounds.x(), bounds.y(), bounds.width(),
                    bounds.height(), clockArea.x(), clockArea.y(), clockArea.width(),
                    clockArea.height(),
                    static_cast<long long>(clockArea.width()) * clockArea.height());
        QVERIFY2(!meter.region().isEmpty(), "the new time was not painted");
        QVERIFY2(clockArea.contains(bounds), "a tick repainted more than the clock label");
    }
}

void BenchHandlers::cleanupTestCase()
{
    m_summary.print();
    qInstallMessageHandler(g_testLog);
}

int main(int argc, char *argv[])
{
    if (const int status = runOncePerScale(argv); status >= 0)
        return status;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    BenchHandlers bench;
    return QTest::qExec(&bench, argc, argv);
}

#include "bench_handlers.moc"
