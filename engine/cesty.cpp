#include "engine/cesty.h"

size_t odstranit_koncova_lomitka(std::wstring& text)
{
  size_t pocet = 0;
  while (!text.empty() && text.back() == L'\\') {
    text.pop_back();
    ++pocet;
  }
  return pocet;
}

namespace {

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
  if (cesta.starts_with(L"\\\\?\\") || je_jednotka(cesta, 0)) return true;
  // \\server\share: a server name and a share name; "\\.\" is a device, no folder.
  if (!cesta.starts_with(L"\\\\") || cesta.starts_with(L"\\\\.\\")) return false;
  const size_t lomitko = cesta.find(L'\\', 2);
  return lomitko != std::wstring::npos && lomitko > 2 && lomitko + 1 < cesta.size() && cesta[lomitko + 1] != L'\\';
}

std::wstring dlouha_forma(const std::wstring& plna)
{
  std::wstring r;
  if (plna.starts_with(L"\\\\?\\"))
    r = plna;
  else if (je_jednotka(plna, 0))
    r = L"\\\\?\\" + plna;
  else if (plna.starts_with(L"\\\\") && !plna.starts_with(L"\\\\.\\") && plna.size() > 2 && plna[2] != L'\\')
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
  std::wstring c = cesta;
  if (odstranit_koncova_lomitka(c) > 0 && (c.empty() || c.back() == L':')) c += L'\\';
  return c;
}

std::wstring s_lomitkem(std::wstring cesta)
{
  if (cesta.empty() || cesta.back() != L'\\') cesta += L'\\';
  return cesta;
}

bool stejne_nazvy(std::wstring_view a, std::wstring_view b)
{
  // The upper-case mapping takes one UTF-16 unit to one, so names of unequal length differ.
  if (a.size() != b.size()) return false;
  return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

bool stejne_cesty(const std::wstring& a, const std::wstring& b)
{
  const std::wstring x = bez_koncoveho_lomitka(a), y = bez_koncoveho_lomitka(b);
  return stejne_nazvy(x, y);
}

bool stejne_presne(const std::wstring& a, const std::wstring& b)
{
  return bez_koncoveho_lomitka(a) == bez_koncoveho_lomitka(b);
}

bool je_koren_svazku(const std::wstring& plna)
{
  std::wstring c = plna;
  odstranit_koncova_lomitka(c);
  if (c.starts_with(L"\\\\?\\UNC\\")) c = L"\\\\" + c.substr(8);
  else if (c.starts_with(L"\\\\?\\") || c.starts_with(L"\\\\.\\")) {
    c = c.substr(4);
    // A volume name or a device: its root is the whole name.
    if (c.find(L'\\') == std::wstring::npos && !(c.size() == 2 && c[1] == L':')) return !c.empty();
  }
  if (c.size() == 2 && c[1] == L':') return true;
  if (!c.starts_with(L"\\\\")) return false;
  // \\server\share: two names after the leading backslashes, not more.
  const size_t server = c.find(L'\\', 2);
  return server == std::wstring::npos || c.find(L'\\', server + 1) == std::wstring::npos;
}

bool lezi_uvnitr(const std::wstring& vnitrni, const std::wstring& vnejsi)
{
  const std::wstring v = bez_koncoveho_lomitka(vnitrni), n = bez_koncoveho_lomitka(vnejsi);
  if (n.empty() || v.size() <= n.size()) return false;
  if (n.back() != L'\\' && v[n.size()] != L'\\') return false; // C:\src\app2 is not in C:\src\app
  return stejne_nazvy(std::wstring_view(v).substr(0, n.size()), n);
}

bool prekryvaji_se(const std::wstring& a, const std::wstring& b)
{
  return stejne_cesty(a, b) || lezi_uvnitr(a, b) || lezi_uvnitr(b, a);
}

std::wstring cesta_pro_shell(const std::wstring& cesta)
{
  if (cesta.starts_with(L"\\\\?\\UNC\\")) return L"\\\\" + cesta.substr(8);
  if (cesta.starts_with(L"\\\\?\\")) return je_jednotka(cesta, 4) ? cesta.substr(4) : std::wstring();
  if (cesta.starts_with(L"\\\\.\\")) return {};
  return cesta;
}
