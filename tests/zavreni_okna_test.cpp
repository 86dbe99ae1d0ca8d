// What closing the host window and the end of a session save, and what they leave standing.
#include <gtest/gtest.h>
#include <windows.h>
#include "res/resource.h"
#include "tests/podpora/hlavni_okno_test.h"

TEST_F(HlavniOkno, ZavreniUloziPolohuAPakNastaveniZEditu)
{
  vytvor();
  SetWindowTextW(prvek(IDC_ZDROJ), L"");
  SetWindowTextW(prvek(IDC_CIL), L"Z:\\neexistuje\\nikde");
  SendMessageW(prvek(IDC_PRIDAT_DATUM), BM_CLICK, 0, 0);
  ASSERT_TRUE(SetWindowPos(host(), nullptr, 40, 30, 0, 0, SWP_NOZORDER | SWP_NOSIZE));
  const RECT r = test::obdelnik_okna(host());
  HWND h = host();
  HWND d = dialog()->hwnd;

  SendMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(IsWindow(d));
  EXPECT_EQ(dialog(), nullptr);
  EXPECT_TRUE(quit_s_nulou());

  EXPECT_TRUE(test::ulozene_umisteni_je(r));

  EXPECT_EQ(test::text_hodnoty(L"slozka"), L"") << "an empty text is stored too";
  EXPECT_EQ(test::text_hodnoty(L"slozka_cil"), L"Z:\\neexistuje\\nikde");
  EXPECT_EQ(test::cislo_hodnoty(L"param"), param_smazat_stary_cil);
  EXPECT_EQ(test::cislo_hodnoty(L"vypis"), 3u);
  EXPECT_EQ(test::cislo_hodnoty(L"vypis_casu"), 3u);
}

TEST_F(HlavniOkno, MinimalizovaneOknoPolohuNemeni)
{
  umisteni_okna drive{};
  drive.left = 33;
  drive.top = 44;
  test::zapis_hodnotu(KLIC_APLIKACE, L"umisteni_okna", REG_BINARY, &drive, sizeof drive);
  vytvor();
  ShowWindow(host(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(host()));
  SendMessageW(host(), WM_CLOSE, 0, 0);
  umisteni_okna u{};
  ASSERT_TRUE(test::umisteni_hodnoty(&u));
  EXPECT_EQ(u.left, 33) << "the parked position of a minimised window is not a place to come back to";
  EXPECT_EQ(u.top, 44);
  EXPECT_EQ(test::text_hodnoty(L"slozka"), L"C:\\zdroj") << "the settings are saved all the same";
}

// The end of a session: the dialog is gone, the host stays until the system ends the
// process, and a close that still comes must neither reach the missing dialog nor lose anything.
TEST_F(HlavniOkno, ZavreniPoKonciRelaceBezDialogu)
{
  vytvor();
  SetWindowTextW(prvek(IDC_CIL), L"Z:\\cil2");
  HWND d = dialog()->hwnd;
  SendMessageW(host(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(dialog(), nullptr);
  EXPECT_FALSE(IsWindow(d));
  ASSERT_TRUE(IsWindow(host()));
  EXPECT_EQ(test::text_hodnoty(L"slozka_cil"), L"Z:\\cil2");
  umisteni_okna u{};
  EXPECT_TRUE(test::umisteni_hodnoty(&u));

  // Something to save the second time.
  n->slozka_cil = L"Z:\\cil3";
  ASSERT_TRUE(SetWindowPos(host(), nullptr, 70, 60, 0, 0, SWP_NOZORDER | SWP_NOSIZE));
  HWND h = host();
  SendMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_TRUE(quit_s_nulou());
  EXPECT_EQ(test::text_hodnoty(L"slozka_cil"), L"Z:\\cil3");
  ASSERT_TRUE(test::umisteni_hodnoty(&u));
  EXPECT_EQ(u.left, 70);
  EXPECT_EQ(u.top, 60);
}

// The end of a session while an operation runs: everything is saved, but the dialog that
// the worker uses stays; closing is refused until the operation ends.
TEST_F(HlavniOkno, KonecRelacePriBehuNechaDialogZit)
{
  vytvor();
  SetWindowTextW(prvek(IDC_ZDROJ), L"Z:\\zdroj2");
  CheckDlgButton(dialog()->hwnd, IDC_PRIDAT_DATUM, BST_UNCHECKED);
  HANDLE udalost = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  dlg_hlavni* dlg = dialog();
  dlg->vlakno = udalost;
  HWND d = dlg->hwnd;

  SendMessageW(host(), WM_ENDSESSION, TRUE, 0);
  EXPECT_EQ(dialog(), dlg);
  EXPECT_TRUE(IsWindow(d));
  EXPECT_EQ(dlg->edit_zdroj.hwnd, prvek(IDC_ZDROJ)) << "still bound";
  EXPECT_EQ(test::text_hodnoty(L"slozka"), L"Z:\\zdroj2");
  EXPECT_EQ(test::cislo_hodnoty(L"param"), param_smazat_stary_cil);
  umisteni_okna u{};
  EXPECT_TRUE(test::umisteni_hodnoty(&u));

  // The worker still reads the edit through the dialog.
  EXPECT_EQ(dlg->text_editu(IDC_ZDROJ), L"Z:\\zdroj2");

  SendMessageW(host(), WM_CLOSE, 0, 0);
  EXPECT_TRUE(IsWindow(host())) << "refused while the operation runs";
  EXPECT_TRUE(IsWindow(d));

  dlg->vlakno = nullptr;
  CloseHandle(udalost);
  SendMessageW(d, WM_STAV_OPERACE, 0, 0);
  HWND h = host();
  SendMessageW(h, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(h));
  EXPECT_FALSE(IsWindow(d));
  EXPECT_TRUE(quit_s_nulou());
}
