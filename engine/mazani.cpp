#include "engine/mazani.h"

#include "engine/cesty.h"
#include "engine/pruchod.h"
#include "engine/shoda.h"
#include "engine/vycet.h"
#include "engine/vlastni_slozky.h"
#include "frame/chyby.h"

namespace {

// Clears a read-only attribute through an open handle (opened with FILE_WRITE_ATTRIBUTES).
void zrus_jen_pro_cteni(HANDLE h)
{
  FILE_BASIC_INFO b{};
  if (!GetFileInformationByHandleEx(h, FileBasicInfo, &b, sizeof b)) return;
  if (!(b.FileAttributes & FILE_ATTRIBUTE_READONLY)) return;
  b.FileAttributes &= ~static_cast<DWORD>(FILE_ATTRIBUTE_READONLY);
  if (b.FileAttributes == 0) b.FileAttributes = FILE_ATTRIBUTE_NORMAL;
  // Zero times leave the times as they are.
  b.CreationTime.QuadPart = b.LastAccessTime.QuadPart = b.LastWriteTime.QuadPart = b.ChangeTime.QuadPart = 0;
  SetFileInformationByHandle(h, FileBasicInfo, &b, sizeof b);
}

bool jen_pro_cteni(DWORD atributy) { return (atributy & FILE_ATTRIBUTE_READONLY) != 0; }

// What the delete of a tree keeps of each folder it empties.
struct uroven_mazani {
  misto tady; // where it lies
  bool jen_pro_cteni = false;
};

} // namespace

bool oznac_ke_smazani(HANDLE h)
{
  // The member is not named: windows.h makes DeleteFile a macro.
  FILE_DISPOSITION_INFO d{TRUE};
  return SetFileInformationByHandle(h, FileDispositionInfo, &d, sizeof d) != FALSE;
}

