#include "ui/vypis_kresleni.h"

#include "frame/chyby.h"

namespace {
constexpr UINT_PTR ID_CASOVACE = 0x7E5A;
}

void vypis_davkove::zapni(HWND seznam)
{
  if (!seznam) fatalni_handle();
  if (hwnd == seznam) return;
  pripoj(seznam);
}

void vypis_davkove::odpoj()
{
  if (hwnd) KillTimer(hwnd, ID_CASOVACE);
  pozastaveno_ = false;
  ovl_prvek_impl::odpoj();
}

void vypis_davkove::dokresli() const
{
  if (hwnd) SendMessageW(hwnd, WM_DOKRESLI_VYPIS, 0, 0);
}

// The messages of its own go through the whole window procedure, subclasses included.
void vypis_davkove::vykresli()
{
  KillTimer(hwnd, ID_CASOVACE);
  if (!pozastaveno_) return;
  pozastaveno_ = false;
  // Scrolled while redrawing is still off: the scroll itself paints nothing.
  LRESULT n = SendMessageW(hwnd, LB_GETCOUNT, 0, 0);
  if (n > 0) SendMessageW(hwnd, LB_SETTOPINDEX, static_cast<WPARAM>(n - 1), 0);
  const DWORD od = GetTickCount();
  // Redrawing back on sets the scroll bar to the new range and position and paints it; the
  // frame is left alone, for under Wine painting the scroll bar a second time would cost
  // several times what the lines cost.
  SendMessageW(hwnd, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  perioda_ = perioda_kresleni(GetTickCount() - od);
}

LRESULT vypis_davkove::zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam)
{
  switch (zprava) {
  case LB_ADDSTRING:
  case LB_INSERTSTRING:
  case LB_DELETESTRING:
  case LB_RESETCONTENT:
    // Only changes sent by another thread are batched; the window's own code sees the
    // list box as it always is.
    if (InSendMessage()) {
      if (!pozastaveno_) {
        SendMessageW(hwnd, WM_SETREDRAW, FALSE, 0);
        pozastaveno_ = true;
        od_ = GetTickCount();
        SetTimer(hwnd, ID_CASOVACE, perioda_, nullptr);
      }
      LRESULT r = ovl_prvek_impl::zpracuj_zpravu(zprava, wparam, lparam);
      // A steady stream of sent lines can keep the timer's message from ever coming.
      if (GetTickCount() - od_ >= perioda_) vykresli();
      return r;
    }
    break;
  case WM_TIMER:
    if (wparam == ID_CASOVACE) {
      vykresli();
      return 0;
    }
    break;
  case WM_DOKRESLI_VYPIS:
    vykresli();
    return 0;
  case WM_NCDESTROY:
    KillTimer(hwnd, ID_CASOVACE);
    pozastaveno_ = false;
    break;
  default:
    break;
  }
  return ovl_prvek_impl::zpracuj_zpravu(zprava, wparam, lparam);
}
