// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/fakeruntime.h"

namespace angoli::test
{

FakeRuntime::FakeRuntime()
    : drawing(kOuterWidthPx * kTwipsPerPixel, kOuterHeightPx * kTwipsPerPixel)
{
    makeWindowNow();
}

void FakeRuntime::setCaption(Label label, std::string_view text)
{
    ModelledRuntime::setCaption(label, text);
    log.push_back(std::string(layout::kControls[label.row].name) + " = " + std::string(text));
}

void FakeRuntime::MsgBox(std::string_view prompt, MsgStyle style, std::string_view title)
{
    messages.push_back({std::string(prompt), style, std::string(title)});
    log.emplace_back("MsgBox");
    if (onMessage)
        onMessage(messages.back());
}

std::string FakeRuntime::askText(std::string_view prompt, std::string_view title)
{
    inputs.push_back({std::string(prompt), kPlain, std::string(title)});
    log.emplace_back("InputBox");
    if (names.empty())
        return {};
    std::string name = names.front();
    names.pop_front();
    return name;
}

void FakeRuntime::runTimer(bool enabled)
{
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
    for (int i = 0; i < n && timerEnabled(); ++i)
        ModelledRuntime::tick();
}

} // namespace angoli::test
