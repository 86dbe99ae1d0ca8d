// The host window and the main dialog inside it: the clamping rules, creation around the
// dialog, the dialog's set-up and enabling, and what closing and the end of a session save.
// Also the start-up pieces that can be run in a test process.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <objbase.h>
#include <thread>
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "frame/hlavni_okno.h"
#include "frame/meritko.h"
#include "frame/registr.h"
#include "res/resource.h"
#include "tests/podpora/aplikace_test.h"
#include "tests/podpora/ovladani.h"
#include "tests/podpora/podpora.h"
#include "tests/podpora/texty.h"
#include "ui/dlg_hlavni.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

namespace {

RECT obdelnik(LONG l, LONG t, LONG r, LONG b) { return RECT{l, t, r, b}; }


} // namespace

TEST(OmezObdelnik, PravidlaVPoradi)
{
  const RECT wa = obdelnik(0, 0, 1280, 1000);
  struct pripad {
    const char* co;
    RECT r;
    bool posun;
    LONG x, y;
  } pripady[] = {
      {"inside", obdelnik(100, 100, 500, 400), false, 100, 100},
      {"5 px left of the work area", obdelnik(-5, 100, 395, 400), true, 0, 100},
      {"30 px past the right edge", obdelnik(910, 100, 1310, 400), true, 880, 100},
      {"1 px past the right edge", obdelnik(881, 100, 1281, 400), true, 880, 100},
      {"1 px past the bottom", obdelnik(100, 701, 500, 1001), true, 100, 700},
      {"above the top", obdelnik(100, -20, 500, 280), true, 100, 0},
      {"30 px below the bottom", obdelnik(100, 730, 500, 1030), true, 100, 700},
      {"larger than the work area", obdelnik(-50, -50, 1400, 1100), true, 0, 0},
      {"larger, lying right of it", obdelnik(300, 200, 1700, 1300), true, 0, 0},
      {"on a monitor no longer there", obdelnik(5000, 4000, 5400, 4300), true, 880, 700},
      {"zero size beyond the right edge", obdelnik(1275, 995, 1275, 995), true, 1270, 990},
      {"flush with the bottom right", obdelnik(880, 700, 1280, 1000), false, 880, 700},
      {"extreme coordinates", obdelnik(INT_MIN, INT_MIN, INT_MAX, INT_MAX), true, 0, 0},
      {"extreme far corner", obdelnik(INT_MAX - 5, INT_MAX - 5, INT_MAX, INT_MAX), true, 1275, 995},
  };
  for (const auto& p : pripady) {
    POINT bod{-1, -1};
    EXPECT_EQ(omez_obdelnik(p.r, wa, bod), p.posun) << p.co;
    EXPECT_EQ(bod.x, p.x) << p.co;
    EXPECT_EQ(bod.y, p.y) << p.co;
  }

  // A work area left of the primary monitor.
  const RECT vlevo = obdelnik(-1920, 0, 0, 1080);
  POINT bod{};
  EXPECT_TRUE(omez_obdelnik(obdelnik(-1925, 10, -1525, 310), vlevo, bod));
  EXPECT_EQ(bod.x, -1920);
  EXPECT_EQ(bod.y, 10);
  EXPECT_TRUE(omez_obdelnik(obdelnik(-300, 10, 100, 310), vlevo, bod));
  EXPECT_EQ(bod.x, -400);
}

