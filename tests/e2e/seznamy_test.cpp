// The cleaning lists and the preferences of the real program, edited through its buttons and
// dialogs as a user does it, and read back from its window, the registry and the disk.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <utility>
#include <vector>
#include "engine/nazev_kopie.h"
#include "engine/vypis_texty.h"
#include "frame/registr.h"
#include "res/resource.h"
#include "tests/e2e/program.h"
#include "tests/podpora/operace_test.h"
#include "tests/podpora/podpora.h"

namespace {

using namespace e2e;

const std::wstring PRIDAT_SOUBOR = L"Zadej název nového souboru, který se má odstraňovat";
const std::wstring PRIDAT_SLOZKU = L"Zadej název nové složky, který se má odstraňovat";

// Lets the program finish what it is doing: a sent message is handled only when its
// thread takes messages again, in its loop or in a box's.
void dorovnej(beh& b) { SendMessageW(b.dialog(), WM_NULL, 0, 0); }

// Clicks a button that opens a dialog (posted: the dialog runs inside the click) and
// returns that dialog, visible.
HWND otevri(beh& b, int tlacitko, const wchar_t* titulek, int prvek)
{
  PostMessageW(b.prvek(tlacitko), BM_CLICK, 0, 0);
  return test::cekej_na_dialog(b.pi.dwProcessId, titulek, prvek);
}

// Leaves a dialog with one of its buttons and waits until the program is done with it.
void stiskni(beh& b, HWND dialog, int tlacitko)
{
  PostMessageW(GetDlgItem(dialog, tlacitko), BM_CLICK, 0, 0);
  EXPECT_TRUE(test::pumpuj_dokud([&] { return !IsWindow(dialog); })) << "the dialog did not close";
  dorovnej(b);
}

// Add on a list: types `text` into the text input dialog and leaves it with `tlacitko`.
// Returns the prompt the dialog showed.
std::wstring pridej(beh& b, int tlacitko_pridat, const std::wstring& text, int tlacitko = IDOK)
{
  HWND d = otevri(b, tlacitko_pridat, L"Tesvarin", IDC_VSTUP_TEXT);
  if (!d) return L"<no dialog>";
  const std::wstring vyzva = test::text_okna(GetDlgItem(d, IDC_VSTUP_VYZVA));
  test::napis(GetDlgItem(d, IDC_VSTUP_TEXT), text);
  stiskni(b, d, tlacitko);
  return vyzva;
}

std::vector<BYTE> bajty(const wchar_t* hodnota)
{
  DWORD typ = 0;
  std::vector<BYTE> d;
  if (!test::cti_hodnotu(KLIC_APLIKACE, hodnota, typ, d) || typ != REG_MULTI_SZ) return {0xEE};
  return d;
}

std::vector<BYTE> kodovani(const std::vector<std::wstring>& seznam)
{
  auto k = test::zakoduj_retezce(seznam);
  return std::vector<BYTE>(k.begin(), k.end());
}

const std::vector<std::wstring> VYCHOZI_SOUBORY = {L".aps", L".ncb", L".sdf", L".db", L"readme.txt", L"thumbs.db"};
const std::vector<std::wstring> VYCHOZI_SLOZKY = {L"debug", L"ipch", L"release"};

class Seznamy : public ::testing::Test {
protected:
  void SetUp() override { test::smaz_klic(KLIC_APLIKACE); }
  void TearDown() override { test::smaz_klic(KLIC_APLIKACE); }

  // Both list boxes show the lists, the first item selected, and the registry holds them.
  static void ukazuje_a_ulozeno(beh& b, const std::vector<std::wstring>& soubory,
                                const std::vector<std::wstring>& slozky, const char* kde)
  {
    EXPECT_EQ(test::polozky_seznamu(b.prvek(IDC_SOUBORY)), soubory) << kde;
    EXPECT_EQ(test::polozky_seznamu(b.prvek(IDC_SLOZKY)), slozky) << kde;
    for (int lb : {IDC_SOUBORY, IDC_SLOZKY}) // the first item selected, if any
      EXPECT_EQ(SendMessageW(b.prvek(lb), LB_GETCURSEL, 0, 0), test::polozky_seznamu(b.prvek(lb)).empty() ? LB_ERR : 0)
          << kde;
    EXPECT_EQ(bajty(L"mazane_soubory"), kodovani(soubory)) << kde;
    EXPECT_EQ(bajty(L"mazane_slozky"), kodovani(slozky)) << kde;
  }
};

} // namespace

