// The backup on real folder trees in the sandbox: naming, the checks and their messages in
// order, the older copy, and that the source is never deleted, the copy never loops and an
// incomplete copy is never reported as done.
#include <gtest/gtest.h>
#include "engine/operace.h"
#include "engine/pravidla.h"
#include "frame/chyby.h"
#include "tests/podpora/operace_test.h"
#include "tests/podpora/podpora.h"
#include "ui/nastaveni.h"

using test::existuje;
using test::vytvor_strom;

namespace {

const std::wstring DOKONCENO = L"Kopírování složky bylo dokončeno";
const std::wstring SELHALO = L"Při kopírování došlo k chybě";

SYSTEMTIME pevny_cas()
{
  SYSTEMTIME s{};
  s.wDay = 6;
  s.wMonth = 12;
  s.wYear = 2026;
  s.wHour = 7;
  s.wMinute = 5;
  s.wSecond = 9;
  return s;
}

struct beh_zalohy {
  HRESULT hr = S_OK;
  test::okno_test okno;
};

beh_zalohy zalohuj(const std::wstring& zdroj, const std::wstring& cil, DWORD param = 0, LONG format = 3)
{
  static const SYSTEMTIME cas = pevny_cas();
  beh_zalohy b;
  zadani_zalohy z;
  z.zdroj = zdroj;
  z.cil = cil;
  z.param = param;
  z.vypis_casu = format;
  z.cas = &cas;
  b.hr = zaloha(z, b.okno);
  return b;
}

// The log line and then the box of a check that stops the backup.
std::vector<std::wstring> radek_a_box(const std::wstring& text) { return {L"radek: " + text, L"box: " + text}; }

const std::vector<std::wstring> USPECH = {DOKONCENO, L"Celkový čas tesvarin: 0 sekund"};

// A source with a bit of everything the copy must bring over.
std::wstring zdroj_app(const std::wstring& t)
{
  vytvor_strom(t, {L"app\\a.txt", L"app\\.skryty", L"app\\sub\\b.txt", L"app\\Debug\\x.obj", L"app\\prazdna\\"});
  return t + L"\\app";
}

bool kopie_je_cela(const std::wstring& kopie)
{
  return test::obsah(kopie + L"\\a.txt") == "app\\a.txt" && test::obsah(kopie + L"\\sub\\b.txt") == "app\\sub\\b.txt" &&
         existuje(kopie + L"\\.skryty") && existuje(kopie + L"\\Debug\\x.obj") && existuje(kopie + L"\\prazdna");
}

} // namespace

TEST(Zaloha, KopieJdeDoUmisteniBezKoncovychLomitek)
{
  const std::wstring t = test::nova_slozka(L"zaloha");
  const std::wstring app = zdroj_app(t);
  test::vytvor_slozku(t + L"\\archiv");
  auto b = zalohuj(app, t + L"\\archiv\\\\");
  EXPECT_EQ(b.hr, S_OK);
  EXPECT_TRUE(kopie_je_cela(t + L"\\archiv\\app"));
  EXPECT_EQ(b.okno.radky, USPECH);
  EXPECT_TRUE(b.okno.boxy.empty());
  EXPECT_TRUE(kopie_je_cela(app)) << "the source stays as it was";
}

TEST(Zaloha, ZdrojSJedinymSouboremIPrazdnyZdroj)
{
  // Wine's shell alone would copy a lone file to the new folder's path itself.
  const std::wstring t = test::nova_slozka(L"jediny");
  vytvor_strom(t, {L"app\\jen.txt", L"prazdna\\", L"cil\\"});
  auto b = zalohuj(t + L"\\app", t + L"\\cil");
  EXPECT_EQ(b.okno.radky, USPECH);
  EXPECT_EQ(test::obsah(t + L"\\cil\\app\\jen.txt"), "app\\jen.txt");

  b = zalohuj(t + L"\\prazdna", t + L"\\cil");
  EXPECT_EQ(b.okno.radky, USPECH);
  EXPECT_EQ(GetFileAttributesW((t + L"\\cil\\prazdna").c_str()) & FILE_ATTRIBUTE_DIRECTORY,
            static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY));
}

