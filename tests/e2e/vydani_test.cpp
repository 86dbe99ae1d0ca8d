// The packages a user gets: the installer run silently as an administrator would (install,
// upgrade, uninstall), and the portable zip unpacked into a folder of its own.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <knownfolders.h>
#include <shlobj.h>
#include <string>
#include <vector>
#include "tests/e2e/program.h"
#include "verze.h"

namespace {

const std::wstring VERZE = L"" TESVARIN_VERZE_TEXT;
const std::wstring ODINSTALACE = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

using test::znama_slozka;

std::wstring v_buildu(const std::wstring& cesta) { return test::slozka_programu() + L"\\..\\" + cesta; }

// A text of HKLM\...\Uninstall\<polozka> ("" when missing), in the registry's 32-bit view
// (both installers keep their entry there) or, with `pohled` KEY_WOW64_64KEY, the 64-bit one.
std::wstring odinstalace(const std::wstring& polozka, const wchar_t* hodnota, REGSAM pohled = KEY_WOW64_32KEY)
{
  wchar_t text[512] = {};
  DWORD bajtu = sizeof text;
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, (ODINSTALACE + L"\\" + polozka).c_str(), 0, KEY_READ | pohled, &k) != 0) return L"";
  RegGetValueW(k, nullptr, hodnota, RRF_RT_REG_SZ, nullptr, text, &bajtu);
  RegCloseKey(k);
  return text;
}

// How many entries of Add/Remove Programs are called Tesvarin, whatever their key, in both
// views of the registry (Add/Remove Programs shows both).
int pocet_polozek()
{
  BOOL wow64 = FALSE;
  IsWow64Process(GetCurrentProcess(), &wow64);
  const bool dva_pohledy = sizeof(void*) == 8 || wow64; // a 32-bit system has one view
  int pocet = 0;
  for (REGSAM pohled : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    HKEY k = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ODINSTALACE.c_str(), 0, KEY_READ | pohled, &k) != ERROR_SUCCESS) return -1;
    wchar_t jmeno[256];
    for (DWORD i = 0, n = 256; RegEnumKeyExW(k, i, jmeno, &n, nullptr, nullptr, nullptr, nullptr) == 0; ++i, n = 256)
      pocet += odinstalace(jmeno, L"DisplayName", pohled) == L"Tesvarin";
    RegCloseKey(k);
    if (!dva_pohledy) break;
  }
  return pocet;
}

// The fixed file and product versions and the ProductVersion string of a file's version
// resource, each as "a.b.c.d".
std::vector<std::wstring> verze_souboru(const std::wstring& soubor)
{
  std::vector<BYTE> b(GetFileVersionInfoSizeW(soubor.c_str(), nullptr) + 1);
  void* p = nullptr;
  UINT n = 0;
  if (!GetFileVersionInfoW(soubor.c_str(), 0, static_cast<DWORD>(b.size()), b.data()) ||
      !VerQueryValueW(b.data(), L"\\", &p, &n))
    return {};
  const auto* f = static_cast<const VS_FIXEDFILEINFO*>(p);
  auto text = [](DWORD ms, DWORD ls) {
    wchar_t t[64];
    wsprintfW(t, L"%u.%u.%u.%u", HIWORD(ms), LOWORD(ms), HIWORD(ls), LOWORD(ls));
    return std::wstring(t);
  };
  std::vector<std::wstring> v{text(f->dwFileVersionMS, f->dwFileVersionLS), text(f->dwProductVersionMS, f->dwProductVersionLS)};
  if (VerQueryValueW(b.data(), L"\\VarFileInfo\\Translation", &p, &n)) {
    const auto* jazyk = static_cast<const WORD*>(p);
    wchar_t klic[64];
    wsprintfW(klic, L"\\StringFileInfo\\%04x%04x\\ProductVersion", jazyk[0], jazyk[1]);
    v.push_back(VerQueryValueW(b.data(), klic, &p, &n) ? static_cast<const wchar_t*>(p) : L"");
  }
  return v;
}

std::vector<std::wstring> obsah_slozky(const std::wstring& slozka)
{
  std::vector<std::wstring> jmena;
  WIN32_FIND_DATAW f;
  HANDLE h = FindFirstFileW((slozka + L"\\*").c_str(), &f);
  for (BOOL dalsi = h != INVALID_HANDLE_VALUE; dalsi; dalsi = FindNextFileW(h, &f))
    if (f.cFileName[0] != L'.') jmena.push_back(f.cFileName);
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  std::sort(jmena.begin(), jmena.end());
  return jmena;
}

