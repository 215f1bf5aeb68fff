#include "game/definitions.h"

#include "platform/services.h"

#include <array>

namespace angoli
{

namespace
{
// clang-format off
constexpr std::array kDefinitions{
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
} // namespace

std::span<const Definition> definitions()
{
    return kDefinitions;
}

} // namespace angoli
