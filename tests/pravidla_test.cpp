// The rules that need neither window nor disk: elapsed time, names and the date suffix,
// matching, what is done with an entry, and how paths are formed and compared.
#include <gtest/gtest.h>
#include "engine/pravidla.h"
#include "tests/podpora/podpora.h"
#include "ui/nastaveni.h"
#include "ui/seznamy_mazani.h"

namespace {
constexpr DWORD ADRESAR = FILE_ATTRIBUTE_DIRECTORY;
constexpr DWORD ODKAZ = FILE_ATTRIBUTE_REPARSE_POINT;
constexpr DWORD CLOUD = 0x9000601Au; // a cloud placeholder: not a name surrogate
} // namespace

TEST(Pravidla, UplynuleSekundyIPoPreteceniCitace)
{
  EXPECT_EQ(sekundy_mezi(5000, 5999), 0u);
  EXPECT_EQ(sekundy_mezi(5000, 6000), 1u);
  EXPECT_EQ(sekundy_mezi(0, 59999), 59u);
  EXPECT_EQ(sekundy_mezi(0xFFFFFF00u, 0x2E7u), 0u);
  EXPECT_EQ(sekundy_mezi(0xFFFFFF00u, 0x2E8u), 1u);
  EXPECT_EQ(sekundy_mezi(0xFFFF0000u, 0x0001D4C0u), 185u);
}

TEST(Pravidla, NazevACestaNoveSlozky)
{
  std::wstring n;
  EXPECT_EQ(nazev_slozky(L"C:\\src\\app", n), 0);
  EXPECT_EQ(n, L"app");
  EXPECT_EQ(nazev_slozky(L"\\\\server\\share", n), 0);
  EXPECT_EQ(n, L"share");
  for (const wchar_t* spatne : {L"C:\\", L"C:", L"", L"C:\\src\\app\\", L"relativni", L"C:/src/app"})
    EXPECT_EQ(nazev_slozky(spatne, n), 1) << test::utf8(spatne);
  EXPECT_FALSE(nazev_pouzitelny(L"..")) << "C:\\src\\app\\.. would make the target the location's parent";
  EXPECT_FALSE(nazev_pouzitelny(L"."));
  EXPECT_FALSE(nazev_pouzitelny(L"app."));
  EXPECT_TRUE(nazev_pouzitelny(L"můj projekt.v2"));

  std::wstring s = L"D:\\archiv\\\\\\";
  EXPECT_EQ(odstranit_koncova_lomitka(s), 3u);
  EXPECT_EQ(s, L"D:\\archiv");
  EXPECT_EQ(cilova_cesta(L"D:\\", L"app"), L"D:\\app");

  SYSTEMTIME t{};
  t.wDay = 6, t.wMonth = 12, t.wYear = 2026, t.wHour = 7, t.wMinute = 5, t.wSecond = 9;
  EXPECT_EQ(nazev_kopie(L"app", false, 3, t), L"app");
  EXPECT_EQ(nazev_kopie(L"app", true, 1, t), L"app 6.12.2026");
  EXPECT_EQ(nazev_kopie(L"app", true, 2, t), L"app 6.12.2026 07-05");
  EXPECT_EQ(nazev_kopie(L"app", true, 3, t), L"app 6.12.2026 7h 5m");
  EXPECT_EQ(nazev_kopie(L"app", true, 4, t), L"app 6.12.2026 07-05-09");
  EXPECT_EQ(nazev_kopie(L"app", true, 5, t), L"app 6.12.2026 7h 5m 9s");
  EXPECT_EQ(nazev_kopie(L"app", true, 7, t), L"app 6.12.2026");
  t.wDay = 1, t.wMonth = 1, t.wYear = 2027, t.wHour = 0, t.wMinute = 0, t.wSecond = 7;
  EXPECT_EQ(pripona_data(t, 5), L" 1.1.2027 0h 0m 7s");
  t.wHour = 9, t.wMinute = 3;
  EXPECT_EQ(cast_casu(t, 2), L" 09-03");
}

TEST(Pravidla, ShodaJmenSeSeznamy)
{
  seznamy_mazani s{seznamy_mazani::bez_nacteni{}};
  s.vychozi_soubory();
  s.vychozi_slozky();
  s.soubory.insert(s.soubory.end(), {L"*.bak", L"*", L"*.*"}); // the last two are never used
  for (const wchar_t* ano : {L"x.APS", L"archive.tar.db", L"ReadMe.TXT", L"Thumbs.db", L"a.BAK", L"readme.txt.bak"})
    EXPECT_TRUE(soubor_odpovida(s.soubory, ano)) << test::utf8(ano);
  for (const wchar_t* ne : {L"y.exe", L"Makefile", L"aps", L"a.bak.txt"})
    EXPECT_FALSE(soubor_odpovida(s.soubory, ne)) << test::utf8(ne);
  EXPECT_TRUE(slozka_odpovida(s.slozky, L"DEBUG"));
  EXPECT_TRUE(slozka_odpovida(s.slozky, L"debug"));
  EXPECT_FALSE(slozka_odpovida(s.slozky, L"debug2"));
  EXPECT_TRUE(skryta_polozka(L".vs"));
  EXPECT_TRUE(skryta_polozka(L".."));
  EXPECT_FALSE(skryta_polozka(L"a.b"));
}

