#pragma once
// Owners of the system's resources, for every part of the program: each holds one handle
// and releases it once, when it is destroyed or told to. A release that fails ends the
// process, as every failed release of this program does. Moving hands the handle on;
// nothing copies it.
#include <windows.h>
#include <uxtheme.h>
#include <utility>

namespace kestrum {

// An owned handle. `Druh` gives its type (`handle`), the value that holds nothing
// (`prazdny`), which values are held handles (`platny`) and how one is released (`uvolni`).
template <class Druh> class vlastnik {
public:
  using handle = typename Druh::handle;

  vlastnik() = default;
  explicit vlastnik(handle h) : h_(h) {}
  vlastnik(vlastnik&& o) noexcept : h_(o.odevzdej()) {}
  vlastnik& operator=(vlastnik&& o) noexcept
  {
    if (this != &o) nastav(o.odevzdej());
    return *this;
  }
  vlastnik(const vlastnik&) = delete;
  vlastnik& operator=(const vlastnik&) = delete;
  ~vlastnik() { zavri(); }

  handle get() const { return h_; }
  bool platny() const { return Druh::platny(h_); }
  // Releases what it holds and takes `h`.
  void nastav(handle h)
  {
    zavri();
    h_ = h;
  }
  // Releases the handle now; afterwards it holds nothing.
  void zavri()
  {
    const handle h = odevzdej();
    if (Druh::platny(h)) Druh::uvolni(h);
  }
  // Gives the handle up without releasing it.
  handle odevzdej() { return std::exchange(h_, Druh::prazdny()); }

private:
  handle h_ = Druh::prazdny();
};

// A file or folder handle (CreateFileW): CloseHandle.
struct druh_souboru {
  using handle = HANDLE;
  static HANDLE prazdny() { return INVALID_HANDLE_VALUE; }
  static bool platny(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void uvolni(HANDLE h);
};
// A folder listing (FindFirstFileW): FindClose.
struct druh_vyctu {
  using handle = HANDLE;
  static HANDLE prazdny() { return INVALID_HANDLE_VALUE; }
  static bool platny(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
  static void uvolni(HANDLE h);
};
// An open registry key: RegCloseKey.
struct druh_klice {
  using handle = HKEY;
  static HKEY prazdny() { return nullptr; }
  static bool platny(HKEY h) { return h != nullptr; }
  static void uvolni(HKEY h);
};
// A window's theme data (OpenThemeData): CloseThemeData.
struct druh_tematu {
  using handle = HTHEME;
  static HTHEME prazdny() { return nullptr; }
  static bool platny(HTHEME h) { return h != nullptr; }
  static void uvolni(HTHEME h);
};
// A menu loaded from the resources: DestroyMenu.
struct druh_nabidky {
  using handle = HMENU;
  static HMENU prazdny() { return nullptr; }
  static bool platny(HMENU h) { return h != nullptr; }
  static void uvolni(HMENU h);
};
// A GDI font: DeleteObject.
struct druh_pisma {
  using handle = HFONT;
  static HFONT prazdny() { return nullptr; }
  static bool platny(HFONT h) { return h != nullptr; }
  static void uvolni(HFONT h);
};

using handle_souboru = vlastnik<druh_souboru>;
using handle_vyctu = vlastnik<druh_vyctu>;
using handle_klice = vlastnik<druh_klice>;
using handle_tematu = vlastnik<druh_tematu>;
using handle_nabidky = vlastnik<druh_nabidky>;
using handle_pisma = vlastnik<druh_pisma>;

// The device context of a window's client area (GetDC), given back to the window
// (ReleaseDC) at the end. A window without one ends the process.
class dc_okna {
public:
  explicit dc_okna(HWND okno);
  ~dc_okna();
  dc_okna(const dc_okna&) = delete;
  dc_okna& operator=(const dc_okna&) = delete;

  HDC get() const { return dc_; }

private:
  HWND okno_;
  HDC dc_;
};

} // namespace kestrum
