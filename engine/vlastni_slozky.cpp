#include "engine/vlastni_slozky.h"

#include <windows.h>
#include <knownfolders.h>
#include <shlobj.h>
#include <vector>
#include "engine/cesty.h"
#include "engine/soubory.h"
#include "frame/vlastnici.h"

namespace {

std::wstring znama_slozka(REFKNOWNFOLDERID id)
{
  PWSTR p = nullptr;
  std::wstring s;
  if (SHGetKnownFolderPath(id, 0, nullptr, &p) == S_OK && p) s = p;
  CoTaskMemFree(p);
  return s;
}

// The 64-bit Program Files, which a 32-bit program on 64-bit Windows is not given as a
// known folder: the registry's 64-bit view holds it (on 32-bit Windows, the only one).
std::wstring program_files_64()
{
  HKEY k = nullptr;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion", 0,
                    KEY_QUERY_VALUE | KEY_WOW64_64KEY, &k) != ERROR_SUCCESS)
    return {};
  const kestrum::handle_klice klic(k);
  wchar_t s[MAX_PATH] = {};
  DWORD bajtu = sizeof s;
  if (RegGetValueW(klic.get(), nullptr, L"ProgramFilesDir", RRF_RT_REG_SZ, nullptr, s, &bajtu) != ERROR_SUCCESS)
    return {};
  return s;
}

} // namespace

bool je_vlastni_slozka(const std::wstring& slozka)
{
  static const KNOWNFOLDERID* const zname[] = {
      &FOLDERID_Profile, &FOLDERID_Documents, &FOLDERID_Desktop, &FOLDERID_Downloads,
      &FOLDERID_Pictures, &FOLDERID_Music, &FOLDERID_Videos, &FOLDERID_Windows,
      &FOLDERID_ProgramFiles, &FOLDERID_ProgramFilesX86, &FOLDERID_ProgramData};
  std::vector<std::wstring> cesty{program_files_64()};
  for (const KNOWNFOLDERID* id : zname) cesty.push_back(znama_slozka(*id));
  for (const std::wstring& c : cesty) {
    if (c.empty()) continue;
    // Formed as the clean forms its source.
    const std::wstring dlouha = dlouha_cesta(s_lomitkem(c));
    if (dlouha.empty()) continue;
    const std::wstring konecna = konecna_cesta(bez_koncoveho_lomitka(dlouha));
    if (stejne_cesty(slozka, dlouha) || (!konecna.empty() && stejne_cesty(slozka, konecna))) return true;
  }
  return false;
}
