// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/sharedfolder.h"

#include "platform/windows/wintext.h"
#include "records/recordformat.h"

#include <windows.h>

#include <sddl.h>

#include <memory>
#include <vector>

namespace angoli::windows
{

namespace
{

struct LocalFreer {
    void operator()(void *p) const { LocalFree(p); }
};
using Descriptor = std::unique_ptr<void, LocalFreer>;

struct HandleCloser {
    void operator()(HANDLE h) const { CloseHandle(h); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

Descriptor descriptorOf(const std::wstring &sddl)
{
    PSECURITY_DESCRIPTOR made = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &made,
                                                              nullptr))
        return nullptr;
    return Descriptor(made);
}

std::string failed(const std::wstring &path, const char *what, DWORD error = GetLastError())
{
    return toUtf8(path) + ": " + what + " (" + systemMessage(error) + ")";
}

// Lets the installer's account change the owner and permissions of whatever a pupil left in
// the folder, even where they shut it out. Held only for this process's short life.
void enablePrivileges()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
        return;
    for (const wchar_t *name : {L"SeRestorePrivilege", L"SeTakeOwnershipPrivilege"}) {
        TOKEN_PRIVILEGES p{1, {{{0, 0}, SE_PRIVILEGE_ENABLED}}};
        if (LookupPrivilegeValueW(nullptr, name, &p.Privileges[0].Luid))
            AdjustTokenPrivileges(token, FALSE, &p, 0, nullptr, nullptr);
    }
    CloseHandle(token);
}

// Opened itself, never what a link in its place leads to.
Handle openEntry(const std::wstring &path, DWORD share)
{
    HANDLE h = CreateFileW(path.c_str(), WRITE_DAC | WRITE_OWNER | FILE_READ_ATTRIBUTES, share,
                           nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    return Handle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

// Owned by the administrators, with dacl; protected (the folder) or inheriting (a file).
bool setSecurity(HANDLE h, PACL dacl, PSID administrators, bool protect)
{
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorOwner(&sd, administrators, FALSE);
    SetSecurityDescriptorDacl(&sd, TRUE, dacl, FALSE);
    const SECURITY_DESCRIPTOR_CONTROL bits = protect ? SE_DACL_PROTECTED : SE_DACL_AUTO_INHERITED;
    SetSecurityDescriptorControl(&sd, SE_DACL_PROTECTED | SE_DACL_AUTO_INHERITED, bits);
    return SetKernelObjectSecurity(h, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, &sd);
}

// A plain file with one name: the only kind the game itself opens in the folder.
bool plainFile(HANDLE h)
{
    BY_HANDLE_FILE_INFORMATION info{};
    return GetFileInformationByHandle(h, &info) &&
           !(info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY)) &&
           info.nNumberOfLinks == 1;
}

} // namespace

bool isFolder(const std::wstring &path)
{
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) &&
           !(attributes & FILE_ATTRIBUTE_REPARSE_POINT);
}

std::vector<DWORD> inheritedByFiles(const ACL &folderDacl)
{
    std::vector<ACE_HEADER *> aces;
    DWORD size = sizeof(ACL);
    auto *folder = const_cast<PACL>(&folderDacl); // GetAce only reads
    for (DWORD i = 0; i < folder->AceCount; ++i) {
        void *ace = nullptr;
        if (GetAce(folder, i, &ace) &&
            (static_cast<ACE_HEADER *>(ace)->AceFlags & OBJECT_INHERIT_ACE)) {
            aces.push_back(static_cast<ACE_HEADER *>(ace));
            size += aces.back()->AceSize;
        }
    }
    std::vector<DWORD> acl((size + sizeof(DWORD) - 1) / sizeof(DWORD));
    auto *list = reinterpret_cast<PACL>(acl.data());
    InitializeAcl(list, size, ACL_REVISION);
    for (ACE_HEADER *ace : aces) {
        AddAce(list, ACL_REVISION, MAXDWORD, ace, ace->AceSize);
        void *added = nullptr;
        GetAce(list, list->AceCount - 1, &added);
        static_cast<ACE_HEADER *>(added)->AceFlags = INHERITED_ACE;
    }
    return acl;
}

bool makeSharedFolder(const std::wstring &folder)
{
    // Made with its own descriptor: a folder made by the first pupil to play would otherwise
    // belong to that pupil alone.
    const Descriptor descriptor = descriptorOf(kRecordFolderSddl);
    SECURITY_ATTRIBUTES security{sizeof security, descriptor.get(), FALSE};
    const BOOL made = CreateDirectoryW(folder.c_str(), descriptor ? &security : nullptr);
    const DWORD error = GetLastError();
    return made || (error == ERROR_ALREADY_EXISTS && isFolder(folder));
}

std::string prepareSharedFolder(const std::wstring &folder)
{
    enablePrivileges();
    if (!makeSharedFolder(folder))
        return failed(folder, "la cartella dei record non si può creare");
    // Held without FILE_SHARE_DELETE: nobody can put something else in its place meanwhile.
    const Handle dir = openEntry(folder, FILE_SHARE_READ | FILE_SHARE_WRITE);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!dir || !GetFileInformationByHandle(dir.get(), &info))
        return failed(folder, "la cartella dei record non si apre");
    if (!(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
        (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return toUtf8(folder) + ": è un collegamento o un file, non una cartella";

    const Descriptor descriptor = descriptorOf(kRecordFolderSddl);
    BYTE administrators[SECURITY_MAX_SID_SIZE];
    DWORD sidSize = sizeof administrators;
    PACL dacl = nullptr;
    BOOL present = FALSE, defaulted = FALSE;
    if (!descriptor || !GetSecurityDescriptorDacl(descriptor.get(), &present, &dacl, &defaulted) ||
        !dacl ||
        !CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, administrators, &sidSize))
        return failed(folder, "i permessi della cartella non si possono scrivere");
    if (!setSecurity(dir.get(), dacl, administrators, true))
        return failed(folder, "i permessi della cartella non si possono cambiare");

    // Files a pupil made under other permissions (an earlier installer's, or none) get the
    // folder's, and lose their owner's rights to shut the others out.
    std::vector<DWORD> forFiles = inheritedByFiles(*dacl);
    for (std::string_view name : {kScoreFile, kHolderFile, kLockFile}) {
        const std::wstring path = folder + L"\\" + toWide(name);
        const Handle file = openEntry(path, FILE_SHARE_READ | FILE_SHARE_WRITE);
        if (!file) {
            const DWORD error = GetLastError();
            if (error == ERROR_FILE_NOT_FOUND)
                continue;
            return failed(path, "il file dei record non si apre", error);
        }
        if (!plainFile(file.get()))
            return toUtf8(path) + ": non è un file normale (un collegamento, una cartella o un "
                                  "file con più nomi): va tolto";
        if (!setSecurity(file.get(), reinterpret_cast<PACL>(forFiles.data()), administrators,
                         false))
            return failed(path, "i permessi del file dei record non si possono cambiare");
    }
    return {};
}

} // namespace angoli::windows
