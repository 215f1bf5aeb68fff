// The quiz as a pupil plays it: value buttons add up, "Verifica" judges and counts.
#include "game/caption.h"
#include "game/graphicbutton.h"
#include "support/gamefixture.h"

#include <QtTest>

using namespace angoli;
using namespace angoli::test;

namespace
{
// The draw that makes the next question ask for this angle.
float drawFor(int angle)
{
    return (float(angle) - 0.5f) / 359.0f;
}

QStringList totals(const Game &game)
{
    QStringList shown;
    for (const char *name : {"lbltotale", "lbltotal2", "lbltotal3", "lbltotal4"})
        shown << game.caption(name);
    return shown;
}

QStringList four(const QString &text)
{
    return {text, text, text, text};
}
} // namespace

class tst_Quiz : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void buttonsAddUp_data();
    void buttonsAddUp();
    void focusReleasesButton();
    void totalNeverOverflows();
    void questionAngle_data();
    void questionAngle();
    void reseededBeforeEveryQuestion();
    void verdict_data();
    void verdict();
    void questionPixels();
    void gradientBands();
};

void tst_Quiz::buttonsAddUp_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("total");
    QTest::newRow("223 from five buttons") << QList<int>{180, 30, 10, 2, 1} << 223;
    QTest::newRow("same button twice adds twice") << QList<int>{90, 90} << 180;
    QTest::newRow("every button once")
        << QList<int>{1, 2, 5, 9, 10, 30, 50, 90, 100, 180, 270} << 747;
}

void tst_Quiz::buttonsAddUp()
{
    // Each click adds the button's value to all four totals and releases every button.
    QFETCH(QList<int>, clicks);
    QFETCH(int, total);
    Game game;
    game.load();
    for (int v : clicks) {
        game.press({v});
        for (int i = 1; i <= 11; ++i)
            QVERIFY2(!game.form->controls().option(i)->value(), "a button stayed pressed");
    }
    QCOMPARE(game.form->state().somma, qint16(total));
    QCOMPARE(totals(game), four(QString::number(total)));
}

void tst_Quiz::focusReleasesButton()
{
    // Taking the focus releases a value button and changes nothing else.
    Game game;
    game.load();
    GraphicButton *b = game.form->controls().option(4);
    b->setValue(true);
    game.form->Option1_GotFocus(4);
    QVERIFY(!b->value());
    QCOMPARE(game.form->state().somma, qint16(0));
}

void tst_Quiz::totalNeverOverflows()
{
    // 121 clicks on "270" still add up; the 122nd would pass 32767 and is refused,
    // leaving the total as it was, and the game goes on.
    Game game;
    game.load();
    for (int i = 0; i < 121; ++i)
        game.press({270});
    QCOMPARE(game.form->state().somma, qint16(32670));
    game.press({270});
    QCOMPARE(game.form->state().somma, qint16(32670));
    QCOMPARE(totals(game), four(QStringLiteral("32670")));
    QVERIFY(!game.form->controls().option(11)->value());
    game.press({50, 30, 10, 5, 2});
    QCOMPARE(game.form->state().somma, qint16(32767));
    game.press({1});
    QCOMPARE(game.form->state().somma, qint16(32767));
    game.form->cmdverifica_Click();
    QCOMPARE(game.form->state().errate, qint16(1));
}

void tst_Quiz::questionAngle_data()
{
    QTest::addColumn<float>("draw");
    QTest::addColumn<int>("primo");
    QTest::newRow("r = 0 gives 1") << 0.0f << 1;
    QTest::newRow("largest r below 1 gives 359") << std::nextafter(1.0f, 0.0f) << 359;
    QTest::newRow("just below a step") << std::nextafter(1.0f / 359.0f, 0.0f) << 1;
    QTest::newRow("second step") << 1.5f / 359.0f << 2;
    QTest::newRow("137") << drawFor(137) << 137;
}

void tst_Quiz::questionAngle()
{
    // primo = Int(r * 359) + 1, so 0 and 360 never occur; the answer is 360 - primo.
    QFETCH(float, draw);
    QFETCH(int, primo);
    Game game;
    game.world.random.fallback = draw;
    game.load();
    QCOMPARE(game.form->state().primo, qint16(primo));
    QCOMPARE(game.form->state().esplementare, qint16(360 - primo));
    QCOMPARE(game.caption("lblangolo"), QString::number(primo));
}

void tst_Quiz::reseededBeforeEveryQuestion()
{
    // Every question re-seeds the generator with the time of day before drawing.
    Game game;
    game.load();
    const qsizetype before = game.world.random.seeds.size();
    game.world.time.seconds = 100.25f;
    game.form->cmdverifica_Click();
    game.form->cmdverifica_Click();
    QCOMPARE(game.world.random.seeds.size(), before + 2);
    QCOMPARE(game.world.random.seeds.last(), 100.25f);
}