TEST(Pravidla, VzoryANazvyKterePasovatNemohou)
{
  struct {
    const wchar_t* vzor;
    const wchar_t* nazev;
    bool shoda;
  } const pripady[] = {
      {L"*.obj", L"a.obj", true},        {L"*.obj", L"b.OBJ", true},           {L"*.obj", L"c.obj.txt", false},
      {L"thumbs?.db", L"Thumbs1.DB", true}, {L"thumbs?.db", L"thumbs.db", false}, {L"thumbs?.db", L"thumbs12.db", false},
      {L"*.*", L"Makefile", false},      {L"*.", L"a", false},                 {L"a*", L"a", true},
      {L"*a*b", L"xaxbab", true},        {L"*a*b", L"ab ba", false},           {L"~$*", L"~$návrh.docx", true},
      {L"ž?.txt", L"ŽŠ.TXT", true},      {L"?.txt", L"\U0001F600.txt", true},   {L"??.txt", L"\U0001F600.txt", false},
      {L"[ab].txt", L"a.txt", false},    {L"a*a*a*a*b", L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", false},
  };
  for (const auto& p : pripady)
    EXPECT_EQ(odpovida_vzoru(p.vzor, p.nazev), p.shoda) << test::utf8(p.vzor) << " " << test::utf8(p.nazev);
  for (const wchar_t* vse : {L"*", L"*.*", L"?*", L"?", L".*"}) EXPECT_TRUE(vzor_pro_vse(vse)) << test::utf8(vse);
  for (const wchar_t* ne : {L"*.obj", L" *", L".", L"a?"}) EXPECT_FALSE(vzor_pro_vse(ne)) << test::utf8(ne);
  EXPECT_EQ(nepovoleny_znak(L" *.obj|", false), L'|') << "leading blanks and wildcards are allowed for files";
  EXPECT_EQ(nepovoleny_znak(L" a*b", true), L'*') << "folders take names only";
}

TEST(Pravidla, CoSeStaneSPolozkou)
{
  // Folders: ordinary ones (other reparse tags included) are deleted or entered.
  EXPECT_EQ(akce_slozky(ADRESAR, 0, true), akce::smazat);
  EXPECT_EQ(akce_slozky(ADRESAR, 0, false), akce::vstoupit);
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, CLOUD, true), akce::smazat);
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, IO_REPARSE_TAG_DEDUP, false), akce::vstoupit);
  EXPECT_EQ(akce_slozky(ADRESAR, IO_REPARSE_TAG_SYMLINK, false), akce::vstoupit) << "a tag counts only with the attribute";
  // Links are never entered; a matching one goes as a link where the platform can do that...
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, IO_REPARSE_TAG_SYMLINK, true), akce::odstranit_odkaz);
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, IO_REPARSE_TAG_MOUNT_POINT, true), akce::odstranit_odkaz);
  // ...and stays as a failure where every delete acts on its target (Wine shows tag 0).
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, 0, true), akce::selhani);
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, 0, false), akce::nechat);
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, IO_REPARSE_TAG_SYMLINK, false), akce::nechat);
  EXPECT_EQ(akce_slozky(ADRESAR | ODKAZ, IO_REPARSE_TAG_MOUNT_POINT, false), akce::nechat);
  // Files.
  EXPECT_EQ(akce_souboru(FILE_ATTRIBUTE_ARCHIVE, 0, false), akce::nechat);
  EXPECT_EQ(akce_souboru(FILE_ATTRIBUTE_READONLY, 0, true), akce::smazat);
  EXPECT_EQ(akce_souboru(ODKAZ, CLOUD, true), akce::smazat);
  EXPECT_EQ(akce_souboru(ODKAZ, IO_REPARSE_TAG_SYMLINK, true), akce::odstranit_odkaz);
  EXPECT_EQ(akce_souboru(ODKAZ, IO_REPARSE_TAG_SYMLINK, false), akce::nechat);
  EXPECT_EQ(akce_souboru(ODKAZ, 0, true), akce::selhani);
}

