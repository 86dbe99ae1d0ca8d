#include "engine/disk.h"

#include <deque>
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

vycet_slozky::vycet_slozky(vycet_slozky&& o) noexcept
    : h_(o.h_), chyba_(o.chyba_), prvni_(o.prvni_), prvni_polozka_(o.prvni_polozka_)
{
  o.h_ = INVALID_HANDLE_VALUE;
  o.prvni_ = false;
}

vycet_slozky& vycet_slozky::operator=(vycet_slozky&& o) noexcept
{
  if (this != &o) {
    zavri();
    h_ = o.h_;
    chyba_ = o.chyba_;
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
  chyba_ = 0;
  const std::wstring vzor = predpona + L"*";
  h_ = FindFirstFileW(vzor.c_str(), &prvni_polozka_);
  prvni_ = h_ != INVALID_HANDLE_VALUE;
  if (!prvni_) chyba_ = GetLastError();
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
  const DWORD e = GetLastError();
  zavri();
  if (e != ERROR_NO_MORE_FILES) chyba_ = e;
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

// A folder opened to be looked at, links followed.
handle_souboru otevri_slozku(const std::wstring& dlouha)
{
  return handle_souboru(CreateFileW(dlouha.c_str(), FILE_READ_ATTRIBUTES, SDILENI_VSE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
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

// --- The walk

namespace {

// A depth-first walk of folder listings with a stack of its own: a tree as deep as the
// longest path cannot exhaust the thread's stack. A level is one folder's open listing
// (`U` derives from `uroven_pruchodu`) with what the walk keeps of that folder. Each entry
// is dealt with before the next one is taken, and a folder entered from an entry is walked
// to its end before its parent goes on.
struct uroven_pruchodu {
  vycet_slozky vypis;
  std::wstring predpona; // the long path the folder is listed by, with a trailing backslash
};

template <class U>
class pruchod {
public:
  // Opens the listing of `u.predpona` and puts the folder on top; false when it cannot be
  // listed (the error is then the last error).
  bool vstup(U&& u)
  {
    if (!u.vypis.otevri(u.predpona)) return false;
    zasobnik_.push_back(std::move(u));
    return true;
  }
  // `na_polozce(U& slozka, const WIN32_FIND_DATAW& p)` for every entry but "." and "..",
  // `na_konci(U& slozka)` once a folder's listing is done. Levels stay where they are while
  // others are entered, so a level's reference holds for its whole call.
  template <class F, class G>
  void projdi(F na_polozce, G na_konci)
  {
    while (!zasobnik_.empty()) {
      U& u = zasobnik_.back();
      WIN32_FIND_DATAW p;
      if (!u.vypis.dalsi(p)) {
        na_konci(u);
        zasobnik_.pop_back();
      } else if (!je_tecka(p.cFileName)) {
        na_polozce(u, p);
      }
    }
  }
  // Ends the walk: every listing is closed. No level may be used afterwards.
  void zastav() { zasobnik_.clear(); }
  size_t hloubka() const { return zasobnik_.size(); }
  const U& uroven(size_t i) const { return zasobnik_[i]; }

private:
  std::deque<U> zasobnik_;
};

std::wstring s_lomitkem(std::wstring s)
{
  if (s.empty() || s.back() != L'\\') s += L'\\';
  return s;
}

unsigned long long velikost(const WIN32_FIND_DATAW& p)
{
  return (static_cast<unsigned long long>(p.nFileSizeHigh) << 32) | p.nFileSizeLow;
}

} // namespace

// --- Deleting

HRESULT smazat_overene(const std::wstring& dlouha, const misto& ocekavane, bool zrusit_jen_pro_cteni, bool overit)
{
  // The link itself where the platform opens links as themselves; under Wine this opens
  // what the link points to, which then lies elsewhere.
  const DWORD pristup = DELETE | FILE_READ_ATTRIBUTES | (zrusit_jen_pro_cteni ? FILE_WRITE_ATTRIBUTES : 0);
  handle_souboru h(CreateFileW(dlouha.c_str(), pristup, SDILENI_VSE, nullptr, OPEN_EXISTING,
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

struct uroven_mazani : uroven_pruchodu {
  std::wstring dlouha; // long path
  misto tady;          // where it lies
  bool jen_pro_cteni = false;
};

} // namespace

HRESULT smazat_strom(const std::wstring& dlouha, const misto& ocekavane, DWORD atributy)
{
  {
    // The folder itself, links followed: a folder that is a link lies elsewhere.
    handle_souboru h = otevri_slozku(dlouha);
    if (!h.platny()) return hresult_posledni_chyby();
    if (!lezi_na(h.get(), ocekavane)) return E_JINDE;
  }
  HRESULT prvni = S_OK; // the first failure: the reason the folder stays
  const auto zapis = [&](HRESULT hr) {
    if (FAILED(hr) && SUCCEEDED(prvni)) prvni = hr;
  };
  pruchod<uroven_mazani> p;
  uroven_mazani koren;
  koren.dlouha = dlouha;
  koren.predpona = s_lomitkem(dlouha);
  koren.tady = ocekavane;
  koren.jen_pro_cteni = (atributy & FILE_ATTRIBUTE_READONLY) != 0;
  if (!p.vstup(std::move(koren))) return hresult_posledni_chyby();
  // A subfolder is entered by its listing; each of its entries, and at last the subfolder
  // itself, must still lie where it seems before it is deleted.
  p.projdi(
      [&](uroven_mazani& u, const WIN32_FIND_DATAW& e) {
        const bool slozka = je_slozka_polozka(e);
        std::wstring cesta = u.predpona;
        if (!pripoj_nazev(cesta, e.cFileName, slozka ? 2 : 0)) {
          zapis(HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE)); // too long even for the long-path calls
          return;
        }
        const bool jen_pro_cteni = (e.dwFileAttributes & FILE_ATTRIBUTE_READONLY) != 0;
        const akce a = slozka ? akce_slozky(e.dwFileAttributes, znacka(e), true)
                              : akce_souboru(e.dwFileAttributes, znacka(e), true);
        if (a == akce::smazat && slozka) {
          uroven_mazani nova;
          nova.dlouha = cesta;
          nova.predpona = cesta + L"\\";
          nova.tady = misto_polozky(u.tady, e.cFileName);
          nova.jen_pro_cteni = jen_pro_cteni;
          if (!p.vstup(std::move(nova))) zapis(hresult_posledni_chyby());
        } else if (a == akce::smazat || a == akce::odstranit_odkaz) {
          // A link goes as itself, never its target.
          zapis(smazat_overene(cesta, misto_polozky(u.tady, e.cFileName), jen_pro_cteni, false));
        } else {
          zapis(E_JINDE); // a link that cannot be removed as itself stays
        }
      },
      [&](uroven_mazani& u) {
        if (u.vypis.chyba()) zapis(HRESULT_FROM_WIN32(u.vypis.chyba()));
        // Emptied, or not quite: then the folder stays and the final check fails.
        smazat_overene(u.dlouha, u.tady, u.jen_pro_cteni, false);
      });
  if (neexistuje(dlouha)) return S_OK;
  return FAILED(prvni) ? prvni : HRESULT_FROM_WIN32(ERROR_DIR_NOT_EMPTY);
}

HRESULT smazat_slozku(const std::wstring& cesta)
{
  const HRESULT neni = HRESULT_FROM_WIN32(ERROR_PATH_NOT_FOUND);
  std::wstring dlouha = dlouha_cesta(cesta);
  odstranit_koncova_lomitka(dlouha);
  if (dlouha.empty() || je_koren_svazku(dlouha)) return E_INVALIDARG; // never a drive root
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
  // substituted drive.
  misto m;
  {
    handle_souboru h = otevri_slozku(rodic);
    if (!h.platny()) return hresult_posledni_chyby();
    m = misto_polozky(misto_handle(h.get()), nazev);
  }
  switch (akce_slozky(p.dwFileAttributes, znacka(p), true)) {
  case akce::smazat: return smazat_strom(dlouha, m, p.dwFileAttributes);
  case akce::odstranit_odkaz: return smazat_overene(dlouha, m, true, true);
  default: return E_JINDE;
  }
}

// --- The clean

struct cisteni::uroven : uroven_pruchodu {
  std::wstring zobrazena; // as the log shows it
  misto tady;             // where it lies
};

cisteni::cisteni(const seznamy_mazani& seznamy, const DWORD& vypis, prijemce_radku& vystup, LONG& pocet_chyb)
    : seznamy_(seznamy), vypis_(vypis), vystup_(vystup), pocet_chyb_(pocet_chyb),
      text_slozka_(nacti_text(IDS_NEPODARILO_SLOZKU)), text_soubor_(nacti_text(IDS_NEPODARILO_SOUBOR)),
      text_projit_(nacti_text(IDS_NEPODARILO_PROJIT))
{
}

void cisteni::selhani(const std::wstring& text, const std::wstring& cesta)
{
  ++pocet_chyb_;
  vystup_.radek(radek_selhani(text, cesta));
}

void cisteni::vycisti(const std::wstring& slozka)
{
  // The folder as its listing pattern names it: the path, a backslash and "*".
  uroven koren;
  koren.zobrazena = slozka;
  koren.predpona = dlouha_cesta(slozka + L"\\");
  pruchod<uroven> p;
  bool otevrena = false;
  if (!slozka.empty() && !koren.predpona.empty()) {
    koren.predpona = s_lomitkem(koren.predpona);
    // The source folder itself may be a link: its entries are checked against its target.
    handle_souboru h = otevri_slozku(bez_koncoveho_lomitka(koren.predpona));
    if (h.platny()) {
      koren.tady = misto_handle(h.get());
      h.zavri();
      otevrena = p.vstup(std::move(koren));
    }
  }
  if (!otevrena) {
    selhani(text_projit_, slozka);
    return;
  }
  p.projdi(
      [&](uroven& u, const WIN32_FIND_DATAW& e) {
        // Every name beginning with a dot: not deleted, not entered.
        if (skryta_polozka(e.cFileName)) return;
        if (!je_slozka_polozka(e)) {
          zpracuj_soubor(e, u);
          return;
        }
        uroven nova;
        if (!zpracuj_slozku(e, u, nova)) return;
        const std::wstring zobrazena = nova.zobrazena;
        // Entered before the next entry; a folder that cannot be listed cannot be cleaned.
        if (!p.vstup(std::move(nova))) selhani(text_projit_, zobrazena);
      },
      [&](uroven& u) {
        if (u.vypis.chyba()) selhani(text_projit_, u.zobrazena); // the listing broke off
      });
}

bool cisteni::zpracuj_slozku(const WIN32_FIND_DATAW& p, const uroven& u, uroven& nova)
{
  const akce a = akce_slozky(p.dwFileAttributes, znacka(p), slozka_odpovida(seznamy_, p.cFileName));
  if (a == akce::nechat) return false;
  const std::wstring zobrazena = u.zobrazena + L"\\" + p.cFileName;
  std::wstring dlouha = u.predpona;
  if (!pripoj_nazev(dlouha, p.cFileName, 2)) {
    selhani(text_slozka_, zobrazena); // too long even for the long-path calls
    return false;
  }
  HRESULT hr = E_FAIL;
  switch (a) {
  case akce::vstoupit:
    // Entered by its listing, never a link. Should it lie elsewhere all the same (a link
    // without the link attribute), nothing in it lies where it seems, so nothing in it goes.
    nova.predpona = dlouha + L"\\";
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
    selhani(text_slozka_, zobrazena);
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
    selhani(text_soubor_, zobrazena);
  }
}

// --- Checks around the backup

nalez_kopie zkontroluj_pred_kopii(const std::wstring& zobrazeny_zdroj, const std::wstring& dlouhy_zdroj,
                                  const std::wstring& konecny_cil)
{
  struct uroven : uroven_pruchodu {
    std::wstring konecna;   // its final path
    std::wstring zobrazena; // as the log shows it
    std::wstring odkaz;     // the link it was reached through, as the log shows it (none: "")
  };
  nalez_kopie nalez;
  // Every folder the copy will read, by its final path (exact: the names as stored), with
  // the link it was reached through.
  std::unordered_map<std::wstring, std::wstring> navstivene;
  pruchod<uroven> p;
  uroven koren;
  koren.predpona = s_lomitkem(dlouhy_zdroj);
  koren.konecna = konecna_cesta(bez_koncoveho_lomitka(koren.predpona));
  koren.zobrazena = zobrazeny_zdroj;
  if (dlouhy_zdroj.empty() || koren.konecna.empty()) {
    nalez.co = nalez_kopie::nejasny;
    nalez.odkaz = zobrazeny_zdroj;
    return nalez;
  }
  navstivene.emplace(bez_koncoveho_lomitka(koren.konecna), std::wstring());
  p.vstup(std::move(koren)); // a source that cannot be listed has nothing to copy through
  const auto najdi = [&](nalez_kopie::druh co, const std::wstring& odkaz) {
    nalez.co = co;
    nalez.odkaz = odkaz;
    p.zastav();
  };

  p.projdi(
      [&](uroven& u, const WIN32_FIND_DATAW& e) {
        if (!je_slozka_polozka(e)) return;
        std::wstring cesta = u.predpona;
        if (!pripoj_nazev(cesta, e.cFileName, 2)) return; // the copy cannot reach it either
        uroven nova;
        nova.zobrazena = u.zobrazena + L"\\" + e.cFileName;
        if (je_odkaz(e.dwFileAttributes, znacka(e))) {
          nova.odkaz = nova.zobrazena;
          nova.konecna = konecna_cesta(cesta);
          // A link that cannot be told where it leads could lead anywhere.
          if (nova.konecna.empty()) return najdi(nalez_kopie::nejasny, nova.odkaz);
          if (prekryvaji_se(nova.konecna, konecny_cil)) return najdi(nalez_kopie::zacykleni, nova.odkaz);
        } else {
          nova.odkaz = u.odkaz;
          nova.konecna = u.konecna;
          if (!pripoj_nazev(nova.konecna, e.cFileName)) return;
        }
        nova.konecna = bez_koncoveho_lomitka(nova.konecna);
        const auto [drive, nova_slozka] = navstivene.emplace(nova.konecna, nova.odkaz);
        if (!nova_slozka) {
          // Reached a second time, which only a link can do: name this way's link, or the
          // one the folder was met through first.
          bool predek = false;
          for (size_t i = 0; i < p.hloubka(); ++i) predek = predek || stejne_presne(p.uroven(i).konecna, nova.konecna);
          const std::wstring& odkaz = !nova.odkaz.empty() ? nova.odkaz : drive->second;
          return najdi(predek ? nalez_kopie::zacykleni : nalez_kopie::opakovani,
                       odkaz.empty() ? nova.zobrazena : odkaz);
        }
        nova.predpona = cesta + L"\\";
        p.vstup(std::move(nova)); // what cannot be listed now is counted after the copy
      },
      [](uroven&) {});
  return nalez;
}

unsigned long long chybejici_v_kopii(const std::wstring& dlouhy_zdroj, const std::wstring& dlouhy_cil)
{
  struct v_kopii {
    bool slozka;
    unsigned long long velikost;
    FILETIME cas;
  };
  struct uroven : uroven_pruchodu {
    std::wstring cil; // with a trailing backslash; empty when the copy has no such folder
    std::unordered_map<std::wstring, v_kopii> kopie; // the copy's entries by their exact names
  };
  unsigned long long chybi = 0;
  // Folders reached through links, by final path: the check before the copy refused any
  // folder reached twice, but the source may have changed since.
  std::unordered_set<std::wstring> pres_odkazy;
  pruchod<uroven> p;
  const auto vstup = [&](uroven&& u) {
    vycet_slozky kopie;
    if (!u.cil.empty() && kopie.otevri(u.cil)) {
      WIN32_FIND_DATAW e;
      while (kopie.dalsi(e))
        if (!je_tecka(e.cFileName))
          u.kopie[e.cFileName] = v_kopii{je_slozka_polozka(e), velikost(e), e.ftLastWriteTime};
    }
    if (!p.vstup(std::move(u))) ++chybi; // a folder that cannot be read cannot be known to be copied
  };
  uroven koren;
  koren.predpona = s_lomitkem(dlouhy_zdroj);
  koren.cil = s_lomitkem(dlouhy_cil);
  vstup(std::move(koren));
  p.projdi(
      [&](uroven& u, const WIN32_FIND_DATAW& e) {
        auto it = u.kopie.find(e.cFileName);
        const bool odkaz = je_odkaz(e.dwFileAttributes, znacka(e));
        if (je_slozka_polozka(e)) {
          uroven nova;
          nova.predpona = u.predpona;
          if (!pripoj_nazev(nova.predpona, e.cFileName, 2)) {
            ++chybi;
            return;
          }
          if (odkaz && !pres_odkazy.insert(konecna_cesta(nova.predpona)).second) {
            ++chybi; // a folder met again through a link is not walked twice
            return;
          }
          nova.predpona += L'\\';
          // Only a folder of exactly that name in the copy holds this one's content.
          if (!u.cil.empty() && it != u.kopie.end() && it->second.slozka) {
            nova.cil = u.cil;
            if (pripoj_nazev(nova.cil, e.cFileName, 2))
              nova.cil += L'\\';
            else
              nova.cil.clear();
          }
          vstup(std::move(nova));
          return;
        }
        unsigned long long v = velikost(e);
        FILETIME cas = e.ftLastWriteTime;
        if (odkaz) {
          // The copy holds what a link to a file points to.
          WIN32_FILE_ATTRIBUTE_DATA d{};
          std::wstring cesta = u.predpona;
          if (!pripoj_nazev(cesta, e.cFileName) || !GetFileAttributesExW(cesta.c_str(), GetFileExInfoStandard, &d)) {
            ++chybi;
            return;
          }
          v = (static_cast<unsigned long long>(d.nFileSizeHigh) << 32) | d.nFileSizeLow;
          cas = d.ftLastWriteTime;
        }
        if (it == u.kopie.end() || it->second.slozka || it->second.velikost != v || !casy_shodne(cas, it->second.cas))
          ++chybi;
      },
      [&](uroven& u) {
        if (u.vypis.chyba()) ++chybi; // the listing broke off: the rest is not known
      });
  return chybi;
}
