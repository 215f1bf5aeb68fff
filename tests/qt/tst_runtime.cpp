// SPDX-License-Identifier: GPL-3.0-or-later
// The Qt forms runtime as the game sees it: captions and button properties by handle, UTF-8 text
// both ways, the window's events delivered to the attached game with the right index or item,
// Timer1, the time of day, End, and run()'s order: start-up, then the window, then its events.
#include "gamefixture.h"
#include "platform/qt/caption.h"
#include "platform/qt/look.h"

#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QtTest>

using namespace angoli;
using namespace angoli::qttest;

namespace
{
// Records each event of the window as a line of text.
class RecordingEvents final : public FormEvents
{
public:
    QStringList seen;
    std::function<void()> onLoad;
    std::function<void()> onClick;
    void Form_Load() override
    {
        seen << QStringLiteral("Form_Load");
        if (onLoad)
            onLoad();
    }
    void Option1_Click(int Index) override
    {
        seen << QStringLiteral("Option1_Click %1").arg(Index);
        if (onClick)
            onClick();
    }
    void Option1_GotFocus(int Index) override
    {
        seen << QStringLiteral("Option1_GotFocus %1").arg(Index);
    }
    void cmdverifica_Click() override { seen << QStringLiteral("cmdverifica_Click"); }
    void Cmdexit1_Click() override { seen << QStringLiteral("Cmdexit1_Click"); }
    void help_Click() override { seen << QStringLiteral("help_Click"); }
    void Menu_Click(MenuCommand item) override
    {
        seen << QStringLiteral("Menu_Click ") + QLatin1String(layout::kMenu[item.row].name);
    }
    void Timer1_Timer() override { seen << QStringLiteral("Timer1_Timer"); }
};

// A runtime on fakes with a recording game attached, shown and active.
struct Runtime {
    FakeServices world;
    QtFormsRuntime ui{world.services()};
    RecordingEvents events;
    Runtime() { ui.attach(events); }
    bool show()
    {
        ui.window().show();
        ui.window().activateWindow();
        return QTest::qWaitForWindowActive(&ui.window());
    }
    QWidget &widget(std::size_t row) const { return *ui.window().widgets().widget(row); }
};

// Points of a value button: its top-left corner, black when pressed in and white when not, and
// a point of its face beside the picture.
constexpr QPoint kCorner(0, 0);
constexpr QPoint kFace(6, 30);

// Counts the paint events of the widgets it watches.
class PaintWatch final : public QObject
{
public:
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }
};

// A call the game makes on the runtime.
using Call = std::function<void(FormsRuntime &)>;
} // namespace

Q_DECLARE_METATYPE(Call)

class tst_Runtime : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void clicksReachTheGame_data();
    void clicksReachTheGame();
    void clickSelectsThenRaisesOnce();
    void changesAreRepainted_data();
    void changesAreRepainted();
    void doubleClickOnAValueButtonIsTwoClicks();
    void menuReachesTheGame_data();
    void menuReachesTheGame();
    void captionsAreUtf8BothWays_data();
    void captionsAreUtf8BothWays();
    void optionPropertiesByHandle();
    void dialogsGetTheirTexts();
    void timerTicksOnlyWhileEnabled();
    void timeAndEndComeFromTheServices();
    void runLoadsThenShowsThenRuns();
    void windowMadeWhenTheNameIsAsked();
};

void tst_Runtime::clicksReachTheGame_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("index");
    QTest::addColumn<QStringList>("events");
    QTest::newRow("value button 270")
        << "Option1" << 11 << QStringList{"Option1_GotFocus 11", "Option1_Click 11"};
    QTest::newRow("value button 100")
        << "Option1" << 8 << QStringList{"Option1_GotFocus 8", "Option1_Click 8"};
    QTest::newRow("Verifica") << "cmdverifica" << -1 << QStringList{"cmdverifica_Click"};
    QTest::newRow("Esci") << "Cmdexit1" << -1 << QStringList{"Cmdexit1_Click"};
    QTest::newRow("the disabled 1 button raises nothing") << "Option1" << 1 << QStringList{};
}

