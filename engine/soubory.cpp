#include "engine/soubory.h"

#include <vector>
#include "engine/cesty.h"

std::wstring dlouha_cesta(const std::wstring& cesta)
{
  if (cesta.empty()) return {};
  if (cesta.rfind(L"\\\\?\\", 0) == 0) return dlouha_forma(cesta);
  DWORD n = GetFullPathNameW(cesta.c_str(), 0, nullptr, nullptr);
  if (n == 0) return {};
  std::wstring plna(n, L'\0');
  DWORD m = GetFullPathNameW(cesta.c_str(), n, plna.data(), nullptr);
  if (m == 0 || m >= n) return {};
  plna.resize(m);
  return dlouha_forma(plna);
}

std::wstring konecna_cesta_handle(HANDLE h)
{
  std::wstring s(MAX_PATH, L'\0');
  for (;;) {
    DWORD n = GetFinalPathNameByHandleW(h, s.data(), static_cast<DWORD>(s.size()), FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (n == 0) return {};
    if (n < s.size()) {
      s.resize(n);
      return s;
    }
    s.assign(static_cast<size_t>(n) + 1, L'\0');
  }
}

std::wstring konecna_cesta(const std::wstring& dlouha)
{
  if (dlouha.empty()) return {};
  kestrum::handle_souboru h = otevri_slozku(dlouha);
  if (!h.platny()) return {};
  return konecna_cesta_handle(h.get());
}

DWORD atributy(const std::wstring& dlouha) { return GetFileAttributesW(dlouha.c_str()); }

bool neexistuje(const std::wstring& dlouha)
{
  if (GetFileAttributesW(dlouha.c_str()) != INVALID_FILE_ATTRIBUTES) return false;
  DWORD e = GetLastError();
  return e == ERROR_FILE_NOT_FOUND || e == ERROR_PATH_NOT_FOUND;
}

bool je_slozka(const std::wstring& cesta)
{
  std::wstring d = dlouha_cesta(cesta);
  if (d.empty()) return false;
  DWORD a = atributy(bez_koncoveho_lomitka(d));
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

kestrum::handle_souboru otevri_slozku(const std::wstring& dlouha)
{
  return kestrum::handle_souboru(CreateFileW(dlouha.c_str(), FILE_READ_ATTRIBUTES, SDILENI_VSE, nullptr, OPEN_EXISTING,
                                             FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

// --- Where a file lies

namespace {

// The path of an open file on its volume (FileNameInfo), without a length limit.
std::wstring jmeno_na_svazku(HANDLE h)
{
  std::vector<DWORD> b((sizeof(FILE_NAME_INFO) + NEJDELSI_CESTA * sizeof(wchar_t)) / sizeof(DWORD) + 1);
  auto* info = reinterpret_cast<FILE_NAME_INFO*>(b.data());
  if (!GetFileInformationByHandleEx(h, FileNameInfo, info, static_cast<DWORD>(b.size() * sizeof(DWORD)))) return {};
  return std::wstring(info->FileName, info->FileNameLength / sizeof(wchar_t));
}

void dopln_svazek(HANDLE h, misto& m)
{
  BY_HANDLE_FILE_INFORMATION bi{};
  m.ma_svazek = GetFileInformationByHandle(h, &bi) != FALSE;
  m.svazek = bi.dwVolumeSerialNumber;
  m.na_svazku = m.ma_svazek ? jmeno_na_svazku(h) : std::wstring();
}

} // namespace

misto misto_handle(HANDLE h)
{
  misto m;
  m.konecna = konecna_cesta_handle(h);
  dopln_svazek(h, m);
  return m;
}

misto misto_polozky(const misto& rodic, const std::wstring& nazev)
{
  misto m = rodic;
  if (!m.konecna.empty() && !pripoj_nazev(m.konecna, nazev)) m.konecna.clear();
  if (!m.na_svazku.empty() && !pripoj_nazev(m.na_svazku, nazev)) m.na_svazku.clear();
  return m;
}

bool lezi_na(HANDLE h, const misto& m)
{
  if (!m.konecna.empty()) {
    const std::wstring konecna = konecna_cesta_handle(h);
    if (!konecna.empty()) return stejne_presne(konecna, m.konecna);
  }
  // No final path on one side: the same volume and the same path on it.
  misto tady;
  dopln_svazek(h, tady);
  return tady.ma_svazek && m.ma_svazek && tady.svazek == m.svazek && !tady.na_svazku.empty() && !m.na_svazku.empty() &&
         stejne_presne(tady.na_svazku, m.na_svazku);
}
