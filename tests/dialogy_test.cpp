// The text input, preferences and about dialogs from the real templates, run on a thread of
// their own and driven from the test through messages; the pure pieces behind them.
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include <thread>
#include "frame/aplikace.h"
#include "frame/hlavni_okno.h"
#include "frame/meritko.h"
#include "res/resource.h"
#include "tests/podpora/aplikace_test.h"
#include "tests/podpora/podpora.h"
#include "tests/podpora/texty.h"
#include "ui/dlg_hlavni.h"
#include "ui/dlg_nastaveni.h"
#include "ui/dlg_program_info.h"
#include "ui/dlg_vstup_textu.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

namespace {

// Runs a modal dialog on another thread, hands its window to `obsluha` (which leaves it, or
// it is cancelled) and returns the dialog's result.
INT_PTR spust_dialog(const std::function<INT_PTR()>& spust, const wchar_t* titulek,
                     const std::function<void(HWND)>& obsluha)
{
  INT_PTR vysledek = -5;
  std::thread vlakno([&] { vysledek = spust(); });
  HWND d = test::cekej_na_dialog(GetCurrentProcessId(), titulek);
  if (d) obsluha(d);
  EXPECT_NE(d, nullptr) << test::utf8(titulek);
  if (IsWindow(d)) PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  vlakno.join();
  return vysledek;
}

void klikni(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void vloz_ze_schranky(HWND edit, const std::wstring& text)
{
  OpenClipboard(nullptr);
  EmptyClipboard();
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 2 * (text.size() + 1));
  memcpy(GlobalLock(g), text.c_str(), 2 * (text.size() + 1));
  GlobalUnlock(g);
  SetClipboardData(CF_UNICODETEXT, g);
  CloseClipboard();
  SendMessageW(edit, WM_PASTE, 0, 0);
}

} // namespace

TEST(VstupTextu, TitulekVyzvaALimitPriPsaniIVlozeni)
{
  test::s_aplikaci aplikace;
  std::wstring text = L"puvodni", titulek, vyzva, pocatecni;
  size_t napsano = 0, vlozeno = 0;
  auto vejde = ::testing::AssertionFailure();
  auto r = spust_dialog([&] { return INT_PTR{zadej_text(text, L"Zadej název")}; }, L"Tesvarin", [&](HWND d) {
    HWND edit = GetDlgItem(d, IDC_VSTUP_TEXT);
    titulek = test::text_okna(d);
    vyzva = test::text_okna(GetDlgItem(d, IDC_VSTUP_VYZVA));
    pocatecni = test::text_okna(edit);
    vejde = test::texty_se_vejdou(d);
    SetWindowTextW(edit, L"");
    test::napis(edit, std::wstring(300, L'a'));
    napsano = test::text_okna(edit).size();
    SetWindowTextW(edit, L"");
    vloz_ze_schranky(edit, std::wstring(300, L'b'));
    vlozeno = test::text_okna(edit).size();
    klikni(d, IDOK);
  });
  EXPECT_EQ(titulek, L"Tesvarin");
  EXPECT_EQ(vyzva, L"Zadej název");
  EXPECT_EQ(pocatecni, L"puvodni");
  EXPECT_TRUE(vejde);
  EXPECT_EQ(napsano, 260u);
  EXPECT_EQ(vlozeno, 260u);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(text, std::wstring(260, L'b'));
}

TEST(CisteCasti, FormatyVerzeABarvy)
{
  const int index[] = {/*0*/ 1, /*1*/ 0, /*2*/ 3, /*3*/ 1, /*4*/ 4, /*5*/ 2, /*6*/ 1};
  for (LONG kod = 0; kod <= 6; ++kod) EXPECT_EQ(index_formatu(kod), index[kod]) << kod;
  EXPECT_EQ(text_verze(65535, 0, 65535, 32768), L"65535.0.65535.32768");
  EXPECT_EQ(radek_verze(L"1.0.0.2", 32), L"verze: 1.0.0.2  (32-bitová verze)");
  EXPECT_EQ(radek_verze(L"1.0.0.2", 64), L"verze: 1.0.0.2  (64-bitová verze)");
  EXPECT_EQ(cesta_copyright(0x0405, 0x04B0), L"\\StringFileInfo\\040504b0\\LegalCopyright");
  EXPECT_EQ(barva_nazvu(RGB(0, 0, 0)), RGB(160, 0, 0));
  EXPECT_EQ(barva_nazvu(RGB(0, 0, 1)), RGB(0, 0, 1));
}

