#include "ui/vypis_nabidka.h"

#include <commdlg.h>
#include <algorithm>
#include <cstring>
#include <cwchar>
#include "engine/nazev_kopie.h"
#include "engine/vypis_texty.h"
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "frame/vlastnici.h"
#include "res/resource.h"
#include "ui/nabidka.h"

std::wstring text_vypisu(const std::vector<std::wstring>& radky)
{
  size_t delka = 0;
  for (const std::wstring& r : radky) delka += r.size() + 2;
  std::wstring text;
  text.reserve(delka);
  for (const std::wstring& r : radky) {
    text += r;
    text += L"\r\n";
  }
  return text;
}

std::string utf8_s_bom(const std::wstring& text)
{
  std::string bajty = "\xEF\xBB\xBF";
  // In pieces, as the conversion takes int lengths; a piece never ends inside a surrogate pair.
  constexpr size_t KUS = 1u << 20;
  for (size_t i = 0; i < text.size();) {
    size_t n = std::min(text.size() - i, KUS);
    if (i + n < text.size() && IS_HIGH_SURROGATE(text[i + n - 1])) --n;
    const wchar_t* kus = text.data() + i;
    const int m = WideCharToMultiByte(CP_UTF8, 0, kus, static_cast<int>(n), nullptr, 0, nullptr, nullptr);
    if (m <= 0) fatalni_posledni_chyba();
    const size_t od = bajty.size();
    bajty.resize(od + static_cast<size_t>(m));
    if (WideCharToMultiByte(CP_UTF8, 0, kus, static_cast<int>(n), bajty.data() + od, m, nullptr, nullptr) != m)
      fatalni_posledni_chyba();
    i += n;
  }
  return bajty;
}

std::wstring vychozi_nazev_vypisu(const SYSTEMTIME& cas) { return texty::vypis_nazev_souboru + text_data(cas) + L".txt"; }

LRESULT radek_v_bode(POINT bod, const RECT& klient, LRESULT horni, LRESULT vyska, LRESULT pocet)
{
  if (bod.x < klient.left || bod.x >= klient.right || bod.y < klient.top || bod.y >= klient.bottom) return -1;
  if (vyska <= 0 || horni < 0) return -1;
  const LRESULT radek = horni + (bod.y - klient.top) / vyska;
  return radek < pocet ? radek : -1;
}

