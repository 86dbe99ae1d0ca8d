// The DPI of a window, read from the system.
#include "frame/meritko.h"

#include "frame/chyby.h"
#include "frame/vlastnici.h"

namespace kestrum {

namespace {

using GetDpiForWindow_t = UINT(WINAPI*)(HWND);

// Found once: older systems (the program runs from Vista on) do not have it.
GetDpiForWindow_t funkce_dpi_okna()
{
  static const GetDpiForWindow_t f = [] {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return user32 ? reinterpret_cast<GetDpiForWindow_t>(
                        reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                  : nullptr;
  }();
  return f;
}

} // namespace

UINT dpi_okna(HWND okno)
{
  if (!IsWindow(okno)) fatalni_argument();
  if (GetDpiForWindow_t f = funkce_dpi_okna()) {
    const UINT dpi = f(okno);
    if (dpi != 0) return dpi;
  }
  const int dpi = GetDeviceCaps(dc_okna(nullptr).get(), LOGPIXELSY); // the screen's
  return dpi > 0 ? static_cast<UINT>(dpi) : ZAKLADNI_DPI;
}

} // namespace kestrum
