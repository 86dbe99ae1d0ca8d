// The clean's preview: its numbers, sizes and plural forms, and its source checks.
#include <gtest/gtest.h>
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include "engine/nahled.h"
#include "engine/vypis_texty.h"
#include "tests/podpora/operace_test.h"

TEST(VypisTexty, VelikostiAPocty)
{
  const unsigned long long kb = 1024, mb = kb * kb, gb = mb * kb;
  const struct {
    std::wstring text, cekano;
  } pripady[] = {
      {text_velikosti(0), L"0 bajtů"},
      {text_velikosti(1), L"1 bajt"},
      {text_velikosti(1023), L"1\u00A0023 bajtů"},
      {text_velikosti(kb), L"1,0 KB"},
      {text_velikosti(mb - 1), L"1\u00A0023,9 KB"}, // cut off, never rounded up
      {text_velikosti(mb), L"1,0 MB"},
      {text_velikosti(40055604), L"38,2 MB"},
      {text_velikosti(2048 * gb), L"2\u00A0048,0 GB"},
      {pocet_souboru(0), L"0 souborů"},
      {pocet_souboru(1), L"1 soubor"},
      {pocet_souboru(2), L"2 soubory"},
      {pocet_souboru(1204), L"1\u00A0204 souborů"},
      {pocet_slozek(1), L"1 složka"},
      {pocet_slozek(12), L"12 složek"},
      {pocet_slozek(1, true), L"1 složku"},
      {obsah_slozky(1204, 40055604), L" (1\u00A0204 souborů, 38,2 MB)"},
      {radek_nahled_souhrn(1, 1, 1), L"Náhled: vyčištění by odstranilo 1 soubor a 1 složku, celkem 1 bajt. Nic nebylo smazáno."},
      {radek_selhani(L"Nepodařilo se projít složku", L"C:\\a", true), L"Nepodařilo by se projít složku \"C:\\a\""},
      {radek_soubor_smazan(L"C:\\a", true), L"Soubor \"C:\\a\" by byl vymazán podle nastavení"},
  };
  for (const auto& p : pripady) EXPECT_EQ(p.text, p.cekano);
}

// The clean's own checks and boxes: a folder the clean refuses is refused, and nothing listed.
TEST(Nahled, OdmitneZdrojJakoCisteni)
{
  const std::wstring dokumenty = test::znama_slozka(FOLDERID_Documents);
  const std::pair<std::wstring, const wchar_t*> zdroje[] = {{dokumenty, texty::zdroj_cisteni_vlastni},
                                                            {L"C:\\users\\", texty::zdroj_cisteni_vlastni},
                                                            {L"app", texty::zdroj_cisteni_neplatny}};
  const std::vector<std::wstring> soubory{L".aps"}, slozky{L"debug"};
  for (const auto& [zdroj, text] : zdroje) {
    test::okno_test o;
    EXPECT_EQ(nahled_cisteni({zdroj, soubory, slozky, {}}, o), E_INVALIDARG);
    EXPECT_EQ(o.poradi, (std::vector<std::wstring>{L"vymazano", L"box: " + std::wstring(text)})) << test::utf8(zdroj);
  }
}
