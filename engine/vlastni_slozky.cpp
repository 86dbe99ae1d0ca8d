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

// Both forms of a path that names a folder: its long path and, where it can be opened, its
// final path. Nothing when it cannot be formed.
void pridej_tvary(std::vector<std::wstring>& tvary, const std::wstring& cesta)
{
  const std::wstring dlouha = dlouha_cesta(s_lomitkem(cesta));
  if (dlouha.empty()) return;
  tvary.push_back(bez_koncoveho_lomitka(dlouha));
  const std::wstring konecna = konecna_cesta(bez_koncoveho_lomitka(dlouha));
  if (!konecna.empty()) tvary.push_back(konecna);
}

std::vector<std::wstring> chranene_slozky()
{
  static const KNOWNFOLDERID* const zname[] = {
      &FOLDERID_UserProfiles, &FOLDERID_Public, &FOLDERID_PublicDocuments, &FOLDERID_PublicDesktop,
      &FOLDERID_PublicDownloads, &FOLDERID_PublicPictures, &FOLDERID_PublicMusic, &FOLDERID_PublicVideos,
      &FOLDERID_Profile, &FOLDERID_Documents, &FOLDERID_Desktop, &FOLDERID_Downloads, &FOLDERID_Pictures,
      &FOLDERID_Music, &FOLDERID_Videos, &FOLDERID_Favorites, &FOLDERID_RoamingAppData, &FOLDERID_LocalAppData,
      &FOLDERID_SkyDrive, &FOLDERID_Windows, &FOLDERID_ProgramFiles, &FOLDERID_ProgramFilesX86,
      &FOLDERID_ProgramData};
  std::vector<std::wstring> cesty;
  for (const KNOWNFOLDERID* id : zname)
    if (const std::wstring c = znama_slozka(*id); !c.empty()) pridej_tvary(cesty, c);
  if (const std::wstring c = program_files_64(); !c.empty()) pridej_tvary(cesty, c);
  return cesty;
}

} // namespace

bool je_nebo_obsahuje(const std::vector<std::wstring>& tvary, const std::vector<std::wstring>& chranene)
{
  for (const std::wstring& t : tvary) {
    if (je_koren_svazku(t)) return true;
    for (const std::wstring& c : chranene)
      if (stejne_cesty(t, c) || lezi_uvnitr(c, t)) return true;
  }
  return false;
}

bool je_vlastni_slozka(const std::wstring& slozka)
{
  std::vector<std::wstring> tvary;
  pridej_tvary(tvary, slozka);
  // A folder that cannot even be formed is taken for one: nothing is known of it.
  return tvary.empty() || je_nebo_obsahuje(tvary, chranene_slozky());
}
