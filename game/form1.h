// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/gamestate.h"
#include "runtime/formsruntime.h"

#include <string>
#include <string_view>

namespace angoli
{

class RandomSource;
class RecordFolder;
struct Definition;

// The game: its state and one handler per event of the window, which it reaches through the
// forms runtime. It knows no toolkit.
class Form1 final : public FormEvents
{
public:
    Form1(FormsRuntime &ui, RandomSource &random, RecordFolder &records);

    // Start-up, run once before the window is first shown.
    void Form_Load() override;

    // The quiz.
    void Command1_Click();
    void Option1_Click(int Index) override;
    void Option1_GotFocus(int Index) override;
    void Command4_Click();
    void cmdverifica_Click() override;

    // The clock and the end of the game.
    void Timer1_Timer() override;
    void Cmdexit1_Click() override;

    // The Help menu.
    void help_Click() override;
    void Menu_Click(MenuCommand item) override;
    void acuto_Click();
    void retto_Click();
    void ottuso_Click();
    void piatto_Click();
    void concavo_Click();
    void grio_Click();
    void expl_Click();

    std::string GetSystemDir();

    const GameState &state() const { return m_state; }

private:
    void Avviaconto();
    // A message box; an empty title stands for the application title.
    void MsgBox(std::string_view prompt, MsgStyle style = kPlain, std::string_view title = {});
    void setTotals(std::string_view text);
    void showDefinition(const Definition &d);

    FormsRuntime &m_ui;
    RandomSource &m_random;
    RecordFolder &m_records;
    GameState m_state;
    bool m_exiting = false; // the exit runs once, even if the clock runs out under its messages
};

} // namespace angoli
