#pragma once
// A group of tooltips over a dialog's controls: one tooltip window, each control a tool
// over its whole window, each text a string-table entry loaded when the tip shows.
#include <windows.h>

// The widest a tip gets at 96 DPI, in pixels: longer texts wrap into a block.
constexpr int SIRKA_TIPU = 300;
// Sets the widest tip of tooltip window `tip` for a tool window at `dpi`.
void omez_sirku_tipu(HWND tip, UINT dpi);

class skupina_tooltipu {
public:
  HWND okno_tipu = nullptr; // owned
  HWND vlastnik = nullptr;  // the dialog whose controls are the tools

  skupina_tooltipu() = default;
  skupina_tooltipu(const skupina_tooltipu&) = delete;
  skupina_tooltipu& operator=(const skupina_tooltipu&) = delete;
  ~skupina_tooltipu() { zrus(); }

  // (Re)creates the tooltip window for the dialog `dialog`; earlier tools go with the old one.
  void vytvor(HWND dialog);
  // Registers control `prvek` with string-table text `id_textu` (0: no text).
  void pridej(HWND prvek, UINT id_textu);
  // Registers the owner's control `id_prvku`; text id 0 means the control's own id.
  void pridej_id(int id_prvku, UINT id_textu = 0);
  // Destroys the tooltip window and forgets both handles.
  void zrus();
};
