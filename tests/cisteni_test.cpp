// The clean on real folder trees in the sandbox: what goes, what stays, what the log says,
// and that links, read-only files and long paths never cost data outside the source.
#include <gtest/gtest.h>
#include "engine/disk.h"
#include "engine/operace.h"
#include "engine/pravidla.h"
#include "tests/podpora/operace_test.h"
#include "tests/podpora/podpora.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

using test::existuje;
using test::vytvor_strom;

namespace {

const std::wstring SPUSTENO = L"Vyčištění složky spuštěno";
const std::wstring USPESNE = L"Vyčištění složky úspěšně dokončeno";
const std::wstring DOKONCENO = L"Vyčištění složky dokončeno";
const std::wstring SELHANI_SOUBORU = L"Nepodařilo se odstranit soubor ";
const std::wstring SELHANI_SLOZKY = L"Nepodařilo se odstranit složku ";

seznamy_mazani vychozi()
{
  seznamy_mazani s{seznamy_mazani::bez_nacteni{}};
  s.vychozi_soubory();
  s.vychozi_slozky();
  return s;
}

struct beh_cisteni {
  HRESULT hr = S_OK;
  LONG chyb = -1;
  test::okno_test okno;
};

beh_cisteni vycisti(const std::wstring& zdroj, const seznamy_mazani& s = vychozi(), DWORD vypis = 3)
{
  beh_cisteni b;
  b.hr = vycisteni(zdroj, s, vypis, b.chyb, b.okno);
  return b;
}

std::wstring smazana_slozka(const std::wstring& c) { return radek_slozka_smazana(c); }
std::wstring smazany_soubor(const std::wstring& c) { return radek_soubor_smazan(c); }
std::wstring q(const std::wstring& c) { return L"\"" + c + L"\""; }

} // namespace

TEST(Cisteni, VychoziSeznamySmazouCoJmenujiANicJineho)
{
  const std::wstring app = test::nova_slozka(L"app");
  vytvor_strom(app, {L"Debug\\x.obj", L"x.aps", L"sub\\Thumbs.db", L"sub\\release\\y.exe", L"keep.cpp",
                     L"sub\\keep.h"});
  auto b = vycisti(app);
  EXPECT_EQ(b.hr, S_OK);
  EXPECT_EQ(b.chyb, 0);
  EXPECT_FALSE(existuje(app + L"\\Debug"));
  EXPECT_FALSE(existuje(app + L"\\x.aps"));
  EXPECT_FALSE(existuje(app + L"\\sub\\Thumbs.db"));
  EXPECT_FALSE(existuje(app + L"\\sub\\release"));
  EXPECT_TRUE(existuje(app + L"\\keep.cpp"));
  EXPECT_TRUE(existuje(app + L"\\sub\\keep.h"));
  EXPECT_TRUE(existuje(app));

  ASSERT_EQ(b.okno.radky.size(), 7u);
  EXPECT_EQ(b.okno.radky.front(), SPUSTENO);
  EXPECT_EQ(test::serazene(b.okno.radky, 1, 2),
            test::serazene({smazana_slozka(app + L"\\Debug"), smazany_soubor(app + L"\\x.aps"),
                            smazany_soubor(app + L"\\sub\\Thumbs.db"), smazana_slozka(app + L"\\sub\\release")}))
      << "the content of a matched folder is never listed: no x.obj, no y.exe";
  EXPECT_EQ(b.okno.radky[5], USPESNE);
  EXPECT_EQ(b.okno.radky[6], L"Celkový čas čištění: 0 sekund");
  EXPECT_EQ(b.okno.poradi.front(), L"vymazano") << "the log is emptied first";
  EXPECT_TRUE(b.okno.boxy.empty());
}

