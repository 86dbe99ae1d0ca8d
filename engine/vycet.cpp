#include "engine/vycet.h"

#include <cwchar>
#include <string_view>
#include <unordered_map>
#include "engine/cesty.h"

bool vycet_slozky::otevri(const std::wstring& slozka)
{
  const std::wstring vzor = s_lomitkem(slozka) + L"*";
  const HANDLE h = FindFirstFileW(vzor.c_str(), &prvni_polozka_);
  chyba_ = h == INVALID_HANDLE_VALUE ? GetLastError() : 0;
  h_.nastav(h);
  prvni_ = h_.platny();
  return prvni_;
}

bool vycet_slozky::dalsi(WIN32_FIND_DATAW& polozka)
{
  if (!h_.platny()) return false;
  if (prvni_) {
    prvni_ = false;
    polozka = prvni_polozka_;
    return true;
  }
  if (FindNextFileW(h_.get(), &polozka)) return true;
  const DWORD e = GetLastError();
  h_.zavri();
  if (e != ERROR_NO_MORE_FILES) chyba_ = e;
  return false;
}

bool cesta_polozky(std::wstring& cesta, const std::wstring& slozka, const wchar_t* nazev, bool je_slozka)
{
  cesta = slozka;
  if (pripoj_nazev(cesta, nazev, je_slozka ? 2 : 0)) return true;
  cesta.clear();
  return false;
}

bool udaje_polozky(const std::wstring& dlouha, WIN32_FIND_DATAW& p)
{
  kestrum::handle_vyctu h(FindFirstFileW(dlouha.c_str(), &p));
  return h.platny();
}

bool jeste_uvedena(const std::wstring& dlouha, const wchar_t* nazev)
{
  WIN32_FIND_DATAW p;
  if (udaje_polozky(dlouha, p)) return std::wcscmp(p.cFileName, nazev) == 0;
  // Only an answer that there is no such entry proves it gone.
  const DWORD e = GetLastError();
  return e != ERROR_FILE_NOT_FOUND && e != ERROR_PATH_NOT_FOUND;
}

bool jeste_uvedene(const std::wstring& slozka, const std::vector<std::wstring>& nazvy, std::vector<bool>& zustava)
{
  std::unordered_map<std::wstring_view, size_t> poradi;
  poradi.reserve(nazvy.size());
  for (size_t i = 0; i < nazvy.size(); ++i) poradi.emplace(nazvy[i], i);
  zustava.assign(nazvy.size(), false);
  vycet_slozky v;
  if (!v.otevri(slozka)) return false;
  WIN32_FIND_DATAW p;
  while (v.dalsi(p))
    if (const auto i = poradi.find(p.cFileName); i != poradi.end()) zustava[i->second] = true;
  return v.chyba() == 0;
}
