#include "frame/vlastnici.h"

#include "frame/chyby.h"

namespace kestrum {

void zavri_handle(HANDLE h)
{
  if (!CloseHandle(h)) fatalni_posledni_chyba();
}

void zavri_vycet(HANDLE h)
{
  if (!FindClose(h)) fatalni_posledni_chyba();
}

void zavri_klic(HKEY h)
{
  // RegCloseKey reports its status, not the last error: handed on as the last error, so
  // that the fatal text names it.
  const LONG s = RegCloseKey(h);
  if (s != ERROR_SUCCESS) {
    SetLastError(static_cast<DWORD>(s));
    fatalni_posledni_chyba();
  }
}

void zavri_tema(HTHEME h)
{
  // CloseThemeData reports its failure as its result, not as the last error.
  if (const HRESULT hr = CloseThemeData(h); FAILED(hr)) fatalni_hresult(hr);
}

void znic_nabidku(HMENU h)
{
  if (!DestroyMenu(h)) fatalni_posledni_chyba();
}

void smaz_pismo(HFONT h)
{
  if (!DeleteObject(h)) fatalni_posledni_chyba();
}

void uvolni_pamet(HGLOBAL h)
{
  if (GlobalFree(h)) fatalni_posledni_chyba();
}

dc_okna::dc_okna(HWND okno) : okno_(okno), dc_(GetDC(okno))
{
  if (!dc_) fatalni_posledni_chyba();
}

dc_okna::~dc_okna()
{
  if (!ReleaseDC(okno_, dc_)) fatalni_posledni_chyba();
}

} // namespace kestrum
