// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows side of the records: the folder layer's refusals and bounded lock, the record
// folder's place and the carry-over of an old record.
#include "platform/windows/systemdir.h"
#include "platform/windows/wintext.h"
#include "records/recordformat.h"
#include "records/recordfs.h"
#include "runtime/fileerror.h"

#include <doctest.h>

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

using namespace angoli;

namespace
{

// A fresh folder under the temporary folder, ending with a backslash.
std::string freshFolder(const char *name)
{
    static int made = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir = std::wstring(temp) + L"angoli-test-" + windows::toWide(name) + L"-" +
                             std::to_wstring(GetCurrentProcessId()) + L"-" +
                             std::to_wstring(++made);
    // Wine reuses process ids from run to run: whatever an earlier run left goes first.
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(dir), ignored);
    CreateDirectoryW(dir.c_str(), nullptr);
    return windows::toUtf8(dir) + "\\";
}

void writeFile(const std::string &path, const std::string &bytes)
{
    std::ofstream(std::filesystem::path(windows::toWide(path)), std::ios::binary) << bytes;
}

std::string readFile(const std::string &path)
{
    std::ifstream in(std::filesystem::path(windows::toWide(path)), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

bool refuses(RecordFs &fs, const char *name)
{
    try {
        fs.openForWrite(name);
    } catch (const FileError &) {
        return true;
    }
    return false;
}

} // namespace

TEST_CASE("the record folder's files: read, rewritten whole, created only when missing")
{
    const std::string dir = freshFolder("files");
    auto fs = openRecordFs(dir);
    CHECK(fs->openForRead("ange.txt") == nullptr);
    fs->createIfMissing("ange.txt");
    CHECK(readFile(dir + "ange.txt").empty());
    fs->openForWrite("ange.txt")->rewrite("12\r\n");
    fs->createIfMissing("ange.txt"); // leaves it as it is
    CHECK(fs->openForRead("ange.txt")->read(kRecordReadLimit) == "12\r\n");
    fs->openForWrite("ange.txt")->rewrite("3\r\n");
    CHECK(readFile(dir + "ange.txt") == "3\r\n");
    CHECK(fs->openForRead("ange.txt")->read(2) == "3\r");
    CHECK(fs->pathOf("ange.txt") == dir + "\\ange.txt");
}

TEST_CASE("hostile entries are refused: a folder, a second name for a file")
{
    const std::string dir = freshFolder("hostile");
    auto fs = openRecordFs(dir);
    CreateDirectoryW(windows::toWide(dir + "ange.txt").c_str(), nullptr);
    CHECK(refuses(*fs, "ange.txt"));
    writeFile(dir + "elsewhere.txt", "99\r\n");
    CreateHardLinkW(windows::toWide(dir + "nange.txt").c_str(),
                    windows::toWide(dir + "elsewhere.txt").c_str(), nullptr);
    CHECK(refuses(*fs, "nange.txt"));
    CHECK_THROWS_AS(openRecordFs(dir + "missing\\"), FileError);
}

TEST_CASE("the folder's lock waits for another holder at most as long as asked")
{
    const std::string dir = freshFolder("lock");
    auto first = openRecordFs(dir);
    auto second = openRecordFs(dir);
    const auto held = first->lock(kLockFile, std::chrono::milliseconds(100));
    const auto start = std::chrono::steady_clock::now();
    try {
        second->lock(kLockFile, std::chrono::milliseconds(300));
        FAIL("the second lock was granted while the first was held");
    } catch (const FileError &error) {
        CHECK(error.action == FileError::Action::Wait);
    }
    const auto waited = std::chrono::steady_clock::now() - start;
    CHECK(waited >= std::chrono::milliseconds(250));
    CHECK(waited < std::chrono::seconds(3));
}

TEST_CASE("the record folder: made under the all-users folder, else the Windows directory")
{
    const std::string programData = freshFolder("programdata");
    const std::string windows = freshFolder("windows");
    const std::wstring root = windows::toWide(programData.substr(0, programData.size() - 1));

    SUBCASE("made, with one trailing backslash, an old record carried over once")
    {
        writeFile(windows + "ange.txt", "7\r\n");
        writeFile(windows + "nange.txt", "Ugo\r\n");
        const std::string dirwin = windows::recordDirIn(root, windows);
        CHECK(dirwin == programData + "Angoli\\");
        CHECK(readFile(dirwin + "ange.txt") == "7\r\n");
        CHECK(readFile(dirwin + "nange.txt") == "Ugo\r\n");
        // A later record stays: the old one is carried over the first time only.
        writeFile(dirwin + "ange.txt", "9\r\n");
        CHECK(windows::recordDirIn(root, windows) == dirwin);
        CHECK(readFile(dirwin + "ange.txt") == "9\r\n");
    }
    SUBCASE("no old record: nothing is created before the game opens the folder")
    {
        const std::string dirwin = windows::recordDirIn(root, "C:\\nowhere");
        CHECK(GetFileAttributesW(windows::toWide(dirwin + "ange.txt").c_str()) ==
              INVALID_FILE_ATTRIBUTES);
    }
    SUBCASE("no all-users folder: the Windows directory")
    {
        CHECK(windows::recordDirIn(L"C:\\does-not-exist", "C:\\WINDOWS") == "C:\\WINDOWS\\");
        CHECK(windows::recordDirIn(L"", "C:\\") == "C:\\");
    }
}

TEST_CASE("the Windows directory ends with one backslash")
{
    const std::string dir = windows::windowsDirectory();
    REQUIRE(dir.size() >= 3);
    CHECK(dir.back() == '\\');
    CHECK(dir[dir.size() - 2] != '\\');
}