namespace {

std::wstring radek(HWND vypis, WPARAM i)
{
  const LRESULT delka = SendMessageW(vypis, LB_GETTEXTLEN, i, 0);
  if (delka == LB_ERR) fatalni_posledni_chyba();
  std::wstring r(static_cast<size_t>(delka) + 1, L'\0');
  const LRESULT n = SendMessageW(vypis, LB_GETTEXT, i, reinterpret_cast<LPARAM>(r.data()));
  if (n == LB_ERR) fatalni_posledni_chyba();
  r.resize(static_cast<size_t>(n));
  return r;
}

// The log as it stands. The worker's next line waits meanwhile: it is added on this thread.
std::vector<std::wstring> radky(HWND vypis)
{
  const LRESULT pocet = SendMessageW(vypis, LB_GETCOUNT, 0, 0);
  if (pocet == LB_ERR) fatalni_posledni_chyba();
  std::vector<std::wstring> r;
  r.reserve(static_cast<size_t>(pocet));
  for (LRESULT i = 0; i < pocet; ++i) r.push_back(radek(vypis, static_cast<WPARAM>(i)));
  return r;
}

void chyba(const std::wstring& co, HRESULT hr)
{
  app().zprava((co + L"\n\n" + systemovy_text(hr)).c_str(), MB_ICONERROR);
}

HRESULT do_schranky(HWND vlastnik, const std::wstring& text)
{
  if (!OpenClipboard(vlastnik)) return hresult_posledni_chyby();
  HRESULT hr = S_OK;
  const size_t bajtu = (text.size() + 1) * sizeof(wchar_t);
  kestrum::handle_pameti pamet;
  if (EmptyClipboard()) pamet.nastav(GlobalAlloc(GMEM_MOVEABLE, bajtu));
  if (!pamet.platny()) {
    hr = hresult_posledni_chyby();
  } else {
    void* p = GlobalLock(pamet.get());
    if (!p) fatalni_posledni_chyba();
    std::memcpy(p, text.c_str(), bajtu);
    GlobalUnlock(pamet.get());
    // The clipboard owns the memory from now on; only a refused one is freed here.
    if (SetClipboardData(CF_UNICODETEXT, pamet.get()))
      pamet.odevzdej();
    else
      hr = hresult_posledni_chyby();
  }
  pamet.zavri();
  if (!CloseClipboard()) fatalni_posledni_chyba();
  return hr;
}

HRESULT zapis_soubor(const std::wstring& cesta, const std::string& obsah)
{
  kestrum::handle_souboru h(
      CreateFileW(cesta.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!h.platny()) return hresult_posledni_chyby();
  HRESULT hr = S_OK;
  for (size_t i = 0; i < obsah.size() && SUCCEEDED(hr);) {
    DWORD zapsano = 0;
    const DWORD kus = static_cast<DWORD>(std::min<size_t>(obsah.size() - i, 1u << 24));
    if (WriteFile(h.get(), obsah.data() + i, kus, &zapsano, nullptr) && zapsano > 0)
      i += zapsano;
    else
      hr = hresult_posledni_chyby();
  }
  h.zavri();
  if (FAILED(hr)) DeleteFileW(cesta.c_str()); // no half-written log is left behind
  return hr;
}

void kopiruj(HWND dialog, const std::wstring& text)
{
  if (const HRESULT hr = do_schranky(dialog, text); FAILED(hr))
    chyba(texty::vypis_neni_ve_schrance, hr);
}

void uloz(const kestrum::okno& dialog, HWND vypis)
{
  const auto zije = dialog.hlidac();
  SYSTEMTIME cas{};
  GetLocalTime(&cas);
  std::wstring soubor = vychozi_nazev_vypisu(cas);
  soubor.resize(32768, L'\0');
  const std::wstring titulek = std::wstring(texty::vypis_ulozit_titulek) + app().nazev();
  OPENFILENAMEW o{};
  o.lStructSize = sizeof o;
  o.hwndOwner = GetAncestor(dialog.hwnd, GA_ROOT);
  o.lpstrFilter = texty::vypis_filtr;
  o.lpstrFile = soubor.data();
  o.nMaxFile = static_cast<DWORD>(soubor.size());
  o.lpstrTitle = titulek.c_str();
  o.lpstrDefExt = L"txt";
  o.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  if (!GetSaveFileNameW(&o)) {
    // Cancelled, or the dialog could not come up; its own codes have no system text.
    if (const DWORD e = CommDlgExtendedError(); e != 0) {
      wchar_t text[100];
      std::swprintf(text, 100, texty::vypis_okno_ulozeni_selhalo, static_cast<unsigned long>(e));
      app().zprava(text, MB_ICONERROR);
    }
    return;
  }
  if (zije.expired()) return; // the window closed meanwhile: there is no log to save
  soubor.resize(std::wcslen(soubor.c_str()));
  // The log as it stands now, after the dialog: the operation may have gone on meanwhile.
  if (const HRESULT hr = zapis_soubor(soubor, utf8_s_bom(text_vypisu(radky(vypis)))); FAILED(hr))
    chyba(zprava_vypis_neulozen(soubor), hr);
}

// The items that have something to work on.
void povol_polozky(HMENU nabidka, HWND vypis, bool zaneprazdnen)
{
  const LRESULT vybrany = SendMessageW(vypis, LB_GETCURSEL, 0, 0);
  const bool prazdny = SendMessageW(vypis, LB_GETCOUNT, 0, 0) <= 0;
  EnableMenuItem(nabidka, IDM_NAHLED_CISTENI, zaneprazdnen ? MF_GRAYED : MF_ENABLED);
  EnableMenuItem(nabidka, IDM_KOPIROVAT_VYPIS, prazdny ? MF_GRAYED : MF_ENABLED);
  EnableMenuItem(nabidka, IDM_KOPIROVAT_RADEK, vybrany == LB_ERR ? MF_GRAYED : MF_ENABLED);
  EnableMenuItem(nabidka, IDM_ULOZIT_VYPIS, prazdny ? MF_GRAYED : MF_ENABLED);
}

} // namespace

void nabidka_vypisu(const kestrum::okno& dialog, HWND vypis, LPARAM pozice, bool zaneprazdnen)
{
  POINT p{static_cast<short>(LOWORD(pozice)), static_cast<short>(HIWORD(pozice))};
  if (p.x == -1 && p.y == -1) {
    // From the keyboard: below the selected row if it is in view, else at the log's corner.
    RECT r{}, klient{}, prunik{};
    const LRESULT vybrany = SendMessageW(vypis, LB_GETCURSEL, 0, 0);
    if (!GetClientRect(vypis, &klient)) fatalni_posledni_chyba();
    if (vybrany == LB_ERR ||
        SendMessageW(vypis, LB_GETITEMRECT, static_cast<WPARAM>(vybrany), reinterpret_cast<LPARAM>(&r)) == LB_ERR ||
        !IntersectRect(&prunik, &r, &klient))
      r = RECT{};
    p = POINT{r.left, r.bottom};
    if (!ClientToScreen(vypis, &p)) fatalni_posledni_chyba();
  } else {
    // A right-click selects the row under it, as a left one does.
    POINT v = p;
    RECT klient{};
    if (!ScreenToClient(vypis, &v) || !GetClientRect(vypis, &klient)) fatalni_posledni_chyba();
    const LRESULT i = radek_v_bode(v, klient, SendMessageW(vypis, LB_GETTOPINDEX, 0, 0),
                                   SendMessageW(vypis, LB_GETITEMHEIGHT, 0, 0), SendMessageW(vypis, LB_GETCOUNT, 0, 0));
    if (i >= 0) SendMessageW(vypis, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
  }
  const UINT prikaz = ukaz_nabidku(dialog, IDM_VYPIS, p, TPM_RETURNCMD | TPM_NONOTIFY,
                                   [vypis, zaneprazdnen](HMENU nabidka) { povol_polozky(nabidka, vypis, zaneprazdnen); });
  // The rows are read when the item is chosen: what the log holds at that moment.
  switch (prikaz) {
  case IDM_NAHLED_CISTENI: SendMessageW(dialog.hwnd, WM_COMMAND, IDM_NAHLED_CISTENI, 0); break;
  case IDM_KOPIROVAT_VYPIS: kopiruj(dialog.hwnd, text_vypisu(radky(vypis))); break;
  case IDM_KOPIROVAT_RADEK:
    if (const LRESULT i = SendMessageW(vypis, LB_GETCURSEL, 0, 0); i != LB_ERR)
      kopiruj(dialog.hwnd, radek(vypis, static_cast<WPARAM>(i)));
    break;
  case IDM_ULOZIT_VYPIS: uloz(dialog, vypis); break;
  default: break; // closed without a choice, or the window closed meanwhile
  }
}
