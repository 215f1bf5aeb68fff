// SPDX-License-Identifier: GPL-3.0-or-later
// The window as it is created: every control where the layout puts it, with
// its look, and the window's frame, menu, tab order and stacking.
#include "gamefixture.h"
#include "platform/qt/caption.h"
#include "platform/qt/graphicbutton.h"
#include "platform/qt/look.h"
#include "platform/qt/surfaceview.h"

#include <QMenu>
#include <QMenuBar>
#include <QToolTip>
#include <QtTest>
#include <algorithm>

using namespace angoli;
using namespace angoli::qttest;

namespace
{
constexpr quint32 kFace = layout::kSysButtonFace;
constexpr quint32 kText = layout::kSysButtonText;
constexpr quint32 kNoBack = 0xFFFFFFFF; // transparent label: background not checked

// Whether a widget leaves some of its own area unpainted (paintedAlone has no padding).
bool seeThrough(const QImage &painted)
{
    const auto *pixels = reinterpret_cast<const QRgb *>(painted.constBits());
    return std::any_of(pixels, pixels + painted.width() * painted.height(),
                       [](QRgb pixel) { return qAlpha(pixel) == 0; });
}
} // namespace

class tst_Layout : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void controlsAsLaidOut_data();
    void controlsAsLaidOut();
    void fonts_data();
    void fonts();
    void shapes_data();
    void shapes();
    void helpMenu();
    void creditsStayChecked_data();
    void creditsStayChecked();
    void tooltips_data();
    void tooltips();
    void tabOrderStartsAtHundred();
    void stacking_data();
    void stacking();
    void valueButtonsBeforeAndAfterStartUp();
    void autoSizeLabelFollowsName();
};

void tst_Layout::controlsAsLaidOut_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<quint32>("fore");
    QTest::addColumn<quint32>("back");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("visible");
    QTest::addColumn<QString>("tooltip");

    const QString valueTip =
        QStringLiteral("Cliccando successivamente sui vari pulsanti otterrai la somma");
    struct V {
        int index;
        const char *caption;
        int left;
        quint32 fore;
        bool enabled;
    };
    for (const V v : {V{1, "1", 5, 0xFFFF00, false}, V{2, "2", 72, 0xFFFF80, true},
                      V{3, "5", 139, 0xFFFF00, true}, V{4, "9", 206, 0xFFFF80, true},
                      V{5, "10", 273, 0xFFFF00, true}, V{6, "30", 340, 0xFFFF00, true},
                      V{7, "50", 407, 0xFFFF00, true}, V{8, "100", 541, 0xFFFF00, true},
                      V{9, "90", 474, 0xFFFF00, true}, V{10, "180", 608, 0xFFFF00, true},
                      V{11, "270", 675, 0xFFFF00, true}}) {
        QTest::addRow("Option1(%d) \"%s\"", v.index, v.caption)
            << "Option1" << v.index << v.caption << QRect(v.left, 472, 65, 70) << v.fore
            << quint32(0xC0C000) << v.enabled << true << valueTip;
    }
    QTest::newRow("cmdverifica") << "cmdverifica" << -1 << "Verifica" << QRect(16, 240, 113, 81)
                                 << kText << quint32(0x80FF80) << true << true
                                 << "Cliccami quando hai raggiunto l'ampiezza dell'esplementare";
    QTest::newRow("Cmdexit1") << "Cmdexit1" << -1 << "Esci" << QRect(616, 240, 113, 81) << kText
                              << quint32(0xFF00FF) << true << true << "Clliccami per uscire";
    QTest::newRow("Command2") << "Command2" << -1 << "Nuova nota" << QRect(176, 488, 25, 45)
                              << kText << quint32(0xC0C0C0) << false << true
                              << "Per avere un'altra nota cliccami.";

    auto label = [](const char *name, int index, const char *caption, QRect r, quint32 fore,
                    quint32 back, const char *tip = "") {
        QTest::addRow("%s(%d)", name, index)
            << name << index << QString::fromUtf8(caption) << r << fore << back << true << true
            << QString::fromUtf8(tip);
    };
    label("Label9", -1, "°", {40, 504, 17, 25}, 0xFFFF00, kNoBack);
    label("Label8", -1, "°", {40, 512, 17, 9}, kText, kFace);
    label("Label7", -1, "Angoli esplementari", {224, 24, 257, 33}, 0xFF00FF, kNoBack);
    label("Label5", -1,
          "Determina  il suo angolo esplementare (in blu) cliccando sui pulsanti in basso",
          {0, 152, 169, 113}, 0x0000FF, kNoBack);
    label("lbltotal4", -1, "0", {348, 432, 113, 97}, 0xFFFF00, kNoBack);
    label("lbltotal3", -1, "0", {346, 432, 145, 97}, 0xC00000, kNoBack);
    label("lbltotale", -1, "0", {347, 432, 137, 57}, 0xFF8080, kNoBack);
    label("lbltotal2", -1, "0", {344, 432, 137, 113}, 0x80FF80, kNoBack);
    label("Label4", -1, "Il primo angolo (in verde) misura gradi", {0, 24, 153, 89}, kText,
          kNoBack);
    label("lblangolo", -1, "", {16, 104, 89, 49}, 0x00C000, 0xFFFF80);
    label("lblconto", -1, "00.00.00", {592, 104, 137, 41}, 0x00FFFF, kNoBack);
    label("lblpunti", -1, "Label3", {464, 0, 81, 65}, 0xFF0000, kNoBack);
    label("tempo", -1, "Tempo restante", {568, 48, 169, 41}, 0x80FFFF, kNoBack);
    label("Label3", -1, "con punti", {360, 0, 113, 33}, 0xFF0000, kNoBack);
}

