// The host window and the main dialog inside it: creation around the dialog, the dialog's
// set-up, enabling and lists, and reading and changing it from outside its handlers.
#include <gtest/gtest.h>
#include <windows.h>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>
#include "frame/meritko.h"
#include "res/resource.h"
#include "tests/podpora/hlavni_okno_test.h"
#include "tests/podpora/ovladani.h"
#include "tests/podpora/texty.h"

namespace {

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
