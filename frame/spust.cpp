// The program's run: start-up in its fixed order, the message loop, the ordered shut-down.
#include <windows.h>
#include <objbase.h>
#include <shellapi.h>
#include <stdlib.h>
#include <exception>

#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "frame/hlavni_okno.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

int aplikace::spust()
{
  _set_invalid_parameter_handler(obsluha_parametru);
  std::set_terminate(obsluha_ukonceni);

  // COM in this thread's single-threaded apartment, initialised by nobody before us.
  HRESULT hr = CoInitialize(nullptr);
  if (FAILED(hr)) fatalni_hresult(hr);
  if (hr != S_OK) fatalni_posledni_chyba();

  spust_gdiplus();
  nacti_ikony();
  registruj_tridu();

  auto* n = new nastaveni;
  g_nastaveni.nastav(n);
  n->slozka = vychozi_slozka();
  n->vychozi_cisla();
  n->nacti();

  g_seznamy.nastav(new seznamy_mazani);

  g_hlavni_okno.nastav(new hlavni_okno);
  g_hlavni_okno->vytvor();

  MSG zprava{};
  for (;;) {
    BOOL r = GetMessageW(&zprava, nullptr, 0, 0);
    if (r == 0) break;
    if (r == -1) fatalni_posledni_chyba();
    TranslateMessage(&zprava);
    DispatchMessageW(&zprava);
  }

  // The settings were saved when the window closed; destroying them saves nothing.
  g_hlavni_okno.zrus();
  g_seznamy.zrus();
  g_nastaveni.zrus();

  if (!UnregisterClassW(TRIDA_OKNA, instance)) fatalni_posledni_chyba();
  uvolni();
  CoUninitialize();
  return static_cast<int>(zprava.wParam);
}

void aplikace::registruj_tridu()
{
  if (!instance) fatalni_argument();
  WNDCLASSEXW trida{};
  trida.cbSize = sizeof trida;
  trida.style = CS_HREDRAW | CS_VREDRAW;
  trida.lpfnWndProc = procedura_okna;
  trida.hInstance = instance;
  trida.hIcon = ikona_velka;
  trida.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  if (!trida.hCursor) fatalni_posledni_chyba();
  trida.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1));
  trida.lpszClassName = TRIDA_OKNA;
  trida.hIconSm = ikona_mala;
  if (!RegisterClassExW(&trida)) fatalni_posledni_chyba();
}

HRESULT aplikace::otevri_web()
{
  HINSTANCE h = ShellExecuteW(nullptr, L"open", WEB_VYROBCE, nullptr, nullptr, SW_SHOWMAXIMIZED);
  if (reinterpret_cast<INT_PTR>(h) > 32) return S_OK;
  return hresult_posledni_chyby();
}