TEST(Predvolby, StavOkACancel)
{
  test::soukromy_registr registr;
  test::s_aplikaci aplikace;
  auto* n = new nastaveni;
  g_nastaveni.nastav(n);
  struct {
    const char* co;
    DWORD param;
    LONG vypis_casu;
    bool zaskrtnuto;
    LRESULT vyber;
    int zvolit;    // index to choose, -1: none
    bool prepnout; // click the check box
    int tlacitko;
    DWORD param_po;
    LONG vypis_casu_po;
  } pripady[] = {
      {"defaults, changed and cancelled", 3, 3, true, 1, 4, true, IDCANCEL, 3, 3},
      {"code 2 shows index 3; index 2 stores 5", 2, 2, true, 3, 2, false, IDOK, 2, 5},
      {"unchecking keeps bit 0", 3, 4, true, 4, -1, true, IDOK, 1, 4},
      {"checking keeps bit 0 clear", 0, 1, false, 0, -1, true, IDOK, 2, 1},
      {"an unknown stored code opens and stores 3", 1, 9, false, 1, -1, false, IDOK, 1, 3},
  };
  for (const auto& p : pripady) {
    *n = nastaveni{L"C:\\zdroj", L"Z:\\cil", p.param, p.vypis_casu, 1};
    bool zaskrtnuto = false;
    LRESULT vyber = -5;
    std::vector<LRESULT> kody;
    auto vejde = ::testing::AssertionFailure();
    dlg_nastaveni dialog;
    spust_dialog([&] { return dialog.zobraz_modalne(IDD_NASTAVENI, nullptr); }, L"Předvolby - Tesvarin",
                 [&](HWND d) {
                   zaskrtnuto = IsDlgButtonChecked(d, IDC_SMAZAT_STARY_CIL) == BST_CHECKED;
                   vyber = SendDlgItemMessageW(d, IDC_FORMAT_DATA, CB_GETCURSEL, 0, 0);
                   for (int i = 0; i < 5; ++i) kody.push_back(SendDlgItemMessageW(d, IDC_FORMAT_DATA, CB_GETITEMDATA, i, 0));
                   vejde = test::texty_se_vejdou(d);
                   if (p.zvolit >= 0) SendDlgItemMessageW(d, IDC_FORMAT_DATA, CB_SETCURSEL, p.zvolit, 0);
                   if (p.prepnout) klikni(d, IDC_SMAZAT_STARY_CIL);
                   klikni(d, p.tlacitko);
                 });
    EXPECT_EQ(zaskrtnuto, p.zaskrtnuto) << p.co;
    EXPECT_EQ(vyber, p.vyber) << p.co;
    EXPECT_EQ(kody, (std::vector<LRESULT>{1, 3, 5, 2, 4})) << p.co;
    EXPECT_TRUE(vejde) << p.co;
    EXPECT_EQ(n->param, p.param_po) << p.co;
    EXPECT_EQ(n->vypis_casu, p.vypis_casu_po) << p.co;
    // OK writes all five values, Cancel none.
    const bool ok = p.tlacitko == IDOK;
    EXPECT_EQ(test::cislo_hodnoty(L"param"), ok ? p.param_po : 0xDEAD) << p.co;
    EXPECT_EQ(test::cislo_hodnoty(L"vypis_casu"), ok ? DWORD(p.vypis_casu_po) : 0xDEAD) << p.co;
    EXPECT_EQ(test::cislo_hodnoty(L"vypis"), ok ? 1u : 0xDEAD) << p.co;
    EXPECT_EQ(test::text_hodnoty(L"slozka"), ok ? L"C:\\zdroj" : L"<none>") << p.co;
    EXPECT_EQ(test::text_hodnoty(L"slozka_cil"), ok ? L"Z:\\cil" : L"<none>") << p.co;
    test::smaz_klic(L"Software\\Kestrum");
  }
  g_nastaveni.zrus();
}