TEST(Zaloha, JmenoKopieSDatemACasem)
{
  const std::wstring t = test::nova_slozka(L"datum");
  const std::wstring app = zdroj_app(t);
  auto b = zalohuj(app, t, param_pridat_datum, 3);
  EXPECT_EQ(b.hr, S_OK);
  EXPECT_TRUE(kopie_je_cela(t + L"\\app 6.12.2026 7h 5m"));
  b = zalohuj(app, t, param_pridat_datum, 4);
  EXPECT_TRUE(kopie_je_cela(t + L"\\app 6.12.2026 07-05-09"));
  b = zalohuj(app, t, param_pridat_datum, 7);
  EXPECT_TRUE(kopie_je_cela(t + L"\\app 6.12.2026"));
  b = zalohuj(app, t, 0, 5);
  EXPECT_TRUE(kopie_je_cela(t + L"\\app")) << "without the flag the format does not matter";
}

TEST(Zaloha, VstupySeKontrolujiVPoradiANicSeNezmeni)
{
  const std::wstring t = test::nova_slozka(L"vstupy");
  const std::wstring app = zdroj_app(t);
  test::vytvor_slozku(t + L"\\cil");

  auto b = zalohuj(t + L"\\neni", t + L"\\taky_neni");
  EXPECT_EQ(b.okno.poradi, radek_a_box(L"Zdrojová složka neexistuje.")) << "only the first check speaks";
  b = zalohuj(t + L"\\app\\a.txt", t + L"\\cil");
  EXPECT_EQ(b.okno.poradi, radek_a_box(L"Zdrojová složka neexistuje.")) << "a file is no folder";
  b = zalohuj(app, t + L"\\taky_neni");
  EXPECT_EQ(b.okno.poradi, radek_a_box(L"Cílová složka neexistuje."));
  b = zalohuj(app, L"");
  EXPECT_EQ(b.okno.poradi, radek_a_box(L"Cílová složka neexistuje."));
  b = zalohuj(app + L"\\", t + L"\\cil", param_smazat_stary_cil);
  EXPECT_EQ(b.okno.poradi, radek_a_box(L"Nebyla zadaná platná složka jako zdroj tesvarin."));
  EXPECT_NE(b.hr, S_OK);
  b = zalohuj(app + L"\\sub\\..", t + L"\\cil", param_smazat_stary_cil);
  EXPECT_EQ(b.okno.poradi, radek_a_box(L"Nebyla zadaná platná složka jako zdroj tesvarin."))
      << "a name of .. would make the target the location's parent";

  WIN32_FIND_DATAW p;
  HANDLE h = FindFirstFileW((t + L"\\cil\\*").c_str(), &p);
  int pocet = 0;
  do ++pocet;
  while (FindNextFileW(h, &p));
  FindClose(h);
  EXPECT_EQ(pocet, 2) << "nothing was copied: only . and ..";
  EXPECT_TRUE(kopie_je_cela(app));
}

TEST(Zaloha, StarsiKopieBezPovoleniZustaneABoxJdePredRadkem)
{
  const std::wstring t = test::nova_slozka(L"stara");
  const std::wstring app = zdroj_app(t);
  vytvor_strom(t, {L"cil\\app\\stary.txt"});
  auto b = zalohuj(app, t + L"\\cil", 0);
  const std::wstring text = L"Cílová složka již existuje a není povoleno její odstranění.";
  EXPECT_EQ(b.okno.poradi, (std::vector<std::wstring>{L"box: " + text, L"radek: " + text}));
  EXPECT_TRUE(existuje(t + L"\\cil\\app\\stary.txt"));
  EXPECT_FALSE(existuje(t + L"\\cil\\app\\a.txt"));
}

