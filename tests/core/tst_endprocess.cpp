// SPDX-License-Identifier: GPL-3.0-or-later
// The clock running out while a message box is open, in a whole process: the exit runs once,
// stores the record once, and ends the process with status 0, with nothing of the interrupted
// handlers running afterwards. The game runs in endprocess/endprocess_child.cpp, which ends
// through the real endProcess; this test starts it and reads what it printed and stored.
#include <doctest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

const std::string kGreeting = "box:  Dode vediamo se sei un vero campione  ";
const std::string kRight = "box:  Ok ";
const std::string kWrong = "box: Fai attenzione, hai sbagliato.Il valore esatto era 223";
const std::string kFarewell = "box: Ciao a presto Dode";
const std::string kRecord = "box: Ok ho registrato il tuo record, C A M P I O N E";
const std::string kTicksDelivered = "ticks delivered";

std::string readFile(const fs::path &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::vector<std::string> linesOf(const std::string &text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') // text-mode stdout on Windows
            line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

// Runs the child in the working directory (the one that holds it), stdout into a file; returns
// the status as std::system gives it: 0 only for a normal exit with status 0.
int runChild(const std::string &under, const std::string &stored, const fs::path &dir,
             const fs::path &out)
{
    const std::string args =
        " " + under + " " + stored + " \"" + dir.string() + "\" > \"" + out.string() + "\"";
#ifdef _WIN32
    // cmd /c drops the outer pair of quotes.
    return std::system(("\"" + std::string(ANGOLI_ENDPROCESS_CHILD) + args + "\"").c_str());
#else
    return std::system(("./" + std::string(ANGOLI_ENDPROCESS_CHILD) + args).c_str());
#endif
}

} // namespace

TEST_CASE("the clock runs out under a box: one exit, one record at most, status 0")
{
    struct Row {
        const char *row;
        const char *under;
        const char *stored;             // "-": no record yet
        std::vector<std::string> after; // what the game printed after its three right answers
        const char *records;            // what it stored, one "score|name" line per store
    };
    const Row rows[] = {
        // Tick 901 starts the exit inside the verdict's box: the verdict's handler never
        // continues, not even to report that its ticks were delivered.
        {"under a verdict", "verdict", "-", {kWrong, kFarewell, kRecord}, "3|Dode\n"},
        // Under the exit's own boxes the clock reaches zero and keeps ticking: the exit is not
        // started again, and the first one ends the process.
        {"under the farewell", "farewell", "-", {kFarewell, kTicksDelivered, kRecord}, "3|Dode\n"},
        {"under the farewell, a higher record stored",
         "farewell",
         "9",
         {kFarewell, kTicksDelivered},
         ""},
        {"under the record message",
         "record",
         "-",
         {kFarewell, kRecord, kTicksDelivered},
         "3|Dode\n"},
    };
    REQUIRE(std::system(nullptr) != 0); // a command processor to start the child with
    REQUIRE_MESSAGE(fs::exists(ANGOLI_ENDPROCESS_CHILD),
                    "run from the folder that holds " ANGOLI_ENDPROCESS_CHILD);
    for (const Row &row : rows) {
        CAPTURE(row.row);
        const fs::path dir = fs::absolute(fs::path("endprocess_work") / row.under / row.stored);
        fs::remove_all(dir);
        REQUIRE(fs::create_directories(dir));
        const fs::path out = dir.parent_path() / (std::string(row.stored) + ".out");

        const int status = runChild(row.under, row.stored, dir, out);
        CHECK(status == 0);

        // Everything buffered is flushed by the end, and nothing follows it.
        std::vector<std::string> expected = {kGreeting, kRight, kRight, kRight};
        expected.insert(expected.end(), row.after.begin(), row.after.end());
        const std::vector<std::string> printed = linesOf(readFile(out));
        CHECK(printed == expected);
        CHECK(std::count(printed.begin(), printed.end(), kFarewell) == 1); // the exit ran once

        const fs::path records = dir / "records.txt";
        CHECK(readFile(records) == row.records);
        CHECK(fs::exists(records) == (*row.records != '\0'));
    }
}
