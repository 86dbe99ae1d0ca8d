// Folder path edits: the "..." button (drawing, cursor, tooltip, click), putting a path in
// and reading it back, and the folder dialog shared with the main dialog's links.
#include "ui/edit_slozka.h"

#include <commctrl.h>
#include <shlobj.h>
#include <uxtheme.h>
#include <vsstyle.h>
#include <exception>
#include <vector>
#include "engine/cesty.h"
#include "engine/soubory.h"
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "frame/meritko.h"
#include "frame/vlastnici.h"
#include "res/texty.h"
#include "ui/tooltipy.h"

namespace kestrum {

namespace {

constexpr DWORD DELKA_CESTY = 32768; // characters of every path buffer of the folder dialog
constexpr UINT PREKRESLIT_HNED = RDW_INVALIDATE | RDW_ERASE | RDW_ERASENOW;

constexpr int POKUSY_O_START = 4;

enum class vysledek_vyberu { zruseno, vybrano, bez_cesty };

// Shows the folder dialog owned by `vlastnik`, opening at `start`. The chosen folder's path
// goes to `vybrana`.
vysledek_vyberu ukaz_vyber(HWND vlastnik, const wchar_t* start, std::wstring& vybrana)
{
  BROWSEINFOW bi{};
  bi.hwndOwner = vlastnik;
  bi.lpszTitle = texty::vyber_slozky;
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT;
  bi.lpfn = zpetne_volani_vyberu;
  stav_vyberu stav{start};
  bi.lParam = reinterpret_cast<LPARAM>(&stav);
  PIDLIST_ABSOLUTE polozka = SHBrowseForFolderW(&bi);
  if (!polozka) return vysledek_vyberu::zruseno;
  std::vector<wchar_t> cesta(DELKA_CESTY, L'\0');
  const BOOL ok = SHGetPathFromIDListW(polozka, cesta.data());
  CoTaskMemFree(polozka);
  if (!ok) return vysledek_vyberu::bez_cesty;
  vybrana = cesta.data();
  return vysledek_vyberu::vybrano;
}

// The starting-folder buffer for a starting text; "current" gives the current directory,
// which is left empty when it cannot be read.
std::vector<wchar_t> pocatecni_slozka(const std::wstring& text, bool bez_ohledu_na_velikost, bool& bez_adresare)
{
  std::vector<wchar_t> b(DELKA_CESTY, L'\0');
  bez_adresare = false;
  if (text.empty()) return b;
  if (je_aktualni_slozka(text, bez_ohledu_na_velikost))
    bez_adresare = GetCurrentDirectoryW(DELKA_CESTY, b.data()) == 0;
  else
    lstrcpynW(b.data(), text.c_str(), static_cast<int>(DELKA_CESTY));
  return b;
}

} // namespace

RECT zona(const RECT& klient, int sirka, UINT dpi, zona_tlacitka z)
{
  int sirka_zony = sirka;
  switch (z) {
  case zona_tlacitka::tip: sirka_zony = sirka + 4; break;
  case zona_tlacitka::kresba: sirka_zony = sirka + 2; break;
  case zona_tlacitka::klik: break;
  }
  RECT r = klient;
  r.left = klient.right - na_dpi(sirka_zony, dpi);
  return r;
}

int pravy_okraj_textu(int sirka, UINT dpi) { return na_dpi(sirka + 4, dpi); }

bool je_aktualni_slozka(const std::wstring& text, bool bez_ohledu_na_velikost)
{
  return bez_ohledu_na_velikost ? stejne_nazvy(text, L"current") : text == L"current";
}

// --- edit_cesta

void edit_cesta::pripoj(HWND edit, const wchar_t* cesta)
{
  ovl_prvek_impl<okno>::pripoj(edit);
  dpi = dpi_okna(edit);
  SendMessageW(edit, EM_SETMARGINS, EC_RIGHTMARGIN, MAKELONG(0, pravy_okraj_textu(sirka_tlacitka, dpi)));
  cesta_platna = false;
  zrus_tip();
  okno_tipu = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, 0, 0, 0, 0, nullptr, nullptr, instance,
                              nullptr);
  if (!okno_tipu) fatalni_posledni_chyba();
  omez_sirku_tipu(okno_tipu, dpi);
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_SUBCLASS;
  ti.hwnd = edit;
  ti.rect = zona(klient(), sirka_tlacitka, dpi, zona_tlacitka::tip);
  ti.lpszText = const_cast<wchar_t*>(texty::tip_tlacitka_slozky);
  if (!SendMessageW(okno_tipu, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti))) fatalni_posledni_chyba();
  if (cesta) vloz_cestu(cesta);
}

