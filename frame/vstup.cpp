// The program's entry point: the application object runs the whole program.
#include <windows.h>
#include "frame/aplikace.h"

int WINAPI wWinMain(HINSTANCE inst, HINSTANCE, PWSTR, int)
{
  instance = inst;
  g_aplikace.nastav(new aplikace);
  int kod = g_aplikace->spust();
  g_aplikace.zrus();
  return kod;
}
