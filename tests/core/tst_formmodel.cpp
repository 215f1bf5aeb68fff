// SPDX-License-Identifier: GPL-3.0-or-later
// The form model every face renders: tab order, the events controls raise, what screen readers
// hear, and the runtime's rules on top of it (the window made while the name is asked).
#include "game/controls.h"
#include "game/modelledruntime.h"
#include "support/fakeruntime.h"
#include "support/recordedevents.h"

#include <doctest.h>

#include <chrono>
#include <string>
#include <vector>

using namespace angoli;

namespace
{

std::size_t rowOf(std::string_view name, int index = -1)
{
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        if (name == layout::kControls[row].name && index == layout::kControls[row].index)
            return row;
    }
    FAIL("no control " << name);
    return 0;
}

// The captions of the controls in tab order that can take the focus, starting after from.
std::vector<std::string> cycle(const FormModel &model, std::size_t from, bool backwards)
{
    std::vector<std::string> seen;
    std::size_t at = from;
    for (std::size_t i = 0; i < form::kTabOrder.size(); ++i) {
        at = model.nextFocus(at, backwards).value();
        if (at == from)
            break;
        seen.push_back(layout::kControls[at].name == std::string_view("Picture1")
                           ? "Picture1"
                           : model[at].caption);
    }
    return seen;
}

// A face that only writes down what the shared rules asked of it.
class ScriptedFace final : public ModelledRuntime
{
public:
    std::vector<std::string> log;
    DrawingSurface &surface() override { return drawing; }
    void MsgBox(std::string_view, MsgStyle, std::string_view) override {}
    void Beep() override {}
    float secondsSinceMidnight() override { return 0; }
    [[noreturn]] void End() override { throw test::ProgramEnded{}; }

private:
    void changed(std::size_t row, Change) override
    {
        log.push_back("changed " + std::string(layout::kControls[row].name));
    }
    std::string askText(std::string_view, std::string_view) override
    {
        log.emplace_back("ask");
        return "Pia";
    }
    void runTimer(bool enabled) override { log.push_back(enabled ? "run" : "stop"); }
    void makeWindow() override { log.emplace_back("make"); }
    void makeWindowAfter(std::chrono::milliseconds delay) override
    {
        log.push_back("make after " + std::to_string(delay.count()) + " ms");
    }
    RecordingSurface drawing;
};

} // namespace

TEST_CASE("the keyboard's focus follows TabIndex over the controls that are shown and enabled")
{
    FormModel model;
    // As laid out "1" is disabled; the first focus is "100" (TabIndex 1, Command1 is disabled).
    REQUIRE(model.firstFocus() == rowOf("Option1", 8));
    const std::vector<std::string> laidOut = {"90", "2",        "5",    "9",        "10",  "30",
                                              "50", "Picture1", "Esci", "Verifica", "180", "270"};
    CHECK(cycle(model, rowOf("Option1", 8), false) == laidOut);

    SUBCASE("once start-up enables \"1\" it follows \"90\"; backwards runs the other way")
    {
        model.setEnabled(rowOf("Option1", 1), true);
        const std::vector<std::string> forwards = {"90",       "1",   "2",  "5",        "9",
                                                   "10",       "30",  "50", "Picture1", "Esci",
                                                   "Verifica", "180", "270"};
        CHECK(cycle(model, rowOf("Option1", 8), false) == forwards);
        const std::vector<std::string> backwards(forwards.rbegin(), forwards.rend());
        CHECK(cycle(model, rowOf("Option1", 8), true) == backwards);
    }
    SUBCASE("a control outside the order (a label) hands the focus to the first or the last")
    {
        CHECK(model.nextFocus(rowOf("lblScore"), false) == rowOf("Option1", 8));
        CHECK(model.nextFocus(rowOf("lblScore"), true) == rowOf("Option1", 11));
    }
    SUBCASE("with every control disabled nothing takes the focus")
    {
        for (const std::uint8_t row : form::kTabOrder)
            model.setEnabled(row, false);
        CHECK_FALSE(model.firstFocus());
        CHECK_FALSE(model.nextFocus(rowOf("Option1", 8), false));
    }
}

TEST_CASE("pressing a control raises its handler: a value button is selected before its click")
{
    struct Row {
        const char *name;
        int index;
        const char *raised; // nullptr: nothing
        bool takesEnter;
    };
    const Row rows[] = {
        {"Option1", 8, "Option1_Click 8 selected", false},
        {"Option1", 1, "Option1_Click 1 selected", false},
        {"cmdverifica", -1, "cmdverifica_Click", true},
        {"Cmdexit1", -1, "Cmdexit1_Click", true},
        {"Command1", -1, nullptr, false},
        {"Command2", -1, nullptr, false},
        {"Picture1", -1, nullptr, false},
        {"lblScore", -1, nullptr, false},
    };
    for (const Row &r : rows) {
        CAPTURE(r.name);
        CAPTURE(r.index);
        ScriptedFace face;
        test::RecordedEvents events(face.model());
        face.attach(events);
        const std::size_t row = rowOf(r.name, r.index);
        face.press(row);
        CHECK(events.raised ==
              (r.raised ? std::vector<std::string>{r.raised} : std::vector<std::string>{}));
        CHECK(form::takesEnter(row) == r.takesEnter);
    }
}

