#pragma once
// The host window with the real main dialog, on a private registry: the fixture of the
// main window's tests.
#include <gtest/gtest.h>
#include <windows.h>
#include "frame/aplikace.h"
#include "frame/hlavni_okno.h"
#include "frame/registr.h"
#include "tests/podpora/aplikace_test.h"
#include "tests/podpora/podpora.h"
#include "ui/dlg_hlavni.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

class HlavniOkno : public ::testing::Test {
protected:
  test::soukromy_registr registr;
  test::s_aplikaci aplikace_;
  nastaveni* n = nullptr;

  void SetUp() override
  {
    app().registruj_tridu();
    n = new nastaveni;
    n->slozka = L"C:\\zdroj";
    n->slozka_cil = L"Z:\\cil";
    n->vychozi_cisla();
    g_nastaveni.nastav(n);
  }
  void TearDown() override { test::zrus_okno_aplikace(); }

  void vytvor(bool nacist_seznamy = true)
  {
    g_seznamy.nastav(nacist_seznamy ? new seznamy_mazani : new seznamy_mazani(seznamy_mazani::bez_nacteni{}));
    g_hlavni_okno.nastav(new hlavni_okno);
    g_hlavni_okno->vytvor();
  }

  HWND host() const { return g_hlavni_okno->hwnd; }
  dlg_hlavni* dialog() const { return g_hlavni_okno->hlavni_dialog.get(); }
  HWND prvek(int id) const { return GetDlgItem(dialog()->hwnd, id); }

  static bool klic_existuje()
  {
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, KLIC_APLIKACE, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
    RegCloseKey(k);
    return true;
  }
  static bool quit_s_nulou()
  {
    MSG m{};
    return PeekMessageW(&m, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && m.message == WM_QUIT && m.wParam == 0;
  }
};
