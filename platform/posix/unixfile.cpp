// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/posix/unixfile.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace angoli::posix
{

UniqueFd::~UniqueFd()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

UniqueFd &UniqueFd::operator=(UniqueFd &&other) noexcept
{
    if (this != &other) {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = other.release();
    }
    return *this;
}

std::string openFailureReason(int err)
{
    switch (err) {
    case ELOOP:
        return "è un collegamento simbolico, che non viene seguito";
    case ENXIO:
        return "non è un file normale";
    default:
        return std::strerror(err);
    }
}

} // namespace angoli::posix
