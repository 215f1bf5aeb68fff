// SPDX-License-Identifier: GPL-3.0-or-later
// angoli-records refuses every call but the two it serves, before it opens anything.
#include "platform/posix/helperclient.h"
#include "platform/posix/helperwire.h"
#include "records/recordformat.h"

#include <doctest.h>

#include <string>
#include <vector>

using namespace angoli;
using namespace std::chrono_literals;

TEST_CASE("the helper refuses bad arguments without touching the folder")
{
    struct Row {
        const char *row;
        std::vector<std::string> args;
    };
    const std::string longest(kNameLimit, 'x');
    const Row rows[] = {
        {"no command", {}},
        {"unknown command", {"remove"}},
        {"command in capitals", {"OPEN"}},
        {"open with an argument", {"open", "/etc/shadow"}},
        {"store without a name", {"store", "12"}},
        {"store with an extra argument", {"store", "12", "Ada", "x"}},
        {"score 0", {"store", "0", "Ada"}},
        {"score beyond an Integer", {"store", "32768", "Ada"}},
        {"score with a leading zero", {"store", "012", "Ada"}},
        {"negative score", {"store", "-1", "Ada"}},
        {"score with a sign", {"store", "+1", "Ada"}},
        {"score with a blank", {"store", " 12", "Ada"}},
        {"score in exponent form", {"store", "1e3", "Ada"}},
        {"score with a line break", {"store", "12\n", "Ada"}},
        {"empty score", {"store", "", "Ada"}},
        {"very long score", {"store", std::string(100000, '1'), "Ada"}},
        {"name with LF", {"store", "12", "Ada\nEva"}},
        {"name with CR", {"store", "12", "Ada\rEva"}},
        {"name of terminal escapes", {"store", "101", "\x1b]0;owned\a\x1b[2J"}},
        {"name with a tab", {"store", "12", "Ada\tEva"}},
        {"name with DEL", {"store", "12", "Ada\x7f"}},
        {"name with a C1 control", {"store", "12", "Ada\u009b"}},
        {"name outside Windows-1252", {"store", "12", "日本"}},
        {"name that is no UTF-8", {"store", "12", "Ad\xe0"}},
        {"name one character too long", {"store", "12", longest + "x"}},
        {"huge name", {"store", "12", std::string(100000, 'x')}},
    };
    for (const Row &row : rows) {
        CAPTURE(row.row);
        const posix::HelperRun run =
            posix::runHelper(ANGOLI_RECORD_HELPER, row.args, 5s, helper::kReplyLimit);
        CHECK(run.spawnError == 0);
        CHECK(run.status == helper::kRefused);
        CHECK(run.output == "uso: angoli-records open | angoli-records store PUNTI NOME\n");
    }
}
