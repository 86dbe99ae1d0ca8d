// The packages a user gets: the installer run silently as a user's admin would (install,
// upgrade, uninstall), and the portable zip unpacked into a folder of its own.
#include <gtest/gtest.h>
#include <windows.h>
#include <algorithm>
#include <cwctype>
#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>
#include <string>
#include <vector>
#include "frame/registr.h"
#include "tests/e2e/program.h"
#include "tests/podpora/podpora.h"
#include "verze.h"

namespace {

const std::wstring VERZE = L"" TESVARIN_VERZE_TEXT;
const wchar_t* const KLIC_ODINSTALACE = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const wchar_t* const NAZEV = L"Tesvarin";

std::wstring znama_slozka(REFKNOWNFOLDERID id)
{
  PWSTR p = nullptr;
  std::wstring s;
  if (SHGetKnownFolderPath(id, 0, nullptr, &p) == S_OK) s = p;
  CoTaskMemFree(p);
  return s;
}

std::wstring vedle_testu(const std::wstring& cesta) { return test::slozka_programu() + L"\\..\\" + cesta; }

// A REG_SZ of HKLM\...\Uninstall\<podklic> ("<none>" when missing).
std::wstring polozka_odinstalace(const std::wstring& podklic, const wchar_t* hodnota)
{
  const std::wstring klic = std::wstring(KLIC_ODINSTALACE) + L"\\" + podklic;
  wchar_t text[512] = {};
  DWORD bajtu = sizeof text;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, klic.c_str(), hodnota, RRF_RT_REG_SZ, nullptr, text, &bajtu) != ERROR_SUCCESS)
    return L"<none>";
  return text;
}

// How many entries of Add/Remove Programs are called Tesvarin.
int pocet_polozek()
{
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, KLIC_ODINSTALACE, 0, KEY_READ, &k) != ERROR_SUCCESS) return -1;
  int pocet = 0;
  wchar_t jmeno[256];
  for (DWORD i = 0;; ++i) {
    DWORD delka = 256;
    if (RegEnumKeyExW(k, i, jmeno, &delka, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (polozka_odinstalace(jmeno, L"DisplayName") == NAZEV) ++pocet;
  }
  RegCloseKey(k);
  return pocet;
}

// The four versions that a version resource carries, as "a.b.c.d" texts.
struct verze_souboru {
  std::wstring pevna_souboru, pevna_produktu, text_souboru, text_produktu;
};

std::wstring ctyri_casti(DWORD ms, DWORD ls)
{
  return std::to_wstring(HIWORD(ms)) + L"." + std::to_wstring(LOWORD(ms)) + L"." +
         std::to_wstring(HIWORD(ls)) + L"." + std::to_wstring(LOWORD(ls));
}

verze_souboru cti_verze(const std::wstring& soubor)
{
  verze_souboru v;
  std::vector<BYTE> blok(GetFileVersionInfoSizeW(soubor.c_str(), nullptr));
  if (blok.empty() || !GetFileVersionInfoW(soubor.c_str(), 0, static_cast<DWORD>(blok.size()), blok.data()))
    return v;
  void* p = nullptr;
  UINT delka = 0;
  if (VerQueryValueW(blok.data(), L"\\", &p, &delka)) {
    auto* f = static_cast<VS_FIXEDFILEINFO*>(p);
    v.pevna_souboru = ctyri_casti(f->dwFileVersionMS, f->dwFileVersionLS);
    v.pevna_produktu = ctyri_casti(f->dwProductVersionMS, f->dwProductVersionLS);
  }
  WORD* preklad = nullptr;
  if (!VerQueryValueW(blok.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&preklad), &delka)) return v;
  wchar_t tabulka[64];
  wsprintfW(tabulka, L"\\StringFileInfo\\%04x%04x\\", preklad[0], preklad[1]);
  for (auto [klic, cil] : {std::pair{L"FileVersion", &v.text_souboru}, std::pair{L"ProductVersion", &v.text_produktu}})
    if (VerQueryValueW(blok.data(), (std::wstring(tabulka) + klic).c_str(), &p, &delka))
      *cil = static_cast<const wchar_t*>(p);
  return v;
}

// The DLLs that an executable imports, lower case, read from its import table.
std::vector<std::wstring> importy(const std::wstring& exe)
{
  std::vector<std::wstring> dll;
  HMODULE m = LoadLibraryExW(exe.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  if (!m) return dll;
  // The handle of an image loaded as a resource carries flags in its low bits.
  auto* zaklad = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(m) & ~ULONG_PTR{3});
  auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(zaklad);
  auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(zaklad + dos->e_lfanew);
  const auto& adresar = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
  for (auto* d = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(zaklad + adresar.VirtualAddress);
       adresar.VirtualAddress && d->Name; ++d) {
    std::wstring jmeno;
    for (const char* c = reinterpret_cast<const char*>(zaklad + d->Name); *c; ++c)
      jmeno += static_cast<wchar_t>(std::towlower(static_cast<unsigned char>(*c)));
    dll.push_back(jmeno);
  }
  FreeLibrary(m);
  return dll;
}

std::vector<std::wstring> obsah_slozky(const std::wstring& slozka)
{
  std::vector<std::wstring> jmena;
  WIN32_FIND_DATAW f;
  HANDLE h = FindFirstFileW((slozka + L"\\*").c_str(), &f);
  if (h == INVALID_HANDLE_VALUE) return jmena;
  do {
    if (std::wstring(f.cFileName) != L"." && std::wstring(f.cFileName) != L"..") jmena.push_back(f.cFileName);
  } while (FindNextFileW(h, &f));
  FindClose(h);
  std::sort(jmena.begin(), jmena.end());
  return jmena;
}