TEST(Zaloha, StarsiKopieSPovolenimJdePrycAPakSeKopiruje)
{
  const std::wstring t = test::nova_slozka(L"stara_pryc");
  const std::wstring app = zdroj_app(t);
  vytvor_strom(t, {L"cil\\app\\stary.txt", L"cil\\app\\hluboko\\x.txt"});
  test::jen_pro_cteni(t + L"\\cil\\app\\stary.txt");
  auto b = zalohuj(app, t + L"\\cil\\", param_smazat_stary_cil);
  EXPECT_EQ(b.hr, S_OK);
  EXPECT_EQ(b.okno.radky, (std::vector<std::wstring>{L"Původní složka " + t + L"\\cil\\app byla odstraněna.", USPECH[0],
                                                     USPECH[1]}));
  EXPECT_FALSE(existuje(t + L"\\cil\\app\\stary.txt"));
  EXPECT_TRUE(kopie_je_cela(t + L"\\cil\\app"));
}

TEST(Zaloha, CilovaCestaJakoSouborSeNemaze)
{
  const std::wstring t = test::nova_slozka(L"cil_soubor");
  const std::wstring app = zdroj_app(t);
  vytvor_strom(t, {L"cil\\app"});
  auto b = zalohuj(app, t + L"\\cil", param_smazat_stary_cil);
  EXPECT_EQ(test::obsah(t + L"\\cil\\app"), "cil\\app");
  EXPECT_NE(b.hr, S_OK);
  ASSERT_FALSE(b.okno.radky.empty());
  EXPECT_EQ(b.okno.radky.front(), SELHALO);
  EXPECT_TRUE(b.okno.boxy.empty()) << "a failed copy shows no box";
}

TEST(Zaloha, CasKopieAVypisSeNemaze)
{
  const std::wstring t = test::nova_slozka(L"cas_kopie");
  const std::wstring app = zdroj_app(t);
  beh_zalohy b;
  b.okno.radky = {L"řádek čištění"};
  b.okno.tik_startu = 1000;
  b.okno.tik_konce = 62500;
  zadani_zalohy z;
  z.zdroj = app;
  z.cil = t + L"\\cil";
  test::vytvor_slozku(z.cil);
  b.hr = zaloha(z, b.okno);
  EXPECT_EQ(b.okno.radky, (std::vector<std::wstring>{L"řádek čištění", DOKONCENO, L"Celkový čas tesvarin: 61 sekund"}));
}

// --- The source is never the older copy.

TEST(ZalohaPrekryti, CilShodnySeZdrojemNicNesmaze)
{
  const std::wstring t = test::nova_slozka(L"shodny");
  const std::wstring app = zdroj_app(t);
  const auto prekryti = radek_a_box(L"Zdrojová a cílová složka se překrývají.");
  for (const std::wstring& umisteni : {t, t + L"\\", t + L"\\app\\..", t + L"\\APP\\.."}) {
    auto b = zalohuj(app, umisteni, param_smazat_stary_cil);
    EXPECT_EQ(b.okno.poradi, prekryti) << test::utf8(umisteni);
    EXPECT_NE(b.hr, S_OK);
  }
  EXPECT_TRUE(kopie_je_cela(app));
}

