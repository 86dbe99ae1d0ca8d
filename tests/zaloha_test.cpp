// The backup on real folder trees in the sandbox: naming, the checks and their messages in
// order, the older copy, and that the source is never deleted, the copy never loops and an
// incomplete copy is never reported as done.
#include <gtest/gtest.h>
#include "engine/docasne_kopie.h"
#include "engine/kontrola_kopie.h"
#include "engine/vypis_texty.h"
#include "engine/mazani.h"
#include "frame/chyby.h"
#include "tests/podpora/operace_test.h"
#include "ui/nastaveni.h"

using test::beh_zalohy;
using test::existuje;
using test::zalohuj;
using test::vytvor_strom;

namespace {

const std::wstring SELHALO = L"Při kopírování došlo k chybě";
const std::vector<std::wstring> USPECH = {L"Kopírování složky bylo dokončeno", L"Celkový čas tesvarin: 0 sekund"};

// A check that stops the backup: its line, then its box.
std::vector<std::wstring> radek_a_box(const std::wstring& text) { return {L"radek: " + text, L"box: " + text}; }
const std::wstring PREKRYTI = L"Zdrojová a cílová složka se překrývají.";

// A source with a bit of everything the copy must bring over, and an empty target location.
std::wstring zdroj_app(const std::wstring& t)
{
  vytvor_strom(t, {L"app\\a.txt", L"app\\.skryty", L"app\\sub\\b.txt", L"app\\prazdna\\", L"cil\\"});
  return t + L"\\app";
}

bool kopie_je_cela(const std::wstring& kopie)
{
  return test::obsah(kopie + L"\\a.txt") == "app\\a.txt" && test::obsah(kopie + L"\\sub\\b.txt") == "app\\sub\\b.txt" &&
         existuje(kopie + L"\\.skryty") && existuje(kopie + L"\\prazdna");
}

} // namespace

TEST(Zaloha, KopieAJejiJmeno)
{
  const std::wstring t = test::nova_slozka(L"zaloha");
  const std::wstring app = zdroj_app(t);
  auto b = zalohuj(app, t + L"\\cil\\\\");
  EXPECT_EQ(b.hr, S_OK);
  EXPECT_EQ(b.okno.radky, USPECH);
  EXPECT_TRUE(b.okno.boxy.empty());
  EXPECT_TRUE(kopie_je_cela(t + L"\\cil\\app"));
  b = zalohuj(app, t + L"\\cil", param_pridat_datum, 3);
  EXPECT_TRUE(kopie_je_cela(t + L"\\cil\\app 6.12.2026 7h 5m"));

  // A lone file, which Wine's shell alone would copy to the new folder's path, and nothing.
  vytvor_strom(t, {L"jediny\\jen.txt", L"prazdny\\"});
  EXPECT_EQ(zalohuj(t + L"\\jediny", t + L"\\cil").okno.radky, USPECH);
  EXPECT_EQ(test::obsah(t + L"\\cil\\jediny\\jen.txt"), "jediny\\jen.txt");
  EXPECT_EQ(zalohuj(t + L"\\prazdny", t + L"\\cil").okno.radky, USPECH);

  // The time line counts from the start of the backup; the log is not emptied.
  beh_zalohy c;
  c.okno.radky = {L"řádek čištění"};
  c.okno.tik_startu = 1000;
  c.okno.tik_konce = 62500;
  zadani_zalohy z;
  z.zdroj = app;
  z.cil = t + L"/cil"; // a slash is a backslash, also in the log
  z.smazat_stary_cil = true;
  // Not ours, and so named and left; ours (marked), from a backup with a date, removed. The
  // older copy differs in letter case.
  vytvor_strom(t, {L"cil\\app.tesvarin-new\\cizi.txt", L"cil\\app 6.12.2026.tesvarin-old-3\\.tesvarin-docasna-kopie"});
  MoveFileW((t + L"\\cil\\app").c_str(), (t + L"\\cil\\APP").c_str());
  test::vytvor_soubor(t + L"\\cil\\APP\\stary.txt");
  zaloha(z, c.okno);
  EXPECT_EQ(c.okno.radky, (std::vector<std::wstring>{L"řádek čištění", radek_zbytek_odstranen(t + L"\\cil\\app 6.12.2026.tesvarin-old-3"),
                                                     radek_cizi_slozka(t + L"\\cil\\app.tesvarin-new"),
                                                     L"Původní složka " + t + L"\\cil\\app byla odstraněna.",
                                                     USPECH[0], L"Celkový čas tesvarin: 61 sekund"}));
  EXPECT_TRUE(kopie_je_cela(t + L"\\cil\\app") && !existuje(t + L"\\cil\\app\\stary.txt"));
  EXPECT_FALSE(existuje(t + L"\\cil\\~1") || existuje(t + L"\\cil\\~2") || existuje(t + L"\\cil\\~1.tesvarin-docasna-kopie"));
  EXPECT_TRUE(existuje(t + L"\\cil\\app.tesvarin-new\\cizi.txt") && !existuje(t + L"\\cil\\app.tesvarin-new-2"));
}