TEST(Cisteni, JmenaBezOhleduNaVelikostPismenAHvezdickaJeZnak)
{
  const std::wstring app = test::nova_slozka(L"velikost");
  vytvor_strom(app, {L"a\\DEBUG\\f.txt", L"b\\Debug\\f.txt", L"c\\debug\\f.txt", L"x.APS", L"ReadMe.TXT",
                     L"readme.txt.bak", L"archive.tar.db", L"a.bak", L"Makefile", L"debug2\\f.txt"});
  seznamy_mazani s = vychozi();
  s.soubory.push_back(L"*.bak");
  auto b = vycisti(app, s);
  EXPECT_EQ(b.chyb, 0);
  for (const wchar_t* pryc : {L"a\\DEBUG", L"b\\Debug", L"c\\debug", L"x.APS", L"ReadMe.TXT", L"archive.tar.db"})
    EXPECT_FALSE(existuje(app + L"\\" + pryc)) << test::utf8(pryc);
  for (const wchar_t* zustava : {L"readme.txt.bak", L"a.bak", L"Makefile", L"debug2\\f.txt"})
    EXPECT_TRUE(existuje(app + L"\\" + zustava)) << test::utf8(zustava);
  EXPECT_EQ(b.okno.radky.size(), 1u + 6u + 2u);
}

TEST(Cisteni, JmenaSTeckouSeNemazouANevstupujeSeDoNich)
{
  const std::wstring app = test::nova_slozka(L"tecky");
  vytvor_strom(app, {L".vs\\x.aps", L".vs\\Debug\\f.txt", L".gitignore", L"Debug\\.hidden"});
  seznamy_mazani s = vychozi();
  s.slozky.push_back(L".vs");
  s.soubory.push_back(L".gitignore");
  auto b = vycisti(app, s);
  EXPECT_TRUE(existuje(app + L"\\.vs\\x.aps")) << ".vs is not entered";
  EXPECT_TRUE(existuje(app + L"\\.vs\\Debug\\f.txt"));
  EXPECT_TRUE(existuje(app + L"\\.gitignore"));
  EXPECT_FALSE(existuje(app + L"\\Debug")) << "a matched folder goes with its dot-files";
  EXPECT_EQ(b.okno.radky.size(), 4u);
}

TEST(Cisteni, SamotnyZdrojSeSeSeznamemNesrovnava)
{
  const std::wstring debug = test::nova_slozka(L"zdroj") + L"\\Debug";
  vytvor_strom(debug, {L"x.aps", L"sub\\Debug\\f.txt", L"keep.cpp"});
  auto b = vycisti(debug);
  EXPECT_TRUE(existuje(debug));
  EXPECT_TRUE(existuje(debug + L"\\keep.cpp"));
  EXPECT_FALSE(existuje(debug + L"\\x.aps"));
  EXPECT_FALSE(existuje(debug + L"\\sub\\Debug"));
  EXPECT_TRUE(existuje(debug + L"\\sub"));
  EXPECT_EQ(b.chyb, 0);
}

TEST(Cisteni, SouborJenProCteniZustaneZapocitaSeAZapiseSe)
{
  const std::wstring app = test::nova_slozka(L"ro");
  vytvor_strom(app, {L"ro.aps", L"keep.cpp"});
  test::jen_pro_cteni(app + L"\\ro.aps");
  auto b = vycisti(app);
  EXPECT_EQ(b.hr, S_OK) << "failures do not change the result";
  EXPECT_TRUE(existuje(app + L"\\ro.aps"));
  EXPECT_EQ(b.chyb, 1);
  const std::vector<std::wstring> ocekavane = {SPUSTENO,
                                               SELHANI_SOUBORU + q(app + L"\\ro.aps"),
                                               L"",
                                               DOKONCENO,
                                               L"Celkový čas: 0 sekund",
                                               L"!! Nepodařilo se odstranit 1 objektů !!"};
  EXPECT_EQ(b.okno.radky, ocekavane);
}

