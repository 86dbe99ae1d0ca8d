// The operation runner of the main dialog: the starters of the three operations and of the
// clean's preview, the worker procedures, the
// progress log and the elapsed-time measure, and the dialog's clean and backup. The one
// place where the engine meets the dialog: what the operations take from the dialog, its
// edits, settings and lists, are read on the user-interface thread when each phase starts
// (the clean's by the starter, the copy's at the worker's request) and handed to the
// worker, which reaches the dialog only through its log and its messages.
#include <process.h>
#include <new>
#include <utility>
#include "engine/nahled.h"
#include "engine/nazev_kopie.h"
#include "engine/operace.h"
#include "engine/vypis_texty.h"
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "res/resource.h"
#include "ui/dlg_hlavni.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

namespace {

// What the operations see of the main dialog.
class okno_dialogu final : public okno_operace {
public:
  explicit okno_dialogu(dlg_hlavni& d) : d_(d) {}
  void radek(const std::wstring& text) override { d_.pridat_do_vypisu(text.c_str()); }
  void vymaz_vypis() override { SendMessageW(d_.lb_vypis, LB_RESETCONTENT, 0, 0); }
  void chyba(const std::wstring& text) override
  {
    d_.panel.zastavena = true;
    app().zprava(text.c_str(), MB_ICONERROR);
  }
  void zacni_mereni() override { d_.zacni_mereni(); }
  unsigned uplynulo_sekund() override { return d_.uplynulo_sekund(); }
  HWND vlastnik() override { return d_.hwnd; }

private:
  dlg_hlavni& d_;
};

bool zaneprazdnen(const dlg_hlavni& d)
{
  if (!d.vlakno) return false;
  app().zprava(texty::zanepraznen, MB_ICONERROR);
  return true;
}

void spust(dlg_hlavni& d, unsigned(__stdcall* procedura)(void*))
{
  d.nacti_zadani_cisteni();
  d.kresleni_vypisu.zapni(d.lb_vypis);
  // The worker's first message is handled only after this handler returns, so the dialog
  // sees `vlakno` set when it disables its controls. They are disabled here already: from
  // the click on, the controls show that the operation runs.
  d.vlakno = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, procedura, &d, 0, nullptr));
  if (!d.vlakno) {
    app().zprava(texty::vlakno_nevzniklo, MB_ICONERROR);
    return;
  }
  SendMessageW(d.hwnd, WM_STAV_OPERACE, 0, 0);
}

// The body of every worker: the start notice, the operation, the handle released, the end
// notice. While `vlakno` is set the frame keeps the dialog alive (closing is refused, and
// the end of a session leaves it in place). Once it is cleared the window may close and
// the dialog go at any moment, so everything the end needs is taken from it before, and
// nothing of it is touched after.
template <class Operace> unsigned beh(void* parametr, Operace operace)
{
  auto* d = static_cast<dlg_hlavni*>(parametr);
  SendMessageW(d->hwnd, WM_STAV_OPERACE, 0, 0);
  try {
    operace(*d);
  } catch (const std::bad_alloc&) {
    fatalni_pamet();
  }
  d->kresleni_vypisu.dokresli();
  const HWND okno = d->hwnd;
  const HANDLE vlakno = std::exchange(d->vlakno, nullptr);
  if (vlakno && !CloseHandle(vlakno)) fatalni_posledni_chyba();
  // A window already gone takes no message: the call then fails and does nothing.
  SendMessageW(okno, WM_STAV_OPERACE, 0, 0);
  return 0;
}

} // namespace

void dlg_hlavni::prikaz_vycistit()
{
  if (zaneprazdnen(*this)) return;
  pocet_chyb = 0;
  spust(*this, vlakno_vycistit);
}

void dlg_hlavni::prikaz_kopirovat()
{
  if (zaneprazdnen(*this)) return;
  spust(*this, vlakno_kopirovat);
}

void dlg_hlavni::prikaz_vycistit_a_kopirovat()
{
  if (zaneprazdnen(*this)) return;
  pocet_chyb = 0;
  spust(*this, vlakno_vycistit_a_kopirovat);
}

void dlg_hlavni::prikaz_nahled()
{
  if (zaneprazdnen(*this)) return;
  spust(*this, vlakno_nahled);
}

unsigned __stdcall vlakno_vycistit(void* dialog)
{
  return beh(dialog, [](dlg_hlavni& d) { d.vycistit(); });
}

unsigned __stdcall vlakno_kopirovat(void* dialog)
{
  return beh(dialog, [](dlg_hlavni& d) { d.kopirovat(); });
}

unsigned __stdcall vlakno_vycistit_a_kopirovat(void* dialog)
{
  // The clean returns 0 whenever its traversal ran: the copy is left out only when the
  // clean stopped at its source check.
  return beh(dialog, [](dlg_hlavni& d) {
    if (d.vycistit() == 0) d.kopirovat();
  });
}

unsigned __stdcall vlakno_nahled(void* dialog)
{
  return beh(dialog, [](dlg_hlavni& d) { d.nahled(); });
}

void dlg_hlavni::pridat_do_vypisu(const wchar_t* radek)
{
  LRESULT i = SendMessageW(lb_vypis, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(radek));
  if (i == LB_ERR || i == LB_ERRSPACE) fatalni_posledni_chyba();
  // A list box painted in batches scrolls to its newest line whenever it paints.
  if (!kresleni_vypisu.davkove()) SendDlgItemMessageW(hwnd, IDC_VYPIS, LB_SETTOPINDEX, static_cast<WPARAM>(i), 0);
}

void dlg_hlavni::zacni_mereni() { cas_startu = static_cast<DWORD>(GetTickCount64()); }

unsigned dlg_hlavni::uplynulo_sekund() const { return sekundy_mezi(cas_startu, static_cast<DWORD>(GetTickCount64())); }

int dlg_hlavni::vycistit()
{
  okno_dialogu okno(*this);
  return vycisteni(vstup_cisteni, pocet_chyb, okno);
}

int dlg_hlavni::nahled()
{
  okno_dialogu okno(*this);
  return nahled_cisteni(vstup_cisteni, okno);
}

void dlg_hlavni::vycistit_slozku(const std::wstring& slozka)
{
  okno_dialogu okno(*this);
  const zadani_cisteni& z = vstup_cisteni;
  cisteni({z.soubory, z.slozky}, z.radky, okno, pocet_chyb).vycisti(slozka);
}

int dlg_hlavni::kopirovat()
{
  okno_dialogu okno(*this);
  // The copy takes the edits as they stand when it starts: a link may have changed them
  // during the clean before it.
  SendMessageW(hwnd, WM_ZADANI_ZALOHY, 0, 0);
  const HRESULT hr = zaloha(vstup_zalohy, okno);
  if (FAILED(hr)) panel.zastavena = true;
  return hr;
}

void dlg_hlavni::nacti_zadani_cisteni()
{
  const nastaveni& n = nast();
  vstup_cisteni = {text_editu(IDC_ZDROJ), seznamy().soubory, seznamy().slozky,
                   {(n.vypis & vypis_slozky) != 0, (n.vypis & vypis_soubory) != 0}};
}

void dlg_hlavni::nacti_zadani_zalohy()
{
  const nastaveni& n = nast();
  vstup_zalohy.zdroj = text_editu(IDC_ZDROJ);
  vstup_zalohy.cil = text_editu(IDC_CIL);
  vstup_zalohy.pridat_datum = (n.param & param_pridat_datum) != 0;
  vstup_zalohy.smazat_stary_cil = (n.param & param_smazat_stary_cil) != 0;
  vstup_zalohy.vypis_casu = n.vypis_casu;
}
