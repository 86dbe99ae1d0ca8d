#include "frame/registr.h"

#include <cstring>
#include "frame/chyby.h"

const wchar_t* const KLIC_APLIKACE = L"Software\\Kestrum\\Tesvarin\\1";

namespace {

const wchar_t* const HODNOTA_UMISTENI = L"umisteni_okna";

bool hodnota_existuje(HKEY k, const wchar_t* nazev)
{
  return RegQueryValueExW(k, nazev, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

} // namespace

HRESULT hresult_registru(LONG status)
{
  return hresult_z_win32(status, S_OK);
}

// --- klic_registru

klic_registru::klic_registru(const wchar_t* c)
{
  if (!c || std::wcslen(c) < 22) fatalni_argument();
  cesta = c;
}

HRESULT klic_registru::otevri()
{
  zavri();
  HKEY k = nullptr;
  LONG s = RegOpenKeyExW(HKEY_CURRENT_USER, cesta.c_str(), 0, PRISTUP_KLICE, &k);
  if (s != ERROR_SUCCESS) return hresult_registru(s);
  hkey.nastav(k);
  return S_OK;
}

void klic_registru::vytvor_klic()
{
  zavri();
  HKEY k = nullptr;
  LONG s = RegCreateKeyExW(HKEY_CURRENT_USER, cesta.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, PRISTUP_KLICE,
                           nullptr, &k, nullptr);
  if (s != ERROR_SUCCESS) fatalni_hresult(hresult_registru(s));
  if (!k) fatalni_hresult(0);
  hkey.nastav(k);
}

HRESULT klic_registru::cti_dword(const wchar_t* nazev, DWORD& cil)
{
  if (!hkey.platny()) fatalni_handle();
  if (!hodnota_existuje(hkey.get(), nazev)) return S_FALSE;
  DWORD hodnota = 0, typ = 0, velikost = sizeof hodnota;
  LONG s = RegQueryValueExW(hkey.get(), nazev, nullptr, &typ, reinterpret_cast<BYTE*>(&hodnota), &velikost);
  if (s != ERROR_SUCCESS) return hresult_registru(s);
  if (typ != REG_DWORD) return E_INVALIDARG;
  cil = hodnota;
  return S_OK;
}

HRESULT klic_registru::cti_retezec(const wchar_t* nazev, std::wstring& cil)
{
  if (!hkey.platny()) fatalni_handle();
  if (!hodnota_existuje(hkey.get(), nazev)) return S_FALSE;
  DWORD typ = 0, velikost = 0;
  LONG s = RegQueryValueExW(hkey.get(), nazev, nullptr, &typ, nullptr, &velikost);
  if (s != ERROR_SUCCESS) return hresult_registru(s);
  if (typ != REG_SZ) return E_INVALIDARG;
  // Room for the whole value (an odd size included, so that the query does not fail
  // for want of one byte); only whole code units are kept.
  std::wstring data(velikost / 2 + 1, L'\0');
  s = RegQueryValueExW(hkey.get(), nazev, nullptr, &typ, reinterpret_cast<BYTE*>(data.data()), &velikost);
  if (s != ERROR_SUCCESS) return hresult_registru(s);
  if (typ != REG_SZ) return E_INVALIDARG;
  data.resize(velikost / 2);
  // The text ends at its first NUL, or with the data when it holds none.
  size_t nul = data.find(L'\0');
  if (nul != std::wstring::npos) data.resize(nul);
  cil = std::move(data);
  return S_OK;
}

HRESULT klic_registru::cti_umisteni(void* cil20)
{
  if (!hkey.platny()) fatalni_handle();
  if (!hodnota_existuje(hkey.get(), HODNOTA_UMISTENI)) return S_FALSE;
  DWORD typ = 0, velikost = 20;
  LONG s = RegQueryValueExW(hkey.get(), HODNOTA_UMISTENI, nullptr, &typ, static_cast<BYTE*>(cil20), &velikost);
  if (s != ERROR_SUCCESS) return hresult_registru(s);
  return typ == REG_BINARY ? S_OK : E_INVALIDARG;
}

void klic_registru::zavri() { hkey.zavri(); }

// --- Multi-string coding

std::vector<std::wstring> dekoduj_retezce(const void* data, size_t bajtu)
{
  std::vector<std::wstring> seznam;
  const size_t jednotek = bajtu / 2;
  if (!data || jednotek == 0) return seznam;
  const auto* b = static_cast<const uint8_t*>(data);
  auto znak = [b](size_t i) { return static_cast<wchar_t>(b[2 * i] | (b[2 * i + 1] << 8)); };
  size_t i = 0;
  while (i < jednotek && znak(i) != L'\0') {
    std::wstring s;
    while (i < jednotek && znak(i) != L'\0') s += znak(i++);
    seznam.push_back(std::move(s));
    ++i; // past the NUL (or past the end, which ends the walk)
  }
  return seznam;
}

// --- vice_retezcu

void vice_retezcu::pridej(const wchar_t* text)
{
  if (!text) fatalni_argument();
  const size_t n = std::wcslen(text);
  const size_t pridano = 2 * n + 2;
  if (n > (0xFFFFFFF0u - size) / 2) fatalni_pamet();
  HANDLE halda = GetProcessHeap();
  if (size == 0) {
    void* blok = HeapAlloc(halda, 0, pridano + 2);
    if (!blok) fatalni_pamet();
    data = blok;
    std::memcpy(data, text, pridano);
    static_cast<uint8_t*>(data)[pridano] = 0;
    static_cast<uint8_t*>(data)[pridano + 1] = 0;
    size = static_cast<uint32_t>(pridano + 2);
    return;
  }
  if (!data) fatalni_argument();
  void* blok = HeapReAlloc(halda, 0, data, size + pridano);
  if (!blok) fatalni_pamet();
  data = blok;
  auto* b = static_cast<uint8_t*>(data);
  std::memcpy(b + size - 2, text, pridano); // over the old final NUL
  b[size + 2 * n] = 0;
  b[size + 2 * n + 1] = 0;
  size += static_cast<uint32_t>(pridano);
}

void vice_retezcu::z_posloupnosti(const std::vector<std::wstring>& seznam)
{
  uvolni();
  for (const auto& s : seznam) pridej(s.c_str());
}

void vice_retezcu::do_posloupnosti(std::vector<std::wstring>& seznam) const
{
  seznam = dekoduj_retezce(data, size);
}

HRESULT vice_retezcu::zapis(const wchar_t* cesta, const wchar_t* nazev) const
{
  HKEY k = nullptr;
  LONG s = RegCreateKeyExW(HKEY_CURRENT_USER, cesta, 0, nullptr, REG_OPTION_NON_VOLATILE, PRISTUP_KLICE, nullptr, &k,
                           nullptr);
  if (s != ERROR_SUCCESS) return hresult_registru(s);
  kestrum::handle_klice klic(k);
  static const BYTE zadna_data = 0;
  const BYTE* d = size ? static_cast<const BYTE*>(data) : &zadna_data;
  return hresult_registru(RegSetValueExW(klic.get(), nazev, 0, REG_MULTI_SZ, d, size));
}

HRESULT vice_retezcu::cti(const wchar_t* cesta, const wchar_t* nazev)
{
  uvolni();
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, cesta, 0, PRISTUP_KLICE, &k) != ERROR_SUCCESS) return S_FALSE;
  const kestrum::handle_klice klic(k);
  if (!hodnota_existuje(k, nazev)) return S_FALSE;
  DWORD typ = 0, velikost = 0;
  if (LONG s = RegQueryValueExW(k, nazev, nullptr, &typ, nullptr, &velikost); s != ERROR_SUCCESS)
    return hresult_z_win32(s, E_FAIL);
  if (typ != REG_MULTI_SZ) return E_INVALIDARG;
  if (velikost == 0) return S_OK;
  void* blok = HeapAlloc(GetProcessHeap(), 0, velikost);
  if (!blok) fatalni_pamet();
  data = blok;
  size = velikost;
  DWORD precteno = velikost;
  LONG s = RegQueryValueExW(k, nazev, nullptr, &typ, static_cast<BYTE*>(data), &precteno);
  if (s != ERROR_SUCCESS || typ != REG_MULTI_SZ) {
    uvolni();
    return s != ERROR_SUCCESS ? hresult_z_win32(s, E_FAIL) : E_INVALIDARG;
  }
  size = precteno;
  return S_OK;
}

void vice_retezcu::uvolni()
{
  if (size != 0 && data) {
    if (!HeapFree(GetProcessHeap(), 0, data)) fatalni_posledni_chyba();
  }
  data = nullptr;
  size = 0;
}
