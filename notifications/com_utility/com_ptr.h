// A counted reference to a COM interface, released by its holder's destructor.
#pragma once

#include <unknwn.h>

#include <utility>

namespace com {

template <class T>
class com_ptr {
 public:
  com_ptr() = default;
  explicit com_ptr(T* pointer) : pointer_(pointer) {
    if (pointer_) pointer_->AddRef();
  }
  com_ptr(const com_ptr& other) : com_ptr(other.pointer_) {}
  com_ptr(com_ptr&& other) noexcept : pointer_(std::exchange(other.pointer_, nullptr)) {}
  ~com_ptr() { reset(); }

  com_ptr& operator=(com_ptr other) noexcept {
    std::swap(pointer_, other.pointer_);
    return *this;
  }

  T* get() const { return pointer_; }
  T* operator->() const { return pointer_; }
  explicit operator bool() const { return pointer_ != nullptr; }
  bool operator==(const T* other) const { return pointer_ == other; }
  bool operator!=(const T* other) const { return pointer_ != other; }

  void reset() {
    if (T* old = std::exchange(pointer_, nullptr)) old->Release();
  }
  // Takes over a reference the caller already owns.
  void attach(T* pointer) {
    reset();
    pointer_ = pointer;
  }
  // Releases what is held and hands out the slot for an out parameter.
  T** receive() {
    reset();
    return &pointer_;
  }
  void** receive_void() { return reinterpret_cast<void**>(receive()); }

 private:
  T* pointer_ = nullptr;
};

}  // namespace com
