#pragma once
// A depth-first walk of folder listings with a stack of its own: a tree as deep as the
// longest path cannot exhaust the thread's stack. Each entry is dealt with before the next
// one is taken, and a folder entered from an entry is walked to its end before its parent
// goes on.
#include <windows.h>
#include <deque>
#include <string>
#include <utility>
#include "engine/vycet.h"
#include "frame/chyby.h"

// `U` is what the walk's user keeps of each folder entered.
template <class U> class pruchod {
public:
  // Opens the listing of the folder at long path `cesta` and puts the folder on top, with
  // `u`. S_OK, or why it cannot be listed (it is then not entered and `u` stays as it was).
  HRESULT vstup(U&& u, const std::wstring& cesta)
  {
    if (cesta.empty()) return E_INVALIDARG; // no folder: never the current drive's root
    uroven_& v = zasobnik_.emplace_back();
    if (!v.vycet.otevri(cesta)) {
      const DWORD e = v.vycet.chyba();
      zasobnik_.pop_back();
      return hresult_z_win32(static_cast<LONG>(e), E_FAIL);
    }
    v.data = std::move(u);
    v.cesta = cesta;
    return S_OK;
  }

  // Walks what was entered, entering what the callbacks enter:
  // - `na_polozce(U& slozka, const WIN32_FIND_DATAW& polozka, const std::wstring& cesta)` for
  //   every entry but "." and "..", with the entry's long path (empty when it is too long:
  //   see cesta_polozky); it returns whether the walk goes on. A walk that stops closes
  //   every listing at once.
  // - `na_konci(U& slozka, const std::wstring& cesta, HRESULT vycet)` once a folder's
  //   listing is done, with S_OK or the failure that cut it short.
  // Levels stay where they are while others are entered, so a level's reference holds for
  // the whole call.
  template <class F, class G> void projdi(F na_polozce, G na_konci)
  {
    WIN32_FIND_DATAW p;
    while (!zasobnik_.empty()) {
      uroven_& v = zasobnik_.back();
      if (!v.vycet.dalsi(p)) {
        const DWORD e = v.vycet.chyba();
        na_konci(v.data, v.cesta, e == 0 ? S_OK : hresult_z_win32(static_cast<LONG>(e), E_FAIL));
        zasobnik_.pop_back();
      } else if (!je_tecka(p.cFileName)) {
        cesta_polozky(cesta_, v.cesta, p.cFileName, je_slozka_polozka(p));
        if (!na_polozce(v.data, p, cesta_)) zasobnik_.clear();
      }
    }
  }

  // The folders entered and not yet done, the first one walked at 0.
  size_t hloubka() const { return zasobnik_.size(); }
  const U& uroven(size_t i) const { return zasobnik_[i].data; }

private:
  struct uroven_ {
    U data;
    std::wstring cesta; // the long path it is listed by
    vycet_slozky vycet;
  };
  std::deque<uroven_> zasobnik_;
  std::wstring cesta_; // the current entry's long path
};
