// The cleaning lists and the preferences of the real program, edited through its buttons and
// dialogs as a user does it, and read back from its window, the registry and the disk.
#include <gtest/gtest.h>
#include <windows.h>
#include <string>
#include <vector>
#include "engine/pravidla.h"
#include "frame/registr.h"
#include "res/resource.h"
#include "tests/e2e/program.h"
#include "tests/podpora/podpora.h"

namespace {

using namespace e2e;

const std::wstring PRIDAT_SOUBOR = L"Zadej název nového souboru, který se má odstraňovat";
const std::wstring PRIDAT_SLOZKU = L"Zadej název nové složky, který se má odstraňovat";

// Lets the program finish what it is doing: a sent message is handled only when its
// thread takes messages again, in its loop or in a box's.
void dorovnej(beh& b) { SendMessageW(b.dialog(), WM_NULL, 0, 0); }

void cekej_na_zavreni(HWND okno)
{
  for (int i = 0; i < 500 && IsWindow(okno); ++i) Sleep(10);
}

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
  cekej_na_zavreni(dialog);
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
  auto k = zakoduj_retezce(seznam);
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
    for (int lb : {IDC_SOUBORY, IDC_SLOZKY})
      if (!test::polozky_seznamu(b.prvek(lb)).empty())
        EXPECT_EQ(SendMessageW(b.prvek(lb), LB_GETCURSEL, 0, 0), 0) << kde;
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

    // Cancel, an empty OK and refused duplicates change nothing and save nothing.
    RegDeleteKeyValueW(HKEY_CURRENT_USER, KLIC_APLIKACE, L"mazane_soubory");
    RegDeleteKeyValueW(HKEY_CURRENT_USER, KLIC_APLIKACE, L"mazane_slozky");
    EXPECT_EQ(pridej(b, IDC_PRIDAT_SOUBOR, L".obj", IDCANCEL), PRIDAT_SOUBOR);
    EXPECT_EQ(pridej(b, IDC_PRIDAT_SLOZKU, L""), PRIDAT_SLOZKU);
    struct duplicita {
      int tlacitko;
      const wchar_t* text;
      const wchar_t* zprava;
    } duplicity[] = {{IDC_PRIDAT_SLOZKU, L"DEBUG", L"Zadaná složka je již v seznamu"},
                     {IDC_PRIDAT_SOUBOR, L"ReadMe.TXT", L"Zadaný soubor je již v seznamu"}};
    for (const auto& d : duplicity) {
      pridej(b, d.tlacitko, d.text);
      test::box box;
      ASSERT_TRUE(test::odklikni_box(b.pi.dwProcessId, box)) << test::utf8(d.text);
      EXPECT_EQ(box.titulek, L"Tesvarin");
      EXPECT_EQ(box.text, d.zprava);
    }
    EXPECT_EQ(bajty(L"mazane_soubory"), std::vector<BYTE>{0xEE}) << "nothing was saved";
    EXPECT_EQ(bajty(L"mazane_slozky"), std::vector<BYTE>{0xEE});
    EXPECT_EQ(test::polozky_seznamu(b.prvek(IDC_SOUBORY)), VYCHOZI_SOUBORY);
    EXPECT_EQ(test::polozky_seznamu(b.prvek(IDC_SLOZKY)), VYCHOZI_SLOZKY);

    // Remove the second of three: the others keep their order.
    SendMessageW(b.prvek(IDC_SLOZKY), LB_SETCURSEL, 1, 0);
    SendMessageW(b.prvek(IDC_ODEBRAT_SLOZKU), BM_CLICK, 0, 0);
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

    SendMessageW(b.prvek(IDC_SLOZKY), LB_SETCURSEL, 1, 0);
    SendMessageW(b.prvek(IDC_ODEBRAT_SLOZKU), BM_CLICK, 0, 0);
    soubory = {L".obj"};
    slozky = {L"debug", L"release"};
    ukazuje_a_ulozeno(b, soubory, slozky, "as left");
    EXPECT_EQ(b.zavri(), 0u);
  }

  // The next run shows the lists as left and cleans by them.
  const std::wstring zdroj = test::nova_slozka(L"seznamy");
  for (const auto* s : {L"\\Debug", L"\\ipch", L"\\sub", L"\\sub\\release"}) test::vytvor_slozku(zdroj + s);
  for (const auto* s : {L"\\x.obj", L"\\x.aps", L"\\sub\\y.OBJ", L"\\ipch\\z.txt"}) test::vytvor_soubor(zdroj + s);
  const std::wstring zdroj_text = zdroj;
  test::zapis_hodnotu(KLIC_APLIKACE, L"slozka", REG_SZ, zdroj_text.c_str(),
                      static_cast<DWORD>(2 * (zdroj_text.size() + 1)));
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  ukazuje_a_ulozeno(b, soubory, slozky, "after the restart");
  SendMessageW(b.prvek(IDC_VYCISTIT), BM_CLICK, 0, 0);
  for (int i = 0; i < 1500; ++i) {
    auto radky = test::polozky_seznamu(b.prvek(IDC_VYPIS));
    if (!radky.empty() && radky.back().rfind(L"Celkový čas čištění: ", 0) == 0) break;
    Sleep(20);
  }
  EXPECT_FALSE(test::existuje(zdroj + L"\\x.obj"));
  EXPECT_FALSE(test::existuje(zdroj + L"\\sub\\y.OBJ"));
  EXPECT_FALSE(test::existuje(zdroj + L"\\Debug"));
  EXPECT_FALSE(test::existuje(zdroj + L"\\sub\\release"));
  EXPECT_TRUE(test::existuje(zdroj + L"\\x.aps")) << "no longer on the file list";
  EXPECT_TRUE(test::existuje(zdroj + L"\\ipch\\z.txt")) << "no longer on the folder list";
  EXPECT_EQ(b.zavri(), 0u);
  EXPECT_EQ(bajty(L"mazane_soubory"), kodovani(soubory));
  EXPECT_EQ(bajty(L"mazane_slozky"), kodovani(slozky));
}

