// The text input, preferences and about dialogs, run from the real templates on a thread of
// their own and driven from the test through messages; the pure pieces behind them.
#include <gtest/gtest.h>
#include <windows.h>
#include <functional>
#include <string>
#include <thread>
#include <utility>
#include "frame/aplikace.h"
#include "frame/hlavni_okno.h"
#include "ui/dlg_hlavni.h"
#include "res/resource.h"
#include "tests/podpora/aplikace_test.h"
#include "tests/podpora/podpora.h"
#include "tests/podpora/texty.h"
#include "ui/dlg_nastaveni.h"
#include "ui/dlg_program_info.h"
#include "ui/dlg_vstup_textu.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

namespace {

// Runs a modal dialog on a thread of its own, hands its window to `obsluha` and returns the
// dialog's result. A dialog that `obsluha` leaves open is cancelled.
INT_PTR spust_dialog(const std::function<INT_PTR()>& spust, const std::wstring& titulek,
                     const std::function<void(HWND)>& obsluha)
{
  INT_PTR vysledek = -5;
  std::thread vlakno([&] { vysledek = spust(); });
  HWND d = test::cekej_na_dialog(GetCurrentProcessId(), titulek);
  if (d)
    obsluha(d);
  else
    ADD_FAILURE() << "no dialog titled " << test::utf8(titulek);
  if (d && IsWindow(d)) PostMessageW(d, WM_COMMAND, IDCANCEL, 0);
  vlakno.join();
  return vysledek;
}

void klikni(HWND dialog, int id) { SendMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

void do_schranky(const std::wstring& text)
{
  ASSERT_TRUE(OpenClipboard(nullptr));
  EmptyClipboard();
  HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, 2 * (text.size() + 1));
  memcpy(GlobalLock(g), text.c_str(), 2 * (text.size() + 1));
  GlobalUnlock(g);
  SetClipboardData(CF_UNICODETEXT, g);
  CloseClipboard();
}

} // namespace

// --- Text input

TEST(VstupTextu, TitulekVyzvaALimitPriPsaniIVlozeni)
{
  test::s_aplikaci aplikace;
  std::wstring text = L"puvodni";
  std::wstring titulek, vyzva, pocatecni;
  size_t napsano = 0, vlozeno = 0;
  auto vejde = ::testing::AssertionFailure();
  auto r = spust_dialog([&] { return static_cast<INT_PTR>(zadej_text(text, L"Zadej název")); }, L"Tesvarin",
                        [&](HWND d) {
                          titulek = test::text_okna(d);
                          vyzva = test::text_okna(GetDlgItem(d, IDC_VSTUP_VYZVA));
                          vejde = test::texty_se_vejdou(d);
                          HWND edit = GetDlgItem(d, IDC_VSTUP_TEXT);
                          pocatecni = test::text_okna(edit);
                          SetWindowTextW(edit, L"");
                          test::napis(edit, std::wstring(300, L'a'));
                          napsano = test::text_okna(edit).size();
                          SetWindowTextW(edit, L"");
                          do_schranky(std::wstring(300, L'b'));
                          SendMessageW(edit, WM_PASTE, 0, 0);
                          vlozeno = test::text_okna(edit).size();
                          klikni(d, IDOK);
                        });
  EXPECT_EQ(titulek, L"Tesvarin");
  EXPECT_EQ(vyzva, L"Zadej název");
  EXPECT_TRUE(vejde);
  EXPECT_EQ(pocatecni, L"puvodni");
  EXPECT_EQ(napsano, 260u);
  EXPECT_EQ(vlozeno, 260u);
  EXPECT_EQ(r, 0);
  EXPECT_EQ(text, std::wstring(260, L'b'));
}

