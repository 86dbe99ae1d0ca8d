#include "engine/nazev_kopie.h"

#include <cwchar>
#include "engine/cesty.h"

unsigned sekundy_mezi(DWORD start, DWORD ted)
{
  // Unsigned subtraction is modular: a wrap of the counter in between cancels out.
  return static_cast<unsigned>(static_cast<DWORD>(ted - start) / 1000u);
}

int nazev_slozky(const std::wstring& zdroj, std::wstring& nazev)
{
  if (zdroj.size() <= 3) return 1;
  size_t lomitko = zdroj.find_last_of(L'\\');
  if (lomitko == std::wstring::npos) return 1;
  if (lomitko + 1 == zdroj.size()) return 1;
  nazev = zdroj.substr(lomitko + 1);
  return 0;
}

bool nazev_pouzitelny(const std::wstring& nazev)
{
  if (nazev.empty() || nazev == L"." || nazev == L"..") return false;
  for (wchar_t z : nazev)
    if (z < 0x20 || std::wcschr(L"/:*?\"<>|", z)) return false;
  return nazev.back() != L'.' && nazev.back() != L' ';
}

namespace {

std::wstring tisk(const wchar_t* format, int a, int b, int c)
{
  wchar_t buffer[100];
  int n = std::swprintf(buffer, 100, format, a, b, c);
  return n > 0 ? std::wstring(buffer, static_cast<size_t>(n)) : std::wstring();
}

} // namespace

std::wstring text_data(const SYSTEMTIME& cas) { return tisk(L"%d.%d.%d", cas.wDay, cas.wMonth, cas.wYear); }

std::wstring cast_casu(const SYSTEMTIME& cas, LONG format)
{
  switch (format) {
  case 2: return tisk(L" %.2d-%.2d", cas.wHour, cas.wMinute, 0);
  case 3: return tisk(L" %dh %dm", cas.wHour, cas.wMinute, 0);
  case 4: return tisk(L" %.2d-%.2d-%.2d", cas.wHour, cas.wMinute, cas.wSecond);
  case 5: return tisk(L" %dh %dm %ds", cas.wHour, cas.wMinute, cas.wSecond);
  default: return {}; // 1 is the date alone, and so is any code the program does not know
  }
}

std::wstring pripona_data(const SYSTEMTIME& cas, LONG format) { return L" " + text_data(cas) + cast_casu(cas, format); }

std::wstring nazev_kopie(const std::wstring& nazev, bool pridat_datum, LONG format, const SYSTEMTIME& cas)
{
  return pridat_datum ? nazev + pripona_data(cas, format) : nazev;
}

std::wstring cilova_cesta(std::wstring umisteni, const std::wstring& nazev_kopie)
{
  odstranit_koncova_lomitka(umisteni);
  return umisteni + L"\\" + nazev_kopie;
}

namespace {

// Reads `nejmene` to `nejvic` digits from `s` at `i`; false when there are fewer.
bool cislice(std::wstring_view s, size_t& i, size_t nejmene, size_t nejvic)
{
  size_t n = 0;
  while (i < s.size() && n < nejvic && s[i] >= L'0' && s[i] <= L'9') ++i, ++n;
  return n >= nejmene;
}

// Reads the text `t` from `s` at `i`.
bool text(std::wstring_view s, size_t& i, std::wstring_view t)
{
  if (s.substr(i, t.size()) != t) return false;
  i += t.size();
  return true;
}

// The time part of format 2 or 4 (" 07-05", " 07-05-09") or 3 or 5 (" 7h 5m", " 7h 5m 9s"),
// from `i` to the end of `s`.
bool je_cast_casu(std::wstring_view s, size_t i)
{
  if (i == s.size()) return true; // format 1: the date alone
  size_t j = i;
  if (text(s, j, L" ") && cislice(s, j, 2, 2) && text(s, j, L"-") && cislice(s, j, 2, 2) &&
      (j == s.size() || (text(s, j, L"-") && cislice(s, j, 2, 2) && j == s.size())))
    return true;
  j = i;
  return text(s, j, L" ") && cislice(s, j, 1, 2) && text(s, j, L"h ") && cislice(s, j, 1, 2) && text(s, j, L"m") &&
         (j == s.size() || (text(s, j, L" ") && cislice(s, j, 1, 2) && text(s, j, L"s") && j == s.size()));
}

} // namespace

bool je_nazev_kopie(std::wstring_view zdroj, std::wstring_view nazev)
{
  if (nazev.size() < zdroj.size() || !stejne_nazvy(nazev.substr(0, zdroj.size()), zdroj)) return false;
  if (nazev.size() == zdroj.size()) return true;
  // " 6.12.2026" and the time part: what text_data and cast_casu write.
  size_t i = zdroj.size();
  return text(nazev, i, L" ") && cislice(nazev, i, 1, 2) && text(nazev, i, L".") && cislice(nazev, i, 1, 2) &&
         text(nazev, i, L".") && cislice(nazev, i, 1, 5) && je_cast_casu(nazev, i);
}
