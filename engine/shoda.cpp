#include "engine/shoda.h"

#include <shlwapi.h>
#include "engine/cesty.h"

int najdi_v_seznamu(const std::vector<std::wstring>& seznam, const wchar_t* nazev)
{
  if (!nazev) return -1;
  for (size_t i = 0; i < seznam.size(); ++i)
    if (stejne_nazvy(seznam[i], nazev)) return static_cast<int>(i);
  return -1;
}

bool skryta_polozka(const wchar_t* nazev) { return nazev[0] == L'.'; }

bool je_vzor(std::wstring_view polozka) { return polozka.find_first_of(L"*?") != std::wstring_view::npos; }

namespace {

// UTF-16 units of the character at `i`: a surrogate pair is one character.
size_t delka_znaku(std::wstring_view s, size_t i)
{
  return i + 1 < s.size() && IS_HIGH_SURROGATE(s[i]) && IS_LOW_SURROGATE(s[i + 1]) ? 2 : 1;
}

} // namespace

bool odpovida_vzoru(std::wstring_view vzor, std::wstring_view nazev)
{
  // Greedy, with a way back to the last "*" only: a "*" met later covers every run an
  // earlier one could still take, so the work stays below length times length.
  constexpr size_t zadna = std::wstring_view::npos;
  size_t v = 0, n = 0, hvezda = zadna, konec_behu = 0;
  while (n < nazev.size()) {
    if (v < vzor.size() && vzor[v] == L'*') {
      hvezda = v++;
      konec_behu = n;
      continue;
    }
    const size_t dn = delka_znaku(nazev, n);
    if (v < vzor.size()) {
      const size_t dv = delka_znaku(vzor, v);
      if (vzor[v] == L'?' || stejne_nazvy(vzor.substr(v, dv), nazev.substr(n, dn))) {
        v += dv;
        n += dn;
        continue;
      }
    }
    if (hvezda == zadna) return false;
    // The last "*" takes one more character; the rest of the pattern starts again after it.
    konec_behu += delka_znaku(nazev, konec_behu);
    n = konec_behu;
    v = hvezda + 1;
  }
  while (v < vzor.size() && vzor[v] == L'*') ++v;
  return v == vzor.size();
}

bool vzor_pro_vse(std::wstring_view polozka)
{
  return je_vzor(polozka) && polozka.find_first_not_of(L"*?.") == std::wstring_view::npos;
}

wchar_t nepovoleny_znak(std::wstring_view polozka, bool slozka)
{
  const size_t i = polozka.find_first_of(slozka ? L"\\/:\"<>|*?" : L"\\/:\"<>|");
  return i == std::wstring_view::npos ? 0 : polozka[i];
}

bool soubor_odpovida(const std::vector<std::wstring>& soubory, const wchar_t* nazev)
{
  // An entry without wildcards: the extension or the whole name, case aside (entries are
  // never empty, so a name without an extension is matched by its whole name only).
  const wchar_t* pripona = PathFindExtensionW(nazev);
  for (const std::wstring& polozka : soubory) {
    if (!je_vzor(polozka)) {
      if ((*pripona && stejne_nazvy(polozka, pripona)) || stejne_nazvy(polozka, nazev)) return true;
    } else if (!vzor_pro_vse(polozka) && odpovida_vzoru(polozka, nazev)) {
      return true;
    }
  }
  return false;
}

bool slozka_odpovida(const std::vector<std::wstring>& slozky, const wchar_t* nazev)
{
  return najdi_v_seznamu(slozky, nazev) != -1;
}

bool je_odkaz(DWORD atributy, DWORD znacka)
{
  if (!(atributy & FILE_ATTRIBUTE_REPARSE_POINT)) return false;
  return znacka == 0 || IsReparseTagNameSurrogate(znacka);
}

akce akce_slozky(DWORD atributy, DWORD znacka, bool odpovida)
{
  if (je_odkaz(atributy, znacka)) {
    if (!odpovida) return akce::nechat;
    // With tag 0 (Wine) every delete call acts on what the link points to.
    return znacka == 0 ? akce::selhani : akce::odstranit_odkaz;
  }
  return odpovida ? akce::smazat : akce::vstoupit;
}

akce akce_souboru(DWORD atributy, DWORD znacka, bool odpovida)
{
  if (!odpovida) return akce::nechat;
  if (je_odkaz(atributy, znacka)) return znacka == 0 ? akce::selhani : akce::odstranit_odkaz;
  return akce::smazat;
}
