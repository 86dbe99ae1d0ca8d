// The main dialog's tooltips, its two links and the help drop-down.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
#include <string>
#include <vector>
#include "frame/chyby.h"
#include "frame/meritko.h"
#include "res/resource.h"
#include "tests/podpora/hlavni_okno_test.h"

namespace {

// Left-button press and release in a control: at its middle, or at the right edge (the
// drop-down part of a split button). The modal windows that opened are answered by `o`.
void klikni(HWND prvek, test::obsluha_oken& o, bool vpravo = false)
{
  RECT r{};
  GetClientRect(prvek, &r);
  const LPARAM bod = MAKELPARAM(vpravo ? r.right - 4 : r.right / 2, r.bottom / 2);
  SendMessageW(prvek, WM_LBUTTONDOWN, MK_LBUTTON, bod);
  SendMessageW(prvek, WM_LBUTTONUP, 0, bod);
  o.konec();
}

// The menu's commands that reach the dialog, kept from their handlers.
std::vector<WORD> g_prikazy;
WNDPROC g_procedura_dialogu = nullptr;
LRESULT CALLBACK zaznam_prikazu(HWND w, UINT zprava, WPARAM wparam, LPARAM lparam)
{
  if (zprava != WM_COMMAND || (LOWORD(wparam) != IDM_WEB && LOWORD(wparam) != IDM_O_APLIKACI))
    return CallWindowProcW(g_procedura_dialogu, w, zprava, wparam, lparam);
  g_prikazy.push_back(LOWORD(wparam));
  return 0;
}

} // namespace

TEST_F(HlavniOkno, TipyCtrnactiPrvkuVPoradiZanikajiSDialogem)
{
  vytvor();
  const HWND tip = dialog()->tooltipy.okno_tipu;
  // Most controls have the string of their own id as their tip.
  const int poradi[][2] = {
      {IDC_VYCISTIT, IDS_TIP_VYCISTIT},                         {IDC_ZALOHOVAT, IDS_TIP_ZALOHOVAT},
      {IDC_VYCISTIT_A_ZALOHOVAT, IDS_TIP_VYCISTIT_A_ZALOHOVAT},             {IDC_ODEBRAT_SLOZKU, IDC_ODEBRAT_SLOZKU},
      {IDC_ODEBRAT_SOUBOR, IDC_ODEBRAT_SOUBOR},      {IDC_PRIDAT_SLOZKU, IDC_PRIDAT_SLOZKU},
      {IDC_PRIDAT_SOUBOR, IDC_PRIDAT_SOUBOR},        {IDC_VYCHOZI_SLOZKY, IDS_TIP_VYCHOZI_SLOZKY},
      {IDC_VYCHOZI_SOUBORY, IDS_TIP_VYCHOZI_SOUBORY},                  {IDC_PRIDAT_DATUM, IDC_PRIDAT_DATUM},
      {IDC_ODKAZ_ZDROJ, IDC_ODKAZ_ZDROJ},            {IDC_ODKAZ_CIL, IDC_ODKAZ_CIL},
      {IDC_ODSTRANIT_SLOZKY, IDC_ODSTRANIT_SLOZKY},  {IDC_ODSTRANIT_SOUBORY, IDC_ODSTRANIT_SOUBORY}};
  ASSERT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 14);
  for (int i = 0; i < 14; ++i) {
    TOOLINFOW ti{sizeof ti, 0, nullptr, 0, {}, nullptr, nullptr, 0, nullptr};
    ASSERT_TRUE(SendMessageW(tip, TTM_ENUMTOOLSW, i, reinterpret_cast<LPARAM>(&ti)));
    EXPECT_EQ(ti.uId, reinterpret_cast<UINT_PTR>(prvek(poradi[i][0]))) << i;
    EXPECT_EQ(test::text_tipu(tip, dialog()->hwnd, ti.uId), nacti_text(poradi[i][1])) << poradi[i][0];
  }
  // Long texts wrap at 300 px at 96 DPI, more at a higher DPI (tests/dpi.sh).
  EXPECT_NEAR(SendMessageW(tip, TTM_GETMAXTIPWIDTH, 0, 0), 300 * kestrum::dpi_okna(host()) / 96.0, 1.0);
  SendMessageW(host(), WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(tip)) << "the tooltip window has no owner to take it along";
}

TEST_F(HlavniOkno, OdkazyANabidkaNapovedyFungujiIBehemOperace)
{
  CoInitialize(nullptr);
  vytvor();
  wchar_t cwd[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, cwd);
  const std::wstring vybrana = test::nova_slozka(L"odkaz");
  g_procedura_dialogu = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(dialog()->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(zaznam_prikazu)));
  HANDLE udalost = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  const std::vector<std::wstring> polozky{L"&Webové stránky", L"", L"&O aplikaci"};
  for (bool bezi : {false, true}) {
    dialog()->vlakno = bezi ? udalost : nullptr;
    SendMessageW(dialog()->hwnd, WM_STAV_OPERACE, 0, 0);
    ASSERT_EQ(IsWindowEnabled(prvek(IDC_ZDROJ)) != FALSE, !bezi);

    // From a link only the exact "current" is the current directory; the chosen folder goes
    // in through nastav_cestu, which checks it.
    SetWindowTextW(prvek(IDC_ZDROJ), L"current");
    dialog()->edit_zdroj.cesta_platna = false;
    test::obsluha_oken vyber(vybrana);
    klikni(prvek(IDC_ODKAZ_ZDROJ), vyber);
    ASSERT_EQ(vyber.vybery.size(), 1u);
    EXPECT_TRUE(test::stejna_cesta(vyber.vybery[0].stav, cwd));
    EXPECT_EQ(vyber.vybery[0].vlastnik, host()) << "the main window waits, as for the \"...\" button";
    EXPECT_TRUE(test::stejna_cesta(test::text_okna(prvek(IDC_ZDROJ)), vybrana));
    EXPECT_TRUE(dialog()->edit_zdroj.cesta_platna);

    // An item without a path counts as cancelled: nothing changes.
    SetWindowTextW(prvek(IDC_CIL), L"CURRENT");
    test::obsluha_oken bez_cesty(test::MUJ_POCITAC);
    klikni(prvek(IDC_ODKAZ_CIL), bez_cesty);
    ASSERT_EQ(bez_cesty.vybery.size(), 1u);
    EXPECT_FALSE(test::stejna_cesta(bez_cesty.vybery[0].stav, cwd));
    EXPECT_EQ(test::text_okna(prvek(IDC_CIL)), L"CURRENT");

    // The drop-down: menu 105; a chosen item arrives as its command, Escape sends none.
    const struct {
      wchar_t klavesa;
      std::vector<WORD> prikazy;
    } volby[] = {{L'o', {IDM_O_APLIKACI}}, {L'w', {IDM_WEB}}, {L'\0', {}}};
    for (const auto& v : volby) {
      g_prikazy.clear();
      test::obsluha_oken o(L"", v.klavesa);
      klikni(prvek(IDC_NAPOVEDA), o, true);
      MSG m;
      while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
      ASSERT_EQ(o.nabidky.size(), 1u);
      EXPECT_EQ(o.nabidky[0], polozky);
      EXPECT_EQ(g_prikazy, v.prikazy);
    }
  }
  EXPECT_EQ(n->slozka, L"C:\\zdroj") << "the settings take the paths only at close";
  dialog()->vlakno = nullptr;
  SetWindowLongPtrW(dialog()->hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_procedura_dialogu));
  CloseHandle(udalost);
  CoUninitialize();
}
