// The preview's numbers, sizes and plural forms in a table.
#include <gtest/gtest.h>
#include "engine/vypis_texty.h"

TEST(VypisTexty, VelikostiAPocty)
{
  const unsigned long long kb = 1024, mb = kb * kb, gb = mb * kb;
  const struct {
    std::wstring text, cekano;
  } pripady[] = {
      {text_velikosti(0), L"0 bajtů"},
      {text_velikosti(1), L"1 bajt"},
      {text_velikosti(4), L"4 bajty"},
      {text_velikosti(5), L"5 bajtů"},
      {text_velikosti(1023), L"1\u00A0023 bajtů"},
      {text_velikosti(kb), L"1,0 KB"},
      {text_velikosti(kb + kb / 2), L"1,5 KB"},
      {text_velikosti(mb - 1), L"1\u00A0023,9 KB"}, // cut off, never rounded up
      {text_velikosti(mb), L"1,0 MB"},
      {text_velikosti(40055604), L"38,2 MB"},
      {text_velikosti(5 * gb + gb / 2), L"5,5 GB"},
      {text_velikosti(2048 * gb), L"2\u00A0048,0 GB"},
      {pocet_souboru(0), L"0 souborů"},
      {pocet_souboru(1), L"1 soubor"},
      {pocet_souboru(2), L"2 soubory"},
      {pocet_souboru(4), L"4 soubory"},
      {pocet_souboru(22), L"22 souborů"},
      {pocet_souboru(1204), L"1\u00A0204 souborů"},
      {pocet_slozek(1), L"1 složka"},
      {pocet_slozek(3), L"3 složky"},
      {pocet_slozek(12), L"12 složek"},
      {pocet_slozek(1, true), L"1 složku"},
      {text_cisla(1234567), L"1\u00A0234\u00A0567"},
      {obsah_slozky(1204, 40055604), L" (1\u00A0204 souborů, 38,2 MB)"},
      {radek_nahled_souhrn(1, 1, 1), L"Náhled: vyčištění by odstranilo 1 soubor a 1 složku, celkem 1 bajt. Nic nebylo smazáno."},
      {radek_selhani(L"Nepodařilo se projít složku", L"C:\\a", true), L"Nepodařilo by se projít složku \"C:\\a\""},
      {radek_soubor_smazan(L"C:\\a", true), L"Soubor \"C:\\a\" by byl vymazán podle nastavení"},
  };
  for (const auto& p : pripady) EXPECT_EQ(p.text, p.cekano);
}
