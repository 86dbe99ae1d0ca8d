// The operation runner on the real host window and main dialog: the buttons start workers,
// the busy rule, the controls while an operation runs and after it, what the combined
// operation does after each kind of clean, and the log as it ends up on the screen.
#include <gtest/gtest.h>
#include <algorithm>
#include <mutex>
#include <string>
#include <vector>
#include "engine/vypis_texty.h"
#include "frame/aplikace.h"
#include "frame/hlavni_okno.h"
#include "res/resource.h"
#include "tests/podpora/aplikace_test.h"
#include "tests/podpora/operace_test.h"
#include "tests/podpora/ovladani.h"
#include "tests/podpora/podpora.h"
#include "ui/dlg_hlavni.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

using test::existuje;
using test::vytvor_strom;

namespace {

// Records the boxes; a box shown by the worker can be held open until the test lets it go.
class aplikace_beh final : public aplikace {
public:
  aplikace_beh() : uvolni_box(CreateEventW(nullptr, TRUE, FALSE, nullptr)), box_ukazan(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
  ~aplikace_beh()
  {
    CloseHandle(uvolni_box);
    CloseHandle(box_ukazan);
  }
  int zprava(const wchar_t* text, UINT priznaky) override
  {
    {
      std::lock_guard<std::mutex> z(zamek);
      boxy.push_back({text, priznaky});
    }
    SetEvent(box_ukazan);
    if (drzet && GetCurrentThreadId() != vlakno_okna) WaitForSingleObject(uvolni_box, 30000);
    return IDOK;
  }
  std::vector<test::zaznam_zpravy> precti()
  {
    std::lock_guard<std::mutex> z(zamek);
    return boxy;
  }

  HANDLE uvolni_box;
  HANDLE box_ukazan;
  bool drzet = false;
  DWORD vlakno_okna = GetCurrentThreadId();
  std::mutex zamek;
  std::vector<test::zaznam_zpravy> boxy;
};

class Beh : public ::testing::Test {
protected:
  test::soukromy_registr registr;
  aplikace_beh* a = nullptr;
  HANDLE vlakno = nullptr; // a copy of the running worker's handle

  void SetUp() override
  {
    a = new aplikace_beh;
    g_aplikace.nastav(a);
    test::vytvor_okno_aplikace(L"", L"");
  }
  void TearDown() override
  {
    if (vlakno) {
      SetEvent(a->uvolni_box);
      pumpuj([&] { return WaitForSingleObject(vlakno, 0) == WAIT_OBJECT_0; });
      CloseHandle(vlakno);
    }
    test::zrus_okno_aplikace();
    g_aplikace.zrus();
  }

  dlg_hlavni* d() const { return g_hlavni_okno->hlavni_dialog.get(); }
  HWND prvek(int id) const { return GetDlgItem(d()->hwnd, id); }

  void nastav_slozky(const std::wstring& zdroj, const std::wstring& cil)
  {
    SetWindowTextW(prvek(IDC_ZDROJ), zdroj.c_str());
    SetWindowTextW(prvek(IDC_CIL), cil.c_str());
  }

  template <class F> static bool pumpuj(F hotovo) { return test::pumpuj_dokud(hotovo); }

