// The three operations of the real program, started with its buttons and read back from its
// log list box and the disk, as a user would see them.
#include <gtest/gtest.h>
#include <windows.h>
#include <dlgs.h>
#include <algorithm>
#include <string>
#include <vector>
#include "engine/docasne_kopie.h"
#include "engine/vypis_texty.h"
#include "frame/hlavni_okno.h"
#include "frame/registr.h"
#include "res/resource.h"
#include "tests/e2e/program.h"
#include "tests/podpora/operace_test.h"

namespace {

using namespace e2e;

bool zacina(const std::wstring& s, const std::wstring& p) { return s.compare(0, p.size(), p) == 0; }
bool konci(const std::wstring& s, const std::wstring& p)
{
  return s.size() >= p.size() && s.compare(s.size() - p.size(), p.size(), p) == 0;
}

void zapis_text(const wchar_t* nazev, const std::wstring& text)
{
  test::zapis_hodnotu(KLIC_APLIKACE, nazev, REG_SZ, text.c_str(), static_cast<DWORD>(2 * (text.size() + 1)));
}

void zapis_cislo(const wchar_t* nazev, DWORD cislo)
{
  test::zapis_hodnotu(KLIC_APLIKACE, nazev, REG_DWORD, &cislo, sizeof cislo);
}

// The process's visible pop-up menu, or null.
HWND nabidka(const beh& b)
{
  for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, L"#32768", nullptr));) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == b.pi.dwProcessId && IsWindowVisible(w)) return w;
  }
  return nullptr;
}

// Right-clicks row `radek` of the log, types `klavesa` into the menu that opens and waits for
// its command.
void z_nabidky(beh& b, int radek, wchar_t klavesa)
{
  HWND lb = b.prvek(IDC_VYPIS), m = nullptr;
  const LPARAM bod = MAKELPARAM(10, SendMessageW(lb, LB_GETITEMHEIGHT, 0, 0) * radek + 2);
  PostMessageW(lb, WM_RBUTTONDOWN, MK_RBUTTON, bod);
  PostMessageW(lb, WM_RBUTTONUP, 0, bod);
  ASSERT_TRUE(test::pumpuj_dokud([&] { return (m = nabidka(b)) != nullptr; })) << "the log's menu did not open";
  PostMessageW(m, WM_CHAR, klavesa, 0);
  // The menu's command runs once the menu has closed; a message sent then is answered after
  // it. Until then the test keeps off the clipboard, which the command opens.
  ASSERT_TRUE(test::pumpuj_dokud([&] { return !nabidka(b); })) << "the menu did not close";
  SendMessageW(b.dialog(), WM_NULL, 0, 0);
}

// The clipboard's text once it is `cekano`, or what it holds when that did not come.
std::wstring schranka(const std::wstring& cekano)
{
  std::wstring text = L"<none>";
  test::pumpuj_dokud([&] {
    if (!OpenClipboard(nullptr)) return false;
    if (HANDLE h = GetClipboardData(CF_UNICODETEXT)) {
      text = static_cast<const wchar_t*>(GlobalLock(h));
      GlobalUnlock(h);
    }
    CloseClipboard();
    return text == cekano;
  }, 20000);
  return text;
}

class Operace : public ::testing::Test {
protected:
  void SetUp() override
  {
    test::smaz_klic(KLIC_APLIKACE);
    koren = test::nova_slozka(L"operace");
    zdroj = koren + L"\\app";
    cil = koren + L"\\archiv";
    for (const auto* s : {L"", L"\\Debug", L"\\sub", L"\\sub\\release"}) test::vytvor_slozku(zdroj + s);
    test::vytvor_slozku(cil);
    for (const auto* s : {L"\\Debug\\x.obj", L"\\x.aps", L"\\keep.cpp", L"\\sub\\Thumbs.db", L"\\sub\\keep.h",
                          L"\\sub\\release\\y.exe"})
      test::vytvor_soubor(zdroj + s, "obsah");
    zapis_text(L"slozka", zdroj);
    zapis_text(L"slozka_cil", cil + L"\\");
    zapis_cislo(L"param", param_smazat); // no date: the copy is named app
  }
  void TearDown() override { test::smaz_klic(KLIC_APLIKACE); }

