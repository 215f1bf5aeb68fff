// SPDX-License-Identifier: GPL-3.0-or-later
// The record folder on Windows: every name opened relative to the folder's own handle, never
// through a reparse point, and only as a plain disk file with a single link.
#include "platform/windows/wintext.h"
#include "records/lockwait.h"
#include "records/recordformat.h"
#include "records/recordfs.h"
#include "runtime/fileerror.h"

#include <windows.h>
#include <winternl.h>

#include <algorithm>

namespace angoli
{

namespace
{

using Action = FileError::Action;
// Nobody may delete or rename a record file while a game has it open.
constexpr ULONG kShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
constexpr ULONG kOpenOptions =
    FILE_NON_DIRECTORY_FILE | FILE_OPEN_REPARSE_POINT | FILE_SYNCHRONOUS_IO_NONALERT;

class Handle
{
public:
    explicit Handle(HANDLE h = INVALID_HANDLE_VALUE) : m_h(h) {}
    ~Handle()
    {
        if (valid())
            CloseHandle(m_h);
    }
    Handle(const Handle &) = delete;
    Handle &operator=(const Handle &) = delete;
    HANDLE get() const { return m_h; }
    bool valid() const { return m_h != INVALID_HANDLE_VALUE && m_h != nullptr; }

private:
    HANDLE m_h;
};

FileError lastError(const std::string &path, Action action, DWORD error = GetLastError())
{
    return FileError{path, windows::systemMessage(error), action};
}

class WinRecordFile final : public RecordFile
{
public:
    WinRecordFile(HANDLE h, std::string path) : m_file(h), m_path(std::move(path)) {}

    HANDLE handle() const { return m_file.get(); }

    std::string read(std::size_t limit) override
    {
        std::string bytes(limit, '\0');
        std::size_t done = 0;
        while (done < limit) {
            OVERLAPPED at{};
            at.Offset = DWORD(done);
            const DWORD chunk = DWORD(std::min<std::size_t>(limit - done, 1u << 20));
            DWORD got = 0;
            if (!ReadFile(handle(), bytes.data() + done, chunk, &got, &at)) {
                if (GetLastError() == ERROR_HANDLE_EOF)
                    break;
                throw lastError(m_path, Action::Read);
            }
            if (got == 0)
                break;
            done += got;
        }
        bytes.resize(done);
        return bytes;
    }

    void rewrite(std::string_view bytes) override
    {
        LARGE_INTEGER start{};
        if (!SetFilePointerEx(handle(), start, nullptr, FILE_BEGIN) || !SetEndOfFile(handle()))
            throw lastError(m_path, Action::Write);
        std::size_t done = 0;
        while (done < bytes.size()) {
            OVERLAPPED at{};
            at.Offset = DWORD(done);
            DWORD put = 0;
            if (!WriteFile(handle(), bytes.data() + done, DWORD(bytes.size() - done), &put, &at))
                throw lastError(m_path, Action::Write);
            done += put;
        }
        if (!FlushFileBuffers(handle()))
            throw lastError(m_path, Action::Write);
    }

private:
    Handle m_file;
    std::string m_path;
};

class WinRecordFs final : public RecordFs
{
public:
    WinRecordFs(HANDLE dir, std::string dirwin) : m_dir(dir), m_dirwin(std::move(dirwin)) {}