void tst_Layout::controlsAsLaidOut()
{
    // Every control stands where the layout puts it, in its colours, with its caption: the window
    // draws each one from its state.
    QFETCH(QString, name);
    QFETCH(int, index);
    Game game;
    QWidget *w = game.control(name, index);
    QVERIFY2(w, qPrintable(name));
    QFETCH(QRect, geometry);
    QFETCH(bool, enabled);
    QFETCH(QString, tooltip);
    QFETCH(quint32, fore);
    QFETCH(quint32, back);
    QFETCH(QString, caption);
    QCOMPARE(w->geometry(), geometry);
    QCOMPARE(w->isEnabled(), enabled);
    QCOMPARE(w->toolTip(), tooltip);
    const ControlState &state = game.state(rowNamed(name, index));
    QCOMPARE(QString::fromStdString(state.caption), caption);
    QCOMPARE(state.fore, fore);
    QVERIFY(!state.value);
    const QImage painted = paintedAlone(*w);
    if (qobject_cast<GraphicButton *>(w)) {
        // The inner bevel is a lighter shade of the face.
        QCOMPARE(painted.pixel(1, w->height() / 2), colourOf(back).lighter(160).rgb());
    } else {
        QVERIFY(qobject_cast<CaptionLabel *>(w));
        QCOMPARE(seeThrough(painted), back == kNoBack);
        if (back != kNoBack)
            QCOMPARE(painted.pixelColor(w->width() - 2, w->height() - 2), colourOf(back));
    }
    QFETCH(bool, visible);
    QCOMPARE(w->isVisibleTo(&game.window()), visible);
}

void tst_Layout::fonts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("pixels");
    QTest::addColumn<bool>("bold");
    // Points convert at 96 dpi: 13.5 pt is 18 px, 24 pt 32 px, 36 pt 48 px.
    QTest::newRow("value button 12 bold") << "Option1" << 5 << "MS Sans Serif" << 16 << true;
    QTest::newRow("Verifica 13.5") << "cmdverifica" << -1 << "MS Sans Serif" << 18 << false;
    QTest::newRow("Esci default") << "Cmdexit1" << -1 << "MS Sans Serif" << 11 << false;
    QTest::newRow("totals 24 bold") << "lbltotal4" << -1 << "MS Sans Serif" << 32 << true;
    QTest::newRow("score 36 bold") << "lblScore" << -1 << "Times New Roman" << 48 << true;
    QTest::newRow("clock Arial Black 18") << "lblconto" << -1 << "Arial Black" << 24 << true;
    QTest::newRow("Sfidante 15.75") << "Label1" << -1 << "Times New Roman" << 21 << true;
    QTest::newRow("name 13.5 plain") << "lblnome1" << -1 << "MS Sans Serif" << 18 << false;
    QTest::newRow("counters 13.5 plain") << "Label6" << 1 << "MS Sans Serif" << 18 << false;
}

void tst_Layout::fonts()
{
    // Fonts keep their names and pixel sizes; a missing face is stood in for.
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QString, family);
    QFETCH(int, pixels);
    QFETCH(bool, bold);
    Game game;
    const QFont f = game.control(name, index)->font();
    QCOMPARE(f.family(), family);
    QCOMPARE(f.pixelSize(), pixels);
    QCOMPARE(f.bold(), bold);
    const QFontInfo used(f);
    QVERIFY2(used.family().contains(QLatin1String("Liberation")) ||
                 used.family().contains(QLatin1String("DejaVu")),
             qPrintable(used.family()));
    QCOMPARE(used.pixelSize(), pixels);
}

