// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The record folder's permissions, the same whoever makes the folder: the installers (through
// recordfolder.exe) or the game when it finds no folder.
namespace angoli::windows
{

// In the security descriptor grammar (SDDL), read from left to right:
//   P            protected: nothing inherited from the all-users folder above;
//   SY, BA  FA   the system and the administrators: everything, on the folder and its files;
//   BU 0x1200ab  every local user, on the folder itself: list it, traverse it, add a file to it
//                (FILE_ADD_FILE), read its attributes and permissions; not delete or rename it,
//                not delete a file in it (FILE_DELETE_CHILD), not add a folder to it;
//   BU 0x12019f  every local user, on each file in it (OIIO: files only, not the folder): read
//                and write it (FILE_GENERIC_READ | FILE_GENERIC_WRITE); not delete or rename
//                it, not change its permissions or its owner;
//   OW           the owner of the folder or of a file, whoever made it, gets the same as every
//                user and no more: without it the pupil who made a record file could change
//                its permissions and lock the others out.
inline constexpr wchar_t kRecordFolderSddl[] =
    L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;;0x1200ab;;;BU)(A;;0x1200ab;;;OW)"
    L"(A;OIIO;0x12019f;;;BU)(A;OIIO;0x12019f;;;OW)";

// Whether path is a folder, not a link to one.
bool isFolder(const std::wstring &path);

// Makes folder with kRecordFolderSddl when it is missing. True when folder is a folder (not a
// link to one) afterwards, made now or before.
bool makeSharedFolder(const std::wstring &folder);

// The DACL that a file made in a folder with folderDacl inherits: the folder's ACEs for files,
// marked inherited. As ACL storage.
std::vector<DWORD> inheritedByFiles(const ACL &folderDacl);

// The installers' step, run with the system's or an administrator's rights: makes folder, or
// gives the one there kRecordFolderSddl with the administrators as owner; the record files
// already in it get the permissions they inherit from it. A folder or record file that is a
// link, or a record file with a second name, is refused. Empty when done, else what went wrong,
// in Italian.
std::string prepareSharedFolder(const std::wstring &folder);

} // namespace angoli::windows