    std::unique_ptr<RecordFile> lock(std::string_view name, std::chrono::milliseconds wait) override
    {
        auto file = openChecked(name, GENERIC_READ | GENERIC_WRITE, FILE_OPEN_IF, Action::Open);
        pollForLock(wait, pathOf(name), [&] {
            OVERLAPPED whole{};
            if (LockFileEx(file->handle(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0,
                           MAXDWORD, MAXDWORD, &whole))
                return true;
            const DWORD error = GetLastError();
            if (error != ERROR_LOCK_VIOLATION && error != ERROR_IO_PENDING)
                throw lastError(pathOf(name), Action::Open, error);
            return false;
        });
        return file;
    }

    std::unique_ptr<RecordFile> openForRead(std::string_view name) override
    {
        HANDLE h = nullptr;
        const NTSTATUS status = openRelative(name, GENERIC_READ, FILE_OPEN, &h);
        const DWORD error = RtlNtStatusToDosError(status);
        if (status >= 0)
            return checked(h, name, Action::Open);
        if (error == ERROR_FILE_NOT_FOUND)
            return nullptr;
        throw lastError(pathOf(name), Action::Open, error);
    }

    std::unique_ptr<RecordFile> openForWrite(std::string_view name) override
    {
        return openChecked(name, GENERIC_READ | GENERIC_WRITE, FILE_OPEN_IF, Action::Write);
    }

    void createIfMissing(std::string_view name) override
    {
        HANDLE h = nullptr;
        const NTSTATUS status = openRelative(name, GENERIC_WRITE, FILE_CREATE, &h);
        if (status >= 0) {
            Handle created(h);
            return;
        }
        const DWORD error = RtlNtStatusToDosError(status);
        if (error != ERROR_ALREADY_EXISTS && error != ERROR_FILE_EXISTS)
            throw lastError(pathOf(name), Action::Create, error);
    }

    std::string pathOf(std::string_view name) const override { return recordPath(m_dirwin, name); }

private:
    NTSTATUS openRelative(std::string_view name, ACCESS_MASK access, ULONG disposition,
                          HANDLE *out) const
    {
        std::wstring wide = windows::toWide(name);
        UNICODE_STRING objectName{};
        objectName.Buffer = wide.data();
        objectName.Length = USHORT(wide.size() * sizeof(wchar_t));
        objectName.MaximumLength = objectName.Length;
        OBJECT_ATTRIBUTES attributes{};
        InitializeObjectAttributes(&attributes, &objectName, OBJ_CASE_INSENSITIVE, m_dir.get(),
                                   nullptr);
        IO_STATUS_BLOCK io{};
        return NtCreateFile(out, access | SYNCHRONIZE | FILE_READ_ATTRIBUTES, &attributes, &io,
                            nullptr, FILE_ATTRIBUTE_NORMAL, kShare, disposition, kOpenOptions,
                            nullptr, 0);
    }

    std::unique_ptr<WinRecordFile> openChecked(std::string_view name, ACCESS_MASK access,
                                               ULONG disposition, Action action)
    {
        HANDLE h = nullptr;
        const NTSTATUS status = openRelative(name, access, disposition, &h);
        if (status < 0)
            throw lastError(pathOf(name), action, RtlNtStatusToDosError(status));
        return checked(h, name, action);
    }

    // Refuses anything but a plain disk file with one name.
    std::unique_ptr<WinRecordFile> checked(HANDLE h, std::string_view name, Action action)
    {
        auto file = std::make_unique<WinRecordFile>(h, pathOf(name));
        BY_HANDLE_FILE_INFORMATION info{};
        if (!GetFileInformationByHandle(h, &info))
            throw lastError(pathOf(name), action);
        if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
            throw FileError{pathOf(name), "è un collegamento, non un file", action};
        if ((info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || GetFileType(h) != FILE_TYPE_DISK)
            throw FileError{pathOf(name), "non è un file normale", action};
        if (info.nNumberOfLinks != 1)
            throw FileError{pathOf(name), "ha più di un nome (un collegamento fisico)", action};
        return file;
    }

    Handle m_dir;
    std::string m_dirwin;
};

} // namespace

std::unique_ptr<RecordFs> openRecordFs(const std::string &dirwin)
{
    HANDLE dir = CreateFileW(
        windows::toWide(dirwin).c_str(), FILE_LIST_DIRECTORY | FILE_TRAVERSE | SYNCHRONIZE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
        FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (dir == INVALID_HANDLE_VALUE)
        throw lastError(dirwin, Action::Directory);
    auto fs = std::make_unique<WinRecordFs>(dir, dirwin);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(dir, &info))
        throw lastError(dirwin, Action::Directory);
    if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        throw lastError(dirwin, Action::Directory, ERROR_DIRECTORY);
    // A junction in place of the folder could lead anywhere: never followed.
    if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)
        throw FileError{dirwin, "è un collegamento, non una cartella", Action::Directory};
    return fs;
}

} // namespace angoli
