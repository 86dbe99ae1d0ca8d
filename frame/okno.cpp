// Window and dialog classes: binding an object to its window and routing the messages.
#include "frame/okno.h"

#include <algorithm>
#include <exception>
#include "frame/aplikace.h"
#include "frame/chyby.h"

namespace kestrum {

std::wstring text_okna(HWND okno)
{
  if (!IsWindow(okno)) fatalni_handle();
  const LRESULT delka = SendMessageW(okno, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<size_t>(std::max<LRESULT>(delka, 0)) + 1, L'\0');
  const LRESULT n = SendMessageW(okno, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::min(static_cast<size_t>(std::max<LRESULT>(n, 0)), text.size() - 1));
  return text;
}

dialog_impl::~dialog_impl()
{
  // The derived part is gone already: what DestroyWindow sends now reaches only the base
  // handler below.
  if (hwnd && IsWindow(hwnd)) {
    if (!DestroyWindow(hwnd)) fatalni_posledni_chyba();
  }
  hwnd = nullptr;
}

INT_PTR dialog_impl::zpracuj_zpravu(UINT, WPARAM, LPARAM) { return 0; }

INT_PTR dialog_impl::inicializuj(WPARAM) { return 1; }

INT_PTR dialog_impl::zobraz_modalne(WORD id_sablony, HWND vlastnik)
{
  if (!instance) fatalni_argument();
  return DialogBoxParamW(instance, MAKEINTRESOURCEW(id_sablony), vlastnik, procedura_dialogu,
                         reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK procedura_dialogu(HWND okno, UINT zprava, WPARAM wparam, LPARAM lparam)
{
  // An exception cannot unwind through the system's code that called us.
  try {
    if (zprava == WM_INITDIALOG) {
      auto* dialog = reinterpret_cast<dialog_impl*>(lparam);
      if (!dialog) fatalni_argument();
      SetWindowLongPtrW(okno, DWLP_USER, lparam);
      dialog->hwnd = okno;
      return dialog->inicializuj(wparam);
    }
    auto* dialog = reinterpret_cast<dialog_impl*>(GetWindowLongPtrW(okno, DWLP_USER));
    if (!dialog) return 0; // before WM_INITDIALOG (WM_SETFONT and the like)
    INT_PTR vysledek = dialog->zpracuj_zpravu(zprava, wparam, lparam);
    if (zprava == WM_NCDESTROY) {
      // The window is gone: the object must not keep a handle that the system may reuse.
      SetWindowLongPtrW(okno, DWLP_USER, 0);
      if (dialog->hwnd == okno) dialog->hwnd = nullptr;
    }
    return vysledek;
  } catch (...) {
    std::terminate();
  }
}

LRESULT CALLBACK procedura_prvku(HWND okno, UINT zprava, WPARAM wparam, LPARAM lparam)
{
  try {
    auto* prvek = reinterpret_cast<ovl_prvek_impl<kestrum::okno>*>(GetWindowLongPtrW(okno, GWLP_USERDATA));
    if (!prvek) fatalni_argument();
    LRESULT vysledek = prvek->zpracuj_zpravu(zprava, wparam, lparam);
    if (zprava == WM_NCDESTROY && prvek->hwnd == okno) {
      // The control is destroyed while still bound: its procedure and handle are dead.
      prvek->puvodni_procedura = nullptr;
      prvek->hwnd = nullptr;
    }
    return vysledek;
  } catch (...) {
    std::terminate();
  }
}

void ovl_prvek_impl<okno>::odpoj()
{
  if (puvodni_procedura && IsWindow(hwnd)) {
    SetLastError(0);
    if (!SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(puvodni_procedura)) &&
        GetLastError() != 0)
      fatalni_posledni_chyba();
    SetLastError(0);
    if (!SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0) && GetLastError() != 0) fatalni_posledni_chyba();
  }
  // Of a window that no longer exists the old procedure means nothing either: forgetting it
  // lets a later pripoj subclass its new control.
  puvodni_procedura = nullptr;
  hwnd = nullptr;
}

LRESULT ovl_prvek_impl<okno>::zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam)
{
  return CallWindowProcW(puvodni_procedura, hwnd, zprava, wparam, lparam);
}

void ovl_prvek_impl<okno>::pripoj(HWND prvek)
{
  if (!IsWindow(prvek)) fatalni_handle();
  odpoj();
  // A control that another object holds would end up calling itself.
  if (GetWindowLongPtrW(prvek, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(procedura_prvku)) fatalni_argument();
  hwnd = prvek;
  if (!puvodni_procedura) {
    SetLastError(0);
    if (!SetWindowLongPtrW(prvek, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this)) && GetLastError() != 0)
      fatalni_posledni_chyba();
    puvodni_procedura = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(prvek, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedura_prvku)));
    if (!puvodni_procedura) fatalni_posledni_chyba();
  }
}

} // namespace kestrum
