// The main dialog: set-up, command dispatch, enabling by the busy state, teardown, and the
// refill of the two cleaning list boxes.
#include "ui/dlg_hlavni.h"

#include <commctrl.h>
#include <vector>
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "res/resource.h"
#include "res/texty.h"
#include "ui/dialogy.h"
#include "ui/nabidka.h"
#include "ui/vypis_nabidka.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

namespace {

using dialogy::prvek;

// Fills a list box from a list; each item carries its index in the list. The list's
// "Odebrat" button is usable only while there is something to remove.
void napln(HWND seznam_box, const std::vector<std::wstring>& seznam, HWND odebrat)
{
  SendMessageW(seznam_box, LB_RESETCONTENT, 0, 0);
  for (size_t i = 0; i < seznam.size(); ++i) {
    LRESULT polozka = SendMessageW(seznam_box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(seznam[i].c_str()));
    if (polozka == LB_ERR || polozka == LB_ERRSPACE) fatalni_posledni_chyba();
    if (SendMessageW(seznam_box, LB_SETITEMDATA, static_cast<WPARAM>(polozka), static_cast<LPARAM>(i)) == LB_ERR)
      fatalni_posledni_chyba();
  }
  if (!seznam.empty()) {
    EnableWindow(odebrat, TRUE);
    SendMessageW(seznam_box, LB_SETCURSEL, 0, 0);
  } else {
    EnableWindow(odebrat, FALSE);
  }
}

// The tooltips of the dialog's controls, in the order they are registered; most controls
// have the string of their own id as their tip.
struct nastroj_tipu {
  int prvek;
  UINT text;
};
constexpr nastroj_tipu NASTROJE_TIPU[] = {
    {IDC_VYCISTIT, IDS_TIP_VYCISTIT},
    {IDC_ZALOHOVAT, IDS_TIP_ZALOHOVAT},
    {IDC_VYCISTIT_A_ZALOHOVAT, IDS_TIP_VYCISTIT_A_ZALOHOVAT},
    {IDC_ODEBRAT_SLOZKU, IDC_ODEBRAT_SLOZKU},
    {IDC_ODEBRAT_SOUBOR, IDC_ODEBRAT_SOUBOR},
    {IDC_PRIDAT_SLOZKU, IDC_PRIDAT_SLOZKU},
    {IDC_PRIDAT_SOUBOR, IDC_PRIDAT_SOUBOR},
    {IDC_VYCHOZI_SLOZKY, IDS_TIP_VYCHOZI_SLOZKY},
    {IDC_VYCHOZI_SOUBORY, IDS_TIP_VYCHOZI_SOUBORY},
    {IDC_PRIDAT_DATUM, IDC_PRIDAT_DATUM},
    {IDC_ODKAZ_ZDROJ, IDC_ODKAZ_ZDROJ},
    {IDC_ODKAZ_CIL, IDC_ODKAZ_CIL},
    {IDC_ODSTRANIT_SLOZKY, IDC_ODSTRANIT_SLOZKY},
    {IDC_ODSTRANIT_SOUBORY, IDC_ODSTRANIT_SOUBORY}};

// Check box 1017 into the settings' `param`.
void datum_do_nastaveni(HWND dialog, nastaveni& n)
{
  if (IsDlgButtonChecked(dialog, IDC_PRIDAT_DATUM) == BST_CHECKED)
    n.param |= param_pridat_datum;
  else
    n.param &= ~param_pridat_datum;
}

} // namespace

dlg_hlavni::~dlg_hlavni()
{
  uloz_do_nastaveni();
  tooltipy.zrus();
  lb_vypis = nullptr;
  lb_slozky = nullptr;
  lb_soubory = nullptr;
  edit_cil.odpoj();
  edit_zdroj.odpoj();
  if (hwnd && IsWindow(hwnd)) {
    if (!DestroyWindow(hwnd)) fatalni_posledni_chyba();
  }
  hwnd = nullptr;
}

INT_PTR dlg_hlavni::inicializuj(WPARAM)
{
  nastaveni& n = nast();
  edit_zdroj.pripoj(prvek(hwnd, IDC_ZDROJ), n.slozka.c_str());
  edit_cil.pripoj(prvek(hwnd, IDC_CIL), n.slozka_cil.c_str());
  lb_slozky = prvek(hwnd, IDC_SLOZKY);
  lb_soubory = prvek(hwnd, IDC_SOUBORY);
  lb_vypis = prvek(hwnd, IDC_VYPIS);
  napln_soubory();
  napln_slozky();
  tooltipy.vytvor(hwnd);
  for (const nastroj_tipu& t : NASTROJE_TIPU) tooltipy.pridej(prvek(hwnd, t.prvek), t.text);
  if (n.param & param_pridat_datum) {
    if (!CheckDlgButton(hwnd, IDC_PRIDAT_DATUM, BST_CHECKED)) fatalni_posledni_chyba();
  }
  return 1;
}

INT_PTR dlg_hlavni::zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam)
{
  switch (zprava) {
  case WM_NOTIFY: {
    const auto* h = reinterpret_cast<const NMHDR*>(lparam);
    if (wparam == IDC_ODKAZ_ZDROJ && h->code == NM_CLICK)
      prochazej(edit_zdroj);
    else if (wparam == IDC_ODKAZ_CIL && h->code == NM_CLICK)
      prochazej(edit_cil);
    else if (h->idFrom == IDC_NAPOVEDA && h->code == BCN_DROPDOWN)
      nabidka_napovedy();
    break;
  }
  case WM_COMMAND:
    prikaz(LOWORD(wparam), HIWORD(wparam));
    break;
  case WM_STAV_OPERACE:
    povol_ovladani();
    hlas_beh_pri_konci_relace();
    panel.beh(vlakno != nullptr, pocet_chyb);
    break;
  case WM_ZADANI_ZALOHY:
    nacti_zadani_zalohy();
    break;
  case WM_CONTEXTMENU:
    if (reinterpret_cast<HWND>(wparam) == lb_vypis) nabidka_vypisu(*this, lb_vypis, lparam, vlakno != nullptr);
    break;
  default:
    break;
  }
  return 0;
}

