// The record files as the game meets them: whatever bytes a hand edit, a
// crash or another program left in ange.txt, nange.txt and the work files of
// an unfinished update, start-up must recover, create and read them, and the
// exit must compare and store exactly as the rules say, leaving a whole pair.
//
// Input: a flags byte (taken from the end), then the contents of ange.txt,
// nange.txt, the commit file, the holder and score work files, the score
// text of the exit (each ended by a backslash and another character), and
// the player's name (the rest). A flag bit per file says whether it exists;
// three more stretch a content beyond the 64 KiB that a label shows.

#include "check.h"
#include "platform/codepage.h"
#include "platform/fileerror.h"
#include "platform/vbruntime.h"
#include "records/recordfiles.h"
#include "records/recordstore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <dirent.h>
#include <fcntl.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <map>
#include <memory>
#include <optional>
#include <unistd.h>

using namespace angoli;

namespace
{

enum Flag : std::uint8_t {
    kHasScore = 1 << 0,
    kHasHolder = 1 << 1,
    kHasCommit = 1 << 2,
    kHasHolderTemp = 1 << 3,
    kHasScoreTemp = 1 << 4,
    kLongScore = 1 << 5,
    kLongHolder = 1 << 6,
    kLongName = 1 << 7,
};

using Contents = std::map<QByteArray, std::optional<QByteArray>>; // file name -> bytes

constexpr char kLineEnd[] = "\r\n";

// The files live on a RAM disk when there is one: every update syncs them,
// and a disk's syncs would leave few runs per second.
QString workRoot()
{
    if (const QByteArray dir = qgetenv("ANGOLI_FUZZ_TMPDIR"); !dir.isEmpty())
        return QString::fromLocal8Bit(dir);
    if (::access("/dev/shm", W_OK) == 0)
        return QStringLiteral("/dev/shm");
    return QDir::tempPath();
}

const QTemporaryDir &workDir()
{
    static const auto dir = std::make_unique<QTemporaryDir>(workRoot() + "/angoli-fuzz-XXXXXX");
    FUZZ_CHECK(dir->isValid(), "a work directory can be made");
    return *dir;
}

QByteArray nativePath(const char *name)
{
    return QFile::encodeName(workDir().filePath(QString::fromLatin1(name)));
}

std::optional<QByteArray> readBack(const char *name)
{
    const int fd = ::open(nativePath(name).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        FUZZ_CHECK(errno == ENOENT, "a file of the work directory can be read");
        return std::nullopt;
    }
    QByteArray bytes;
    char buffer[65536];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, got);
    ::close(fd);
    return bytes;
}

void writeFile(const char *name, const QByteArray &bytes)
{
    const int fd =
        ::open(nativePath(name).constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    FUZZ_CHECK(fd >= 0, "a file of the work directory can be written");
    FUZZ_CHECK(::write(fd, bytes.constData(), std::size_t(bytes.size())) == bytes.size(),
               "the whole content is written");
    ::close(fd);
}

QStringList entries()
{
    QStringList names;
    DIR *dir = ::opendir(QFile::encodeName(workDir().path()).constData());
    FUZZ_CHECK(dir != nullptr, "the work directory can be listed");
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QString::fromLocal8Bit(entry->d_name);
        if (name != QLatin1String(".") && name != QLatin1String(".."))
            names.append(name);
    }
    ::closedir(dir);
    names.sort();
    return names;
}

void emptyWorkDir()
{
    for (const QString &name : entries())
        ::unlink(QFile::encodeName(workDir().filePath(name)).constData());
}

// Repeats bytes until they pass the limit of what a label shows.
QByteArray stretched(const QByteArray &bytes)
{
    if (bytes.isEmpty())
        return bytes;
    return bytes.repeated(kRecordReadLimit / bytes.size() + 2);
}

QByteArray field(FuzzedDataProvider &data, bool stretch = false)
{
    const std::string bytes = data.ConsumeRandomLengthString();
    const QByteArray field(bytes.data(), qsizetype(bytes.size()));
    return stretch ? stretched(field) : field;
}

// What start-up shows of a file: its first kRecordReadLimit bytes, decoded.
QString shown(const QByteArray &bytes)
{
    return fromCodePage(bytes.left(kRecordReadLimit));
}

