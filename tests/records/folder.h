// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// Record folders for the tests, with the standard library only, so the same tests run against
// every platform's RecordFs.
namespace angoli::test
{

// What bytesOf gives for a file that does not exist or cannot be read as one.
inline const std::string kAbsent = "<absent>";
inline const std::string kNotAFile = "<not a file>";

// A fresh empty folder in the system's temporary folder, removed with its content.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder &) = delete;
    TempFolder &operator=(const TempFolder &) = delete;

    const std::filesystem::path &path() const { return m_path; }
    // The folder as the game keeps it: with one trailing separator.
    std::string dirwin() const;
    std::filesystem::path file(std::string_view name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

// The file's bytes; kAbsent when missing, kNotAFile when it is a folder or special file.
std::string bytesOf(const std::filesystem::path &path);
// Replaces the file with bytes; throws std::runtime_error when it cannot.
void writeBytes(const std::filesystem::path &path, std::string_view bytes);
// The names in dir, hidden ones included, sorted.
std::vector<std::string> entriesOf(const std::filesystem::path &dir);

} // namespace angoli::test
