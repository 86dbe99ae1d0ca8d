// The rules of the clean and the backup that need neither window nor disk: elapsed time,
// names, the date suffix, matching, what is done with an entry, paths, log lines.
#include <gtest/gtest.h>
#include "engine/pravidla.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

namespace {

SYSTEMTIME cas(WORD den, WORD mesic, WORD rok, WORD hodina, WORD minuta, WORD sekunda)
{
  SYSTEMTIME s{};
  s.wDay = den;
  s.wMonth = mesic;
  s.wYear = rok;
  s.wHour = hodina;
  s.wMinute = minuta;
  s.wSecond = sekunda;
  return s;
}

seznamy_mazani vychozi()
{
  seznamy_mazani s{seznamy_mazani::bez_nacteni{}};
  s.vychozi_soubory();
  s.vychozi_slozky();
  return s;
}

constexpr DWORD ADRESAR = FILE_ATTRIBUTE_DIRECTORY;
constexpr DWORD ODKAZ = FILE_ATTRIBUTE_REPARSE_POINT;

} // namespace

TEST(Pravidla, UplynuleSekundyZahazujiZbytekAPrezijiPreteceniCitace)
{
  EXPECT_EQ(sekundy_mezi(5000, 5999), 0u);
  EXPECT_EQ(sekundy_mezi(5000, 6000), 1u);
  EXPECT_EQ(sekundy_mezi(5000, 6999), 1u);
  EXPECT_EQ(sekundy_mezi(0, 59999), 59u);
  EXPECT_EQ(sekundy_mezi(100, 61600), 61u);
  // The low 32 bits wrapped during the operation.
  EXPECT_EQ(sekundy_mezi(0xFFFFFC18u, 0u), 1u);
  EXPECT_EQ(sekundy_mezi(0xFFFFFF00u, 0x2E7u), 0u);
  EXPECT_EQ(sekundy_mezi(0xFFFFFF00u, 0x2E8u), 1u);
  EXPECT_EQ(sekundy_mezi(0xFFFF0000u, 0x0001D4C0u), 185u);
}

TEST(Pravidla, NazevZdrojeJeTextZaPoslednimLomitkem)
{
  std::wstring n = L"beze změny";
  EXPECT_EQ(nazev_slozky(L"C:\\src\\app", n), 0);
  EXPECT_EQ(n, L"app");
  EXPECT_EQ(nazev_slozky(L"\\\\server\\share", n), 0);
  EXPECT_EQ(n, L"share");
  EXPECT_EQ(nazev_slozky(L"C:\\a", n), 0) << "four characters are enough";
  EXPECT_EQ(n, L"a");

  n = L"beze změny";
  EXPECT_EQ(nazev_slozky(L"C:\\", n), 1);
  EXPECT_EQ(nazev_slozky(L"C:", n), 1);
  EXPECT_EQ(nazev_slozky(L"", n), 1);
  EXPECT_EQ(nazev_slozky(L"C:\\src\\app\\", n), 1);
  EXPECT_EQ(nazev_slozky(L"relativni", n), 1);
  EXPECT_EQ(nazev_slozky(L"C:/src/app", n), 1) << "only the backslash separates";
  EXPECT_EQ(n, L"beze změny") << "a failure leaves the name alone";
}

TEST(Pravidla, NazevZdrojeMusiBytPouzitelnyJakoJmenoNoveSlozky)
{
  EXPECT_TRUE(nazev_pouzitelny(L"app"));
  EXPECT_TRUE(nazev_pouzitelny(L"můj projekt.v2"));
  EXPECT_FALSE(nazev_pouzitelny(L".")) << "C:\\src\\. would name C:\\src";
  EXPECT_FALSE(nazev_pouzitelny(L"..")) << "C:\\src\\app\\.. would make the target the location's parent";
  EXPECT_FALSE(nazev_pouzitelny(L"src/app")) << "a slash would nest the copy";
  EXPECT_FALSE(nazev_pouzitelny(L"app."));
  EXPECT_FALSE(nazev_pouzitelny(L"app "));
  EXPECT_FALSE(nazev_pouzitelny(L"a:b"));
  EXPECT_FALSE(nazev_pouzitelny(L"a*"));
}

