// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The 47 controls of the window, as data. Included by resources/layout.h.
#include "resources/layout.h"

#include <array>

namespace angoli::layout
{

namespace table
{

constexpr Font kDefault{};
constexpr Font kSans12Bold{"MS Sans Serif", 12, true};
constexpr Font kSans13{"MS Sans Serif", 13.5, false};
constexpr Font kSans13Bold{"MS Sans Serif", 13.5, true};
constexpr Font kSans24Bold{"MS Sans Serif", 24, true};
constexpr Font kTimes36Bold{"Times New Roman", 36, true};

constexpr char kValueTip[] = "Cliccando successivamente sui vari pulsanti otterrai la somma";
constexpr Accessible kValueButton{nullptr, "Aggiunge %1 al totale"};
constexpr Colour kTeal = 0x00C0C000;

constexpr Control value(int index, const char *caption, int left, Colour fore, int picture, int tab,
                        bool enabled)
{
    return {"Option1", index,       Kind::GraphicOption, caption, left,    472,       65,  70,
            fore,      kTeal,       kSans12Bold,         kNone,   picture, kValueTip, tab, enabled,
            true,      kValueButton};
}

constexpr Control label(const char *name, const char *caption, int left, int top, int width,
                        int height, Colour fore, Colour back, Font font, unsigned flags, int tab,
                        int index = -1, const char *tooltip = nullptr)
{
    return {name, index, Kind::Label, caption,    left,    top, width, height, fore,
            back, font,  flags,       kNoPicture, tooltip, tab, true,  true};
}

constexpr Control shape(const char *name, int left, int top, int width, int height, Colour border,
                        Colour inside, bool visible)
{
    return {name,   -1,       Kind::Shape, nullptr,    left,    top, width, height, border,
            inside, kDefault, kNone,       kNoPicture, nullptr, -1,  true,  visible};
}

// The control with what a screen reader says about it.
constexpr Control described(Control control, Accessible accessible)
{
    control.accessible = accessible;
    return control;
}

constexpr unsigned kT = kTransparent;

} // namespace table

// Every control of the window, windowed ones first, each group front to back.
// clang-format off
inline constexpr auto kControls = [] {
    using namespace table;
    return std::array{
    // Windowed controls, front to back.
    value(1, "1", 5, 0x00FFFF00, 3, 19, false),
    value(11, "270", 675, 0x00FFFF00, 13, 32, true),
    value(10, "180", 608, 0x00FFFF00, 12, 31, true),
    Control{"cmdverifica", -1, Kind::GraphicButton, "Verifica", 16, 240, 113, 81,
            kSysButtonText, 0x0080FF80, kSans13, kNone, 14,
            "Cliccami quando hai raggiunto l'ampiezza dell'esplementare", 30, true, true,
            {"Verifica", "Controlla se il totale è l'angolo esplementare e passa all'angolo "
                         "successivo"}},
    Control{"Cmdexit1", -1, Kind::GraphicButton, "Esci", 616, 240, 113, 81,
            kSysButtonText, 0x00FF00FF, kDefault, kNone, 15,
            "Clliccami per uscire", 29, true, true,
            {"Esci", "Termina il gioco e, se hai battuto il record, lo registra"}},
    value(6, "30", 340, 0x00FFFF00, 8, 24, true),
    value(5, "10", 273, 0x00FFFF00, 7, 23, true),
    value(4, "9", 206, 0x00FFFF80, 6, 22, true),
    value(3, "5", 139, 0x00FFFF00, 5, 21, true),
    value(2, "2", 72, 0x00FFFF80, 4, 20, true),
    Control{"Command4", -1, Kind::PushButton, "Command4", 24, 488, 33, 41,
            kSysButtonText, kSysButtonFace, kDefault, kNone, kNoPicture, nullptr, 18, false, true},
    Control{"Command2", -1, Kind::GraphicButton, "Nuova nota", 176, 488, 25, 45,
            kSysButtonText, 0x00C0C0C0, Font{"MS Sans Serif", 8.25, true}, kNone,
            17, "Per avere un'altra nota cliccami.", 17, false, true},
    Control{"Timer1", -1, Kind::Timer, nullptr, 0, 0, 0, 0, 0, 0, kDefault, kNone, kNoPicture,
            nullptr, -1, true, false},
    Control{"Command1", -1, Kind::PushButton, "Go", 16, 488, 33, 41,
            kSysButtonText, kSysButtonFace, kDefault, kNone, kNoPicture, nullptr, 0, false, true},
    Control{"Picture1", -1, Kind::PictureBox, nullptr, 184, 488, 9, 41,
            kSysButtonText, kSysButtonFace, kDefault, kNone, 20, nullptr, 26,
            true, true,
            // It takes the focus from the keyboard although the "5" button covers it.
            {"Immagine BACK", "Un'immagine coperta dal pulsante 5: non fa nulla"}},
    value(9, "90", 474, 0x00FFFF00, 10, 16, true),
    Control{"Option1", 0, Kind::RadioOption, "0", 192, 120, 105, 73,
            kSysButtonText, kSysButtonFace, kDefault, kNone, kNoPicture, nullptr, 15, false, false},
    value(8, "100", 541, 0x00FFFF00, 11, 1, true),
    value(7, "50", 407, 0x00FFFF00, 9, 25, true),
    Control{"Command3", -1, Kind::PushButton, "Complementari", 592, 488, 9, 33,
            kSysButtonText, kSysButtonFace, kDefault, kNone, kNoPicture, nullptr, 5, false, false},

    // Windowless controls, front to back: painted on the window under every button.
    // Label8 and Label9 lie under the "1" button, the back three totals repeat lbltotal4.
    label("Label9", "°", 40, 504, 17, 25, 0x00FFFF00, 0, kSans13Bold, kT | kDecorative, 40),
    label("Label8", "°", 40, 512, 17, 9, kSysButtonText, kSysButtonFace, kDefault, kDecorative,
          39),
    label("Label7", "Angoli esplementari", 224, 24, 257, 33, 0x00FF00FF, 0, kSans13Bold,
          kT | kCentred, 38),
    label("Label5", "Determina  il suo angolo esplementare (in blu) cliccando sui pulsanti in basso",
          0, 152, 169, 113, 0x000000FF, 0, kSans12Bold, kT, 37),
    described(label("lbltotal4", "0", 348, 432, 113, 97, 0x00FFFF00, 0, kSans24Bold, kT, 36),
              {"Totale: %1", "La somma dei pulsanti premuti per questo angolo"}),
    label("lbltotal3", "0", 346, 432, 145, 97, 0x00C00000, 0, kSans24Bold, kT | kDecorative, 35),
    label("lbltotale", "0", 347, 432, 137, 57, 0x00FF8080, 0, kSans24Bold, kT | kDecorative, 33),
    shape("Shape3", 120, 392, 57, 25, 0x00C0C000, 0x00C0C000, false),
    shape("Shape1", 0, 464, 753, 97, 0x00FF0000, 0x00400000, true),
    label("Label4", "Il primo angolo (in verde) misura gradi", 0, 24, 153, 89, kSysButtonText, 0,
          kSans13Bold, kT, 28),
    described(label("lblangolo", "", 16, 104, 89, 49, 0x0000C000, 0x00FFFF80, kSans24Bold,
                    kBorder | kCentred, 27),
              {"Angolo verde in gradi: %1",
               "La misura dell'angolo verde; il suo esplementare è la parte blu da trovare"}),
    described(label("lblScore", "0", 48, 368, 37, 59, 0x0000FF00, 0x00FFFFC0, kTimes36Bold,
                    kBorder | kCentred | kAutoSize, 14, -1,
                    "Questo è il tuo punteggio. Forza con il  record"),
              {"Risposte esatte: %1", "Il tuo punteggio: il numero di risposte esatte"}),
    described(label("lblconto", "00.00.00", 592, 104, 137, 41, 0x0000FFFF, 0,
                    Font{"Arial Black", 18, true}, kT | kBorder | kCentred, 13),
              {"Tempo restante: %1", "Ore, minuti e secondi che restano fino alla fine del gioco"}),
    described(label("lblScore1", "0", 656, 368, 36, 59, 0x000000FF, 0x00FFFFC0, kTimes36Bold,
                    kBorder | kCentred | kAutoSize, 12),
              {"Risposte errate: %1", "Il numero di risposte sbagliate"}),
    label("Label6", "Risposte errate", 600, 328, 139, 28, 0x000000FF, 0x00FFFF00, kSans13,
          kBorder | kCentred | kAutoSize, 11, 1),
    described(label("lblpunti", "Label3", 464, 0, 81, 65, 0x00FF0000, 0, kSans13Bold, kT, 10),
              {"Punti del record: %1",
               "Il record di questo computer: il maggior numero di risposte esatte"}),
    described(label("lblnome", "Label3", 128, 0, 64, 24, 0x00FF0000, 0, kSans13Bold,
                    kT | kCentred | kAutoSize, 9),
              {"Detentore del record: %1", "Il nome di chi ha il record di questo computer"}),
    label("tempo", "Tempo restante", 568, 48, 169, 41, 0x0080FFFF, 0, kSans13Bold,
          kT | kBorder | kCentred, 8),
    label("Label2", "Il record è di", 8, 0, 119, 24, 0x00FF0000, 0, kSans13Bold, kT | kAutoSize, 7),
    label("Label3", "con punti", 360, 0, 113, 33, 0x00FF0000, 0, kSans13Bold, kT, 6),
    label("Label1", "Sfidante", 16, 432, 74, 24, 0x00FF00FF, 0,
          Font{"Times New Roman", 15.75, true}, kT | kCentred | kAutoSize, 4),
    label("Label6", "Risposte esatte", 8, 328, 131, 28, 0x0000FF00, 0x00FFFF80, kSans13,
          kBorder | kCentred | kAutoSize, 3, 0),
    described(label("lblnome1", "Label3", 104, 432, 56, 24, 0x00FF00FF, 0, kSans13, kT | kAutoSize,
                    2),
              {"Sfidante: %1", "Il nome di chi sta giocando"}),
    Control{"Image1", 1, Kind::Image, nullptr, 536, 88, 32, 32, 0, 0, kDefault, kNone,
            19, nullptr, -1, true, true},
    shape("Shape2", 0, 0, 748, 25, 0x00FF0000, 0x00C0FFFF, true),
    label("lbltotal2", "0", 344, 432, 137, 113, 0x0080FF80, 0, kSans24Bold, kT | kDecorative, 34),
    shape("Shape4", 208, 24, 297, 33, kSysWindowText, kSysWindow, true),
};
}();
// clang-format on

} // namespace angoli::layout
