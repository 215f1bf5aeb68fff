// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "game/controls.h"
#include "game/formmodel.h"
#include "runtime/formsruntime.h"

#include <string>
#include <vector>

namespace angoli::test
{

// The handlers a window raised, in order, in place of the game: "Option1_Click 5 selected" (a
// value button's click says whether the model had the button selected by then),
// "Option1_GotFocus 9", "cmdverifica_Click", "Menu_Click retto", "Timer1_Timer" and so on.
class RecordedEvents final : public FormEvents
{
public:
    explicit RecordedEvents(const FormModel &model) : m_model(model) {}
    std::vector<std::string> raised;
    void Form_Load() override { raised.emplace_back("Form_Load"); }
    void Option1_Click(int i) override
    {
        const bool selected = m_model[form::Option1[std::size_t(i)].row].value;
        raised.push_back("Option1_Click " + std::to_string(i) + (selected ? " selected" : ""));
    }
    void Option1_GotFocus(int i) override
    {
        raised.push_back("Option1_GotFocus " + std::to_string(i));
    }
    void cmdverifica_Click() override { raised.emplace_back("cmdverifica_Click"); }
    void Cmdexit1_Click() override { raised.emplace_back("Cmdexit1_Click"); }
    void help_Click() override { raised.emplace_back("help_Click"); }
    void Menu_Click(MenuCommand item) override
    {
        raised.push_back("Menu_Click " + std::string(layout::kMenu[item.row].name));
    }
    void Timer1_Timer() override { raised.emplace_back("Timer1_Timer"); }

private:
    const FormModel &m_model;
};

} // namespace angoli::test
