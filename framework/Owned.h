// The one owner of the system's handles: each kind of handle is a line of traits (its empty value
// and how it is given back), and Owned closes it on every path; COM references are one more kind.
// ScopeGuard does the same for an action that has no handle (a clipboard to close, a selection to
// undo, a job to abort).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <utility>

template <class Traits>
class Owned {
 public:
  using Handle = typename Traits::Handle;
  Owned() = default;
  explicit Owned(Handle handle) : handle_(handle) {}
  ~Owned() { Reset(); }
  Owned(Owned&& other) noexcept : handle_(other.Release()) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;

  bool Valid() const { return handle_ != Traits::Empty(); }
  Handle Get() const { return handle_; }
  // Gives the handle up without closing it: someone else owns it now.
  Handle Release() { return std::exchange(handle_, Traits::Empty()); }
  // Closes the handle held and holds the new one.
  void Reset(Handle handle = Traits::Empty()) {
    if (Valid()) Traits::Close(handle_);
    handle_ = handle;
  }
  void Close() { Reset(); }
  // Where a system call that hands out a handle writes it; the one held is closed first.
  Handle* Out() {
    Reset();
    return &handle_;
  }

 private:
  Handle handle_ = Traits::Empty();
};

// Runs the action when the scope ends, unless dismissed first.
template <class Action>
class ScopeGuard {
 public:
  explicit ScopeGuard(Action action) : action_(std::move(action)) {}
  ~ScopeGuard() {
    if (armed_) action_();
  }
  ScopeGuard(const ScopeGuard&) = delete;
  ScopeGuard& operator=(const ScopeGuard&) = delete;
  void Dismiss() { armed_ = false; }

 private:
  Action action_;
  bool armed_ = true;
};

namespace owned {

// A kind of handle: empty when null, given back by the system function `close`.
template <class H, auto close>
struct NullEmpty {
  using Handle = H;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { close(handle); }
};

// File and find handles are empty when INVALID_HANDLE_VALUE, the value their functions fail with.
template <auto close>
struct InvalidEmpty {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle handle) { close(handle); }
};

// A COM interface, given back by its own Release.
template <class T>
struct ComRelease {
  using Handle = T*;
  static Handle Empty() { return nullptr; }
  static void Close(Handle object) { object->Release(); }
};

}  // namespace owned

using FileHandle = Owned<owned::InvalidEmpty<CloseHandle>>;
using FindHandle = Owned<owned::InvalidEmpty<FindClose>>;
// An event, process, thread or token: empty when null.
using KernelHandle = Owned<owned::NullEmpty<HANDLE, CloseHandle>>;
using KeyHandle = Owned<owned::NullEmpty<HKEY, RegCloseKey>>;
using DcHandle = Owned<owned::NullEmpty<HDC, DeleteDC>>;
// A font, brush or bitmap, deleted with whatever holds it.
template <class Handle>
using GdiObject = Owned<owned::NullEmpty<Handle, DeleteObject>>;
using LocalMemory = Owned<owned::NullEmpty<HLOCAL, LocalFree>>;
using GlobalMemory = Owned<owned::NullEmpty<HGLOBAL, GlobalFree>>;
using ImageList = Owned<owned::NullEmpty<HIMAGELIST, ImageList_Destroy>>;

// A reference to a COM object, released with whatever holds it.
template <class T>
class ComObject : public Owned<owned::ComRelease<T>> {
 public:
  using Owned<owned::ComRelease<T>>::Owned;
  T* operator->() const { return this->Get(); }
  // Out() as CoCreateInstance and QueryInterface take it.
  void** OutVoid() { return reinterpret_cast<void**>(this->Out()); }
};

// Selects an object into a device context and puts back the one it replaced when the scope ends,
// so that the object is no longer selected when it is deleted.
inline auto SelectedFor(HDC dc, HGDIOBJ object) {
  return ScopeGuard([dc, old = SelectObject(dc, object)] {
    if (old) SelectObject(dc, old);
  });
}

// A window's device context, given back when the scope ends.
inline auto WindowDcGuard(HWND window, HDC dc) {
  return ScopeGuard([window, dc] { ReleaseDC(window, dc); });
}
