// The error policy: fatal helpers end the process with the right text and code, the
// handlers' texts, the HRESULT texts, the message boxes and the event-log text rules.
#include <gtest/gtest.h>
#include <atomic>
#include <stdexcept>
#include <thread>
#include "frame/aplikace.h"
#include "frame/chyby.h"
#include "frame/registr.h"
#include "tests/podpora/aplikace_test.h"
#include "tests/podpora/podpora.h"

using namespace std::string_literals;

// --- Child scenarios that end their process.
TEST_DITE(hresult_nula) { fatalni_hresult(0); }
TEST_DITE(argument) { fatalni_argument(); }
TEST_DITE(pamet) { fatalni_pamet(); }
TEST_DITE(handle) { fatalni_handle(); }
TEST_DITE(aplikacni_kod) { fatalni_hresult(MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 20005)); }
TEST_DITE(posledni_chyba)
{
  SetLastError(ERROR_FILE_NOT_FOUND);
  fatalni_posledni_chyba();
}
TEST_DITE(posledni_chyba_nula)
{
  SetLastError(0);
  fatalni_posledni_chyba();
}
TEST_DITE(vyjimka_bez_chyby)
{
  std::set_terminate(obsluha_ukonceni);
  SetLastError(0);
  throw 7;
}
TEST_DITE(vyjimka_po_chybe)
{
  std::set_terminate(obsluha_ukonceni);
  SetLastError(ERROR_ACCESS_DENIED);
  std::terminate();
}
TEST_DITE(parametr) { obsluha_parametru(L"p != nullptr", L"f", L"s.cpp", 12, 0); }
TEST_DITE(kratka_cesta_klice) { klic_registru k(L"Software\\Kratka"); }
TEST_DITE(zprava_bez_textu)
{
  g_aplikace.nastav(new aplikace);
  app().zprava(nullptr, 0);
}

namespace {

// FatalAppExitW shows one box titled "Error" with the text, then ends the process (Wine
// gives exit code 1 once the box is dismissed).
void ocekavej_fatalni(const wchar_t* scenar, const std::wstring& text)
{
  auto v = test::spust_dite(scenar);
  ASSERT_FALSE(v.vyprsel);
  ASSERT_EQ(v.boxy.size(), 1u) << test::utf8(scenar);
  EXPECT_EQ(v.boxy[0].titulek, L"Error");
  EXPECT_EQ(v.boxy[0].text, text);
  EXPECT_EQ(v.kod, 1u);
}

} // namespace

TEST(FatalniKonec, KazdyPomocnikKonciSTextemSveChyby)
{
  ocekavej_fatalni(L"hresult_nula", systemovy_text(E_UNEXPECTED));
  ocekavej_fatalni(L"argument", systemovy_text(E_INVALIDARG));
  ocekavej_fatalni(L"pamet", systemovy_text(E_OUTOFMEMORY));
  ocekavej_fatalni(L"handle", systemovy_text(E_HANDLE));
  ocekavej_fatalni(L"posledni_chyba", systemovy_text(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)));
  ocekavej_fatalni(L"posledni_chyba_nula", systemovy_text(E_UNEXPECTED));
  ocekavej_fatalni(L"kratka_cesta_klice", systemovy_text(E_INVALIDARG));
  ocekavej_fatalni(L"zprava_bez_textu", systemovy_text(E_INVALIDARG));
  EXPECT_NE(systemovy_text(E_UNEXPECTED), systemovy_text(E_INVALIDARG));
}

TEST(FatalniKonec, AplikacniKodBereTextZTabulkyRetezcu)
{
  ocekavej_fatalni(L"aplikacni_kod", L"Nepodařilo se odstranit složku");
}

