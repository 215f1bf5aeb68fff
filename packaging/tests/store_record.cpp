// SPDX-License-Identifier: GPL-3.0-or-later
// Plays the record part of a game the way the game does, without a window: finds the record
// folder, runs start-up's create-and-read, then the exit's store-if-higher.
//
// Usage: store_record SCORE NAME [--direct]
//   --direct   writes the shared folder itself, as a game without the helper would
// Prints the folder, the pair shown at start-up, and "stored" or "kept"; exits 0 when the record
// was stored, 3 when the stored record was kept, 1 on a file error (the message on stderr),
// 2 on misuse.
#include "platform/posix/posixrecordfolder.h"
#include "records/recordfs.h"
#include "records/recordstore.h"
#include "runtime/fileerror.h"

#include <cstdio>
#include <string>

namespace
{
constexpr int kStored = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr int kKept = 3;
} // namespace

int main(int argc, char *argv[])
{
    const bool direct = argc == 4 && std::string(argv[3]) == "--direct";
    if (argc != 3 && !direct) {
        std::fprintf(stderr, "usage: store_record SCORE NAME [--direct]\n");
        return kUsage;
    }
    try {
        using namespace angoli;
        PosixRecordFolder records;
        const std::string dirwin = records.GetSystemDir();
        std::printf("folder %s\n", dirwin.c_str());
        bool stored = false;
        if (direct) {
            const StoredRecord shown = openRecord(*openRecordFs(dirwin));
            std::printf("shown %s|%s\n", shown.score.c_str(), shown.holder.c_str());
            stored = storeIfRecord(*openRecordFs(dirwin), argv[1], argv[2]);
        } else {
            const StoredRecord shown = records.open(dirwin);
            std::printf("shown %s|%s\n", shown.score.c_str(), shown.holder.c_str());
            stored = records.storeIfRecord(dirwin, argv[1], argv[2]);
        }
        std::printf("%s\n", stored ? "stored" : "kept");
        return stored ? kStored : kKept;
    } catch (const angoli::FileError &error) {
        std::fprintf(stderr, "%s\n", error.message().c_str());
        return kFailed;
    }
}
