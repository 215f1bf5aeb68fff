// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakeruntime.h"

namespace angoli::test
{

FakeRuntime::FakeRuntime()
    : drawing(kOuterWidthPx * layout::kTwipsPerPixel, kOuterHeightPx * layout::kTwipsPerPixel)
{
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        const layout::Control &c = layout::kControls[row];
        m_captions[row] = c.caption ? c.caption : "";
        m_buttons[row] = {m_captions[row], false, c.visible, c.enabled, c.backColor, c.foreColor};
    }
}

std::string FakeRuntime::Caption(Label label) const
{
    return m_captions[label.row];
}

void FakeRuntime::setCaption(Label label, std::string_view text)
{
    m_captions[label.row] = text;
    log.push_back(std::string(layout::kControls[label.row].name) + " = " + std::string(text));
}

std::string FakeRuntime::Caption(OptionButton button) const
{
    return m_buttons[button.row].caption;
}

void FakeRuntime::setValue(OptionButton button, bool value)
{
    m_buttons[button.row].value = value;
}

void FakeRuntime::setBackColor(OptionButton button, Colour colour)
{
    m_buttons[button.row].back = colour;
}

void FakeRuntime::setForeColor(OptionButton button, Colour colour)
{
    m_buttons[button.row].fore = colour;
}

void FakeRuntime::setVisible(OptionButton button, bool visible)
{
    m_buttons[button.row].visible = visible;
}

void FakeRuntime::setEnabled(OptionButton button, bool enabled)
{
    m_buttons[button.row].enabled = enabled;
}

void FakeRuntime::MsgBox(std::string_view prompt, MsgStyle style, std::string_view title)
{
    messages.push_back({std::string(prompt), style, std::string(title)});
    log.emplace_back("MsgBox");
    if (onMessage)
        onMessage(messages.back());
}

std::string FakeRuntime::InputBox(std::string_view prompt, std::string_view title)
{
    inputs.push_back({std::string(prompt), kPlain, std::string(title)});
    log.emplace_back("InputBox");
    if (names.empty())
        return {};
    std::string name = names.front();
    names.pop_front();
    return name;
}

void FakeRuntime::setTimerEnabled(bool enabled)
{
    m_timerEnabled = enabled;
    log.emplace_back(enabled ? "Timer on" : "Timer off");
}

void FakeRuntime::Beep()
{
    ++beeps;
    log.emplace_back("Beep");
}

void FakeRuntime::End()
{
    ++endCalls;
    log.emplace_back("End");
    if (onEnd)
        onEnd();
    throw ProgramEnded{};
}

void FakeRuntime::tick(int n)
{
    for (int i = 0; i < n && m_timerEnabled && events; ++i)
        events->Timer1_Timer();
}

} // namespace angoli::test
