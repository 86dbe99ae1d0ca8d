// The host window: created around the main dialog, placed where it was left, and on close
// the placement and the settings are saved.
#include "frame/hlavni_okno.h"

#include <algorithm>
#include <cstdint>
#include <exception>
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "frame/registr.h"
#include "res/resource.h"
#include "ui/dlg_hlavni.h"
#include "ui/nastaveni.h"
#include "ui/panel_uloh.h"

namespace {

// The style of the host window: an overlapped window gets its caption and border from the
// system on top of these; there is no maximise box and no sizing border.
constexpr DWORD STYL_OKNA = WS_SYSMENU | WS_MINIMIZEBOX;
// What the frame around the dialog is computed from.
constexpr DWORD STYL_RAMU = WS_CAPTION | WS_SYSMENU;

constexpr LONG OKRAJ = 10; // how much of the window must stay reachable at the right and bottom

// Coordinates of the registry record are untrusted: computed in 64 bits, stored in range.
LONG do_rozsahu(int64_t v)
{
  return static_cast<LONG>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
}

} // namespace

bool omez_obdelnik(const RECT& r, const RECT& wa, POINT& poloha)
{
  const int64_t sirka = int64_t{r.right} - r.left;
  const int64_t vyska = int64_t{r.bottom} - r.top;
  int64_t x = r.left;
  int64_t y = r.top;
  bool posun = false;
  // In this order, each testing the unmoved rectangle; a later rule overrides an earlier one.
  if (r.left < wa.left) {
    x = wa.left;
    posun = true;
  }
  if (int64_t{r.left} > int64_t{wa.right} - OKRAJ) {
    x = int64_t{wa.right} - OKRAJ;
    posun = true;
  }
  if (r.top < wa.top) {
    y = wa.top;
    posun = true;
  }
  if (int64_t{r.top} > int64_t{wa.bottom} - OKRAJ) {
    y = int64_t{wa.bottom} - OKRAJ;
    posun = true;
  }
  if (r.right > wa.right) {
    x = std::max<int64_t>(wa.right - sirka, wa.left);
    posun = true;
  }
  if (r.bottom > wa.bottom) {
    y = std::max<int64_t>(wa.bottom - vyska, wa.top);
    posun = true;
  }
  poloha.x = do_rozsahu(x);
  poloha.y = do_rozsahu(y);
  return posun;
}

// Out of line: the owner of the dialog needs its whole class.
hlavni_okno::hlavni_okno() = default;

hlavni_okno::~hlavni_okno()
{
  hlavni_dialog.reset();
  // Normally the close destroyed the window already.
  if (hwnd && IsWindow(hwnd)) {
    if (!DestroyWindow(hwnd)) fatalni_posledni_chyba();
  }
  hwnd = nullptr;
}

void hlavni_okno::vytvor()
{
  if (!instance) fatalni_argument();
  hwnd = CreateWindowExW(0, TRIDA_OKNA, app().nazev(), STYL_OKNA, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                         CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  if (!hwnd) fatalni_posledni_chyba();

  hlavni_dialog.reset();
  hlavni_dialog = std::make_unique<dlg_hlavni>();
  HWND dialog = CreateDialogParamW(instance, MAKEINTRESOURCEW(IDD_HLAVNI), hwnd, kestrum::procedura_dialogu,
                                   reinterpret_cast<LPARAM>(hlavni_dialog.get()));
  if (!dialog) fatalni_posledni_chyba();
  hlavni_dialog->hwnd = dialog;
  ShowWindow(dialog, SW_SHOW);

  // The client area is exactly the dialog.
  RECT r{};
  if (!GetWindowRect(dialog, &r)) fatalni_posledni_chyba();
  if (!AdjustWindowRectEx(&r, STYL_RAMU, FALSE, 0)) fatalni_posledni_chyba();
  if (!SetWindowPos(hwnd, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOMOVE))
    fatalni_posledni_chyba();

  // Where it was left; without the key the system's position stays.
  klic_registru klic(KLIC_APLIKACE);
  if (klic.otevri() == S_OK) {
    umisteni_okna u{};
    klic.cti_umisteni(&u); // a missing or unreadable record leaves zeros
    klic.zavri();
    if (!SetWindowPos(hwnd, nullptr, u.left, u.top, 0, 0, SWP_NOZORDER | SWP_NOSIZE)) fatalni_posledni_chyba();
    omez_na_monitor();
    if (u.topmost != 0 && !SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE))
      fatalni_posledni_chyba();
  }
  ShowWindow(hwnd, SW_SHOW);
}

void hlavni_okno::omez_na_monitor()
{
  if (!hwnd || !IsWindow(hwnd)) fatalni_handle();
  HMONITOR monitor = MonitorFromWindow(hwnd, MONITOR_DEFAULTTONEAREST);
  if (!monitor) fatalni_posledni_chyba();
  MONITORINFOEXW info{};
  info.cbSize = sizeof info;
  if (!GetMonitorInfoW(monitor, &info)) fatalni_posledni_chyba();
  RECT r{};
  if (!GetWindowRect(hwnd, &r)) fatalni_posledni_chyba();
  POINT p{};
  if (omez_obdelnik(r, info.rcWork, p) && !SetWindowPos(hwnd, nullptr, p.x, p.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE))
    fatalni_posledni_chyba();
}

