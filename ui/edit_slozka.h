#pragma once
// Folder path edits: an EDIT control whose right edge becomes a small "..." button that
// opens the system's folder dialog; the chosen folder's path replaces the text.
#include <windows.h>
#include <string>
#include "frame/okno.h"

namespace kestrum {

// The parts of an edit's client area that belong to the button. Each reaches the right
// edge R over the full client height; each has its own left edge and only its own use.
// At 96 DPI, for a button w pixels wide:
enum class zona_tlacitka {
  tip,    // the button's tooltip and the hand cursor: from R - w - 4
  kresba, // the drawn button: from R - w - 2
  klik,   // a release of the left button opens the folder dialog: from R - w
};

// The zone's rectangle inside client rectangle `klient` for a button `sirka` pixels wide at
// 96 DPI, in an edit at `dpi`: each zone's width is scaled as a whole.
RECT zona(const RECT& klient, int sirka, UINT dpi, zona_tlacitka z);
// The edit's right text margin that keeps the text clear of the button.
int pravy_okraj_textu(int sirka, UINT dpi);
// Whether a starting text asks for the process's current directory: "current", either
// exactly (from the links) or in any letter case (from the button).
bool je_aktualni_slozka(const std::wstring& text, bool bez_ohledu_na_velikost);

class edit_cesta : public ovl_prvek_impl<okno> {
public:
  bool nad_tlacitkem = false; // the last mouse move was over the button's tooltip zone
  bool cesta_platna = false;  // the last path put in names an existing folder
  int sirka_tlacitka = 16;  // at 96 DPI
  HWND okno_tipu = nullptr; // the button's own tooltip, owned
  UINT dpi = 96;            // the edit's DPI, read when it is attached

  ~edit_cesta() { edit_cesta::odpoj(); }

  // Binds to edit `edit`: subclassing, right margin, the button's tooltip, and the path
  // `cesta` as its text unless it is null.
  void pripoj(HWND edit, const wchar_t* cesta);
  // Releases the tooltip and gives the edit back its own procedure.
  void odpoj() override;

protected:
  // The edit's client rectangle.
  RECT klient() const;
  void prekresli(UINT priznaky) const;
  // Puts a path in as the whole text, its end in view, and repaints the edit at once with
  // the button's look for whether it names a folder.
  void vloz_cestu(const wchar_t* cesta);
  void zrus_tip();
};

class edit_slozka final : public edit_cesta {
public:
  ~edit_slozka() { edit_cesta::odpoj(); }

  LRESULT zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam) override;

  // Puts `cesta` in and checks it: S_OK for an existing folder, E_INVALIDARG for anything
  // else, S_FALSE for an empty or null path (the edit is then emptied).
  HRESULT nastav_cestu(const wchar_t* cesta);
  // Reads the whole text into `cesta`: S_OK if it names an existing folder, S_FALSE if it
  // is empty or does not.
  HRESULT cti_cestu(std::wstring& cesta) const;
  // The button's folder selection: starts at the edit's text and puts the chosen folder's
  // path in as the whole text.
  void vyber_tlacitkem();

private:
  LRESULT kresli();
  LRESULT klik(LPARAM bod);
};

// The folder dialog owned by `vlastnik` (its window then waits), started from `slozka`
// ("current": the current directory); on 0 a folder was chosen and `slozka` holds its path,
// on 1 the user cancelled or chose an item that is no file-system folder, and `slozka` is
// unchanged.
int vyber_slozku(std::wstring& slozka, HWND vlastnik);
// What the folder dialog's callback works with (its `data`): the folder to open at, and
// whether the dialog reported a selection since it was last asked for one.
struct stav_vyberu {
  const wchar_t* start;
  bool vybrano = false;
};
// The folder dialog's callback: opens at the starting folder and shows the path of the
// current selection as its status text. Always 0.
int CALLBACK zpetne_volani_vyberu(HWND dialog, UINT udalost, LPARAM parametr, LPARAM data);

} // namespace kestrum