TEST_CASE("focus, menu and timer input reach only the handlers the window has")
{
    ScriptedFace face;
    test::RecordedEvents early(face.model());
    face.attach(early);
    face.tick(); // an event loop run before start-up made the window: nothing to count
    CHECK(early.raised.empty());
    face.makeWindowNow();
    test::RecordedEvents events(face.model());
    face.attach(events);
    face.gotFocus(rowOf("Option1", 9));
    face.gotFocus(rowOf("cmdverifica")); // no focus handler
    face.openHelpMenu();
    face.chooseMenuItem(form::retto);
    face.chooseMenuItem(MenuCommand{0}); // the menu's title is no item
    face.chooseMenuItem(MenuCommand{std::uint8_t(layout::kMenu.size())});
    face.tick(); // Timer1 is enabled as laid out
    face.setTimerEnabled(false);
    face.tick();
    CHECK(events.raised == std::vector<std::string>{"Option1_GotFocus 9", "help_Click",
                                                    "Menu_Click retto", "Timer1_Timer"});
}

TEST_CASE("the window is made while the name is asked, once, and a change is told only when "
          "something changed")
{
    ScriptedFace face;
    CHECK(face.InputBox("Come ti chiami?", "Riconosciamo gli angoli") == "Pia");
    CHECK(face.windowMade());
    face.InputBox("again", "t"); // the window exists: asked at once
    face.setCaption(form::lblnome1, "Pia");
    face.setCaption(form::lblnome1, "Pia");
    face.setValue(form::Option1[3], false); // already released
    face.setForeColor(form::Option1[3], 0x00FFFF80);
    face.setTimerEnabled(true);
    CHECK(face.log == std::vector<std::string>{"make after 100 ms", "ask", "make", "ask",
                                               "changed lblnome1", "changed Option1", "run"});
}

TEST_CASE("a screen reader hears each control's Italian name and description")
{
    FormModel model;
    model.setCaption(rowOf("lbltotal4"), "270");
    model.setCaption(rowOf("lblnome"), "Dode\r\n");
    model.setCaption(rowOf("lblconto"), "00:14:59");
    struct Row {
        const char *name;
        int index;
        SpokenTexts spoken;
    };
    const Row rows[] = {
        {"lbltotal4", -1, {"Totale: 270", "La somma dei pulsanti premuti per questo angolo"}},
        {"lblnome",
         -1,
         {"Detentore del record: Dode", "Il nome di chi ha il record di questo computer"}},
        {"lblconto",
         -1,
         {"Tempo restante: 00:14:59",
          "Ore, minuti e secondi che restano fino alla fine del gioco"}},
        {"Option1", 8, {"100", "Aggiunge 100 al totale"}},
        {"cmdverifica",
         -1,
         {"Verifica", "Controlla se il totale è l'angolo esplementare e passa "
                      "all'angolo successivo"}},
        {"Label7", -1, {"Angoli esplementari", ""}},
        {"Command2", -1, {"Nuova nota", "Per avere un'altra nota cliccami."}},
    };
    for (const Row &r : rows) {
        CAPTURE(r.name);
        CHECK(model.spoken(rowOf(r.name, r.index)) == r.spoken);
    }
    CHECK(form::isSpokenLabel(rowOf("lbltotal4")));
    CHECK_FALSE(form::isSpokenLabel(rowOf("lbltotal2"))); // repeats lbltotal4
    CHECK_FALSE(form::isSpokenLabel(rowOf("Label9")));    // lies under the "1" button
    int announced = 0;
    for (std::size_t row = 0; row < layout::kControls.size(); ++row)
        announced += form::isAnnounced(row) ? 1 : 0;
    CHECK(announced == 4);
    CHECK(form::isAnnounced(rowOf("lbltotal4")));
    CHECK_FALSE(form::isAnnounced(rowOf("lblconto"))); // every second would drown the rest
}

TEST_CASE("spoken texts: the caption in the layout's words, its line breaks and blanks as one")
{
    struct Case {
        const char *name;
        int index;
        const char *caption;
        SpokenTexts spoken;
    };
    const Case cases[] = {
        {"lblnome",
         -1,
         " Anna\r\n",
         {"Detentore del record: Anna", "Il nome di chi ha il record di questo computer"}},
        {"lblnome",
         -1,
         "Anna\r\nMaria",
         {"Detentore del record: Anna Maria", "Il nome di chi ha il record di questo computer"}},
        {"lblangolo",
         -1,
         "",
         {"Angolo verde in gradi:",
          "La misura dell'angolo verde; il suo esplementare è la parte blu da trovare"}},
        // A "%1" in the caption stays as typed: only the layout's own is replaced.
        {"lblnome1", -1, "100%1", {"Sfidante: 100%1", "Il nome di chi sta giocando"}},
        {"Label6", 0, "Risposte\t esatte", {"Risposte esatte", ""}},
        {"Option1", 9, "90", {"90", "Aggiunge 90 al totale"}},
    };
    for (const Case &c : cases) {
        CAPTURE(c.caption);
        CHECK(FormModel::spoken(rowOf(c.name, c.index), c.caption) == c.spoken);
    }
}

TEST_CASE("Command2 shows its second picture while disabled, and its own mouse pointer; the others "
          "show their own")
{
    FormModel model;
    CHECK(model.picture(rowOf("Command2")) == layout::kCommand2SecondPicture);
    model.setEnabled(rowOf("Command2"), true);
    CHECK(model.picture(rowOf("Command2")) == 17);
    CHECK(model.picture(rowOf("Option1", 8)) == 11);
    CHECK(model.picture(rowOf("Command1")) == layout::kNoPicture);
    CHECK(form::cursor(rowOf("Command2")) == layout::kCommand2Cursor);
    CHECK(form::cursor(rowOf("Option1", 3)) == layout::kNoPicture);
}