TEST(OAplikaci, TextyBarvyOdkazyATipy)
{
  test::s_aplikaci aplikace;
  dlg_program_info dialog;
  std::wstring t[5], tip_web, tip_email;
  LONG styl = 0;
  bool cervena = false, zelena = false, bile_pozadi = false;
  double vyska_nazvu = 0;
  auto vejde = ::testing::AssertionFailure();
  spust_dialog([&] { return dialog.zobraz_modalne(IDD_PROGRAM_INFO, nullptr); }, L"O aplikaci Tesvarin", [&](HWND d) {
    const int ids[5] = {IDC_INFO_NAZEV, IDC_INFO_VERZE, IDC_INFO_COPYRIGHT, IDC_INFO_WEB, IDC_INFO_EMAIL};
    for (int i = 0; i < 5; ++i) t[i] = test::text_okna(GetDlgItem(d, ids[i]));
    HWND tipy = dialog.tooltipy.okno_tipu;
    tip_web = test::text_tipu(tipy, d, reinterpret_cast<UINT_PTR>(GetDlgItem(d, IDC_INFO_WEB)));
    tip_email = test::text_tipu(tipy, d, reinterpret_cast<UINT_PTR>(GetDlgItem(d, IDC_INFO_EMAIL)));
    styl = GetWindowLongW(GetDlgItem(d, IDC_INFO_NAZEV), GWL_STYLE);
    vejde = test::texty_se_vejdou(d);
    LOGFONTW lf{};
    GetObjectW(dialog.pismo_nazvu->font.get(), sizeof lf, &lf);
    vyska_nazvu = -lf.lfHeight * 96.0 / kestrum::dpi_okna(d);

    // The name drawn into a bitmap as the dialog draws it on screen, and the colours that the
    // version line's static asks for.
    HDC ekran = GetDC(nullptr), dc = CreateCompatibleDC(ekran);
    HBITMAP bmp = CreateCompatibleBitmap(ekran, 200, 40);
    ReleaseDC(nullptr, ekran);
    HGDIOBJ stara = SelectObject(dc, bmp);
    DRAWITEMSTRUCT di{ODT_STATIC, IDC_INFO_NAZEV, 0, ODA_DRAWENTIRE, 0, GetDlgItem(d, IDC_INFO_NAZEV), dc, {0, 0, 200, 40}, 0};
    SendMessageW(d, WM_DRAWITEM, IDC_INFO_NAZEV, reinterpret_cast<LPARAM>(&di));
    for (int y = 0; y < 40 && !cervena; ++y)
      for (int x = 0; x < 200 && !cervena; ++x) cervena = GetPixel(dc, x, y) == RGB(160, 0, 0);
    bile_pozadi = SendMessageW(d, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                               reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_INFO_VERZE))) ==
                  reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    zelena = GetTextColor(dc) == RGB(0, 96, 0);
    SelectObject(dc, stara);
    DeleteObject(bmp);
    DeleteDC(dc);
    klikni(d, IDOK);
  });
  EXPECT_EQ(t[0], L"Tesvarin");
  EXPECT_EQ(styl & (SS_NOTIFY | SS_OWNERDRAW), SS_NOTIFY | SS_OWNERDRAW);
  EXPECT_TRUE(cervena) << "the name in dark red (the window text is black here)";
  EXPECT_NEAR(vyska_nazvu, 20.0, 0.5) << "the name's font in pixels at 96 DPI: it grows with the DPI";
  EXPECT_EQ(t[1], sizeof(void*) == 8 ? L"verze: 1.0.0.2  (64-bitová verze)" : L"verze: 1.0.0.2  (32-bitová verze)")
      << "the build this test runs in";
  EXPECT_TRUE(zelena);
  EXPECT_TRUE(bile_pozadi);
  EXPECT_EQ(t[2], COPYRIGHT_VYROBCE) << "from the version resource";
  EXPECT_EQ(t[3], L"<a>" + std::wstring(WEB_VYROBCE) + L"</a>");
  EXPECT_EQ(t[4], L"<a>" + std::wstring(EMAIL_VYROBCE) + L"</a>");
  EXPECT_EQ(tip_web, L"Zobrazit webové stránky firmy Kestrum");
  EXPECT_EQ(tip_email, L"Odeslat email firmě Kestrum");
  EXPECT_TRUE(vejde);
}