// Starts the program, waits for its window and closes it: its exit code (999: no window).
DWORD spust_a_zavri(const std::wstring& exe, const wchar_t* slozka = nullptr)
{
  e2e::beh b(exe, slozka);
  if (!b.cekej_na_okno()) return 999;
  return b.zavri();
}

// Runs an installer or uninstaller silently; its exit code.
DWORD potichu(const std::wstring& exe)
{
  auto v = test::spust_a_odklikej(L"\"" + exe + L"\" /S", 120000);
  EXPECT_TRUE(v.boxy.empty()) << test::utf8(v.boxy.empty() ? L"" : v.boxy[0].text);
  return v.kod;
}

class Vydani : public ::testing::Test {
protected:
  void SetUp() override { test::smaz_klic(KLIC_APLIKACE); }
  void TearDown() override { test::smaz_klic(KLIC_APLIKACE); }
};

} // namespace

TEST_F(Vydani, InstalaceSpusteniAktualizaceAOdinstalace)
{
  const std::wstring instalator = vedle_testu(L"balicky\\" TESVARIN_INSTALATOR);
  const std::wstring slozka = znama_slozka(FOLDERID_ProgramFiles) + L"\\Tesvarin";
  const std::wstring program = slozka + L"\\tesvarin.exe";
  const std::wstring odinstalator = slozka + L"\\uninstall.exe";
  const std::wstring zastupce = znama_slozka(FOLDERID_CommonPrograms) + L"\\Tesvarin.lnk";

  ASSERT_EQ(potichu(instalator), 0u);
  ASSERT_TRUE(test::existuje(program));
  EXPECT_TRUE(test::existuje(zastupce));
  EXPECT_EQ(polozka_odinstalace(NAZEV, L"Publisher"), L"Kestrum");
  EXPECT_EQ(polozka_odinstalace(NAZEV, L"DisplayIcon"), program + L",0");

  // One version everywhere: the installed program, the entry and the installer itself.
  const verze_souboru p = cti_verze(program), i = cti_verze(instalator);
  const std::pair<const wchar_t*, std::wstring> verze[] = {
    {L"program: fixed file version", p.pevna_souboru}, {L"program: fixed product version", p.pevna_produktu},
    {L"program: FileVersion", p.text_souboru},         {L"program: ProductVersion", p.text_produktu},
    {L"entry: DisplayVersion", polozka_odinstalace(NAZEV, L"DisplayVersion")},
    {L"installer: product version", i.pevna_produktu}, {L"installer: ProductVersion", i.text_produktu},
  };
  for (const auto& [kde, hodnota] : verze) EXPECT_EQ(hodnota, VERZE) << test::utf8(kde);

  EXPECT_EQ(spust_a_zavri(program), 0u);
  EXPECT_NE(test::text_hodnoty(L"slozka"), L"<none>"); // the run saved its settings

  // An upgrade over the installed copy keeps one entry.
  ASSERT_EQ(potichu(instalator), 0u);
  EXPECT_EQ(pocet_polozek(), 1);

  // The uninstaller removes what was installed and nothing else: a file of the user's in
  // the program's folder stays, and with it the folder. It goes on in a copy of itself:
  // wait for its work to show.
  const std::wstring vlastni = slozka + L"\\poznamky.txt";
  test::vytvor_soubor(vlastni);
  ASSERT_EQ(potichu(odinstalator), 0u);
  const DWORD start = GetTickCount();
  while ((test::existuje(program) || pocet_polozek() != 0) && GetTickCount() - start < 30000) Sleep(100);
  EXPECT_EQ(obsah_slozky(slozka), std::vector<std::wstring>{L"poznamky.txt"});
  EXPECT_FALSE(test::existuje(zastupce));
  EXPECT_EQ(pocet_polozek(), 0);
  EXPECT_NE(test::text_hodnoty(L"slozka"), L"<none>"); // the user's settings stay
  DeleteFileW(vlastni.c_str());
  RemoveDirectoryW(slozka.c_str());
}

// The portable package: only the program, the licence and the read-me; the program starts
// from that folder and imports only DLLs that every Windows has.
TEST_F(Vydani, PrenosnaVerzeBeziZeSveSlozky)
{
  const std::wstring slozka = vedle_testu(L"prenosna\\" TESVARIN_PRENOSNA);
  EXPECT_EQ(obsah_slozky(slozka), (std::vector<std::wstring>{L"LICENSE.txt", L"README.txt", L"tesvarin.exe"}));

  const std::vector<std::wstring> systemove = {
    L"advapi32.dll", L"comctl32.dll", L"gdi32.dll", L"gdiplus.dll", L"kernel32.dll", L"msvcrt.dll",
    L"ole32.dll", L"oleaut32.dll", L"shell32.dll", L"shlwapi.dll", L"user32.dll", L"uxtheme.dll", L"version.dll"};
  const auto dll = importy(slozka + L"\\tesvarin.exe");
  EXPECT_FALSE(dll.empty());
  for (const auto& d : dll)
    EXPECT_NE(std::find(systemove.begin(), systemove.end(), d), systemove.end()) << test::utf8(d);

  EXPECT_EQ(spust_a_zavri(slozka + L"\\tesvarin.exe", slozka.c_str()), 0u);
}
