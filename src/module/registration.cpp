#include "module/registration.h"

#include <oleauto.h>
#include <olectl.h>

#include <string>
#include <string_view>

#include "command/corbelwick_bookmarks.h"
#include "hosts/com/module_ids.h"
#include "module/class_table.h"
#include "module/program_directory.h"
#include "platform/win32/wide_text.h"

namespace cw::module {

namespace {

// The host's component category of commands, under which its Customize dialog lists them.
constexpr std::string_view kCommandCategory = "{B56A7C42-83D4-11D2-A2E9-080009B6F22B}";

// One registry value under HKEY_CLASSES_ROOT; an empty name is the key's default value. In key
// and data, $clsid, $name, $progid, $path and $typelib stand for the class's values.
struct RegistryValue {
  std::string_view key;
  std::string_view name;
  std::string_view data;
};

// What the registration writes for each class: the class key with its server, ProgID, type
// library and category, and the ProgID key pointing back.
constexpr RegistryValue kClassValues[] = {
    {"CLSID\\$clsid", "", "$name"},
    {"CLSID\\$clsid\\InprocServer32", "", "$path"},
    {"CLSID\\$clsid\\InprocServer32", "ThreadingModel", "Apartment"},
    {"CLSID\\$clsid\\ProgID", "", "$progid"},
    {"CLSID\\$clsid\\TypeLib", "", "$typelib"},
    {"CLSID\\$clsid\\Implemented Categories\\$category", "", ""},
    {"$progid", "", "$name"},
    {"$progid\\CLSID", "", "$clsid"},
};

// The keys the registration owns for each class: unregistering removes them whole.
constexpr std::string_view kClassKeys[] = {"CLSID\\$clsid", "$progid"};

class Placeholders {
 public:
  Placeholders(const ClassEntry& entry, const std::wstring& modulePath)
      : entry_(entry), modulePath_(platform::win32::fromWide(modulePath)) {}

  std::wstring expand(std::string_view text) const {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
      if (text[i] != '$') {
        out += text[i++];
        continue;
      }
      std::size_t end = i + 1;
      while (end < text.size() && text[end] >= 'a' && text[end] <= 'z') ++end;
      out += valueOf(text.substr(i + 1, end - i - 1));
      i = end;
    }
    return platform::win32::toWide(out);
  }

 private:
  std::string valueOf(std::string_view placeholder) const {
    if (placeholder == "clsid") return entry_.clsidText;
    if (placeholder == "name") return entry_.name;
    if (placeholder == "progid") return entry_.progId;
    if (placeholder == "path") return modulePath_;
    if (placeholder == "typelib") return com_identity::kTypeLibraryId;
    if (placeholder == "category") return std::string(kCommandCategory);
    return "$" + std::string(placeholder);
  }

  const ClassEntry& entry_;
  std::string modulePath_;
};

bool writeValue(const std::wstring& key, const std::wstring& name, const std::wstring& data) {
  HKEY opened = nullptr;
  if (::RegCreateKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_SET_VALUE, nullptr, &opened, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
  const LONG written = ::RegSetValueExW(opened, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                                        reinterpret_cast<const BYTE*>(data.c_str()), bytes);
  ::RegCloseKey(opened);
  return written == ERROR_SUCCESS;
}

bool removeKey(const std::wstring& key) {
  const LONG removed = ::RegDeleteTreeW(HKEY_CLASSES_ROOT, key.c_str());
  if (removed == ERROR_FILE_NOT_FOUND) return true;
  if (removed != ERROR_SUCCESS) return false;
  // Some systems empty the key and leave it.
  const LONG left = ::RegDeleteKeyW(HKEY_CLASSES_ROOT, key.c_str());
  return left == ERROR_SUCCESS || left == ERROR_FILE_NOT_FOUND;
}

bool keyExists(const std::wstring& key) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS) {
    return false;
  }
  ::RegCloseKey(opened);
  return true;
}

std::wstring typeLibraryKey() {
  return platform::win32::toWide(std::string("TypeLib\\") + com_identity::kTypeLibraryId);
}

// The default interface's key, which registering the type library writes.
std::wstring defaultInterfaceKey() {
  return platform::win32::toWide(std::string("Interface\\") + com_identity::kDefaultInterfaceId);
}

}  // namespace

HRESULT registerServer(const std::wstring& modulePath) {
  for (const ClassEntry& entry : classTable()) {
    const Placeholders values(entry, modulePath);
    for (const RegistryValue& value : kClassValues) {
      if (!writeValue(values.expand(value.key), values.expand(value.name),
                      values.expand(value.data))) {
        return SELFREG_E_CLASS;
      }
    }
  }
  ITypeLib* library = nullptr;
  if (FAILED(::LoadTypeLibEx(modulePath.c_str(), REGKIND_REGISTER, &library))) {
    return SELFREG_E_TYPELIB;
  }
  library->Release();
  // Last, so that the classes are registered whatever becomes of the directory.
  return prepareProgramDirectory();
}

HRESULT unregisterServer() {
  HRESULT result = S_OK;
  for (const ClassEntry& entry : classTable()) {
    const Placeholders values(entry, L"");
    for (std::string_view key : kClassKeys) {
      if (!removeKey(values.expand(key))) result = SELFREG_E_CLASS;
    }
  }
  // The type library's keys and its interfaces' go with the system's call; whatever it leaves
  // of them (it finds the interfaces through the registered file) is removed here.
  if (keyExists(typeLibraryKey())) {
    ::UnRegisterTypeLib(com::kTypeLibraryGuid, com_identity::kTypeLibraryMajor,
                        com_identity::kTypeLibraryMinor, com_identity::kTypeLibraryLocale,
                        SYS_WIN32);
  }
  for (const std::wstring& key : {typeLibraryKey(), defaultInterfaceKey()}) {
    if (!removeKey(key)) result = SELFREG_E_TYPELIB;
  }
  return result;
}

}  // namespace cw::module