TEST(OmezNaMonitor, SkutecneOknoSeVratiNaPracovniPlochu)
{
  hlavni_okno h;
  h.hwnd = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, instance, nullptr);
  ASSERT_NE(h.hwnd, nullptr);
  const RECT wa = test::pracovni_plocha(h.hwnd);
  const LONG w = 300, v = 200;
  struct pripad {
    const char* co;
    LONG x, y;     // placed here
    LONG ox, oy;   // expected afterwards
  } pripady[] = {
      {"inside", wa.left + 40, wa.top + 50, wa.left + 40, wa.top + 50},
      {"5 px left", wa.left - 5, wa.top + 50, wa.left, wa.top + 50},
      {"30 px past the right edge", wa.right - w + 30, wa.top + 50, wa.right - w, wa.top + 50},
      {"monitor no longer there", wa.right + 3000, wa.bottom + 2000, wa.right - w, wa.bottom - v},
      {"far up left", wa.left - 4000, wa.top - 3000, wa.left, wa.top},
  };
  for (const auto& p : pripady) {
    ASSERT_TRUE(SetWindowPos(h.hwnd, nullptr, p.x, p.y, 0, 0, SWP_NOZORDER | SWP_NOSIZE | SWP_NOACTIVATE));
    h.omez_na_monitor();
    RECT r = test::obdelnik_okna(h.hwnd);
    EXPECT_EQ(r.left, p.ox) << p.co;
    EXPECT_EQ(r.top, p.oy) << p.co;
  }

  // Larger than the work area: aligned to its left and top edges.
  ASSERT_TRUE(SetWindowPos(h.hwnd, nullptr, wa.left + 20, wa.top + 20, wa.right - wa.left + 100,
                           wa.bottom - wa.top + 100, SWP_NOZORDER | SWP_NOACTIVATE));
  h.omez_na_monitor();
  RECT r = test::obdelnik_okna(h.hwnd);
  EXPECT_EQ(r.left, wa.left);
  EXPECT_EQ(r.top, wa.top);
}

// --- Start-up pieces.

TEST_DITE(spust_com_uz_bezi)
{
  CoInitialize(nullptr); // the program's own CoInitialize then answers S_FALSE
  g_aplikace.nastav(new test::aplikace_test);
  app().spust();
}

TEST(Spust, ComInicializovanyPredemJeFatalni)
{
  auto v = test::spust_dite(L"spust_com_uz_bezi");
  ASSERT_FALSE(v.vyprsel);
  EXPECT_EQ(v.kod, 1u);
  ASSERT_EQ(v.boxy.size(), 1u);
  EXPECT_EQ(v.boxy[0].titulek, L"Error");
}

TEST(Spust, UvolniDvakratUvolniKazdouVecJednou)
{
  test::aplikace_test a;
  a.spust_gdiplus();
  const ULONG_PTR token = a.gdiplus_token;
  EXPECT_NE(token, 0u);
  a.spust_gdiplus();
  EXPECT_EQ(a.gdiplus_token, token) << "GDI+ is started once";
  a.nacti_ikony();
  ASSERT_NE(a.ikona_velka, nullptr);
  ASSERT_NE(a.ikona_mala, nullptr);
  ICONINFO ii{};
  ASSERT_TRUE(GetIconInfo(a.ikona_mala, &ii));
  BITMAP bm{};
  GetObjectW(ii.hbmColor ? ii.hbmColor : ii.hbmMask, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, GetSystemMetrics(SM_CXSMICON));
  if (ii.hbmColor) DeleteObject(ii.hbmColor);
  if (ii.hbmMask) DeleteObject(ii.hbmMask);

  a.uvolni();
  EXPECT_EQ(a.ikona_velka, nullptr);
  EXPECT_EQ(a.ikona_mala, nullptr);
  EXPECT_EQ(a.gdiplus_token, 0u);
  a.uvolni(); // and the destructor a third time: nothing left, nothing fatal
}

// --- The host window with the real main dialog, on a private registry.