TEST_F(Seznamy, UpravySeznamuTlacitkyPretrvajiAVycisteniSeJimiRidi)
{
  std::vector<std::wstring> soubory, slozky;
  {
    beh b;
    ASSERT_TRUE(b.cekej_na_okno());
    ukazuje_a_ulozeno(b, VYCHOZI_SOUBORY, VYCHOZI_SLOZKY, "first start");

    // Cancel, an empty OK, duplicates and names that can never match change nothing, save nothing.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, KLIC_APLIKACE, L"mazane_soubory");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, KLIC_APLIKACE, L"mazane_slozky");
    EXPECT_EQ(pridej(b, IDC_PRIDAT_SOUBOR, L".obj", IDCANCEL), PRIDAT_SOUBOR);
    EXPECT_EQ(pridej(b, IDC_PRIDAT_SLOZKU, L""), PRIDAT_SLOZKU);
    const auto vzor = [](const std::wstring& v) {
      return L"Vzor „" + v + L"“ by při čištění vymazal téměř všechny soubory, proto jej nelze přidat do seznamu.";
    };
    const auto znak = [](const wchar_t* z) { return L"Název souboru nemůže obsahovat znak „" + std::wstring(z) + L"“."; };
    struct duplicita {
      int tlacitko;
      const wchar_t* text;
      std::wstring zprava;
    } const duplicity[] = {
        {IDC_PRIDAT_SLOZKU, L"DEBUG", L"Zadaná složka je již v seznamu"},
        {IDC_PRIDAT_SOUBOR, L"ReadMe.TXT", L"Zadaný soubor je již v seznamu"},
        {IDC_PRIDAT_SOUBOR, L"*", vzor(L"*")}, {IDC_PRIDAT_SOUBOR, L"*.*", vzor(L"*.*")}, {IDC_PRIDAT_SOUBOR, L"?*", vzor(L"?*")},
        {IDC_PRIDAT_SOUBOR, L"a\\b", znak(L"\\")}, {IDC_PRIDAT_SOUBOR, L"x:y", znak(L":")}, {IDC_PRIDAT_SOUBOR, L"a\"b", znak(L"\"")},
        {IDC_PRIDAT_SLOZKU, L"*.obj",
         L"Název složky nemůže obsahovat znak „*“. Zástupné znaky lze použít jen v seznamu souborů."}};
    for (const auto& d : duplicity) {
      pridej(b, d.tlacitko, d.text);
      test::box box;
      ASSERT_TRUE(test::odklikni_box(b.pi.dwProcessId, box)) << test::utf8(d.text);
      EXPECT_EQ(box.titulek, L"Tesvarin");
      EXPECT_EQ(box.text, d.zprava);
    }
    EXPECT_EQ(bajty(L"mazane_soubory"), bajty(L"mazane_slozky")) << "nothing was saved: both missing";
    EXPECT_EQ(test::polozky_seznamu(b.prvek(IDC_SOUBORY)), VYCHOZI_SOUBORY);
    EXPECT_EQ(test::polozky_seznamu(b.prvek(IDC_SLOZKY)), VYCHOZI_SLOZKY);

    // Remove the second of three: the others keep their order.
    auto odeber_druhou = [&] {
      SendMessageW(b.prvek(IDC_SLOZKY), LB_SETCURSEL, 1, 0);
      SendMessageW(b.prvek(IDC_ODEBRAT_SLOZKU), BM_CLICK, 0, 0);
    };
    odeber_druhou();
    ukazuje_a_ulozeno(b, VYCHOZI_SOUBORY, {L"debug", L"release"}, "removed ipch");

    // A blank makes another name; it goes last, the first item stays selected.
    pridej(b, IDC_PRIDAT_SLOZKU, L" debug");
    ukazuje_a_ulozeno(b, VYCHOZI_SOUBORY, {L"debug", L"release", L" debug"}, "added \" debug\"");

    // Defaults replace the list.
    SendMessageW(b.prvek(IDC_VYCHOZI_SLOZKY), BM_CLICK, 0, 0);
    ukazuje_a_ulozeno(b, VYCHOZI_SOUBORY, VYCHOZI_SLOZKY, "folder defaults");

    // Remove all: nothing left to remove; an Add makes it usable again.
    SendMessageW(b.prvek(IDC_ODSTRANIT_SOUBORY), BM_CLICK, 0, 0);
    ukazuje_a_ulozeno(b, {}, VYCHOZI_SLOZKY, "files removed");
    EXPECT_FALSE(IsWindowEnabled(b.prvek(IDC_ODEBRAT_SOUBOR)));
    pridej(b, IDC_PRIDAT_SOUBOR, L".obj");
    EXPECT_TRUE(IsWindowEnabled(b.prvek(IDC_ODEBRAT_SOUBOR)));

    odeber_druhou();
    soubory = {L".obj"};
    slozky = {L"debug", L"release"};
    ukazuje_a_ulozeno(b, soubory, slozky, "as left");
    EXPECT_EQ(b.zavri(), 0u);
  }

  // The next run shows the lists as left and cleans by them.
  const std::wstring zdroj = test::nova_slozka(L"seznamy");
  for (const auto* s : {L"\\Debug", L"\\ipch", L"\\sub", L"\\sub\\release"}) test::vytvor_slozku(zdroj + s);
  for (const auto* s : {L"\\x.obj", L"\\x.aps", L"\\sub\\y.OBJ", L"\\ipch\\z.txt"}) test::vytvor_soubor(zdroj + s);
  test::zapis_hodnotu(KLIC_APLIKACE, L"slozka", REG_SZ, zdroj.c_str(), static_cast<DWORD>(2 * (zdroj.size() + 1)));
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  ukazuje_a_ulozeno(b, soubory, slozky, "after the restart");
  b.operace(IDC_VYCISTIT);
  for (const auto* smazano : {L"\\x.obj", L"\\sub\\y.OBJ", L"\\Debug", L"\\sub\\release"})
    EXPECT_FALSE(test::existuje(zdroj + smazano)) << test::utf8(smazano);
  for (const auto* zustava : {L"\\x.aps", L"\\ipch\\z.txt"}) // no longer on the lists
    EXPECT_TRUE(test::existuje(zdroj + zustava)) << test::utf8(zustava);
  EXPECT_EQ(b.zavri(), 0u);
  EXPECT_EQ(bajty(L"mazane_soubory"), kodovani(soubory));
  EXPECT_EQ(bajty(L"mazane_slozky"), kodovani(slozky));
}

