// Self-registration as an installer does it with regsvr32, read back from the registry of the
// test run's wine prefix; the type library and the version resource the registration rests on.

#include <gtest/gtest.h>
// After gtest.h, which brings windows.h before them.
#include <aclapi.h>
#include <sddl.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "com/com_client.h"
#include "command/corbelwick_bookmarks.h"
#include "hosts/com/host_interfaces.h"
#include "module/program_directory.h"

namespace cw::com::testing {
namespace {

std::wstring wide(const std::string& text) {
  return std::wstring(text.begin(), text.end());
}

const std::wstring kClsid = wide(com_identity::kClassId);
const std::wstring kLibrary = wide(com_identity::kTypeLibraryId);
const std::wstring kDefaultInterface = wide(com_identity::kDefaultInterfaceId);
const std::wstring kProgId = L"CorbelwickGIS.CorbelwickBookmarks";
const std::wstring kCommandCategory = L"{B56A7C42-83D4-11D2-A2E9-080009B6F22B}";

// regsvr32 with `options` on the module; its exit code, -1 when it cannot be started.
int regsvr32(const std::wstring& options) {
  std::wstring line = L"regsvr32.exe " + options + L" \"" + serverPath() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
    ADD_FAILURE() << "regsvr32 could not be started: error " << ::GetLastError();
    return -1;
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(process.hProcess, &code);
  if (code != 0)
    std::cout << "[   NOTE   ] regsvr32 " << code << " (0x" << std::hex << code << std::dec
              << ")\n";
  ::CloseHandle(process.hThread);
  ::CloseHandle(process.hProcess);
  return static_cast<int>(code);
}

bool keyExists(const std::wstring& key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return false;
  }
  ::RegCloseKey(opened);
  return true;
}

// A string value under HKEY_CLASSES_ROOT; "<missing>" when there is none.
std::wstring valueOf(const std::wstring& key, const std::wstring& name) {
  wchar_t data[1024] = {};
  DWORD bytes = sizeof(data) - sizeof(wchar_t);
  DWORD type = 0;
  if (::RegGetValueW(HKEY_CLASSES_ROOT, key.c_str(), name.empty() ? nullptr : name.c_str(),
                     RRF_RT_ANY, &type, data, &bytes) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return L"<missing>";
  }
  return data;
}

std::string narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

struct Value {
  std::wstring key;
  std::wstring name;
  std::wstring data;
};

// What registering writes (the type library's own keys are the system's and checked apart).
std::vector<Value> registeredValues() {
  const std::wstring clsidKey = L"CLSID\\" + kClsid;
  return {
      {clsidKey, L"", kProgId},
      {clsidKey + L"\\InprocServer32", L"", serverPath()},
      {clsidKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"},
      {clsidKey + L"\\ProgID", L"", kProgId},
      {clsidKey + L"\\TypeLib", L"", kLibrary},
      {clsidKey + L"\\Implemented Categories\\" + kCommandCategory, L"", L""},
      {kProgId, L"", kProgId},
      {kProgId + L"\\CLSID", L"", kClsid},
  };
}

// Every key a registration leaves behind, the type library's included.
std::vector<std::wstring> registeredKeys() {
  return {L"CLSID\\" + kClsid, kProgId, L"TypeLib\\" + kLibrary,
          L"Interface\\" + kDefaultInterface};
}

void expectNothingRegistered(const char* when) {
  for (const std::wstring& key : registeredKeys()) {
    EXPECT_FALSE(keyExists(key)) << narrow(key) << " " << when;
  }
}

void expectRegistered(const char* when) {
  for (const Value& v : registeredValues()) {
    const std::wstring found = valueOf(v.key, v.name);
    // Paths are compared as Windows does, without regard to case.
    EXPECT_EQ(::CompareStringOrdinal(found.c_str(), -1, v.data.c_str(), -1, TRUE), CSTR_EQUAL)
        << narrow(v.key) << " [" << narrow(v.name) << "] is " << narrow(found) << " " << when;
  }
}

class Registration : public ::testing::Test {
 protected:
  // Every test starts and ends with the module unregistered; unregistering what was never
  // registered succeeds.
  void SetUp() override { ASSERT_EQ(regsvr32(L"/u /s"), 0); }
  void TearDown() override { EXPECT_EQ(regsvr32(L"/u /s"), 0); }
};

TEST_F(Registration, WritesTheClassProgIdTypeLibraryAndCategory) {
  expectNothingRegistered("before registering");
  ASSERT_EQ(regsvr32(L"/s"), 0);
  expectRegistered("after registering");
  EXPECT_EQ(valueOf(L"Interface\\" + kDefaultInterface, L""), L"_CorbelwickBookmarks");

  ASSERT_EQ(regsvr32(L"/s"), 0) << "registering again is harmless";
  expectRegistered("after registering twice");

  CLSID fromProgId{};
  ASSERT_EQ(::CLSIDFromProgID(kProgId.c_str(), &fromProgId), S_OK);
  wchar_t spelt[40] = {};
  ::StringFromGUID2(fromProgId, spelt, 40);
  EXPECT_EQ(std::wstring(spelt), kClsid);
}

TEST_F(Registration, UnregisteringTwiceLeavesNothingBehind) {
  ASSERT_EQ(regsvr32(L"/s"), 0);
  ASSERT_EQ(regsvr32(L"/u /s"), 0);
  expectNothingRegistered("after unregistering");
  ASSERT_EQ(regsvr32(L"/u /s"), 0);
  expectNothingRegistered("after unregistering twice");
}

TEST_F(Registration, TheHostCreatesTheCommandByItsClassId) {
  ASSERT_EQ(regsvr32(L"/s"), 0);
  ASSERT_TRUE(SUCCEEDED(::CoInitialize(nullptr)));
  {
    CLSID clsid{};
    ASSERT_EQ(::CLSIDFromString(kClsid.c_str(), &clsid), NOERROR);
    Ref<ICommand> command;
    ASSERT_EQ(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, kIidICommand, command.out()),
              S_OK);
    ReceivedText caption;
    ASSERT_EQ(command->get_Caption(caption.out()), S_OK);
    EXPECT_EQ(caption.wide(), L"CorbelwickBookmarks");
  }
  ::CoUninitialize();
}

// --- the program directory -----------------------------------------------------------------

// Where the command's first start writes, which registration (run elevated) makes for the
// machine's standard users.
const std::filesystem::path kProgramDir = L"C:\\Program Files\\CorbelwickGIS\\CorbelwickBookmarks";

// What icacls grants as modify (M).
constexpr ACCESS_MASK kModify = 0x1301BF;

struct AllowEntry {
  ACCESS_MASK rights;
  BYTE flags;
};

// The list's own (not inherited) allow entries for BUILTIN\\Users, S-1-5-32-545.
std::vector<AllowEntry> usersAllowed(const ACL* dacl) {
  std::vector<AllowEntry> found;
  PSID users = nullptr;
  EXPECT_TRUE(::ConvertStringSidToSidW(L"S-1-5-32-545", &users));
  for (DWORD i = 0; dacl && users && i < dacl->AceCount; ++i) {
    void* entry = nullptr;
    if (!::GetAce(const_cast<ACL*>(dacl), i, &entry)) continue;
    const auto* header = static_cast<const ACE_HEADER*>(entry);
    if (header->AceType != ACCESS_ALLOWED_ACE_TYPE || (header->AceFlags & INHERITED_ACE)) continue;
    auto* allowed = static_cast<ACCESS_ALLOWED_ACE*>(entry);
    if (::EqualSid(&allowed->SidStart, users)) found.push_back({allowed->Mask, header->AceFlags});
  }
  if (users) ::LocalFree(users);
  return found;
}

std::vector<AllowEntry> usersAllowed(const std::filesystem::path& directory) {
  PACL dacl = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  EXPECT_EQ(::GetNamedSecurityInfoW(directory.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION,
                                    nullptr, nullptr, &dacl, nullptr, &descriptor),
            static_cast<DWORD>(ERROR_SUCCESS));
  std::vector<AllowEntry> found = usersAllowed(dacl);
  if (descriptor) ::LocalFree(descriptor);
  return found;
}

// One entry, with modify rights, inherited by the files and folders made in the directory.
void expectOpenToUsers(const std::vector<AllowEntry>& entries, const char* when) {
  ASSERT_EQ(entries.size(), 1u) << when;
  EXPECT_EQ(entries[0].rights & kModify, kModify) << std::hex << entries[0].rights << " " << when;
  EXPECT_TRUE(entries[0].flags & OBJECT_INHERIT_ACE) << when;
  EXPECT_TRUE(entries[0].flags & CONTAINER_INHERIT_ACE) << when;
  EXPECT_FALSE(entries[0].flags & INHERIT_ONLY_ACE) << "the directory itself too, " << when;
}

// What registration adds to the program directory's list, whatever the system keeps of it.
TEST(ProgramDirectoryList, GrantsTheMachinesUsersModifyOnceInheritedByWhatIsMadeInIt) {
  // An empty list, and one granting Everyone reading that must stay.
  ACL empty{};
  ASSERT_TRUE(::InitializeAcl(&empty, sizeof(empty), ACL_REVISION));
  alignas(DWORD) BYTE readable[128] = {};
  auto* everyoneReads = reinterpret_cast<ACL*>(readable);
  ASSERT_TRUE(::InitializeAcl(everyoneReads, sizeof(readable), ACL_REVISION));
  PSID everyone = nullptr;
  ASSERT_TRUE(::ConvertStringSidToSidW(L"S-1-1-0", &everyone));
  ASSERT_TRUE(::AddAccessAllowedAce(everyoneReads, ACL_REVISION, FILE_GENERIC_READ, everyone));
  ::LocalFree(everyone);

  struct Case {
    const char* what;
    ACL* current;
    DWORD entriesBefore;
  };
  for (const Case& c : {Case{"no list", nullptr, 0}, Case{"an empty list", &empty, 0},
                        Case{"Everyone reading", everyoneReads, 1}}) {
    PACL once = nullptr;
    ASSERT_EQ(module::withUsersModify(c.current, &once), static_cast<DWORD>(ERROR_SUCCESS))
        << c.what;
    expectOpenToUsers(usersAllowed(once), c.what);
    EXPECT_EQ(once->AceCount, c.entriesBefore + 1) << c.what << ": the others kept";
    PACL twice = nullptr;
    ASSERT_EQ(module::withUsersModify(once, &twice), static_cast<DWORD>(ERROR_SUCCESS)) << c.what;
    EXPECT_EQ(twice, nullptr) << c.what << ": granted already, nothing to write again";
    if (twice) ::LocalFree(twice);
    ::LocalFree(once);
  }
}

// Whether this system keeps a directory's entries for other groups than the owner's and
// Everyone: wine keeps only what its files' mode bits say unless its server stores them in
// extended attributes.
bool keepsDacls() {
  static const bool keeps = [] {
    wchar_t temporary[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temporary);
    const std::filesystem::path scratch =
        std::filesystem::path(temporary) / "corbelwick-dacl-probe";
    std::filesystem::create_directories(scratch);
    PACL granted = nullptr;
    bool kept = false;
    if (module::withUsersModify(nullptr, &granted) == ERROR_SUCCESS &&
        ::SetNamedSecurityInfoW(const_cast<LPWSTR>(scratch.c_str()), SE_FILE_OBJECT,
                                DACL_SECURITY_INFORMATION, nullptr, nullptr, granted,
                                nullptr) == ERROR_SUCCESS) {
      kept = !usersAllowed(scratch).empty();
    }
    if (granted) ::LocalFree(granted);
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
    return kept;
  }();
  return keeps;
}

// The directory's entries for the machine's users, where the system keeps them.
void expectDirectoryOpenToUsers(const char* when) {
  if (!keepsDacls()) {
    std::cout << "[   NOTE   ] this system keeps no entries for BUILTIN\\Users on a directory: "
                 "only what registration hands it is checked ("
              << when << ")\n";
    return;
  }
  expectOpenToUsers(usersAllowed(kProgramDir), when);
}

// The program directory of earlier tests set aside, and put back afterwards.
class ProgramDirectory : public Registration {
 protected:
  void SetUp() override {
    Registration::SetUp();
    if (std::filesystem::exists(kProgramDir)) std::filesystem::rename(kProgramDir, kept());
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(kProgramDir, ignored);
    if (std::filesystem::exists(kept())) std::filesystem::rename(kept(), kProgramDir);
    Registration::TearDown();
  }
  static std::filesystem::path kept() { return kProgramDir.wstring() + L" (kept)"; }
};

TEST_F(ProgramDirectory, RegisteringMakesItAndOpensItToTheMachinesUsers) {
  struct Case {
    const char* what;
    bool there;
  };
  for (const Case c : {Case{"made by registration", false}, Case{"already there", true}}) {
    std::filesystem::remove_all(kProgramDir);
    if (c.there) {
      std::filesystem::create_directories(kProgramDir);
      ASSERT_TRUE(usersAllowed(kProgramDir).empty()) << c.what;
    }
    ASSERT_EQ(regsvr32(L"/s"), 0) << c.what;
    ASSERT_TRUE(std::filesystem::is_directory(kProgramDir)) << c.what;
    expectDirectoryOpenToUsers(c.what);
    ASSERT_EQ(regsvr32(L"/s"), 0) << c.what;
    expectDirectoryOpenToUsers("registered again: the entry is not repeated");
  }
}

TEST_F(ProgramDirectory, UnregisteringLeavesItAndTheListsInIt) {
  ASSERT_EQ(regsvr32(L"/s"), 0);
  const std::filesystem::path list = kProgramDir / "bookmarks_default.bmk";
  std::ofstream(list) << "kept\n";
  ASSERT_EQ(regsvr32(L"/u /s"), 0);
  EXPECT_TRUE(std::filesystem::is_regular_file(list));
  expectDirectoryOpenToUsers("after unregistering");
}

// The embedded type library carries the identities the module registers under.
TEST_F(Registration, TheTypeLibraryDescribesTheClassAndItsDefaultInterface) {
  Ref<ITypeLib> library;
  ASSERT_EQ(::LoadTypeLibEx(serverPath().c_str(), REGKIND_NONE, library.outTyped()), S_OK);
  TLIBATTR* attributes = nullptr;
  ASSERT_EQ(library->GetLibAttr(&attributes), S_OK);
  wchar_t spelt[40] = {};
  ::StringFromGUID2(attributes->guid, spelt, 40);
  EXPECT_EQ(std::wstring(spelt), kLibrary);
  EXPECT_EQ(attributes->wMajorVerNum, 1);
  EXPECT_EQ(attributes->wMinorVerNum, 0);
  EXPECT_EQ(attributes->lcid, 1033u);
  library->ReleaseTLibAttr(attributes);

  ReceivedText name;
  ASSERT_EQ(library->GetDocumentation(-1, name.out(), nullptr, nullptr, nullptr), S_OK);
  EXPECT_EQ(name.wide(), L"CorbelwickGIS");

  CLSID clsid{};
  ASSERT_EQ(::CLSIDFromString(kClsid.c_str(), &clsid), NOERROR);
  Ref<ITypeInfo> coclass;
  ASSERT_EQ(library->GetTypeInfoOfGuid(clsid, coclass.outTyped()), S_OK);
  ReceivedText className;
  ASSERT_EQ(coclass->GetDocumentation(MEMBERID_NIL, className.out(), nullptr, nullptr, nullptr),
            S_OK);
  EXPECT_EQ(className.wide(), L"CorbelwickBookmarks");

  HREFTYPE reference = 0;
  ASSERT_EQ(coclass->GetRefTypeOfImplType(0, &reference), S_OK);
  INT flags = 0;
  ASSERT_EQ(coclass->GetImplTypeFlags(0, &flags), S_OK);
  EXPECT_TRUE(flags & IMPLTYPEFLAG_FDEFAULT);
  Ref<ITypeInfo> defaultInterface;
  ASSERT_EQ(coclass->GetRefTypeInfo(reference, defaultInterface.outTyped()), S_OK);
  TYPEATTR* type = nullptr;
  ASSERT_EQ(defaultInterface->GetTypeAttr(&type), S_OK);
  ::StringFromGUID2(type->guid, spelt, 40);
  EXPECT_EQ(std::wstring(spelt), kDefaultInterface);
  EXPECT_EQ(type->typekind, TKIND_DISPATCH);
  EXPECT_EQ(type->cVars, 0);
  // Members of its own, none: at most IDispatch's, which some systems list with it.
  const std::set<std::wstring> dispatchMembers = {
      L"QueryInterface", L"AddRef",        L"Release", L"GetTypeInfoCount",
      L"GetTypeInfo",    L"GetIDsOfNames", L"Invoke"};
  for (UINT i = 0; i < type->cFuncs; ++i) {
    FUNCDESC* member = nullptr;
    ASSERT_EQ(defaultInterface->GetFuncDesc(i, &member), S_OK);
    ReceivedText memberName;
    defaultInterface->GetDocumentation(member->memid, memberName.out(), nullptr, nullptr, nullptr);
    EXPECT_TRUE(dispatchMembers.count(memberName.wide())) << narrow(memberName.wide());
    defaultInterface->ReleaseFuncDesc(member);
  }
  defaultInterface->ReleaseTypeAttr(type);
  ReceivedText interfaceName;
  ASSERT_EQ(defaultInterface->GetDocumentation(MEMBERID_NIL, interfaceName.out(), nullptr, nullptr,
                                               nullptr),
            S_OK);
  EXPECT_EQ(interfaceName.wide(), L"_CorbelwickBookmarks");
}

std::wstring versionString(const std::vector<BYTE>& block, const std::wstring& name) {
  void* found = nullptr;
  UINT length = 0;
  const std::wstring path = L"\\StringFileInfo\\040904B0\\" + name;
  if (!::VerQueryValueW(block.data(), path.c_str(), &found, &length) || !found) {
    return L"<missing>";
  }
  return std::wstring(static_cast<const wchar_t*>(found));
}

TEST(VersionResource, NamesTheCompanyProductVersionAndSelfRegistration) {
  const std::wstring path = serverPath();
  DWORD ignored = 0;
  const DWORD size = ::GetFileVersionInfoSizeW(path.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<BYTE> block(size);
  ASSERT_TRUE(::GetFileVersionInfoW(path.c_str(), 0, size, block.data()));
  struct Case {
    const wchar_t* name;
    const wchar_t* expected;
  };
  const std::vector<Case> cases = {
      {L"CompanyName", L"CorbelwickGIS"}, {L"ProductName", L"CorbelwickBookmarks"},
      {L"FileVersion", L"2.19.0038"},     {L"ProductVersion", L"2.19.0038"},
      {L"OLESelfRegister", L""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(versionString(block, c.name), std::wstring(c.expected)) << narrow(c.name);
  }
}

}  // namespace
}  // namespace cw::com::testing