void tst_Quiz::verdict_data()
{
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("prompt");
    QTest::addColumn<int>("right");
    QTest::addColumn<int>("wrong");
    QTest::newRow("223 is right") << QList<int>{180, 30, 10, 2, 1} << " Ok " << 1 << 0;
    QTest::newRow("230 is too big")
        << QList<int>{180, 50} << " Hai raggiunto un valore maggiore. Il valore esatto era 223" << 0
        << 1;
    QTest::newRow("200 is too small")
        << QList<int>{100, 100} << "Fai attenzione, hai sbagliato.Il valore esatto era 223" << 0
        << 1;
    QTest::newRow("no click is too small")
        << QList<int>{} << "Fai attenzione, hai sbagliato.Il valore esatto era 223" << 0 << 1;
}

void tst_Quiz::verdict()
{
    // "Verifica" against 137: the verdict, the counter changed only after the box is
    // dismissed, every button released, the total back to 0 and a new question.
    QFETCH(QList<int>, clicks);
    QFETCH(QString, prompt);
    QFETCH(int, right);
    QFETCH(int, wrong);
    Game game;
    game.world.random.draws = {drawFor(137), drawFor(42)};
    game.load();
    for (int v : clicks)
        game.press({v});
    QStringList countsDuringBox;
    game.world.dialogs.onMessage = [&](const Shown &) {
        countsDuringBox << game.caption("lblScore") << game.caption("lblScore1");
    };
    game.form->cmdverifica_Click();
    const Shown &shown = game.world.dialogs.messages.last();
    QCOMPARE(shown.prompt, prompt);
    QCOMPARE(shown.style, 0);
    QCOMPARE(shown.title, QStringLiteral("Angoli esplementari"));
    QCOMPARE(countsDuringBox, (QStringList{"0", "0"}));
    QCOMPARE(game.form->state().esatte, qint16(right));
    QCOMPARE(game.form->state().errate, qint16(wrong));
    QCOMPARE(game.caption("lblScore"), QString::number(right));
    QCOMPARE(game.caption("lblScore1"), QString::number(wrong));
    QCOMPARE(game.form->state().somma, qint16(0));
    QCOMPARE(totals(game), four(QStringLiteral("0")));
    QCOMPARE(game.caption("lblangolo"), QStringLiteral("42"));
    QCOMPARE(game.form->state().esplementare, qint16(318));
}

void tst_Quiz::questionPixels()
{
    // A question of 137 on the window's own surface: green sector, blue remainder,
    // bright green ring, black radii up and at 137 degrees, no line at 3 o'clock.
    Game game;
    game.world.random.fallback = drawFor(137);
    game.load();
    const QImage &img = game.form->surfaceImage();
    const QColor green(0, 128, 0), blue(0, 0, 128), ring(0, 255, 0), black(0, 0, 0);
    auto at = [&](double degrees, double radius) {
        const double a = qDegreesToRadians(degrees);
        return img.pixelColor(qRound(350 + radius * std::sin(a)),
                              qRound(250 - radius * std::cos(a)));
    };
    QCOMPARE(at(60, 120), green);
    QCOMPARE(at(130, 150), green);
    QCOMPARE(at(200, 120), blue);
    QCOMPARE(at(300, 60), blue);
    QCOMPARE(at(250, 190), ring);
    QCOMPARE(img.pixelColor(350, 150), black);
    QCOMPARE(at(137, 120), black);
    bool arcBlack = false; // the sector's own arc, within a pixel of the radius
    for (double r = 188.5; r <= 191; r += 0.5)
        arcBlack = arcBlack || at(60, r) == black;
    QVERIFY(arcBlack);
    for (int r = 20; r < 185; r += 15) {
        QCOMPARE(img.pixelColor(350 + r, 249), green);
        QCOMPARE(img.pixelColor(350 + r, 251), green);
    }
}

void tst_Quiz::gradientBands()
{
    // "Verifica" paints the gradient first; on the window only its first four bands show.
    Game game;
    game.load();
    game.form->show();
    QVERIFY(QTest::qWaitForWindowExposed(game.form.get()));
    const int band = qRound(game.form->Height() / 63.0);
    QImage seen;
    game.world.dialogs.onMessage = [&](const Shown &) { seen = game.form->surfaceImage().copy(); };
    game.form->cmdverifica_Click();
    QVERIFY(band > 552 / 4 && band < 552 / 3); // exactly four bands fit the 552 rows
    const QColor bands[] = {QColor(0, 12, 255), QColor(0, 8, 251), QColor(0, 4, 247),
                            QColor(0, 0, 243)};
    for (int k = 0; k < 4; ++k) {
        const int top = k * band + (k ? 1 : 0);
        const int bottom = std::min(551, (k + 1) * band - 1);
        for (int y : {top, (top + bottom) / 2, bottom}) {
            for (int x : {0, 372, 743})
                QCOMPARE(seen.pixelColor(x, y), bands[k]);
        }
    }
}

QTEST_MAIN(tst_Quiz)
#include "tst_quiz.moc"
