// The program's entry point: the application object runs the whole program, unless another
// Tesvarin runs in this session already; then that one is shown and nothing is touched.
#include <windows.h>
#include "frame/aplikace.h"
#include "frame/jedina_instance.h"

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int)
{
  instance = inst;
  jedina_instance jedina;
  if (!jedina.prvni()) {
    ukaz_bezici_instanci();
    return 0;
  }
  g_aplikace.nastav(new aplikace);
  int kod = g_aplikace->spust();
  g_aplikace.zrus();
  return kod;
}
