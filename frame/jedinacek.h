#pragma once
// Process-wide owning holders. The classes of this program have no virtual destructors,
// so an object is always destroyed through the type it was created with: the holder
// remembers that type when the object is handed to it.
#include <new>

namespace kestrum {

// Destroys an object made with plain `new U` through its own type.
template <class U> void znic(U* p) noexcept
{
  if (p) {
    p->~U();
    ::operator delete(p);
  }
}

template <class T> class jedinacek {
public:
  constexpr jedinacek() = default;
  jedinacek(const jedinacek&) = delete;
  jedinacek& operator=(const jedinacek&) = delete;
  // The at-exit safety net: whatever is still held when the runtime exits is destroyed.
  ~jedinacek() { zrus(); }

  // Takes ownership of an object created with `new U` (U is T or derived from it).
  template <class U> void nastav(U* objekt) noexcept
  {
    zrus();
    p_ = objekt;
    smaz_ = [](T* x) { znic(static_cast<U*>(x)); };
  }
  // Destroys the held object, if any, and empties the holder.
  void zrus() noexcept
  {
    T* p = p_;
    auto smaz = smaz_;
    p_ = nullptr;
    smaz_ = nullptr;
    if (p && smaz) smaz(p);
  }
  // Gives the object up without destroying it.
  T* odevzdej() noexcept
  {
    T* p = p_;
    p_ = nullptr;
    smaz_ = nullptr;
    return p;
  }
  T* get() const noexcept { return p_; }
  T* operator->() const noexcept { return p_; }
  T& operator*() const noexcept { return *p_; }
  explicit operator bool() const noexcept { return p_ != nullptr; }

private:
  T* p_ = nullptr;
  void (*smaz_)(T*) = nullptr;
};

} // namespace kestrum