  static constexpr DWORD param_smazat = 2;
  std::wstring koren, zdroj, cil;
};

} // namespace

TEST_F(Operace, VycistitAZalohovatZOknaAPakZalohovatZnovu)
{
  // Typed with slashes: both operations take them as backslashes, and so the log shows them.
  zapis_text(L"slozka", koren + L"/app");
  zapis_text(L"slozka_cil", koren + L"/archiv/");
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  auto radky = b.operace(IDC_VYCISTIT_A_ZALOHOVAT);
  std::wstring vse;
  for (const auto& r : radky) vse += r + L"\n";
  ASSERT_EQ(radky.size(), 9u) << test::utf8(vse);
  EXPECT_EQ(radky[0], L"Vyčištění složky spuštěno");
  // The deletions in the order the listing gives them; what was inside a deleted folder is
  // never written.
  std::vector<std::wstring> smazano(radky.begin() + 1, radky.begin() + 5);
  std::sort(smazano.begin(), smazano.end());
  std::vector<std::wstring> ocekavano = {
      L"Složka \"" + zdroj + L"\\Debug\" byla vymazána podle nastavení",
      L"Složka \"" + zdroj + L"\\sub\\release\" byla vymazána podle nastavení",
      L"Soubor \"" + zdroj + L"\\sub\\Thumbs.db\" byl vymazán podle nastavení",
      L"Soubor \"" + zdroj + L"\\x.aps\" byl vymazán podle nastavení",
  };
  std::sort(ocekavano.begin(), ocekavano.end());
  EXPECT_EQ(smazano, ocekavano);
  EXPECT_EQ(radky[5], L"Vyčištění složky úspěšně dokončeno");
  EXPECT_TRUE(zacina(radky[6], L"Celkový čas čištění: ") && konci(radky[6], L" sekund")) << test::utf8(radky[6]);
  EXPECT_EQ(radky[7], L"Kopírování složky bylo dokončeno");
  EXPECT_TRUE(zacina(radky[8], L"Celkový čas tesvarin: ") && konci(radky[8], L" sekund")) << test::utf8(radky[8]);

  EXPECT_FALSE(test::existuje(zdroj + L"\\Debug"));
  EXPECT_FALSE(test::existuje(zdroj + L"\\sub\\release"));
  EXPECT_TRUE(test::existuje(zdroj + L"\\keep.cpp"));
  EXPECT_TRUE(test::existuje(cil + L"\\app\\keep.cpp"));
  EXPECT_TRUE(test::existuje(cil + L"\\app\\sub\\keep.h"));
  EXPECT_FALSE(test::existuje(cil + L"\\app\\x.aps"));

  // A backup alone: the older copy goes first, the clean's lines stay above.
  test::vytvor_soubor(cil + L"\\app\\stary.txt");
  auto dalsi = b.operace(IDC_ZALOHOVAT);
  ASSERT_EQ(dalsi.size(), 12u);
  EXPECT_TRUE(std::equal(radky.begin(), radky.end(), dalsi.begin()));
  EXPECT_EQ(dalsi[9], L"Původní složka " + cil + L"\\app byla odstraněna.");
  EXPECT_EQ(dalsi[10], L"Kopírování složky bylo dokončeno");
  EXPECT_FALSE(test::existuje(cil + L"\\app\\stary.txt"));
  EXPECT_TRUE(test::existuje(cil + L"\\app\\keep.cpp"));

  // A file the copy cannot read: the older copy stays whole, the partial new one goes.
  HANDLE zamek = CreateFileW((zdroj + L"\\keep.cpp").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  auto zamceno = b.operace(IDC_ZALOHOVAT);
  CloseHandle(zamek);
  EXPECT_EQ(zamceno.at(14), L"Původní složka " + cil + L"\\app zůstala beze změny.");
  EXPECT_EQ(zamceno.at(15), L"Neúplná kopie " + cil + L"\\~1 byla odstraněna.");
  EXPECT_TRUE(test::existuje(cil + L"\\app\\keep.cpp") && !test::existuje(cil + L"\\~1"));

  EXPECT_EQ(b.zavri(), 0u);
}

// A backup ended midway (its process killed) leaves nothing under the final name; the next
// backup removes what it left, says so, and ends with one complete copy.
TEST_F(Operace, PrerusenaZalohaNenechaNicPodKonecnymJmenem)
{
  // Enough files that the copy is still running when the test sees its mark, on a busy machine too.
  for (int i = 0; i < 2000; ++i) test::vytvor_soubor(zdroj + L"\\sub\\f" + std::to_wstring(i) + L".h");
  {
    beh b;
    ASSERT_TRUE(b.cekej_na_okno());
    PostMessageW(b.prvek(IDC_ZALOHOVAT), BM_CLICK, 0, 0);
    const std::wstring nova = cil + L"\\~1\\sub";
    for (int i = 0; i < 3000 && !test::existuje(nova); ++i) WaitForSingleObject(b.pi.hProcess, 10);
    ASSERT_TRUE(TerminateProcess(b.pi.hProcess, 9));
    WaitForSingleObject(b.pi.hProcess, 10000);
  }
  EXPECT_FALSE(test::existuje(cil + L"\\app"));
  EXPECT_TRUE(test::existuje(cil + L"\\~1"));
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  const auto radky = b.operace(IDC_ZALOHOVAT);
  ASSERT_EQ(radky.size(), 3u) << (radky.empty() ? "" : test::utf8(radky[0]));
  EXPECT_EQ(radky[0], radek_zbytek_odstranen(cil + L"\\~1"));
  EXPECT_EQ(radky[1], L"Kopírování složky bylo dokončeno");
  EXPECT_TRUE(test::existuje(cil + L"\\app\\sub\\f1999.h") && !test::existuje(cil + L"\\~1"));
  EXPECT_EQ(b.zavri(), 0u);
}

TEST_F(Operace, ChybneZadaniHlasiBoxemANicNezmeni)
{
  zapis_text(L"slozka", L"");
  beh b(program(), zdroj.c_str()); // the program's current folder is the source itself
  ASSERT_TRUE(b.cekej_na_okno());

  // An empty source, and relative ones that would name the current folder: a box, only the
  // start line, and the combined run copies nothing.
  for (const wchar_t* text : {L"", L".", L"..\\app", L"Z:."})
    for (int tlacitko : {IDC_VYCISTIT, IDC_VYCISTIT_A_ZALOHOVAT}) {
      SendMessageW(b.prvek(IDC_ZDROJ), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
      SendMessageW(b.prvek(tlacitko), BM_CLICK, 0, 0);
      test::box box;
      ASSERT_TRUE(test::odklikni_box(b.pi.dwProcessId, box)) << test::utf8(text);
      EXPECT_EQ(box.titulek, L"Tesvarin");
      EXPECT_EQ(box.text, L"Zadaná zálohovaná složka neexistuje nebo to není složka.");
      auto radky = b.operace(0);
      EXPECT_EQ(radky, std::vector<std::wstring>{L"Vyčištění složky spuštěno"}) << test::utf8(text);
    }
  EXPECT_FALSE(test::existuje(cil + L"\\app"));
  EXPECT_TRUE(test::existuje(zdroj + L"\\x.aps"));

  // A target location that does not exist: the line, then the box with the same text.
  SendMessageW(b.prvek(IDC_ZDROJ), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(zdroj.c_str()));
  const std::wstring nikde = koren + L"\\nikde";
  SendMessageW(b.prvek(IDC_CIL), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(nikde.c_str()));
  SendMessageW(b.prvek(IDC_ZALOHOVAT), BM_CLICK, 0, 0);
  // The box holds the operation: meanwhile the session must wait, afterwards it may end.
  ASSERT_NE(test::cekej_na_dialog(b.pi.dwProcessId, L"Tesvarin", 0xFFFF), nullptr);
  EXPECT_EQ(SendMessageW(b.okno, WM_QUERYENDSESSION, 0, 0), FALSE);
  test::box box;
  ASSERT_TRUE(test::odklikni_box(b.pi.dwProcessId, box));
  EXPECT_EQ(box.text, L"Cílová složka neexistuje.");
  auto radky = b.operace(0);
  ASSERT_EQ(radky.size(), 2u);
  EXPECT_EQ(radky[1], L"Cílová složka neexistuje.");
  EXPECT_TRUE(test::existuje(zdroj + L"\\Debug\\x.obj"));
  EXPECT_EQ(SendMessageW(b.okno, WM_QUERYENDSESSION, 0, 0), TRUE);

  // What was typed is what the close saves.
  EXPECT_EQ(b.zavri(), 0u);
  EXPECT_EQ(test::text_hodnoty(L"slozka"), zdroj);
  EXPECT_EQ(test::text_hodnoty(L"slozka_cil"), nikde);
}

// A shutdown that did not happen after all (another program refused it): what the window
// holds is saved, and the window goes on as it was; a later close saves again.
TEST_F(Operace, ZrusenyKonecRelaceNechaOknoPouzitelne)
{
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  const std::wstring jinam = koren + L"\\jinam";
  SendMessageW(b.prvek(IDC_CIL), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(jinam.c_str()));
  SendMessageW(b.okno, WM_ENDSESSION, FALSE, 0);
  EXPECT_EQ(test::text_hodnoty(L"slozka_cil"), jinam);
  umisteni_okna u{};
  EXPECT_TRUE(test::umisteni_hodnoty(&u));
  ASSERT_TRUE(IsWindowVisible(b.dialog()));

  auto radky = b.operace(IDC_VYCISTIT);
  ASSERT_EQ(radky.size(), 7u);
  EXPECT_EQ(radky[5], L"Vyčištění složky úspěšně dokončeno");
  EXPECT_FALSE(test::existuje(zdroj + L"\\Debug"));

  SendMessageW(b.prvek(IDC_CIL), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cil.c_str()));
  const RECT wa = test::pracovni_plocha(b.okno);
  ASSERT_TRUE(SetWindowPos(b.okno, nullptr, wa.left + 50, wa.top + 40, 0, 0, SWP_NOZORDER | SWP_NOSIZE));
  EXPECT_EQ(b.zavri(), 0u);
  EXPECT_EQ(test::text_hodnoty(L"slozka_cil"), cil);
  ASSERT_TRUE(test::umisteni_hodnoty(&u));
  EXPECT_EQ(u.left, wa.left + 50);
  EXPECT_EQ(u.top, wa.top + 40);
}

// The log's own menu: the whole log and one row to the clipboard, the log to a file.
TEST_F(Operace, VypisDoSchrankyADoSouboru)
{
  beh b;
  ASSERT_TRUE(b.cekej_na_okno());
  const auto radky = b.operace(IDC_VYCISTIT);
  std::wstring cely;
  std::string soubor = "\xEF\xBB\xBF";
  for (const std::wstring& r : radky) {
    cely += r + L"\r\n";
    soubor += test::utf8(r) + "\r\n";
  }
  z_nabidky(b, 1, L'k');
  EXPECT_EQ(schranka(cely), cely);
  z_nabidky(b, 2, L'v'); // the right-click selects the row
  EXPECT_EQ(schranka(radky.at(2)), radky.at(2));

  z_nabidky(b, 0, L'u');
  // The file name's box of the Save dialog is the documented cmb13.
  HWND d = test::cekej_na_dialog(b.pi.dwProcessId, L"Uložit výpis - Tesvarin", cmb13);
  ASSERT_NE(d, nullptr);
  HWND nazev = FindWindowExW(FindWindowExW(GetDlgItem(d, cmb13), nullptr, L"ComboBox", nullptr), nullptr, L"Edit", nullptr);
  const std::wstring cesta = koren + L"\\uložený výpis.txt";
  SendMessageW(nazev, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(cesta.c_str()));
  PostMessageW(d, WM_COMMAND, IDOK, 0);
  test::pumpuj_dokud([&] { return test::obsah(cesta) == soubor; }, 20000);
  EXPECT_EQ(test::obsah(cesta), soubor);
}