void tst_Layout::shapes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<quint32>("border");
    QTest::addColumn<quint32>("inside");
    QTest::addColumn<bool>("visible");
    QTest::newRow("Shape1 dark strip")
        << "Shape1" << QRect(0, 464, 753, 97) << quint32(0xFF0000) << quint32(0x400000) << true;
    QTest::newRow("Shape2 pale strip")
        << "Shape2" << QRect(0, 0, 748, 25) << quint32(0xFF0000) << quint32(0xC0FFFF) << true;
    QTest::newRow("Shape3 hidden")
        << "Shape3" << QRect(120, 392, 57, 25) << quint32(0xC0C000) << quint32(0xC0C000) << false;
    QTest::newRow("Shape4 title panel") << "Shape4" << QRect(208, 24, 297, 33)
                                        << layout::kSysWindowText << layout::kSysWindow << true;
}

void tst_Layout::shapes()
{
    // Shapes are framed boxes in their colours.
    QFETCH(QString, name);
    Game game;
    QWidget *s = game.control(name);
    QVERIFY(s);
    QFETCH(QRect, geometry);
    QFETCH(quint32, border);
    QFETCH(quint32, inside);
    QFETCH(bool, visible);
    QCOMPARE(s->geometry(), geometry);
    const QImage painted = paintedAlone(*s);
    QCOMPARE(painted.pixelColor(0, 0), colourOf(border));
    QCOMPARE(painted.pixelColor(s->width() / 2, s->height() / 2), colourOf(inside));
    QCOMPARE(s->isVisibleTo(&game.window()), visible);
}

void tst_Layout::helpMenu()
{
    // One menu, "Help", with its ten items in order; only the credits heading is checked.
    Game game;
    QMenu *help = &game.window().helpMenu();
    const QList<QAction *> bar = game.window().menuBar()->actions();
    QCOMPARE(bar.size(), 1);
    QCOMPARE(bar.front(), help->menuAction());
    QCOMPARE(bar.front()->text(), QStringLiteral("Help"));
    const QList<QAction *> items = help->actions();
    const QStringList names{"acuto", "retto", "ottuso", "piatto", "concavo",
                            "grio",  "expl",  "copy",   "scuola", "by"};
    const QStringList captions{"Angolo acuto",       "Angolo retto",   "Angolo ottuso",
                               "Angolo piatto",      "Angolo concavo", "Angolo giro",
                               "Angoli esplementari"};
    QCOMPARE(items.size(), names.size());
    for (int i = 0; i < items.size(); ++i) {
        QCOMPARE(items[i]->objectName(), names[i]);
        QVERIFY(items[i]->isEnabled() && items[i]->isVisible());
        QVERIFY(items[i]->shortcut().isEmpty());
        QVERIFY(!items[i]->menu());
        if (i < captions.size())
            QCOMPARE(items[i]->text(), captions[i]);
        QCOMPARE(items[i]->isChecked(), names[i] == QLatin1String("copy"));
    }
    QCOMPARE(items[8]->text().size(), 110);
    QCOMPARE(items[9]->text().size(), 61);
}

void tst_Layout::creditsStayChecked_data()
{
    QTest::addColumn<QStringList>("choices");
    QTest::newRow("Crediti twice") << QStringList{"copy", "copy"};
    QTest::newRow("both credit lines, then Crediti") << QStringList{"scuola", "by", "copy"};
    QTest::newRow("Crediti, a definition, Crediti") << QStringList{"copy", "acuto", "copy"};
}

void tst_Layout::creditsStayChecked()
{
    // "Crediti" keeps its check mark whatever the player chooses from the menu, itself included.
    QFETCH(QStringList, choices);
    Game game;
    QVERIFY(game.startShown());
    QMenu &menu = game.window().helpMenu();
    const QAction *copy = menu.findChild<QAction *>(QStringLiteral("copy"));
    QVERIFY(copy && copy->isChecked());
    for (const QString &name : choices) {
        game.window().menuBar()->setActiveAction(menu.menuAction());
        QTRY_VERIFY(menu.isVisible());
        QAction *item = menu.findChild<QAction *>(name);
        QVERIFY(item);
        QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(item).center());
        QTRY_VERIFY(!menu.isVisible());
        QVERIFY2(copy->isChecked(), qPrintable(name));
    }
}

void tst_Layout::tooltips_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("tip");
    QTest::newRow("the score, a label")
        << QPoint(60, 390) << QStringLiteral("Questo è il tuo punteggio. Forza con il  record");
    QTest::newRow("a value button") << QPoint(700, 500)
                                    << QStringLiteral("Cliccando successivamente sui vari pulsanti "
                                                      "otterrai la somma");
    QTest::newRow("the wrong answers, a label without one") << QPoint(670, 400) << QString();
    QTest::newRow("the photo") << QPoint(300, 40) << QString();
}

