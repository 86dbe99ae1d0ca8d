#include "engine/pravidla.h"

#include <shlwapi.h>
#include <cwchar>

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

size_t odstranit_koncova_lomitka(std::wstring& text)
{
  size_t pocet = 0;
  while (!text.empty() && text.back() == L'\\') {
    text.pop_back();
    ++pocet;
  }
  return pocet;
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

std::wstring docasna_kopie(const std::wstring& cil, unsigned pokus, const wchar_t* pripona)
{
  std::wstring c = cil + pripona;
  if (pokus > 1) c += L"-" + std::to_wstring(pokus);
  return c;
}

int najdi_v_seznamu(const std::vector<std::wstring>& seznam, const wchar_t* nazev)
{
  if (!nazev) return -1;
  for (size_t i = 0; i < seznam.size(); ++i)
    if (lstrcmpiW(seznam[i].c_str(), nazev) == 0) return static_cast<int>(i);
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

bool stejny_znak(std::wstring_view a, std::wstring_view b)
{
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
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
      if (vzor[v] == L'?' || stejny_znak(vzor.substr(v, dv), nazev.substr(n, dn))) {
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
      if ((*pripona && lstrcmpiW(polozka.c_str(), pripona) == 0) || lstrcmpiW(polozka.c_str(), nazev) == 0) return true;
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

namespace {

bool zacina(const std::wstring& s, const wchar_t* predpona)
{
  size_t n = std::wcslen(predpona);
  return s.size() >= n && s.compare(0, n, predpona) == 0;
}

bool je_jednotka(const std::wstring& s, size_t i)
{
  return s.size() >= i + 3 && ((s[i] >= L'A' && s[i] <= L'Z') || (s[i] >= L'a' && s[i] <= L'z')) &&
         s[i + 1] == L':' && s[i + 2] == L'\\';
}

} // namespace

std::wstring jednotna_lomitka(std::wstring cesta)
{
  for (wchar_t& c : cesta)
    if (c == L'/') c = L'\\';
  return cesta;
}

bool je_absolutni(const std::wstring& cesta)
{
  if (zacina(cesta, L"\\\\?\\") || je_jednotka(cesta, 0)) return true;
  // \\server\share: a server name and a share name; "\\.\" is a device, no folder.
  if (!zacina(cesta, L"\\\\") || zacina(cesta, L"\\\\.\\")) return false;
  const size_t lomitko = cesta.find(L'\\', 2);
  return lomitko != std::wstring::npos && lomitko > 2 && lomitko + 1 < cesta.size() && cesta[lomitko + 1] != L'\\';
}

std::wstring dlouha_forma(const std::wstring& plna)
{
  std::wstring r;
  if (zacina(plna, L"\\\\?\\"))
    r = plna;
  else if (je_jednotka(plna, 0))
    r = L"\\\\?\\" + plna;
  else if (zacina(plna, L"\\\\") && !zacina(plna, L"\\\\.\\") && plna.size() > 2 && plna[2] != L'\\')
    r = L"\\\\?\\UNC\\" + plna.substr(2);
  if (r.size() > NEJDELSI_CESTA) r.clear();
  return r;
}

bool pripoj_nazev(std::wstring& cesta, std::wstring_view nazev, size_t rezerva)
{
  const bool lomitko = cesta.empty() || cesta.back() != L'\\';
  if (cesta.size() + (lomitko ? 1 : 0) + nazev.size() + rezerva > NEJDELSI_CESTA) return false;
  if (lomitko) cesta += L'\\';
  cesta += nazev;
  return true;
}

std::wstring bez_koncoveho_lomitka(const std::wstring& cesta)
{
  if (cesta.size() >= 2 && cesta.back() == L'\\' && cesta[cesta.size() - 2] != L':')
    return cesta.substr(0, cesta.size() - 1);
  return cesta;
}

std::wstring s_lomitkem(std::wstring cesta)
{
  if (cesta.empty() || cesta.back() != L'\\') cesta += L'\\';
  return cesta;
}

namespace {

bool stejne(const wchar_t* a, size_t na, const wchar_t* b, size_t nb)
{
  return CompareStringOrdinal(a, static_cast<int>(na), b, static_cast<int>(nb), TRUE) == CSTR_EQUAL;
}

} // namespace

bool stejne_cesty(const std::wstring& a, const std::wstring& b)
{
  const std::wstring x = bez_koncoveho_lomitka(a), y = bez_koncoveho_lomitka(b);
  return stejne(x.data(), x.size(), y.data(), y.size());
}

bool stejne_presne(const std::wstring& a, const std::wstring& b)
{
  return bez_koncoveho_lomitka(a) == bez_koncoveho_lomitka(b);
}

bool je_koren_svazku(const std::wstring& plna)
{
  std::wstring c = plna;
  odstranit_koncova_lomitka(c);
  if (zacina(c, L"\\\\?\\UNC\\")) c = L"\\\\" + c.substr(8);
  else if (zacina(c, L"\\\\?\\") || zacina(c, L"\\\\.\\")) {
    c = c.substr(4);
    // A volume name or a device: its root is the whole name.
    if (c.find(L'\\') == std::wstring::npos && !(c.size() == 2 && c[1] == L':')) return !c.empty();
  }
  if (c.size() == 2 && c[1] == L':') return true;
  if (!zacina(c, L"\\\\")) return false;
  // \\server\share: two names after the leading backslashes, not more.
  const size_t server = c.find(L'\\', 2);
  return server == std::wstring::npos || c.find(L'\\', server + 1) == std::wstring::npos;
}

bool lezi_uvnitr(const std::wstring& vnitrni, const std::wstring& vnejsi)
{
  const std::wstring v = bez_koncoveho_lomitka(vnitrni), n = bez_koncoveho_lomitka(vnejsi);
  if (n.empty() || v.size() <= n.size()) return false;
  if (n.back() != L'\\' && v[n.size()] != L'\\') return false; // C:\src\app2 is not in C:\src\app
  return stejne(v.data(), n.size(), n.data(), n.size());
}

bool prekryvaji_se(const std::wstring& a, const std::wstring& b)
{
  return stejne_cesty(a, b) || lezi_uvnitr(a, b) || lezi_uvnitr(b, a);
}

std::wstring cesta_pro_shell(const std::wstring& cesta)
{
  if (zacina(cesta, L"\\\\?\\UNC\\")) return L"\\\\" + cesta.substr(8);
  if (zacina(cesta, L"\\\\?\\")) return je_jednotka(cesta, 4) ? cesta.substr(4) : std::wstring();
  if (zacina(cesta, L"\\\\.\\")) return {};
  return cesta;
}

namespace {
std::wstring v_uvozovkach(const std::wstring& cesta) { return L"\"" + cesta + L"\""; }
} // namespace

std::wstring radek_slozka_smazana(const std::wstring& cesta)
{
  return L"Složka " + v_uvozovkach(cesta) + L" byla vymazána podle nastavení";
}

std::wstring radek_soubor_smazan(const std::wstring& cesta)
{
  return L"Soubor " + v_uvozovkach(cesta) + L" byl vymazán podle nastavení";
}

std::wstring radek_selhani(const std::wstring& text, const std::wstring& cesta)
{
  return text + L" " + v_uvozovkach(cesta);
}

std::wstring radek_cas_cisteni(unsigned sekundy)
{
  return L"Celkový čas čištění: " + std::to_wstring(static_cast<long>(sekundy)) + L" sekund";
}

std::wstring radek_cas(unsigned sekundy) { return L"Celkový čas: " + std::to_wstring(static_cast<long>(sekundy)) + L" sekund"; }

std::wstring radek_cas_zalohy(unsigned sekundy)
{
  return L"Celkový čas tesvarin: " + std::to_wstring(static_cast<long>(sekundy)) + L" sekund";
}

std::wstring radek_vzor_vynechan(const std::wstring& vzor)
{
  return L"Vzor " + v_uvozovkach(vzor) + L" ze seznamu souborů byl vynechán, protože by vymazal téměř všechny soubory";
}

std::wstring radek_pocet_chyb(LONG pocet) { return L"!! Nepodařilo se odstranit " + std::to_wstring(pocet) + L" objektů !!"; }

std::wstring radek_stary_cil_odstranen(const std::wstring& cesta) { return L"Původní složka " + cesta + L" byla odstraněna."; }

std::wstring radek_zacykleni(const std::wstring& odkaz)
{
  return L"Odkaz " + v_uvozovkach(odkaz) +
         L" vede do složky, kterou kopírování právě prochází, nebo do cíle zálohy: kopírování by se zacyklilo.";
}

bool casy_shodne(const FILETIME& zdroj, const FILETIME& kopie)
{
  const auto cislo = [](const FILETIME& f) {
    return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) | f.dwLowDateTime);
  };
  const long long rozdil = cislo(kopie) - cislo(zdroj);
  return rozdil >= -20000000LL && rozdil <= 20000000LL; // 2 s in units of 100 ns
}

std::wstring radek_opakovani(const std::wstring& odkaz)
{
  return L"Odkaz " + v_uvozovkach(odkaz) +
         L" vede do složky, kterou kopírování prochází i jinudy: kopie by ji obsahovala vícekrát.";
}

std::wstring radek_odkaz_nejasny(const std::wstring& odkaz)
{
  return L"Nepodařilo se zjistit, kam vede odkaz " + v_uvozovkach(odkaz) + L": kopírování nelze ověřit.";
}

std::wstring radek_chybejici_soubory(unsigned long long pocet)
{
  return L"Souborů, které v kopii chybí nebo se od zdroje liší: " + std::to_wstring(pocet);
}

std::wstring radek_stara_kopie_zustala(const std::wstring& cil) { return L"Původní složka " + cil + L" zůstala beze změny."; }

std::wstring radek_neuplna_kopie(const std::wstring& kopie, bool odstranena)
{
  return odstranena ? L"Neúplná kopie " + kopie + L" byla odstraněna."
                    : L"Neúplnou kopii " + kopie + L" se nepodařilo odstranit.";
}

std::wstring radek_nova_kopie_je_v(const std::wstring& kopie) { return L"Nová úplná kopie je ve složce " + kopie + L"."; }