  // Presses a button, or chooses the preview as the log's menu does; the worker it starts is
  // then awaited by `dobehni`.
  void stiskni(int id)
  {
    if (id == IDM_NAHLED_CISTENI)
      SendMessageW(d()->hwnd, WM_COMMAND, IDM_NAHLED_CISTENI, 0);
    else
      SendMessageW(prvek(id), BM_CLICK, 0, 0);
    ASSERT_NE(d()->vlakno, nullptr);
    ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), d()->vlakno, GetCurrentProcess(), &vlakno, SYNCHRONIZE, FALSE, 0));
  }
  void dobehni()
  {
    ASSERT_NE(vlakno, nullptr);
    ASSERT_TRUE(pumpuj([&] { return WaitForSingleObject(vlakno, 0) == WAIT_OBJECT_0; }));
    CloseHandle(vlakno);
    vlakno = nullptr;
    // Whatever the last notice left to do on this thread.
    pumpuj([] { return true; });
  }

  std::vector<std::wstring> vypis() const
  {
    HWND lb = d()->lb_vypis;
    std::vector<std::wstring> v;
    LRESULT n = SendMessageW(lb, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
      std::wstring s(static_cast<size_t>(SendMessageW(lb, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
      s.resize(static_cast<size_t>(SendMessageW(lb, LB_GETTEXT, i, reinterpret_cast<LPARAM>(s.data()))));
      // The real clock runs here: a time line is compared without its number.
      if (s.rfind(L"Celkový čas", 0) == 0) s = s.substr(0, s.find(L": ") + 2) + L"N sekund";
      v.push_back(s);
    }
    return v;
  }

  // Every operation control enabled (or every one disabled).
  void ovladani_povolena(bool povolena) const
  {
    for (int id : test::OVLADANI) EXPECT_EQ(IsWindowEnabled(prvek(id)) != FALSE, povolena) << "control " << id;
  }

  // The newest line stands in the list box's view.
  bool posledni_radek_videt() const
  {
    HWND lb = d()->lb_vypis;
    LRESULT n = SendMessageW(lb, LB_GETCOUNT, 0, 0);
    if (n <= 0) return true;
    RECT klient{}, polozka{};
    GetClientRect(lb, &klient);
    if (SendMessageW(lb, LB_GETITEMRECT, static_cast<WPARAM>(n - 1), reinterpret_cast<LPARAM>(&polozka)) == LB_ERR)
      return false;
    return polozka.top >= klient.top && polozka.bottom <= klient.bottom;
  }
};

const std::wstring SPUSTENO = L"Vyčištění složky spuštěno";
const std::vector<std::wstring> KONEC_CISTENI = {L"Vyčištění složky úspěšně dokončeno", L"Celkový čas čištění: N sekund"};
const std::vector<std::wstring> KONEC_ZALOHY = {L"Kopírování složky bylo dokončeno", L"Celkový čas tesvarin: N sekund"};

} // namespace

TEST_F(Beh, CisteniZTlacitkaPiseDoVypisuAOvladaniZaseZapne)
{
  const std::wstring app = test::nova_slozka(L"beh_cisteni");
  for (int i = 0; i < 400; ++i) test::vytvor_soubor(app + L"\\soubor_" + std::to_wstring(i) + L".aps");
  vytvor_strom(app, {L"Debug\\f.obj", L"keep.cpp"});
  nastav_slozky(app, L"");
  stiskni(IDC_VYCISTIT);
  dobehni();
  const auto radky = vypis();
  ASSERT_EQ(radky.size(), 404u);
  EXPECT_EQ(radky[0], SPUSTENO);
  EXPECT_EQ(std::count(radky.begin(), radky.end(), radek_slozka_smazana(app + L"\\Debug")), 1);
  EXPECT_EQ(std::vector<std::wstring>(radky.end() - 2, radky.end()), KONEC_CISTENI);
  EXPECT_TRUE(existuje(app + L"\\keep.cpp"));
  EXPECT_EQ(d()->vlakno, nullptr);
  ovladani_povolena(true);
  EXPECT_TRUE(a->precti().empty());
  // The log ends as if every line had been painted: redrawing on, the newest line in view,
  // nothing left to paint.
  HWND lb = d()->lb_vypis;
  EXPECT_TRUE(IsWindowVisible(lb));
  EXPECT_TRUE(posledni_radek_videt());
  RECT r{};
  EXPECT_FALSE(GetUpdateRect(lb, &r, FALSE));
}

TEST_F(Beh, DruhyStartBehemOperaceJeOdmitnutANerusiJi)
{
  const std::wstring app = test::nova_slozka(L"beh_zaneprazdnen");
  vytvor_strom(app, {L"x.aps", L"cil\\"});
  nastav_slozky(app, app + L"\\cil");
  stiskni(IDC_VYCISTIT);
  // The worker waits for its start notice, which this thread has not handled yet.
  d()->prikaz_kopirovat();
  d()->prikaz_vycistit_a_kopirovat();
  const auto boxy = a->precti();
  ASSERT_EQ(boxy.size(), 2u);
  for (const auto& b : boxy) {
    EXPECT_EQ(b.text, texty::zanepraznen);
    EXPECT_EQ(b.priznaky, static_cast<UINT>(MB_ICONERROR));
  }
  dobehni();
  const auto radky = vypis();
  ASSERT_EQ(radky.size(), 4u) << "the clean alone, undisturbed";
  EXPECT_EQ(radky[1], radek_soubor_smazan(app + L"\\x.aps"));
  EXPECT_FALSE(existuje(app + L"\\cil\\app")) << "no backup was started";
}

TEST_F(Beh, OvladaniVypnutaBehemBehuAZapnutaIPoNezdaru)
{
  const std::wstring t = test::nova_slozka(L"beh_ovladani");
  vytvor_strom(t, {L"cil\\"});
  nastav_slozky(L"", t + L"\\cil");
  a->drzet = true;
  stiskni(IDC_VYCISTIT_A_ZALOHOVAT);
  // The clean stops at its empty source with a box, which holds the worker.
  ASSERT_TRUE(pumpuj([&] { return WaitForSingleObject(a->box_ukazan, 0) == WAIT_OBJECT_0; }));
  ovladani_povolena(false);
  for (int id : {IDC_VYPIS, IDC_SOUBORY, IDC_SLOZKY, IDC_NAPOVEDA, IDC_ODKAZ_ZDROJ, IDC_ODKAZ_CIL})
    EXPECT_TRUE(IsWindowEnabled(prvek(id))) << "control " << id;
  EXPECT_NE(d()->vlakno, nullptr);
  SetEvent(a->uvolni_box);
  dobehni();
  ovladani_povolena(true);
  EXPECT_EQ(d()->vlakno, nullptr);
  EXPECT_EQ(vypis(), std::vector<std::wstring>{SPUSTENO}) << "no copy after a clean that stopped at its source";
  EXPECT_EQ(a->precti().size(), 1u);
  WIN32_FIND_DATAW p;
  HANDLE h = FindFirstFileW((t + L"\\cil\\*").c_str(), &p);
  int polozek = 0;
  do ++polozek;
  while (FindNextFileW(h, &p));
  FindClose(h);
  EXPECT_EQ(polozek, 2) << "the target location got nothing";
}

TEST_F(Beh, PoCisteniSChybouSeKopirujeAZalohaPisePodRadkyCisteni)
{
  const std::wstring t = test::nova_slozka(L"beh_oboji");
  vytvor_strom(t, {L"app\\ro.aps", L"app\\kod.cpp", L"cil\\"});
  test::jen_pro_cteni(t + L"\\app\\ro.aps");
  nastav_slozky(t + L"\\app", t + L"\\cil");
  g_nastaveni->param = param_smazat_stary_cil;
  stiskni(IDC_VYCISTIT_A_ZALOHOVAT);
  dobehni();
  std::vector<std::wstring> ocekavane = {SPUSTENO,
                                         L"Nepodařilo se odstranit soubor \"" + t + L"\\app\\ro.aps\"",
                                         L"",
                                         L"Vyčištění složky dokončeno",
                                         L"Celkový čas: N sekund",
                                         L"!! Nepodařilo se odstranit 1 objektů !!",
                                         KONEC_ZALOHY[0],
                                         KONEC_ZALOHY[1]};
  EXPECT_EQ(vypis(), ocekavane);
  EXPECT_TRUE(existuje(t + L"\\cil\\app\\kod.cpp"));
  EXPECT_EQ(d()->pocet_chyb, 1);

  // A backup alone adds its lines below the clean's.
  stiskni(IDC_ZALOHOVAT);
  dobehni();
  ocekavane.insert(ocekavane.end(), {L"Původní složka " + t + L"\\cil\\app byla odstraněna.", KONEC_ZALOHY[0],
                                     KONEC_ZALOHY[1]});
  EXPECT_EQ(vypis(), ocekavane);
}

namespace {
// Changes the target edit, as a link may during an operation, when the clean's first line
// reaches the log.
WNDPROC g_procedura_vypisu = nullptr;
HWND g_edit_cile = nullptr;
std::wstring g_novy_cil;
LRESULT CALLBACK zmen_cil_po_startu(HWND w, UINT zprava, WPARAM wparam, LPARAM lparam)
{
  if (zprava == LB_ADDSTRING && SPUSTENO == reinterpret_cast<const wchar_t*>(lparam))
    SetWindowTextW(g_edit_cile, g_novy_cil.c_str());
  return CallWindowProcW(g_procedura_vypisu, w, zprava, wparam, lparam);
}
} // namespace

// The copy of a clean-and-backup reads the edits when it starts, not when the clean did.
TEST_F(Beh, KopiePoCisteniBereEdityAzKdyzZacne)
{
  const std::wstring t = test::nova_slozka(L"beh_edity");
  vytvor_strom(t, {L"app\\kod.cpp", L"cil1\\", L"cil2\\"});
  nastav_slozky(t + L"\\app", t + L"\\cil1");
  g_edit_cile = prvek(IDC_CIL);
  g_novy_cil = t + L"\\cil2";
  g_procedura_vypisu = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(d()->lb_vypis, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(zmen_cil_po_startu)));
  stiskni(IDC_VYCISTIT_A_ZALOHOVAT);
  dobehni();
  EXPECT_TRUE(existuje(t + L"\\cil2\\app\\kod.cpp"));
  EXPECT_FALSE(existuje(t + L"\\cil1\\app"));
}

