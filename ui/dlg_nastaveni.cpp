// The preferences dialog.
#include "ui/dlg_nastaveni.h"

#include <string>
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "res/resource.h"
#include "res/texty.h"
#include "ui/dialogy.h"
#include "ui/nastaveni.h"

const format_data FORMATY_DATA[5] = {
    {texty::format_datum, 1},   {texty::format_h_m, 3},        {texty::format_h_m_s, 5},
    {texty::format_pomlcky, 2}, {texty::format_pomlcky_s, 4},
};

int index_formatu(LONG kod)
{
  int vychozi = 0;
  for (int i = 0; i < 5; ++i) {
    if (FORMATY_DATA[i].kod == kod) return i;
    if (FORMATY_DATA[i].kod == VYCHOZI_FORMAT) vychozi = i;
  }
  // A value edited outside the program: without a selection OK would have nothing to store.
  return vychozi;
}

INT_PTR dlg_nastaveni::inicializuj(WPARAM)
{
  dialogy::nastav_ikony(hwnd);
  dialogy::nastav_titulek(hwnd, std::wstring(texty::predvolby_titulek) + app().nazev());
  const nastaveni& n = nast();
  if (n.param & param_smazat_stary_cil) {
    if (!CheckDlgButton(hwnd, IDC_SMAZAT_STARY_CIL, BST_CHECKED)) fatalni_posledni_chyba();
  }
  combo_format = dialogy::prvek(hwnd, IDC_FORMAT_DATA);
  for (const format_data& f : FORMATY_DATA) {
    const LRESULT i = SendMessageW(combo_format, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(f.text));
    if (i == CB_ERR || i == CB_ERRSPACE) fatalni_posledni_chyba();
    if (SendMessageW(combo_format, CB_SETITEMDATA, static_cast<WPARAM>(i), f.kod) == CB_ERR)
      fatalni_posledni_chyba();
  }
  SendMessageW(combo_format, CB_SETCURSEL, static_cast<WPARAM>(index_formatu(n.vypis_casu)), 0);
  return TRUE;
}

INT_PTR dlg_nastaveni::zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM)
{
  if (zprava == WM_COMMAND) dialogy::ok_nebo_zrusit(hwnd, wparam, [this] { pouzij(); });
  return 0;
}

void dlg_nastaveni::pouzij()
{
  nastaveni& n = nast();
  if (IsDlgButtonChecked(hwnd, IDC_SMAZAT_STARY_CIL) == BST_CHECKED)
    n.param |= param_smazat_stary_cil;
  else
    n.param &= ~param_smazat_stary_cil;
  const LRESULT i = SendMessageW(combo_format, CB_GETCURSEL, 0, 0);
  if (i == CB_ERR) fatalni_posledni_chyba();
  const LRESULT kod = SendMessageW(combo_format, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
  if (kod == CB_ERR) fatalni_posledni_chyba();
  n.vypis_casu = static_cast<LONG>(kod);
  n.uloz();
}
