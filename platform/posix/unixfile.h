// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

// A file descriptor that closes itself, and the errno texts of the record files' refusals.
namespace angoli::posix
{

class UniqueFd
{
public:
    explicit UniqueFd(int fd = -1) : m_fd(fd) {}
    ~UniqueFd();
    UniqueFd(UniqueFd &&other) noexcept : m_fd(other.release()) {}
    UniqueFd &operator=(UniqueFd &&other) noexcept;
    UniqueFd(const UniqueFd &) = delete;
    UniqueFd &operator=(const UniqueFd &) = delete;

    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

// The reason given when opening a record file fails with errno err: the system's own text,
// or a plainer one where the system's would mislead (a link refused by O_NOFOLLOW).
std::string openFailureReason(int err);

} // namespace angoli::posix