// The taskbar button: nothing before the shell announces it; then busy from the click to
// the end, red after a failed deletion until the window is activated, cleared after a clean
// without failures, red after an error box; a flash only for an end the user did not see.
TEST_F(Beh, TlacitkoNaPaneluUlohUkazujeBehAChybu)
{
  test::zaznam_tlacitka t;
  d()->panel.tlacitko = &t;
  const std::wstring app = test::nova_slozka(L"beh_panel");
  nastav_slozky(app, L"");
  const auto cisti = [&](bool popredi) {
    t.popredi = popredi;
    stiskni(IDC_VYCISTIT);
    EXPECT_TRUE(t.volani.empty() || t.volani.back() == L"stav 1") << "busy from the click";
    dobehni();
  };
  cisti(false);
  EXPECT_TRUE(t.volani.empty());
  vytvor_strom(app, {L"ro.aps"});
  test::jen_pro_cteni(app + L"\\ro.aps");
  SendMessageW(g_hlavni_okno->hwnd, zprava_tlacitka_uloh(), 0, 0);
  cisti(false);
  ASSERT_EQ(t.volani, (std::vector<std::wstring>{L"pripoj", L"stav 1", L"stav 4", L"blikej"}));
  SendMessageW(g_hlavni_okno->hwnd, WM_ACTIVATE, WA_ACTIVE, 0);
  SetFileAttributesW((app + L"\\ro.aps").c_str(), FILE_ATTRIBUTE_NORMAL);
  cisti(true);
  const std::vector<std::wstring> dal(t.volani.begin() + 4, t.volani.end());
  EXPECT_EQ(dal, (std::vector<std::wstring>{L"stav 0", L"stav 1", L"stav 0"})) << "cleared on activation, then";
  nastav_slozky(L"", L""); // stops at its source with a box
  cisti(true);
  EXPECT_EQ(t.volani.back(), L"stav 4");
  EXPECT_TRUE(t.jen_z_vlakna_okna) << "the worker never calls the shell";
}

