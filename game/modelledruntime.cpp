// SPDX-License-Identifier: GPL-3.0-or-later
#include "game/modelledruntime.h"

namespace angoli
{

namespace
{

// Where the window's events go while no game is attached.
class NoEvents final : public FormEvents
{
public:
    void Form_Load() override {}
    void Option1_Click(int) override {}
    void Option1_GotFocus(int) override {}
    void cmdverifica_Click() override {}
    void Cmdexit1_Click() override {}
    void help_Click() override {}
    void Menu_Click(MenuCommand) override {}
    void Timer1_Timer() override {}
};
NoEvents g_noEvents;

} // namespace

ModelledRuntime::ModelledRuntime() : m_events(&g_noEvents) {}

void ModelledRuntime::press(std::size_t row)
{
    switch (form::raises(row)) {
    case Raises::Option1_Click:
        set(row, Change::Value, m_model.setValue(row, true));
        m_events->Option1_Click(layout::kControls[row].index);
        break;
    case Raises::cmdverifica_Click:
        m_events->cmdverifica_Click();
        break;
    case Raises::Cmdexit1_Click:
        m_events->Cmdexit1_Click();
        break;
    case Raises::Nothing:
        break;
    }
}

void ModelledRuntime::gotFocus(std::size_t row)
{
    if (form::raises(row) == Raises::Option1_Click)
        m_events->Option1_GotFocus(layout::kControls[row].index);
}

void ModelledRuntime::openHelpMenu()
{
    m_events->help_Click();
}

void ModelledRuntime::chooseMenuItem(MenuCommand item)
{
    if (item.row > 0 && item.row < layout::kMenu.size())
        m_events->Menu_Click(item);
}

void ModelledRuntime::tick()
{
    // A tick from an event loop run before start-up has made the window counts nothing.
    if (m_windowMade && m_model.timerEnabled())
        m_events->Timer1_Timer();
}

void ModelledRuntime::makeWindowNow()
{
    if (m_windowMade)
        return;
    m_windowMade = true;
    makeWindow();
}

void ModelledRuntime::set(std::size_t row, Change what, bool changedIt)
{
    if (changedIt)
        changed(row, what);
}

void ModelledRuntime::fitTo(std::size_t row, int width, int height)
{
    set(row, Change::Size, m_model.fitTo(row, width, height));
}

std::string ModelledRuntime::Caption(Label label) const
{
    return m_model[label.row].caption;
}

void ModelledRuntime::setCaption(Label label, std::string_view text)
{
    set(label.row, Change::Caption, m_model.setCaption(label.row, text));
}

std::string ModelledRuntime::Caption(OptionButton button) const
{
    return m_model[button.row].caption;
}

void ModelledRuntime::setValue(OptionButton button, bool value)
{
    set(button.row, Change::Value, m_model.setValue(button.row, value));
}

void ModelledRuntime::setBackColor(OptionButton button, Colour colour)
{
    set(button.row, Change::Colours, m_model.setBackColor(button.row, colour));
}

void ModelledRuntime::setForeColor(OptionButton button, Colour colour)
{
    set(button.row, Change::Colours, m_model.setForeColor(button.row, colour));
}

void ModelledRuntime::setVisible(OptionButton button, bool visible)
{
    set(button.row, Change::Visible, m_model.setVisible(button.row, visible));
}

void ModelledRuntime::setEnabled(OptionButton button, bool enabled)
{
    set(button.row, Change::Enabled, m_model.setEnabled(button.row, enabled));
}

std::string ModelledRuntime::InputBox(std::string_view prompt, std::string_view title)
{
    if (m_windowMade)
        return askText(prompt, title);
    makeWindowAfter(kMakeWindowDelay);
    std::string typed = askText(prompt, title);
    makeWindowNow();
    return typed;
}

void ModelledRuntime::setTimerEnabled(bool enabled)
{
    m_model.setTimerEnabled(enabled);
    runTimer(enabled);
}

} // namespace angoli
