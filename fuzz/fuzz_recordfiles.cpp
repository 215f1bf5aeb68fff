// SPDX-License-Identifier: GPL-3.0-or-later
// The record folder as the game meets it: whatever bytes a hand edit, a kill or another
// program left in ange.txt, nange.txt and the lock file (with the journal of an update), start-up
// must complete or forget the update, create and read the files, and the exit must compare and
// store exactly as the rules say, leaving the pair and the lock and nothing else. The helper's
// replies and the journal decode only what their encoders write.
//
// Input: a flags byte (taken from the end), then the contents of ange.txt, nange.txt and the
// lock file, a journal's score and name, the score text of the exit (each ended by a backslash
// and another character), and the player's name (the rest).

#include "check.h"
#include "platform/posix/helperwire.h"
#include "records/recordformat.h"
#include "records/recordfs.h"
#include "records/recordjournal.h"
#include "records/recordstore.h"
#include "runtime/codepage.h"
#include "runtime/conversions.h"
#include "runtime/fileerror.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <fuzzer/FuzzedDataProvider.h>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <unistd.h>
#include <vector>

using namespace angoli;

namespace
{

enum Flag : std::uint8_t {
    kHasScore = 1 << 0,
    kHasHolder = 1 << 1,
    kHasLock = 1 << 2,
    kWholeJournal = 1 << 3, // the lock holds a journal built from the journal's fields
    kLongScore = 1 << 4,
    kLongHolder = 1 << 5,
    kLongName = 1 << 6,
};

using Contents = std::map<std::string, std::optional<std::string>>; // file name -> bytes

// The files live on a RAM disk when there is one: every update syncs them, and a disk's
// syncs would leave few runs per second.
const std::string &workDir()
{
    static const std::string dir = [] {
        const char *root = std::getenv("ANGOLI_FUZZ_TMPDIR");
        std::string pattern = root ? root : (::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp");
        pattern += "/angoli-fuzz-XXXXXX";
        FUZZ_CHECK(::mkdtemp(pattern.data()) != nullptr, "a work folder can be made");
        return pattern;
    }();
    return dir;
}

std::optional<std::string> readBack(const std::string &name)
{
    std::ifstream in(workDir() + "/" + name, std::ios::binary);
    if (!in)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeFile(const std::string &name, const std::string &bytes)
{
    std::ofstream out(workDir() + "/" + name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    FUZZ_CHECK(out.good(), "a file of the work folder can be written");
}

std::vector<std::string> entries()
{
    std::vector<std::string> names;
    DIR *dir = ::opendir(workDir().c_str());
    FUZZ_CHECK(dir != nullptr, "the work folder can be listed");
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

// Repeats bytes until they pass the limit of what a label shows.
std::string stretched(const std::string &bytes)
{
    std::string out;
    while (!bytes.empty() && out.size() <= kRecordReadLimit)
        out += bytes;
    return out;
}

std::string field(FuzzedDataProvider &data, bool stretch = false)
{
    const std::string bytes = data.ConsumeRandomLengthString();
    return stretch ? stretched(bytes) : bytes;
}

// What start-up shows of a file: its first kRecordReadLimit bytes, decoded.
std::string shown(const std::string &bytes)
{
    return fromCodePage(bytes.substr(0, kRecordReadLimit));
}

void checkFiles(const Contents &expected, const char *what)
{
    for (const auto &[name, bytes] : expected)
        FUZZ_CHECK(readBack(name) == bytes, what);
}

// The decoders take back exactly what the encoders wrote, and nothing else of the input.
void decoders(const std::string &bytes)
{
    if (const auto pair = decodeJournal(bytes))
        FUZZ_CHECK(encodeJournal(*pair) == bytes, "a journal is read only as it was written");
    if (const auto pair = helper::decodePair(bytes))
        FUZZ_CHECK(helper::encodePair(*pair) == bytes, "a reply is read only as it was written");
    if (const auto error = helper::decodeError(bytes))
        FUZZ_CHECK(helper::encodeError(*error) == bytes, "an error is read only as it was written");
}

void run(FuzzedDataProvider &data)
{
    const std::uint8_t flags = data.ConsumeIntegral<std::uint8_t>();
    const std::string score = field(data, flags & kLongScore);
    const std::string holder = field(data, flags & kLongHolder);
    std::string lock = field(data);
    const std::string journalScore = field(data);
    const std::string journalName = fromCodePage(field(data));
    const std::string scoreText = fromCodePage(field(data));
    std::string nameBytes = data.ConsumeRemainingBytesAsString();
    if (flags & kLongName)
        nameBytes = stretched(nameBytes);
    // Any byte 0x00..0xFF at all: the name as the player could have typed it.
    const std::string name = fromCodePage(nameBytes);
    decoders(lock);
    if (flags & kWholeJournal)
        lock = encodeJournal(recordPairFor(journalScore, storableName(journalName)));

    for (const std::string &entry : entries())
        ::unlink((workDir() + "/" + entry).c_str());
    Contents files{{std::string(kScoreFile), std::nullopt},
                   {std::string(kHolderFile), std::nullopt}};
    if (flags & kHasScore)
        writeFile(std::string(kScoreFile), *(files[std::string(kScoreFile)] = score));
    if (flags & kHasHolder)
        writeFile(std::string(kHolderFile), *(files[std::string(kHolderFile)] = holder));
    if (flags & kHasLock)
        writeFile(std::string(kLockFile), lock);
    const std::string dirwin = workDir() + "/";

    // Start-up: a decided update is completed, anything else in the lock forgotten.
    const StoredRecord opened = openRecord(*openRecordFs(dirwin));
    if (flags & kHasLock) {
        if (const auto pair = decodeJournal(lock)) {
            files[std::string(kScoreFile)] = pair->score;
            files[std::string(kHolderFile)] = pair->holder;
        }
    }
    for (auto &[fileName, bytes] : files) {
        if (!bytes)
            bytes = ""; // created empty
    }
    checkFiles(files, "start-up completes a decided update and changes nothing else");
    FUZZ_CHECK(readBack(std::string(kLockFile)) == "", "start-up leaves nothing pending");
    FUZZ_CHECK(opened.score == shown(*files[std::string(kScoreFile)]) &&
                   opened.holder == shown(*files[std::string(kHolderFile)]),
               "start-up shows the files' bytes unchanged, cut at the limit");

    // The exit: only a score of 1..32767 above the stored number is stored.
    const auto value = recordScore(scoreText);
    const bool beats =
        value && *value > Val(files[std::string(kScoreFile)]->substr(0, kRecordReadLimit));
    const bool stored = storeIfRecord(*openRecordFs(dirwin), scoreText, name);
    FUZZ_CHECK(stored == beats, "a record is stored exactly when the score beats it");
    if (stored) {
        const RecordPair pair = recordPairFor(scoreText, storableName(name));
        files[std::string(kScoreFile)] = pair.score;
        files[std::string(kHolderFile)] = pair.holder;
        FUZZ_CHECK(pair.holder.size() <= kNameLimit + 2, "a stored name is bounded");
        FUZZ_CHECK(pair.holder.find_first_of(std::string("\r\n\0", 3)) == pair.holder.size() - 2,
                   "a stored name is one line");
        FUZZ_CHECK(std::none_of(pair.holder.begin(), pair.holder.end() - 2,
                                [](char c) {
                                    const auto b = static_cast<unsigned char>(c);
                                    return b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D ||
                                           b == 0x8F || b == 0x90 || b == 0x9D;
                                }),
                   "a stored name holds no control character (C0, DEL, C1)");
    }
    checkFiles(files, "the exit writes the new pair or nothing at all");
    FUZZ_CHECK(
        (entries() == std::vector<std::string>{std::string(kLockFile), "ange.txt", "nange.txt"}),
        "the exit leaves the pair and the lock, and nothing else");
    FUZZ_CHECK(readBack(std::string(kLockFile)) == "", "the exit leaves nothing pending");
    if (stored) {
        const StoredRecord read = openRecord(*openRecordFs(dirwin));
        FUZZ_CHECK(read.holder == storableName(name) + "\r\n", "the stored name reads back");
        FUZZ_CHECK(Val(read.score) == *value, "the stored score reads back as the same number");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    try {
        run(data);
    } catch (const FileError &error) {
        FUZZ_CHECK(false, error.message().c_str());
    }
    return 0;
}
