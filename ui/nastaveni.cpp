#include "ui/nastaveni.h"

#include <knownfolders.h>
#include <shlobj.h>
#include <shlwapi.h>
#include "frame/chyby.h"
#include "frame/registr.h"

namespace {

void zapis(HKEY k, const wchar_t* nazev, DWORD typ, const void* data, DWORD bajtu)
{
  LONG s = RegSetValueExW(k, nazev, 0, typ, static_cast<const BYTE*>(data), bajtu);
  if (s != ERROR_SUCCESS) fatalni_hresult(hresult_registru(s));
}

void zapis_text(HKEY k, const wchar_t* nazev, const std::wstring& text)
{
  zapis(k, nazev, REG_SZ, text.c_str(), static_cast<DWORD>(2 * (text.size() + 1)));
}

void zapis_cislo(HKEY k, const wchar_t* nazev, DWORD cislo)
{
  zapis(k, nazev, REG_DWORD, &cislo, sizeof cislo);
}

} // namespace

void nastaveni::vychozi_cisla()
{
  param = 3;
  vypis = 3;
  vypis_casu = 3;
}

void nastaveni::nacti()
{
  klic_registru klic(KLIC_APLIKACE);
  if (FAILED(klic.otevri())) return;
  // Each value on its own; whatever is missing or of another type keeps what it had.
  klic.cti_dword(L"param", param);
  klic.cti_retezec(L"slozka", slozka);
  klic.cti_retezec(L"slozka_cil", slozka_cil);
  klic.cti_dword(L"vypis", vypis);
  DWORD format = static_cast<DWORD>(vypis_casu);
  if (klic.cti_dword(L"vypis_casu", format) == S_OK) vypis_casu = static_cast<LONG>(format);
  klic.zavri();
}

void nastaveni::uloz() const
{
  klic_registru klic(KLIC_APLIKACE);
  klic.vytvor_klic();
  zapis_cislo(klic.hkey.get(), L"param", param);
  zapis_text(klic.hkey.get(), L"slozka", slozka);
  zapis_text(klic.hkey.get(), L"slozka_cil", slozka_cil);
  zapis_cislo(klic.hkey.get(), L"vypis", vypis);
  zapis_cislo(klic.hkey.get(), L"vypis_casu", static_cast<DWORD>(vypis_casu));
  klic.zavri();
}

std::wstring vychozi_slozka()
{
  PWSTR dokumenty = nullptr;
  std::wstring slozka;
  if (SHGetKnownFolderPath(FOLDERID_Documents, 0, nullptr, &dokumenty) == S_OK && dokumenty &&
      PathFileExistsW(dokumenty))
    slozka = dokumenty;
  CoTaskMemFree(dokumenty);
  if (!slozka.empty()) return slozka;

  // The folder that holds the program file.
  std::wstring cesta(32768, L'\0');
  DWORD n = GetModuleFileNameW(nullptr, cesta.data(), static_cast<DWORD>(cesta.size()));
  if (n == 0) fatalni_posledni_chyba();
  PathRemoveFileSpecW(cesta.data());
  cesta.resize(std::wcslen(cesta.c_str()));
  return cesta;
}
