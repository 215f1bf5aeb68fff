// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "runtime/formsruntime.h"

#include <array>
#include <string_view>

namespace angoli
{

// What each Help command shows.
struct Definition {
    const char *item; // the menu item's name
    const char *prompt;
    MsgStyle style;
    const char *title; // nullptr: the application title
};

// clang-format off
inline constexpr std::array kDefinitions{
    Definition{"help",
               "Per iniziare a giocare clicca  su uno dei pulsante in basso, il suo valore verrà "
               "sommato al valore del pulsante successivo su cui avrai cliccato; quando sei sicuro "
               "di aver raggiunto l'ampiezza esatta clicca su verifica",
               kInformation, "Riconosciamo gli angoli esplementari"},
    Definition{"acuto", " Un angolo si dice acuto se è minore di un angolo retto", kPlain, nullptr},
    Definition{"retto", " Un angolo si dice retto se la sua ampiezza è di 90°", kPlain, nullptr},
    Definition{"ottuso",
               " Un angolo si dice ottuso se è maggiore di un angolo retto, ma è minore di un "
               "angolo piatto",
               kPlain, nullptr},
    Definition{"piatto", " Un angolo si dice piatto se la sua ampiezza è di 180°", kPlain, nullptr},
    Definition{"concavo",
               "Un angolo si dice concavo se contiene i prolungamenti dei suoi lati ed è quindi "
               "maggiore di un angolo piatto",
               kPlain, nullptr},
    Definition{"grio", " Un angolo si dice giro quando la sua ampezza è di 360°", kPlain, nullptr},
    Definition{"expl", "Due angoli sono esplementari se la loro somma è un angolo giro, ossia 360°",
               kPlain, nullptr},
};
// clang-format on

inline void noDefinitionFor(std::string_view) {} // reaching it at compile time is the error

// The definition of a menu item, found at compile time.
consteval const Definition &definitionOf(std::string_view item)
{
    for (const Definition &d : kDefinitions) {
        if (item == d.item)
            return d;
    }
    noDefinitionFor(item);
    return kDefinitions[0];
}

} // namespace angoli
