#pragma once

#include <windows.h>
// After windows.h, which it needs before it.
#include <unknwn.h>

#include "module/class_table.h"

namespace cw::module {

// The one class factory: it makes instances of one entry of the class table. Each factory is an
// object of its own, counted among the module's live objects, so the module stays loaded while
// a client holds one.
class ClassFactory final : public IClassFactory {
 public:
  // A new factory for `entry` answering `iid`.
  static HRESULT create(const ClassEntry& entry, REFIID iid, void** object);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  explicit ClassFactory(const ClassEntry& entry);
  ~ClassFactory();

  LONG references_ = 1;
  const ClassEntry& entry_;
};

}  // namespace cw::module
