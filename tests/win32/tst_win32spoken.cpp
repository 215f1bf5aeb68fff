// SPDX-License-Identifier: GPL-3.0-or-later
// What a screen reader is told of a control on Windows: the layout's Italian name with the
// caption in place of "%1", line breaks and runs of blanks read as one blank.
#include "game/controls.h"
#include "platform/win32/formaccessible.h"

#include <doctest.h>

using namespace angoli;

TEST_CASE("spoken texts: the caption in the layout's words, its line breaks as blanks")
{
    struct Case {
        int row;
        const char *caption, *name, *description;
    };
    const Case cases[] = {
        {form::lblnome.row, " Anna\r\n", "Detentore del record: Anna",
         "Il nome di chi ha il record di questo computer"},
        {form::lblnome.row, "Anna\r\nMaria", "Detentore del record: Anna Maria",
         "Il nome di chi ha il record di questo computer"},
        {form::lblangolo.row, "", "Angolo verde in gradi:",
         "La misura dell'angolo verde; il suo esplementare è la parte blu da trovare"},
        {form::lblnome1.row, "100%1", "Sfidante: 100%1", "Il nome di chi sta giocando"},
        {layout::rowOf("Label6", 0), "Risposte\t esatte", "Risposte esatte", ""},
        {form::Option1[9].row, "90", "90", "Aggiunge 90 al totale"},
        {layout::rowOf("Command2", -1), "Nuova nota", "Nuova nota",
         "Per avere un'altra nota cliccami."},
    };
    for (const Case &k : cases) {
        CAPTURE(k.caption);
        const win32::SpokenTexts texts = win32::spokenTexts(k.row, k.caption);
        CHECK(texts.name == k.name);
        CHECK(texts.description == k.description);
    }
}