TEST(Pravidla, DlouheCestyAPrekryvani)
{
  EXPECT_EQ(dlouha_forma(L"C:\\src"), L"\\\\?\\C:\\src");
  EXPECT_EQ(dlouha_forma(L"\\\\server\\share\\app"), L"\\\\?\\UNC\\server\\share\\app");
  EXPECT_EQ(dlouha_forma(L"\\\\?\\C:\\x"), L"\\\\?\\C:\\x");
  EXPECT_EQ(dlouha_forma(L"C:relativni"), L"");
  EXPECT_EQ(dlouha_forma(L"\\\\.\\C:\\x"), L"");
  EXPECT_EQ(dlouha_forma(L"C:\\" + std::wstring(NEJDELSI_CESTA - 6, L'a')), L"") << "one over the limit";

  std::wstring c = L"\\\\?\\C:\\";
  EXPECT_TRUE(pripoj_nazev(c, L"a"));
  EXPECT_EQ(c, L"\\\\?\\C:\\a") << "no second backslash after a root";
  // The limit counts the separator, the name and the room asked for ("\*" of a listing).
  c = L"\\\\?\\C:\\" + std::wstring(NEJDELSI_CESTA - 12, L'x');
  const std::wstring puvodni = c;
  EXPECT_FALSE(pripoj_nazev(c, L"1234", 2));
  EXPECT_EQ(c, puvodni) << "a path that would be too long is left as it was";
  EXPECT_TRUE(pripoj_nazev(c, L"1234", 0));
  EXPECT_EQ(c.size(), NEJDELSI_CESTA);

  const std::wstring app = L"\\\\?\\C:\\src\\app";
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\c:\\SRC\\App\\"));
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\C:\\src\\app\\zaloha\\app"));
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\C:\\src"));
  EXPECT_TRUE(prekryvaji_se(app, L"\\\\?\\C:\\"));
  EXPECT_FALSE(prekryvaji_se(app, L"\\\\?\\C:\\src\\app2")) << "a prefix counts only at a backslash";
  EXPECT_FALSE(prekryvaji_se(L"\\\\?\\Z:\\a", L"\\\\?\\unix\\a"));

  EXPECT_EQ(cesta_pro_shell(L"\\\\?\\C:\\app\\*.*"), L"C:\\app\\*.*");
  EXPECT_EQ(cesta_pro_shell(L"\\\\?\\UNC\\server\\share"), L"\\\\server\\share");
  EXPECT_EQ(cesta_pro_shell(L"\\\\?\\Volume{0}\\app"), L"");
}

// Slashes become backslashes first; then only a path that names its place goes on.
TEST(Pravidla, AbsolutniCestySJednotnymiLomitky)
{
  for (const wchar_t* c : {L"C:\\src", L"z:/t", L"\\\\server\\share", L"//server/share", L"\\\\?\\C:\\x"})
    EXPECT_TRUE(je_absolutni(jednotna_lomitka(c))) << test::utf8(c);
  for (const wchar_t* c : {L".", L"..\\x", L"app", L"/app", L"Z:x", L"", L"\\\\server\\", L"\\\\\\x\\y", L"\\\\.\\C:\\x"})
    EXPECT_FALSE(je_absolutni(jednotna_lomitka(c))) << test::utf8(c);
}

TEST(Pravidla, KorenSvazkuPresnaShodaACasyKopie)
{
  struct {
    const wchar_t* cesta;
    bool koren;
  } const pripady[] = {
      {L"C:\\", true},           {L"C:", true},
      {L"c:\\\\", true},         {L"\\\\?\\Z:\\", true},
      {L"\\\\server\\share", true}, {L"\\\\server\\share\\", true},
      {L"\\\\?\\UNC\\server\\share\\", true}, {L"\\\\?\\Volume{0c1d}\\", true},
      {L"C:\\src", false},       {L"\\\\?\\C:\\src\\", false},
      {L"\\\\server\\share\\app", false}, {L"\\\\?\\UNC\\server\\share\\app", false},
      {L"\\\\?\\Volume{0c1d}\\app", false}, {L"", false},
  };
  for (const auto& p : pripady) EXPECT_EQ(je_koren_svazku(p.cesta), p.koren) << test::utf8(p.cesta);

  EXPECT_TRUE(stejne_presne(L"\\\\?\\Z:\\t\\app\\", L"\\\\?\\Z:\\t\\app"));
  EXPECT_FALSE(stejne_presne(L"\\\\?\\Z:\\t\\APP\\notes.db", L"\\\\?\\Z:\\t\\app\\notes.db"));

  const auto cas = [](long long sto_ns) {
    return FILETIME{static_cast<DWORD>(sto_ns), static_cast<DWORD>(sto_ns >> 32)};
  };
  const long long t = 132000000000000000LL;
  EXPECT_TRUE(casy_shodne(cas(t), cas(t)));
  EXPECT_TRUE(casy_shodne(cas(t), cas(t + 20000000))) << "FAT rounds up to two seconds";
  EXPECT_FALSE(casy_shodne(cas(t), cas(t + 20000001)));
  EXPECT_FALSE(casy_shodne(cas(t), cas(t - 20000001)));
}
