// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Where the record files live on Windows.
namespace angoli::windows
{

// The name of the record folder inside the all-users application-data folder.
inline constexpr wchar_t kRecordFolderName[] = L"Angoli";

// The record folder under programData (made, with kRecordFolderSddl, when missing), with one
// trailing backslash, UTF-8. When it is missing and cannot be made: windowsDir with a trailing
// backslash. A record an earlier version left in one of carryFrom (folders ending with a
// backslash) is copied into a new folder once, under the folder's lock.
std::string recordDirIn(const std::wstring &programData, const std::string &windowsDir,
                        const std::wstring &carryFrom = {});

// The all-users application-data folder (%ProgramData%), without a trailing backslash; empty
// when Windows cannot tell.
std::wstring allUsersDataFolder();

// The record folder's path under programData.
std::wstring recordFolderIn(const std::wstring &programData);

// The Windows directory from GetWindowsDirectoryA, with one trailing backslash, UTF-8.
std::string windowsDirectory();

// recordDirIn for this machine: %ProgramData%\Angoli\, carrying over a record from the Windows
// directory or from this user's compatibility copy of it.
std::string GetSystemDir();

} // namespace angoli::windows
