// The main dialog's cleaning list panel (Add, Remove, Remove all, Defaults of each list) and
// the two dialogs it opens from its buttons: the preferences and the about box.
#include <windows.h>
#include <string>
#include <vector>
#include "engine/shoda.h"
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "res/resource.h"
#include "res/texty.h"
#include "ui/dlg_hlavni.h"
#include "ui/dlg_nastaveni.h"
#include "ui/dlg_program_info.h"
#include "ui/dlg_vstup_textu.h"
#include "ui/seznamy_mazani.h"

namespace {

// What tells the two lists apart in the panel: the list, its operations of the model, its
// texts and its list box.
struct strana {
  const std::vector<std::wstring> seznamy_mazani::*seznam;
  int (seznamy_mazani::*najdi)(const wchar_t*) const;
  void (seznamy_mazani::*pridej)(const std::wstring&);
  void (seznamy_mazani::*odeber)(unsigned);
  void (seznamy_mazani::*vyprazdni)();
  void (seznamy_mazani::*vychozi)();
  UINT vyzva;     // the prompt of Add
  UINT duplicita; // the message for a name already listed
  void (dlg_hlavni::*napln)();
  HWND dlg_hlavni::*lb;
  bool slozky;    // the folder list: names only, no wildcards
};

constexpr strana SOUBORY{&seznamy_mazani::soubory,         &seznamy_mazani::najdi_soubor,
                         &seznamy_mazani::pridej_soubor,   &seznamy_mazani::odeber_soubor,
                         &seznamy_mazani::vyprazdni_soubory, &seznamy_mazani::vychozi_soubory,
                         IDS_PRIDAT_SOUBOR,                IDS_SOUBOR_V_SEZNAMU,
                         &dlg_hlavni::napln_soubory,       &dlg_hlavni::lb_soubory,
                         false};
constexpr strana SLOZKY{&seznamy_mazani::slozky,          &seznamy_mazani::najdi_slozku,
                        &seznamy_mazani::pridej_slozku,   &seznamy_mazani::odeber_slozku,
                        &seznamy_mazani::vyprazdni_slozky, &seznamy_mazani::vychozi_slozky,
                        IDS_PRIDAT_SLOZKU,                IDS_SLOZKA_V_SEZNAMU,
                        &dlg_hlavni::napln_slozky,        &dlg_hlavni::lb_slozky,
                        true};

// Every change is saved at once and shown with the first entry selected.
void po_zmene(dlg_hlavni& d, const strana& s)
{
  seznamy().uloz();
  (d.*s.napln)();
}

// Why a name cannot go on a list, as its box says it; empty when it can.
std::wstring proc_nelze_pridat(const std::wstring& nazev, bool slozka)
{
  if (const wchar_t z = nepovoleny_znak(nazev, slozka)) {
    const std::wstring text = std::wstring(slozka ? texty::nazev_slozky : texty::nazev_souboru) +
                              texty::nemuze_obsahovat + std::wstring(1, z) + texty::znak_konec;
    return z == L'*' || z == L'?' ? text + texty::zastupne_jen_soubory : text;
  }
  if (!slozka && vzor_pro_vse(nazev))
    return texty::vzor_uvod + nazev + texty::vzor_pro_vse;
  return {};
}

void pridej(dlg_hlavni& d, const strana& s)
{
  const std::wstring vyzva = nacti_text(s.vyzva);
  std::wstring nazev;
  // The main window may close or the session end while the question is open: then the
  // dialog is gone and the answer changes nothing.
  const auto zije = d.hlidac();
  if (zadej_text(nazev, vyzva.c_str()) != 0 || zije.expired() || nazev.empty()) return;
  if (const std::wstring duvod = proc_nelze_pridat(nazev, s.slozky); !duvod.empty()) {
    app().zprava(duvod.c_str(), MB_ICONERROR);
    return;
  }
  seznamy_mazani& m = seznamy();
  if ((m.*s.najdi)(nazev.c_str()) >= 0) {
    app().zprava(nacti_text(s.duplicita).c_str(), MB_ICONERROR);
    return;
  }
  (m.*s.pridej)(nazev); // exactly as typed: blanks and case stay
  po_zmene(d, s);
}

void odeber(dlg_hlavni& d, const strana& s)
{
  seznamy_mazani& m = seznamy();
  const HWND lb = d.*s.lb;
  // No selection is a state of the list box, not a failed call: nothing to remove.
  const LRESULT vyber = SendMessageW(lb, LB_GETCURSEL, 0, 0);
  if (vyber == LB_ERR) {
    MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  const LRESULT index = SendMessageW(lb, LB_GETITEMDATA, static_cast<WPARAM>(vyber), 0);
  if (index == LB_ERR) fatalni_posledni_chyba();
  if (!v_rozsahu(m.*s.seznam, index)) {
    MessageBeep(MB_ICONEXCLAMATION);
    return;
  }
  (m.*s.odeber)(static_cast<unsigned>(index));
  po_zmene(d, s);
}

void odstran_vse(dlg_hlavni& d, const strana& s)
{
  (seznamy().*s.vyprazdni)();
  po_zmene(d, s);
}

void vychozi(dlg_hlavni& d, const strana& s)
{
  (seznamy().*s.vychozi)();
  po_zmene(d, s);
}

// Runs a dialog kept in a process-wide holder; while one is open a second request only
// brings it forward.
template <class D> void ukaz(kestrum::jedinacek<D>& drzak, WORD sablona, HWND vlastnik)
{
  if (drzak) {
    if (drzak->hwnd) SetForegroundWindow(drzak->hwnd);
    return;
  }
  D* dialog = new D;
  drzak.nastav(dialog);
  dialog->zobraz_modalne(sablona, vlastnik);
  drzak.zrus(); // destroys a window that is left, then the object
  // Nothing of the main dialog is touched after the loop: it may be gone by now.
}

} // namespace

void dlg_hlavni::pridej_soubor() { pridej(*this, SOUBORY); }
void dlg_hlavni::pridej_slozku() { pridej(*this, SLOZKY); }
void dlg_hlavni::odeber_soubor() { odeber(*this, SOUBORY); }
void dlg_hlavni::odeber_slozku() { odeber(*this, SLOZKY); }
void dlg_hlavni::odstran_vse_soubory() { odstran_vse(*this, SOUBORY); }
void dlg_hlavni::odstran_vse_slozky() { odstran_vse(*this, SLOZKY); }

void dlg_hlavni::vychozi_soubory() { vychozi(*this, SOUBORY); }
void dlg_hlavni::vychozi_slozky() { vychozi(*this, SLOZKY); }

void dlg_hlavni::ukaz_predvolby() { ukaz(g_dlg_nastaveni, IDD_NASTAVENI, hwnd); }
void dlg_hlavni::ukaz_o_aplikaci() { ukaz(g_dlg_info, IDD_PROGRAM_INFO, hwnd); }