TEST(FatalniKonec, NeosetrenaVyjimkaKonciKodemMinus99)
{
  const std::wstring uvod = L"Došlo k neočekávanému ukončení aplikace nebo k neobsloužené výjimce.\n\n";
  auto v = test::spust_dite(L"vyjimka_bez_chyby");
  ASSERT_EQ(v.boxy.size(), 1u);
  EXPECT_EQ(v.boxy[0].titulek, L"Kestrum software");
  EXPECT_EQ(v.boxy[0].text, uvod + L"Aplikace bude ukončena");
  EXPECT_EQ(v.kod, 0xFFFFFF9Du);

  v = test::spust_dite(L"vyjimka_po_chybe");
  ASSERT_EQ(v.boxy.size(), 1u);
  EXPECT_EQ(v.boxy[0].titulek, L"Kestrum software");
  EXPECT_EQ(v.boxy[0].text, uvod + L"Chyba WinAPI: " + systemovy_text(E_ACCESSDENIED) +
                                L"\n\nAplikace bude ukončena.");
  EXPECT_EQ(v.kod, 0xFFFFFF9Du);
}

// The runtime never calls the invalid-parameter handler under Wine's msvcrt, so its text
// is checked directly, and the handler itself is run by hand in a child.
TEST(FatalniKonec, ChybnyParametrCRT)
{
  const std::wstring prvni = L"Byl zadán chybný parametr funkce z knihovny CRT!\n";
  EXPECT_EQ(text_parametru(nullptr, nullptr, nullptr, 0), prvni);
  EXPECT_EQ(text_parametru(L"x > 0", nullptr, L"a.cpp", 0), prvni + L"x > 0\nSoubor: a.cpp");
  EXPECT_EQ(text_parametru(nullptr, L"strcpy_s", nullptr, 7), prvni + L"\nFunkce: strcpy_s\nŘádek: 7");

  auto v = test::spust_dite(L"parametr");
  ASSERT_EQ(v.boxy.size(), 1u);
  EXPECT_EQ(v.boxy[0].text, prvni + L"p != nullptr\nFunkce: f\nSoubor: s.cpp\nŘádek: 12");
  EXPECT_EQ(v.kod, 1u);
}

TEST(TextChyby, KodyWin32AHResult)
{
  EXPECT_EQ(hresult_z_win32(5, E_FAIL), static_cast<HRESULT>(0x80070005));
  EXPECT_EQ(hresult_z_win32(0x12345, E_FAIL), static_cast<HRESULT>(0x80072345));
  EXPECT_EQ(hresult_z_win32(static_cast<LONG>(0x8000FFFF), E_FAIL), E_UNEXPECTED);
  EXPECT_EQ(hresult_z_win32(0, E_FAIL), E_FAIL);
  SetLastError(0);
  EXPECT_EQ(hresult_posledni_chyby(), E_FAIL);
  SetLastError(ERROR_PATH_NOT_FOUND);
  EXPECT_EQ(hresult_posledni_chyby(), HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND));
}

TEST(TextChyby, SystemovyTextAZaloznyText)
{
  std::wstring t = systemovy_text(E_ACCESSDENIED);
  ASSERT_FALSE(t.empty());
  EXPECT_NE(t.back(), L'\n');
  EXPECT_EQ(systemovy_text(static_cast<HRESULT>(0x80041234)), L"IDispatch error #4148");
  EXPECT_EQ(systemovy_text(static_cast<HRESULT>(0xA1B2C3D4)), L"Unknown error 0xA1B2C3D4");
  // An application code takes its string-table entry; one below 0x200, or with no entry,
  // takes the system text.
  EXPECT_EQ(text_hresult(MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 20006)), L"Nepodařilo se odstranit soubor");
  EXPECT_EQ(text_hresult(MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x1F0)),
            systemovy_text(MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x1F0)));
  EXPECT_EQ(text_hresult(MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x7777)),
            systemovy_text(MAKE_HRESULT(SEVERITY_ERROR, FACILITY_ITF, 0x7777)));
}

TEST(TextChyby, NactiTextZTabulkyRetezcu)
{
  std::wstring s = L"beze změny";
  EXPECT_EQ(nacti_text(20005, s), 30);
  EXPECT_EQ(s, L"Nepodařilo se odstranit složku");
  s = L"beze změny";
  EXPECT_EQ(nacti_text(19999, s), 0);
  EXPECT_EQ(s, L"beze změny");
  EXPECT_EQ(nacti_text(20002), L"Zadaný soubor je již v seznamu");
}

