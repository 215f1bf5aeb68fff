// SPDX-License-Identifier: GPL-3.0-or-later
// The Help menu: the instruction and the definitions.
#include "game/form1.h"

#include "game/controls.h"
#include "game/definitions.h"

namespace angoli
{

namespace
{
struct MenuHandler {
    MenuCommand item;
    void (Form1::*handler)();
};
// Items without a handler (the credits) do nothing.
constexpr MenuHandler kMenuHandlers[] = {
    {form::acuto, &Form1::acuto_Click},     {form::retto, &Form1::retto_Click},
    {form::ottuso, &Form1::ottuso_Click},   {form::piatto, &Form1::piatto_Click},
    {form::concavo, &Form1::concavo_Click}, {form::grio, &Form1::grio_Click},
    {form::expl, &Form1::expl_Click},
};
} // namespace

void Form1::Menu_Click(MenuCommand item)
{
    for (const MenuHandler &h : kMenuHandlers) {
        if (h.item == item)
            (this->*h.handler)();
    }
}

void Form1::showDefinition(const Definition &d)
{
    MsgBox(d.prompt, d.style, d.title ? std::string_view(d.title) : std::string_view());
}

void Form1::help_Click()
{
    showDefinition(definitionOf("help"));
}
void Form1::acuto_Click()
{
    showDefinition(definitionOf("acuto"));
}
void Form1::retto_Click()
{
    showDefinition(definitionOf("retto"));
}
void Form1::ottuso_Click()
{
    showDefinition(definitionOf("ottuso"));
}
void Form1::piatto_Click()
{
    showDefinition(definitionOf("piatto"));
}
void Form1::concavo_Click()
{
    showDefinition(definitionOf("concavo"));
}
void Form1::grio_Click()
{
    showDefinition(definitionOf("grio"));
}
void Form1::expl_Click()
{
    showDefinition(definitionOf("expl"));
}

} // namespace angoli