void edit_cesta::vloz_cestu(const wchar_t* cesta)
{
  SetWindowTextW(hwnd, cesta);
  // All selected, then the caret to the end: the path's end is in view.
  SendMessageW(hwnd, EM_SETSEL, 0, -1);
  SendMessageW(hwnd, EM_SETSEL, static_cast<WPARAM>(-1), 0);
  cesta_platna = je_slozka(cesta);
  if (!RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW)) fatalni_posledni_chyba();
}

void edit_cesta::odpoj()
{
  // The tooltip goes first: it subclasses the edit too, and a subclass removed after the
  // edit got its own procedure back could put ours back in place.
  zrus_tip();
  ovl_prvek_impl<okno>::odpoj();
}

void edit_cesta::zrus_tip()
{
  if (okno_tipu && IsWindow(okno_tipu)) {
    if (!DestroyWindow(okno_tipu)) fatalni_posledni_chyba();
  }
  okno_tipu = nullptr;
}

RECT edit_cesta::klient() const
{
  RECT r{};
  if (!GetClientRect(hwnd, &r)) fatalni_posledni_chyba();
  return r;
}

void edit_cesta::prekresli(UINT priznaky) const { RedrawWindow(hwnd, nullptr, nullptr, priznaky); }

// --- edit_slozka

HRESULT edit_slozka::nastav_cestu(const wchar_t* cesta)
{
  if (!IsWindow(hwnd)) fatalni_handle();
  if (!cesta || !*cesta) {
    SetWindowTextW(hwnd, L"");
    return S_FALSE;
  }
  vloz_cestu(cesta);
  return cesta_platna ? S_OK : E_INVALIDARG;
}

HRESULT edit_slozka::cti_cestu(std::wstring& cesta) const
{
  cesta = text_okna(hwnd);
  if (cesta.empty()) return S_FALSE;
  return je_slozka(cesta) ? S_OK : S_FALSE;
}

LRESULT edit_slozka::zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam)
{
  switch (zprava) {
  case WM_DESTROY:
    zrus_tip();
    break;
  case WM_PAINT:
    return kresli();
  case WM_SETCURSOR:
    if (nad_tlacitkem) {
      SetCursor(LoadCursorW(nullptr, IDC_HAND));
      return TRUE;
    }
    // The edit's own answer needs the real hit test: without it the text shows the arrow
    // instead of the I-beam.
    break;
  case WM_KEYDOWN:
  case WM_KEYUP:
    prekresli(PREKRESLIT_HNED);
    break;
  case WM_MOUSEMOVE:
    nad_tlacitkem = static_cast<LONG>(LOWORD(lparam)) >= zona(klient(), sirka_tlacitka, dpi, zona_tlacitka::tip).left;
    break;
  case WM_LBUTTONUP:
    return klik(lparam);
  default:
    break;
  }
  return CallWindowProcW(puvodni_procedura, hwnd, zprava, wparam, lparam);
}

