#include "engine/disk.h"

#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>
#include "engine/pravidla.h"
#include "frame/chyby.h"
#include "res/resource.h"
#include "ui/nastaveni.h"

namespace {

constexpr DWORD SDILENI_VSE = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

bool je_tecka(const wchar_t* nazev)
{
  return (nazev[0] == L'.' && nazev[1] == 0) || (nazev[0] == L'.' && nazev[1] == L'.' && nazev[2] == 0);
}

bool je_slozka_polozka(const WIN32_FIND_DATAW& p) { return (p.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

// The reparse tag of a listed entry; it stands in dwReserved0 when the entry is a reparse point.
DWORD znacka(const WIN32_FIND_DATAW& p)
{
  return (p.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ? p.dwReserved0 : 0;
}

// A key for sets of paths and names: upper case, as the file system compares them.
std::wstring klic(const std::wstring& s)
{
  std::wstring k = bez_koncoveho_lomitka(s);
  if (!k.empty()) CharUpperBuffW(k.data(), static_cast<DWORD>(k.size()));
  return k;
}

// The entry for a path itself (no wildcard), as its folder lists it.
bool udaje_polozky(const std::wstring& dlouha, WIN32_FIND_DATAW& p)
{
  HANDLE h = FindFirstFileW(dlouha.c_str(), &p);
  if (h == INVALID_HANDLE_VALUE) return false;
  if (!FindClose(h)) fatalni_posledni_chyba();
  return true;
}

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

bool oznac_ke_smazani(HANDLE h)
{
  // The member is not named: windows.h makes DeleteFile a macro.
  FILE_DISPOSITION_INFO d{TRUE};
  return SetFileInformationByHandle(h, FileDispositionInfo, &d, sizeof d) != FALSE;
}

} // namespace

// --- Handles

handle_souboru& handle_souboru::operator=(handle_souboru&& o) noexcept
{
  if (this != &o) {
    zavri();
    h_ = o.h_;
    o.h_ = INVALID_HANDLE_VALUE;
  }
  return *this;
}

void handle_souboru::zavri()
{
  if (platny()) {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    if (!CloseHandle(h)) fatalni_posledni_chyba();
  }
  h_ = INVALID_HANDLE_VALUE;
}

vycet_slozky::vycet_slozky(vycet_slozky&& o) noexcept : h_(o.h_), prvni_(o.prvni_), prvni_polozka_(o.prvni_polozka_)
{
  o.h_ = INVALID_HANDLE_VALUE;
  o.prvni_ = false;
}

vycet_slozky& vycet_slozky::operator=(vycet_slozky&& o) noexcept
{
  if (this != &o) {
    zavri();
    h_ = o.h_;
    prvni_ = o.prvni_;
    prvni_polozka_ = o.prvni_polozka_;
    o.h_ = INVALID_HANDLE_VALUE;
    o.prvni_ = false;
  }
  return *this;
}

bool vycet_slozky::otevri(const std::wstring& predpona)
{
  zavri();
  const std::wstring vzor = predpona + L"*";
  h_ = FindFirstFileW(vzor.c_str(), &prvni_polozka_);
  prvni_ = h_ != INVALID_HANDLE_VALUE;
  return prvni_;
}

bool vycet_slozky::dalsi(WIN32_FIND_DATAW& polozka)
{
  if (h_ == INVALID_HANDLE_VALUE) return false;
  if (prvni_) {
    prvni_ = false;
    polozka = prvni_polozka_;
    return true;
  }
  if (FindNextFileW(h_, &polozka)) return true;
  zavri();
  return false;
}

void vycet_slozky::zavri()
{
  if (h_ != INVALID_HANDLE_VALUE) {
    HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    if (!FindClose(h)) fatalni_posledni_chyba();
  }
  prvni_ = false;
}

// --- Paths

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

std::wstring konecna_cesta(const std::wstring& dlouha, bool odkaz_sam)
{
  if (dlouha.empty()) return {};
  handle_souboru h(CreateFileW(dlouha.c_str(), FILE_READ_ATTRIBUTES, SDILENI_VSE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_BACKUP_SEMANTICS | (odkaz_sam ? FILE_FLAG_OPEN_REPARSE_POINT : 0), nullptr));
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
    if (!konecna.empty()) return stejne_cesty(konecna, m.konecna);
  }
  // No final path on one side: the same volume and the same path on it.
  misto tady;
  dopln_svazek(h, tady);
  return tady.ma_svazek && m.ma_svazek && tady.svazek == m.svazek && !tady.na_svazku.empty() && !m.na_svazku.empty() &&
         stejne_cesty(tady.na_svazku, m.na_svazku);
}

// --- Deleting

HRESULT smazat_overene(const std::wstring& dlouha, const misto& ocekavane, bool zrusit_jen_pro_cteni, bool overit)
{
  // The link itself where the platform opens links as themselves; under Wine this opens
  // what the link points to, which then lies elsewhere.
  const DWORD pristup = DELETE | FILE_READ_ATTRIBUTES | (zrusit_jen_pro_cteni ? FILE_WRITE_ATTRIBUTES : 0);
  handle_souboru h(CreateFileW(dlouha.c_str(), pristup, SDILENI_VSE, nullptr, OPEN_EXISTING,
                               FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!h.platny()) return hresult_posledni_chyby();
  if (!lezi_na(h.get(), ocekavane)) return E_FAIL;
  if (zrusit_jen_pro_cteni) zrus_jen_pro_cteni(h.get());
  if (!oznac_ke_smazani(h.get())) return hresult_posledni_chyby();
  h.zavri();
  return !overit || neexistuje(dlouha) ? S_OK : E_FAIL;
}

namespace {

struct uroven_mazani {
  vycet_slozky vypis;
  std::wstring dlouha;   // long path
  std::wstring predpona; // long path with a trailing backslash
  misto tady;            // where it lies
  bool jen_pro_cteni = false;
};

} // namespace

HRESULT smazat_strom(const std::wstring& dlouha, const misto& ocekavane, DWORD atributy)
{
  {
    // The folder itself, links followed: a folder that is a link lies elsewhere.
    handle_souboru h(CreateFileW(dlouha.c_str(), FILE_READ_ATTRIBUTES, SDILENI_VSE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.platny() || !lezi_na(h.get(), ocekavane)) return E_FAIL;
  }
  std::vector<uroven_mazani> zasobnik;
  zasobnik.emplace_back();
  uroven_mazani& koren = zasobnik.back();
  koren.dlouha = dlouha;
  koren.predpona = dlouha;
  if (koren.predpona.back() != L'\\') koren.predpona += L'\\';
  koren.tady = ocekavane;
  koren.jen_pro_cteni = (atributy & FILE_ATTRIBUTE_READONLY) != 0;
  if (!koren.vypis.otevri(koren.predpona)) return E_FAIL;
  // Depth first with a stack of its own: a tree as deep as the longest path cannot exhaust
  // the thread's stack. A subfolder is entered by its listing; each of its entries, and at
  // last the subfolder itself, must still lie where it seems before it is deleted.
  while (!zasobnik.empty()) {
    uroven_mazani& u = zasobnik.back();
    WIN32_FIND_DATAW p;
    if (!u.vypis.dalsi(p)) {
      // Emptied (or not quite: then the folder stays and the final check fails).
      smazat_overene(u.dlouha, u.tady, u.jen_pro_cteni, false);
      zasobnik.pop_back();
      continue;
    }
    if (je_tecka(p.cFileName)) continue;
    const bool slozka = je_slozka_polozka(p);
    std::wstring cesta = u.predpona;
    // A path too long even for the long-path calls stays, and so does its folder.
    if (!pripoj_nazev(cesta, p.cFileName, slozka ? 2 : 0)) continue;
    const bool jen_pro_cteni = (p.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    const akce a = slozka ? akce_slozky(p.dwFileAttributes, znacka(p), true)
                          : akce_souboru(p.dwFileAttributes, znacka(p), true);
    if (a == akce::smazat && slozka) {
      uroven_mazani nova;
      nova.dlouha = cesta;
      nova.predpona = cesta + L"\\";
      nova.tady = misto_polozky(u.tady, p.cFileName);
      nova.jen_pro_cteni = jen_pro_cteni;
      if (nova.vypis.otevri(nova.predpona)) zasobnik.push_back(std::move(nova));
    } else if (a == akce::smazat || a == akce::odstranit_odkaz) {
      // A link goes as itself, never its target.
      smazat_overene(cesta, misto_polozky(u.tady, p.cFileName), jen_pro_cteni, false);
    }
    // akce::selhani: a link that cannot be removed as itself stays, and so does the folder.
  }
  return neexistuje(dlouha) ? S_OK : E_FAIL;
}

HRESULT smazat_slozku(const std::wstring& cesta)
{
  std::wstring dlouha = dlouha_cesta(cesta);
  odstranit_koncova_lomitka(dlouha);
  if (dlouha.empty() || dlouha.back() == L':') return E_FAIL; // never a drive root
  const size_t lomitko = dlouha.find_last_of(L'\\');
  if (lomitko == std::wstring::npos || lomitko < 4) return E_FAIL;
  const std::wstring nazev = dlouha.substr(lomitko + 1);
  std::wstring rodic = dlouha.substr(0, lomitko);
  if (nazev.empty() || nazev == L"." || nazev == L".." || nazev.find_first_of(L"*?") != std::wstring::npos)
    return E_FAIL;
  if (rodic.back() == L':') rodic += L'\\';

  WIN32_FIND_DATAW p;
  if (!udaje_polozky(dlouha, p) || !je_slozka_polozka(p)) return E_FAIL;
  // Checked against its parent, which may itself lie behind a link or on a mapped or
  // substituted drive.
  misto m;
  {
    handle_souboru h(CreateFileW(rodic.c_str(), FILE_READ_ATTRIBUTES, SDILENI_VSE, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.platny()) return E_FAIL;
    m = misto_polozky(misto_handle(h.get()), nazev);
  }
  switch (akce_slozky(p.dwFileAttributes, znacka(p), true)) {
  case akce::smazat: return smazat_strom(dlouha, m, p.dwFileAttributes);
  case akce::odstranit_odkaz: return smazat_overene(dlouha, m, true, true) == S_OK ? S_OK : E_FAIL;
  default: return E_FAIL;
  }
}

// --- The clean

struct cisteni::uroven {
  vycet_slozky vypis;
  std::wstring zobrazena; // as the log shows it
  std::wstring predpona;  // long path with a trailing backslash
  misto tady;             // where it lies
};

cisteni::cisteni(const seznamy_mazani& seznamy, const DWORD& vypis, prijemce_radku& vystup, LONG& pocet_chyb)
    : seznamy_(seznamy), vypis_(vypis), vystup_(vystup), pocet_chyb_(pocet_chyb),
      text_slozka_(nacti_text(IDS_NEPODARILO_SLOZKU)), text_soubor_(nacti_text(IDS_NEPODARILO_SOUBOR))
{
}

void cisteni::selhani(UINT id_textu, const std::wstring& cesta)
{
  ++pocet_chyb_;
  vystup_.radek(radek_selhani(id_textu == IDS_NEPODARILO_SLOZKU ? text_slozka_ : text_soubor_, cesta));
}

bool cisteni::vycisti(const std::wstring& slozka)
{
  if (slozka.empty()) return false;
  // The folder as its listing pattern names it: the path, a backslash and "*".
  std::wstring dlouha = dlouha_cesta(slozka + L"\\");
  if (dlouha.empty()) return false;
  if (dlouha.back() != L'\\') dlouha += L'\\';
  uroven koren;
  koren.zobrazena = slozka;
  koren.predpona = dlouha;
  {
    // The source folder itself may be a link: its entries are checked against its target.
    handle_souboru h(CreateFileW(bez_koncoveho_lomitka(dlouha).c_str(), FILE_READ_ATTRIBUTES, SDILENI_VSE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!h.platny()) return false;
    koren.tady = misto_handle(h.get());
  }
  if (!koren.vypis.otevri(dlouha)) return false;

  std::vector<uroven> zasobnik;
  zasobnik.push_back(std::move(koren));
  while (!zasobnik.empty()) {
    uroven& u = zasobnik.back();
    WIN32_FIND_DATAW p;
    if (!u.vypis.dalsi(p)) {
      zasobnik.pop_back();
      continue;
    }
    // ".", ".." and every name beginning with a dot: not deleted, not entered.
    if (skryta_polozka(p.cFileName)) continue;
    if (je_slozka_polozka(p)) {
      uroven nova;
      if (zpracuj_slozku(p, u, nova)) zasobnik.push_back(std::move(nova)); // entered before the next entry
    } else {
      zpracuj_soubor(p, u);
    }
  }
  return true;
}

bool cisteni::zpracuj_slozku(const WIN32_FIND_DATAW& p, const uroven& u, uroven& nova)
{
  const akce a = akce_slozky(p.dwFileAttributes, znacka(p), slozka_odpovida(seznamy_, p.cFileName));
  if (a == akce::nechat) return false;
  const std::wstring zobrazena = u.zobrazena + L"\\" + p.cFileName;
  std::wstring dlouha = u.predpona;
  if (!pripoj_nazev(dlouha, p.cFileName, 2)) {
    selhani(IDS_NEPODARILO_SLOZKU, zobrazena); // too long even for the long-path calls
    return false;
  }
  HRESULT hr = E_FAIL;
  switch (a) {
  case akce::vstoupit:
    // Entered by its listing, never a link. Should it lie elsewhere all the same (a link
    // without the link attribute), nothing in it lies where it seems, so nothing in it goes.
    nova.predpona = dlouha + L"\\";
    if (!nova.vypis.otevri(nova.predpona)) return false; // cannot be listed: skipped
    nova.zobrazena = zobrazena;
    nova.tady = misto_polozky(u.tady, p.cFileName);
    return true;
  case akce::smazat: hr = smazat_strom(dlouha, misto_polozky(u.tady, p.cFileName), p.dwFileAttributes); break;
  case akce::odstranit_odkaz: hr = smazat_overene(dlouha, misto_polozky(u.tady, p.cFileName), false, true); break;
  default: break; // akce::selhani
  }
  if (hr == S_OK) {
    if (vypis_ & vypis_slozky) vystup_.radek(radek_slozka_smazana(zobrazena));
  } else {
    selhani(IDS_NEPODARILO_SLOZKU, zobrazena);
  }
  return false;
}

void cisteni::zpracuj_soubor(const WIN32_FIND_DATAW& p, const uroven& u)
{
  if (!soubor_odpovida(seznamy_, p.cFileName)) return;
  const std::wstring zobrazena = u.zobrazena + L"\\" + p.cFileName;
  std::wstring dlouha = u.predpona;
  HRESULT hr = E_FAIL;
  if (pripoj_nazev(dlouha, p.cFileName) && akce_souboru(p.dwFileAttributes, znacka(p), true) != akce::selhani)
    hr = smazat_overene(dlouha, misto_polozky(u.tady, p.cFileName), false, true); // a read-only file stays
  if (hr == S_OK) {
    if (vypis_ & vypis_soubory) vystup_.radek(radek_soubor_smazan(zobrazena));
  } else {
    selhani(IDS_NEPODARILO_SOUBOR, zobrazena);
  }
}

// --- Checks around the backup

bool najdi_zacykleni(const std::wstring& zobrazeny_zdroj, const std::wstring& dlouhy_zdroj,
                     const std::wstring& konecny_cil, std::wstring& odkaz)
{
  struct uroven {
    vycet_slozky vypis;
    std::wstring predpona; // the path the copy reads it by, with a trailing backslash
    std::wstring konecna;
    std::wstring zobrazena;
    size_t usek; // index of the level where the chain of plain folders it lies in begins
  };
  std::vector<uroven> zasobnik;
  // Folders walked to their end: reaching one again cannot lead anywhere new.
  std::unordered_set<std::wstring> hotove;

  uroven koren;
  koren.predpona = dlouhy_zdroj;
  if (koren.predpona.empty()) return false;
  if (koren.predpona.back() != L'\\') koren.predpona += L'\\';
  koren.konecna = konecna_cesta(bez_koncoveho_lomitka(koren.predpona));
  koren.zobrazena = zobrazeny_zdroj;
  koren.usek = 0;
  if (koren.konecna.empty() || !koren.vypis.otevri(koren.predpona)) return false;
  zasobnik.push_back(std::move(koren));

  // A folder being walked is reached again if `k` is it or holds it.
  auto vede_zpet = [&](const std::wstring& k, size_t do_urovne) {
    for (size_t i = 0; i < do_urovne; ++i)
      if (stejne_cesty(zasobnik[i].konecna, k) || lezi_uvnitr(zasobnik[i].konecna, k)) return true;
    return false;
  };

  while (!zasobnik.empty()) {
    uroven& u = zasobnik.back();
    WIN32_FIND_DATAW p;
    if (!u.vypis.dalsi(p)) {
      hotove.insert(klic(u.konecna));
      zasobnik.pop_back();
      continue;
    }
    if (je_tecka(p.cFileName) || !je_slozka_polozka(p)) continue;
    std::wstring cesta = u.predpona;
    if (!pripoj_nazev(cesta, p.cFileName, 2)) continue; // the copy cannot reach it either
    const std::wstring zobrazena = u.zobrazena + L"\\" + p.cFileName;
    std::wstring konecna;
    size_t usek;
    if (je_odkaz(p.dwFileAttributes, znacka(p))) {
      konecna = konecna_cesta(cesta);
      if (konecna.empty()) continue; // leads nowhere: nothing to copy through it
      if (prekryvaji_se(konecna, konecny_cil) || vede_zpet(konecna, zasobnik.size())) {
        odkaz = zobrazena;
        return true;
      }
      usek = zasobnik.size();
    } else {
      konecna = u.konecna;
      if (!pripoj_nazev(konecna, p.cFileName)) continue;
      // Inside the chain it belongs to nothing can lead back; folders walked through an
      // earlier link can be reached again.
      if (vede_zpet(konecna, u.usek)) {
        odkaz = zasobnik[u.usek].zobrazena;
        return true;
      }
      usek = u.usek;
    }
    if (hotove.count(klic(konecna))) continue;
    uroven nova;
    nova.predpona = cesta + L"\\";
    if (!nova.vypis.otevri(nova.predpona)) continue;
    nova.konecna = std::move(konecna);
    nova.zobrazena = zobrazena;
    nova.usek = usek;
    zasobnik.push_back(std::move(nova));
  }
  return false;
}

unsigned long long chybejici_v_kopii(const std::wstring& dlouhy_zdroj, const std::wstring& dlouhy_cil)
{
  struct uroven {
    vycet_slozky vypis;
    std::wstring zdroj; // with a trailing backslash
    std::wstring cil;   // with a trailing backslash; empty when the copy cannot have it
    std::unordered_map<std::wstring, unsigned long long> v_kopii; // file name (key) -> size
  };
  auto otevri = [](uroven& u) {
    vycet_slozky kopie;
    if (!u.cil.empty() && kopie.otevri(u.cil)) {
      WIN32_FIND_DATAW p;
      while (kopie.dalsi(p))
        if (!je_slozka_polozka(p))
          u.v_kopii[klic(p.cFileName)] = (static_cast<unsigned long long>(p.nFileSizeHigh) << 32) | p.nFileSizeLow;
    }
    return u.vypis.otevri(u.zdroj);
  };
  auto s_lomitkem = [](std::wstring s) {
    if (s.empty() || s.back() != L'\\') s += L'\\';
    return s;
  };

  std::vector<uroven> zasobnik;
  uroven koren;
  koren.zdroj = s_lomitkem(dlouhy_zdroj);
  koren.cil = s_lomitkem(dlouhy_cil);
  if (!otevri(koren)) return 1; // a source that cannot be read again is not known to be copied
  zasobnik.push_back(std::move(koren));
  unsigned long long chybi = 0;
  while (!zasobnik.empty()) {
    uroven& u = zasobnik.back();
    WIN32_FIND_DATAW p;
    if (!u.vypis.dalsi(p)) {
      zasobnik.pop_back();
      continue;
    }
    if (je_tecka(p.cFileName)) continue;
    if (je_slozka_polozka(p)) {
      if (je_odkaz(p.dwFileAttributes, znacka(p))) continue;
      uroven nova;
      nova.zdroj = u.zdroj;
      nova.cil = u.cil;
      // A folder that cannot be read cannot be known to be copied.
      if (!pripoj_nazev(nova.zdroj, p.cFileName, 2)) {
        ++chybi;
        continue;
      }
      nova.zdroj += L'\\';
      if (nova.cil.empty() || !pripoj_nazev(nova.cil, p.cFileName, 2))
        nova.cil.clear(); // nothing can stand there: all its files count as missing
      else
        nova.cil += L'\\';
      if (otevri(nova))
        zasobnik.push_back(std::move(nova));
      else
        ++chybi;
      continue;
    }
    const unsigned long long velikost = (static_cast<unsigned long long>(p.nFileSizeHigh) << 32) | p.nFileSizeLow;
    auto it = u.v_kopii.find(klic(p.cFileName));
    if (it == u.v_kopii.end() || it->second != velikost) ++chybi;
  }
  return chybi;
}