HRESULT smazat_overene(const std::wstring& dlouha, const misto& ocekavane, bool zrusit_jen_pro_cteni, bool overit)
{
  // The link itself where the platform opens links as themselves; under Wine this opens
  // what the link points to, which then lies elsewhere.
  const DWORD pristup = DELETE | FILE_READ_ATTRIBUTES | (zrusit_jen_pro_cteni ? FILE_WRITE_ATTRIBUTES : 0);
  kestrum::handle_souboru h(CreateFileW(dlouha.c_str(), pristup, SDILENI_VSE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.platny()) return hresult_posledni_chyby();
  if (!lezi_na(h.get(), ocekavane)) return E_JINDE;
  if (zrusit_jen_pro_cteni) zrus_jen_pro_cteni(h.get());
  if (!oznac_ke_smazani(h.get())) return hresult_posledni_chyby();
  h.zavri();
  // The handle lay at the entry's own place, so what went is the entry itself; the path
  // must now name nothing.
  if (!overit || neexistuje(dlouha)) return S_OK;
  return HRESULT_FROM_WIN32(ERROR_ACCESS_DENIED);
}

namespace {

// The walk of a tree as its delete takes it, the one walk of deleting and of counting a
// tree. The folder itself must lie at `ocekavane` (links followed: a folder that is a link
// lies elsewhere). Each entry is decided as the delete decides it: a subfolder is entered
// and walked first, a link goes as itself, never its target, and an entry that cannot go
// safely (a link that cannot be removed as itself, a path too long even for the long-path
// calls, a folder that cannot be listed) keeps the tree. `na_polozce(u, polozka, cesta)`
// gets every entry that goes by itself (a file, or a link as itself) and `na_konci(u,
// cesta)` every folder once its listing is done. The first failure: why the tree stays;
// `zacal` tells whether the folder itself was where it should be and could be listed.
template <class F, class G>
HRESULT projdi_strom(const std::wstring& dlouha, const misto& ocekavane, DWORD atributy, bool& zacal, F na_polozce,
                     G na_konci)
{
  zacal = false;
  {
    kestrum::handle_souboru h = otevri_slozku(dlouha);
    if (!h.platny()) return hresult_posledni_chyby();
    if (!lezi_na(h.get(), ocekavane)) return E_JINDE;
  }
  HRESULT prvni = S_OK;
  const auto zapis = [&](HRESULT hr) {
    if (FAILED(hr) && SUCCEEDED(prvni)) prvni = hr;
  };
  pruchod<uroven_mazani> p;
  if (const HRESULT hr = p.vstup(uroven_mazani{ocekavane, jen_pro_cteni(atributy)}, dlouha); FAILED(hr)) return hr;
  zacal = true;
  p.projdi(
      [&](uroven_mazani& u, const WIN32_FIND_DATAW& e, const std::wstring& cesta) {
        if (cesta.empty()) {
          zapis(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
          return true;
        }
        const bool slozka = je_slozka_polozka(e);
        const akce a = slozka ? akce_slozky(e.dwFileAttributes, znacka(e), true)
                              : akce_souboru(e.dwFileAttributes, znacka(e), true);
        if (a == akce::smazat && slozka)
          zapis(p.vstup(uroven_mazani{misto_polozky(u.tady, e.cFileName), jen_pro_cteni(e.dwFileAttributes)}, cesta));
        else if (a == akce::smazat || a == akce::odstranit_odkaz)
          zapis(na_polozce(u, e, cesta));
        else
          zapis(E_JINDE); // a link that cannot be removed as itself stays
        return true;
      },
      [&](uroven_mazani& u, const std::wstring& cesta, HRESULT vycet) {
        zapis(vycet);
        na_konci(u, cesta);
      });
  return prvni;
}

} // namespace

HRESULT smazat_strom(const std::wstring& dlouha, const misto& ocekavane, DWORD atributy)
{
  bool zacal = false;
  const HRESULT prvni = projdi_strom(
      dlouha, ocekavane, atributy, zacal,
      [](const uroven_mazani& u, const WIN32_FIND_DATAW& e, const std::wstring& cesta) {
        return smazat_overene(cesta, misto_polozky(u.tady, e.cFileName), jen_pro_cteni(e.dwFileAttributes), false);
      },
      // Emptied, or not quite: then the folder stays and the final check fails.
      [](const uroven_mazani& u, const std::wstring& cesta) { smazat_overene(cesta, u.tady, u.jen_pro_cteni, false); });
  if (!zacal) return prvni;
  if (neexistuje(dlouha)) return S_OK;
  return FAILED(prvni) ? prvni : HRESULT_FROM_WIN32(ERROR_DIR_NOT_EMPTY);
}

HRESULT spocitej_strom(const std::wstring& dlouha, const misto& ocekavane, DWORD atributy, obsah_stromu& obsah)
{
  obsah = {};
  bool zacal = false;
  return projdi_strom(
      dlouha, ocekavane, atributy, zacal,
      [&](const uroven_mazani&, const WIN32_FIND_DATAW& e, const std::wstring&) {
        if (!je_slozka_polozka(e)) {
          ++obsah.souboru;
          obsah.bajtu += velikost_polozky(e);
        }
        return S_OK;
      },
      [](const uroven_mazani&, const std::wstring&) {});
}

HRESULT smazat_slozku(const std::wstring& cesta)
{
  const HRESULT neni = HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
  std::wstring dlouha = dlouha_cesta(cesta);
  odstranit_koncova_lomitka(dlouha);
  if (dlouha.empty() || je_koren_svazku(dlouha)) return E_INVALIDARG; // never a drive root
  if (je_vlastni_slozka(dlouha)) return E_CHRANENA;
  const size_t lomitko = dlouha.find_last_of(L'\\');
  if (lomitko == std::wstring::npos || lomitko < 4) return E_INVALIDARG;
  const std::wstring nazev = dlouha.substr(lomitko + 1);
  std::wstring rodic = dlouha.substr(0, lomitko);
  if (nazev.empty() || nazev == L"." || nazev == L".." || nazev.find_first_of(L"*?") != std::wstring::npos)
    return E_INVALIDARG;
  if (rodic.back() == L':') rodic += L'\\';

  WIN32_FIND_DATAW p;
  if (!udaje_polozky(dlouha, p)) return neni;
  if (!je_slozka_polozka(p)) return HRESULT_FROM_WIN32(ERROR_DIRECTORY);
  // Checked against its parent, which may itself lie behind a link or on a mapped or
  // substituted drive, under its name as the parent lists it: the name typed may differ
  // from it in letter case.
  misto m;
  {
    kestrum::handle_souboru h = otevri_slozku(rodic);
    if (!h.platny()) return hresult_posledni_chyby();
    m = misto_polozky(misto_handle(h.get()), p.cFileName);
  }
  switch (akce_slozky(p.dwFileAttributes, znacka(p), true)) {
  case akce::smazat: return smazat_strom(dlouha, m, p.dwFileAttributes);
  case akce::odstranit_odkaz: return smazat_overene(dlouha, m, true, true);
  default: return E_JINDE;
  }
}