TEST(UdalostiAplikace, TextChybyKonciTeckouAKoncemRadku)
{
  EXPECT_EQ(text_chyby_udalosti(nullptr), L"Chyba aplikace.\r\n");
  EXPECT_EQ(text_chyby_udalosti(L""), L"Chyba aplikace.\r\n");
  EXPECT_EQ(text_chyby_udalosti(L"Hotovo."), L"Hotovo.\r\n");
  EXPECT_EQ(text_chyby_udalosti(L"Chyba"), L"Chyba.\r\n");
  EXPECT_EQ(text_chyby_udalosti(L"Řádek\r\n"), L"Řádek\r\n.\r\n");

  aplikace a;
  EXPECT_EQ(a.zapis_chybu(L"Test zápisu"), S_OK);
  EXPECT_EQ(a.zapis_hresult(0), S_OK);
}

namespace {

// Answers the first message box of this process with `tlacitko` from another thread and
// remembers its caption, text and default button.
struct odpoved_boxu {
  std::wstring titulek, text;
  int vychozi = 0;
};

std::thread odpovez(int tlacitko, odpoved_boxu& o)
{
  return std::thread([tlacitko, &o] {
    for (int i = 0; i < 2400; ++i) { // a minute at most
      Sleep(25);
      HWND box = nullptr;
      while ((box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(box, &pid);
        if (pid != GetCurrentProcessId() || !IsWindowVisible(box)) continue;
        wchar_t t[256] = {};
        GetWindowTextW(box, t, 256);
        o.titulek = t;
        GetDlgItemTextW(box, 0xFFFF, t, 256);
        o.text = t;
        for (int id : {IDYES, IDNO, IDCANCEL, IDOK}) {
          HWND b = GetDlgItem(box, id);
          if (b && (GetWindowLongW(b, GWL_STYLE) & 0x0F) == BS_DEFPUSHBUTTON) o.vychozi = id;
        }
        PostMessageW(box, WM_COMMAND, tlacitko, 0);
        return;
      }
    }
  });
}

} // namespace

TEST(BoxyAplikace, DotazVraciFalseJenProAno)
{
  aplikace a;
  for (int tlacitko : {IDYES, IDNO, IDCANCEL}) {
    odpoved_boxu o;
    auto vlakno = odpovez(tlacitko, o);
    bool vysledek = a.dotaz(L"Opravdu?", false, true, nullptr);
    vlakno.join();
    EXPECT_EQ(vysledek, tlacitko != IDYES) << tlacitko;
    EXPECT_EQ(o.titulek, L"Tesvarin");
    EXPECT_EQ(o.text, L"Opravdu?");
    EXPECT_EQ(o.vychozi, IDNO);
  }
  odpoved_boxu o;
  auto vlakno = odpovez(IDYES, o);
  EXPECT_FALSE(a.dotaz(L"Ano?", true, false, nullptr));
  vlakno.join();
  EXPECT_EQ(o.vychozi, IDYES);
}

TEST(BoxyAplikace, ZpravaMaNazevAplikaceJakoTitulek)
{
  aplikace a;
  odpoved_boxu o;
  auto vlakno = odpovez(IDOK, o);
  EXPECT_EQ(a.zprava(L"Zpráva pro uživatele", MB_ICONERROR), IDOK);
  vlakno.join();
  EXPECT_EQ(o.titulek, L"Tesvarin");
  EXPECT_EQ(o.text, L"Zpráva pro uživatele");

  kestrum::aplikace_exe zaklad;
  EXPECT_STREQ(zaklad.nazev(), L"Kestrum software");
  vlakno = odpovez(IDOK, o);
  a.zprava_ansi("ANSI text", MB_ICONERROR);
  vlakno.join();
  EXPECT_EQ(o.titulek, L"Tesvarin");
  EXPECT_EQ(o.text, L"ANSI text");
}