namespace {

SYSTEMTIME posun(SYSTEMTIME t, int sekund)
{
  FILETIME f;
  SystemTimeToFileTime(&t, &f);
  ULARGE_INTEGER u{{f.dwLowDateTime, f.dwHighDateTime}};
  u.QuadPart += static_cast<ULONGLONG>(sekund) * 10000000ULL;
  f = {u.LowPart, u.HighPart};
  FileTimeToSystemTime(&f, &t);
  return t;
}

} // namespace

TEST_F(Seznamy, PredvolbyZvolenyFormatPojmenujeDalsiZalohu)
{
  const std::wstring koren = test::nova_slozka(L"predvolby");
  const std::wstring zdroj = koren + L"\\app", cil = koren + L"\\archiv";
  test::vytvor_slozku(zdroj);
  test::vytvor_slozku(cil);
  test::vytvor_soubor(zdroj + L"\\a.cpp");
  test::zapis_hodnotu(KLIC_APLIKACE, L"slozka", REG_SZ, zdroj.c_str(), static_cast<DWORD>(2 * (zdroj.size() + 1)));
  test::zapis_hodnotu(KLIC_APLIKACE, L"slozka_cil", REG_SZ, cil.c_str(), static_cast<DWORD>(2 * (cil.size() + 1)));
  const DWORD jen_datum = 1;
  test::zapis_hodnotu(KLIC_APLIKACE, L"param", REG_DWORD, &jen_datum, sizeof jen_datum);

  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  HWND d = otevri(b, IDC_PREDVOLBY, L"Předvolby - Tesvarin", IDC_FORMAT_DATA);
  ASSERT_NE(d, nullptr);
  EXPECT_EQ(IsDlgButtonChecked(d, IDC_SMAZAT_STARY_CIL), BST_UNCHECKED);
  EXPECT_EQ(SendDlgItemMessageW(d, IDC_FORMAT_DATA, CB_GETCURSEL, 0, 0), 1) << "the default code 3";
  SendDlgItemMessageW(d, IDC_FORMAT_DATA, CB_SETCURSEL, 2, 0);
  stiskni(b, d, IDOK);
  EXPECT_EQ(test::cislo_hodnoty(L"vypis_casu"), 5u);
  EXPECT_EQ(test::cislo_hodnoty(L"param"), 1u);

  SYSTEMTIME pred{}, po{};
  GetLocalTime(&pred);
  SendMessageW(b.prvek(IDC_ZALOHOVAT), BM_CLICK, 0, 0);
  for (int i = 0; i < 1500; ++i) {
    auto radky = test::polozky_seznamu(b.prvek(IDC_VYPIS));
    if (!radky.empty() && radky.back().rfind(L"Celkový čas", 0) == 0) break;
    Sleep(20);
  }
  GetLocalTime(&po);
  EXPECT_EQ(b.zavri(), 0u);

  WIN32_FIND_DATAW fd{};
  std::vector<std::wstring> kopie;
  HANDLE h = FindFirstFileW((cil + L"\\*").c_str(), &fd);
  if (h != INVALID_HANDLE_VALUE) {
    do
      if (fd.cFileName[0] != L'.') kopie.push_back(fd.cFileName);
    while (FindNextFileW(h, &fd));
    FindClose(h);
  }
  ASSERT_EQ(kopie.size(), 1u);
  // The name of some second between the click and the end, in format 5 ("Xh Xm Xs").
  bool shoda = false;
  for (int s = 0; s <= 60 && !shoda; ++s) {
    const SYSTEMTIME t = posun(pred, s);
    shoda = nazev_kopie(L"app", 1, 5, t) == kopie[0];
    if (t.wSecond == po.wSecond && t.wMinute == po.wMinute) break;
  }
  EXPECT_TRUE(shoda) << test::utf8(kopie[0]);
  EXPECT_NE(kopie[0].find(L"s"), std::wstring::npos);
}