TEST(Zaloha, KontrolyVPoradiANicSeNezmeni)
{
  const std::wstring t = test::nova_slozka(L"kontroly");
  const std::wstring app = zdroj_app(t);
  EXPECT_EQ(zalohuj(t + L"\\neni", t + L"\\taky_neni").okno.poradi, radek_a_box(L"Zdrojová složka neexistuje."));
  EXPECT_EQ(zalohuj(app + L"\\a.txt", t + L"\\cil").okno.poradi, radek_a_box(L"Zdrojová složka neexistuje."));
  EXPECT_EQ(zalohuj(app, L"").okno.poradi, radek_a_box(L"Cílová složka neexistuje."));
  EXPECT_EQ(zalohuj(L".", t + L"\\cil").okno.poradi, radek_a_box(L"Zdrojová složka neexistuje."));
  EXPECT_EQ(zalohuj(app, L"..").okno.poradi, radek_a_box(L"Cílová složka neexistuje."));
  const auto neplatny = radek_a_box(L"Nebyla zadaná platná složka jako zdroj tesvarin.");
  EXPECT_EQ(zalohuj(app + L"\\", t + L"\\cil", param_smazat_stary_cil).okno.poradi, neplatny);
  EXPECT_EQ(zalohuj(app + L"\\sub\\..", t + L"\\cil", param_smazat_stary_cil).okno.poradi, neplatny)
      << "a name of .. would make the target the location's parent";
  EXPECT_FALSE(existuje(t + L"\\cil\\app"));

  // An older copy without permission: the box comes first and the copy stays.
  vytvor_strom(t, {L"cil\\app\\stary.txt"});
  const std::wstring existuje_text = L"Cílová složka již existuje a není povoleno její odstranění.";
  EXPECT_EQ(zalohuj(app, t + L"\\cil").okno.poradi,
            (std::vector<std::wstring>{L"box: " + existuje_text, L"radek: " + existuje_text}));
  EXPECT_TRUE(existuje(t + L"\\cil\\app\\stary.txt"));
  EXPECT_FALSE(existuje(t + L"\\cil\\app\\a.txt"));

  // A target path that is a file is not deleted; the copy onto it fails without a box.
  vytvor_strom(t, {L"cil2\\app"});
  auto b = zalohuj(app, t + L"\\cil2", param_smazat_stary_cil);
  EXPECT_EQ(test::obsah(t + L"\\cil2\\app"), "cil2\\app");
  ASSERT_FALSE(b.okno.radky.empty());
  EXPECT_EQ(b.okno.radky.front(), SELHALO);
  EXPECT_TRUE(b.okno.boxy.empty());
}

// A copy's time stands for the source's within the two seconds FAT rounds to.
TEST(Zaloha, CasyKopieSeShoduji)
{
  const auto cas = [](long long sto_ns) {
    return FILETIME{static_cast<DWORD>(sto_ns), static_cast<DWORD>(sto_ns >> 32)};
  };
  const long long t = 132000000000000000LL;
  EXPECT_TRUE(casy_shodne(cas(t), cas(t)));
  EXPECT_TRUE(casy_shodne(cas(t), cas(t + 20000000))) << "FAT rounds up to two seconds";
  EXPECT_FALSE(casy_shodne(cas(t), cas(t + 20000001)));
  EXPECT_FALSE(casy_shodne(cas(t), cas(t - 20000001)));
}