TEST(Cisteni, SlozkuSeZamcenymSouboremPocitaJednouABezObsahu)
{
  const std::wstring app = test::nova_slozka(L"zamek");
  vytvor_strom(app, {L"Debug\\a.obj", L"Debug\\zamceny.obj", L"Debug\\sub\\b.obj"});
  HANDLE zamek = CreateFileW((app + L"\\Debug\\zamceny.obj").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                             nullptr);
  ASSERT_NE(zamek, INVALID_HANDLE_VALUE);
  auto b = vycisti(app);
  CloseHandle(zamek);
  EXPECT_TRUE(existuje(app + L"\\Debug\\zamceny.obj"));
  EXPECT_EQ(b.chyb, 1);
  ASSERT_EQ(b.okno.radky.size(), 6u);
  EXPECT_EQ(b.okno.radky[1], SELHANI_SLOZKY + q(app + L"\\Debug"));
  EXPECT_EQ(b.okno.radky[2], L"");
}

TEST(Cisteni, KoncoveLomitkoZdrojeOdchaziJedno)
{
  const std::wstring app = test::nova_slozka(L"lomitko");
  vytvor_strom(app, {L"x.aps", L"sub\\y.aps"});
  auto b = vycisti(app + L"\\");
  EXPECT_EQ(test::serazene(b.okno.radky, 1, 2),
            test::serazene({smazany_soubor(app + L"\\x.aps"), smazany_soubor(app + L"\\sub\\y.aps")}));

  // Of two trailing backslashes one stays, and with it in every logged path.
  vytvor_strom(app, {L"z.aps"});
  b = vycisti(app + L"\\\\");
  EXPECT_FALSE(existuje(app + L"\\z.aps"));
  ASSERT_EQ(b.okno.radky.size(), 4u);
  EXPECT_EQ(b.okno.radky[1], smazany_soubor(app + L"\\\\z.aps"));
}

TEST(Cisteni, NepouzitelnyZdrojZastaviPredPrvnimSmazanim)
{
  const std::wstring slozka = test::nova_slozka(L"nepouzitelny");
  vytvor_strom(slozka, {L"soubor.aps"});
  for (const std::wstring& zdroj :
       {std::wstring(), slozka + L"\\soubor.aps", slozka + L"\\soubor.aps\\", slozka + L"\\neni", std::wstring(L"\\")}) {
    auto b = vycisti(zdroj);
    EXPECT_EQ(b.hr, E_INVALIDARG) << test::utf8(zdroj);
    EXPECT_EQ(b.okno.radky, std::vector<std::wstring>{SPUSTENO}) << "only the start line, no summary";
    ASSERT_EQ(b.okno.poradi.size(), 3u);
    EXPECT_EQ(b.okno.poradi[2].rfind(L"box: ", 0), 0u);
  }
  EXPECT_TRUE(existuje(slozka + L"\\soubor.aps"));
}

TEST(Cisteni, PriznakyVypisuVybirajiRadky)
{
  const std::wstring app = test::nova_slozka(L"vypis");
  auto strom = [&] { vytvor_strom(app, {L"x.aps", L"Debug\\f.txt"}); };
  strom();
  auto b = vycisti(app, vychozi(), 0);
  EXPECT_EQ(b.okno.radky, (std::vector<std::wstring>{SPUSTENO, USPESNE, L"Celkový čas čištění: 0 sekund"}));
  EXPECT_FALSE(existuje(app + L"\\x.aps"));
  strom();
  b = vycisti(app, vychozi(), vypis_slozky);
  EXPECT_EQ(b.okno.radky, (std::vector<std::wstring>{SPUSTENO, smazana_slozka(app + L"\\Debug"), USPESNE,
                                                     L"Celkový čas čištění: 0 sekund"}));
  strom();
  b = vycisti(app, vychozi(), vypis_soubory | 4);
  EXPECT_EQ(b.okno.radky, (std::vector<std::wstring>{SPUSTENO, smazany_soubor(app + L"\\x.aps"), USPESNE,
                                                     L"Celkový čas čištění: 0 sekund"}));
}

