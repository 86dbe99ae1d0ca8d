// The private registry of a test and the values of the application's key.
#include "tests/podpora/podpora.h"

#include <cstring>
#include <stdexcept>
#include "frame/hlavni_okno.h"
#include "frame/registr.h"

namespace test {

namespace {
LONG g_citac = 0;
}

soukromy_registr::soukromy_registr()
{
  cesta_ = L"Software\\TesvarinTesty\\" + std::to_wstring(GetCurrentProcessId()) + L"-" +
           std::to_wstring(InterlockedIncrement(&g_citac));
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegDeleteTreeW(HKEY_CURRENT_USER, cesta_.c_str());
  if (RegCreateKeyExW(HKEY_CURRENT_USER, cesta_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &koren_,
                      nullptr) != ERROR_SUCCESS)
    throw std::runtime_error("cannot create the test key");
  if (RegOverridePredefKey(HKEY_CURRENT_USER, koren_) != ERROR_SUCCESS)
    throw std::runtime_error("RegOverridePredefKey failed");
}

soukromy_registr::~soukromy_registr()
{
  RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
  RegCloseKey(koren_);
  RegDeleteTreeW(HKEY_CURRENT_USER, cesta_.c_str());
}

bool cti_hodnotu(const wchar_t* klic, const wchar_t* nazev, DWORD& typ, std::vector<BYTE>& data)
{
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, klic, 0, KEY_READ, &k) != ERROR_SUCCESS) return false;
  DWORD velikost = 0;
  LONG s = RegQueryValueExW(k, nazev, nullptr, &typ, nullptr, &velikost);
  if (s == ERROR_SUCCESS) {
    data.assign(velikost, 0);
    s = RegQueryValueExW(k, nazev, nullptr, &typ, data.data(), &velikost);
    data.resize(velikost);
  }
  RegCloseKey(k);
  return s == ERROR_SUCCESS;
}

void zapis_hodnotu(const wchar_t* klic, const wchar_t* nazev, DWORD typ, const void* data, DWORD bajtu)
{
  HKEY k = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, klic, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr) !=
      ERROR_SUCCESS)
    throw std::runtime_error("cannot create key");
  LONG s = RegSetValueExW(k, nazev, 0, typ, static_cast<const BYTE*>(data), bajtu);
  RegCloseKey(k);
  if (s != ERROR_SUCCESS) throw std::runtime_error("cannot write value");
}

std::vector<uint8_t> zakoduj_retezce(const std::vector<std::wstring>& seznam)
{
  std::vector<uint8_t> data;
  if (seznam.empty()) return data;
  for (const auto& s : seznam) {
    const auto* p = reinterpret_cast<const uint8_t*>(s.c_str());
    data.insert(data.end(), p, p + 2 * (s.size() + 1));
  }
  data.push_back(0);
  data.push_back(0);
  return data;
}

std::wstring text_hodnoty(const wchar_t* nazev)
{
  DWORD typ = 0;
  std::vector<BYTE> d;
  if (!cti_hodnotu(KLIC_APLIKACE, nazev, typ, d) || typ != REG_SZ || d.size() < 2) return L"<none>";
  return std::wstring(reinterpret_cast<const wchar_t*>(d.data()), d.size() / 2 - 1);
}

DWORD cislo_hodnoty(const wchar_t* nazev)
{
  DWORD typ = 0;
  std::vector<BYTE> d;
  if (!cti_hodnotu(KLIC_APLIKACE, nazev, typ, d) || typ != REG_DWORD || d.size() != 4) return 0xDEAD;
  DWORD v;
  std::memcpy(&v, d.data(), 4);
  return v;
}

bool umisteni_hodnoty(void* cil20)
{
  DWORD typ = 0;
  std::vector<BYTE> d;
  if (!cti_hodnotu(KLIC_APLIKACE, L"umisteni_okna", typ, d) || typ != REG_BINARY || d.size() != 20) return false;
  std::memcpy(cil20, d.data(), 20);
  return true;
}

bool ulozene_umisteni_je(const RECT& r)
{
  umisteni_okna u{};
  return umisteni_hodnoty(&u) && u.left == r.left && u.top == r.top && u.right == r.right && u.bottom == r.bottom &&
         u.topmost == 0 && (u.vypln[0] | u.vypln[1] | u.vypln[2]) == 0;
}

void smaz_klic(const wchar_t* klic)
{
  RegDeleteTreeW(HKEY_CURRENT_USER, klic);
  RegDeleteKeyW(HKEY_CURRENT_USER, klic);
}

} // namespace test
