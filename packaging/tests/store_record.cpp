// Stores a record in a shared record directory the way the game does: finds
// the directory as the game would for this user, prepares the record files as
// start-up does, then runs the exit's record update.
//
// Usage: store_record SHARED_DIR SCORE NAME
// Prints the directory used and "stored" or "kept"; exits 0 when the record
// was stored, 3 when the stored record was kept, 1 on a file error, 2 on misuse.
#include "platform/fileerror.h"
#include "records/recordfiles.h"
#include "records/recordstore.h"
#include "records/systemdir.h"

#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

namespace
{
constexpr int kStored = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;
constexpr int kKept = 3;
// No private fallback: a user the shared directory refuses must fail, not
// quietly store the record somewhere else.
constexpr char kNoHome[] = "/nonexistent";
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: store_record SHARED_DIR SCORE NAME\n");
        return kUsage;
    }
    try {
        using namespace angoli;
        const QString dirwin = systemDirFor(args[1], QString(), QString::fromLatin1(kNoHome));
        std::printf("directory %s\n", qPrintable(dirwin));
        recoverPendingRecord(dirwin);
        createIfMissing(recordPath(dirwin, kScoreFile));
        createIfMissing(recordPath(dirwin, kHolderFile));
        const bool stored = storeIfRecord(dirwin, args[2], args[3]);
        std::printf("%s\n", stored ? "stored" : "kept");
        return stored ? kStored : kKept;
    } catch (const angoli::FileError &error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.message()));
        return kFailed;
    }
}
