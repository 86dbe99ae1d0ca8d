// Windows of this process: their texts and rectangles, the modal windows answered while a
// test drives the user interface, list boxes, and the main window of an in-process test.
#include "tests/podpora/podpora.h"

#include <commctrl.h>
#include <shlobj.h>
#include <algorithm>
#include "frame/aplikace.h"
#include "frame/hlavni_okno.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

namespace test {

std::wstring text_okna(HWND w)
{
  LRESULT n = SendMessageW(w, WM_GETTEXTLENGTH, 0, 0);
  std::wstring s(static_cast<size_t>(n) + 1, L'\0');
  n = SendMessageW(w, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
  s.resize(static_cast<size_t>(n));
  return s;
}

std::wstring text_tipu(HWND tip, HWND vlastnik, UINT_PTR id)
{
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.hwnd = vlastnik;
  ti.uId = id;
  if (!SendMessageW(tip, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti))) return L"<none>";
  wchar_t b[1024] = {};
  ti.lpszText = b;
  SendMessageW(tip, TTM_GETTEXTW, 1024, reinterpret_cast<LPARAM>(&ti));
  return b;
}

obsluha_oken::obsluha_oken(std::wstring vybrat, wchar_t klavesa)
    : vybrat_(std::move(vybrat)), klavesa_(klavesa), vlakno_([this] { sleduj(); })
{
}

void obsluha_oken::konec()
{
  stop_ = true;
  if (vlakno_.joinable()) vlakno_.join();
}

void obsluha_oken::sleduj()
{
  // Sent with a time limit: the windows belong to the driven thread, which answers only
  // while it runs their modal loop.
  auto posli = [](HWND w, UINT m, WPARAM wp, LPARAM lp) {
    DWORD_PTR r = 0;
    SendMessageTimeoutW(w, m, wp, lp, SMTO_BLOCK, 30000, &r);
    return r;
  };
  auto text = [&](HWND w) {
    wchar_t b[1024] = {};
    posli(w, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(b));
    return std::wstring(b);
  };
  std::vector<HWND> videne;
  auto nove = [&](HWND w) {
    if (std::count(videne.begin(), videne.end(), w)) return false;
    videne.push_back(w);
    return true;
  };
  for (; !stop_; Sleep(20)) {
    for (HWND w : dialogy_procesu(GetCurrentProcessId(), nullptr, 14146)) {
      if (text(GetDlgItem(w, 14146)) != L"Vyberte požadovanou složku" || !nove(w)) continue;
      // The dialog is found before it shows; it has its first selection once it is visible.
      pumpuj_dokud([&] { return IsWindowVisible(w) != FALSE; });
      vybery.push_back({text(GetDlgItem(w, 14147)), GetWindow(w, GW_OWNER)});
      // Chosen as a user would: OK once the status line shows the new selection (an item
      // without a path never shows it). A folder already in the tree is clicked there: the
      // dialog's own search by path misses an item listed before the folder was first read
      // (its access time, part of the item's ID, has moved since).
      auto ukazuje = [&] { return stejna_cesta(text(GetDlgItem(w, 14147)), vybrat_); };
      if (!vybrat_.empty() && !klikni_v_strome(GetDlgItem(w, 14145), ukazuje))
        for (int i = 0; i < 4 && !ukazuje(); ++i) posli(w, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(vybrat_.c_str()));
      PostMessageW(w, WM_COMMAND, vybrat_.empty() ? IDCANCEL : IDOK, 0);
    }
    for (HWND w = FindWindowExW(nullptr, nullptr, L"#32768", nullptr); w; w = FindWindowExW(nullptr, w, L"#32768", nullptr)) {
      DWORD pid = 0;
      GetWindowThreadProcessId(w, &pid);
      if (pid != GetCurrentProcessId() || !IsWindowVisible(w) || !nove(w)) continue;
      HMENU m = reinterpret_cast<HMENU>(posli(w, MN_GETHMENU, 0, 0));
      nabidky.emplace_back();
      for (int i = 0; i < GetMenuItemCount(m); ++i) {
        wchar_t b[128] = {};
        GetMenuStringW(m, static_cast<UINT>(i), b, 128, MF_BYPOSITION);
        nabidky.back().push_back(b);
      }
      PostMessageW(w, klavesa_ ? WM_CHAR : WM_KEYDOWN, klavesa_ ? klavesa_ : VK_ESCAPE, 0);
    }
  }
}

bool obsluha_oken::klikni_v_strome(HWND strom, const std::function<bool()>& ukazuje)
{
  const size_t lomitko = vybrat_.find_last_of(L'\\');
  const std::wstring jmeno = lomitko == std::wstring::npos ? vybrat_ : vybrat_.substr(lomitko + 1);
  // Depth first through the items the tree has (this thread shares the dialog's process).
  std::vector<HTREEITEM> cesta{reinterpret_cast<HTREEITEM>(SendMessageW(strom, TVM_GETNEXTITEM, TVGN_ROOT, 0))};
  while (!cesta.empty()) {
    HTREEITEM p = cesta.back();
    cesta.pop_back();
    if (!p) continue;
    wchar_t b[MAX_PATH] = {};
    TVITEMW ti{};
    ti.mask = TVIF_TEXT;
    ti.hItem = p;
    ti.pszText = b;
    ti.cchTextMax = MAX_PATH;
    SendMessageW(strom, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&ti));
    if (stejna_cesta(b, jmeno)) {
      SendMessageW(strom, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(p));
      if (ukazuje()) return true;
    }
    cesta.push_back(reinterpret_cast<HTREEITEM>(SendMessageW(strom, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(p))));
    cesta.push_back(reinterpret_cast<HTREEITEM>(SendMessageW(strom, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(p))));
  }
  return false;
}

bool stejna_cesta(const std::wstring& a, const std::wstring& b)
{
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

RECT obdelnik_okna(HWND w)
{
  RECT r{};
  GetWindowRect(w, &r);
  return r;
}

RECT pracovni_plocha(HWND w)
{
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  GetMonitorInfoW(MonitorFromWindow(w, MONITOR_DEFAULTTONEAREST), &mi);
  return mi.rcWork;
}

void napis(HWND prvek, const std::wstring& text)
{
  for (wchar_t z : text) SendMessageW(prvek, WM_CHAR, z, 1);
}

std::vector<std::wstring> polozky_seznamu(HWND lb)
{
  std::vector<std::wstring> v;
  const LRESULT n = SendMessageW(lb, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    std::wstring s(static_cast<size_t>(SendMessageW(lb, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    s.resize(static_cast<size_t>(SendMessageW(lb, LB_GETTEXT, i, reinterpret_cast<LPARAM>(s.data()))));
    v.push_back(s);
  }
  return v;
}

void vytvor_okno_aplikace(const std::wstring& zdroj, const std::wstring& cil)
{
  app().registruj_tridu();
  auto* n = new nastaveni;
  n->vychozi_cisla();
  n->param = 0;
  n->slozka = zdroj;
  n->slozka_cil = cil;
  g_nastaveni.nastav(n);
  auto* s = new seznamy_mazani(seznamy_mazani::bez_nacteni{});
  s->vychozi_soubory();
  s->vychozi_slozky();
  g_seznamy.nastav(s);
  g_hlavni_okno.nastav(new hlavni_okno);
  g_hlavni_okno->vytvor();
}

void zrus_okno_aplikace()
{
  g_hlavni_okno.zrus();
  g_seznamy.zrus();
  g_nastaveni.zrus();
  UnregisterClassW(TRIDA_OKNA, instance);
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
  }
}

} // namespace test