TEST(VstupTextu, JenOkVraciText)
{
  test::s_aplikaci aplikace;
  struct pripad {
    const char* co;
    int tlacitko; // how the dialog is left: a button id, or 0 for the close box
    const wchar_t* napsat;
    int vysledek;
    const wchar_t* text;
  } pripady[] = {
      {"OK with blanks kept", IDOK, L" debug ", 0, L" debug "},
      {"OK with an empty edit", IDOK, L"", 0, L""},
      {"Cancel after typing", IDCANCEL, L"xyz", 1, L"puvodni"},
      {"the close box", 0, L"xyz", 1, L"puvodni"},
  };
  for (const auto& p : pripady) {
    std::wstring text = L"puvodni";
    auto r = spust_dialog([&] { return static_cast<INT_PTR>(zadej_text(text, L"?")); }, L"Tesvarin",
                          [&](HWND d) {
                            HWND edit = GetDlgItem(d, IDC_VSTUP_TEXT);
                            SetWindowTextW(edit, L"");
                            test::napis(edit, p.napsat);
                            if (p.tlacitko)
                              klikni(d, p.tlacitko);
                            else
                              SendMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0);
                          });
    EXPECT_EQ(r, p.vysledek) << p.co;
    EXPECT_EQ(text, p.text) << p.co;
  }
}

// --- Preferences

TEST(FormatData, IndexPodleKoduANeznamyKodNaVychozi)
{
  const int ocekavano[] = {/*0*/ 1, /*1*/ 0, /*2*/ 3, /*3*/ 1, /*4*/ 4, /*5*/ 2, /*6*/ 1};
  for (LONG kod = 0; kod <= 6; ++kod) EXPECT_EQ(index_formatu(kod), ocekavano[kod]) << kod;
  EXPECT_EQ(index_formatu(-1), 1);
}

class Predvolby : public ::testing::Test {
protected:
  test::soukromy_registr registr;
  test::s_aplikaci aplikace;
  nastaveni* n = new nastaveni;

  void SetUp() override
  {
    n->vychozi_cisla();
    n->slozka = L"C:\\zdroj";
    n->slozka_cil = L"Z:\\cil";
    g_nastaveni.nastav(n);
  }
  void TearDown() override { g_nastaveni.zrus(); }

  struct stav {
    bool zaskrtnuto = false;
    LRESULT vyber = -5;
    ::testing::AssertionResult vejde = ::testing::AssertionFailure();
  };
  // Opens the dialog, reads its state, lets `zmen` act on it and leaves it with `tlacitko`.
  stav spust(int tlacitko, const std::function<void(HWND)>& zmen = nullptr)
  {
    stav s;
    dlg_nastaveni dialog;
    spust_dialog([&] { return dialog.zobraz_modalne(IDD_NASTAVENI, nullptr); }, L"Předvolby - Tesvarin",
                 [&](HWND d) {
                   s.zaskrtnuto = IsDlgButtonChecked(d, IDC_SMAZAT_STARY_CIL) == BST_CHECKED;
                   s.vyber = SendDlgItemMessageW(d, IDC_FORMAT_DATA, CB_GETCURSEL, 0, 0);
                   s.vejde = test::texty_se_vejdou(d);
                   if (zmen) zmen(d);
                   klikni(d, tlacitko);
                 });
    return s;
  }
  static void vyber(HWND d, int index) { SendDlgItemMessageW(d, IDC_FORMAT_DATA, CB_SETCURSEL, index, 0); }
};

TEST_F(Predvolby, VychoziStavSeznamFormatuAZrusitNicNezapise)
{
  std::vector<std::wstring> texty;
  std::vector<LRESULT> kody;
  auto s = spust(IDCANCEL, [&](HWND d) {
    klikni(d, IDC_SMAZAT_STARY_CIL);
    vyber(d, 4);
    HWND combo = GetDlgItem(d, IDC_FORMAT_DATA);
    for (int i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
      std::wstring t(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
      t.resize(static_cast<size_t>(SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(t.data()))));
      texty.push_back(t);
      kody.push_back(SendMessageW(combo, CB_GETITEMDATA, i, 0));
    }
  });
  EXPECT_TRUE(s.zaskrtnuto);
  EXPECT_EQ(s.vyber, 1) << "Datum a čas ve tvaru D.M.R Xh Xm";
  EXPECT_TRUE(s.vejde);
  EXPECT_EQ(texty, (std::vector<std::wstring>{L"Pouze datum", L"Datum a čas ve tvaru D.M.R Xh Xm",
                                               L"Datum a čas ve tvaru D.M.R Xh Xm Xs",
                                               L"Datum a čas ve tvaru D.M.R H-M", L"Datum a čas ve tvaru D.M.R H-M-S"}));
  EXPECT_EQ(kody, (std::vector<LRESULT>{1, 3, 5, 2, 4}));
  EXPECT_EQ(n->param, 3u);
  EXPECT_EQ(n->vypis_casu, 3);
  EXPECT_EQ(test::cislo_hodnoty(L"param"), 0xDEADu) << "Cancel writes nothing";
  EXPECT_EQ(test::cislo_hodnoty(L"vypis_casu"), 0xDEADu);
}

