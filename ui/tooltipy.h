#pragma once
// A group of tooltips over a dialog's controls. For now it holds nothing.
#include <windows.h>

class skupina_tooltipu {
public:
  HWND okno = nullptr;
  HWND vlastnik = nullptr;
};
