#include "engine/docasne_kopie.h"

#include <algorithm>
#include <cstdint>
#include <cwchar>
#include <vector>
#include "engine/cesty.h"
#include "engine/mazani.h"
#include "engine/nazev_kopie.h"
#include "engine/soubory.h"
#include "engine/vlastni_slozky.h"
#include "engine/vycet.h"
#include "engine/vypis_texty.h"
#include "frame/chyby.h"

namespace {

constexpr std::wstring_view PRIPONA_ZNACKY = L".tesvarin-docasna-kopie";
// Older versions named a temporary folder after its copy and marked it inside.
constexpr std::wstring_view STARE_PRIPONY[] = {L".tesvarin-new", L".tesvarin-old"};
constexpr unsigned POKUSU = 100;

bool existuje_jmeno(HRESULT hr)
{
  return hr == HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS) || hr == HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);
}

// A mark opened for this backup alone: nobody else opens it while it is held.
kestrum::handle_souboru otevri_znacku(const std::wstring& dlouha, DWORD jak)
{
  if (dlouha.empty()) return {};
  return kestrum::handle_souboru(CreateFileW(dlouha.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, jak,
                                             FILE_ATTRIBUTE_HIDDEN, nullptr));
}

// The mark goes when it is closed; the handle holds nothing afterwards.
void smaz_znacku(kestrum::handle_souboru& h)
{
  if (h.platny()) oznac_ke_smazani(h.get());
  h.zavri();
}

std::wstring precti(HANDLE h)
{
  wchar_t b[1024];
  DWORD n = 0;
  if (!ReadFile(h, b, sizeof b, &n, nullptr)) return {};
  return std::wstring(b, n / sizeof(wchar_t));
}

// An older version's temporary name of a copy of `zdroj`: the copy's name, the ending and
// the number of a further try ("app 6.12.2026.tesvarin-old-2").
bool je_stary_docasny_nazev(std::wstring_view zdroj, std::wstring_view nazev)
{
  size_t konec = nazev.size();
  while (konec > 0 && nazev[konec - 1] >= L'0' && nazev[konec - 1] <= L'9') --konec;
  konec = konec < nazev.size() && konec > 0 && nazev[konec - 1] == L'-' ? konec - 1 : nazev.size();
  for (std::wstring_view pripona : STARE_PRIPONY)
    if (konec >= pripona.size() && stejne_nazvy(nazev.substr(konec - pripona.size(), pripona.size()), pripona))
      return je_nazev_kopie(zdroj, nazev.substr(0, konec - pripona.size()));
  return false;
}

