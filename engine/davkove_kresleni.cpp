#include "engine/davkove_kresleni.h"

#include <commctrl.h>
#include <new>
#include "frame/chyby.h"

namespace {

constexpr UINT_PTR ID_PODTRIDY = 0x7E5A;
constexpr UINT_PTR ID_CASOVACE = 0x7E5A;
const wchar_t* const VLASTNOST = L"Tesvarin.DavkoveKresleni";

struct stav_kresleni {
  bool pozastaveno = false; // redrawing is off and lines wait to be painted
  DWORD od = 0;             // tick count when it was turned off
};

// Redrawing back on, scrolled to the newest line, painted at once. The messages of its own
// go through the whole chain of subclasses: DefSubclassProc is for the message being handled.
void vykresli(HWND seznam, stav_kresleni& s)
{
  KillTimer(seznam, ID_CASOVACE);
  if (!s.pozastaveno) return;
  s.pozastaveno = false;
  SendMessageW(seznam, WM_SETREDRAW, TRUE, 0);
  LRESULT n = SendMessageW(seznam, LB_GETCOUNT, 0, 0);
  if (n > 0) SendMessageW(seznam, LB_SETTOPINDEX, static_cast<WPARAM>(n - 1), 0);
  RedrawWindow(seznam, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW);
}

LRESULT CALLBACK procedura_vypisu(HWND seznam, UINT zprava, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data)
{
  auto* s = reinterpret_cast<stav_kresleni*>(data);
  switch (zprava) {
  case LB_ADDSTRING:
  case LB_INSERTSTRING:
  case LB_DELETESTRING:
  case LB_RESETCONTENT:
    // Only changes sent by another thread are batched; the window's own code sees the
    // list box as it always is.
    if (InSendMessage()) {
      if (!s->pozastaveno) {
        SendMessageW(seznam, WM_SETREDRAW, FALSE, 0);
        s->pozastaveno = true;
        s->od = GetTickCount();
        SetTimer(seznam, ID_CASOVACE, PERIODA_KRESLENI, nullptr);
      }
      LRESULT r = DefSubclassProc(seznam, zprava, wparam, lparam);
      // A steady stream of sent lines can keep the timer's message from ever coming.
      if (GetTickCount() - s->od >= PERIODA_KRESLENI) vykresli(seznam, *s);
      return r;
    }
    break;
  case WM_TIMER:
    if (wparam == ID_CASOVACE) {
      vykresli(seznam, *s);
      return 0;
    }
    break;
  case WM_DOKRESLI_VYPIS:
    vykresli(seznam, *s);
    return 0;
  case WM_NCDESTROY:
    KillTimer(seznam, ID_CASOVACE);
    RemovePropW(seznam, VLASTNOST);
    RemoveWindowSubclass(seznam, procedura_vypisu, ID_PODTRIDY);
    delete s;
    break;
  default:
    break;
  }
  return DefSubclassProc(seznam, zprava, wparam, lparam);
}

} // namespace

void zapni_davkove_kresleni(HWND seznam)
{
  if (!seznam) fatalni_handle();
  if (GetPropW(seznam, VLASTNOST)) return;
  auto* s = new (std::nothrow) stav_kresleni;
  if (!s) fatalni_pamet();
  if (!SetWindowSubclass(seznam, procedura_vypisu, ID_PODTRIDY, reinterpret_cast<DWORD_PTR>(s))) {
    delete s;
    fatalni_posledni_chyba();
  }
  if (!SetPropW(seznam, VLASTNOST, reinterpret_cast<HANDLE>(s))) fatalni_posledni_chyba();
}

bool kresli_davkove(HWND seznam)
{
  return GetPropW(seznam, VLASTNOST) != nullptr && GetWindowThreadProcessId(seznam, nullptr) != GetCurrentThreadId();
}

void dokresli_vypis(HWND seznam)
{
  if (GetPropW(seznam, VLASTNOST)) SendMessageW(seznam, WM_DOKRESLI_VYPIS, 0, 0);
}