TEST(ZalohaPrekryti, UmisteniVeZdrojiIStaraKopieObsahujiciZdroj)
{
  const std::wstring t = test::nova_slozka(L"uvnitr");
  const std::wstring app = zdroj_app(t);
  test::vytvor_slozku(app + L"\\zalohy");
  const auto prekryti = radek_a_box(L"Zdrojová a cílová složka se překrývají.");
  EXPECT_EQ(zalohuj(app, app + L"\\zalohy", param_smazat_stary_cil).okno.poradi, prekryti);
  EXPECT_FALSE(existuje(app + L"\\zalohy\\app"));

  // Source t\x\app\app, location t\x: the older copy t\x\app holds the source.
  const std::wstring vnoreny = test::nova_slozka(L"vnoreny");
  vytvor_strom(vnoreny, {L"app\\app\\kod.cpp", L"app\\jiny.txt"});
  EXPECT_EQ(zalohuj(vnoreny + L"\\app\\app", vnoreny, param_smazat_stary_cil).okno.poradi, prekryti);
  EXPECT_TRUE(existuje(vnoreny + L"\\app\\app\\kod.cpp"));
  EXPECT_TRUE(existuje(vnoreny + L"\\app\\jiny.txt"));

  // A location that is a link into the source.
  test::linux_odkaz(t + L"\\do_zdroje", app + L"\\zalohy");
  EXPECT_EQ(zalohuj(app, t + L"\\do_zdroje", param_smazat_stary_cil).okno.poradi, prekryti);
  test::linux_odkaz(t + L"\\na_zdroj", app);
  EXPECT_EQ(zalohuj(app, t + L"\\na_zdroj", param_smazat_stary_cil).okno.poradi, prekryti);
  EXPECT_TRUE(kopie_je_cela(app));
  EXPECT_FALSE(existuje(app + L"\\zalohy\\app"));

  // A sibling whose name only begins with the source's name is fine.
  const std::wstring vedle = test::nova_slozka(L"vedle");
  vytvor_strom(vedle, {L"app\\a.txt", L"app2\\"});
  auto b = zalohuj(vedle + L"\\app", vedle + L"\\app2");
  EXPECT_EQ(b.okno.radky, USPECH);
  EXPECT_TRUE(existuje(vedle + L"\\app2\\app\\a.txt"));
}

TEST(ZalohaPrekryti, StarsiKopieJakoOdkazSeNesmazeAniJejiCil)
{
  const std::wstring t = test::nova_slozka(L"stara_odkaz");
  const std::wstring app = zdroj_app(t);
  vytvor_strom(t, {L"obet\\cenne.txt", L"obet\\sub\\taky.txt", L"cil\\"});
  test::linux_odkaz(t + L"\\cil\\app", t + L"\\obet");
  auto b = zalohuj(app, t + L"\\cil", param_smazat_stary_cil);
  EXPECT_EQ(b.okno.poradi, (std::vector<std::wstring>{L"box: Původní cílovou složku se nepodařilo odstranit.",
                                                      L"radek: " + systemovy_text(E_FAIL)}));
  EXPECT_TRUE(existuje(t + L"\\obet\\cenne.txt"));
  EXPECT_TRUE(existuje(t + L"\\obet\\sub\\taky.txt"));
  EXPECT_FALSE(existuje(t + L"\\obet\\a.txt")) << "nothing was copied into it either";
}

// --- The copy never loops and never claims an incomplete copy.

TEST(ZalohaOdkazy, OdkazZpetNaZdrojNeboDoCileKopiiOdmitne)
{
  const std::wstring t = test::nova_slozka(L"cyklus");
  const std::wstring app = zdroj_app(t);
  test::vytvor_slozku(t + L"\\cil");
  test::linux_odkaz(app + L"\\sub\\ja", app);
  auto b = zalohuj(app, t + L"\\cil");
  EXPECT_EQ(b.okno.poradi, radek_a_box(radek_zacykleni(app + L"\\sub\\ja")));
  EXPECT_FALSE(existuje(t + L"\\cil\\app")) << "refused before anything was written";
}