// Starts the program (current directory `slozka`, else the test's), waits for its window and
// closes it: its exit code, 999 when no window came.
DWORD spust_a_zavri(const std::wstring& exe, const wchar_t* slozka = nullptr)
{
  e2e::beh b(exe, slozka);
  return b.cekej_na_okno() ? b.zavri() : 999;
}

// Runs an installer or uninstaller silently: its exit code; it must show no message.
DWORD potichu(const std::wstring& exe)
{
  auto v = test::spust_a_odklikej(L"\"" + exe + L"\" /S", 120000);
  EXPECT_TRUE(v.boxy.empty()) << test::utf8(v.boxy.empty() ? L"" : v.boxy[0].text);
  return v.kod;
}

class Vydani : public e2e::bez_klice {};

} // namespace

TEST_F(Vydani, InstalaceSpusteniAktualizaceAOdinstalace)
{
  const std::wstring instalator = v_buildu(L"balicky\\" TESVARIN_INSTALATOR);
  const std::wstring slozka = znama_slozka(FOLDERID_ProgramFiles) + L"\\Tesvarin";
  const std::wstring program = slozka + L"\\tesvarin.exe";
  const std::wstring zastupce = znama_slozka(FOLDERID_CommonPrograms) + L"\\Tesvarin.lnk";

  ASSERT_EQ(potichu(instalator), 0u);
  ASSERT_TRUE(test::existuje(program));
  EXPECT_TRUE(test::existuje(zastupce));
  EXPECT_EQ(odinstalace(L"Tesvarin", L"Publisher"), L"Kestrum");
  EXPECT_EQ(odinstalace(L"Tesvarin", L"DisplayIcon"), program + L",0");

  // One version everywhere: the installed program, its entry and the installer itself.
  auto verze = verze_souboru(program);
  for (const auto& v : verze_souboru(instalator)) verze.push_back(v);
  verze.push_back(odinstalace(L"Tesvarin", L"DisplayVersion"));
  EXPECT_EQ(verze, std::vector<std::wstring>(7, VERZE));

  EXPECT_EQ(spust_a_zavri(program), 0u);
  EXPECT_NE(test::text_hodnoty(L"slozka"), L"<none>"); // the run saved its settings

  ASSERT_EQ(potichu(instalator), 0u); // an upgrade over the installed copy
  EXPECT_EQ(pocet_polozek(), 1);

  // The uninstaller removes what it installed and nothing else: a file of the user's stays in
  // the folder, and so does the folder. It works on in a copy of itself: wait for it.
  test::vytvor_soubor(slozka + L"\\poznamky.txt");
  ASSERT_EQ(potichu(slozka + L"\\uninstall.exe"), 0u);
  test::pumpuj_dokud([&] { return !test::existuje(program) && pocet_polozek() == 0; }, 120000);
  EXPECT_EQ(obsah_slozky(slozka), std::vector<std::wstring>{L"poznamky.txt"});
  EXPECT_FALSE(test::existuje(zastupce));
  EXPECT_EQ(pocet_polozek(), 0);
  EXPECT_NE(test::text_hodnoty(L"slozka"), L"<none>"); // the user's settings stay
  DeleteFileW((slozka + L"\\poznamky.txt").c_str());
  RemoveDirectoryW(slozka.c_str());
}