// An older version's leftover (long path, listing attributes): no link, its mark inside
// held by no running backup.
bool je_stary_zbytek(const std::wstring& dlouha, DWORD atributy)
{
  if (atributy & FILE_ATTRIBUTE_REPARSE_POINT) return false;
  const kestrum::handle_souboru h(CreateFileW((s_lomitkem(dlouha) + std::wstring(PRIPONA_ZNACKY)).c_str(), GENERIC_READ,
                                              FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
  return h.platny();
}

} // namespace

std::wstring docasny_nazev(unsigned pokus, size_t nejvic)
{
  std::wstring n = nejvic == 1 && pokus == 1 ? L"~" : L"~" + std::to_wstring(pokus);
  return n.size() <= nejvic ? n : std::wstring();
}

bool je_docasny_nazev(std::wstring_view nazev)
{
  if (nazev.empty() || nazev[0] != L'~' || (nazev.size() > 1 && nazev[1] == L'0')) return false;
  return std::all_of(nazev.begin() + 1, nazev.end(), [](wchar_t z) { return z >= L'0' && z <= L'9'; });
}

std::wstring nazev_znacky(std::wstring_view slozka) { return std::wstring(slozka) + std::wstring(PRIPONA_ZNACKY); }

std::wstring text_znacky(obsah_docasne co, std::wstring_view kopie)
{
  return (co == obsah_docasne::nova ? L"nova\r\n" : L"stara\r\n") + std::wstring(kopie) + L"\r\n";
}

bool cti_znacku(std::wstring_view text, obsah_docasne& co, std::wstring& kopie)
{
  const size_t radek = text.find(L"\r\n");
  if (radek == std::wstring_view::npos || !text.ends_with(L"\r\n") || text.size() < radek + 5) return false;
  const std::wstring_view druh = text.substr(0, radek);
  if (druh != L"nova" && druh != L"stara") return false;
  co = druh == L"nova" ? obsah_docasne::nova : obsah_docasne::stara;
  kopie = text.substr(radek + 2, text.size() - radek - 4);
  return kopie.find_first_of(L"\r\n\\") == std::wstring::npos;
}

std::wstring docasna_slozka::cesta() const { return umisteni_ + L"\\" + nazev_; }

HRESULT docasna_slozka::zaber(unsigned pokus, obsah_docasne co)
{
  // Only the new copy is written by paths under its temporary name; the older one is moved
  // and deleted by the long-path calls, so its name may be longer than the copy's.
  nazev_ = docasny_nazev(pokus, co == obsah_docasne::nova ? kopie_.size() : SIZE_MAX);
  if (nazev_.empty()) return HRESULT_FROM_WIN32(ERROR_ALREADY_EXISTS); // no shorter name is left
  if (stejne_nazvy(nazev_, kopie_)) return HRESULT_FROM_WIN32(ERROR_FILE_EXISTS);
  znacka_ = otevri_znacku(dlouha_cesta(umisteni_ + L"\\" + nazev_znacky(nazev_)), CREATE_NEW);
  if (!znacka_.platny()) {
    const HRESULT hr = hresult_posledni_chyby();
    // Held by another backup that is making it right now.
    return hr == HRESULT_FROM_WIN32(ERROR_SHARING_VIOLATION) ? HRESULT_FROM_WIN32(ERROR_FILE_EXISTS) : hr;
  }
  const std::wstring t = text_znacky(co, kopie_);
  const DWORD bajtu = static_cast<DWORD>(t.size() * sizeof(wchar_t));
  DWORD n = 0;
  if (!WriteFile(znacka_.get(), t.data(), bajtu, &n, nullptr) || n != bajtu) {
    const HRESULT hr = hresult_posledni_chyby();
    smaz_znacku(znacka_);
    return FAILED(hr) ? hr : E_FAIL;
  }
  return S_OK;
}

docasna_slozka docasna_slozka::nova(const std::wstring& umisteni, const std::wstring& kopie)
{
  docasna_slozka d;
  d.umisteni_ = umisteni;
  d.kopie_ = kopie;
  for (unsigned pokus = 1; pokus <= POKUSU; ++pokus) {
    const HRESULT hr = d.zaber(pokus, obsah_docasne::nova);
    if (existuje_jmeno(hr) && !d.nazev_.empty()) continue;
    if (FAILED(hr)) break;
    const std::wstring dlouha = dlouha_cesta(d.cesta());
    if (!dlouha.empty() && CreateDirectoryW(dlouha.c_str(), nullptr)) return d;
    const DWORD e = GetLastError();
    smaz_znacku(d.znacka_);
    if (dlouha.empty() || e != ERROR_ALREADY_EXISTS) break;
  }
  return {};
}

docasna_slozka docasna_slozka::odsun(const std::wstring& umisteni, const std::wstring& kopie, HRESULT& hr)
{
  docasna_slozka d;
  d.umisteni_ = umisteni;
  d.kopie_ = kopie;
  const std::wstring odkud = dlouha_cesta(umisteni + L"\\" + kopie);
  // Once moved aside a folder of the user's or the system's would no longer be known as one.
  hr = E_CHRANENA;
  if (je_vlastni_slozka(odkud)) return {};
  for (unsigned pokus = 1; pokus <= POKUSU; ++pokus) {
    hr = d.zaber(pokus, obsah_docasne::stara);
    if (existuje_jmeno(hr) && !d.nazev_.empty()) continue;
    if (FAILED(hr)) break;
    hr = MoveFileW(odkud.c_str(), dlouha_cesta(d.cesta()).c_str()) ? S_OK : hresult_posledni_chyby();
    if (hr == S_OK) return d;
    smaz_znacku(d.znacka_);
    if (!existuje_jmeno(hr)) break;
  }
  return {};
}

HRESULT docasna_slozka::na_misto()
{
  const std::wstring kam = dlouha_cesta(umisteni_ + L"\\" + kopie_);
  if (!MoveFileW(dlouha_cesta(cesta()).c_str(), kam.c_str())) return hresult_posledni_chyby();
  smaz_znacku(znacka_);
  return S_OK;
}

HRESULT docasna_slozka::smaz()
{
  const HRESULT hr = smazat_slozku(cesta());
  if (hr != S_OK) return hr;
  smaz_znacku(znacka_);
  return S_OK;
}

void docasna_slozka::predej() { smaz_znacku(znacka_); }

namespace {

// A temporary folder found in the target location, by its mark or (an older version's) by
// its name.
struct nalez {
  std::wstring nazev;
  bool znacka = false; // found by its mark: `nazev` is the folder's name all the same
};

// Puts an older copy back where its copy is missing, or removes the folder; the mark `h`
// goes once its folder is gone or back in place.
void uklid(const std::wstring& slozka, const std::wstring& kopie, obsah_docasne co, kestrum::handle_souboru& h,
           prijemce_radku& vystup)
{
  const std::wstring dlouha = dlouha_cesta(slozka), cil = dlouha_cesta(kopie);
  if (co == obsah_docasne::stara && neexistuje(cil)) {
    if (MoveFileW(dlouha.c_str(), cil.c_str())) {
      smaz_znacku(h);
      vystup.radek(radek_kopie_vracena(kopie, slozka));
    } else {
      vystup.radek(radek_kopie_nevracena(kopie, slozka, systemovy_text(hresult_posledni_chyby())));
    }
    return;
  }
  const HRESULT hr = smazat_slozku(slozka);
  if (hr == S_OK) smaz_znacku(h);
  vystup.radek(hr == S_OK ? radek_zbytek_odstranen(slozka) : radek_zbytek_neodstranen(slozka, systemovy_text(hr)));
}

// A folder found by its mark (`nazev` is the folder's name).
void podle_znacky(const std::wstring& umisteni, const std::wstring& dlouhe, const misto& tady, const std::wstring& zdroj,
                  const std::wstring& nazev, prijemce_radku& vystup)
{
  const std::wstring slozka = umisteni + L"\\" + nazev, znacka = nazev_znacky(nazev);
  std::wstring dlouha_znacka;
  if (!cesta_polozky(dlouha_znacka, dlouhe, znacka.c_str(), false)) return;
  kestrum::handle_souboru h = otevri_znacku(dlouha_znacka, OPEN_EXISTING);
  const DWORD a = atributy(dlouha_cesta(slozka));
  const bool je_slozka = a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
  if (!h.platny()) {
    // Held: the backup that made it still runs.
    if (je_slozka) vystup.radek(radek_cizi_slozka(slozka));
    return;
  }
  obsah_docasne co;
  std::wstring kopie;
  // Not a mark of a copy of this source (or a link to one, which is no mark): not ours.
  if (!lezi_na(h.get(), misto_polozky(tady, znacka)) || !cti_znacku(precti(h.get()), co, kopie) ||
      !nazev_pouzitelny(kopie) || !je_nazev_kopie(zdroj, kopie))
    return;
  if (a == INVALID_FILE_ATTRIBUTES) {
    smaz_znacku(h); // its folder is gone or took its copy's name
  } else if (!je_slozka || (a & FILE_ATTRIBUTE_REPARSE_POINT)) {
    vystup.radek(radek_cizi_slozka(slozka));
  } else {
    uklid(slozka, umisteni + L"\\" + kopie, co, h, vystup);
  }
}

} // namespace

void odstran_zbytky(const std::wstring& umisteni, const std::wstring& zdroj, prijemce_radku& vystup)
{
  const std::wstring dlouhe = dlouha_cesta(umisteni + L"\\");
  std::vector<nalez> nalezene;
  misto tady;
  {
    kestrum::handle_souboru h = dlouhe.empty() ? kestrum::handle_souboru() : otevri_slozku(dlouhe);
    vycet_slozky v;
    WIN32_FIND_DATAW p;
    if (!h.platny() || !v.otevri(dlouhe)) return;
    tady = misto_handle(h.get());
    while (v.dalsi(p)) {
      const std::wstring_view n = p.cFileName;
      if (!je_slozka_polozka(p) && n.size() > PRIPONA_ZNACKY.size() &&
          n.substr(n.size() - PRIPONA_ZNACKY.size()) == PRIPONA_ZNACKY &&
          je_docasny_nazev(n.substr(0, n.size() - PRIPONA_ZNACKY.size())))
        nalezene.push_back({std::wstring(n.substr(0, n.size() - PRIPONA_ZNACKY.size())), true});
      else if (je_slozka_polozka(p) && je_stary_docasny_nazev(zdroj, n))
        nalezene.push_back({std::wstring(n), false});
    }
  }
  // In the order of their names, whatever order the listing gave.
  std::sort(nalezene.begin(), nalezene.end(),
            [](const nalez& a, const nalez& b) { return std::wcscmp(a.nazev.c_str(), b.nazev.c_str()) < 0; });
  for (const nalez& n : nalezene) {
    if (n.znacka) {
      podle_znacky(umisteni, dlouhe, tady, zdroj, n.nazev, vystup);
      continue;
    }
    const std::wstring slozka = umisteni + L"\\" + n.nazev;
    if (!je_stary_zbytek(dlouha_cesta(slozka), atributy(dlouha_cesta(slozka)))) {
      vystup.radek(radek_cizi_slozka(slozka));
      continue;
    }
    const HRESULT hr = smazat_slozku(slozka);
    vystup.radek(hr == S_OK ? radek_zbytek_odstranen(slozka) : radek_zbytek_neodstranen(slozka, systemovy_text(hr)));
  }
}