void dlg_hlavni::prikaz(WORD id, WORD oznameni)
{
  switch (id) {
  case IDC_VYCISTIT: prikaz_vycistit(); break;
  case IDC_ZALOHOVAT: prikaz_kopirovat(); break;
  case IDC_VYCISTIT_A_ZALOHOVAT: prikaz_vycistit_a_kopirovat(); break;
  case IDM_NAHLED_CISTENI: prikaz_nahled(); break;
  case IDC_PRIDAT_DATUM:
    // The click itself; focus and other notifications change nothing.
    if (oznameni == 0) datum_do_nastaveni(hwnd, nast());
    break;
  case IDC_NAPOVEDA:
  case IDM_WEB: app().otevri_web(); break; // a page that does not open shows nothing
  case IDC_PRIDAT_SOUBOR: pridej_soubor(); break;
  case IDC_ODEBRAT_SOUBOR: odeber_soubor(); break;
  case IDC_ODSTRANIT_SOUBORY: odstran_vse_soubory(); break;
  case IDC_VYCHOZI_SOUBORY: vychozi_soubory(); break;
  case IDC_PRIDAT_SLOZKU: pridej_slozku(); break;
  case IDC_ODEBRAT_SLOZKU: odeber_slozku(); break;
  case IDC_ODSTRANIT_SLOZKY: odstran_vse_slozky(); break;
  case IDC_VYCHOZI_SLOZKY: vychozi_slozky(); break;
  case IDM_O_APLIKACI: ukaz_o_aplikaci(); break;
  case IDC_PREDVOLBY: ukaz_predvolby(); break;
  default: break;
  }
}

void dlg_hlavni::prochazej(kestrum::edit_slozka& edit)
{
  // An empty or missing path is passed on as it is; only a chosen folder changes the edit.
  std::wstring slozka;
  edit.cti_cestu(slozka);
  // Owned like the "..." button's: the main window waits. Should it close or the session
  // end meanwhile, this dialog and its edits are gone and nothing is put in.
  const auto zije = hlidac();
  if (kestrum::vyber_slozku(slozka, hwnd) == 0 && !zije.expired()) edit.nastav_cestu(slozka.c_str());
}

void dlg_hlavni::nabidka_napovedy()
{
  POINT p{};
  if (!GetCursorPos(&p)) fatalni_posledni_chyba();
  ukaz_nabidku(*this, IDM_NAPOVEDA, p, 0);
}

void dlg_hlavni::uloz_do_nastaveni()
{
  // Nothing to take from a dialog that never came up or whose window is gone.
  if (!g_nastaveni || !hwnd || !IsWindow(hwnd)) return;
  nastaveni& n = *g_nastaveni;
  if (edit_zdroj.hwnd) edit_zdroj.cti_cestu(n.slozka);
  if (edit_cil.hwnd) edit_cil.cti_cestu(n.slozka_cil);
  prvek(hwnd, IDC_PRIDAT_DATUM);
  datum_do_nastaveni(hwnd, n);
}

void dlg_hlavni::hlas_beh_pri_konci_relace()
{
  // Registered on the host window, which is the one asked whether the session may end. A
  // system that keeps no such reasons (Wine has no implementation) still lets the host
  // refuse the end of the session; only the text is missing then.
  HWND host = GetParent(hwnd);
  if (vlakno && !duvod_blokovani) {
    duvod_blokovani = ShutdownBlockReasonCreate(host, texty::konec_relace_ceka) != FALSE;
    if (!duvod_blokovani && GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) fatalni_posledni_chyba();
  } else if (!vlakno && duvod_blokovani) {
    if (!ShutdownBlockReasonDestroy(host)) fatalni_posledni_chyba();
    duvod_blokovani = false;
  }
}

void dlg_hlavni::povol_ovladani()
{
  static constexpr int ovladani[] = {
      IDC_PREDVOLBY,     IDC_ZALOHOVAT,       IDC_VYCISTIT,      IDC_VYCISTIT_A_ZALOHOVAT, IDC_ODSTRANIT_SLOZKY,
      IDC_ODSTRANIT_SOUBORY, IDC_PRIDAT_SLOZKU, IDC_PRIDAT_SOUBOR, IDC_ODEBRAT_SLOZKU,  IDC_ODEBRAT_SOUBOR,
      IDC_PRIDAT_DATUM,  IDC_VYCHOZI_SLOZKY,  IDC_VYCHOZI_SOUBORY, IDC_ZDROJ,           IDC_CIL};
  const bool volno = vlakno == nullptr;
  for (int id : ovladani) {
    HWND h = prvek(hwnd, id);
    bool povolit = volno;
    if (id == IDC_ODEBRAT_SLOZKU) povolit = volno && !seznamy().slozky.empty();
    if (id == IDC_ODEBRAT_SOUBOR) povolit = volno && !seznamy().soubory.empty();
    EnableWindow(h, povolit ? TRUE : FALSE);
  }
}

void dlg_hlavni::napln_soubory() { napln(lb_soubory, seznamy().soubory, prvek(hwnd, IDC_ODEBRAT_SOUBOR)); }

void dlg_hlavni::napln_slozky() { napln(lb_slozky, seznamy().slozky, prvek(hwnd, IDC_ODEBRAT_SLOZKU)); }

std::wstring dlg_hlavni::text_editu(int id) const { return kestrum::text_okna(prvek(hwnd, id)); }
