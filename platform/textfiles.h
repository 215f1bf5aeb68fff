#pragma once

#include <QString>
#include <QtGlobal>

#include <array>

namespace angoli
{

enum class OpenMode {
    Input,  // read an existing file
    Output, // create or empty, then write
    Append, // create when missing, write at the end
};

// Sequential text files under free file numbers 1..255, written and read as
// 8-bit Windows-1252 text. Every failure throws FileError; the table closes
// whatever is still open when it is destroyed.
class FileTable
{
public:
    static constexpr int kFirstNumber = 1;
    static constexpr int kLastNumber = 255;

    FileTable() = default;
    ~FileTable();
    FileTable(const FileTable &) = delete;
    FileTable &operator=(const FileTable &) = delete;

    // The lowest file number not in use.
    int FreeFile() const;
    void Open(int n, const QString &path, OpenMode m);
    // Writes text and CR LF. Only on a file opened for Output or Append.
    void Print(int n, const QString &text);
    // Length of the open file in bytes.
    qint64 LOF(int n) const;
    // The next count characters; fewer left in the file is an error.
    QString Input(int n, qint64 count);
    // Closing a number that is not open does nothing.
    void Close(int n);

private:
    struct Slot {
        int fd = -1;
        OpenMode mode = OpenMode::Input;
        QString path;
    };
    const Slot &openSlot(int n) const;

    std::array<Slot, kLastNumber + 1> m_slots; // index 0 unused
};

} // namespace angoli