LRESULT edit_slozka::kresli()
{
  // The edit paints itself first; the button goes over the strip that its margin keeps free.
  const LRESULT vysledek = CallWindowProcW(puvodni_procedura, hwnd, WM_PAINT, 0, 0);
  const dc_okna dc(hwnd);
  RECT r = zona(klient(), sirka_tlacitka, dpi, zona_tlacitka::kresba);
  const bool tema = IsAppThemed() != FALSE;
  const handle_tematu t(tema ? OpenThemeData(hwnd, L"Button") : nullptr);
  SetBkMode(dc.get(), TRANSPARENT);
  if (tema) {
    const HRESULT hr = DrawThemeBackground(t.get(), dc.get(), BP_PUSHBUTTON, PBS_NORMAL, &r, nullptr);
    if (FAILED(hr)) fatalni_hresult(hr);
  } else {
    DrawFrameControl(dc.get(), &r, DFC_BUTTON, DFCS_BUTTONPUSH);
  }
  // In the edit's own font, which grows with the DPI as the dialog's does (a window DC's
  // default font need not).
  HGDIOBJ drive = SelectObject(dc.get(), reinterpret_cast<HGDIOBJ>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
  DrawTextW(dc.get(), L"...", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  if (drive) SelectObject(dc.get(), drive);
  return vysledek;
}

LRESULT edit_slozka::klik(LPARAM bod)
{
  const RECT r = zona(klient(), sirka_tlacitka, dpi, zona_tlacitka::klik);
  const LRESULT vysledek = CallWindowProcW(puvodni_procedura, hwnd, WM_LBUTTONUP, 0, 0);
  prekresli(PREKRESLIT_HNED);
  if (PtInRect(&r, POINT{static_cast<LONG>(LOWORD(bod)), static_cast<LONG>(HIWORD(bod))})) vyber_tlacitkem();
  return vysledek;
}

void edit_slozka::vyber_tlacitkem()
{
  bool bez_adresare = false; // ignored: the dialog then opens at its root
  std::vector<wchar_t> start = pocatecni_slozka(text_okna(hwnd), true, bez_adresare);
  std::wstring vybrana;
  const auto zije = hlidac();
  if (ukaz_vyber(GetParent(hwnd), start.data(), vybrana) != vysledek_vyberu::vybrano) return;
  // The window may have closed under the dialog, and this edit with it.
  if (!zije.expired()) SetWindowTextW(hwnd, vybrana.c_str());
}

int vyber_slozku(std::wstring& slozka, HWND vlastnik)
{
  bool bez_adresare = false;
  std::vector<wchar_t> start = pocatecni_slozka(slozka, false, bez_adresare);
  if (bez_adresare) fatalni_posledni_chyba();
  std::wstring vybrana;
  // An item without a file-system path (the dialog lets "My Computer" through) is no
  // folder to use: like a cancel, it changes nothing.
  if (ukaz_vyber(vlastnik, start.data(), vybrana) != vysledek_vyberu::vybrano) return 1;
  slozka = vybrana;
  return 0;
}

int CALLBACK zpetne_volani_vyberu(HWND dialog, UINT udalost, LPARAM parametr, LPARAM data)
{
  try {
    auto* stav = reinterpret_cast<stav_vyberu*>(data);
    if (udalost == BFFM_INITIALIZED && stav && stav->start) {
      // The dialog may not take the starting folder at its first request: under Wine it
      // matches the path against its tree by the folders' raw item IDs, which carry each
      // folder's last-access time, and its own first listing of a folder can move that time
      // between the path's reading and the tree's. The times then stay, and a further
      // request takes. Asked again until a selection is reported, a few times at most.
      for (int i = 0; i < POKUSY_O_START; ++i) {
        stav->vybrano = false;
        SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(stav->start));
        if (stav->vybrano || !*stav->start) break;
      }
    }
    if (udalost == BFFM_SELCHANGED) {
      if (stav) stav->vybrano = true;
      std::vector<wchar_t> cesta(DELKA_CESTY, L'\0');
      if (SHGetPathFromIDListW(reinterpret_cast<PCIDLIST_ABSOLUTE>(parametr), cesta.data()))
        SendMessageW(dialog, BFFM_SETSTATUSTEXTW, 0, reinterpret_cast<LPARAM>(cesta.data()));
    }
  } catch (...) {
    std::terminate();
  }
  return 0;
}

} // namespace kestrum