TEST(Cisteni, CelkovyCasVSouhrnu)
{
  const std::wstring app = test::nova_slozka(L"cas");
  auto s_casem = [&](DWORD start, DWORD konec) {
    beh_cisteni b;
    b.okno.tik_startu = start;
    b.okno.tik_konce = konec;
    b.hr = vycisteni(app, vychozi(), 3, b.chyb, b.okno);
    return b.okno.radky.back();
  };
  EXPECT_EQ(s_casem(1000, 1999), L"Celkový čas čištění: 0 sekund");
  EXPECT_EQ(s_casem(1000, 2000), L"Celkový čas čištění: 1 sekund");
  EXPECT_EQ(s_casem(0xFFFFFE0Cu, 500), L"Celkový čas čištění: 1 sekund") << "a wrapped tick counter";
  EXPECT_EQ(s_casem(0, 59999), L"Celkový čas čištění: 59 sekund");
}

TEST(Cisteni, CestyDelsiNez260ZnakuSeCistiJakoJine)
{
  const std::wstring app = test::nova_slozka(L"dlouhe");
  std::wstring hluboko = app;
  while (hluboko.size() < 300) hluboko += L"\\slozka_s_dlouhym_jmenem";
  vytvor_strom(hluboko, {L"x.aps", L"Debug\\a\\b\\c.obj", L"keep.cpp"});
  auto b = vycisti(app);
  EXPECT_EQ(b.chyb, 0);
  EXPECT_FALSE(existuje(hluboko + L"\\x.aps"));
  EXPECT_FALSE(existuje(hluboko + L"\\Debug"));
  EXPECT_TRUE(existuje(hluboko + L"\\keep.cpp"));
  EXPECT_EQ(test::serazene(b.okno.radky, 1, 2),
            test::serazene({smazany_soubor(hluboko + L"\\x.aps"), smazana_slozka(hluboko + L"\\Debug")}));

  // A matched folder holding a path beyond 260 characters goes whole, and nothing else does.
  const std::wstring kanarek = test::nova_slozka(L"kanarek") + L"\\x.aps";
  test::vytvor_soubor(kanarek);
  std::wstring v_debug = app + L"\\Debug";
  while (v_debug.size() < 320) v_debug += L"\\dalsi_hodne_dlouha_slozka";
  vytvor_strom(v_debug, {L"f.obj"});
  b = vycisti(app);
  EXPECT_FALSE(existuje(app + L"\\Debug"));
  EXPECT_EQ(b.chyb, 0);
  EXPECT_TRUE(existuje(kanarek));
}

TEST(Cisteni, ZdrojemMuzeBytOdkaz)
{
  const std::wstring t = test::nova_slozka(L"zdroj_odkaz");
  vytvor_strom(t, {L"app\\x.aps", L"app\\keep.cpp"});
  test::linux_odkaz(t + L"\\odkaz", t + L"\\app");
  auto b = vycisti(t + L"\\odkaz");
  EXPECT_EQ(b.chyb, 0);
  EXPECT_FALSE(existuje(t + L"\\app\\x.aps"));
  EXPECT_TRUE(existuje(t + L"\\app\\keep.cpp"));
  EXPECT_EQ(b.okno.radky[1], smazany_soubor(t + L"\\odkaz\\x.aps"));
}

// --- Links: nothing outside the source is ever deleted.

TEST(CisteniOdkazy, OdkazJmenemDebugNaVnejsiSlozkuZustaneIJehoCil)
{
  const std::wstring t = test::nova_slozka(L"odkaz_debug");
  vytvor_strom(t, {L"obet\\f.obj", L"obet\\g.aps", L"obet\\Debug\\h.obj", L"app\\keep.cpp"});
  test::linux_odkaz(t + L"\\app\\Debug", t + L"\\obet");
  auto b = vycisti(t + L"\\app");
  EXPECT_TRUE(existuje(t + L"\\obet\\f.obj"));
  EXPECT_TRUE(existuje(t + L"\\obet\\g.aps"));
  EXPECT_TRUE(existuje(t + L"\\obet\\Debug\\h.obj"));
  EXPECT_TRUE(existuje(t + L"\\app\\Debug")) << "the link itself cannot be removed under Wine";
  EXPECT_EQ(b.chyb, 1);
  ASSERT_GE(b.okno.radky.size(), 2u);
  EXPECT_EQ(b.okno.radky[1], SELHANI_SLOZKY + q(t + L"\\app\\Debug"));
}

