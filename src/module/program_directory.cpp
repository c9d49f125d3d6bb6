#include "module/program_directory.h"

#include <aclapi.h>

#include "base/product.h"
#include "platform/win32/wide_text.h"

namespace cw::module {

namespace {

bool isDirectory(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Makes `path` unless it is there: ERROR_SUCCESS, or why it is still missing.
DWORD makeDirectory(const std::wstring& path) {
  if (::CreateDirectoryW(path.c_str(), nullptr)) return ERROR_SUCCESS;
  const DWORD error = ::GetLastError();
  return isDirectory(path) ? ERROR_SUCCESS : error;
}

// Writes `dacl` as the directory's own entries; inherited ones stay the parent's.
HRESULT setDacl(const std::wstring& directory, PACL dacl) {
  return HRESULT_FROM_WIN32(::SetNamedSecurityInfoW(const_cast<LPWSTR>(directory.c_str()),
                                                    SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                                    nullptr, nullptr, dacl, nullptr));
}

HRESULT grantUsersModify(const std::wstring& directory) {
  PACL current = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  const DWORD read =
      ::GetNamedSecurityInfoW(directory.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &current, nullptr, &descriptor);
  if (read != ERROR_SUCCESS) return HRESULT_FROM_WIN32(read);
  PACL updated = nullptr;
  HRESULT result = HRESULT_FROM_WIN32(withUsersModify(current, &updated));
  if (SUCCEEDED(result) && updated) result = setDacl(directory, updated);
  if (updated) ::LocalFree(updated);
  ::LocalFree(descriptor);
  return result;
}

// Whether `dacl` has an entry of its own allowing `users` modify rights on the directory and
// everything made in it. Not every system merges a granted entry into an equal one.
bool grants(PACL dacl, PSID users) {
  constexpr BYTE kInherited = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;
  for (DWORD i = 0; dacl && i < dacl->AceCount; ++i) {
    void* entry = nullptr;
    if (!::GetAce(dacl, i, &entry)) continue;
    const auto* header = static_cast<const ACE_HEADER*>(entry);
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
    if ((header->AceFlags & (kInherited | INHERIT_ONLY_ACE | INHERITED_ACE)) != kInherited)
      continue;
    auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
    if ((allowed->Mask & kModifyRights) == kModifyRights && ::EqualSid(&allowed->SidStart, users)) {
      return true;
    }
  }
  return false;
}

}  // namespace

DWORD withUsersModify(PACL current, PACL* updated) {
  *updated = nullptr;
  BYTE users[SECURITY_MAX_SID_SIZE] = {};
  DWORD size = sizeof(users);
  // By SID: the group's name is translated on systems in other languages.
  if (!::CreateWellKnownSid(WinBuiltinUsersSid, nullptr, users, &size)) return ::GetLastError();
  if (grants(current, users)) return ERROR_SUCCESS;
  EXPLICIT_ACCESSW access{};
  access.grfAccessPermissions = kModifyRights;
  access.grfAccessMode = GRANT_ACCESS;
  access.grfInheritance = SUB_CONTAINERS_AND_OBJECTS_INHERIT;
  access.Trustee.TrusteeForm = TRUSTEE_IS_SID;
  access.Trustee.TrusteeType = TRUSTEE_IS_WELL_KNOWN_GROUP;
  access.Trustee.ptstrName = reinterpret_cast<LPWSTR>(users);
  return ::SetEntriesInAclW(1, &access, current, updated);
}

std::wstring programDirectory() {
  for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
    const std::wstring programFiles = std::wstring{letter} + L":\\Program Files";
    if (!isDirectory(programFiles)) continue;
    return programFiles + L"\\" + platform::win32::toWide(product::kCompanyName) + L"\\" +
           platform::win32::toWide(product::kProductName);
  }
  return L"";
}

HRESULT prepareProgramDirectory() {
  const std::wstring directory = programDirectory();
  if (directory.empty()) return S_OK;
  const std::wstring company = directory.substr(0, directory.rfind(L'\\'));
  DWORD error = makeDirectory(company);
  if (error == ERROR_SUCCESS) error = makeDirectory(directory);
  if (error != ERROR_SUCCESS) return HRESULT_FROM_WIN32(error);
  // Not granted (the caller may not change the directory's rights): the directory is there, and
  // the class is registered all the same.
  grantUsersModify(directory);
  return S_OK;
}

}  // namespace cw::module
