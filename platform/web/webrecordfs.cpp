// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/web/webrecordfs.h"

#include "platform/web/pagebridge.h"
#include "records/recordformat.h"
#include "runtime/fileerror.h"

#include <algorithm>
#include <chrono>

namespace angoli
{

namespace
{

// The reasons a browser gives, in the pupil's words.
constexpr char kRefusedReason[] = "il browser non permette a questa pagina di conservare dati";
constexpr char kFullReason[] = "lo spazio del browser per questo sito è pieno";

std::string reasonOf(int status)
{
    return status == web::kFull ? kFullReason : kRefusedReason;
}

class WebRecordFile final : public RecordFile
{
public:
    WebRecordFile(std::string key, std::string path, int lockId = 0)
        : m_key(std::move(key)), m_path(std::move(path)), m_lockId(lockId)
    {
    }
    ~WebRecordFile() override
    {
        if (m_lockId > 0)
            page_unlock(m_lockId);
    }
    WebRecordFile(const WebRecordFile &) = delete;
    WebRecordFile &operator=(const WebRecordFile &) = delete;

    std::string read(std::size_t limit) override
    {
        const int length = page_store_length(m_key.c_str());
        if (length < 0) // gone since it was opened, or the storage refused
            throw FileError{m_path, reasonOf(length), FileError::Action::Read};
        std::string bytes(std::min(std::size_t(length), limit), '\0');
        bytes.resize(std::size_t(page_store_read(m_key.c_str(), bytes.data(), int(bytes.size()))));
        return bytes;
    }

    void rewrite(std::string_view bytes) override
    {
        const int status = page_store_write(m_key.c_str(), bytes.data(), int(bytes.size()));
        if (status != 0)
            throw FileError{m_path, reasonOf(status), FileError::Action::Write};
    }

private:
    std::string m_key;
    std::string m_path;
    int m_lockId;
};

class WebRecordFs final : public RecordFs
{
public:
    explicit WebRecordFs(std::string dirwin) : m_dirwin(std::move(dirwin)) {}

    std::unique_ptr<RecordFile> lock(std::string_view name, std::chrono::milliseconds wait) override
    {
        const std::string key = keyOf(name);
        createIfMissing(name);
        int id = 0;
        {
            const web::WaitGuard waiting;
            id = page_lock(key.c_str(), int(wait.count()));
        }
        if (id == web::kTimedOut)
            throw FileError{pathOf(name), "", FileError::Action::Wait};
        // Without Web Locks (a page not served over HTTPS) the tab goes on alone: the journal
        // still keeps a pair whole when a tab is closed half-way.
        return std::make_unique<WebRecordFile>(key, pathOf(name), std::max(id, 0));
    }

    std::unique_ptr<RecordFile> openForRead(std::string_view name) override
    {
        const int length = page_store_length(keyOf(name).c_str());
        if (length == web::kMissing)
            return nullptr;
        if (length < 0)
            throw FileError{pathOf(name), reasonOf(length), FileError::Action::Open};
        return std::make_unique<WebRecordFile>(keyOf(name), pathOf(name));
    }

    std::unique_ptr<RecordFile> openForWrite(std::string_view name) override
    {
        createIfMissing(name);
        return std::make_unique<WebRecordFile>(keyOf(name), pathOf(name));
    }

    void createIfMissing(std::string_view name) override
    {
        const std::string key = keyOf(name);
        const int length = page_store_length(key.c_str());
        if (length >= 0)
            return;
        const int status = length == web::kMissing ? page_store_write(key.c_str(), "", 0) : length;
        if (status != 0)
            throw FileError{pathOf(name), reasonOf(status), FileError::Action::Create};
    }

    std::string pathOf(std::string_view name) const override { return recordPath(m_dirwin, name); }

private:
    std::string keyOf(std::string_view name) const { return m_dirwin + std::string(name); }

    std::string m_dirwin;
};

} // namespace

std::unique_ptr<RecordFs> openWebRecordFs(const std::string &dirwin)
{
    return std::make_unique<WebRecordFs>(dirwin);
}

} // namespace angoli
