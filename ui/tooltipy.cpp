// The tooltip group of a dialog.
#include "ui/tooltipy.h"

#include <commctrl.h>
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "frame/meritko.h"

void omez_sirku_tipu(HWND tip, UINT dpi)
{
  SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, kestrum::na_dpi(SIRKA_TIPU, dpi));
}

void skupina_tooltipu::vytvor(HWND dialog)
{
  zrus();
  if (!IsWindow(dialog)) fatalni_argument();
  vlastnik = dialog;
  // TTS_ALWAYSTIP: the tips show also while the dialog is not the active window.
  okno_tipu = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP, 0, 0, 0, 0, nullptr, nullptr,
                              instance, nullptr);
  if (!okno_tipu) fatalni_posledni_chyba();
  omez_sirku_tipu(okno_tipu, kestrum::dpi_okna(dialog));
}

void skupina_tooltipu::pridej(HWND prvek, UINT id_textu)
{
  if (!IsWindow(okno_tipu)) fatalni_handle();
  if (!IsWindow(prvek)) fatalni_argument();
  // The tool is the control's whole window; the tooltip watches its mouse messages itself
  // and loads the text from the program's string table when it shows it.
  TOOLINFOW ti{};
  ti.cbSize = sizeof ti;
  ti.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  ti.hwnd = vlastnik;
  ti.uId = reinterpret_cast<UINT_PTR>(prvek);
  ti.hinst = instance;
  ti.lpszText = id_textu ? MAKEINTRESOURCEW(id_textu) : nullptr;
  if (!SendMessageW(okno_tipu, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti))) fatalni_posledni_chyba();
}

void skupina_tooltipu::pridej_id(int id_prvku, UINT id_textu)
{
  if (!IsWindow(okno_tipu)) fatalni_handle();
  HWND prvek = GetDlgItem(vlastnik, id_prvku);
  if (!IsWindow(prvek)) fatalni_posledni_chyba();
  pridej(prvek, id_textu ? id_textu : static_cast<UINT>(id_prvku));
}

void skupina_tooltipu::zrus()
{
  if (okno_tipu && IsWindow(okno_tipu)) {
    if (!DestroyWindow(okno_tipu)) fatalni_posledni_chyba();
  }
  okno_tipu = nullptr;
  vlastnik = nullptr;
}