TEST(Pravidla, KoncovaLomitkaOdchaziVsechna)
{
  std::wstring s = L"D:\\";
  EXPECT_EQ(odstranit_koncova_lomitka(s), 1u);
  EXPECT_EQ(s, L"D:");
  s = L"D:\\archiv\\\\\\";
  EXPECT_EQ(odstranit_koncova_lomitka(s), 3u);
  EXPECT_EQ(s, L"D:\\archiv");
  s = L"\\\\";
  EXPECT_EQ(odstranit_koncova_lomitka(s), 2u);
  EXPECT_EQ(s, L"");
  s = L"D:\\archiv";
  EXPECT_EQ(odstranit_koncova_lomitka(s), 0u);
  EXPECT_EQ(s, L"D:\\archiv");
}

TEST(Pravidla, JmenoACestaNoveSlozky)
{
  const SYSTEMTIME t = cas(6, 12, 2026, 7, 5, 9);
  EXPECT_EQ(text_data(t), L"6.12.2026");
  EXPECT_EQ(text_data(cas(1, 1, 2027, 0, 0, 0)), L"1.1.2027");

  EXPECT_EQ(nazev_kopie(L"app", 0, 3, t), L"app");
  EXPECT_EQ(nazev_kopie(L"app", param_smazat_stary_cil, 3, t), L"app");
  EXPECT_EQ(nazev_kopie(L"app", param_pridat_datum, 1, t), L"app 6.12.2026");
  EXPECT_EQ(nazev_kopie(L"app", param_pridat_datum, 2, t), L"app 6.12.2026 07-05");
  EXPECT_EQ(nazev_kopie(L"app", param_pridat_datum, 3, t), L"app 6.12.2026 7h 5m");
  EXPECT_EQ(nazev_kopie(L"app", param_pridat_datum, 4, t), L"app 6.12.2026 07-05-09");
  EXPECT_EQ(nazev_kopie(L"app", param_pridat_datum, 5, t), L"app 6.12.2026 7h 5m 9s");
  EXPECT_EQ(nazev_kopie(L"app", param_pridat_datum, 7, t), L"app 6.12.2026");
  EXPECT_EQ(nazev_kopie(L"app", param_pridat_datum, 0, t), L"app 6.12.2026");
  EXPECT_EQ(nazev_kopie(L"app", param_pridat_datum, -1, t), L"app 6.12.2026");

  EXPECT_EQ(cast_casu(cas(1, 1, 2026, 9, 3, 0), 2), L" 09-03");
  EXPECT_EQ(cast_casu(cas(1, 1, 2026, 0, 0, 7), 5), L" 0h 0m 7s");
  EXPECT_EQ(cast_casu(cas(1, 1, 2026, 23, 59, 59), 4), L" 23-59-59");

  EXPECT_EQ(cilova_cesta(L"D:\\archiv\\", L"app"), L"D:\\archiv\\app");
  EXPECT_EQ(cilova_cesta(L"D:\\", L"app"), L"D:\\app");
  EXPECT_EQ(cilova_cesta(L"D:\\archiv", L"app 6.12.2026 7h 5m"), L"D:\\archiv\\app 6.12.2026 7h 5m");
}