namespace {

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

std::vector<std::wstring> polozky(HWND lb)
{
  std::vector<std::wstring> v;
  LRESULT n = SendMessageW(lb, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < n; ++i) {
    std::wstring s(static_cast<size_t>(SendMessageW(lb, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    s.resize(static_cast<size_t>(SendMessageW(lb, LB_GETTEXT, i, reinterpret_cast<LPARAM>(s.data()))));
    v.push_back(s);
    EXPECT_EQ(SendMessageW(lb, LB_GETITEMDATA, i, 0), i) << "item data is the index in the list";
  }
  return v;
}

} // namespace

TEST_F(HlavniOkno, OknoObepinaDialogANemeniVelikost)
{
  vytvor();
  ASSERT_TRUE(IsWindowVisible(host()));
  wchar_t b[64] = {};
  GetClassNameW(host(), b, 64);
  EXPECT_STREQ(b, L"tesvarin");
  EXPECT_EQ(test::text_okna(host()), L"Tesvarin");
  const LONG styl = GetWindowLongW(host(), GWL_STYLE);
  EXPECT_EQ(styl & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(styl & WS_MINIMIZEBOX);
  EXPECT_FALSE(styl & WS_MAXIMIZEBOX);
  EXPECT_FALSE(styl & WS_THICKFRAME);

  RECT klient{}, d = test::obdelnik_okna(dialog()->hwnd);
  GetClientRect(host(), &klient);
  EXPECT_EQ(klient.right, d.right - d.left);
  EXPECT_EQ(klient.bottom, d.bottom - d.top);
  POINT p{0, 0};
  ClientToScreen(host(), &p);
  EXPECT_EQ(d.left, p.x);
  EXPECT_EQ(d.top, p.y);
  EXPECT_TRUE(IsWindowVisible(dialog()->hwnd));

  // The key exists (the lists were saved) but holds no placement: top-left of the work area.
  const RECT wa = test::pracovni_plocha(host());
  RECT r = test::obdelnik_okna(host());
  EXPECT_EQ(r.left, wa.left);
  EXPECT_EQ(r.top, wa.top);
}

TEST_F(HlavniOkno, BezKliceZustavaKdeJiSystemDalANeniNahore)
{
  HWND vzor = CreateWindowExW(0, L"STATIC", L"", WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  const RECT rv = test::obdelnik_okna(vzor);
  DestroyWindow(vzor);
  vytvor(false);
  EXPECT_FALSE(klic_existuje()) << "creating the window only reads";
  EXPECT_FALSE(GetWindowLongW(host(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT r = test::obdelnik_okna(host());
  EXPECT_EQ(r.left, rv.left);
  EXPECT_EQ(r.top, rv.top);
}

TEST_F(HlavniOkno, DialogUkazujeNastaveniASeznamy)
{
  vytvor();
  EXPECT_EQ(test::text_okna(prvek(IDC_ZDROJ)), L"C:\\zdroj");
  EXPECT_EQ(test::text_okna(prvek(IDC_CIL)), L"Z:\\cil");
  EXPECT_EQ(IsDlgButtonChecked(dialog()->hwnd, IDC_PRIDAT_DATUM), BST_CHECKED);
  EXPECT_EQ(dialog()->lb_vypis, prvek(IDC_VYPIS));
  EXPECT_EQ(dialog()->lb_soubory, prvek(IDC_SOUBORY));
  EXPECT_EQ(dialog()->lb_slozky, prvek(IDC_SLOZKY));
  EXPECT_EQ(polozky(prvek(IDC_SOUBORY)), g_seznamy->soubory);
  EXPECT_EQ(polozky(prvek(IDC_SLOZKY)), g_seznamy->slozky);
  EXPECT_EQ(g_seznamy->soubory.size(), 6u);
  EXPECT_EQ(SendMessageW(prvek(IDC_SOUBORY), LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessageW(prvek(IDC_SLOZKY), LB_GETCURSEL, 0, 0), 0);
  EXPECT_EQ(SendMessageW(prvek(IDC_VYPIS), LB_GETCOUNT, 0, 0), 0);
  for (int id : {IDC_ODEBRAT_SOUBOR, IDC_ODEBRAT_SLOZKU, IDC_VYCISTIT, IDC_ZDROJ, IDC_PRIDAT_DATUM})
    EXPECT_TRUE(IsWindowEnabled(prvek(id))) << id;
  // The edits are bound to their objects.
  EXPECT_EQ(dialog()->edit_zdroj.hwnd, prvek(IDC_ZDROJ));
  EXPECT_EQ(dialog()->edit_cil.hwnd, prvek(IDC_CIL));
}

TEST_F(HlavniOkno, TextySeVejdou)
{
  vytvor();
  EXPECT_TRUE(test::texty_se_vejdou(dialog()->hwnd));
  // tests/dpi.sh names the DPI that it gave the prefix: the one the window has.
  if (const char* dpi = std::getenv("TESVARIN_DPI")) {
    EXPECT_EQ(kestrum::dpi_okna(host()), std::strtoul(dpi, nullptr, 10));
  }
}

TEST_F(HlavniOkno, FokusSeVraciPoPrepnutiAObnoveni)
{
  vytvor();
  // The window told directly what the system tells it, so that no other program's window
  // on the display is involved. Left for another window (Alt+Tab) and active again:
  SetFocus(prvek(IDC_SOUBORY));
  SendMessageW(host(), WM_ACTIVATE, WA_INACTIVE, 0);
  SetFocus(nullptr);
  SendMessageW(host(), WM_ACTIVATE, WA_ACTIVE, 0);
  EXPECT_EQ(GetFocus(), prvek(IDC_SOUBORY));
  // Minimised (the window itself takes the focus from its control) and restored:
  SetFocus(prvek(IDC_PRIDAT_DATUM));
  SendMessageW(host(), WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, TRUE), 0);
  SetFocus(host());
  EXPECT_EQ(GetFocus(), prvek(IDC_PRIDAT_DATUM));
}

TEST_F(HlavniOkno, ZaskrtnutiDatumuMeniParametrHned)
{
  n->param = param_smazat_stary_cil;
  vytvor();
  HWND d = dialog()->hwnd;
  EXPECT_EQ(IsDlgButtonChecked(d, IDC_PRIDAT_DATUM), BST_UNCHECKED);
  SendMessageW(prvek(IDC_PRIDAT_DATUM), BM_CLICK, 0, 0);
  EXPECT_EQ(n->param, param_smazat_stary_cil | param_pridat_datum);
  SendMessageW(prvek(IDC_PRIDAT_DATUM), BM_CLICK, 0, 0);
  EXPECT_EQ(n->param, param_smazat_stary_cil);
  EXPECT_EQ(test::cislo_hodnoty(L"param"), 0xDEADu) << "a click reaches the registry only at close";

  // Only the click counts: another notification with the box checked changes nothing.
  CheckDlgButton(d, IDC_PRIDAT_DATUM, BST_CHECKED);
  SendMessageW(d, WM_COMMAND, MAKEWPARAM(IDC_PRIDAT_DATUM, BN_SETFOCUS),
               reinterpret_cast<LPARAM>(prvek(IDC_PRIDAT_DATUM)));
  EXPECT_EQ(n->param, param_smazat_stary_cil);
}

TEST_F(HlavniOkno, PovoleniOvladaniPodleBehuASeznamu)
{
  vytvor();
  const int vzdy[] = {IDC_VYPIS, IDC_SOUBORY, IDC_SLOZKY, IDC_NAPOVEDA, IDC_ODKAZ_ZDROJ, IDC_ODKAZ_CIL};
  HANDLE udalost = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  dialog()->vlakno = udalost;
  SendMessageW(dialog()->hwnd, WM_STAV_OPERACE, 0, 0);
  for (int id : test::OVLADANI) EXPECT_FALSE(IsWindowEnabled(prvek(id))) << id;
  for (int id : vzdy) EXPECT_TRUE(IsWindowEnabled(prvek(id))) << id;

  // The end of an operation with an empty file list: its "Odebrat" stays disabled.
  g_seznamy->soubory.clear();
  dialog()->vlakno = nullptr;
  SendMessageW(dialog()->hwnd, WM_STAV_OPERACE, 0, 0);
  for (int id : test::OVLADANI) EXPECT_EQ(IsWindowEnabled(prvek(id)) != FALSE, id != IDC_ODEBRAT_SOUBOR) << id;
  CloseHandle(udalost);
}

TEST_F(HlavniOkno, NaplneniSeznamuVPoradiSVyberemPrvni)
{
  vytvor();
  g_seznamy->soubory.clear();
  dialog()->napln_soubory();
  EXPECT_EQ(SendMessageW(prvek(IDC_SOUBORY), LB_GETCOUNT, 0, 0), 0);
  EXPECT_FALSE(IsWindowEnabled(prvek(IDC_ODEBRAT_SOUBOR)));

  g_seznamy->slozky = {L"zeta", L"Alfa", L"beta", L"gama"};
  dialog()->napln_slozky();
  EXPECT_EQ(polozky(prvek(IDC_SLOZKY)), g_seznamy->slozky) << "no sorting";
  EXPECT_EQ(SendMessageW(prvek(IDC_SLOZKY), LB_GETCURSEL, 0, 0), 0);
  EXPECT_TRUE(IsWindowEnabled(prvek(IDC_ODEBRAT_SLOZKU)));
}

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

  umisteni_okna u{};
  ASSERT_TRUE(test::umisteni_hodnoty(&u));
  EXPECT_EQ(u.left, r.left);
  EXPECT_EQ(u.top, r.top);
  EXPECT_EQ(u.right, r.right);
  EXPECT_EQ(u.bottom, r.bottom);
  EXPECT_EQ(u.topmost, 0);
  EXPECT_EQ(u.vypln[0] | u.vypln[1] | u.vypln[2], 0);

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

TEST_F(HlavniOkno, TextEdituJdeCistZJinehoVlakna)
{
  vytvor();
  SetWindowTextW(prvek(IDC_CIL), L"Z:\\čtení z vlákna");
  std::wstring precteno;
  HANDLE hotovo = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread t([&] {
    precteno = dialog()->text_editu(IDC_CIL);
    SetEvent(hotovo);
  });
  // The reading thread waits for this thread to answer its sent messages.
  DWORD w;
  while ((w = MsgWaitForMultipleObjects(1, &hotovo, FALSE, 10000, QS_ALLINPUT)) == WAIT_OBJECT_0 + 1) {
    MSG m;
    while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&m);
  }
  t.join();
  CloseHandle(hotovo);
  EXPECT_EQ(w, WAIT_OBJECT_0);
  EXPECT_EQ(precteno, L"Z:\\čtení z vlákna");
}

// Remove with nothing to remove (no selection, which is a state and not a failed call, or
// an item whose index is not in the list): a beep, nothing changes, nothing is saved.
TEST_F(HlavniOkno, OdebratBezPlatnehoVyberuNicNezmeni)
{
  vytvor();
  const auto slozky = g_seznamy->slozky;
  HWND lb = prvek(IDC_SLOZKY);
  for (LPARAM data : {LPARAM{-1}, LPARAM{99}}) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, KLIC_APLIKACE, L"mazane_slozky");
    SendMessageW(lb, LB_SETCURSEL, data < 0 ? -1 : 1, 0);
    SendMessageW(lb, LB_SETITEMDATA, 1, data < 0 ? 1 : data);
    SendMessageW(prvek(IDC_ODEBRAT_SLOZKU), BM_CLICK, 0, 0);
    EXPECT_EQ(g_seznamy->slozky, slozky) << data;
    EXPECT_EQ(test::polozky_seznamu(lb), slozky) << data;
    DWORD typ = 0;
    std::vector<BYTE> ulozeno;
    EXPECT_FALSE(test::cti_hodnotu(KLIC_APLIKACE, L"mazane_slozky", typ, ulozeno)) << data;
  }
}

// --- The main dialog's tooltips, its two links and the help drop-down.

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
  // The texts 20008 to 20012 have no names; the others have the number of their control.
  const int poradi[][2] = {
      {IDC_VYCISTIT, 20008},                         {IDC_ZALOHOVAT, 20009},
      {IDC_VYCISTIT_A_ZALOHOVAT, 20010},             {IDC_ODEBRAT_SLOZKU, IDC_ODEBRAT_SLOZKU},
      {IDC_ODEBRAT_SOUBOR, IDC_ODEBRAT_SOUBOR},      {IDC_PRIDAT_SLOZKU, IDC_PRIDAT_SLOZKU},
      {IDC_PRIDAT_SOUBOR, IDC_PRIDAT_SOUBOR},        {IDC_VYCHOZI_SLOZKY, 20011},
      {IDC_VYCHOZI_SOUBORY, 20012},                  {IDC_PRIDAT_DATUM, IDC_PRIDAT_DATUM},
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