void tst_Runtime::clicksReachTheGame()
{
    // A click on a control raises its handler once, a value button's with its own index, after
    // the focus event that the press gave it.
    QFETCH(QString, control);
    QFETCH(int, index);
    QFETCH(QStringList, events);
    Runtime r;
    QVERIFY(r.show());
    // The window gave "100" the focus: move it on, so that a click on "100" gives it back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    r.events.seen.clear();
    const std::size_t row = rowNamed(control, index);
    QVERIFY(row < layout::kControls.size());
    QTest::mouseClick(&r.widget(row), Qt::LeftButton);
    QCOMPARE(r.events.seen, events);
}

void tst_Runtime::clickSelectsThenRaisesOnce()
{
    // A click on a value button selects it, then raises Option1_Click once: the handler finds
    // the button selected and drawn pressed in.
    Runtime r;
    QVERIFY(r.show());
    QWidget &button = r.widget(form::Option1[11].row);
    QCOMPARE(paintedAlone(button).pixelColor(kCorner), QColor(Qt::white));
    bool selected = false;
    QColor corner;
    r.events.onClick = [&] {
        selected = r.ui.model()[form::Option1[11].row].value;
        corner = paintedAlone(button).pixelColor(kCorner);
    };
    r.events.seen.clear();
    QTest::mouseClick(&button, Qt::LeftButton);
    QCOMPARE(r.events.seen.filter(QStringLiteral("Click")), QStringList{"Option1_Click 11"});
    QVERIFY(selected);
    QCOMPARE(corner, QColor(Qt::black));
}

void tst_Runtime::changesAreRepainted_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<Call>("call");
    const OptionButton ten = form::Option1[5];
    QTest::newRow("a label's caption")
        << int(form::lbltotal4.row)
        << Call([](FormsRuntime &ui) { ui.setCaption(form::lbltotal4, "5"); });
    QTest::newRow("an auto-size label's caption")
        << int(form::lblnome1.row)
        << Call([](FormsRuntime &ui) { ui.setCaption(form::lblnome1, "Alessandra Bernasconi"); });
    QTest::newRow("BackColor") << int(ten.row)
                               << Call([ten](FormsRuntime &ui) { ui.setBackColor(ten, 0xFF); });
    QTest::newRow("ForeColor") << int(ten.row)
                               << Call([ten](FormsRuntime &ui) { ui.setForeColor(ten, 0xFF); });
    QTest::newRow("Value") << int(ten.row)
                           << Call([ten](FormsRuntime &ui) { ui.setValue(ten, true); });
}

void tst_Runtime::changesAreRepainted()
{
    // What the game changes on a shown window reaches the screen: the control repaints.
    QFETCH(int, row);
    QFETCH(Call, call);
    Runtime r;
    QVERIFY(r.show());
    QCoreApplication::processEvents();
    PaintWatch watch;
    r.widget(std::size_t(row)).installEventFilter(&watch);
    call(r.ui);
    QTRY_VERIFY(watch.paints > 0);
}

void tst_Runtime::doubleClickOnAValueButtonIsTwoClicks()
{
    // Two quick clicks on one value button are two presses: "10" twice adds 20.
    Runtime r;
    QVERIFY(r.show());
    r.events.seen.clear();
    QWidget *ten = &r.widget(form::Option1[5].row);
    // As a window system delivers a double click: a click, then a double-click press and its
    // release.
    QTest::mouseClick(ten, Qt::LeftButton);
    QTest::mouseDClick(ten, Qt::LeftButton);
    QTest::mouseRelease(ten, Qt::LeftButton);
    QCOMPARE(r.events.seen.count(QStringLiteral("Option1_Click 5")), 2);
}

void tst_Runtime::menuReachesTheGame_data()
{
    QTest::addColumn<QString>("item");
    QTest::newRow("Angolo retto") << "retto";
    QTest::newRow("Angoli esplementari") << "expl";
    QTest::newRow("Crediti: the game decides it does nothing") << "copy";
}

void tst_Runtime::menuReachesTheGame()
{
    // Opening Help raises help_Click before the list shows; choosing an item raises Menu_Click
    // with that item.
    QFETCH(QString, item);
    Runtime r;
    QVERIFY(r.show());
    QMenu &menu = r.ui.window().helpMenu();
    bool listShownAtHelp = true;
    r.events.seen.clear();
    QObject::connect(&menu, &QMenu::aboutToShow, &menu,
                     [&] { listShownAtHelp = menu.isVisible(); });
    QTest::mouseClick(r.ui.window().menuBar(), Qt::LeftButton, {},
                      r.ui.window().menuBar()->actionGeometry(menu.menuAction()).center());
    QTRY_VERIFY(menu.isVisible());
    QVERIFY(!listShownAtHelp);
    QAction *action = menu.findChild<QAction *>(item);
    QVERIFY(action);
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.actionGeometry(action).center());
    QTRY_VERIFY(!menu.isVisible());
    // The focus comes back to "100" when the list closes; that is no menu event.
    const QStringList menuEvents =
        r.events.seen.filter(QRegularExpression(QStringLiteral("^(help|Menu)_Click")));
    QCOMPARE(menuEvents, (QStringList{"help_Click", "Menu_Click " + item}));
}