TEST(ZalohaPrekryti, ZdrojNikdyNeniStarsiKopii)
{
  const std::wstring t = test::nova_slozka(L"prekryti");
  const std::wstring app = zdroj_app(t);
  test::vytvor_slozku(app + L"\\zalohy");
  test::linux_odkaz(t + L"\\do_zdroje", app + L"\\zalohy");
  // The target equal to the source (however spelt), inside it, or reached through a link.
  for (const std::wstring& umisteni : {t, t + L"\\APP\\..", app + L"\\zalohy", t + L"\\do_zdroje"})
    EXPECT_EQ(zalohuj(app, umisteni, param_smazat_stary_cil).okno.poradi, radek_a_box(PREKRYTI)) << test::utf8(umisteni);
  EXPECT_TRUE(kopie_je_cela(app));
  EXPECT_FALSE(existuje(app + L"\\zalohy\\app"));

  // Source x\app\app with location x: the older copy x\app holds the source.
  vytvor_strom(t, {L"x\\app\\app\\kod.cpp", L"x\\app\\jiny.txt"});
  EXPECT_EQ(zalohuj(t + L"\\x\\app\\app", t + L"\\x", param_smazat_stary_cil).okno.poradi, radek_a_box(PREKRYTI));
  EXPECT_TRUE(existuje(t + L"\\x\\app\\app\\kod.cpp"));
  EXPECT_TRUE(existuje(t + L"\\x\\app\\jiny.txt"));

  // A sibling whose name only begins with the source's name is another folder.
  vytvor_strom(t, {L"app2\\"});
  EXPECT_EQ(zalohuj(app, t + L"\\app2").okno.radky, USPECH);
}

TEST(ZalohaPrekryti, StarsiKopieJakoOdkazSeNesmazeAniJejiCil)
{
  const std::wstring t = test::nova_slozka(L"stara_odkaz");
  const std::wstring app = zdroj_app(t);
  vytvor_strom(t, {L"obet\\cenne.txt", L"obet\\sub\\taky.txt"});
  test::linux_odkaz(t + L"\\cil\\app", t + L"\\obet");
  // The complete new copy stays beside it; the box and the log say where.
  const auto nesmazana = [](const std::wstring& kde) {
    return std::vector<std::wstring>{L"box: Původní cílovou složku se nepodařilo odstranit. " + kde,
                                     L"radek: " + systemovy_text(E_JINDE), L"radek: " + kde};
  };
  ASSERT_NE(systemovy_text(E_JINDE), systemovy_text(E_FAIL)) << "the line names the real reason";
  auto b = zalohuj(app, t + L"\\cil", param_smazat_stary_cil);
  EXPECT_EQ(b.okno.poradi, nesmazana(radek_nova_kopie_je_v(t + L"\\cil\\~1")));
  EXPECT_TRUE(kopie_je_cela(t + L"\\cil\\~1"));
  EXPECT_TRUE(existuje(t + L"\\obet\\cenne.txt"));
  EXPECT_TRUE(existuje(t + L"\\obet\\sub\\taky.txt"));
  EXPECT_FALSE(existuje(t + L"\\obet\\a.txt")) << "nothing was copied into it either";

  // A real older copy holding a link to a file whose path differs only in case (cil2\APP
  // and cil2\app are two folders on a case-sensitive file system).
  vytvor_strom(t, {L"cil2\\APP\\notes.db"});
  const std::string u = test::unix_cesta(t + L"\\cil2");
  ASSERT_EQ(test::linux_prikaz("mkdir '" + u + "/app' && ln -s '" + u + "/APP/notes.db' '" + u + "/app/notes.db'"), 0);
  // Wine takes APP for the name app once app is moved aside: the new copy cannot take it,
  // and the box and the log say where both copies are.
  b = zalohuj(app, t + L"\\cil2", param_smazat_stary_cil);
  ASSERT_EQ(b.okno.boxy.size(), 1u);
  EXPECT_EQ(b.okno.boxy[0].find(texty::kopie_neprejmenovana), 0u);
  EXPECT_EQ(b.okno.radky.back(), radek_stara_kopie_je_v(t + L"\\cil2\\~2"));
  EXPECT_EQ(test::obsah(t + L"\\cil2\\APP\\notes.db"), "cil2\\APP\\notes.db");
}

// --- The copy never loops and never claims an incomplete copy.

TEST(ZalohaOdkazy, OdkazKteryByKopiiZacyklilJeOdmitnut)
{
  const std::wstring t = test::nova_slozka(L"cyklus");
  const std::wstring app = zdroj_app(t);
  test::linux_odkaz(app + L"\\sub\\ja", app);
  EXPECT_EQ(zalohuj(app, t + L"\\cil").okno.poradi, radek_a_box(radek_zacykleni(app + L"\\sub\\ja")));
  const std::wstring druhy = test::nova_slozka(L"cyklus_ven");
  const std::wstring app2 = zdroj_app(druhy);
  // Through an outside folder, in a chain of links.
  vytvor_strom(druhy, {L"venku\\v.txt"});
  test::linux_odkaz(app2 + L"\\ven", druhy + L"\\venku");
  test::linux_odkaz(druhy + L"\\venku\\zpet", app2 + L"\\sub");
  test::linux_odkaz(app2 + L"\\sub\\zase_ven", druhy + L"\\venku");
  auto b = zalohuj(app2, druhy + L"\\cil");
  ASSERT_EQ(b.okno.boxy.size(), 1u);
  EXPECT_EQ(b.okno.boxy[0].find(L"Odkaz \"" + app2), 0u) << test::utf8(b.okno.boxy[0]);
  // Into the target location.
  const std::wstring treti = test::nova_slozka(L"do_cile");
  const std::wstring app3 = zdroj_app(treti);
  test::linux_odkaz(app3 + L"\\archiv", treti + L"\\cil");
  EXPECT_EQ(zalohuj(app3, treti + L"\\cil").okno.poradi, radek_a_box(radek_zacykleni(app3 + L"\\archiv")));
  EXPECT_FALSE(existuje(druhy + L"\\cil\\app"));
  EXPECT_FALSE(existuje(treti + L"\\cil\\app"));
}

