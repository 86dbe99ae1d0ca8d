// The backup's temporary copies: their names, their marks, and what the next backup does
// with what an ended one left.
#include <gtest/gtest.h>
#include "engine/docasne_kopie.h"
#include "engine/nazev_kopie.h"
#include "engine/vypis_texty.h"
#include "tests/podpora/operace_test.h"

using test::existuje;

namespace {

const std::vector<std::wstring> USPECH = {L"Kopírování složky bylo dokončeno", L"Celkový čas tesvarin: 0 sekund"};

void oznac(const std::wstring& slozka, obsah_docasne co, const std::wstring& kopie)
{
  const std::wstring t = text_znacky(co, kopie);
  test::vytvor_soubor(nazev_znacky(slozka), std::string(reinterpret_cast<const char*>(t.data()), 2 * t.size()));
}

} // namespace

TEST(DocasneKopie, NazvyAZnacky)
{
  EXPECT_EQ(docasny_nazev(1, 1), L"~");
  EXPECT_EQ(docasny_nazev(2, 1), L"");
  EXPECT_EQ(docasny_nazev(10, 2), L"");
  for (const wchar_t* n : {L"~", L"~1", L"~42"}) EXPECT_TRUE(je_docasny_nazev(n)) << test::utf8(n);
  for (const wchar_t* n : {L"~0", L"~1a", L"app", L"", L"~ 1"}) EXPECT_FALSE(je_docasny_nazev(n)) << test::utf8(n);
  for (const wchar_t* n : {L"app", L"APP", L"app 6.12.2026", L"app 16.1.2027 07-05", L"app 6.12.2026 7h 5m",
                           L"app 6.12.2026 07-05-09", L"app 6.12.2026 17h 45m 9s"})
    EXPECT_TRUE(je_nazev_kopie(L"app", n)) << test::utf8(n);
  for (const wchar_t* n : {L"app 2", L"app notes", L"app2", L"ap", L"app 6.12.2026 7h", L"app 6.12.2026 7-05",
                           L"app 6.12.2026 07-05 ", L"app 6.12.2026.tesvarin-new"})
    EXPECT_FALSE(je_nazev_kopie(L"app", n)) << test::utf8(n);
  obsah_docasne co = obsah_docasne::nova;
  std::wstring kopie;
  EXPECT_TRUE(cti_znacku(text_znacky(obsah_docasne::stara, L"můj app 6.12.2026"), co, kopie));
  EXPECT_TRUE(co == obsah_docasne::stara && kopie == L"můj app 6.12.2026");
  EXPECT_FALSE(cti_znacku(L"stara\r\n..\\x\r\n", co, kopie));
}

// What a backup ended between its renames leaves: the older copy moved aside and the new
// copy complete beside it, the final name missing. The next backup puts the older copy back
// and replaces it; another source's folder, one the user was told of and one whose backup
// still runs stay.
TEST(DocasneKopie, PrerusenaVymenaSeDalsiZalohouSpravi)
{
  const std::wstring t = test::nova_slozka(L"vymena"), bk = t + L"\\bk";
  test::vytvor_strom(t, {L"app\\novy.txt", L"bk\\~1\\novy.txt", L"bk\\~2\\stary.txt", L"bk\\~3\\cizi.txt",
                         L"bk\\~4\\povedena.txt", L"bk\\~5\\bezi.txt"});
  oznac(bk + L"\\~1", obsah_docasne::nova, L"app");
  oznac(bk + L"\\~2", obsah_docasne::stara, L"app");
  oznac(bk + L"\\~3", obsah_docasne::stara, L"app 2");
  oznac(bk + L"\\~5", obsah_docasne::nova, L"APP 6.12.2026");
  HANDLE bezi = CreateFileW(nazev_znacky(bk + L"\\~5").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  auto b = test::zalohuj(t + L"\\app", bk, param_smazat_stary_cil);
  CloseHandle(bezi);
  std::vector<std::wstring> radky{radek_zbytek_odstranen(bk + L"\\~1"), radek_kopie_vracena(bk + L"\\app", bk + L"\\~2"),
                                  radek_cizi_slozka(bk + L"\\~5"), radek_stary_cil_odstranen(bk + L"\\app")};
  radky.insert(radky.end(), USPECH.begin(), USPECH.end());
  EXPECT_EQ(b.okno.radky, radky);
  EXPECT_TRUE(existuje(bk + L"\\app\\novy.txt") && !existuje(bk + L"\\app\\stary.txt"));
  for (const wchar_t* zustava : {L"~3\\cizi.txt", L"~4\\povedena.txt", L"~5\\bezi.txt"})
    EXPECT_TRUE(existuje(bk + L"\\" + zustava)) << test::utf8(zustava);
  for (const wchar_t* zmizela : {L"~1", L"~2", L"~1.tesvarin-docasna-kopie", L"~2.tesvarin-docasna-kopie", L"~6"})
    EXPECT_FALSE(existuje(bk + L"\\" + zmizela)) << test::utf8(zmizela);
  // The running backup has ended: its folder goes with the next one.
  radky.erase(radky.begin(), radky.begin() + 3);
  radky.insert(radky.begin(), radek_zbytek_odstranen(bk + L"\\~5"));
  EXPECT_EQ(test::zalohuj(t + L"\\app", bk, param_smazat_stary_cil).okno.radky, radky);
}

// The temporary name is never longer than the copy's own: a copy whose longest path fits
// under its own name is made and replaced; one path more is refused, naming the path.
TEST(DocasneKopie, NejdelsiCestaPodVlastnimJmenem)
{
  for (const size_t delka : {255u, 259u, 260u}) {
    const std::wstring t = test::nova_slozka(L"dlouha"), kopie = t + L"\\bk\\app";
    const size_t zbyva = delka - kopie.size() - 2;
    const std::wstring cesta = L"\\" + std::wstring(zbyva / 2, L'd') + L"\\" + std::wstring(zbyva - zbyva / 2, L'f');
    test::vytvor_strom(t, {L"app" + cesta, L"bk\\"});
    ASSERT_EQ((kopie + cesta).size(), delka);
    auto b = test::zalohuj(t + L"\\app", t + L"\\bk");
    if (delka > 259) {
      EXPECT_EQ(b.okno.boxy, std::vector<std::wstring>{radek_cesta_dlouha(kopie + cesta, delka)});
      continue;
    }
    EXPECT_EQ(b.okno.radky, USPECH) << delka;
    b = test::zalohuj(t + L"\\app", t + L"\\bk", param_smazat_stary_cil);
    EXPECT_EQ(b.okno.radky.at(0), radek_stary_cil_odstranen(kopie)) << delka;
    EXPECT_TRUE(existuje(kopie + cesta)) << delka;
  }
  // A copy named with one character is made as "~" and replaced: the older copy's temporary
  // name may be longer.
  const std::wstring t = test::nova_slozka(L"jeden_znak");
  test::vytvor_strom(t, {L"x\\a.txt", L"bk\\"});
  EXPECT_EQ(test::zalohuj(t + L"\\x", t + L"\\bk").okno.radky, USPECH);
  EXPECT_EQ(test::zalohuj(t + L"\\x", t + L"\\bk", param_smazat_stary_cil).okno.radky.at(0),
            radek_stary_cil_odstranen(t + L"\\bk\\x"));
}
