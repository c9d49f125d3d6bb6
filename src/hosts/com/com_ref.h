#pragma once

#include <windows.h>
// After windows.h, which it needs before it.
#include <unknwn.h>

#include <utility>

namespace cw::com {

// One reference to a host object, released when it goes.
template <typename T>
class ComRef {
 public:
  ComRef() = default;
  ComRef(ComRef&& other) noexcept : held_(std::exchange(other.held_, nullptr)) {}
  ComRef& operator=(ComRef&& other) noexcept {
    std::swap(held_, other.held_);
    return *this;
  }
  ComRef(const ComRef&) = delete;
  ComRef& operator=(const ComRef&) = delete;
  ~ComRef() {
    if (held_) held_->Release();
  }

  // Holds `object` with a reference of its own.
  static ComRef share(T* object) {
    ComRef ref;
    if (object) object->AddRef();
    ref.held_ = object;
    return ref;
  }

  T* get() const { return held_; }
  T* operator->() const { return held_; }
  explicit operator bool() const { return held_ != nullptr; }

  // Where a call puts a new reference; the earlier one is released first.
  T** out() {
    if (held_) held_->Release();
    held_ = nullptr;
    return &held_;
  }
  void** outVoid() { return reinterpret_cast<void**>(out()); }

 private:
  T* held_ = nullptr;
};

// Whether two host objects are one, as COM tells: by their IUnknown.
inline bool sameObject(IUnknown* a, IUnknown* b) {
  ComRef<IUnknown> first;
  ComRef<IUnknown> second;
  if (FAILED(a->QueryInterface(IID_IUnknown, first.outVoid())) ||
      FAILED(b->QueryInterface(IID_IUnknown, second.outVoid()))) {
    return false;
  }
  return first.get() == second.get();
}

}  // namespace cw::com