TEST(ZalohaOdkazy, OdkazyVenANaJinaMistaZdrojeSeZkopiruji)
{
  const std::wstring t = test::nova_slozka(L"vnejsi");
  const std::wstring app = zdroj_app(t);
  vytvor_strom(t, {L"knihovna\\k.txt"});
  test::linux_odkaz(app + L"\\lib", t + L"\\knihovna");
  EXPECT_EQ(zalohuj(app, t + L"\\cil").okno.radky, USPECH);
  EXPECT_EQ(test::obsah(t + L"\\cil\\app\\lib\\k.txt"), "knihovna\\k.txt");
}

TEST(ZalohaOdkazy, NeuplnaKopieNeniHlasenaJakoHotova)
{
  // A file the copy cannot read: the shell reports success all the same.
  const std::wstring t = test::nova_slozka(L"zamceny");
  const std::wstring app = zdroj_app(t);
  HANDLE zamek = CreateFileW((app + L"\\sub\\b.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(zamek, INVALID_HANDLE_VALUE);
  auto b = zalohuj(app, t + L"\\cil");
  CloseHandle(zamek);
  EXPECT_NE(b.hr, S_OK);
  EXPECT_EQ(b.okno.radky, (std::vector<std::wstring>{SELHALO, radek_chybejici_soubory(1),
                                                     radek_neuplna_kopie(t + L"\\cil\\~1", true)}));
  EXPECT_TRUE(b.okno.boxy.empty());

  // A path beyond 259 characters, which the shell would leave out: refused before the copy.
  std::wstring hluboko = app;
  while (hluboko.size() < 300) hluboko += L"\\slozka_s_dlouhym_jmenem";
  vytvor_strom(hluboko, {L"dole.txt"});
  b = zalohuj(app, t + L"\\cil", param_smazat_stary_cil);
  EXPECT_NE(b.hr, S_OK);
  ASSERT_EQ(b.okno.boxy.size(), 1u);
  EXPECT_EQ(b.okno.boxy[0].find(L"Cesta \"" + t + L"\\cil\\app\\slozka_s_dlouhym_jmenem"), 0u);
  EXPECT_FALSE(existuje(t + L"\\cil\\app") || existuje(t + L"\\cil\\~1"));
}

// Trees the check before the copy must refuse, before the shell starts: each gives the
// lines it may be refused with (listing order decides between equal links; a "*" stands
// for any part of a path).
TEST(ZalohaOdkazy, OdkazyKterymiByKopieRostlaNeboJeNelzeOveritJsouOdmitnuty)
{
  struct strom {
    const char* nazev;
    std::vector<std::wstring> (*priprav)(const std::wstring& t, const std::wstring& app);
  };
  const strom stromy[] = {
      {"cycle through a link whose target is beyond MAX_PATH",
       [](const std::wstring&, const std::wstring& app) {
         std::wstring hluboko = app;
         while (hluboko.size() < 280) hluboko += L"\\slozka_s_dlouhym_jmenem";
         vytvor_strom(hluboko, {L"f.txt"});
         test::linux_odkaz(hluboko + L"\\zpet", hluboko);
         // A path too long for the copy is met first.
         return std::vector<std::wstring>{radek_odkaz_nejasny(hluboko + L"\\zpet"),
                                          L"Cesta \"" + app.substr(0, app.size() - 3) + L"cil\\app\\*"};
       }},
      {"two links per level to the next level, 24 levels deep",
       [](const std::wstring& t, const std::wstring& app) {
         const std::string u = test::unix_cesta(t);
         test::linux_prikaz("cd '" + u + "' && for i in $(seq 0 24); do mkdir -p u$i; echo $i > u$i/f.txt; done && "
                            "for i in $(seq 0 23); do ln -s ../u$((i+1)) u$i/a; ln -s ../u$((i+1)) u$i/b; done");
         test::linux_odkaz(app + L"\\u", t + L"\\u0");
         return std::vector<std::wstring>{radek_opakovani(app + L"\\u\\*")};
       }},
      {"a folder of the source reached again through a link",
       [](const std::wstring&, const std::wstring& app) {
         test::linux_odkaz(app + L"\\prazdna\\zdroje", app + L"\\sub");
         return std::vector<std::wstring>{radek_opakovani(app + L"\\prazdna\\zdroje")};
       }},
      {"two links to one outside folder",
       [](const std::wstring& t, const std::wstring& app) {
         vytvor_strom(t, {L"knihovna\\k.txt"});
         test::linux_odkaz(app + L"\\lib", t + L"\\knihovna");
         test::linux_odkaz(app + L"\\lib2", t + L"\\knihovna");
         return std::vector<std::wstring>{radek_opakovani(app + L"\\lib"), radek_opakovani(app + L"\\lib2")};
       }},
  };
  for (const strom& s : stromy) {
    const std::wstring t = test::nova_slozka(L"odmitnuti");
    const std::wstring app = zdroj_app(t);
    const std::vector<std::wstring> mozne = s.priprav(t, app);
    auto b = zalohuj(app, t + L"\\cil");
    EXPECT_NE(b.hr, S_OK) << s.nazev;
    ASSERT_EQ(b.okno.boxy.size(), 1u) << s.nazev;
    const std::wstring& box = b.okno.boxy[0];
    const auto odpovida = [&](const std::wstring& vzor) {
      const size_t hvezda = vzor.find(L'*');
      if (hvezda == std::wstring::npos) return box == vzor;
      const size_t zbytek = vzor.size() - hvezda - 1;
      return box.size() > vzor.size() && box.compare(0, hvezda, vzor, 0, hvezda) == 0 &&
             box.compare(box.size() - zbytek, zbytek, vzor, hvezda + 1, zbytek) == 0;
    };
    EXPECT_TRUE(std::any_of(mozne.begin(), mozne.end(), odpovida)) << s.nazev << ": " << test::utf8(box);
    EXPECT_EQ(b.okno.radky, b.okno.boxy) << s.nazev;
    EXPECT_FALSE(existuje(t + L"\\cil\\app")) << s.nazev << ": nothing was copied";
  }
}

// Copies the shell reports as done that are not: the check compares each file of the source,
// through the links the copy follows, with the file of exactly its name in the copy.
TEST(ZalohaOdkazy, KopieSeOveriPresnymiJmenyAPresOdkazy)
{
  struct strom {
    const char* nazev;
    HANDLE (*priprav)(const std::wstring& t, const std::wstring& app); // a handle to hold during the copy
    unsigned long long chybi;
  };
  const strom stromy[] = {
      {"a file behind a folder link that cannot be read",
       [](const std::wstring& t, const std::wstring& app) {
         vytvor_strom(t, {L"knihovna\\k.txt", L"knihovna\\l.txt"});
         test::linux_odkaz(app + L"\\lib", t + L"\\knihovna");
         return CreateFileW((t + L"\\knihovna\\k.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
       },
       1},
      {"names that differ only in case, and an old file that is copied well",
       [](const std::wstring&, const std::wstring& app) {
         // report.txt and REPORT.txt of one size and other times, Sub and sub: one of each
         // pair can stand in the copy, and it holds the other's content.
         const std::string u = test::unix_cesta(app);
         test::linux_prikaz("cd '" + u + "' && echo aaaa > report.txt && echo bbbb > REPORT.txt && "
                            "touch -d 2020-01-01 report.txt && touch -d 2021-01-01 REPORT.txt && "
                            "mkdir Sub sub && echo x > Sub/x.txt && echo y > sub/y.txt && "
                            "echo old > stary.txt && touch -d 2019-05-05 stary.txt");
         return INVALID_HANDLE_VALUE;
       },
       3},
  };
  for (const strom& s : stromy) {
    const std::wstring t = test::nova_slozka(L"overeni");
    const std::wstring app = zdroj_app(t);
    HANDLE drzet = s.priprav(t, app);
    auto b = zalohuj(app, t + L"\\cil");
    if (drzet != INVALID_HANDLE_VALUE) CloseHandle(drzet);
    EXPECT_NE(b.hr, S_OK) << s.nazev;
    EXPECT_EQ(b.okno.radky, (std::vector<std::wstring>{SELHALO, radek_chybejici_soubory(s.chybi),
                                                       radek_neuplna_kopie(t + L"\\cil\\~1", true)}))
        << s.nazev;
    EXPECT_TRUE(b.okno.boxy.empty()) << s.nazev;
  }
}
