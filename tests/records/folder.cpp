// SPDX-License-Identifier: GPL-3.0-or-later
#include "folder.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <system_error>

namespace angoli::test
{

namespace fs = std::filesystem;

TempFolder::TempFolder()
{
    std::random_device entropy;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path candidate =
            fs::temp_directory_path() / ("angoli-test-" + std::to_string(entropy()));
        if (fs::create_directory(candidate)) {
            m_path = candidate;
            return;
        }
    }
    throw std::runtime_error("no temporary folder could be made");
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    fs::remove_all(m_path, ignored);
}

std::string TempFolder::dirwin() const
{
    return m_path.string() + char(fs::path::preferred_separator);
}

std::string bytesOf(const fs::path &path)
{
    std::error_code error;
    const fs::file_status status = fs::symlink_status(path, error);
    if (!fs::exists(status))
        return kAbsent;
    if (!fs::is_regular_file(status))
        return kNotAFile;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return kAbsent;
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void writeBytes(const fs::path &path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.close();
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

std::vector<std::string> entriesOf(const fs::path &dir)
{
    std::vector<std::string> names;
    for (const fs::directory_entry &entry : fs::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

} // namespace angoli::test