bool isDigits(const QString &text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

void checkFiles(const Contents &expected, const char *what)
{
    for (const auto &[name, bytes] : expected)
        FUZZ_CHECK(readBack(name.constData()) == bytes, what);
}

void run(FuzzedDataProvider &data)
{
    const std::uint8_t flags = data.ConsumeIntegral<std::uint8_t>();
    const QByteArray score = field(data, flags & kLongScore);
    const QByteArray holder = field(data, flags & kLongHolder);
    const QByteArray commit = field(data);
    const QByteArray holderTemp = field(data);
    const QByteArray scoreTemp = field(data);
    const QString scoreText = fromCodePage(field(data));
    const std::string rest = data.ConsumeRemainingBytesAsString();
    QByteArray nameBytes(rest.data(), qsizetype(rest.size()));
    if (flags & kLongName)
        nameBytes = stretched(nameBytes);
    // Any byte 0x00..0xFF at all: the name as the player could have typed it.
    const QString name = fromCodePage(nameBytes);

    emptyWorkDir();
    Contents files{{kScoreFile, std::nullopt}, {kHolderFile, std::nullopt}};
    const auto place = [&](Flag flag, const char *fileName, const QByteArray &bytes) {
        if (flags & flag)
            writeFile(fileName, bytes);
    };
    place(kHasScore, kScoreFile, score);
    place(kHasHolder, kHolderFile, holder);
    place(kHasCommit, kCommitFile, commit);
    place(kHasHolderTemp, kHolderTempFile, holderTemp);
    place(kHasScoreTemp, kScoreTempFile, scoreTemp);
    if (flags & kHasScore)
        files[kScoreFile] = score;
    if (flags & kHasHolder)
        files[kHolderFile] = holder;
    const QString dirwin = workDir().path() + u'/';

    // Start-up: a decided update is finished, an undecided one forgotten.
    recoverPendingRecord(dirwin);
    if (flags & kHasCommit) {
        files[kScoreFile] = commit;
        if (flags & kHasHolderTemp)
            files[kHolderFile] = holderTemp;
    }
    checkFiles(files, "recovery finishes a decided update and keeps an undecided one out");
    FUZZ_CHECK(entries().size() ==
                   qsizetype(std::count_if(files.begin(), files.end(),
                                           [](const auto &f) { return f.second.has_value(); })),
               "recovery leaves no work file behind");

    for (auto &[fileName, bytes] : files) {
        createIfMissing(recordPath(dirwin, fileName.constData()));
        if (!bytes)
            bytes = QByteArray(""); // created empty
    }
    checkFiles(files, "creating the files changes none that exists");
    for (const auto &[fileName, bytes] : files) {
        FUZZ_CHECK(Leggifiletxt(recordPath(dirwin, fileName.constData())) == shown(*bytes),
                   "start-up shows a file's bytes unchanged, cut at the limit");
    }

    // The exit: only a score of digits above 0 and above the stored number is stored.
    const double stored = Val(shown(*files[kScoreFile]));
    const double value = Val(scoreText);
    const bool beats = isDigits(scoreText) && value > 0.0 && value > stored;
    const bool storedNow = storeIfRecord(dirwin, scoreText, name);
    FUZZ_CHECK(storedNow == beats, "a record is stored exactly when the score beats it");
    if (storedNow) {
        files[kScoreFile] = toCodePage(scoreText) + kLineEnd;
        files[kHolderFile] = nameBytes + kLineEnd;
    }
    checkFiles(files, "the exit writes the new pair or nothing at all");
    FUZZ_CHECK(entries() == QStringList({QStringLiteral("ange.txt"), QStringLiteral("nange.txt")}),
               "the exit leaves the pair and nothing else");

    if (storedNow) {
        // Read back as start-up will: the name comes back with every byte it
        // had, unless it is too long for the label; as one line only when it
        // holds no CR LF of its own.
        const QString read = Leggifiletxt(recordPath(dirwin, kHolderFile));
        FUZZ_CHECK(read == (name + QLatin1String(kLineEnd)).left(kRecordReadLimit),
                   "the stored name reads back unchanged");
        if (!name.contains(QLatin1String(kLineEnd)) && read.size() < kRecordReadLimit)
            FUZZ_CHECK(read.left(read.indexOf(QLatin1String(kLineEnd))) == name,
                       "a name without CR LF is the file's first line");
        FUZZ_CHECK(Val(Leggifiletxt(recordPath(dirwin, kScoreFile))) == value,
                   "the stored score reads back as the same number");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *bytes, std::size_t size)
{
    FuzzedDataProvider data(bytes, size);
    try {
        run(data);
    } catch (const FileError &error) {
        FUZZ_CHECK(false, qPrintable(error.message()));
    }
    return 0;
}