// A running Tesvarin keeps its program file: silently, the installer and the uninstaller end
// with exit code 2 and change nothing; once it is closed, both work. The uninstaller is run in
// place (_?=), so its exit code is its own and not its launcher's.
TEST_F(Vydani, BeziciProgramInstalaciNicNezmeni)
{
  const std::wstring instalator = v_buildu(L"balicky\\" TESVARIN_INSTALATOR);
  const std::wstring slozka = znama_slozka(FOLDERID_ProgramFiles) + L"\\Tesvarin";
  const std::wstring program = slozka + L"\\tesvarin.exe";
  const std::wstring odinstalator = L"\"" + slozka + L"\\uninstall.exe\" /S _?=" + slozka;
  ASSERT_EQ(potichu(instalator), 0u);
  auto cas = [&] {
    WIN32_FILE_ATTRIBUTE_DATA a{};
    GetFileAttributesExW(program.c_str(), GetFileExInfoStandard, &a);
    return (static_cast<unsigned long long>(a.ftLastWriteTime.dwHighDateTime) << 32) | a.ftLastWriteTime.dwLowDateTime;
  };
  const auto pred = cas();
  {
    e2e::beh b(program);
    ASSERT_TRUE(b.cekej_na_okno());
    EXPECT_EQ(potichu(instalator), 2u);
    EXPECT_EQ(cas(), pred) << "the running program's file is untouched";
    EXPECT_EQ(test::spust_a_odklikej(odinstalator, 120000).kod, 2u);
    EXPECT_TRUE(test::existuje(program));
    EXPECT_TRUE(test::existuje(slozka + L"\\uninstall.exe"));
    EXPECT_EQ(pocet_polozek(), 1);
    EXPECT_EQ(b.zavri(), 0u);
  }
  EXPECT_EQ(test::spust_a_odklikej(odinstalator, 120000).kod, 0u);
  EXPECT_FALSE(test::existuje(program));
  EXPECT_EQ(pocet_polozek(), 0);
  DeleteFileW((slozka + L"\\uninstall.exe").c_str()); // run in place, it cannot remove itself
  RemoveDirectoryW(slozka.c_str());
}

// Installed over the other build (its entry names the other architecture and another folder,
// as the 32-bit build's does beside the 64-bit one): that folder's program goes, and one entry
// and one shortcut remain, pointing at this build's program.
TEST_F(Vydani, InstalaceNadDruhouArchitekturou)
{
  const std::wstring druha = test::nova_slozka(L"druha_architektura");
  for (const wchar_t* f : {L"tesvarin.exe", L"LICENSE.txt", L"README.txt", L"uninstall.exe"})
    test::vytvor_soubor(druha + L"\\" + f);
  HKEY k = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, (ODINSTALACE + L"\\Tesvarin").c_str(), 0, nullptr, 0,
                            KEY_WRITE | KEY_WOW64_32KEY, nullptr, &k, nullptr), 0);
  const std::wstring jina = sizeof(void*) == 8 ? L"x86" : L"x64";
  RegSetValueExW(k, L"Architecture", 0, REG_SZ, reinterpret_cast<const BYTE*>(jina.c_str()), 8);
  RegSetValueExW(k, L"InstallLocation", 0, REG_SZ, reinterpret_cast<const BYTE*>(druha.c_str()),
                 static_cast<DWORD>((druha.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(k);

  const std::wstring slozka = znama_slozka(FOLDERID_ProgramFiles) + L"\\Tesvarin";
  ASSERT_EQ(potichu(v_buildu(L"balicky\\" TESVARIN_INSTALATOR)), 0u);
  EXPECT_TRUE(test::existuje(slozka + L"\\tesvarin.exe"));
  EXPECT_FALSE(test::existuje(druha)) << "the other build's folder is gone";
  EXPECT_EQ(pocet_polozek(), 1);
  EXPECT_EQ(odinstalace(L"Tesvarin", L"InstallLocation"), slozka);
  EXPECT_EQ(odinstalace(L"Tesvarin", L"Architecture"), sizeof(void*) == 8 ? L"x64" : L"x86");
  ASSERT_EQ(test::spust_a_odklikej(L"\"" + slozka + L"\\uninstall.exe\" /S _?=" + slozka, 120000).kod, 0u);
  EXPECT_EQ(pocet_polozek(), 0);
  DeleteFileW((slozka + L"\\uninstall.exe").c_str());
  RemoveDirectoryW(slozka.c_str());
}

// The portable package holds the program, the licence and the read-me, and the program
// starts from that folder with nothing else beside it.
TEST_F(Vydani, PrenosnaVerzeBeziZeSveSlozky)
{
  const std::wstring slozka = v_buildu(L"prenosna\\" TESVARIN_PRENOSNA);
  EXPECT_EQ(obsah_slozky(slozka), (std::vector<std::wstring>{L"LICENSE.txt", L"README.txt", L"tesvarin.exe"}));
  EXPECT_EQ(spust_a_zavri(slozka + L"\\tesvarin.exe", slozka.c_str()), 0u);
}
