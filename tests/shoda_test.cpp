// Which entries the cleaning lists name, and what the clean does with an entry.
#include <gtest/gtest.h>
#include "engine/shoda.h"
#include "tests/podpora/podpora.h"
#include "ui/seznamy_mazani.h"

namespace {
constexpr DWORD ADRESAR = FILE_ATTRIBUTE_DIRECTORY;
constexpr DWORD ODKAZ = FILE_ATTRIBUTE_REPARSE_POINT;
constexpr DWORD CLOUD = 0x9000601Au; // a cloud placeholder: not a name surrogate
} // namespace

TEST(Shoda, ShodaJmenSeSeznamy)
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
  // Only letter case is set aside: names that are other names to the file system do not
  // match, whatever a linguistic comparison would make of them.
  EXPECT_FALSE(slozka_odpovida(s.slozky, L"Deb\u00ADug")) << "a soft hyphen";
  EXPECT_FALSE(slozka_odpovida({L"Strasse"}, L"Stra\u00DFe"));
  EXPECT_FALSE(soubor_odpovida({L".ae"}, L"x.\u00E6"));
  EXPECT_FALSE(soubor_odpovida({L"caf\u00E9.txt"}, L"cafe\u0301.txt")) << "composed and decomposed";
  EXPECT_TRUE(skryta_polozka(L".vs"));
  EXPECT_TRUE(skryta_polozka(L".."));
  EXPECT_FALSE(skryta_polozka(L"a.b"));
}

TEST(Shoda, VzoryANazvyKterePasovatNemohou)
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

TEST(Shoda, CoSeStaneSPolozkou)
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