void tst_Runtime::captionsAreUtf8BothWays_data()
{
    QTest::addColumn<QByteArray>("utf8");
    QTest::addColumn<QString>("shown");
    QTest::newRow("accents and degree sign") << QByteArray("è° à") << "è° à";
    QTest::newRow("a record file's CR LF is kept, shown as a line break")
        << QByteArray("Anna\r\n") << "Anna\n";
    QTest::newRow("empty") << QByteArray() << "";
    QTest::newRow("beyond the code page") << QByteArray("Zoë €5 \xe2\x9c\x93") << "Zoë €5 ✓";
}

void tst_Runtime::captionsAreUtf8BothWays()
{
    // A caption is read back byte for byte as it was set, and shown as the text it stands for.
    QFETCH(QByteArray, utf8);
    QFETCH(QString, shown);
    Runtime r;
    const std::string text = utf8.toStdString();
    r.ui.setCaption(form::lblnome, text);
    QCOMPARE(r.ui.Caption(form::lblnome), text);
    QCOMPARE(static_cast<CaptionLabel &>(r.widget(form::lblnome.row)).text(), shown);
    QCOMPARE(r.ui.Caption(form::Option1[8]), std::string("100"));
    QCOMPARE(r.ui.Caption(form::Option1[0]), std::string("0"));
}

void tst_Runtime::optionPropertiesByHandle()
{
    // Each property reaches the button of the handle and no other, and the window shows it; the
    // hidden "0" takes them too.
    Runtime r;
    QWidget &b = r.widget(form::Option1[5].row);
    QWidget &next = r.widget(form::Option1[6].row);
    r.ui.setBackColor(form::Option1[5], 0x0000FF);
    r.ui.setForeColor(form::Option1[5], 0x00FF00);
    r.ui.setValue(form::Option1[5], true);
    QCOMPARE(paintedAlone(b).pixelColor(kFace), toQColor(0x0000FF));
    QCOMPARE(paintedAlone(b).pixelColor(kCorner), QColor(Qt::black));
    QCOMPARE(paintedAlone(next).pixelColor(kFace), toQColor(0xC0C000));
    QCOMPARE(paintedAlone(next).pixelColor(kCorner), QColor(Qt::white));
    const ControlState &state = r.ui.model()[form::Option1[5].row];
    QCOMPARE(state.fore, Colour{0x00FF00});
    QCOMPARE(r.ui.model()[form::Option1[6].row].fore, Colour{0xFFFF00});
    r.ui.setVisible(form::Option1[5], false);
    r.ui.setEnabled(form::Option1[5], false);
    QVERIFY(!b.isVisibleTo(&r.ui.window()) && !b.isEnabled());
    QVERIFY(next.isVisibleTo(&r.ui.window()) && next.isEnabled());

    QWidget &zero = r.widget(form::Option1[0].row);
    r.ui.setValue(form::Option1[0], true);
    r.ui.setBackColor(form::Option1[0], 0x0000FF);
    QCOMPARE(paintedAlone(zero).pixelColor(kFace), toQColor(0x0000FF));
    QCOMPARE(paintedAlone(zero).pixelColor(kCorner), QColor(Qt::black));
    r.ui.setVisible(form::Option1[0], true);
    r.ui.setEnabled(form::Option1[0], true);
    QVERIFY(zero.isVisibleTo(&r.ui.window()) && zero.isEnabled());
}