namespace {
// Every entry below a folder, links as themselves and not entered: path, size, write time, attributes.
std::vector<std::wstring> snimek(const std::wstring& slozka)
{
  std::vector<std::wstring> v;
  WIN32_FIND_DATAW p;
  HANDLE h = FindFirstFileW((slozka + L"\\*").c_str(), &p);
  do {
    const std::wstring c = slozka + L"\\" + p.cFileName;
    if (p.cFileName == std::wstring(L".") || p.cFileName == std::wstring(L"..")) continue;
    v.push_back(c + L" " + std::to_wstring(p.nFileSizeLow) + L" " + std::to_wstring(p.ftLastWriteTime.dwLowDateTime) +
                L" " + std::to_wstring(p.ftLastWriteTime.dwHighDateTime) + L" " + std::to_wstring(p.dwFileAttributes));
    if ((p.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(p.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
      const auto w = snimek(c);
      v.insert(v.end(), w.begin(), w.end());
    }
  } while (FindNextFileW(h, &p));
  FindClose(h);
  std::sort(v.begin(), v.end());
  return v;
}

// The lines that name a path, each as its kind (the text before the quoted path, its " by"
// left out) and the path: what a preview and the clean after it must hold alike.
std::vector<std::wstring> jmenovane(const std::vector<std::wstring>& radky)
{
  std::vector<std::wstring> v;
  for (const std::wstring& r : radky) {
    const size_t z = r.find(L'"'), k = r.rfind(L'"');
    if (z == std::wstring::npos || k == z || r.rfind(L"Náhled", 0) == 0) continue;
    std::wstring druh = r.substr(0, z);
    if (const size_t b = druh.find(L" by "); b != std::wstring::npos) druh.erase(b, 3);
    v.push_back(druh + r.substr(z, k - z + 1));
  }
  std::sort(v.begin(), v.end());
  return v;
}
} // namespace

// The preview runs the clean's walk: it names the paths that the clean after it deletes and
// those it leaves and reports, with the same count, and changes nothing on disk.
TEST_F(Beh, NahledJmenujeCoCisteniSmazeANicNezmeni)
{
  const std::wstring t = test::nova_slozka(L"beh_nahled"), app = t + L"\\app";
  vytvor_strom(t, {L"obet\\f.obj", L"obet\\data.txt", L"app\\keep.cpp", L"app\\x.aps", L"app\\a1.bak", L"app\\ro.aps",
                   L"app\\sub\\Thumbs.db", L"app\\sub\\Debug\\a.obj", L"app\\sub\\Debug\\release\\b.obj",
                   L"app\\Release\\c.obj", L"app\\.vs\\x.aps", L"app\\ipch\\z.obj"});
  test::jen_pro_cteni(app + L"\\ro.aps");
  test::linux_odkaz(app + L"\\Debug", t + L"\\obet");            // a folder outside, named like the list
  // A file outside, named like nothing: Wine lists a link to a file as a plain file, and only
  // the delete, which then refuses it, could tell that a matching one is a link.
  test::linux_odkaz(app + L"\\odkaz", t + L"\\obet\\data.txt");
  test::linux_odkaz(app + L"\\ipch\\ven", t + L"\\obet");       // inside a folder that goes
  seznamy().soubory.push_back(L"a*.bak");
  nastav_slozky(app, L"");
  const auto pred = snimek(t);
  stiskni(IDM_NAHLED_CISTENI);
  dobehni();
  const auto nahled = vypis();
  EXPECT_EQ(snimek(t), pred) << "the preview changed the disk";
  stiskni(IDC_VYCISTIT);
  dobehni();
  EXPECT_EQ(jmenovane(nahled), jmenovane(vypis()));
  ASSERT_GE(nahled.size(), 3u);
  EXPECT_EQ(nahled.front(), radek_nahled_spusten(app));
  EXPECT_EQ(nahled.end()[-2], radek_pocet_chyb(d()->pocet_chyb, true));
  // x.aps, a1.bak and Thumbs.db; sub\Debug with a.obj and release\b.obj; Release with c.obj.
  EXPECT_EQ(nahled.back(), radek_nahled_souhrn(6, 2, 9 + 10 + 17 + 19 + 27 + 17));
}