TEST(CisteniOdkazy, OdkazSNeshodnymJmenemSeNevstupuje)
{
  const std::wstring t = test::nova_slozka(L"odkaz_lib");
  vytvor_strom(t, {L"obet\\x.aps", L"obet\\Debug\\h.obj", L"obet\\Thumbs.db", L"app\\keep.cpp"});
  test::linux_odkaz(t + L"\\app\\lib", t + L"\\obet");
  auto b = vycisti(t + L"\\app");
  EXPECT_TRUE(existuje(t + L"\\obet\\x.aps"));
  EXPECT_TRUE(existuje(t + L"\\obet\\Debug\\h.obj"));
  EXPECT_TRUE(existuje(t + L"\\obet\\Thumbs.db"));
  EXPECT_EQ(b.chyb, 0);
  EXPECT_EQ(b.okno.radky.size(), 3u) << "left alone: not written";
}

TEST(CisteniOdkazy, OdkazNaVnejsiSouborSeShodnouPriponouNeniSmazan)
{
  const std::wstring t = test::nova_slozka(L"odkaz_soubor");
  vytvor_strom(t, {L"obet\\data.txt", L"app\\keep.cpp"});
  test::linux_odkaz(t + L"\\app\\cizi.aps", t + L"\\obet\\data.txt");
  auto b = vycisti(t + L"\\app");
  EXPECT_EQ(test::obsah(t + L"\\obet\\data.txt"), "obet\\data.txt");
  EXPECT_EQ(b.chyb, 1);
  ASSERT_GE(b.okno.radky.size(), 2u);
  EXPECT_EQ(b.okno.radky[1], SELHANI_SOUBORU + q(t + L"\\app\\cizi.aps"));
}

TEST(CisteniOdkazy, OdkazyUvnitrSlozkyZeSeznamuSeNenasleduji)
{
  const std::wstring t = test::nova_slozka(L"odkazy_v_debug");
  vytvor_strom(t, {L"obet\\f.txt", L"obet\\sub\\g.txt", L"obet\\data.txt", L"app\\keep.cpp", L"app\\src\\main.cpp",
                   L"app\\Debug\\x.obj", L"app\\Debug\\sub\\y.obj"});
  test::linux_odkaz(t + L"\\app\\Debug\\ven", t + L"\\obet");
  test::linux_odkaz(t + L"\\app\\Debug\\sub\\zpet", t + L"\\app");
  test::linux_odkaz(t + L"\\app\\Debug\\soubor.obj", t + L"\\obet\\data.txt");
  auto b = vycisti(t + L"\\app");
  EXPECT_TRUE(existuje(t + L"\\obet\\f.txt"));
  EXPECT_TRUE(existuje(t + L"\\obet\\sub\\g.txt"));
  EXPECT_EQ(test::obsah(t + L"\\obet\\data.txt"), "obet\\data.txt");
  EXPECT_TRUE(existuje(t + L"\\app\\keep.cpp"));
  EXPECT_TRUE(existuje(t + L"\\app\\src\\main.cpp"));
  EXPECT_EQ(b.chyb, 1) << "Debug cannot go whole while links stay in it";
  EXPECT_FALSE(existuje(t + L"\\app\\Debug\\x.obj")) << "its own files go";
}