TEST(Pravidla, ShodaJmenSeSeznamy)
{
  const seznamy_mazani s = vychozi();
  // By extension, ignoring case; the extension is what follows the last dot.
  EXPECT_TRUE(soubor_odpovida(s, L"x.APS"));
  EXPECT_TRUE(soubor_odpovida(s, L"archive.tar.db"));
  EXPECT_FALSE(soubor_odpovida(s, L"y.exe"));
  // By whole name when the extension is not listed.
  EXPECT_TRUE(soubor_odpovida(s, L"ReadMe.TXT"));
  EXPECT_TRUE(soubor_odpovida(s, L"Thumbs.db"));
  EXPECT_FALSE(soubor_odpovida(s, L"readme.txt.bak"));
  EXPECT_FALSE(soubor_odpovida(s, L"Makefile"));
  EXPECT_FALSE(soubor_odpovida(s, L"aps")) << "a name without a dot has no extension";

  // Wildcards are ordinary characters.
  seznamy_mazani h{seznamy_mazani::bez_nacteni{}};
  h.soubory = {L"*.bak", L"?.obj", L"Makefile"};
  EXPECT_FALSE(soubor_odpovida(h, L"a.bak"));
  EXPECT_FALSE(soubor_odpovida(h, L"x.obj"));
  EXPECT_TRUE(soubor_odpovida(h, L"*.bak"));
  EXPECT_TRUE(soubor_odpovida(h, L"makefile"));

  EXPECT_TRUE(slozka_odpovida(s, L"DEBUG"));
  EXPECT_TRUE(slozka_odpovida(s, L"Debug"));
  EXPECT_TRUE(slozka_odpovida(s, L"debug"));
  EXPECT_TRUE(slozka_odpovida(s, L"Release"));
  EXPECT_FALSE(slozka_odpovida(s, L"debug2"));

  EXPECT_TRUE(skryta_polozka(L"."));
  EXPECT_TRUE(skryta_polozka(L".."));
  EXPECT_TRUE(skryta_polozka(L".vs"));
  EXPECT_TRUE(skryta_polozka(L".gitignore"));
  EXPECT_FALSE(skryta_polozka(L"a.b"));
}

TEST(Pravidla, OdkazPoznaPodleZnacky)
{
  EXPECT_FALSE(je_odkaz(ADRESAR, 0));
  EXPECT_TRUE(je_odkaz(ADRESAR | ODKAZ, 0)) << "a Linux link seen through Wine";
  EXPECT_TRUE(je_odkaz(ADRESAR | ODKAZ, IO_REPARSE_TAG_SYMLINK));
  EXPECT_TRUE(je_odkaz(ADRESAR | ODKAZ, IO_REPARSE_TAG_MOUNT_POINT)) << "junctions and mount points";
  EXPECT_FALSE(je_odkaz(ADRESAR | ODKAZ, 0x9000601Au)) << "a cloud placeholder";
  EXPECT_FALSE(je_odkaz(ADRESAR | ODKAZ, IO_REPARSE_TAG_DEDUP));
  EXPECT_FALSE(je_odkaz(ADRESAR, IO_REPARSE_TAG_SYMLINK)) << "the tag counts only with the attribute";
}

TEST(Pravidla, CoSeStaneSeSlozkou)
{
  // Ordinary folders: deleted when named on the list, entered otherwise.
  EXPECT_EQ(akce_slozky(ADRESAR, 0, true), akce::smazat);
  EXPECT_EQ(akce_slozky(ADRESAR, 0, false), akce::vstoupit);
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, IO_REPARSE_TAG_DEDUP, true), akce::smazat);
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, 0x9000601Au, false), akce::vstoupit);
  // Links are never entered. A matching one goes as a link where that is possible...
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, IO_REPARSE_TAG_SYMLINK, true), akce::odstranit_odkaz);
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, IO_REPARSE_TAG_MOUNT_POINT, true), akce::odstranit_odkaz);
  // ...and stays as a failure where every delete would act on its target (Wine).
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, 0, true), akce::selhani);
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, 0, false), akce::nechat);
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, IO_REPARSE_TAG_SYMLINK, false), akce::nechat);
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, IO_REPARSE_TAG_MOUNT_POINT, false), akce::nechat);
}

