// SPDX-License-Identifier: GPL-3.0-or-later
// The quiz: a question, the value buttons, and "Verifica".
#include "game/form1.h"

#include "drawing/gradient.h"
#include "drawing/sector.h"
#include "game/controls.h"
#include "runtime/conversions.h"
#include "runtime/random.h"

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
constexpr std::string_view kTooBig = " Hai raggiunto un valore maggiore. Il valore esatto era ";
constexpr std::string_view kTooSmall = "Fai attenzione, hai sbagliato.Il valore esatto era ";
constexpr std::string_view kRight = " Ok ";

// Counters never wrap: past 32767 they stay where they are.
void increment(std::int16_t &counter)
{
    counter = addInteger(counter, 1).value_or(counter);
}
} // namespace

void Form1::setTotals(std::string_view text)
{
    for (const Label total : {form::lbltotale, form::lbltotal2, form::lbltotal3, form::lbltotal4})
        m_ui.setCaption(total, text);
}

void Form1::Command1_Click()
{
    DrawingSurface &window = m_ui.surface();
    m_state.somma = 0;
    m_ui.setCaption(form::lblScore1, CStr(m_state.errate));
    m_ui.setCaption(form::lblScore, CStr(m_state.esatte));
    setTotals("0");
    m_random.Randomize(m_ui.secondsSinceMidnight());
    const double r = m_random.Rnd();
    m_state.primo = *CInt(std::floor(r * kAngles) + 1.0);
    m_state.esplementare = static_cast<std::int16_t>(kFullTurn - m_state.primo);
    window.setFillColor(QBColor(1));
    pigrecoesettore(window, kCentreX, kCentreY, kRadius, kRingColour, 0, float(kFullTurn));
    window.setFillColor(QBColor(2));
    m_ui.setCaption(form::lblangolo, CStr(m_state.primo));
    pigrecoesettore(window, kCentreX, kCentreY, kRadius, kSectorOutline, 0, float(m_state.primo));
}

void Form1::Option1_Click(int Index)
{
    const double v = Val(m_ui.Caption(form::Option1.at(std::size_t(Index))));
    // A total past 32767 does not fit: the click is refused with a beep and the game goes on.
    if (const std::optional<std::int16_t> total = addInteger(m_state.somma, v)) {
        m_state.somma = *total;
        setTotals(CStr(m_state.somma));
    } else {
        m_ui.Beep();
    }
    for (int i = kFirstValue; i <= kLastValue; ++i)
        m_ui.setValue(form::Option1[std::size_t(i)], false);
}

void Form1::Option1_GotFocus(int Index)
{
    m_ui.setValue(form::Option1.at(std::size_t(Index)), false);
}

void Form1::Command4_Click()
{
    for (int i = kFirstValue; i <= kLastValue; ++i) {
        const OptionButton b = form::Option1[std::size_t(i)];
        m_ui.setBackColor(b, kValueBack);
        m_ui.setForeColor(b, kValueFore);
        m_ui.setVisible(b, true);
        m_ui.setEnabled(b, true);
        m_ui.setValue(b, false);
    }
    Command1_Click();
}

void Form1::cmdverifica_Click()
{
    std::int32_t red = 0;
    std::int32_t green = 12;
    std::int32_t blue = 255;
    bool topToBottom = true;
    Gradient(m_ui.surface(), red, green, blue, topToBottom);
    m_ui.setCaption(form::lblScore1, CStr(m_state.errate));
    m_ui.setCaption(form::lblScore, CStr(m_state.esatte));
    const double e = m_state.esplementare;
    const double s = m_state.somma;
    const std::string value = CStr(m_state.esplementare);
    if (e < s) {
        MsgBox(std::string(kTooBig) + value);
        increment(m_state.errate);
    } else if (e > s) {
        MsgBox(std::string(kTooSmall) + value);
        increment(m_state.errate);
    } else {
        MsgBox(kRight);
        increment(m_state.esatte);
    }
    for (int i = kFirstValue; i <= kLastValue; ++i)
        m_ui.setValue(form::Option1[std::size_t(i)], false);
    m_state.somma = 0;
    Command1_Click();
}

} // namespace angoli
