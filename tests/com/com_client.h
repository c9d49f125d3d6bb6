#pragma once

// What a test host needs to use the module as the host does: the DLL loaded by its path, its
// exports, and a reference that releases itself.

#include <windows.h>
// After windows.h, which they need before them.
#include <gtest/gtest.h>
#include <oleauto.h>
#include <unknwn.h>

#include <string>
#include <utility>

#include "command/corbelwick_bookmarks.h"
#include "hosts/com/host_interfaces.h"

namespace cw::com::testing {

// The DLL's path as Windows sees it: the build hands in its Linux path, which wine shows as
// drive Z:.
inline std::wstring serverPath() {
  std::string path = CW_COM_DLL;
  if (!path.empty() && path[0] == '/') path = "Z:" + path;
  std::wstring wide(path.begin(), path.end());
  for (wchar_t& c : wide) {
    if (c == L'/') c = L'\\';
  }
  return wide;
}

// The module loaded once into the test process, as the host's COM runtime loads it, and its
// four exports.
struct Server {
  using GetClassObject = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
  using NoArguments = HRESULT(STDAPICALLTYPE*)();

  HMODULE module = nullptr;
  GetClassObject getClassObject = nullptr;
  NoArguments canUnloadNow = nullptr;
  NoArguments registerServer = nullptr;
  NoArguments unregisterServer = nullptr;

  template <typename Function>
  static Function exportOf(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
  }

  static const Server& loaded() {
    static const Server server = [] {
      Server s;
      s.module = ::LoadLibraryW(serverPath().c_str());
      if (s.module) {
        s.getClassObject = exportOf<GetClassObject>(s.module, "DllGetClassObject");
        s.canUnloadNow = exportOf<NoArguments>(s.module, "DllCanUnloadNow");
        s.registerServer = exportOf<NoArguments>(s.module, "DllRegisterServer");
        s.unregisterServer = exportOf<NoArguments>(s.module, "DllUnregisterServer");
      }
      return s;
    }();
    return server;
  }
};

// One reference to a COM object, released when it goes.
template <typename T>
class Ref {
 public:
  Ref() = default;
  explicit Ref(T* held) : held_(held) {}
  Ref(Ref&& other) noexcept : held_(std::exchange(other.held_, nullptr)) {}
  Ref& operator=(Ref&& other) noexcept {
    std::swap(held_, other.held_);
    return *this;
  }
  ~Ref() {
    if (held_) held_->Release();
  }

  T* get() const { return held_; }
  T* operator->() const { return held_; }
  explicit operator bool() const { return held_ != nullptr; }
  // Where a call puts a new reference; the earlier one is released first.
  void** out() {
    if (held_) held_->Release();
    held_ = nullptr;
    return reinterpret_cast<void**>(&held_);
  }
  T** outTyped() { return reinterpret_cast<T**>(out()); }
  // Gives the reference up without releasing it.
  T* release() { return std::exchange(held_, nullptr); }

 private:
  T* held_ = nullptr;
};

// A BSTR received from a call, freed when it goes.
class ReceivedText {
 public:
  ~ReceivedText() { ::SysFreeString(text_); }
  BSTR* out() { return &text_; }
  BSTR get() const { return text_; }
  std::wstring wide() const { return text_ ? std::wstring(text_, ::SysStringLen(text_)) : L""; }

 private:
  BSTR text_ = nullptr;
};

// The reference count an object reports after one more AddRef and Release.
inline ULONG referencesOf(IUnknown* object) {
  object->AddRef();
  return object->Release();
}

// A GUID from its registry form.
inline GUID guidOf(const char* text) {
  GUID guid{};
  const std::string spelt(text);
  EXPECT_EQ(::CLSIDFromString(std::wstring(spelt.begin(), spelt.end()).c_str(), &guid), NOERROR)
      << text;
  return guid;
}

// The command's class factory from the module's export.
inline Ref<IClassFactory> classFactory() {
  Ref<IClassFactory> factory;
  const Server& server = Server::loaded();
  EXPECT_NE(server.getClassObject, nullptr);
  if (!server.getClassObject) return factory;
  EXPECT_EQ(server.getClassObject(guidOf(com_identity::kClassId), IID_IClassFactory, factory.out()),
            S_OK);
  return factory;
}

// A new command as the host makes one: factory, instance, factory released.
inline Ref<ICommand> newCommand() {
  Ref<ICommand> command;
  Ref<IClassFactory> factory = classFactory();
  if (!factory) return command;
  EXPECT_EQ(factory->CreateInstance(nullptr, kIidICommand, command.out()), S_OK);
  return command;
}

}  // namespace cw::com::testing