TEST(Pravidla, CoSeStaneSeSouborem)
{
  EXPECT_EQ(akce_souboru(FILE_ATTRIBUTE_ARCHIVE, 0, false), akce::nechat);
  EXPECT_EQ(akce_souboru(FILE_ATTRIBUTE_ARCHIVE, 0, true), akce::smazat);
  EXPECT_EQ(akce_souboru(FILE_ATTRIBUTE_READONLY, 0, true), akce::smazat) << "whether it goes is the platform's answer";
  EXPECT_EQ(akce_souboru(ODKAZ, IO_REPARSE_TAG_SYMLINK, true), akce::odstranit_odkaz);
  EXPECT_EQ(akce_souboru(ODKAZ, IO_REPARSE_TAG_SYMLINK, false), akce::nechat);
  EXPECT_EQ(akce_souboru(ODKAZ, 0, true), akce::selhani);
  EXPECT_EQ(akce_souboru(ODKAZ, 0x9000601Au, true), akce::smazat) << "a cloud placeholder is a file";
}

TEST(Pravidla, DlouheCesty)
{
  EXPECT_EQ(dlouha_forma(L"C:\\src\\app"), L"\\\\?\\C:\\src\\app");
  EXPECT_EQ(dlouha_forma(L"c:\\"), L"\\\\?\\c:\\");
  EXPECT_EQ(dlouha_forma(L"\\\\server\\share\\app"), L"\\\\?\\UNC\\server\\share\\app");
  EXPECT_EQ(dlouha_forma(L"\\\\?\\C:\\x"), L"\\\\?\\C:\\x");
  EXPECT_EQ(dlouha_forma(L"\\\\?\\UNC\\s\\h"), L"\\\\?\\UNC\\s\\h");
  EXPECT_EQ(dlouha_forma(L"relativni\\cesta"), L"");
  EXPECT_EQ(dlouha_forma(L"C:relativni"), L"");
  EXPECT_EQ(dlouha_forma(L"\\\\.\\C:\\x"), L"") << "device paths are not taken";
  EXPECT_EQ(dlouha_forma(L""), L"");
  EXPECT_EQ(dlouha_forma(L"C:\\" + std::wstring(NEJDELSI_CESTA - 7, L'a')), L"\\\\?\\C:\\" + std::wstring(NEJDELSI_CESTA - 7, L'a'));
  EXPECT_EQ(dlouha_forma(L"C:\\" + std::wstring(NEJDELSI_CESTA - 6, L'a')), L"") << "one over the limit";

  std::wstring c = L"\\\\?\\C:\\";
  EXPECT_TRUE(pripoj_nazev(c, L"a"));
  EXPECT_EQ(c, L"\\\\?\\C:\\a") << "no second backslash after a root";
  EXPECT_TRUE(pripoj_nazev(c, L"b c"));
  EXPECT_EQ(c, L"\\\\?\\C:\\a\\b c");

  // The limit counts the separator, the name and the room asked for ("\*" of a listing).
  std::wstring dlouha = L"\\\\?\\C:\\" + std::wstring(NEJDELSI_CESTA - 12, L'x');
  std::wstring puvodni = dlouha;
  EXPECT_TRUE(pripoj_nazev(dlouha, L"1234", 0));
  EXPECT_EQ(dlouha.size(), NEJDELSI_CESTA);
  dlouha = puvodni;
  EXPECT_FALSE(pripoj_nazev(dlouha, L"1234", 2));
  EXPECT_EQ(dlouha, puvodni) << "a path that would be too long is left as it was";
  EXPECT_TRUE(pripoj_nazev(dlouha, L"123", 1));

  EXPECT_EQ(bez_koncoveho_lomitka(L"C:\\"), L"C:\\");
  EXPECT_EQ(bez_koncoveho_lomitka(L"\\\\?\\C:\\"), L"\\\\?\\C:\\");
  EXPECT_EQ(bez_koncoveho_lomitka(L"\\\\?\\C:\\a\\"), L"\\\\?\\C:\\a");
  EXPECT_EQ(bez_koncoveho_lomitka(L"\\\\?\\UNC\\s\\h\\"), L"\\\\?\\UNC\\s\\h");
  EXPECT_EQ(bez_koncoveho_lomitka(L"C:\\a"), L"C:\\a");
}