void tst_Layout::tooltips()
{
    // Resting the pointer on a control shows its tooltip, a label's too, although labels let
    // every click through and never take the focus.
    QFETCH(QPoint, point);
    QFETCH(QString, tip);
    Game game;
    QVERIFY(game.startShown());
    QWidget *view = game.window().centralWidget();
    QTest::mouseMove(view, point);
    if (tip.isEmpty()) {
        QTest::qWait(1500); // longer than the tooltip's delay
        QVERIFY2(!QToolTip::isVisible(), qPrintable(QToolTip::text()));
    } else {
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), tip);
    }
    QToolTip::hideText();
    // A click there reaches a button or nothing; the focus stays on "100" unless it was a button.
    QWidget *hit = view->childAt(point);
    QVERIFY(!qobject_cast<CaptionLabel *>(hit));
    QTest::mouseClick(hit ? hit : view, Qt::LeftButton, {},
                      hit ? hit->mapFrom(view, point) : point);
    QCOMPARE(QApplication::focusWidget(), hit ? hit : &game.optionFor(100));
}

void tst_Layout::tabOrderStartsAtHundred()
{
    // Disabled and hidden controls are skipped: the focus lands on "100", then follows TabIndex.
    Game game;
    QVERIFY(game.startShown());
    QCOMPARE(QApplication::focusWidget(), &game.option(8));
    QList<QWidget *> expected{&game.option(9)};
    for (int i = 1; i <= 7; ++i)
        expected << &game.option(i);
    expected << game.control(QStringLiteral("Picture1")) << game.control(QStringLiteral("Cmdexit1"))
             << game.control(QStringLiteral("cmdverifica")) << &game.option(10) << &game.option(11);
    for (QWidget *next : expected) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), next);
    }
}

void tst_Layout::stacking_data()
{
    QTest::addColumn<QPoint>("point");
    QTest::addColumn<QString>("control");
    QTest::newRow("Go and Command4 lie behind \"1\"") << QPoint(30, 500) << "Option1(1)";
    QTest::newRow("Nuova nota and Picture1 lie behind \"5\"") << QPoint(190, 500) << "Option1(3)";
    QTest::newRow("\"Verifica\"") << QPoint(70, 280) << "cmdverifica";
    QTest::newRow("\"270\" over the dark strip") << QPoint(700, 500) << "Option1(11)";
}

void tst_Layout::stacking()
{
    // Buttons lie in front of every label and shape; a click lands on the front one.
    QFETCH(QPoint, point);
    QFETCH(QString, control);
    Game game;
    game.load();
    QWidget *hit = game.window().centralWidget()->childAt(point);
    QVERIFY(hit);
    QCOMPARE(hit->objectName(), control);
}

void tst_Layout::valueButtonsBeforeAndAfterStartUp()
{
    // Right after creation "1" is disabled and text colours are mixed; start-up restyles all.
    Game game;
    const auto state = [&game](int i) { return game.state(form::Option1[std::size_t(i)].row); };
    QVERIFY(!game.option(1).isEnabled());
    QCOMPARE(state(2).fore, Colour{0xFFFF80});
    QCOMPARE(state(3).fore, Colour{0xFFFF00});
    game.load();
    for (int i = 1; i <= 11; ++i) {
        QVERIFY(game.option(i).isEnabled());
        QVERIFY(game.option(i).isVisibleTo(&game.window()));
        QCOMPARE(state(i).fore, Colour{0xFFFF80});
        QCOMPARE(state(i).back, Colour{0xC0C000});
    }
    QWidget *zero = game.control(QStringLiteral("Option1"), 0);
    QVERIFY(!zero->isVisibleTo(&game.window()) && !zero->isEnabled());
}

void tst_Layout::autoSizeLabelFollowsName()
{
    // A long name widens lblnome1 to the right of its left edge; an empty one shows nothing.
    Game game;
    game.load(QStringLiteral("Alessandra Bernasconi"));
    CaptionLabel *name = &game.label(form::lblnome1);
    QCOMPARE(name->x(), 104);
    QCOMPARE(name->y(), 432);
    QVERIFY2(name->width() > 150, qPrintable(QString::number(name->width())));
    game.ui.setCaption(form::lblnome1, "");
    QCOMPARE(name->x(), 104);
    QCOMPARE(name->width(), 0);
}

QTEST_MAIN(tst_Layout)
#include "tst_layout.moc"