void hlavni_okno::uloz_umisteni()
{
  // A minimised window has no position worth keeping: the last saved one stays.
  RECT r{};
  if (IsIconic(hwnd) || !GetWindowRect(hwnd, &r)) return;
  umisteni_okna u{};
  u.left = r.left;
  u.top = r.top;
  u.right = r.right;
  u.bottom = r.bottom;
  u.topmost = (GetWindowLongW(hwnd, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0;
  klic_registru klic(KLIC_APLIKACE);
  klic.vytvor_klic();
  LONG s = RegSetValueExW(klic.hkey.get(), L"umisteni_okna", 0, REG_BINARY, reinterpret_cast<const BYTE*>(&u), sizeof u);
  if (s != ERROR_SUCCESS) fatalni_hresult(hresult_registru(s));
  klic.zavri();
}

void hlavni_okno::uloz_stav()
{
  uloz_umisteni();
  if (hlavni_dialog) hlavni_dialog->uloz_do_nastaveni();
  if (g_nastaveni) g_nastaveni->uloz();
}

void hlavni_okno::pri_zavreni()
{
  // Only the end of a session gets here while the worker runs. The worker still uses the
  // dialog, so it stays; what it holds is taken into the settings now. A dialog already
  // gone (a session ended before) leaves only the placement and the settings to save.
  if (!hlavni_dialog || hlavni_dialog->vlakno) {
    uloz_stav();
    return;
  }
  uloz_umisteni();
  // Its teardown takes the folder texts and the check box into the settings.
  hlavni_dialog.reset();
  // After the dialog, so that the texts of its edits are saved.
  if (g_nastaveni) g_nastaveni->uloz();
}

void hlavni_okno::zapamatuj_fokus()
{
  // Minimising takes the focus away first: then the control kept before stays.
  HWND f = GetFocus();
  if (f && IsChild(hwnd, f)) fokus = f;
}

bool hlavni_okno::vrat_fokus()
{
  if (!fokus || !IsWindow(fokus) || !IsChild(hwnd, fokus) || !IsWindowVisible(fokus) || !IsWindowEnabled(fokus))
    return false;
  SetFocus(fokus);
  return true;
}

bool hlavni_okno::zprava_fokusu(UINT zprava, WPARAM wparam)
{
  if (zprava == WM_ACTIVATE) {
    // As a dialog does: the control with the focus is kept when the window is left (Alt+Tab,
    // minimising, another window) and gets it back when the window is active again.
    if (LOWORD(wparam) == WA_INACTIVE)
      zapamatuj_fokus();
    else if (!HIWORD(wparam))
      return vrat_fokus();
    return false;
  }
  // WM_SETFOCUS: the window itself gets the focus when it is restored from a minimised
  // state: it goes back to the control that just lost it to the window, or else to the kept one.
  HWND predtim = reinterpret_cast<HWND>(wparam);
  if (predtim && IsChild(hwnd, predtim)) fokus = predtim;
  return vrat_fokus();
}

LRESULT CALLBACK procedura_okna(HWND okno, UINT zprava, WPARAM wparam, LPARAM lparam)
{
  try {
    hlavni_okno* h = g_hlavni_okno.get();
    const bool nase = h && h->hwnd == okno;
    // The shell made the taskbar button (again): the dialog shows its operations there.
    const UINT tlacitko = zprava_tlacitka_uloh();
    if (tlacitko != 0 && zprava == tlacitko && nase && h->hlavni_dialog)
      h->hlavni_dialog->panel.tlacitko_vytvoreno(okno);
    switch (zprava) {
    case WM_CLOSE:
      if (nase) {
        // Refused without a word while an operation runs. After the end of a session the
        // dialog may be gone: then nothing runs.
        if (h->hlavni_dialog && h->hlavni_dialog->vlakno) return 0;
        h->pri_zavreni();
      }
      break;
    case WM_QUERYENDSESSION:
      // A clean or a backup cut short could leave half a folder: the session waits, and
      // the reason the running operation registered tells the user why.
      if (nase && h->hlavni_dialog && h->hlavni_dialog->vlakno) return FALSE;
      break;
    case WM_ENDSESSION:
      // A session that did not end after all (another program refused) goes on with the
      // window as it was; what would have been lost is saved all the same.
      if (nase) {
        if (wparam)
          h->pri_zavreni();
        else
          h->uloz_stav();
      }
      break;
    case WM_ACTIVATE:
      if (nase && LOWORD(wparam) != WA_INACTIVE && h->hlavni_dialog) h->hlavni_dialog->panel.aktivace();
      [[fallthrough]];
    case WM_SETFOCUS:
      if (nase && h->zprava_fokusu(zprava, wparam)) return 0;
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      break;
    case WM_NCDESTROY:
      if (nase) h->hwnd = nullptr; // a dead handle is not kept
      break;
    default:
      break;
    }
    return DefWindowProcW(okno, zprava, wparam, lparam);
  } catch (...) {
    std::terminate();
  }
}