void tst_Runtime::dialogsGetTheirTexts()
{
    // Prompts and titles reach the dialogs as the text they stand for, and the typed name comes
    // back as UTF-8.
    Runtime r;
    r.world.dialogs.names = {QStringLiteral("Zoë")};
    r.ui.MsgBox(" Un angolo si dice retto se la sua ampiezza è di 90°", kExclamation, "Titolo à");
    QCOMPARE(r.world.dialogs.messages.size(), 1);
    QCOMPARE(r.world.dialogs.messages[0].prompt,
             QStringLiteral(" Un angolo si dice retto se la sua ampiezza è di 90°"));
    QCOMPARE(r.world.dialogs.messages[0].style, int(kExclamation));
    QCOMPARE(r.world.dialogs.messages[0].title, QStringLiteral("Titolo à"));
    QCOMPARE(r.ui.InputBox("Come ti chiami?", "Riconosciamo gli angoli"), std::string("Zoë"));
    QCOMPARE(r.world.dialogs.inputs[0].prompt, QStringLiteral("Come ti chiami?"));
    QCOMPARE(r.ui.InputBox("Come ti chiami?", "Riconosciamo gli angoli"), std::string());
}

void tst_Runtime::timerTicksOnlyWhileEnabled()
{
    // Timer1 is enabled when the window is made; its ticks reach Timer1_Timer only while it is.
    Runtime r;
    QVERIFY(r.world.timer.isEnabled());
    r.world.timer.fire(2);
    r.ui.setTimerEnabled(false);
    r.world.timer.fire(3);
    r.ui.setTimerEnabled(true);
    r.world.timer.fire(1);
    QCOMPARE(r.events.seen, QStringList(3, QStringLiteral("Timer1_Timer")));
}

void tst_Runtime::timeAndEndComeFromTheServices()
{
    Runtime r;
    r.world.time.seconds = 3661.5f;
    QCOMPARE(r.ui.secondsSinceMidnight(), 3661.5f);
    QVERIFY_THROWS_EXCEPTION(ProgramEnded, r.ui.End());
    QCOMPARE(r.world.end.calls, 1);
}

void tst_Runtime::runLoadsThenShowsThenRuns()
{
    // run(): Form_Load while the window is still hidden, then the window, with the focus on
    // "100" and its focus handler run, then its events until the loop ends; run returns the
    // loop's status.
    Runtime r;
    bool hiddenAtLoad = false;
    bool shownInLoop = false;
    bool focusHandled = false;
    r.events.onLoad = [&] {
        hiddenAtLoad = !r.ui.window().isVisible();
        QTimer::singleShot(0, &r.ui.window(), [&] {
            shownInLoop = r.ui.window().isVisible();
            focusHandled = QTest::qWaitFor(
                [&] { return r.events.seen.contains(QStringLiteral("Option1_GotFocus 8")); });
            QCoreApplication::exit(7);
        });
    };
    QCOMPARE(r.ui.run(r.events), 7);
    QVERIFY(hiddenAtLoad);
    QVERIFY(shownInLoop);
    QCOMPARE(r.events.seen.first(), QStringLiteral("Form_Load"));
    QCOMPARE(r.events.seen.count(QStringLiteral("Form_Load")), 1);
    QVERIFY(focusHandled);
    QCOMPARE(r.ui.window().focusWidget(), &r.widget(form::Option1[8].row));
}

void tst_Runtime::windowMadeWhenTheNameIsAsked()
{
    // Told to make the window while the name is asked, the runtime has none before the first
    // input box and one, wired to the game, when the answer comes back; start-up runs as ever.
    FakeServices world;
    QtFormsRuntime ui(world.services(), QtFormsRuntime::MakeWindow::WhileNameIsAsked);
    test::FakeRandom random;
    test::FakeRecords records;
    records.stored = {"7\r\n", "Anna\r\n"};
    Form1 form(ui, random, records);
    ui.attach(form);
    QVERIFY(!ui.windowMade());
    world.timer.fire(); // nothing to count yet
    world.dialogs.names = {QStringLiteral("Dode")};
    form.Form_Load();
    QVERIFY(ui.windowMade());
    QCOMPARE(world.dialogs.inputs.size(), 1);
    QCOMPARE(ui.Caption(form::lblnome1), std::string("Dode"));
    QCOMPARE(ui.Caption(form::lblconto), std::string("00:15:00"));
    QCOMPARE(ui.Caption(form::lblpunti), std::string("7\r\n"));
    ui.window().show();
    QVERIFY(QTest::qWaitForWindowExposed(&ui.window()));
    QTest::mouseClick(ui.window().widgets().widget(form::Option1[11].row), Qt::LeftButton);
    QCOMPARE(ui.Caption(form::lbltotal4), std::string("270"));
}

QTEST_MAIN(tst_Runtime)
#include "tst_runtime.moc"
