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

std::wstring znama_slozka(REFKNOWNFOLDERID id)
{
  PWSTR p = nullptr;
  std::wstring s = SHGetKnownFolderPath(id, 0, nullptr, &p) == S_OK ? p : L"";
  CoTaskMemFree(p);
  return s;
}

std::wstring v_buildu(const std::wstring& cesta) { return test::slozka_programu() + L"\\..\\" + cesta; }

// A text of HKLM\...\Uninstall\<polozka> ("" when missing).
std::wstring odinstalace(const std::wstring& polozka, const wchar_t* hodnota)
{
  wchar_t text[512] = {};
  DWORD bajtu = sizeof text;
  RegGetValueW(HKEY_LOCAL_MACHINE, (ODINSTALACE + L"\\" + polozka).c_str(), hodnota, RRF_RT_REG_SZ, nullptr, text, &bajtu);
  return text;
}

// How many entries of Add/Remove Programs are called Tesvarin, whatever their key.
int pocet_polozek()
{
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, ODINSTALACE.c_str(), 0, KEY_READ, &k) != ERROR_SUCCESS) return -1;
  int pocet = 0;
  wchar_t jmeno[256];
  for (DWORD i = 0, n = 256; RegEnumKeyExW(k, i, jmeno, &n, nullptr, nullptr, nullptr, nullptr) == 0; ++i, n = 256)
    pocet += odinstalace(jmeno, L"DisplayName") == L"Tesvarin";
  RegCloseKey(k);
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
  for (int i = 0; i < 300 && (test::existuje(program) || pocet_polozek() != 0); ++i) Sleep(100);
  EXPECT_EQ(obsah_slozky(slozka), std::vector<std::wstring>{L"poznamky.txt"});
  EXPECT_FALSE(test::existuje(zastupce));
  EXPECT_EQ(pocet_polozek(), 0);
  EXPECT_NE(test::text_hodnoty(L"slozka"), L"<none>"); // the user's settings stay
  DeleteFileW((slozka + L"\\poznamky.txt").c_str());
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
