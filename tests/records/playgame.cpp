// SPDX-License-Identifier: GPL-3.0-or-later
#include "playgame.h"

#include "game/controls.h"
#include "game/form1.h"
#include "support/fakeruntime.h"
#include "support/game.h"

#include <chrono>

namespace angoli::test
{

namespace
{

void put(std::string &out, const std::string &field)
{
    out += std::to_string(field.size()) + ':' + field;
}

std::optional<std::string> take(const std::string &in, std::size_t &pos)
{
    const std::size_t colon = in.find(':', pos);
    if (colon == std::string::npos)
        return std::nullopt;
    const std::size_t size = std::stoul(in.substr(pos, colon - pos));
    if (colon + 1 + size > in.size())
        return std::nullopt;
    pos = colon + 1 + size;
    return in.substr(colon + 1, size);
}

} // namespace

Played playGame(RecordFolder &records, const std::string &name, const std::string &exitScore)
{
    FakeRuntime ui;
    FakeRandom random;
    Form1 form{ui, random, records};
    ui.attach(form);
    ui.names = {name};
    Played played;
    using Clock = std::chrono::steady_clock;
    const auto since = [](Clock::time_point start) {
        return long(
            std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count());
    };
    auto started = Clock::now();
    try {
        form.Form_Load();
        played.startUpMs = since(started);
        played.startedUp = true;
        played.shownScore = ui.Caption(form::lblpunti);
        played.shownHolder = ui.Caption(form::lblnome);
        ui.setCaption(form::lblScore, exitScore);
        started = Clock::now();
        form.Cmdexit1_Click();
    } catch (const ProgramEnded &) {
    }
    (played.startedUp ? played.exitMs : played.startUpMs) = since(started);
    played.endCalls = ui.endCalls;
    for (const Shown &shown : ui.messages)
        played.messages.push_back(shown.prompt);
    return played;
}

std::string encodePlayed(const Played &played)
{
    std::string out;
    put(out, played.startedUp ? "1" : "0");
    put(out, std::to_string(played.endCalls));
    put(out, played.shownScore);
    put(out, played.shownHolder);
    put(out, std::to_string(played.startUpMs));
    put(out, std::to_string(played.exitMs));
    for (const std::string &message : played.messages)
        put(out, message);
    return out;
}

std::optional<Played> decodePlayed(const std::string &bytes)
{
    std::size_t pos = 0;
    const auto started = take(bytes, pos);
    const auto ends = take(bytes, pos);
    const auto score = take(bytes, pos);
    const auto holder = take(bytes, pos);
    const auto startUpMs = take(bytes, pos);
    const auto exitMs = take(bytes, pos);
    if (!started || !ends || !score || !holder || !startUpMs || !exitMs)
        return std::nullopt;
    Played played{*started == "1",       std::stoi(*ends),  {}, *score, *holder,
                  std::stol(*startUpMs), std::stol(*exitMs)};
    while (pos < bytes.size()) {
        const auto message = take(bytes, pos);
        if (!message)
            return std::nullopt;
        played.messages.push_back(*message);
    }
    return played;
}

} // namespace angoli::test
