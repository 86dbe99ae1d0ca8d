// The folders never deleted or cleaned whole: the user's and the system's own, and every
// folder that holds one, however spelt or reached.
#include <gtest/gtest.h>
#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include "engine/vlastni_slozky.h"
#include "engine/vypis_texty.h"
#include "tests/podpora/operace_test.h"

using test::znama_slozka;

TEST(Ochrana, VlastniSlozkyANadrazeneJakkoliZapsane)
{
  const std::wstring profil = znama_slozka(FOLDERID_Profile), dokumenty = znama_slozka(FOLDERID_Documents);
  wchar_t kratka[MAX_PATH] = {};
  ASSERT_NE(GetShortPathNameW(L"C:\\Program Files", kratka, MAX_PATH), 0u);
  const std::wstring t = test::nova_slozka(L"ochrana");
  test::linux_odkaz(t + L"\\na_profily", L"C:\\users");
  const std::wstring druha = std::wstring(1, test::pripoj_jednotku(L"C:\\")) + L":"; // a second letter for C:
  const std::pair<std::wstring, bool> tabulka[] = {
      {L"C:\\users", true}, {L"c:\\USERS\\.\\", true}, {L"\\\\?\\C:\\users", true}, {druha + L"\\users", true},
      {t + L"\\na_profily", true}, {L"C:\\users\\Public", true}, {znama_slozka(FOLDERID_PublicDocuments), true},
      {profil, true}, {dokumenty, true}, {znama_slozka(FOLDERID_LocalAppData), true}, {kratka, true},
      {L"C:\\windows\\..", true}, {druha + L"\\", true}, {dokumenty + L"\\proj", false},
      {profil + L"\\source\\repos\\app", false}, {t, false}};
  for (const auto& [cesta, chranena] : tabulka) EXPECT_EQ(je_vlastni_slozka(cesta), chranena) << test::utf8(cesta);
  test::odpoj_jednotku(druha[0]);
}

// A source named like a folder of the user's or of Windows, backed up into the folder that
// holds it, with the older copy's deletion allowed: a box, and nothing copied or deleted.
TEST(Ochrana, ZalohaNenahradiVlastniSlozku)
{
  const std::wstring profil = znama_slozka(FOLDERID_Profile), dokumenty = znama_slozka(FOLDERID_Documents);
  test::vytvor_soubor(dokumenty + L"\\thesis.doc");
  const std::wstring t = test::nova_slozka(L"ochrana_zaloha");
  const std::pair<std::wstring, std::wstring> zalohy[] = {{dokumenty, profil},
                                                          {profil, L"C:\\users"},
                                                          {L"C:\\Program Files", L"C:\\"},
                                                          {L"C:\\users\\Public", L"C:\\users"}};
  for (const auto& [slozka, umisteni] : zalohy) {
    const std::wstring nazev = slozka.substr(slozka.find_last_of(L'\\') + 1);
    test::vytvor_strom(t, {nazev + L"\\stick.txt"});
    const std::wstring text = radek_stary_cil_chraneny(umisteni + (umisteni.back() == L'\\' ? L"" : L"\\") + nazev);
    EXPECT_EQ(test::zalohuj(t + L"\\" + nazev, umisteni, param_smazat_stary_cil).okno.poradi,
              (std::vector<std::wstring>{L"box: " + text, L"radek: " + text}))
        << test::utf8(slozka);
    EXPECT_FALSE(test::existuje(slozka + L"\\stick.txt")) << test::utf8(slozka);
  }
  EXPECT_TRUE(test::existuje(dokumenty + L"\\thesis.doc"));
  DeleteFileW((dokumenty + L"\\thesis.doc").c_str());
}