TEST_F(Predvolby, OkZapiseVsechPetHodnotAMeniJenBit1)
{
  struct pripad {
    const char* co;
    DWORD param;
    LONG vypis_casu;
    bool zaskrtnuto;
    LRESULT vyber;
    int zvolit;       // index to choose, -1: leave
    bool prepnout;    // click the check box
    DWORD param_po;
    LONG vypis_casu_po;
  } pripady[] = {
      {"code 2 shows index 3; index 2 stores 5", 2, 2, true, 3, 2, false, 2, 5},
      {"unchecking keeps bit 0", 3, 4, true, 4, -1, true, 1, 4},
      {"checking keeps bit 0 clear", 0, 1, false, 0, -1, true, 2, 1},
      {"an unknown stored code opens and stores 3", 1, 9, false, 1, -1, false, 1, 3},
      {"no change still writes", 3, 3, true, 1, -1, false, 3, 3},
  };
  for (const auto& p : pripady) {
    n->param = p.param;
    n->vypis_casu = p.vypis_casu;
    n->vypis = 1;
    auto s = spust(IDOK, [&](HWND d) {
      if (p.zvolit >= 0) vyber(d, p.zvolit);
      if (p.prepnout) klikni(d, IDC_SMAZAT_STARY_CIL);
    });
    EXPECT_EQ(s.zaskrtnuto, p.zaskrtnuto) << p.co;
    EXPECT_EQ(s.vyber, p.vyber) << p.co;
    EXPECT_EQ(n->param, p.param_po) << p.co;
    EXPECT_EQ(n->vypis_casu, p.vypis_casu_po) << p.co;
    EXPECT_EQ(test::cislo_hodnoty(L"param"), p.param_po) << p.co;
    EXPECT_EQ(test::cislo_hodnoty(L"vypis_casu"), static_cast<DWORD>(p.vypis_casu_po)) << p.co;
    EXPECT_EQ(test::cislo_hodnoty(L"vypis"), 1u) << p.co;
    EXPECT_EQ(test::text_hodnoty(L"slozka"), L"C:\\zdroj") << p.co;
    EXPECT_EQ(test::text_hodnoty(L"slozka_cil"), L"Z:\\cil") << p.co;
    test::smaz_klic(L"Software\\Kestrum");
  }
}

// --- About box

TEST(VerzeAPismo, CisteFormatovani)
{
  EXPECT_EQ(text_verze(1, 0, 0, 2), L"1.0.0.2");
  EXPECT_EQ(text_verze(65535, 0, 65535, 32768), L"65535.0.65535.32768");
  EXPECT_EQ(radek_verze(L"1.0.0.2"), L"verze: 1.0.0.2  (32-bitová verze)");
  EXPECT_EQ(cesta_copyright(0x0405, 0x04B0), L"\\StringFileInfo\\040504b0\\LegalCopyright");
  EXPECT_EQ(barva_nazvu(RGB(0, 0, 0)), RGB(160, 0, 0));
  EXPECT_EQ(barva_nazvu(RGB(0, 0, 1)), RGB(0, 0, 1));
  EXPECT_EQ(barva_nazvu(RGB(255, 255, 255)), RGB(255, 255, 255));
}

TEST(VerzeAPismo, VlastniProstredekVerze)
{
  WORD a = 0, b = 0, c = 0, d = 0;
  ASSERT_EQ(cti_verzi_produktu(a, b, c, d), S_OK);
  EXPECT_EQ(text_verze(a, b, c, d), L"1.0.0.2");
  std::wstring v = L"puvodni";
  ASSERT_EQ(verze_text(v), S_OK);
  EXPECT_EQ(v, L"1.0.0.2");
  std::wstring c_text;
  ASSERT_EQ(cti_copyright(c_text), S_OK);
  EXPECT_EQ(c_text, COPYRIGHT_VYROBCE) << "the version resource carries the maker's notice";
}

