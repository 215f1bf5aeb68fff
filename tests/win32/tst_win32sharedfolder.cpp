// SPDX-License-Identifier: GPL-3.0-or-later
// The record folder's permissions: the descriptor as Windows parses it, what it lets a pupil
// do to the folder and to the record files in it (Windows' own access check with a pupil's
// token), and the installers' step on real folders. Wine keeps no permissions on its files and
// leaves the owner's implicit rights in place whatever the OWNER RIGHTS entries say, so what a
// pupil may do is checked on descriptors, with owners other than the pupil.
#include "platform/windows/sharedfolder.h"
#include "platform/windows/wintext.h"

#include <doctest.h>

#include <windows.h>

#include <sddl.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

using namespace angoli;

namespace
{

struct LocalFreer {
    void operator()(void *p) const { LocalFree(p); }
};
using Local = std::unique_ptr<void, LocalFreer>;

Local parsed(const std::wstring &sddl)
{
    PSECURITY_DESCRIPTOR sd = nullptr;
    REQUIRE(ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &sd,
                                                                 nullptr));
    return Local(sd);
}

std::wstring sddlOf(PSECURITY_DESCRIPTOR sd, SECURITY_INFORMATION what)
{
    wchar_t *text = nullptr;
    REQUIRE(ConvertSecurityDescriptorToStringSecurityDescriptorW(sd, SDDL_REVISION_1, what, &text,
                                                                 nullptr));
    const std::wstring result = text;
    LocalFree(text);
    return result;
}

GENERIC_MAPPING fileMapping{FILE_GENERIC_READ, FILE_GENERIC_WRITE, FILE_GENERIC_EXECUTE,
                            FILE_ALL_ACCESS};

// This process's token as a pupil's: the administrators' group only to deny, never to allow.
HANDLE pupil()
{
    static HANDLE token = [] {
        HANDLE own = nullptr, restricted = nullptr, impersonation = nullptr;
        BYTE admins[SECURITY_MAX_SID_SIZE];
        DWORD size = sizeof admins;
        REQUIRE(OpenProcessToken(GetCurrentProcess(), TOKEN_ALL_ACCESS, &own));
        REQUIRE(CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, admins, &size));
        SID_AND_ATTRIBUTES disabled{admins, 0};
        REQUIRE(CreateRestrictedToken(own, 0, 1, &disabled, 0, nullptr, 0, nullptr, &restricted));
        REQUIRE(DuplicateToken(restricted, SecurityImpersonation, &impersonation));
        return impersonation;
    }();
    return token;
}

// The rights the pupil has on an object with this owner and DACL (in SDDL).
DWORD rightsOf(const std::wstring &owner, const std::wstring &dacl)
{
    const Local sd = parsed(L"O:" + owner + L"G:BU" + dacl);
    PRIVILEGE_SET privileges{};
    DWORD length = sizeof privileges, granted = 0;
    BOOL allowed = FALSE;
    REQUIRE(AccessCheck(sd.get(), pupil(), MAXIMUM_ALLOWED, &fileMapping, &privileges, &length,
                        &granted, &allowed));
    return allowed ? granted : 0;
}

struct Acl {
    Local descriptor = parsed(windows::kRecordFolderSddl);
    const ACL &dacl() const
    {
        BOOL present = FALSE, defaulted = FALSE;
        PACL list = nullptr;
        GetSecurityDescriptorDacl(descriptor.get(), &present, &list, &defaulted);
        REQUIRE(list != nullptr);
        return *list;
    }
};

// An ACL in SDDL, with the descriptor's control flags (P, AI) that go with it.
std::wstring daclSddl(const ACL &list, SECURITY_DESCRIPTOR_CONTROL control)
{
    SECURITY_DESCRIPTOR sd;
    InitializeSecurityDescriptor(&sd, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&sd, TRUE, const_cast<PACL>(&list), FALSE);
    SetSecurityDescriptorControl(&sd, control, control);
    return sddlOf(&sd, DACL_SECURITY_INFORMATION);
}

std::wstring folderDacl()
{
    const Acl folder;
    return daclSddl(folder.dacl(), SE_DACL_PROTECTED);
}

std::wstring fileDacl()
{
    const Acl folder;
    const std::vector<DWORD> inherited = windows::inheritedByFiles(folder.dacl());
    return daclSddl(*reinterpret_cast<const ACL *>(inherited.data()), SE_DACL_AUTO_INHERITED);
}

// Another pupil of the machine, who made the folder or a file in it.
constexpr wchar_t kOtherPupil[] = L"S-1-5-21-1-2-3-1001";

} // namespace

TEST_CASE("the record folder's descriptor is well formed and protected")
{
    // Read back as Windows wrote it: the same entries, nothing dropped, nothing added.
    CHECK(windows::toUtf8(folderDacl()) == windows::toUtf8(windows::kRecordFolderSddl));
    const Acl folder;
    const ACL &list = folder.dacl();
    for (DWORD i = 0; i < list.AceCount; ++i) {
        void *ace = nullptr;
        REQUIRE(GetAce(const_cast<PACL>(&list), i, &ace));
        CHECK(static_cast<ACE_HEADER *>(ace)->AceType == ACCESS_ALLOWED_ACE_TYPE);
    }
}

