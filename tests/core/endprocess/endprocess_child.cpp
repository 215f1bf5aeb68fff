// SPDX-License-Identifier: GPL-3.0-or-later
// One game that ends the way the real program ends: scripted dialogs and a scripted clock, but
// End hands over to endProcess, so the end of the game is the end of this process.
// tst_endprocess runs it and checks what it printed, its exit status and the records it stored.
//
// Usage: endprocess_child UNDER STORED DIR
//   UNDER:  the box under which the clock runs out: "verdict", "farewell" or "record" (the
//           record message)
//   STORED: the record score already stored before the game, or "-" for none
//   DIR:    an existing folder; each record stored is appended to DIR/records.txt as a line
//           "score|name", written and closed before the store returns
// Every message box is printed on stdout as a line "box: PROMPT" when it opens. stdout is
// buffered: only the end's flush brings the lines out.

#include "game/form1.h"
#include "runtime/processend.h"
#include "support/fakerecords.h"
#include "support/fakeruntime.h"
#include "support/game.h"

#include <cstdio>
#include <fstream>
#include <string>

using namespace angoli;
using namespace angoli::test;

namespace
{

constexpr int kRightAnswers = 3; // the score the game reaches before the clock runs out
constexpr int kTicksToTheEnd = 901;
constexpr int kTicksPastTheEnd = 1000; // more than enough to end the game twice over
constexpr int kWentOn = 3;             // exit status: something ran after the exit
constexpr int kUsage = 2;
constexpr float kAngleDraw = 136.5f / 359.0f; // every question shows 137: the answer is 223
// The value buttons from the largest down, to build any answer greedily.
constexpr int kValues[] = {270, 180, 100, 90, 50, 30, 10, 9, 5, 2, 1};

void print(const std::string &line)
{
    std::fputs((line + '\n').c_str(), stdout);
}

// The record folder in memory, with every record it stores also appended to a real file.
class FileRecords final : public RecordFolder
{
public:
    FileRecords(const std::string &stored, std::string file) : m_file(std::move(file))
    {
        if (stored != "-")
            m_memory.stored = {stored + "\r\n", "Ada\r\n"};
    }
    std::string GetSystemDir() override { return m_memory.GetSystemDir(); }
    StoredRecord open(const std::string &dirwin) override { return m_memory.open(dirwin); }
    bool storeIfRecord(const std::string &dirwin, const std::string &scoreText,
                       const std::string &name) override
    {
        const bool stored = m_memory.storeIfRecord(dirwin, scoreText, name);
        if (stored) {
            std::ofstream out(m_file, std::ios::app | std::ios::binary);
            out << scoreText << '|' << name << '\n';
        }
        return stored;
    }

private:
    FakeRecords m_memory;
    std::string m_file;
};

// Clicks value buttons up to the expected answer, then "Verifica".
void answerRight(Form1 &form)
{
    int left = form.state().esplementare;
    for (const int value : kValues) {
        while (left >= value) {
            form.Option1_Click(optionIndexFor(value));
            left -= value;
        }
    }
    form.cmdverifica_Click();
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 4)
        return kUsage;
    const std::string under = argv[1];

    FakeRuntime ui;
    FakeRandom random;
    random.fallback = kAngleDraw;
    FileRecords records(argv[2], std::string(argv[3]) + "/records.txt");
    Form1 form(ui, random, records);
    ui.attach(form);
    ui.onEnd = [] { endProcess(); };

    bool armed = false;
    ui.onMessage = [&](const Shown &shown) {
        print("box: " + shown.prompt);
        if (!armed)
            return;
        const auto startsWith = [&](const char *prefix) {
            return shown.prompt.rfind(prefix, 0) == 0;
        };
        const bool verdict = startsWith("Fai attenzione");
        if ((under == "verdict" && verdict) ||
            (under == "farewell" && startsWith("Ciao a presto")) ||
            (under == "record" && startsWith("Ok ho registrato"))) {
            armed = false; // the ticks come under this one box only
            ui.tick(verdict ? kTicksToTheEnd : kTicksPastTheEnd);
            print("ticks delivered");
        }
    };

    ui.names = {"Dode"};
    form.Form_Load();
    for (int i = 0; i < kRightAnswers; ++i)
        answerRight(form);
    armed = true;
    if (under == "verdict") {
        // A wrong answer: its verdict box is open when the clock runs out.
        form.cmdverifica_Click();
    } else {
        form.Cmdexit1_Click();
    }
    print("the game went on after the exit");
    return kWentOn;
}