TEST(ZalohaOdkazy, CyklusPresVnejsiSlozku)
{
  const std::wstring t = test::nova_slozka(L"cyklus_ven");
  const std::wstring app = zdroj_app(t);
  vytvor_strom(t, {L"venku\\v.txt", L"cil\\"});
  test::linux_odkaz(app + L"\\ven", t + L"\\venku");
  test::linux_odkaz(t + L"\\venku\\zpet", app + L"\\sub");
  test::linux_odkaz(app + L"\\sub\\zase_ven", t + L"\\venku");
  auto b = zalohuj(app, t + L"\\cil");
  ASSERT_EQ(b.okno.boxy.size(), 1u);
  EXPECT_EQ(b.okno.boxy[0].find(L"Odkaz \"" + app), 0u) << test::utf8(b.okno.boxy[0]);
  EXPECT_FALSE(existuje(t + L"\\cil\\app"));
}

TEST(ZalohaOdkazy, OdkazNaUmisteniKopie)
{
  const std::wstring t = test::nova_slozka(L"do_cile");
  const std::wstring app = zdroj_app(t);
  test::vytvor_slozku(t + L"\\cil");
  test::linux_odkaz(app + L"\\archiv", t + L"\\cil");
  auto b = zalohuj(app, t + L"\\cil");
  EXPECT_EQ(b.okno.poradi, radek_a_box(radek_zacykleni(app + L"\\archiv")));
  EXPECT_FALSE(existuje(t + L"\\cil\\app"));
}

TEST(ZalohaOdkazy, OdkazyNaVnejsiSlozkuAJinamDoZdrojeSeZkopiruji)
{
  const std::wstring t = test::nova_slozka(L"vnejsi");
  const std::wstring app = zdroj_app(t);
  vytvor_strom(t, {L"knihovna\\k.txt", L"cil\\"});
  test::linux_odkaz(app + L"\\lib", t + L"\\knihovna");
  test::linux_odkaz(app + L"\\lib2", t + L"\\knihovna");
  test::linux_odkaz(app + L"\\Debug\\zdroje", app + L"\\sub");
  auto b = zalohuj(app, t + L"\\cil");
  EXPECT_EQ(b.okno.radky, USPECH);
  EXPECT_TRUE(kopie_je_cela(t + L"\\cil\\app"));
  EXPECT_EQ(test::obsah(t + L"\\cil\\app\\lib\\k.txt"), "knihovna\\k.txt");
  EXPECT_EQ(test::obsah(t + L"\\cil\\app\\Debug\\zdroje\\b.txt"), "app\\sub\\b.txt");
}

TEST(ZalohaOdkazy, NeuplnaKopieNeniHlasenaJakoHotova)
{
  // A file the copy cannot read: the shell reports success all the same.
  const std::wstring t = test::nova_slozka(L"zamceny");
  const std::wstring app = zdroj_app(t);
  test::vytvor_slozku(t + L"\\cil");
  HANDLE zamek = CreateFileW((app + L"\\sub\\b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(zamek, INVALID_HANDLE_VALUE);
  auto b = zalohuj(app, t + L"\\cil");
  CloseHandle(zamek);
  EXPECT_NE(b.hr, S_OK);
  EXPECT_EQ(b.okno.radky, (std::vector<std::wstring>{SELHALO, radek_chybejici_soubory(1)}));
  EXPECT_TRUE(b.okno.boxy.empty());

  // A path beyond 260 characters, which the shell leaves out.
  const std::wstring t2 = test::nova_slozka(L"hluboky_zdroj");
  std::wstring hluboko = t2 + L"\\app";
  while (hluboko.size() < 300) hluboko += L"\\slozka_s_dlouhym_jmenem";
  vytvor_strom(hluboko, {L"dole.txt"});
  vytvor_strom(t2, {L"app\\nahore.txt", L"cil\\"});
  b = zalohuj(t2 + L"\\app", t2 + L"\\cil");
  EXPECT_NE(b.hr, S_OK);
  ASSERT_FALSE(b.okno.radky.empty());
  EXPECT_EQ(b.okno.radky.front(), SELHALO);
  for (const auto& r : b.okno.radky) EXPECT_NE(r, DOKONCENO);
}
