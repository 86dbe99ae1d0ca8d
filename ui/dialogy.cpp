#include "ui/dialogy.h"

#include "frame/aplikace.h"
#include "frame/chyby.h"

namespace dialogy {

HWND prvek(HWND dialog, int id)
{
  HWND h = GetDlgItem(dialog, id);
  if (!h) fatalni_handle();
  return h;
}

void nastav_ikony(HWND dialog)
{
  aplikace& a = app();
  if (!IsWindow(dialog)) fatalni_argument();
  SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(a.ikona_velka));
  if (!IsWindow(dialog)) fatalni_argument();
  SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(a.ikona_mala));
}

void nastav_titulek(HWND dialog, const std::wstring& titulek)
{
  if (!SendMessageW(dialog, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(titulek.c_str()))) fatalni_posledni_chyba();
}

} // namespace dialogy