TEST_CASE("a record file in the folder inherits the system's, the administrators' and the users' "
          "entries for files")
{
    CHECK(windows::toUtf8(fileDacl()) ==
          "D:AI(A;ID;FA;;;SY)(A;ID;FA;;;BA)(A;ID;0x12019f;;;BU)(A;ID;0x12019f;;;OW)");
}

TEST_CASE("a pupil may add record files to the folder, and neither delete nor take it")
{
    // Made by the installer, or by another pupil's game that found no folder.
    for (const std::wstring &owner : {std::wstring(L"BA"), std::wstring(kOtherPupil)}) {
        CAPTURE(windows::toUtf8(owner));
        const DWORD rights = rightsOf(owner, folderDacl());
        CHECK((rights & FILE_ADD_FILE) != 0);
        CHECK((rights & (FILE_LIST_DIRECTORY | FILE_TRAVERSE)) ==
              (FILE_LIST_DIRECTORY | FILE_TRAVERSE));
        CHECK((rights & DELETE) == 0);
        CHECK((rights & FILE_DELETE_CHILD) == 0); // so no file in it either
        CHECK((rights & FILE_ADD_SUBDIRECTORY) == 0);
        CHECK((rights & (WRITE_DAC | WRITE_OWNER)) == 0);
    }
}

TEST_CASE("a pupil may read and rewrite a record file another pupil made, not delete or take it")
{
    for (const std::wstring &owner : {std::wstring(L"BA"), std::wstring(kOtherPupil)}) {
        CAPTURE(windows::toUtf8(owner));
        const DWORD rights = rightsOf(owner, fileDacl());
        // All the game asks when it opens a record file or the lock to store a better score.
        CHECK((rights & (FILE_GENERIC_READ | FILE_GENERIC_WRITE)) ==
              (FILE_GENERIC_READ | FILE_GENERIC_WRITE));
        CHECK((rights & DELETE) == 0);
        CHECK((rights & (WRITE_DAC | WRITE_OWNER)) == 0);
    }
}

TEST_CASE("whoever owns the folder or a file has no more than every user")
{
    // The owner's implicit right to change the permissions is replaced by the OWNER RIGHTS
    // entries: each users' entry has its owner's twin, with the same rights and inheritance.
    for (const std::wstring &dacl : {folderDacl(), fileDacl()}) {
        CAPTURE(windows::toUtf8(dacl));
        std::size_t users = 0;
        for (std::size_t at = dacl.find(L";;;BU)"); at != std::wstring::npos;
             at = dacl.find(L";;;BU)", at + 1)) {
            const std::size_t open = dacl.rfind(L'(', at);
            const std::wstring entry = dacl.substr(open, at - open);
            CHECK(dacl.find(entry + L";;;OW)") != std::wstring::npos);
            ++users;
        }
        CHECK(users > 0);
        CHECK(dacl.find(L";;;CO)") == std::wstring::npos); // no creator's own rights
    }
}

namespace
{

std::wstring freshFolder(const wchar_t *name)
{
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring dir =
        std::wstring(temp) + L"angoli-acl-" + name + L"-" + std::to_wstring(GetCurrentProcessId());
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(dir), ignored);
    return dir;
}

void writeFile(const std::wstring &path, const char *bytes)
{
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

std::string readFile(const std::wstring &path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

} // namespace

TEST_CASE("the installers' step makes the folder or mends it, and refuses what is not the game's")
{
    const std::wstring dir = freshFolder(L"prepare");
    SUBCASE("no folder yet: made")
    {
        CHECK(windows::prepareSharedFolder(dir).empty());
        CHECK(windows::isFolder(dir));
    }
    SUBCASE("a folder an earlier installer left, with the records: kept as they are")
    {
        REQUIRE(CreateDirectoryW(dir.c_str(), nullptr));
        writeFile(dir + L"\\ange.txt", "12\r\n");
        writeFile(dir + L"\\nange.txt", "Ugo\r\n");
        CHECK(windows::prepareSharedFolder(dir).empty());
        CHECK(readFile(dir + L"\\ange.txt") == "12\r\n");
        CHECK(readFile(dir + L"\\nange.txt") == "Ugo\r\n");
    }
    SUBCASE("a file in the folder's place")
    {
        writeFile(dir, "");
        CHECK_FALSE(windows::prepareSharedFolder(dir).empty());
    }
    SUBCASE("a record file with a second name elsewhere")
    {
        REQUIRE(CreateDirectoryW(dir.c_str(), nullptr));
        writeFile(dir + L"\\elsewhere.txt", "99\r\n");
        REQUIRE(CreateHardLinkW((dir + L"\\nange.txt").c_str(), (dir + L"\\elsewhere.txt").c_str(),
                                nullptr));
        const std::string refusal = windows::prepareSharedFolder(dir);
        CHECK(refusal.find("nange.txt") != std::string::npos);
        CHECK(refusal.find("non è un file normale") != std::string::npos);
    }
    SUBCASE("a folder in a record file's place")
    {
        REQUIRE(CreateDirectoryW(dir.c_str(), nullptr));
        REQUIRE(CreateDirectoryW((dir + L"\\.angoli.lock").c_str(), nullptr));
        CHECK(windows::prepareSharedFolder(dir).find(".angoli.lock") != std::string::npos);
    }
}
