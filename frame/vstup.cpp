// The program's entry point: the application object runs the whole program, unless another
// Tesvarin runs in this session already; then that one is shown and nothing is touched.
#include <windows.h>
#include "frame/aplikace.h"
#include "frame/jedina_instance.h"
#include "res/texty.h"

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int)
{
  instance = inst;
  jedina_instance jedina;
  if (!jedina.prvni()) {
    // No window to bring forward (one of a program with higher rights, or one that never
    // came): the user is told, rather than left waiting for a window.
    if (!ukaz_bezici_instanci()) aplikace().zprava(texty::uz_bezi, MB_ICONINFORMATION);
    return 0;
  }
  g_aplikace.nastav(new aplikace);
  int kod = g_aplikace->spust();
  g_aplikace.zrus();
  return kod;
}
