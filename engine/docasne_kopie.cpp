#include "engine/docasne_kopie.h"

#include <algorithm>
#include <cwchar>
#include <cwctype>
#include <vector>
#include "engine/cesty.h"
#include "engine/mazani.h"
#include "engine/nazev_kopie.h"
#include "engine/soubory.h"
#include "engine/vycet.h"
#include "engine/vypis_texty.h"
#include "frame/chyby.h"

namespace {

bool stejne(std::wstring_view a, std::wstring_view b)
{
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// The folder (long path, listing attributes) is a leftover: no link, marked, and its mark
// held by no running backup.
bool je_zbytek(const std::wstring& slozka, DWORD atributy)
{
  if (atributy & FILE_ATTRIBUTE_REPARSE_POINT) return false;
  const kestrum::handle_souboru h(CreateFileW((s_lomitkem(slozka) + ZNACKA_KOPIE).c_str(), GENERIC_READ,
                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  return h.platny();
}

} // namespace

bool je_docasna_kopie(std::wstring_view zdroj, std::wstring_view nazev)
{
  // The number of a further try: "-" and digits.
  size_t konec = nazev.size();
  while (konec > 0 && std::iswdigit(nazev[konec - 1])) --konec;
  konec = konec < nazev.size() && konec > 0 && nazev[konec - 1] == L'-' ? konec - 1 : nazev.size();
  for (std::wstring_view pripona : {PRIPONA_NOVE_KOPIE, PRIPONA_STARE_KOPIE}) {
    if (konec < pripona.size() || !stejne(nazev.substr(konec - pripona.size(), pripona.size()), pripona)) continue;
    const std::wstring_view zaklad = nazev.substr(0, konec - pripona.size());
    // The source's name alone, or followed by a blank and the date suffix.
    return zaklad.size() >= zdroj.size() && stejne(zaklad.substr(0, zdroj.size()), zdroj) &&
           (zaklad.size() == zdroj.size() || zaklad[zdroj.size()] == L' ');
  }
  return false;
}

kestrum::handle_souboru oznac_kopii(const std::wstring& slozka, bool drzet)
{
  // A link's mark would land in the folder it points to.
  const DWORD a = atributy(slozka);
  if (a == INVALID_FILE_ATTRIBUTES || !(a & FILE_ATTRIBUTE_DIRECTORY) || (a & FILE_ATTRIBUTE_REPARSE_POINT)) return {};
  kestrum::handle_souboru h(CreateFileW((s_lomitkem(slozka) + ZNACKA_KOPIE).c_str(), GENERIC_WRITE | DELETE,
                                        FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_HIDDEN, nullptr));
  if (!drzet) h.zavri();
  return h;
}

HRESULT smazat_docasnou(const std::wstring& slozka)
{
  const HRESULT hr = smazat_slozku(slozka);
  if (hr != S_OK) oznac_kopii(dlouha_cesta(slozka), false);
  return hr;
}

void odstran_zbytky(const std::wstring& umisteni, const std::wstring& zdroj, prijemce_radku& vystup)
{
  const std::wstring dlouhe = dlouha_cesta(umisteni + L"\\");
  std::vector<WIN32_FIND_DATAW> nalezene;
  {
    vycet_slozky v;
    WIN32_FIND_DATAW p;
    if (dlouhe.empty() || !v.otevri(dlouhe)) return;
    while (v.dalsi(p))
      if (je_slozka_polozka(p) && je_docasna_kopie(zdroj, p.cFileName)) nalezene.push_back(p);
  }
  // In the order of their names, whatever order the listing gave.
  std::sort(nalezene.begin(), nalezene.end(),
            [](const WIN32_FIND_DATAW& a, const WIN32_FIND_DATAW& b) { return std::wcscmp(a.cFileName, b.cFileName) < 0; });
  for (const WIN32_FIND_DATAW& n : nalezene) {
    const std::wstring slozka = umisteni + L"\\" + n.cFileName;
    std::wstring dlouha;
    if (!cesta_polozky(dlouha, dlouhe, n.cFileName, true) || !je_zbytek(dlouha, n.dwFileAttributes)) {
      vystup.radek(radek_cizi_slozka(slozka));
      continue;
    }
    const HRESULT hr = smazat_docasnou(slozka);
    vystup.radek(hr == S_OK ? radek_zbytek_odstranen(slozka) : radek_zbytek_neodstranen(slozka, systemovy_text(hr)));
  }
}
