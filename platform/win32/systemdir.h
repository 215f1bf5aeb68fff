// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// Where the record files live on Windows.
namespace angoli::win32
{

// The name of the record folder inside the all-users application-data folder.
inline constexpr wchar_t kRecordFolderName[] = L"Angoli";

// Every local user may read and add record files, and change the ones there; only the system
// and administrators may change the folder itself.
inline constexpr wchar_t kRecordFolderSddl[] =
    L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;;0x1200ab;;;BU)(A;OIIO;0x1301bf;;;BU)";

// The record folder under programData (made, with the descriptor above, when missing), with one
// trailing backslash, UTF-8. When it is missing and cannot be made: windowsDir with a trailing
// backslash. A record an earlier version left in one of carryFrom (folders ending with a
// backslash) is copied into a new folder once, under the folder's lock.
std::string recordDirIn(const std::wstring &programData, const std::string &windowsDir,
                        const std::wstring &carryFrom = {});

// The Windows directory from GetWindowsDirectoryA, with one trailing backslash, UTF-8.
std::string windowsDirectory();

// recordDirIn for this machine: %ProgramData%\Angoli\, carrying over a record from the Windows
// directory or from this user's compatibility copy of it.
std::string GetSystemDir();

} // namespace angoli::win32
