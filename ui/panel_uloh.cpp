// The taskbar button during and after an operation.
#include "ui/panel_uloh.h"

#include <climits>

konec_na_panelu po_operaci(LONG nezdaru, bool zastavena, bool v_popredi)
{
  // Red for any failure; a user who looks elsewhere is called back whatever the outcome.
  const bool chyba = nezdaru > 0 || zastavena;
  return {chyba ? TBPF_ERROR : TBPF_NOPROGRESS, !v_popredi};
}

void tlacitko_shellu::pripoj(HWND okno)
{
  // An interface of a shell that has gone would only fail: the new button gets a new one.
  okno_ = okno;
  seznam_.zavri();
  ITaskbarList3* s = nullptr;
  if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                              reinterpret_cast<void**>(&s))) ||
      !s)
    return;
  seznam_.nastav(s);
  if (FAILED(s->HrInit())) seznam_.zavri();
}

void tlacitko_shellu::stav(TBPFLAG s)
{
  // The results are not looked at: the button is a courtesy that no operation depends on.
  if (!seznam_.platny()) return;
  // Red over the whole button: a full bar first, as a value also turns the bar on.
  if (s == TBPF_ERROR) seznam_.get()->SetProgressValue(okno_, 1, 1);
  seznam_.get()->SetProgressState(okno_, s);
}

void tlacitko_shellu::blikej()
{
  FLASHWINFO f{};
  f.cbSize = sizeof f;
  f.hwnd = okno_;
  f.dwFlags = FLASHW_TRAY | FLASHW_TIMERNOFG;
  f.uCount = UINT_MAX;
  FlashWindowEx(&f); // returns the previous state, not success
}

bool tlacitko_shellu::v_popredi()
{
  // A box or dialog of the window counts as the window.
  HWND f = GetForegroundWindow();
  return f && GetAncestor(f, GA_ROOTOWNER) == okno_;
}

void panel_uloh::tlacitko_vytvoreno(HWND okno)
{
  pripojeno_ = true;
  tlacitko->pripoj(okno);
  // A shell that restarted meanwhile shows again what the button showed.
  if (stav_ != TBPF_NOPROGRESS) tlacitko->stav(stav_);
}

void panel_uloh::beh(bool bezi, LONG pocet_chyb)
{
  // The starter and the worker both announce the start.
  if (bezi == bezi_) return;
  bezi_ = bezi;
  if (bezi) {
    zastavena = false;
    chyb_na_zacatku_ = pocet_chyb;
    nastav(TBPF_INDETERMINATE); // neither the clean nor the shell's copy knows its total
    return;
  }
  const konec_na_panelu k = po_operaci(pocet_chyb - chyb_na_zacatku_, zastavena, pripojeno_ && tlacitko->v_popredi());
  nastav(k.stav);
  if (pripojeno_ && k.blikat) tlacitko->blikej();
}

void panel_uloh::aktivace()
{
  if (!bezi_ && stav_ == TBPF_ERROR) nastav(TBPF_NOPROGRESS);
}

void panel_uloh::nastav(TBPFLAG s)
{
  if (s == stav_) return;
  stav_ = s;
  if (pripojeno_) tlacitko->stav(s);
}

UINT zprava_tlacitka_uloh()
{
  // A system that cannot register it (0) never sends it.
  static const UINT zprava = RegisterWindowMessageW(L"TaskbarButtonCreated");
  return zprava;
}
