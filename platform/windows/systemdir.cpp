// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/systemdir.h"

#include "platform/windows/sharedfolder.h"
#include "platform/windows/wintext.h"
#include "records/recordformat.h"
#include "records/recordfs.h"
#include "runtime/fileerror.h"

#include <windows.h>

#include <knownfolders.h>
#include <shlobj.h>

namespace angoli::windows
{

namespace
{

constexpr UINT kPathBuffer = 128; // as the game has always asked the Windows directory

std::string withSeparator(std::string dir)
{
    if (dir.empty() || dir.back() != '\\')
        dir += '\\';
    return dir;
}

std::string readOld(const std::string &dir, std::string_view name)
{
    const auto file = openRecordFs(dir)->openForRead(name);
    return file ? file->read(kRecordReadLimit) : std::string{};
}

// Copies an earlier version's pair into dirwin, unless dirwin already holds a score. The holder
// is written first: the score file marks the copy as done.
void carryOver(const std::string &dirwin, const std::string &from)
{
    try {
        const auto folder = openRecordFs(dirwin);
        const auto lock = folder->lock(kLockFile, kLockWait);
        if (folder->openForRead(kScoreFile))
            return;
        const std::string score = readOld(from, kScoreFile);
        if (score.empty())
            return;
        folder->openForWrite(kHolderFile)->rewrite(readOld(from, kHolderFile));
        folder->openForWrite(kScoreFile)->rewrite(score);
    } catch (const FileError &) {
        // Nothing to carry, or nothing that can be: the game starts from the folder as it is.
    }
}

std::wstring virtualStoreWindows()
{
    wchar_t buffer[MAX_PATH];
    const DWORD n = GetEnvironmentVariableW(L"LOCALAPPDATA", buffer, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return {};
    wchar_t windows[MAX_PATH];
    const UINT w = GetWindowsDirectoryW(windows, MAX_PATH);
    if (w < 3 || w >= MAX_PATH)
        return {};
    // C:\Windows becomes %LOCALAPPDATA%\VirtualStore\Windows.
    return std::wstring(buffer, n) + L"\\VirtualStore\\" + std::wstring(windows + 3, w - 3) + L"\\";
}

} // namespace

std::string windowsDirectory()
{
    char buffer[kPathBuffer];
    const UINT n = GetWindowsDirectoryA(buffer, kPathBuffer);
    if (n == 0 || n >= kPathBuffer)
        return "\\";
    // The ANSI code page's bytes, as UTF-8.
    const int wide = MultiByteToWideChar(CP_ACP, 0, buffer, int(n), nullptr, 0);
    std::wstring path(std::size_t(wide > 0 ? wide : 0), L'\0');
    MultiByteToWideChar(CP_ACP, 0, buffer, int(n), path.data(), wide);
    return withSeparator(toUtf8(path));
}

std::wstring allUsersDataFolder()
{
    // Loaded only here, after the name dialog: the shell is large, and the window opens
    // sooner without it.
    using Known = HRESULT(WINAPI *)(REFKNOWNFOLDERID, DWORD, HANDLE, PWSTR *);
    using Free = void(WINAPI *)(LPVOID);
    std::wstring result;
    HMODULE shell = LoadLibraryW(L"shell32.dll");
    HMODULE com = LoadLibraryW(L"ole32.dll");
    const auto known = reinterpret_cast<Known>(
        reinterpret_cast<void *>(shell ? GetProcAddress(shell, "SHGetKnownFolderPath") : nullptr));
    const auto free = reinterpret_cast<Free>(
        reinterpret_cast<void *>(com ? GetProcAddress(com, "CoTaskMemFree") : nullptr));
    wchar_t *path = nullptr;
    if (known && free && SUCCEEDED(known(FOLDERID_ProgramData, 0, nullptr, &path)) && path)
        result = path;
    if (free)
        free(path);
    if (result.empty()) {
        wchar_t buffer[MAX_PATH];
        const DWORD n = GetEnvironmentVariableW(L"ProgramData", buffer, MAX_PATH);
        if (n > 0 && n < MAX_PATH)
            result.assign(buffer, n);
    }
    return result;
}

std::wstring recordFolderIn(const std::wstring &programData)
{
    return programData + L"\\" + kRecordFolderName;
}

std::string recordDirIn(const std::wstring &programData, const std::string &windowsDir,
                        const std::wstring &carryFrom)
{
    if (programData.empty() || !isFolder(programData))
        return withSeparator(windowsDir);
    const std::wstring dir = recordFolderIn(programData);
    if (!makeSharedFolder(dir))
        return withSeparator(windowsDir);
    const std::string dirwin = withSeparator(toUtf8(dir));
    carryOver(dirwin, withSeparator(windowsDir));
    if (!carryFrom.empty())
        carryOver(dirwin, withSeparator(toUtf8(carryFrom)));
    return dirwin;
}

std::string GetSystemDir()
{
    return recordDirIn(allUsersDataFolder(), windowsDirectory(), virtualStoreWindows());
}

} // namespace angoli::windows