namespace {

// Whether any pixel of `dc` in `r` has exactly colour `barva`.
bool ma_barvu(HDC dc, const RECT& r, COLORREF barva)
{
  for (LONG y = r.top; y < r.bottom; ++y)
    for (LONG x = r.left; x < r.right; ++x)
      if (GetPixel(dc, x, y) == barva) return true;
  return false;
}

} // namespace

TEST(OAplikaci, TextyBarvyAOdkazy)
{
  test::s_aplikaci aplikace;
  dlg_program_info dialog;
  std::wstring nazev, verze, copyright, web, email, tip_web, tip_email;
  LONG styl = 0;
  bool cervena = false, zelena_v_dc = false;
  auto vejde = ::testing::AssertionFailure();
  INT_PTR stetec = 0;
  auto r = spust_dialog([&] { return dialog.zobraz_modalne(IDD_PROGRAM_INFO, nullptr); }, L"O aplikaci Tesvarin",
                        [&](HWND d) {
                          HWND h_nazev = GetDlgItem(d, IDC_INFO_NAZEV);
                          nazev = test::text_okna(h_nazev);
                          verze = test::text_okna(GetDlgItem(d, IDC_INFO_VERZE));
                          copyright = test::text_okna(GetDlgItem(d, IDC_INFO_COPYRIGHT));
                          web = test::text_okna(GetDlgItem(d, IDC_INFO_WEB));
                          email = test::text_okna(GetDlgItem(d, IDC_INFO_EMAIL));
                          styl = GetWindowLongW(h_nazev, GWL_STYLE);
                          vejde = test::texty_se_vejdou(d);
                          for (auto [id, tip] : {std::pair{IDC_INFO_WEB, &tip_web}, {IDC_INFO_EMAIL, &tip_email}})
                            *tip = test::text_tipu(dialog.tooltipy.okno_tipu, d,
                                                   reinterpret_cast<UINT_PTR>(GetDlgItem(d, id)));

                          // The name drawn into a bitmap as the dialog draws it on screen.
                          HDC dc = CreateCompatibleDC(nullptr);
                          BITMAPINFO bi{};
                          bi.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, 40, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
                          void* bity = nullptr;
                          HBITMAP bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bity, nullptr, 0);
                          HGDIOBJ stara = SelectObject(dc, bmp);
                          RECT obd{0, 0, 200, 40};
                          FillRect(dc, &obd, GetSysColorBrush(COLOR_WINDOW));
                          DRAWITEMSTRUCT di{};
                          di.CtlType = ODT_STATIC;
                          di.CtlID = IDC_INFO_NAZEV;
                          di.hwndItem = h_nazev;
                          di.hDC = dc;
                          di.rcItem = obd;
                          SendMessageW(d, WM_DRAWITEM, IDC_INFO_NAZEV, reinterpret_cast<LPARAM>(&di));
                          cervena = ma_barvu(dc, obd, barva_nazvu(GetSysColor(COLOR_WINDOWTEXT)));
                          // The version line's colours, asked as the static asks when it paints.
                          SetTextColor(dc, RGB(1, 2, 3));
                          stetec = SendMessageW(d, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                                reinterpret_cast<LPARAM>(GetDlgItem(d, IDC_INFO_VERZE)));
                          zelena_v_dc = GetTextColor(dc) == BARVA_VERZE;
                          SelectObject(dc, stara);
                          DeleteObject(bmp);
                          DeleteDC(dc);
                          klikni(d, IDOK);
                        });
  EXPECT_EQ(r, IDOK);
  EXPECT_EQ(nazev, L"Tesvarin");
  EXPECT_TRUE(vejde);
  EXPECT_EQ(styl & (SS_NOTIFY | SS_OWNERDRAW), SS_NOTIFY | SS_OWNERDRAW);
  EXPECT_TRUE(cervena) << "the name is drawn dark red";
  EXPECT_EQ(verze, L"verze: 1.0.0.2  (32-bitová verze)");
  EXPECT_TRUE(zelena_v_dc);
  EXPECT_EQ(stetec, reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_WINDOW)));
  EXPECT_EQ(copyright, COPYRIGHT_VYROBCE);
  EXPECT_EQ(web, L"<a>" + std::wstring(WEB_VYROBCE) + L"</a>");
  EXPECT_EQ(email, L"<a>" + std::wstring(EMAIL_VYROBCE) + L"</a>");
  EXPECT_EQ(tip_web, L"Zobrazit webové stránky firmy Kestrum");
  EXPECT_EQ(tip_email, L"Odeslat email firmě Kestrum");
}

