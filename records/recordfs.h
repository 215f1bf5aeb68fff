// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

// The operating system's side of the record folder: the few file operations the record
// protocol needs, and nothing more. Each platform implements it once (platform/posix/,
// platform/windows/). The folder is shared by players who do not trust each other, so an
// implementation treats every entry in it as hostile:
// - a name is always a plain file name inside the folder, opened relative to the folder
//   itself; a link (symbolic link, reparse point) is never followed, not even to refuse it;
// - only a regular file with a single link is ever read or written; anything else (a
//   folder, a FIFO, a device, a socket, a hard link to a file elsewhere) is refused before
//   a byte is read, and opening it never waits;
// - nothing waits without a bound;
// - in a folder whose files its administrator provides (administered()), no file is ever
//   created, and one the administrator does not own is refused like a link.
// Every failure throws FileError naming dirwin + separator + name (the doubled separator the
// game uses) and giving the system's reason.

namespace angoli
{

// One open file of the record folder. Destroying it closes the file and releases any lock
// taken through it.
class RecordFile
{
public:
    virtual ~RecordFile() = default;

    // The content from its first byte, at most limit bytes: a larger file is cut there.
    virtual std::string read(std::size_t limit) = 0;

    // Replaces the whole content with bytes and returns once they are on the disk. A process
    // stopped half-way may leave any prefix of bytes, or nothing.
    virtual void rewrite(std::string_view bytes) = 0;
};

class RecordFs
{
public:
    virtual ~RecordFs() = default;

    // The folder's lock, shared by every game on the machine: opens name for reading and
    // writing, creating it empty when missing (refused, in an administered folder), and takes an
    // exclusive lock on it, waiting at most `wait` for another holder to let go; then throws
    // FileError with action Wait. The lock lasts as long as the returned file; its content is the
    // protocol's own.
    virtual std::unique_ptr<RecordFile> lock(std::string_view name,
                                             std::chrono::milliseconds wait) = 0;

    // Opens name for reading; nullptr when it does not exist.
    virtual std::unique_ptr<RecordFile> openForRead(std::string_view name) = 0;

    // Opens name for rewriting, creating it empty when missing (refused, in an administered
    // folder).
    virtual std::unique_ptr<RecordFile> openForWrite(std::string_view name) = 0;

    // Creates name as an empty file when it is missing; an existing entry is left as it is. In
    // an administered folder, refuses a missing (or not administered) file instead.
    virtual void createIfMissing(std::string_view name) = 0;

    // Whether the folder's files are provided by its administrator, as the package's shared
    // folder's are: a game never makes one there, or a player could make a file she then owns
    // and do with it what she likes. A player's own folder is not: a game makes what is missing.
    virtual bool administered() const { return false; }

    // dirwin + separator + name, for messages.
    virtual std::string pathOf(std::string_view name) const = 0;
};

// Opens the record folder dirwin (ending with its separator) once: later renames of the path do
// not move the files the returned object works on. Throws FileError when dirwin is not a folder
// this process can open. Each operating system's file layer (platform/posix, the Windows one)
// defines it; the core never calls it, so it links without one: a composition root hands it
// (or the browser's openWebRecordFs) to DirectRecordFolder.
std::unique_ptr<RecordFs> openRecordFs(const std::string &dirwin);

} // namespace angoli
