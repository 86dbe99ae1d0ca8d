#pragma once
// Sizes that follow the screen's DPI: every length the program draws or measures in pixels
// is given for 96 DPI and scaled to the DPI of the window it is drawn in.
#include <windows.h>

namespace kestrum {

// The DPI for which the program's pixel sizes are given.
constexpr UINT ZAKLADNI_DPI = 96;

// `pixely` (given for 96 DPI) at `dpi`, rounded to the nearest pixel, halves away from zero.
constexpr int na_dpi(int pixely, UINT dpi)
{
  const long long n = static_cast<long long>(pixely) * dpi;
  const long long z = ZAKLADNI_DPI;
  return static_cast<int>(n >= 0 ? (n + z / 2) / z : -((-n + z / 2) / z));
}

// The DPI of window `okno` as the system gives it to this program: GetDpiForWindow where
// the system has it (Windows 10 1607 and later), else the screen's LOGPIXELSY.
UINT dpi_okna(HWND okno);

} // namespace kestrum