static void CALLBACK vraceno_zpet(HWND, UINT, ULONG_PTR vraceno, LRESULT) { *reinterpret_cast<bool*>(vraceno) = true; }

// From the main window: one preferences and one about box at a time, owned by the host; a
// duplicate name on Add goes to the application's error box.
TEST(DialogyHlavnihoOkna, JedenOdKazdehoAChybovyBox)
{
  test::soukromy_registr registr;
  test::s_aplikaci aplikace;
  test::vytvor_okno_aplikace(L"C:\\zdroj", L"Z:\\cil");
  HWND hlavni = g_hlavni_okno->hlavni_dialog->hwnd;
  struct {
    WORD prikaz;
    const wchar_t* titulek;
  } pripady[] = {{IDC_PREDVOLBY, L"Předvolby - Tesvarin"}, {IDM_O_APLIKACI, L"O aplikaci Tesvarin"}};
  for (const auto& p : pripady) {
    size_t pocet = 0;
    HWND vlastnik = nullptr;
    // The dialog runs inside the command's handler on this thread; another thread drives it.
    std::thread ridic([&] {
      HWND d = test::cekej_na_dialog(GetCurrentProcessId(), p.titulek);
      vlastnik = GetWindow(d, GW_OWNER);
      // The second request returns once the open dialog is brought forward; a second dialog
      // would run a modal loop of its own, and is counted and closed.
      bool vraceno = false;
      SendMessageCallbackW(hlavni, WM_COMMAND, p.prikaz, 0, vraceno_zpet, reinterpret_cast<ULONG_PTR>(&vraceno));
      EXPECT_TRUE(test::pumpuj_dokud([&] { return vraceno || test::dialogy_procesu(GetCurrentProcessId(), p.titulek).size() > 1; }))
          << "the second request neither returned nor opened a dialog";
      auto vsechny = test::dialogy_procesu(GetCurrentProcessId(), p.titulek);
      pocet = vsechny.size();
      for (auto it = vsechny.rbegin(); it != vsechny.rend(); ++it) {
        PostMessageW(*it, WM_COMMAND, IDCANCEL, 0);
        EXPECT_TRUE(test::pumpuj_dokud([&] { return !IsWindow(*it); })) << "a dialog did not close";
      }
    });
    SendMessageW(hlavni, WM_COMMAND, p.prikaz, 0);
    ridic.join();
    EXPECT_EQ(pocet, 1u) << test::utf8(p.titulek);
    EXPECT_EQ(vlastnik, g_hlavni_okno->hwnd);
  }
  EXPECT_FALSE(g_dlg_nastaveni || g_dlg_info) << "the holders are empty afterwards";

  std::thread ridic([&] {
    HWND d = test::cekej_na_dialog(GetCurrentProcessId(), L"Tesvarin", IDC_VSTUP_TEXT);
    test::napis(GetDlgItem(d, IDC_VSTUP_TEXT), L"DEBUG");
    klikni(d, IDOK);
  });
  SendMessageW(hlavni, WM_COMMAND, IDC_PRIDAT_SLOZKU, 0);
  ridic.join();
  auto zpravy = aplikace.a->precti();
  ASSERT_EQ(zpravy.size(), 1u);
  EXPECT_EQ(zpravy[0].text, L"Zadaná složka je již v seznamu");
  EXPECT_EQ(zpravy[0].priznaky & MB_ICONMASK, UINT{MB_ICONERROR});
  EXPECT_EQ(g_seznamy->slozky.size(), 3u);
  test::zrus_okno_aplikace();
}