TEST(CisteniOdkazy, JenProCteniUvnitrSlozkyZeSeznamuSeSmazeSamotnyZustane)
{
  const std::wstring app = test::nova_slozka(L"ro_debug");
  vytvor_strom(app, {L"Debug\\ro.obj", L"Debug\\sub\\ro2.obj", L"Debug\\sub\\ok.obj", L"ro.aps"});
  test::jen_pro_cteni(app + L"\\Debug\\ro.obj");
  test::jen_pro_cteni(app + L"\\Debug\\sub\\ro2.obj");
  test::jen_pro_cteni(app + L"\\Debug\\sub");
  test::jen_pro_cteni(app + L"\\ro.aps");
  auto b = vycisti(app);
  EXPECT_FALSE(existuje(app + L"\\Debug"));
  EXPECT_TRUE(existuje(app + L"\\ro.aps"));
  EXPECT_EQ(b.chyb, 1);
  EXPECT_EQ(test::serazene(b.okno.radky, 1, 4),
            test::serazene({smazana_slozka(app + L"\\Debug"), SELHANI_SOUBORU + q(app + L"\\ro.aps")}));
}

// --- Deleting a folder

TEST(Mazani, SlozkaZmiziCelaIsJejimObsahem)
{
  const std::wstring t = test::nova_slozka(L"mazani");
  vytvor_strom(t, {L"stara\\a.txt", L"stara\\.skryty", L"stara\\b\\c\\d.txt", L"stara\\prazdna\\", L"vedle.txt"});
  test::jen_pro_cteni(t + L"\\stara\\b\\c\\d.txt");
  EXPECT_EQ(smazat_slozku(t + L"\\stara\\"), S_OK) << "with a trailing backslash too";
  EXPECT_FALSE(existuje(t + L"\\stara"));
  EXPECT_TRUE(existuje(t + L"\\vedle.txt"));
  EXPECT_EQ(smazat_slozku(t + L"\\stara"), E_FAIL) << "nothing there";
  EXPECT_EQ(smazat_slozku(t + L"\\vedle.txt"), E_FAIL) << "a file is no folder";
  EXPECT_TRUE(existuje(t + L"\\vedle.txt"));
  EXPECT_EQ(smazat_slozku(L""), E_FAIL);
}

TEST(Mazani, OdkazSeNemazeANicZaNimTaky)
{
  const std::wstring t = test::nova_slozka(L"mazani_odkaz");
  vytvor_strom(t, {L"obet\\f.txt", L"obet\\sub\\g.txt", L"slozka\\a.txt"});
  test::linux_odkaz(t + L"\\odkaz", t + L"\\obet");
  test::linux_odkaz(t + L"\\slozka\\ven", t + L"\\obet");
  test::linux_odkaz(t + L"\\slozka\\nahoru", t);
  EXPECT_EQ(smazat_slozku(t + L"\\odkaz"), E_FAIL);
  EXPECT_TRUE(existuje(t + L"\\odkaz"));
  EXPECT_EQ(smazat_slozku(t + L"\\slozka"), E_FAIL) << "links inside stay, so the folder does";
  EXPECT_TRUE(existuje(t + L"\\obet\\f.txt"));
  EXPECT_TRUE(existuje(t + L"\\obet\\sub\\g.txt"));
  EXPECT_FALSE(existuje(t + L"\\slozka\\a.txt"));
}

TEST(Mazani, HlubokyStromZmiziAAktualniSlozkaZustane)
{
  // The current directory is the sandbox: a delete that fell back to it would take this file.
  const std::wstring kanarek = test::nova_slozka(L"kanarek_cwd") + L"\\kanarek.txt";
  test::vytvor_soubor(kanarek);
  const std::wstring stara = test::nova_slozka(L"hluboka");
  std::wstring c = stara;
  for (int i = 0; i < 40; ++i) c += L"\\uroven_" + std::to_wstring(i);
  vytvor_strom(c, {L"list.txt"});
  ASSERT_GT(c.size(), 400u);
  EXPECT_EQ(smazat_slozku(stara), S_OK);
  EXPECT_FALSE(existuje(stara));
  EXPECT_TRUE(existuje(kanarek));
}