// --- Opened from the main window: one of each at a time

TEST(DialogyHlavnihoOkna, DruhyPozadavekJenPrivedeOtevrenyDopredu)
{
  test::soukromy_registr registr;
  test::s_aplikaci aplikace;
  test::vytvor_okno_aplikace(L"C:\\zdroj", L"Z:\\cil");
  HWND hlavni = g_hlavni_okno->hlavni_dialog->hwnd;
  ASSERT_NE(hlavni, nullptr);
  struct pripad {
    WORD prikaz;
    const wchar_t* titulek;
    bool (*drzeno)();
  } pripady[] = {
      {IDC_PREDVOLBY, L"Předvolby - Tesvarin", [] { return static_cast<bool>(g_dlg_nastaveni); }},
      {IDM_O_APLIKACI, L"O aplikaci Tesvarin", [] { return static_cast<bool>(g_dlg_info); }},
  };
  for (const auto& p : pripady) {
    size_t pred = 0, po = 0;
    HWND vlastnik = nullptr;
    bool drzeno = false;
    // The dialog runs inside the command's handler on this thread; another thread drives it.
    std::thread ridic([&] {
      HWND d = test::cekej_na_dialog(GetCurrentProcessId(), p.titulek);
      pred = test::dialogy_procesu(GetCurrentProcessId(), p.titulek).size();
      vlastnik = GetWindow(d, GW_OWNER);
      drzeno = p.drzeno();
      // A second dialog would run in its own modal loop: the send then times out.
      DWORD_PTR r = 0;
      SendMessageTimeoutW(hlavni, WM_COMMAND, p.prikaz, 0, SMTO_NORMAL, 3000, &r);
      auto vsechny = test::dialogy_procesu(GetCurrentProcessId(), p.titulek);
      po = vsechny.size();
      for (auto it = vsechny.rbegin(); it != vsechny.rend(); ++it) {
        PostMessageW(*it, WM_COMMAND, IDCANCEL, 0);
        Sleep(200);
      }
    });
    SendMessageW(hlavni, WM_COMMAND, p.prikaz, 0);
    ridic.join();
    EXPECT_EQ(pred, 1u) << test::utf8(p.titulek);
    EXPECT_EQ(po, 1u) << test::utf8(p.titulek);
    EXPECT_EQ(vlastnik, g_hlavni_okno->hwnd) << "owned by the main dialog's window";
    EXPECT_TRUE(drzeno);
    EXPECT_FALSE(p.drzeno()) << "the holder is empty afterwards";
  }
  test::zrus_okno_aplikace();
}

TEST(DialogyHlavnihoOkna, DuplicitaHlasiChybovymBoxemAplikace)
{
  test::soukromy_registr registr;
  test::s_aplikaci aplikace;
  test::vytvor_okno_aplikace(L"C:\\zdroj", L"Z:\\cil");
  HWND hlavni = g_hlavni_okno->hlavni_dialog->hwnd;
  HWND vlastnik = nullptr;
  std::thread ridic([&] {
    HWND d = test::cekej_na_dialog(GetCurrentProcessId(), L"Tesvarin", IDC_VSTUP_TEXT);
    vlastnik = GetWindow(d, GW_OWNER);
    test::napis(GetDlgItem(d, IDC_VSTUP_TEXT), L"DEBUG");
    klikni(d, IDOK);
  });
  SetActiveWindow(g_hlavni_okno->hwnd);
  SendMessageW(hlavni, WM_COMMAND, IDC_PRIDAT_SLOZKU, 0);
  ridic.join();
  EXPECT_EQ(vlastnik, g_hlavni_okno->hwnd) << "owned by the active window";
  auto zpravy = aplikace.a->precti();
  ASSERT_EQ(zpravy.size(), 1u);
  EXPECT_EQ(zpravy[0].text, L"Zadaná složka je již v seznamu");
  EXPECT_EQ(zpravy[0].priznaky & MB_ICONMASK, static_cast<UINT>(MB_ICONERROR));
  EXPECT_EQ(g_seznamy->slozky, (std::vector<std::wstring>{L"debug", L"ipch", L"release"}));
  test::zrus_okno_aplikace();
}
