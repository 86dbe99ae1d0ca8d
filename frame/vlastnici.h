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

// The releases, each ending the process when it fails.
void zavri_handle(HANDLE h);  // CloseHandle
void zavri_vycet(HANDLE h);   // FindClose
void zavri_klic(HKEY h);      // RegCloseKey
void zavri_tema(HTHEME h);    // CloseThemeData
void znic_nabidku(HMENU h);   // DestroyMenu
void smaz_pismo(HFONT h);     // DeleteObject
void uvolni_pamet(HGLOBAL h); // GlobalFree

// Handles of the kernel, for which INVALID_HANDLE_VALUE (or null) holds nothing.
template <void (*Uvolneni)(HANDLE)> struct druh_jadra {
  using handle = HANDLE;
  static HANDLE prazdny() { return INVALID_HANDLE_VALUE; }
  static bool platny(HANDLE h) { return h != INVALID_HANDLE_VALUE && h != nullptr; }
  static void uvolni(HANDLE h) { Uvolneni(h); }
};
// Other handles, for which null holds nothing.
template <class H, void (*Uvolneni)(H)> struct druh_s_nulou {
  using handle = H;
  static H prazdny() { return nullptr; }
  static bool platny(H h) { return h != nullptr; }
  static void uvolni(H h) { Uvolneni(h); }
};

using handle_jadra = vlastnik<druh_jadra<zavri_handle>>;     // a kernel object: a mutex, a process
using handle_souboru = handle_jadra;                         // CreateFileW: a file or folder
using handle_vyctu = vlastnik<druh_jadra<zavri_vycet>>;      // FindFirstFileW
using handle_klice = vlastnik<druh_s_nulou<HKEY, zavri_klic>>;
using handle_tematu = vlastnik<druh_s_nulou<HTHEME, zavri_tema>>;
using handle_nabidky = vlastnik<druh_s_nulou<HMENU, znic_nabidku>>;
using handle_pisma = vlastnik<druh_s_nulou<HFONT, smaz_pismo>>;
using handle_pameti = vlastnik<druh_s_nulou<HGLOBAL, uvolni_pamet>>; // GlobalAlloc

// A COM interface pointer; Release reports nothing to fail on.
template <class I> void uvolni_rozhrani(I* p) { p->Release(); }
template <class I> using rozhrani_com = vlastnik<druh_s_nulou<I*, uvolni_rozhrani<I>>>;

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
