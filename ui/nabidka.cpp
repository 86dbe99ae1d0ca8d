#include "ui/nabidka.h"

#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "frame/vlastnici.h"

UINT ukaz_nabidku(const kestrum::okno& vlastnik, UINT id, POINT bod, UINT priznaky,
                  const std::function<void(HMENU)>& priprav)
{
  const kestrum::handle_nabidky menu(LoadMenuW(instance, MAKEINTRESOURCEW(id)));
  if (!menu.platny()) fatalni_posledni_chyba();
  HMENU nabidka = GetSubMenu(menu.get(), 0);
  if (!nabidka) fatalni_argument(); // a menu resource without its pop-up
  if (priprav) priprav(nabidka);
  SetForegroundWindow(vlastnik.hwnd);
  const auto zije = vlastnik.hlidac();
  const BOOL r = TrackPopupMenu(nabidka, TPM_RIGHTBUTTON | priznaky, bod.x, bod.y, 0, vlastnik.hwnd, nullptr);
  // A menu whose window closed under it may report a failure.
  if (zije.expired()) return 0;
  if (priznaky & TPM_RETURNCMD) return static_cast<UINT>(r);
  if (!r) fatalni_posledni_chyba();
  return 0;
}