TEST_F(Seznamy, PredvolbyZvolenyFormatPojmenujeDalsiZalohu)
{
  const std::wstring zdroj = test::nova_slozka(L"app"), cil = test::nova_slozka(L"archiv");
  const DWORD jen_datum = 1;
  test::zapis_hodnotu(KLIC_APLIKACE, L"param", REG_DWORD, &jen_datum, sizeof jen_datum);
  for (const auto& [nazev, text] : {std::pair{L"slozka", zdroj}, {L"slozka_cil", cil}})
    test::zapis_hodnotu(KLIC_APLIKACE, nazev, REG_SZ, text.c_str(), static_cast<DWORD>(2 * (text.size() + 1)));
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  HWND d = otevri(b, IDC_PREDVOLBY, L"Předvolby - Tesvarin", IDC_FORMAT_DATA);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(SendDlgItemMessageW(d, IDC_FORMAT_DATA, CB_GETCURSEL, 0, 0), 1) << "the default code 3";
  SendDlgItemMessageW(d, IDC_FORMAT_DATA, CB_SETCURSEL, 2, 0);
  stiskni(b, d, IDOK);
  EXPECT_EQ(test::cislo_hodnoty(L"vypis_casu"), 5u);

  SYSTEMTIME pred{}, po{};
  GetLocalTime(&pred);
  b.operace(IDC_ZALOHOVAT);
  GetLocalTime(&po);
  EXPECT_EQ(b.zavri(), 0u);
  // The copy is named with the time of the click (a second may have passed meanwhile).
  const std::wstring nazev = zdroj.substr(zdroj.rfind(L'\\') + 1);
  const std::wstring moznosti[] = {nazev_kopie(nazev, 1, 5, pred), nazev_kopie(nazev, 1, 5, po)};
  EXPECT_TRUE(test::existuje(cil + L"\\" + moznosti[0]) || test::existuje(cil + L"\\" + moznosti[1]))
      << test::utf8(moznosti[0]);
}

TEST_F(Seznamy, VzoryBerouCeleJmenoAVzorProVseSeVynecha)
{
  // "*" comes from the registry, as from a list edited outside the program.
  const std::vector<BYTE> ulozene = kodovani({L"*", L"*.obj"});
  test::zapis_hodnotu(KLIC_APLIKACE, L"mazane_soubory", REG_MULTI_SZ, ulozene.data(), static_cast<DWORD>(ulozene.size()));
  const std::wstring zdroj = test::nova_slozka(L"vzory");
  test::vytvor_strom(zdroj, {L"a.obj", L"b.OBJ", L"c.obj.txt", L"thumbs1.db", L".hidden.obj", L"x.obj\\y.obj"});
  test::zapis_hodnotu(KLIC_APLIKACE, L"slozka", REG_SZ, zdroj.c_str(), static_cast<DWORD>(2 * (zdroj.size() + 1)));
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  pridej(b, IDC_PRIDAT_SOUBOR, L"thumbs?.db");
  b.operace(IDC_VYCISTIT);
  const auto radky = test::polozky_seznamu(b.prvek(IDC_VYPIS));
  EXPECT_EQ(radky.at(1), radek_vzor_vynechan(L"*")) << "before the first deletion";
  std::vector<std::wstring> smazano;
  for (const auto* s : {L"\\a.obj", L"\\b.OBJ", L"\\thumbs1.db", L"\\x.obj\\y.obj"})
  {
    smazano.push_back(radek_soubor_smazan(zdroj + s));
    EXPECT_FALSE(test::existuje(zdroj + s)) << test::utf8(s);
  }
  EXPECT_EQ(test::serazene(radky, 2, 2), test::serazene(smazano));
  for (const auto* s : {L"\\c.obj.txt", L"\\.hidden.obj", L"\\x.obj"}) EXPECT_TRUE(test::existuje(zdroj + s)) << test::utf8(s);
}
