// Folder path edits: a subclassed EDIT whose text is the path.
#include "ui/edit_slozka.h"

#include <shlwapi.h>
#include "frame/chyby.h"

namespace kestrum {

void edit_cesta::odpoj() { ovl_prvek_impl<okno>::odpoj(); }

LRESULT edit_slozka::zpracuj_zpravu(UINT zprava, WPARAM wparam, LPARAM lparam)
{
  return CallWindowProcW(puvodni_procedura, hwnd, zprava, wparam, lparam);
}

void edit_slozka::pripoj(HWND prvek, const std::wstring& cesta)
{
  ovl_prvek_impl<okno>::pripoj(prvek);
  if (!SetWindowTextW(prvek, cesta.c_str())) fatalni_posledni_chyba();
}

HRESULT edit_slozka::nastav_cestu(const std::wstring& cesta)
{
  if (!IsWindow(hwnd)) fatalni_handle();
  if (!SetWindowTextW(hwnd, cesta.c_str())) fatalni_posledni_chyba();
  return S_OK;
}

HRESULT edit_slozka::cti_cestu(std::wstring& cesta) const
{
  if (!IsWindow(hwnd)) fatalni_handle();
  SetLastError(0);
  int delka = GetWindowTextLengthW(hwnd);
  if (delka <= 0 && GetLastError() != 0) fatalni_posledni_chyba();
  std::wstring text(static_cast<size_t>(delka > 0 ? delka : 0) + 1, L'\0');
  LRESULT n = SendMessageW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  if (n != delka) fatalni_posledni_chyba();
  text.resize(static_cast<size_t>(n));
  cesta = text;
  if (cesta.empty()) return S_FALSE;
  return PathFileExistsW(cesta.c_str()) && PathIsDirectoryW(cesta.c_str()) ? S_OK : S_FALSE;
}

} // namespace kestrum
