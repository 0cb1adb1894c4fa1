// One owner for each kind of handle the program holds, each giving its handle back the one way
// that kind is given back, once, however the scope is left: so no path leaks a handle.
#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace talvorne {

// A kernel object: a file, a semaphore. CreateFile fails with INVALID_HANDLE_VALUE where the
// other functions give null; the owner takes either as no handle.
class OwnedHandle {
 public:
  OwnedHandle() = default;
  explicit OwnedHandle(HANDLE handle)
      : handle_(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}

  HANDLE get() const { return handle_.get(); }
  explicit operator bool() const { return handle_ != nullptr; }

 private:
  struct Closer {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
  };
  std::unique_ptr<void, Closer> handle_;
};

struct RegistryKeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using OwnedKey = std::unique_ptr<std::remove_pointer_t<HKEY>, RegistryKeyCloser>;

// A DLL the program loaded itself.
struct ModuleFreer {
  void operator()(HMODULE module) const { FreeLibrary(module); }
};
using OwnedModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFreer>;

struct GdiObjectDeleter {
  void operator()(void* object) const { DeleteObject(static_cast<HGDIOBJ>(object)); }
};
template <class Handle>
using GdiObject = std::unique_ptr<std::remove_pointer_t<Handle>, GdiObjectDeleter>;
using OwnedFont = GdiObject<HFONT>;
using OwnedBrush = GdiObject<HBRUSH>;
using OwnedBitmap = GdiObject<HBITMAP>;
using OwnedPen = GdiObject<HPEN>;

struct EnhMetafileDeleter {
  void operator()(HENHMETAFILE metafile) const { DeleteEnhMetaFile(metafile); }
};
using OwnedEnhMetafile = std::unique_ptr<std::remove_pointer_t<HENHMETAFILE>, EnhMetafileDeleter>;

// A movable memory block, until the clipboard takes it.
struct GlobalMemoryDeleter {
  void operator()(void* block) const { GlobalFree(block); }
};
using OwnedGlobalMemory = std::unique_ptr<void, GlobalMemoryDeleter>;

// A DC made to draw off screen, compatible with another one.
struct MemoryDcDeleter {
  void operator()(HDC dc) const { DeleteDC(dc); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, MemoryDcDeleter>;

// A window's DC, which goes back to that window; the null window's is the screen's.
class WindowDc {
 public:
  explicit WindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  ~WindowDc() {
    if (dc_ != nullptr) ReleaseDC(window_, dc_);
  }

  HDC get() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }

 private:
  HWND window_;
  HDC dc_;
};

// A font, brush, pen or bitmap selected into a DC for as long as this lives; the object it
// replaced is selected back at the end, so that the DC lets go of it. The object is owned
// elsewhere and must outlive the selection. (A region is not selected so: it is copied.)
class GdiSelection {
 public:
  GdiSelection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  GdiSelection(const GdiSelection&) = delete;
  GdiSelection& operator=(const GdiSelection&) = delete;
  ~GdiSelection() {
    if (previous_ != nullptr) SelectObject(dc_, previous_);
  }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

}  // namespace talvorne