TEST(Pravidla, PrekryvaniCestPocitaJenCelaJmena)
{
  const std::wstring app = L"\\\\?\\C:\\src\\app";
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\c:\\SRC\\App"));
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\C:\\src\\app\\"));
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\C:\\src\\app\\zaloha\\app"));
  EXPECT_TRUE(prekryvaji_se(L"\\\\?\\C:\\src\\app\\zaloha\\app", app));
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\C:\\src"));
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\C:\\")) << "a root holds everything on its drive";
  EXPECT_FALSE(prekryvaji_se(app, L"\\\\?\\C:\\src\\app2"));
  EXPECT_FALSE(prekryvaji_se(app, L"\\\\?\\C:\\src\\ap"));
  EXPECT_FALSE(prekryvaji_se(app, L"\\\\?\\D:\\src\\app"));
  EXPECT_FALSE(prekryvaji_se(L"\\\\?\\Z:\\a", L"\\\\?\\unix\\a"));

  EXPECT_TRUE(lezi_uvnitr(L"C:\\a\\b", L"C:\\a"));
  EXPECT_FALSE(lezi_uvnitr(L"C:\\a", L"C:\\a")) << "equal is not inside";
  EXPECT_FALSE(lezi_uvnitr(L"C:\\a", L"C:\\a\\b"));
  EXPECT_TRUE(stejne_cesty(L"\\\\?\\UNC\\Server\\Share", L"\\\\?\\unc\\server\\share\\"));
}

TEST(Pravidla, ShellDostaneCestuBezPredpony)
{
  EXPECT_EQ(cesta_pro_shell(L"C:\\src\\app\\*.*"), L"C:\\src\\app\\*.*");
  EXPECT_EQ(cesta_pro_shell(L"\\\\server\\share\\app"), L"\\\\server\\share\\app");
  EXPECT_EQ(cesta_pro_shell(L"\\\\?\\C:\\src\\app\\*.*"), L"C:\\src\\app\\*.*");
  EXPECT_EQ(cesta_pro_shell(L"\\\\?\\UNC\\server\\share\\app"), L"\\\\server\\share\\app");
  EXPECT_EQ(cesta_pro_shell(L"\\\\?\\Volume{01234567-89ab-cdef-0123-456789abcdef}\\app"), L"");
  EXPECT_EQ(cesta_pro_shell(L"\\\\.\\C:\\app"), L"");
}

TEST(Pravidla, TextyRadkuVypisu)
{
  EXPECT_EQ(radek_slozka_smazana(L"C:\\src\\app\\Debug"),
            L"Složka \"C:\\src\\app\\Debug\" byla vymazána podle nastavení");
  EXPECT_EQ(radek_soubor_smazan(L"C:\\src\\app\\x.aps"), L"Soubor \"C:\\src\\app\\x.aps\" byl vymazán podle nastavení");
  EXPECT_EQ(radek_selhani(L"Nepodařilo se odstranit soubor", L"C:\\a b\\x.aps"),
            L"Nepodařilo se odstranit soubor \"C:\\a b\\x.aps\"");
  EXPECT_EQ(radek_cas_cisteni(0), L"Celkový čas čištění: 0 sekund");
  EXPECT_EQ(radek_cas(1), L"Celkový čas: 1 sekund");
  EXPECT_EQ(radek_cas_zalohy(61), L"Celkový čas tesvarin: 61 sekund");
  EXPECT_EQ(radek_pocet_chyb(2), L"!! Nepodařilo se odstranit 2 objektů !!");
  EXPECT_EQ(radek_stary_cil_odstranen(L"D:\\archiv\\app"), L"Původní složka D:\\archiv\\app byla odstraněna.");
  EXPECT_STREQ(texty::zanepraznen, L"Probíhá zpracování jiného požadavku. Tesvarin nelze nyní spustit.");
}
