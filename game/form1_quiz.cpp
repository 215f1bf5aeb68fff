// The quiz: a question, the value buttons, and "Verifica".
#include "game/form1.h"

#include "drawing/gradient.h"
#include "drawing/imagesurface.h"
#include "drawing/sector.h"
#include "game/caption.h"
#include "game/graphicbutton.h"
#include "platform/vbruntime.h"

#include <QApplication>
#include <cmath>

namespace angoli
{

namespace
{
constexpr float kCentreX = 350;
constexpr float kCentreY = 250;
constexpr float kRadius = 190;
constexpr Colour kRingColour = 0x00FF00; // bright green outline of the whole disc
constexpr Colour kSectorOutline = 0;     // black
constexpr int kFullTurn = 360;
constexpr double kAngles = 359; // primo is drawn from 1..359
constexpr int kFirstValue = 1;
constexpr int kLastValue = 11;
constexpr Colour kValueBack = 0xC0C000;
constexpr Colour kValueFore = 0xFFFF80;
constexpr char kTooBig[] = " Hai raggiunto un valore maggiore. Il valore esatto era ";
constexpr char kTooSmall[] = "Fai attenzione, hai sbagliato.Il valore esatto era ";
constexpr char kRight[] = " Ok ";

// Counters never wrap: past 32767 they stay where they are.
void increment(qint16 &counter)
{
    counter = addInteger(counter, 1).value_or(counter);
}
} // namespace

void Form1::setTotals(const QString &text)
{
    for (const char *name : {"lbltotale", "lbltotal2", "lbltotal3", "lbltotal4"})
        lbl(name)->setCaption(text);
}

void Form1::Command1_Click()
{
    m_state.somma = 0;
    lbl("lblScore1")->setCaption(CStr(m_state.errate));
    lbl("lblScore")->setCaption(CStr(m_state.esatte));
    setTotals(QStringLiteral("0"));
    m_services.random.Randomize(m_services.time.secondsSinceMidnight());
    const double r = m_services.random.Rnd();
    m_state.primo = *CInt(std::floor(r * kAngles) + 1.0);
    m_state.esplementare = qint16(kFullTurn - m_state.primo);
    surface().setFillColor(QBColor(1));
    pigrecoesettore(surface(), kCentreX, kCentreY, kRadius, kRingColour, 0, float(kFullTurn));
    surface().setFillColor(QBColor(2));
    lbl("lblangolo")->setCaption(CStr(m_state.primo));
    pigrecoesettore(surface(), kCentreX, kCentreY, kRadius, kSectorOutline, 0,
                    float(m_state.primo));
}

void Form1::Option1_Click(int Index)
{
    const double v = Val(controls().option(Index)->text());
    // A total past 32767 does not fit: the click is refused and the game goes on.
    if (const std::optional<qint16> total = addInteger(m_state.somma, v)) {
        m_state.somma = *total;
        setTotals(CStr(m_state.somma));
    } else {
        QApplication::beep();
    }
    for (int i = kFirstValue; i <= kLastValue; ++i)
        controls().option(i)->setValue(false);
}

void Form1::Option1_GotFocus(int Index)
{
    controls().option(Index)->setValue(false);
}

void Form1::Command4_Click()
{
    for (int i = kFirstValue; i <= kLastValue; ++i) {
        GraphicButton *b = controls().option(i);
        b->setBackColor(toQColor(kValueBack));
        b->setForeColor(toQColor(kValueFore));
        b->setVisible(true);
        b->setEnabled(true);
        b->setValue(false);
    }
    Command1_Click();
}

void Form1::cmdverifica_Click()
{
    qint32 red = 0;
    qint32 green = 12;
    qint32 blue = 255;
    bool topToBottom = true;
    Gradient(surface(), red, green, blue, topToBottom);
    lbl("lblScore1")->setCaption(CStr(m_state.errate));
    lbl("lblScore")->setCaption(CStr(m_state.esatte));
    const double e = m_state.esplementare;
    const double s = m_state.somma;
    const QString value = CStr(m_state.esplementare);
    if (e < s) {
        m_services.dialogs.MsgBox(QString::fromUtf8(kTooBig) + value);
        increment(m_state.errate);
    } else if (e > s) {
        m_services.dialogs.MsgBox(QString::fromUtf8(kTooSmall) + value);
        increment(m_state.errate);
    } else {
        m_services.dialogs.MsgBox(QString::fromUtf8(kRight));
        increment(m_state.esatte);
    }
    for (int i = kFirstValue; i <= kLastValue; ++i)
        controls().option(i)->setValue(false);
    m_state.somma = 0;
    Command1_Click();
}

} // namespace angoli
