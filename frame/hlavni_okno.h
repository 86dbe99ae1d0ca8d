#pragma once
// The host window: a plain top-level window sized to the main dialog inside it.
#include <windows.h>
#include <cstdint>
#include <memory>

class dlg_hlavni;

// The placement record of 20 bytes stored as `umisteni_okna`.
#pragma pack(push, 1)
struct umisteni_okna {
  int32_t left;
  int32_t top;
  int32_t right;
  int32_t bottom;
  uint8_t topmost;
  uint8_t vypln[3];
};
#pragma pack(pop)
static_assert(sizeof(umisteni_okna) == 20);

// Where a window with rectangle `r` goes so that it lies in work area `wa`; returns
// true when it has to move (pure).
bool omez_obdelnik(const RECT& r, const RECT& wa, POINT& poloha);

class hlavni_okno {
public:
  HWND hwnd = nullptr;
  std::unique_ptr<dlg_hlavni> hlavni_dialog;
  HWND fokus = nullptr; // the control that had the focus when the window was last deactivated

  hlavni_okno();
  hlavni_okno(const hlavni_okno&) = delete;
  hlavni_okno& operator=(const hlavni_okno&) = delete;
  ~hlavni_okno();

  void vytvor();
  // Saves the placement, destroys the main dialog (unless an operation still uses it) and
  // saves the settings.
  void pri_zavreni();
  // Saves the placement, the dialog's values and the settings; the dialog stays usable.
  void uloz_stav();
  // Saves the host window's placement, unless it is minimised.
  void uloz_umisteni();
  void omez_na_monitor();
  // Keeps the control that has the focus, as the window is deactivated.
  void zapamatuj_fokus();
  // Gives the kept control the focus back; false when there is none that can take it.
  bool vrat_fokus();
  // WM_ACTIVATE and WM_SETFOCUS: true when the focus was given back (the message is answered).
  bool zprava_fokusu(UINT zprava, WPARAM wparam);
};

LRESULT CALLBACK procedura_okna(HWND okno, UINT zprava, WPARAM wparam, LPARAM lparam);
